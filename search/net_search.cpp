#include "search/net_search.h"

#include <optional>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/layers.h"
#include "search/session.h"

namespace vantrel {

namespace {

// What one side's marking step found, as far as it got.
struct NetSide {
  bool marked = false;  // the marking step ran
  std::int64_t pins = 0;
  std::optional<std::string> line;  // the first header line it makes
};

void MarkNetOn(SideWork& work, const std::string& text, NetSide& found) {
  found.marked = true;
  if (text.empty()) return;
  std::string foundNet;
  std::string pinList;
  BoardScan scan(work.file);
  scan.SkipToSection(markers::kPinsEnd);
  const SideMapping map = SideMapping::Of(work.view, work.side);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, text)) continue;
    foundNet = pin.net;
    work.picture.setBrushColor(colors::kWhite);
    work.picture.setPenColor(colors::kWhite);
    DrawPinMarker(work.picture, map.Map(pin.at()), work.view.MarkRadius);
    ++found.pins;
    pinList += ' ';
    pinList += pin.name;
  }
  found.line = JoinHeader({foundNet, pinList}, "  ");
}

// The layer passes of both sides and their marking steps: after the OK's
// passes layer by layer, after the redraw's on the same side.
void MarkNet(Session& s, const std::string& text, Trigger trigger, Findings& findings) {
  const BoxStyle boxes = BoxesFor(trigger);
  const SideStep<NetSide> mark = [&text](SideWork& work, NetSide& found) { MarkNetOn(work, text, found); };
  Stage<NetSide> stage{.apply =
                           [&](Side side, NetSide& found) {
                             if (!found.marked) return;
                             findings.pinsMarked[side] = found.pins;
                             findings.found[side][0] = found.pins > 0;
                             if (found.line) s.pictures.header[0] = std::move(*found.line);
                           },
                       .opensWithOutline = true};
  if (trigger == Trigger::DialogOk) {
    stage.rounds = LayerByLayer<NetSide>(boxes);
    stage.rounds.push_back({mark});
  } else {
    stage.rounds = {LayerSteps<NetSide>(boxes)};
    stage.rounds[0].push_back(mark);
  }
  s.runner.Run(s, stage);
}

}  // namespace

bool NetSearch(Session& s, const std::string& text) {
  return RunSearch(s, SearchKind::Net, {text, "", ""},
                   [&](Findings& findings) { MarkNet(s, text, Trigger::DialogOk, findings); });
}

void RedrawNet(Session& s, const std::string& text) {
  RunRedraw(s, SearchKind::Net, {text, "", ""},
            [&](Findings& findings) { MarkNet(s, text, Trigger::Redraw, findings); });
}

}  // namespace vantrel
