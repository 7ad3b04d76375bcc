#include "search/point_inquiry.h"

#include <string>
#include <string_view>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/comp_pin_search.h"
#include "search/layers.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr int kLabelShift = 3;

bool Hits(const SideMapping& map, std::int32_t radius, BoardPoint pin, std::int32_t x, std::int32_t y) {
  const RealPoint c = map.MapReal(pin);
  const double h = radius;
  return c.x - h < x && x < c.x + h && c.y - h < y && y < c.y + h;
}

// Draws the pin's marker ellipse with the canvas's pen and brush.
void Marker(SideWork& work, BoardPoint pin) {
  DrawPinMarker(work.picture, SideMapping::Of(work.view, work.side).Map(pin), work.view.MarkRadius);
}

// A white disc, outlined with the pen the canvas holds.
void DrawDisc(SideWork& work, BoardPoint pin) {
  work.picture.setBrushColor(colors::kWhite);
  Marker(work, pin);
}

// A yellow outline with the brush the canvas holds.
void DrawRing(SideWork& work, BoardPoint pin) {
  work.picture.setPenColor(colors::kYellow);
  Marker(work, pin);
}

// The pin's name in red beside its disc, without a background.
void WriteLabel(SideWork& work, BoardPoint pin, std::string_view text) {
  WritePinLabel(work.picture, SideMapping::Of(work.view, work.side).Map(pin), work.view.MarkRadius,
                work.view.MarkMargin, kLabelShift, colors::kRed, text);
}

// Marks the net `net` on one side: the pin named `pinName` with the disc and
// label, every other pin of the net with a ring. Pins whose net line is
// empty are on no net: such a pin is marked alone.
void RemarkSide(SideWork& work, const std::string& net, const std::string& pinName) {
  BoardScan scan(work.file);
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, net)) continue;
    const BoardPoint at = pin.at();
    if (pin.name != pinName) {
      if (!net.empty()) DrawRing(work, at);
    } else {
      DrawDisc(work, at);
      WriteLabel(work, at, pinName);
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

// The hit pin's net-mates on its side: ringed, and their names listed. A pin
// whose net line is empty is on no net and has none.
std::string RingNetMates(SideWork& work, const PinRecord& hit) {
  std::string mates;
  if (hit.net.empty()) return mates;
  BoardScan scan(work.file);
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, hit.net) || pin.name == hit.name) continue;
    DrawRing(work, pin.at());
    mates += pin.name;
    mates += ' ';
  }
  return mates;
}

}  // namespace

std::optional<PinRecord> PinUnderPointer(const Session& s, Side side, std::int32_t x, std::int32_t y) {
  PinRecord hit;
  if (!s.document.HasFiles() || !FindHit(s, side, x, y, hit)) return std::nullopt;
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
  if (!s.document.HasFiles()) return;
  PinRecord hit;
  if (!FindHit(s, side, x, y, hit)) return;

  DrawSideLayers(s, side, BoxStyle::Framed);
  if (emptyNailFields) emptyNailFields();
  SideWork work{side, s.FileOf(side), s.view, s.PictureOf(side)};
  const BoardPoint at = hit.at();
  DrawDisc(work, at);
  PointMemory& memory = s.highlight.memory.point;
  memory.PointPin[side] = hit.name;
  memory.PointNet = hit.net;
  WriteLabel(work, at, hit.name);
  Findings findings(std::nullopt, {hit.name, "", ""});
  findings.net = hit.net;
  findings.found[side][0] = true;
  s.highlight.Set(HighlightMode::hmPoint, std::move(findings));
  if (hit.name.empty()) return;

  const std::string mates = RingNetMates(work, hit);
  s.pictures.header[0] = JoinHeader({hit.name, hit.net, "$" + hit.fourth, mates}, "  ");
}

void RedrawPoint(Session& s) {
  if (!s.document.HasFiles()) return;
  struct Nothing {};
  const PointMemory& memory = s.highlight.memory.point;
  Round<Nothing> steps = LayerSteps<Nothing>(BoxStyle::Framed);
  steps.push_back(
      [&memory](SideWork& work, Nothing&) { RemarkSide(work, memory.PointNet, memory.PointPin[work.side]); });
  s.runner.Run(s,
               Stage<Nothing>{.rounds = {steps}, .apply = [](Side, Nothing&) {}, .opensWithOutline = true});
}

}  // namespace vantrel
