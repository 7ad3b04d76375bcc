#include "search/redraw.h"

#include "board/companion_file.h"
#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"

namespace vantrel {

void Redraw(Session& s, const SearchTexts& texts) {
  switch (s.HighlightMode) {
    case hmBoard: DrawLayers(s, Variant::Main, PassOrder::SideAfterSide); break;
    case hmOpenShort: RedrawOpenShort(s, texts.nails); break;
    case hmCompPin: RedrawCompPin(s, texts.compPin); break;
    case hmDevice: RedrawDevice(s, texts.devices); break;
    case hmNet: RedrawNet(s, texts.net); break;
    case hmPoint: RedrawPoint(s); break;
    default:  // hmNone, and 4, which nothing sets
      break;
  }
}

void OpenBoard(Session& s, const std::string& boardFile) {
  s.BoardFile = boardFile;
  s.CompanionFile = CompanionFile(boardFile);
  s.topShown = true;
  ComputeHomeView(s.view, s.BoardFile);
  DrawLayers(s, Variant::Main, PassOrder::LayerByLayer);
  s.HighlightMode = hmBoard;
}

void CloseBoard(Session& s) {
  s.topShown = false;
  RestoreHomeView(s.view);
  s.HighlightMode = hmNone;
}

void ResetView(Session& s) {
  if (!s.HasBoard()) return;
  RestoreHomeView(s.view);
  s.HighlightMode = hmBoard;
  DrawLayers(s, Variant::Main, PassOrder::SideAfterSide);
  s.ClearHeader();
}

void TurnOver(Session& s, const SearchTexts& texts) {
  s.topShown = !s.topShown;
  if (s.HighlightMode != hmPoint) s.ClearHeader();
  Redraw(s, texts);
}

}  // namespace vantrel
