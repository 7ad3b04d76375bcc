#include "search/open_short_search.h"

#include "board/board_records.h"
#include "render/marks.h"
#include "search/layers.h"
#include "search/piece_text.h"

namespace vantrel {

namespace {

constexpr Color kSlotColor[3] = {colors::kWhite, colors::kRed, colors::kYellow};
constexpr int kNailShift = 0;
constexpr int kPinShift = 3;

// A disc in the slot's colour at the point's rounded centre and the label
// beside it, without a background.
void MarkPoint(SideWork& work, BoardPoint p, Color color, std::string_view label, int shift) {
  const PixelPoint c = SideMapping::Of(work.view, work.side).Map(p);
  work.picture.setBrushColor(color);  // solid
  work.picture.setPenColor(color);
  DrawPinMarker(work.picture, c, work.view.MarkRadius);
  WritePinLabel(work.picture, c, work.view.MarkRadius, work.view.MarkMargin, shift, color, label);
}

// What one side's nail pass found, as far as it got.
struct NailsFound {
  bool ran = false;  // the pass began: it empties the header lines
  std::array<bool, 3> found{};
  // Each slot's net as the pass left it: the top side's scan empties it
  // once it reaches the nail section, a find sets it.
  std::array<std::optional<std::string>, 3> net;
};

// The nail scan of one slot on one side. The board file's nail section ends
// at "5 5 5 5"; the scan of "jet.CON" reads on through the net blocks to the
// end of the file. At the first line with the name it marks the nail and
// keeps its net line.
void FindNail(SideWork& work, int slot, const std::string& name, NailsFound& nails) {
  const bool top = work.side == Side::Top;
  BoardScan scan(work.file);
  scan.SkipToSection(markers::kPinRecordsEnd);
  if (top) nails.net[slot].emplace();
  std::string line;
  for (;;) {
    if (top) scan.ExpectMore();
    scan.ReadLine(line);
    if (NameEquals(line, name)) {
      const BoardPoint p = scan.ReadPoint();
      std::string net = scan.ReadLine();
      MarkPoint(work, p, kSlotColor[slot], name, kNailShift);
      nails.found[slot] = true;
      nails.net[slot] = std::move(net);
      scan.ReadShortField();  // the fourth line means nothing here
      scan.SkipToNextLine();
      return;
    }
    if (top ? line == markers::kNailsEnd : scan.AtEnd()) return;
  }
}

// MarkNailsTop and MarkNailsBottom: the nail pass of a side.
void MarkNails(SideWork& work, const SlotNames& names, NailsFound& nails) {
  nails.ran = true;
  for (int slot = 0; slot < 3; ++slot) {
    if (!names[slot].empty()) FindNail(work, slot, names[slot], nails);
  }
}

// What one side's net-pin pass found, as far as it got.
struct PinsFound {
  bool ran = false;
  std::array<PieceText, 3> lists;  // " " + name line of each pin marked
  std::array<bool, 3> listed{};    // the slot's scan reached its end
  std::int64_t pins = 0;
};

// MarkNetPinsTop and MarkNetPinsBottom: marks and lists every pin record of
// the side's file on each named slot's net in the slot's colour.
void MarkNetPins(SideWork& work, const SlotNames& names, const std::array<std::string, 3>& nets,
                 PinsFound& found) {
  found.ran = true;
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    // A nail found nowhere, or on an empty net line, is on no net: it has no
    // pins, and the pins that are on no net are not its own.
    if (nets[slot].empty()) {
      found.listed[slot] = true;
      continue;
    }
    BoardScan scan(work.file);
    scan.SkipToSection(markers::kPinsEnd);
    PinRecord pin;
    while (ReadPinRecord(scan, pin)) {
      if (!NameEquals(pin.net, nets[slot])) continue;
      found.lists[slot].Append(" ", pin.name);
      MarkPoint(work, pin.at(), kSlotColor[slot], pin.name, kPinShift);
      ++found.pins;
    }
    found.listed[slot] = true;
  }
}

// A slot's line: "$", the nail's name, its net and NetPinList, the top side's
// pins followed by the bottom side's.
void WriteHeaderLine(Session& s, const SlotNames& names, int slot, Trigger trigger, PieceText& topPins,
                     PieceText& bottomPins) {
  const std::string_view separator = trigger == Trigger::DialogOk && slot == 0 ? "  " : " ";
  const std::string& net = s.highlight.memory.openShort.NailNet[slot];
  // Written in place, the lists let go of as they are copied: on a large
  // net they are long.
  std::string& line = s.pictures.header[slot];
  line.clear();
  line.reserve(1 + names[slot].size() + 2 * separator.size() + net.size() + topPins.size() +
               bottomPins.size());
  line += '$';
  line += names[slot];
  line += separator;
  line += net;
  line += separator;
  topPins.MoveTo(line);
  bottomPins.MoveTo(line);
}

// The layer passes and the nail passes of both sides: the OK's layers layer
// by layer, the redraw's side after side, then the top nails and the bottom
// nails. Each nail pass empties the header lines; the OK shows the side of
// the last nail found, the bottom side's over the top side's.
void NailPhase(Session& s, const SlotNames& names, Trigger trigger, Findings& findings) {
  Stage<NailsFound> stage{
      .rounds = {{[&names](SideWork& work, NailsFound& nails) { MarkNails(work, names, nails); }}},
      .apply =
          [&](Side side, NailsFound& nails) {
            if (!nails.ran) return;
            s.pictures.ClearHeader();
            findings.found[side] = nails.found;
            for (int slot = 0; slot < 3; ++slot) {
              if (nails.net[slot]) s.highlight.memory.openShort.NailNet[slot] = std::move(*nails.net[slot]);
              if (nails.found[slot] && trigger == Trigger::DialogOk) s.view.shown = side;
            }
          },
      .opensWithOutline = true};
  const BoxStyle boxes = BoxesFor(trigger);
  if (trigger == Trigger::DialogOk) {
    std::vector<Round<NailsFound>> layers = LayerByLayer<NailsFound>(boxes);
    stage.rounds.insert(stage.rounds.begin(), layers.begin(), layers.end());
  } else {
    stage.rounds.insert(stage.rounds.begin(), LayerSteps<NailsFound>(boxes));
  }
  s.runner.Run(s, stage);
}

// The net-pin passes of both sides over the nets the nail passes left, then
// each named slot's header line once both sides have listed its pins. The
// lists go once their lines are written: on a large net they are long.
void NetPinPhase(Session& s, const SlotNames& names, Trigger trigger, Findings& findings) {
  const std::array<std::string, 3>& nets = s.highlight.memory.openShort.NailNet;
  std::array<PieceText, 3> topPins;
  Stage<PinsFound> stage{
      .rounds = {{[&](SideWork& work, PinsFound& found) { MarkNetPins(work, names, nets, found); }}},
      .apply = [&](Side side, PinsFound& found) {
        if (!found.ran) return;
        findings.pinsMarked[side] = found.pins;
        if (side == Side::Top) {
          topPins = std::move(found.lists);
          findings.pinsMarked.bottom = 0;
          return;
        }
        for (int slot = 0; slot < 3; ++slot) {
          if (found.listed[slot]) WriteHeaderLine(s, names, slot, trigger, topPins[slot], found.lists[slot]);
          topPins[slot] = {};
          found.lists[slot] = {};
        }
      }};
  s.runner.Run(s, stage);
}

void LayersAndPasses(Session& s, const SlotNames& names, Trigger trigger, Findings& findings) {
  NailPhase(s, names, trigger, findings);
  NetPinPhase(s, names, trigger, findings);
}

}  // namespace

bool OpenShortSearch(Session& s, const SlotNames& names) {
  return RunSearch(s, SearchKind::OpenShort, names, [&](Findings& findings) {
    s.pictures.ClearHeader();
    LayersAndPasses(s, names, Trigger::DialogOk, findings);
  });
}

void RedrawOpenShort(Session& s, const SlotNames& names) {
  RunRedraw(s, SearchKind::OpenShort, names,
            [&](Findings& findings) { LayersAndPasses(s, names, Trigger::Redraw, findings); });
}

}  // namespace vantrel
