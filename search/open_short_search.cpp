#include "search/open_short_search.h"

#include "board/board_records.h"
#include "render/marks.h"
#include "search/side_tasks.h"

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
// of the file. At the first line with the name it marks the nail and gives
// its net line in `net`, which the top side's scan empties first; returns
// whether the nail was found.
bool FindNail(Session& s, Side side, int slot, const std::string& name, std::string& net) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinRecordsEnd);
  if (side == Side::Top) net.clear();
  std::string line;
  for (;;) {
    if (side == Side::Top) scan.ExpectMore();
    scan.ReadLine(line);
    if (NameEquals(line, name)) {
      const BoardPoint p = scan.ReadPoint();
      std::string found = scan.ReadLine();
      MarkPoint(s, side, p, kSlotColor[slot], name, kNailShift);
      s.findings.Found(side, slot);
      net = std::move(found);
      scan.ReadShortField();  // the fourth line means nothing here
      scan.SkipToNextLine();
      return true;
    }
    if (side == Side::Top ? line == markers::kNailsEnd : scan.AtEnd()) return false;
  }
}

void MarkNails(Session& s, Side side, const SlotNames& names, PassForm form) {
  s.ClearHeader();
  s.findings.found[Findings::Index(side)] = {};
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    const bool found = FindNail(s, side, slot, names[slot], s.openShort.NailNet[slot]);
    if (found && form == PassForm::Dialog) s.topShown = side == Side::Top;
  }
}

// Marks and lists every pin record of the side's file on `net` in the slot's
// colour, appending " " + name line to `list` for each.
void MarkNetPins(Session& s, Side side, int slot, const std::string& net, std::string& list) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, net)) continue;
    list += ' ';
    list += pin.name;
    MarkPoint(s, side, pin.at(), kSlotColor[slot], pin.name, kPinShift);
    s.findings.PinMarked(side);
  }
}

void WriteHeaderLine(Session& s, const SlotNames& names, int slot, PassForm form) {
  const std::string_view separator = form == PassForm::Dialog && slot == 0 ? "  " : " ";
  const OpenShortMemory& m = s.openShort;
  // Written in place: on a large net the list is long.
  std::string& line = s.header[slot];
  line.clear();
  line.reserve(1 + names[slot].size() + 2 * separator.size() + m.NailNet[slot].size() +
               m.NetPinsTop[slot].size() + m.NetPinsBottom[slot].size());
  line += '$';
  line += names[slot];
  line += separator;
  line += m.NailNet[slot];
  line += separator;
  line += m.NetPinsTop[slot];  // NetPinList: the top side's pins, then the bottom side's
  line += m.NetPinsBottom[slot];
}

// What one side's half of the split form found, slot by slot.
struct SideFinds {
  std::array<bool, 3> nailFound{};
  std::array<std::string, 3> nailNet;
};

// The net of each named slot's nail once both nail scans have run: the
// bottom side's where it was found there, else the top side's, else empty.
std::array<std::string, 3> NailNets(const SlotNames& names, const SideFinds (&finds)[2]) {
  std::array<std::string, 3> nets;
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    if (finds[0].nailFound[slot]) nets[slot] = finds[0].nailNet[slot];
    if (finds[1].nailFound[slot]) nets[slot] = finds[1].nailNet[slot];
  }
  return nets;
}

// The layer passes and the four passes. Split, each side runs its layer
// passes and nail scans, waits for the other side's nails to know each
// slot's net, and marks and lists its own side's pins on it; the merge keeps
// the nets, writes the header lines and shows the side the dialog form would.
// Once both nail scans have succeeded, the run in turn would reach the
// net-pin passes, which empty and refill the lists, so the lists each side
// fills here are what a replay after an error fills anew.
void LayersAndPasses(Session& s, const SlotNames& names, Variant variant, PassOrder order, PassForm form) {
  SideFinds finds[2];
  Rendezvous nailsFound;
  auto half = [&](Side side) {
    return [&, side] {
      SideFinds& f = finds[side == Side::Top ? 0 : 1];
      s.findings.ClearSide(side);
      try {
        RunSidePassesApart(s, side, variant);
        for (int slot = 0; slot < 3; ++slot) {
          if (!names[slot].empty()) f.nailFound[slot] = FindNail(s, side, slot, names[slot], f.nailNet[slot]);
        }
      } catch (...) {
        nailsFound.Abandon();
        throw;
      }
      nailsFound.Meet();
      const std::array<std::string, 3> nets = NailNets(names, finds);
      std::array<std::string, 3>& lists =
          side == Side::Top ? s.openShort.NetPinsTop : s.openShort.NetPinsBottom;
      for (int slot = 0; slot < 3; ++slot) {
        lists[slot].clear();
        if (!names[slot].empty()) MarkNetPins(s, side, slot, nets[slot], lists[slot]);
      }
    };
  };
  const auto merge = [&] {
    ClearHeaderPicture(s);
    s.ClearHeader();
    const std::array<std::string, 3> nets = NailNets(names, finds);
    for (int slot = 0; slot < 3; ++slot) {
      if (names[slot].empty()) continue;
      s.openShort.NailNet[slot] = nets[slot];
      WriteHeaderLine(s, names, slot, form);
    }
    if (form != PassForm::Dialog) return;
    for (const SideFinds& f : finds) {
      for (const bool found : f.nailFound) {
        if (found) s.topShown = &f == &finds[0];
      }
    }
  };
  RunSides(s, {half(Side::Top), half(Side::Bottom), merge, true}, [&] {
    RunLayerPasses(s, variant, order);
    RunOpenShortPasses(s, names, form);
  });
}

}  // namespace

void MarkNailsTop(Session& s, const SlotNames& names, PassForm form) { MarkNails(s, Side::Top, names, form); }

void MarkNailsBottom(Session& s, const SlotNames& names, PassForm form) {
  MarkNails(s, Side::Bottom, names, form);
}

void MarkNetPinsTop(Session& s, const SlotNames& names, PassForm) {
  OpenShortMemory& m = s.openShort;
  for (int slot = 0; slot < 3; ++slot) {
    m.NetPinsTop[slot].clear();
    m.NetPinsBottom[slot].clear();
  }
  s.findings.pinsMarked = {};
  for (int slot = 0; slot < 3; ++slot) {
    if (!names[slot].empty()) MarkNetPins(s, Side::Top, slot, m.NailNet[slot], m.NetPinsTop[slot]);
  }
}

void MarkNetPinsBottom(Session& s, const SlotNames& names, PassForm form) {
  OpenShortMemory& m = s.openShort;
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    MarkNetPins(s, Side::Bottom, slot, m.NailNet[slot], m.NetPinsBottom[slot]);
    WriteHeaderLine(s, names, slot, form);
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
  s.findings.Begin(hmOpenShort, names);
  s.ClearHeader();
  LayersAndPasses(s, names, Variant::Dialog, PassOrder::LayerByLayer, PassForm::Dialog);
  s.HighlightMode = hmOpenShort;
  return true;
}

void RedrawOpenShort(Session& s, const SlotNames& names) {
  if (!s.HasBoard()) return;
  s.findings.Begin(hmOpenShort, names);
  LayersAndPasses(s, names, Variant::Main, PassOrder::SideAfterSide, PassForm::Redraw);
}

}  // namespace vantrel
