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
  work.names =
      work.view.names ? std::make_shared<NamePlacer>(work.picture.width(), work.picture.height()) : nullptr;
  PartBoxPass(work.file, SidePassView(work.view, work.side, boxes), work.picture, work.names.get());
}

void DrawPins(SideWork& work, BoxStyle boxes) {
  const PassView pass = SidePassView(work.view, work.side, boxes);
  BoardScan scan(work.file);
  PinPass(scan, pass, work.picture);
  if (!work.names) return;
  DrawBoardNames(scan, pass, work.picture, *work.names, work.picture.scale());
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
