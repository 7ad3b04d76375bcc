#include "search/comp_pin_search.h"

#include <cstdint>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/layers.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr std::size_t kShortText = 20;
constexpr std::string_view kHeaderGap = "    ";
constexpr int kLabelShift = 3;

// A line of which only the first 20 characters are kept; the rest is skipped.
std::string ReadShortLine(BoardScan& scan) {
  std::string text = scan.ReadShortField();
  scan.SkipLine();
  return text;
}

// A white outline around the first part whose name line equals `partName`,
// widened by MarkMargin like the part boxes.
void FramePart(SideWork& work, const std::string& partName) {
  const std::optional<PartRecord> part = FindPart(work.file, partName, PartsEnd::BeforeName);
  if (!part) return;
  const ScreenBox box = SideMapping::Of(work.view, work.side).MapBox(part->box);
  work.picture.setPenColor(colors::kWhite);
  TraceFrame(work.picture, box, work.view.MarkMargin);
}

// The items of the net block headed by `net` (exact), each followed by a
// blank and cut to 20 characters together; nothing when there is no block.
std::optional<std::string> NetBlockItems(const std::string& boardFile, const std::string& net) {
  BoardScan scan(boardFile);
  scan.SkipToSection(markers::kNailsEnd);
  // The net blocks run to the end of the file.
  bool found = false;
  while (!found && !scan.AtEnd()) found = scan.ReadLineEquals(net);
  if (!found) return std::nullopt;

  scan.SkipLine();  // a line that is not shown
  // Items up to the first empty line or the end of the file; only the first
  // 20 characters of the joined text are kept, so no more is read of a line.
  std::string items;
  for (;;) {
    const std::string item = ReadShortLine(scan);
    if (item.empty()) break;
    if (items.size() < kShortText) {
      items += item;
      items += ' ';
      if (items.size() > kShortText) items.resize(kShortText);
    }
  }
  return items;
}

// What one side's steps found, as far as they got.
struct PinFound {
  bool marked = false;  // the marking step ran
  bool found = false;   // it found the pin's line
  // The pin's net and fourth line, cut to 20 characters for OK.
  std::optional<std::pair<std::string, std::string>> netAndFourth;
};

// Centring step: the side's origin such that the first pin matching `text`
// falls on the pin target; nothing without a match or with an empty text.
void CentreOnPinNamed(SideWork& work, const std::string& text) {
  if (text.empty()) return;
  BoardScan scan(work.file);
  if (!FindPinLine(scan, text)) return;
  CentreOnPin(work.view, work.side, scan.ReadPoint());
}

// Marking step: at the first pin matching `text`, the side redrawn with the
// disc and label, the pin's net and fourth line kept, and its part framed.
void MarkPin(SideWork& work, const std::string& text, Trigger trigger, PinFound& pin) {
  pin.marked = true;
  if (text.empty()) return;
  BoardScan scan(work.file);
  const std::optional<std::string> pinLine = FindPinLine(scan, text);
  if (!pinLine) return;
  pin.found = true;
  const PixelPoint c = SideMapping::Of(work.view, work.side).Map(scan.ReadPoint());
  DrawSideLayers(work, BoxesFor(trigger));

  // The disc keeps the outline colour that the pin pass left on the pen.
  work.picture.setBrushColor(colors::kWhite);
  DrawPinMarker(work.picture, c, work.view.MarkRadius);
  WritePinLabel(work.picture, c, work.view.MarkRadius, work.view.MarkMargin, kLabelShift, colors::kRed,
                *pinLine);
  const auto line = [&] { return trigger == Trigger::DialogOk ? ReadShortLine(scan) : scan.ReadLine(); };
  std::string net = line();
  pin.netAndFourth.emplace(std::move(net), line());
  if (const std::optional<std::string> part = PartNameOf(text)) FramePart(work, *part);
}

// Keeps what a side's marking step found and, for OK, shows its side.
void Remember(Session& s, Side side, PinFound& pin, Trigger trigger, Findings& findings) {
  if (!pin.marked) return;
  findings.found[side][0] = pin.found;
  if (!pin.netAndFourth) return;
  CompPinMemory& memory = s.highlight.memory.compPin;
  auto& [net, fourth] = *pin.netAndFourth;
  if (trigger == Trigger::DialogOk) {
    memory.CompPinNet = std::move(net);
    memory.CompPinFourth = std::move(fourth);
    s.view.shown = side;
  } else {
    memory.RedrawPinNet = std::move(net);
    memory.RedrawPinFourth = std::move(fourth);
  }
}

// A pin that neither file holds: nothing of an earlier pin stays to be
// written under its name. The header and the memory are emptied; after OK
// both sides show the plain board and the mode becomes hmBoard.
void ForgetPin(Session& s, Trigger trigger) {
  if (trigger == Trigger::DialogOk) DrawLayers(s, BoxStyle::Framed, PassOrder::SideAfterSide);
  s.pictures.ClearHeader();
  s.highlight.memory.compPin = CompPinMemory();
}

// Centring and marking on both sides, after the redraw's layer passes, then
// the header step.
void CentreAndMark(Session& s, const std::string& text, Trigger trigger, Findings& findings) {
  const Round<PinFound> steps = {
      [&text](SideWork& work, PinFound&) { CentreOnPinNamed(work, text); },
      [&text, trigger](SideWork& work, PinFound& pin) { MarkPin(work, text, trigger, pin); }};
  Stage<PinFound> stage{.rounds = {steps}, .apply = [&](Side side, PinFound& pin) {
                          Remember(s, side, pin, trigger, findings);
                        }};
  if (trigger == Trigger::Redraw) {
    stage.rounds.insert(stage.rounds.begin(), LayerSteps<PinFound>(BoxStyle::Framed));
    stage.opensWithOutline = true;
  }
  s.runner.Run(s, stage);
  if (!text.empty() && !findings.found.top[0] && !findings.found.bottom[0]) return ForgetPin(s, trigger);
  WriteCompPinHeader(s, text, trigger);
}

}  // namespace

std::optional<std::string> PartNameOf(std::string_view text) {
  const std::size_t dot = text.substr(0, kShortText).find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(0, dot));
}

void WriteCompPinHeader(Session& s, const std::string& text, Trigger trigger) {
  s.pictures.ClearHeader();
  const CompPinMemory& memory = s.highlight.memory.compPin;
  const std::optional<std::string> items = NetBlockItems(s.document.BoardFile, memory.CompPinNet);
  if (!items) return;
  const bool ok = trigger == Trigger::DialogOk;
  s.pictures.header[0] = JoinHeader({text, ok ? memory.CompPinNet : memory.RedrawPinNet,
                                     "$" + (ok ? memory.CompPinFourth : memory.RedrawPinFourth), *items},
                                    kHeaderGap);
}

bool CompPinSearch(Session& s, const std::string& text) {
  if (!RunSearch(s, SearchKind::CompPin, {text, "", ""},
                 [&](Findings& findings) { CentreAndMark(s, text, Trigger::DialogOk, findings); })) {
    return false;
  }
  const Findings& findings = *s.highlight.findings;
  if (!text.empty() && !findings.found.top[0] && !findings.found.bottom[0]) {
    s.highlight.mode = HighlightMode::hmBoard;
  }
  return true;
}

void RedrawCompPin(Session& s, const std::string& text) {
  RunRedraw(s, SearchKind::CompPin, {text, "", ""},
            [&](Findings& findings) { CentreAndMark(s, text, Trigger::Redraw, findings); });
}

}  // namespace vantrel
