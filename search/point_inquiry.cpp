#include "search/point_inquiry.h"

#include <string>
#include <string_view>

#include "board/board_scan.h"
#include "search/nail_dialog.h"
#include "search/session.h"

namespace vantrel {

namespace {

struct PinRecord {
  std::string name;
  BoardPoint at;
  std::string net;
  std::string fourth;
};

// Reads the next record of the pin record section; false at "4 4 4 4".
bool ReadPinRecord(BoardScan& scan, PinRecord& pin) {
  scan.ExpectMore();
  scan.ReadLine(pin.name);
  if (pin.name == markers::kPinRecordsEnd) return false;
  pin.at = scan.ReadPoint();
  scan.ReadLine(pin.net);
  scan.ReadLine(pin.fourth);
  return true;
}

// The pin centre in pixels, in reals: the side's mapping before rounding.
struct RealPoint {
  double x;
  double y;
};

RealPoint Unrounded(const SideMapping& map, BoardPoint p) {
  const double x = map.scale() * p.x + map.originX();
  const double y =
      map.side() == Side::Top ? map.originY() - map.scale() * p.y : map.scale() * p.y + map.originY();
  return {x, y};
}

bool Hits(const SideMapping& map, std::int32_t radius, BoardPoint pin, std::int32_t x, std::int32_t y) {
  const RealPoint c = Unrounded(map, pin);
  const double h = radius;
  return c.x - h < x && x < c.x + h && c.y - h < y && y < c.y + h;
}

// The marker box of a pin: its rounded centre +- H.
void MarkerEllipse(Session& s, Side side, BoardPoint pin) {
  const PixelPoint c = SideMapping::Of(s.view, side).Map(pin.x, pin.y);
  const std::int64_t h = s.view.MarkRadius;
  s.ImageOf(side).ellipse(c.x - h, c.y - h, c.x + h, c.y + h);
}

// A white disc, outlined with the pen the canvas holds.
void DrawDisc(Session& s, Side side, BoardPoint pin) {
  s.ImageOf(side).setBrushColor(colors::kWhite);
  MarkerEllipse(s, side, pin);
}

// The pin's name in red beside its disc, without a background.
void WriteLabel(Session& s, Side side, BoardPoint pin, std::string_view text) {
  const PixelPoint c = SideMapping::Of(s.view, side).Map(pin.x, pin.y);
  const std::int64_t h = s.view.MarkRadius;
  const std::int64_t d = s.view.MarkMargin;
  Canvas& image = s.ImageOf(side);
  image.setBrushStyle(BrushStyle::Clear);
  image.setFontName("Times New Roman");
  image.setFontSize(CheckedInt32(d + 4));
  image.setFontColor(colors::kRed);
  image.textOut(c.x - h + d + 3, c.y - h - d, text);
}

// A yellow outline with the brush the canvas holds.
void DrawRing(Session& s, Side side, BoardPoint pin) {
  s.ImageOf(side).setPenColor(colors::kYellow);
  MarkerEllipse(s, side, pin);
}

// Redraws one side's layers and marks the net of PointNet on it: the pin named
// `pinName` with the disc and label, every other pin of the net with a ring.
void RemarkSide(Session& s, Side side, const std::string& pinName) {
  RunSidePasses(s, side, Variant::Main);
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, s.PointNet)) continue;
    if (pin.name != pinName) {
      DrawRing(s, side, pin.at);
    } else {
      DrawDisc(s, side, pin.at);
      WriteLabel(s, side, pin.at, pinName);
    }
  }
}

}  // namespace

void PointInquiry(Session& s, Side side, std::int32_t x, std::int32_t y) {
  if (!s.HasBoard()) return;
  const SideMapping map = SideMapping::Of(s.view, side);
  PinRecord hit;
  {
    BoardScan scan(s.FileOf(side));
    scan.SkipToSection(markers::kPinsEnd);
    bool found = false;
    while (!found && ReadPinRecord(scan, hit)) found = Hits(map, s.view.MarkRadius, hit.at, x, y);
    if (!found) return;

    RunSidePasses(s, side, Variant::Main);
    if (s.nail) s.nail->ClearFields();
    DrawDisc(s, side, hit.at);
    (side == Side::Top ? s.PointTopPin : s.PointBottomPin) = hit.name;
    s.PointNet = hit.net;
    WriteLabel(s, side, hit.at, hit.name);
    s.HighlightMode = hmPoint;
  }
  if (hit.name.empty()) return;

  std::string mates;
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, hit.net) || pin.name == hit.name) continue;
    DrawRing(s, side, pin.at);
    mates += pin.name;
    mates += ' ';
  }
  s.Label1 = hit.name + "  " + hit.net + "  $" + hit.fourth + "  " + mates;
}

bool ZoomAboutPointer(Session& s, Side side) {
  ViewState& v = s.view;
  if (v.Scale >= 2000) return false;
  const bool top = side == Side::Top;
  v.ZoomStep = CheckedInt32(static_cast<std::int64_t>(v.ZoomStep) + 1);
  const std::int64_t increment = top ? 90 : 50;
  const std::int64_t newScale = v.Scale + increment;
  std::int32_t& originX = top ? v.TopOriginX : v.BottomOriginX;
  std::int32_t& originY = top ? v.TopOriginY : v.BottomOriginY;
  // |pointer - origin| < 2^32 and |Scale + s| < 2^31, so the products fit.
  const std::int64_t productX = (static_cast<std::int64_t>(s.PointerX) - originX) * newScale;
  const std::int64_t productY = (static_cast<std::int64_t>(s.PointerY) - originY) * newScale;
  originX = RoundToInt32(392 - Divide(static_cast<double>(productX), v.Scale));
  originY = RoundToInt32(245 - Divide(static_cast<double>(productY), v.Scale));
  v.Scale = CheckedInt32(newScale);
  if (top) {
    v.MarkMargin = CheckedInt32(static_cast<std::int64_t>(v.MarkMargin) + 4);
    v.MarkRadius = CheckedInt32(static_cast<std::int64_t>(v.MarkRadius) + (v.ZoomStep <= 3 ? 2 : 1));
  } else if (v.ZoomStep != 1) {
    v.MarkMargin = CheckedInt32(static_cast<std::int64_t>(v.MarkMargin) + 2);
    v.MarkRadius = CheckedInt32(static_cast<std::int64_t>(v.MarkRadius) + 1);
  }
  return true;
}

void RedrawPoint(Session& s) {
  if (!s.HasBoard()) return;
  RemarkSide(s, Side::Top, s.PointTopPin);
  RemarkSide(s, Side::Bottom, s.PointBottomPin);
}

}  // namespace vantrel
