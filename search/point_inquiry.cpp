#include "search/point_inquiry.h"

#include <string>
#include <string_view>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/comp_pin_search.h"
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

// Reads the side's pin records up to the first whose marker holds (x, y).
bool FindHit(const Session& s, Side side, std::int32_t x, std::int32_t y, PinRecord& hit) {
  const SideMapping map = SideMapping::Of(s.view, side);
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  while (ReadPinRecord(scan, hit, true)) {
    if (Hits(map, s.view.MarkRadius, hit.at(), x, y)) return true;
  }
  return false;
}

}  // namespace

std::optional<PinRecord> PinUnderPointer(const Session& s, Side side, std::int32_t x, std::int32_t y) {
  PinRecord hit;
  if (!s.HasBoard() || !FindHit(s, side, x, y, hit)) return std::nullopt;
  return hit;
}

std::string PinDescription(const PinRecord& pin) {
  std::string_view name = pin.name;
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  std::string text = "Pin " + std::string(name) + "\nNet " + pin.net;
  if (!pin.fourth.empty()) text += "\n" + pin.fourth;
  if (const std::optional<std::string> part = PartNameOf(name)) text += "\nPart " + *part;
  return text;
}

void PointInquiry(Session& s, Side side, std::int32_t x, std::int32_t y,
                  const std::function<void()>& emptyNailFields) {
  if (!s.HasBoard()) return;
  PinRecord hit;
  if (!FindHit(s, side, x, y, hit)) return;

  RunSidePasses(s, side, Variant::Main);
  if (emptyNailFields) emptyNailFields();
  const BoardPoint at = hit.at();
  DrawDisc(s, side, at);
  (side == Side::Top ? s.point.PointTopPin : s.point.PointBottomPin) = hit.name;
  s.point.PointNet = hit.net;
  WriteLabel(s, side, at, hit.name);
  s.HighlightMode = hmPoint;
  s.findings.Begin(hmPoint, {hit.name, "", ""});
  s.findings.Found(side, 0);
  s.findings.net = hit.net;
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
