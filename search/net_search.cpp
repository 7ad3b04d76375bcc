#include "search/net_search.h"

#include <cstdint>

#include "board/board_scan.h"
#include "search/net_dialog.h"
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
    const std::int64_t h = s.view.MarkRadius;
    ImageCanvas& image = s.ImageOf(side);
    std::string name;
    std::string net;
    for (;;) {
      scan.ExpectMore();
      scan.ReadLine(name);
      if (name == markers::kPinRecordsEnd) break;
      const BoardPoint p = scan.ReadPoint();
      scan.ReadLine(net);
      scan.SkipLine();  // the fourth line
      if (!NameEquals(net, text)) continue;

      foundNet = net;
      const PixelPoint c = map.Map(p.x, p.y);
      image.setBrushColor(colors::kWhite);
      image.setPenColor(colors::kWhite);
      image.ellipse(c.x - h, c.y - h, c.x + h, c.y + h);
      pinList += ' ';
      pinList += name;
    }
  }
  s.Label1 = foundNet + "  " + pinList;
}

void NetSearch(Session& s, const std::string& text) {
  if (!s.HasBoard()) return;
  RunLayerPasses(s, Variant::Dialog, PassOrder::LayerByLayer);
  MarkNet(s, Side::Top, text);
  MarkNet(s, Side::Bottom, text);
  s.HighlightMode = hmNet;
}

void RedrawNet(Session& s) {
  if (!s.HasBoard()) return;
  const std::string text = s.net ? s.net->FieldText(1) : std::string();
  RunSidePasses(s, Side::Top, Variant::Main);
  MarkNet(s, Side::Top, text);
  RunSidePasses(s, Side::Bottom, Variant::Main);
  MarkNet(s, Side::Bottom, text);
}

}  // namespace vantrel
