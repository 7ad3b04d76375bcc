#include "search/net_search.h"

#include <optional>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/session.h"
#include "search/side_tasks.h"

namespace vantrel {

namespace {

// Marks the net on one side and gives the first header line it makes;
// nothing for an empty text, which reads and draws nothing.
std::optional<std::string> MarkNetOn(Session& s, Side side, const std::string& text) {
  s.findings.ClearSide(side);
  if (text.empty()) return std::nullopt;
  std::string foundNet;
  std::string pinList;
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  const SideMapping map = SideMapping::Of(s.view, side);
  ImageCanvas& image = s.ImageOf(side);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, text)) continue;
    foundNet = pin.net;
    const PixelPoint c = map.Map(pin.at());
    image.setBrushColor(colors::kWhite);
    image.setPenColor(colors::kWhite);
    DrawPinMarker(image, c, s.view.MarkRadius);
    s.findings.Found(side, 0);
    s.findings.PinMarked(side);
    pinList += ' ';
    pinList += pin.name;
  }
  return JoinHeader({foundNet, pinList}, "  ");
}

// Both sides at once, each with its layer passes in `variant` first.
SideSplit Split(Session& s, Variant variant, const std::string& text,
                std::optional<std::string> (&lines)[2]) {
  auto side = [&s, variant, &text, &lines](Side side) {
    return [&s, variant, &text, &lines, side] {
      RunSidePassesApart(s, side, variant);
      lines[side == Side::Top ? 0 : 1] = MarkNetOn(s, side, text);
    };
  };
  const auto merge = [&s, &lines] {
    ClearHeaderPicture(s);
    for (std::optional<std::string>& line : lines) {
      if (line) s.header[0] = std::move(*line);
    }
  };
  return {.top = side(Side::Top), .bottom = side(Side::Bottom), .merge = merge, .startsWithTopOutline = true};
}

}  // namespace

void MarkNet(Session& s, Side side, const std::string& text) {
  if (std::optional<std::string> line = MarkNetOn(s, side, text)) s.header[0] = std::move(*line);
}

bool NetSearch(Session& s, const std::string& text) {
  if (!s.HasBoard()) return false;
  s.findings.Begin(hmNet, {text, "", ""});
  std::optional<std::string> lines[2];
  RunSides(s, Split(s, Variant::Dialog, text, lines), [&] {
    RunLayerPasses(s, Variant::Dialog, PassOrder::LayerByLayer);
    MarkNet(s, Side::Top, text);
    MarkNet(s, Side::Bottom, text);
  });
  s.HighlightMode = hmNet;
  return true;
}

void RedrawNet(Session& s, const std::string& text) {
  if (!s.HasBoard()) return;
  s.findings.Begin(hmNet, {text, "", ""});
  std::optional<std::string> lines[2];
  RunSides(s, Split(s, Variant::Main, text, lines), [&] {
    RunSidePasses(s, Side::Top, Variant::Main);
    MarkNet(s, Side::Top, text);
    RunSidePasses(s, Side::Bottom, Variant::Main);
    MarkNet(s, Side::Bottom, text);
  });
}

}  // namespace vantrel
