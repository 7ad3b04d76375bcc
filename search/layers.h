// The board's layer passes as the operations run them: for a side, its
// outline pass (which also clears the header strip), its part-box pass and
// its pin pass, over the side's file, on the side's picture, at the view.
#pragma once

#include <vector>

#include "render/layer_passes.h"
#include "search/session.h"
#include "search/side_runner.h"

namespace vantrel {

// The order in which an operation run in turn draws the six layer passes.
enum class PassOrder {
  SideAfterSide,  // top outline, boxes, pins, then the same for the bottom
  LayerByLayer,   // both outlines, both box passes, both pin passes
};

// A search's OK draws filled part boxes; a key or a click framed ones.
constexpr BoxStyle BoxesFor(Trigger trigger) {
  return trigger == Trigger::DialogOk ? BoxStyle::Filled : BoxStyle::Framed;
}

// The passes of one side of a stage. The pin pass draws the names on the
// board after the pins when the view shows them.
void DrawOutline(SideWork& work, BoxStyle boxes);
void DrawPartBoxes(SideWork& work, BoxStyle boxes);
void DrawPins(SideWork& work, BoxStyle boxes);
void DrawSideLayers(SideWork& work, BoxStyle boxes);

// A round of a stage that draws a side's three passes.
template <class Result>
Round<Result> LayerSteps(BoxStyle boxes) {
  return {[boxes](SideWork& work, Result&) { DrawOutline(work, boxes); },
          [boxes](SideWork& work, Result&) { DrawPartBoxes(work, boxes); },
          [boxes](SideWork& work, Result&) { DrawPins(work, boxes); }};
}

// The same passes as three rounds, so that in turn both outlines come first,
// then both box passes, then both pin passes.
template <class Result>
std::vector<Round<Result>> LayerByLayer(BoxStyle boxes) {
  std::vector<Round<Result>> rounds;
  for (SideStep<Result>& step : LayerSteps<Result>(boxes)) rounds.push_back({std::move(step)});
  return rounds;
}

// The six layer passes and nothing else: the open, the board's redraw, the
// reset key.
void DrawLayers(Session& s, BoxStyle boxes, PassOrder order);

// The three passes of one side, in place: the point inquiry's hit and the
// device search redraw one side only.
void DrawSideLayers(Session& s, Side side, BoxStyle boxes);

}  // namespace vantrel
