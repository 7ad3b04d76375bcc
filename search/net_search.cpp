#include "search/net_search.h"

#include "board/board_records.h"
#include "render/marks.h"
#include "search/session.h"

namespace vantrel {

void MarkNet(Session& s, Side side, const std::string& text) {
  if (text.empty()) return;
  std::string foundNet;
  std::string pinList;
  {
    BoardScan scan(s.FileOf(side));
    scan.SkipToSection(markers::kPinsEnd);
    const SideMapping map = SideMapping::Of(s.view, side);
    ImageCanvas& image = s.ImageOf(side);
    PinRecord pin;
    while (ReadPinRecord(scan, pin)) {
      if (!NameEquals(pin.net, text)) continue;
      foundNet = pin.net;
      const PixelPoint c = map.Map(pin.at);
      image.setBrushColor(colors::kWhite);
      image.setPenColor(colors::kWhite);
      DrawPinMarker(image, c, s.view.MarkRadius);
      pinList += ' ';
      pinList += pin.name;
    }
  }
  s.header[0] = JoinHeader({foundNet, pinList}, "  ");
}

bool NetSearch(Session& s, const std::string& text) {
  if (!s.HasBoard()) return false;
  RunLayerPasses(s, Variant::Dialog, PassOrder::LayerByLayer);
  MarkNet(s, Side::Top, text);
  MarkNet(s, Side::Bottom, text);
  s.HighlightMode = hmNet;
  return true;
}

void RedrawNet(Session& s, const std::string& text) {
  if (!s.HasBoard()) return;
  RunSidePasses(s, Side::Top, Variant::Main);
  MarkNet(s, Side::Top, text);
  RunSidePasses(s, Side::Bottom, Variant::Main);
  MarkNet(s, Side::Bottom, text);
}

}  // namespace vantrel
