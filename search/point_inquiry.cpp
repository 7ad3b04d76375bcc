#include "search/point_inquiry.h"

#include <string>
#include <string_view>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/session.h"
#include "search/side_tasks.h"

namespace vantrel {

namespace {

constexpr int kLabelShift = 3;

bool Hits(const SideMapping& map, std::int32_t radius, BoardPoint pin, std::int32_t x, std::int32_t y) {
  const RealPoint c = map.MapReal(pin);
  const double h = radius;
  return c.x - h < x && x < c.x + h && c.y - h < y && y < c.y + h;
}

// Draws the pin's marker ellipse on its side with the canvas's pen and brush.
void Marker(Session& s, Side side, BoardPoint pin) {
  DrawPinMarker(s.ImageOf(side), SideMapping::Of(s.view, side).Map(pin), s.view.MarkRadius);
}

// A white disc, outlined with the pen the canvas holds.
void DrawDisc(Session& s, Side side, BoardPoint pin) {
  s.ImageOf(side).setBrushColor(colors::kWhite);
  Marker(s, side, pin);
}

// A yellow outline with the brush the canvas holds.
void DrawRing(Session& s, Side side, BoardPoint pin) {
  s.ImageOf(side).setPenColor(colors::kYellow);
  Marker(s, side, pin);
}

// The pin's name in red beside its disc, without a background.
void WriteLabel(Session& s, Side side, BoardPoint pin, std::string_view text) {
  WritePinLabel(s.ImageOf(side), SideMapping::Of(s.view, side).Map(pin), s.view.MarkRadius, s.view.MarkMargin,
                kLabelShift, colors::kRed, text);
}

// Redraws one side's layers and marks the net of PointNet on it: the pin named
// `pinName` with the disc and label, every other pin of the net with a ring.
// Apart: without clearing the header strip (session.h).
void RemarkSide(Session& s, Side side, const std::string& pinName, bool apart = false) {
  if (apart) {
    RunSidePassesApart(s, side, Variant::Main);
  } else {
    RunSidePasses(s, side, Variant::Main);
  }
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, s.point.PointNet)) continue;
    const BoardPoint at = pin.at();
    if (pin.name != pinName) {
      DrawRing(s, side, at);
    } else {
      DrawDisc(s, side, at);
      WriteLabel(s, side, at, pinName);
    }
  }
}

}  // namespace

void PointInquiry(Session& s, Side side, std::int32_t x, std::int32_t y,
                  const std::function<void()>& emptyNailFields) {
  if (!s.HasBoard()) return;
  const SideMapping map = SideMapping::Of(s.view, side);
  PinRecord hit;
  {
    BoardScan scan(s.FileOf(side));
    scan.SkipToSection(markers::kPinsEnd);
    bool found = false;
    while (!found && ReadPinRecord(scan, hit, true)) found = Hits(map, s.view.MarkRadius, hit.at(), x, y);
    if (!found) return;

    RunSidePasses(s, side, Variant::Main);
    if (emptyNailFields) emptyNailFields();
    const BoardPoint at = hit.at();
    DrawDisc(s, side, at);
    (side == Side::Top ? s.point.PointTopPin : s.point.PointBottomPin) = hit.name;
    s.point.PointNet = hit.net;
    WriteLabel(s, side, at, hit.name);
    s.HighlightMode = hmPoint;
  }
  if (hit.name.empty()) return;

  std::string mates;
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, hit.net) || pin.name == hit.name) continue;
    DrawRing(s, side, pin.at());
    mates += pin.name;
    mates += ' ';
  }
  s.header[0] = JoinHeader({hit.name, hit.net, "$" + hit.fourth, mates}, "  ");
}

void RedrawPoint(Session& s) {
  if (!s.HasBoard()) return;
  const std::string& top = s.point.PointTopPin;
  const std::string& bottom = s.point.PointBottomPin;
  RunSides(s,
           {.top = [&] { RemarkSide(s, Side::Top, top, true); },
            .bottom = [&] { RemarkSide(s, Side::Bottom, bottom, true); },
            .merge = [&] { ClearHeaderPicture(s); },
            .startsWithTopOutline = true},
           [&] {
             RemarkSide(s, Side::Top, top);
             RemarkSide(s, Side::Bottom, bottom);
           });
}

}  // namespace vantrel
