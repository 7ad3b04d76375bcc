#include "search/open_short_search.h"

#include "board/board_scan.h"
#include "search/nail_dialog.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr Color kSlotColor[3] = {colors::kWhite, colors::kRed, colors::kYellow};
constexpr int kNailShift = 0;
constexpr int kPinShift = 3;

std::string& HeaderLine(Session& s, int slot) {
  switch (slot) {
    case 0:
      return s.Label1;
    case 1:
      return s.Label2;
    default:
      return s.Label4;
  }
}

// A disc in the slot's colour at the point's rounded centre and the label
// beside it, without a background.
void MarkPoint(Session& s, Side side, BoardPoint p, Color color, std::string_view label, int shift) {
  const ViewState& v = s.view;
  const PixelPoint c = SideMapping::Of(v, side).Map(p.x, p.y);
  const std::int64_t h = v.MarkRadius;
  const std::int64_t d = v.MarkMargin;
  Canvas& image = s.ImageOf(side);
  image.setBrushColor(color);  // solid
  image.setPenColor(color);
  image.ellipse(c.x - h, c.y - h, c.x + h, c.y + h);
  image.setBrushStyle(BrushStyle::Clear);
  image.setFontName("Times New Roman");
  image.setFontSize(CheckedInt32(d + 4));
  image.setFontColor(color);
  image.textOut(c.x - h + d + shift, c.y - h - d, label);
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

void MarkNails(Session& s, Side side, const NailNames& names, PassForm form) {
  s.ClearHeader();
  for (int slot = 0; slot < 3; ++slot) {
    if (names.slot[slot].empty()) continue;
    const bool found = FindNail(s, side, slot, names.slot[slot]);
    if (found && form == PassForm::Dialog) s.Image1Visible = side == Side::Top;
  }
}

// Marks and lists every pin record of the side's file on the slot's net.
void MarkNetPins(Session& s, Side side, int slot) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  const std::string& net = s.openShort.NailNet[slot];
  std::string& list = s.openShort.NetPinList[slot];
  std::string name;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(name);
    if (name == markers::kPinRecordsEnd) return;
    const BoardPoint p = scan.ReadPoint();
    const bool onNet = scan.ReadLineEquals(net, true);
    scan.SkipLine();  // the fourth line
    if (onNet) {
      list += ' ';
      list += name;
      MarkPoint(s, side, p, kSlotColor[slot], name, kPinShift);
    }
  }
}

}  // namespace

void MarkNailsTop(Session& s, const NailNames& names, PassForm form) { MarkNails(s, Side::Top, names, form); }

void MarkNailsBottom(Session& s, const NailNames& names, PassForm form) {
  MarkNails(s, Side::Bottom, names, form);
}

void MarkNetPinsTop(Session& s, const NailNames& names, PassForm) {
  for (std::string& list : s.openShort.NetPinList) list.clear();
  for (int slot = 0; slot < 3; ++slot) {
    if (!names.slot[slot].empty()) MarkNetPins(s, Side::Top, slot);
  }
}

void MarkNetPinsBottom(Session& s, const NailNames& names, PassForm form) {
  for (int slot = 0; slot < 3; ++slot) {
    const std::string& name = names.slot[slot];
    if (name.empty()) continue;
    MarkNetPins(s, Side::Bottom, slot);
    const char* separator = form == PassForm::Dialog && slot == 0 ? "  " : " ";
    HeaderLine(s, slot) =
        "$" + name + separator + s.openShort.NailNet[slot] + separator + s.openShort.NetPinList[slot];
  }
}

void RunOpenShortPasses(Session& s, const NailNames& names, PassForm form) {
  MarkNailsTop(s, names, form);
  MarkNailsBottom(s, names, form);
  MarkNetPinsTop(s, names, form);
  MarkNetPinsBottom(s, names, form);
}

NailNames NailNamesOf(const Session& s) {
  NailNames names;
  if (s.nail) {
    for (int slot = 0; slot < 3; ++slot) names.slot[slot] = s.nail->FieldText(slot + 1);
  }
  return names;
}

void RedrawOpenShort(Session& s) {
  if (!s.HasBoard()) return;
  RunLayerPasses(s, Variant::Main, PassOrder::SideAfterSide);
  RunOpenShortPasses(s, NailNamesOf(s), PassForm::Redraw);
}

}  // namespace vantrel
