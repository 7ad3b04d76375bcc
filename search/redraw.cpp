#include "search/redraw.h"

#include "board/companion_file.h"
#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/layers.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"

namespace vantrel {

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
  s.document.BoardOpen = true;
  s.document.BoardFile = boardFile;
  s.document.CompanionFile = CompanionFile(boardFile);
  s.view.shown = Side::Top;
  ComputeHomeView(s.view, s.document.BoardFile);
  DrawLayers(s, BoxStyle::Framed, PassOrder::LayerByLayer);
  s.highlight.mode = HighlightMode::hmBoard;
}

void CloseBoard(Session& s) {
  s.document.BoardOpen = false;
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
}

void TurnOver(Session& s, const SearchTexts& texts) {
  s.view.shown = Other(s.view.shown);
  if (s.highlight.mode != HighlightMode::hmPoint) s.pictures.ClearHeader();
  Redraw(s, texts);
}

}  // namespace vantrel
