#include "search/open_short_search.h"

#include "board/board_records.h"
#include "render/marks.h"

namespace vantrel {

namespace {

constexpr Color kSlotColor[3] = {colors::kWhite, colors::kRed, colors::kYellow};
constexpr int kNailShift = 0;
constexpr int kPinShift = 3;

// A disc in the slot's colour at the point's rounded centre and the label
// beside it, without a background.
void MarkPoint(Session& s, Side side, BoardPoint p, Color color, std::string_view label, int shift) {
  const PixelPoint c = SideMapping::Of(s.view, side).Map(p);
  Canvas& image = s.ImageOf(side);
  image.setBrushColor(color);  // solid
  image.setPenColor(color);
  DrawPinMarker(image, c, s.view.MarkRadius);
  WritePinLabel(image, c, s.view.MarkRadius, s.view.MarkMargin, shift, color, label);
}

// The nail scan of one slot on one side. The board file's nail section ends at
// "5 5 5 5"; the scan of "jet.CON" reads on through the net blocks to the end
// of the file. Returns whether the nail was found.
bool FindNail(Session& s, Side side, int slot, const std::string& name) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinRecordsEnd);
  if (side == Side::Top) s.openShort.NailNet[slot].clear();
  std::string line;
  for (;;) {
    if (side == Side::Top) scan.ExpectMore();
    scan.ReadLine(line);
    if (NameEquals(line, name)) {
      const BoardPoint p = scan.ReadPoint();
      std::string net = scan.ReadLine();
      MarkPoint(s, side, p, kSlotColor[slot], name, kNailShift);
      s.openShort.NailNet[slot] = std::move(net);
      scan.ReadShortField();  // the fourth line means nothing here
      scan.SkipToNextLine();
      return true;
    }
    if (side == Side::Top ? line == markers::kNailsEnd : scan.AtEnd()) return false;
  }
}

void MarkNails(Session& s, Side side, const SlotNames& names, PassForm form) {
  s.ClearHeader();
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    const bool found = FindNail(s, side, slot, names[slot]);
    if (found && form == PassForm::Dialog) s.topShown = side == Side::Top;
  }
}

// Marks and lists every pin record of the side's file on the slot's net.
void MarkNetPins(Session& s, Side side, int slot) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  const std::string& net = s.openShort.NailNet[slot];
  std::string& list = s.openShort.NetPinList[slot];
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, net)) continue;
    list += ' ';
    list += pin.name;
    MarkPoint(s, side, pin.at, kSlotColor[slot], pin.name, kPinShift);
  }
}

}  // namespace

void MarkNailsTop(Session& s, const SlotNames& names, PassForm form) { MarkNails(s, Side::Top, names, form); }

void MarkNailsBottom(Session& s, const SlotNames& names, PassForm form) {
  MarkNails(s, Side::Bottom, names, form);
}

void MarkNetPinsTop(Session& s, const SlotNames& names, PassForm) {
  for (std::string& list : s.openShort.NetPinList) list.clear();
  for (int slot = 0; slot < 3; ++slot) {
    if (!names[slot].empty()) MarkNetPins(s, Side::Top, slot);
  }
}

void MarkNetPinsBottom(Session& s, const SlotNames& names, PassForm form) {
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    MarkNetPins(s, Side::Bottom, slot);
    const char* separator = form == PassForm::Dialog && slot == 0 ? "  " : " ";
    s.header[slot] =
        JoinHeader({"$" + names[slot], s.openShort.NailNet[slot], s.openShort.NetPinList[slot]}, separator);
  }
}

void RunOpenShortPasses(Session& s, const SlotNames& names, PassForm form) {
  MarkNailsTop(s, names, form);
  MarkNailsBottom(s, names, form);
  MarkNetPinsTop(s, names, form);
  MarkNetPinsBottom(s, names, form);
}

bool OpenShortSearch(Session& s, const SlotNames& names) {
  if (!s.HasBoard()) return false;
  s.ClearHeader();
  RunLayerPasses(s, Variant::Dialog, PassOrder::LayerByLayer);
  RunOpenShortPasses(s, names, PassForm::Dialog);
  s.HighlightMode = hmOpenShort;
  return true;
}

void RedrawOpenShort(Session& s, const SlotNames& names) {
  if (!s.HasBoard()) return;
  RunLayerPasses(s, Variant::Main, PassOrder::SideAfterSide);
  RunOpenShortPasses(s, names, PassForm::Redraw);
}

}  // namespace vantrel
