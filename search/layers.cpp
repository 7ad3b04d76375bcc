#include "search/layers.h"

#include "render/board_names.h"

namespace vantrel {

namespace {

// Nothing to apply: the layers write only their pictures.
struct NoResult {};

}  // namespace

void DrawOutline(SideWork& work, BoxStyle boxes) {
  work.stripCleared = true;
  OutlinePass(work.file, SidePassView(work.view, work.side, boxes), work.picture, nullptr);
}

void DrawPartBoxes(SideWork& work, BoxStyle boxes) {
  const PassView pass = SidePassView(work.view, work.side, boxes);
  work.names = work.view.names
                   ? std::make_shared<NamePlacer>(work.picture.width(), work.picture.height(), pass.radius)
                   : nullptr;
  PartBoxPass(work.file, pass, work.picture, work.names.get());
}

// The names on the board go over the pins: the part names kept by the box
// pass, and the pin names once the markers are large enough, read on from
// the pin pass's scan.
void DrawPins(SideWork& work, BoxStyle boxes) {
  const PassView pass = SidePassView(work.view, work.side, boxes);
  const bool pinNames = work.names && PinNamesShown(pass, work.picture.scale());
  BoardScan scan(work.file);
  PinPass(scan, pass, work.picture, pinNames ? work.names.get() : nullptr);
  if (!work.names) return;
  if (pinNames) work.names->KeepPinNames(scan, work.file, pass);
  work.names->Draw(work.picture);
  work.names = nullptr;
}

void DrawSideLayers(SideWork& work, BoxStyle boxes) {
  DrawOutline(work, boxes);
  DrawPartBoxes(work, boxes);
  DrawPins(work, boxes);
}

void DrawLayers(Session& s, BoxStyle boxes, PassOrder order) {
  Stage<NoResult> stage{
      .rounds = {LayerSteps<NoResult>(boxes)}, .apply = [](Side, NoResult&) {}, .opensWithOutline = true};
  if (order == PassOrder::LayerByLayer) stage.rounds = LayerByLayer<NoResult>(boxes);
  s.runner.Run(s, stage);
}

void DrawSideLayers(Session& s, Side side, BoxStyle boxes) {
  SideWork work{side, s.FileOf(side), s.view, s.PictureOf(side)};
  s.pictures.ClearStrip();
  DrawSideLayers(work, boxes);
}

}  // namespace vantrel
