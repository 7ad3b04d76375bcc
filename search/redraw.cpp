#include "search/redraw.h"

#include "board/board_check.h"
#include "board/companion_file.h"
#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/layers.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"

namespace vantrel {

void CheckBoardFiles(Session& s) {
  using Problem = std::optional<FileProblem>;
  s.runner.Run(s, Stage<Problem>{.rounds = {{[](SideWork& work, Problem& problem) {
                                   problem = CheckBoardFile(work.file, work.side == Side::Top
                                                                           ? FileRole::BoardFile
                                                                           : FileRole::CompanionFile);
                                 }}},
                                 .apply =
                                     [&](Side side, Problem& problem) {
                                       if (!problem) return;
                                       s.document.Warnings.push_back({s.FileOf(side), side, problem->line,
                                                                      std::move(problem->message)});
                                     },
                                 .drawsNothing = true});
}

void Redraw(Session& s, const SearchTexts& texts) {
  switch (s.highlight.mode) {
    case HighlightMode::hmBoard: DrawLayers(s, BoxStyle::Framed, PassOrder::SideAfterSide); break;
    case HighlightMode::hmOpenShort: RedrawOpenShort(s, texts.nails); break;
    case HighlightMode::hmCompPin: RedrawCompPin(s, texts.compPin); break;
    case HighlightMode::hmDevice: RedrawDevice(s, texts.devices); break;
    case HighlightMode::hmNet: RedrawNet(s, texts.net); break;
    case HighlightMode::hmPoint: RedrawPoint(s); break;
    case HighlightMode::hmNone: break;
  }
}

void OpenBoard(Session& s, const std::string& boardFile) {
  // Nothing of the board shown before stays over the new one, whether this
  // one opens or not.
  s.pictures.ClearHeader();
  s.highlight.findings.reset();
  s.document = Document{.BoardFile = boardFile, .CompanionFile = CompanionFile(boardFile), .BoardOpen = true};
  s.view.shown = Side::Top;
  try {
    ComputeHomeView(s.view, s.document.BoardFile);
    DrawLayers(s, BoxStyle::Framed, PassOrder::LayerByLayer);
  } catch (const BoardError& e) {
    s.document.OpenFailed = s.document.ErrorOf(e);
    throw;
  }
  s.highlight.mode = HighlightMode::hmBoard;
  CheckBoardFiles(s);
}

void CloseBoard(Session& s) {
  s.document.BoardOpen = false;
  s.document.OpenFailed.reset();
  s.document.Warnings.clear();
  s.highlight.findings.reset();
  s.view.shown = Side::Bottom;  // Image1 hidden
  RestoreHomeView(s.view);
  s.highlight.mode = HighlightMode::hmNone;
}

void ResetView(Session& s) {
  if (!s.document.HasFiles()) return;
  RestoreHomeView(s.view);
  s.highlight.mode = HighlightMode::hmBoard;
  s.highlight.findings.reset();
  DrawLayers(s, BoxStyle::Framed, PassOrder::SideAfterSide);
  s.pictures.ClearHeader();
  s.document.OpenFailed.reset();  // both sides read whole
}

void TurnView(Session& s, Orientation orientation, const SearchTexts& texts) {
  s.view.orientation = orientation;
  OverviewPictures::State& overview = s.pictures.overview.state;
  for (const Side side : kSides) {
    if (overview.drawings[side]) overview.drawings[side]->view.orientation = orientation;
  }
  Redraw(s, texts);
  RedrawOverviewPictures(s);
}

void TurnOver(Session& s, const SearchTexts& texts) {
  s.view.shown = Other(s.view.shown);
  if (s.highlight.mode != HighlightMode::hmPoint) s.pictures.ClearHeader();
  Redraw(s, texts);
}

}  // namespace vantrel
