#include "search/comp_pin_search.h"

#include <cstdint>

#include "board/board_records.h"
#include "render/marks.h"
#include "search/session.h"
#include "search/side_tasks.h"

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
void FramePart(Session& s, Side side, const std::string& partName) {
  const std::optional<PartRecord> part = FindPart(s.FileOf(side), partName, PartsEnd::BeforeName);
  if (!part) return;
  const ScreenBox box = SideMapping::Of(s.view, side).MapBox(part->box);
  ImageCanvas& image = s.ImageOf(side);
  image.setPenColor(colors::kWhite);
  TraceFrame(image, box, s.view.MarkMargin);
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

// The pin's net and fourth line as the marking step keeps them.
struct FoundPin {
  std::string net;
  std::string fourth;
};

// The marking step up to the frame: at the first pin matching `text`, the
// side redrawn (apart: without the header strip) with the disc and label;
// gives the pin's net and fourth line, cut to 20 characters for OK.
std::optional<FoundPin> MarkPin(Session& s, Side side, const std::string& text, CompPinRun run, bool apart) {
  s.findings.ClearSide(side);
  if (text.empty()) return std::nullopt;
  BoardScan scan(s.FileOf(side));
  const std::optional<std::string> pinLine = FindPinLine(scan, text);
  if (!pinLine) return std::nullopt;
  s.findings.Found(side, 0);
  const PixelPoint c = SideMapping::Of(s.view, side).Map(scan.ReadPoint());
  const Variant variant = run == CompPinRun::Ok ? Variant::Dialog : Variant::Main;
  if (apart) {
    RunSidePassesApart(s, side, variant);
  } else {
    RunSidePasses(s, side, variant);
  }

  // The disc keeps the outline colour that the pin pass left on the pen.
  ImageCanvas& image = s.ImageOf(side);
  image.setBrushColor(colors::kWhite);
  DrawPinMarker(image, c, s.view.MarkRadius);
  WritePinLabel(image, c, s.view.MarkRadius, s.view.MarkMargin, kLabelShift, colors::kRed, *pinLine);
  if (run == CompPinRun::Ok) {
    FoundPin pin{ReadShortLine(scan), {}};
    pin.fourth = ReadShortLine(scan);
    return pin;
  }
  FoundPin pin{scan.ReadLine(), {}};
  pin.fourth = scan.ReadLine();
  return pin;
}

// Keeps what the marking step found and, for OK, shows its side.
void Remember(Session& s, Side side, FoundPin pin, CompPinRun run) {
  CompPinMemory& memory = s.compPin;
  if (run == CompPinRun::Ok) {
    memory.CompPinNet = std::move(pin.net);
    memory.CompPinFourth = std::move(pin.fourth);
    s.topShown = side == Side::Top;
  } else {
    memory.RedrawPinNet = std::move(pin.net);
    memory.RedrawPinFourth = std::move(pin.fourth);
  }
}

void FramePartOf(Session& s, Side side, const std::string& text) {
  if (const std::optional<std::string> part = PartNameOf(text)) FramePart(s, side, *part);
}

// Centring and marking on both sides, the redraw's layer passes first when
// `passes` is set: each side at once when that pays, else in their order.
void CentreAndMark(Session& s, const std::string& text, CompPinRun run, bool passes) {
  std::optional<FoundPin> found[2];
  auto half = [&](Side side) {
    return [&, side] {
      if (passes) RunSidePassesApart(s, side, Variant::Main);
      CentreOnPinNamed(s, side, text);
      std::optional<FoundPin>& pin = found[side == Side::Top ? 0 : 1];
      pin = MarkPin(s, side, text, run, true);
      if (pin) FramePartOf(s, side, text);
    };
  };
  const auto merge = [&] {
    // The outline passes that ran cleared the header strip.
    if (passes || found[0] || found[1]) ClearHeaderPicture(s);
    if (found[0]) Remember(s, Side::Top, std::move(*found[0]), run);
    if (found[1]) Remember(s, Side::Bottom, std::move(*found[1]), run);
  };
  // The redraw begins with the layer passes; OK does not.
  RunSides(s, {half(Side::Top), half(Side::Bottom), merge, passes}, [&] {
    if (passes) RunLayerPasses(s, Variant::Main, PassOrder::SideAfterSide);
    CentreOnPinNamed(s, Side::Top, text);
    MarkCompPin(s, Side::Top, text, run);
    CentreOnPinNamed(s, Side::Bottom, text);
    MarkCompPin(s, Side::Bottom, text, run);
  });
}

}  // namespace

std::optional<std::string> PartNameOf(std::string_view text) {
  const std::size_t dot = text.substr(0, kShortText).find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(0, dot));
}

void CentreOnPinNamed(Session& s, Side side, const std::string& text) {
  if (text.empty()) return;
  BoardScan scan(s.FileOf(side));
  if (!FindPinLine(scan, text)) return;
  CentreOnPin(s.view, side, scan.ReadPoint());
}

void MarkCompPin(Session& s, Side side, const std::string& text, CompPinRun run) {
  std::optional<FoundPin> pin = MarkPin(s, side, text, run, false);
  if (!pin) return;
  Remember(s, side, std::move(*pin), run);
  FramePartOf(s, side, text);
}

void WriteCompPinHeader(Session& s, const std::string& text, CompPinRun run) {
  s.ClearHeader();
  const std::optional<std::string> items = NetBlockItems(s.BoardFile, s.compPin.CompPinNet);
  if (!items) return;
  const CompPinMemory& memory = s.compPin;
  const bool ok = run == CompPinRun::Ok;
  s.header[0] = JoinHeader({text, ok ? memory.CompPinNet : memory.RedrawPinNet,
                            "$" + (ok ? memory.CompPinFourth : memory.RedrawPinFourth), *items},
                           kHeaderGap);
}

bool CompPinSearch(Session& s, const std::string& text) {
  if (!s.HasBoard()) return false;
  s.findings.Begin(hmCompPin, {text, "", ""});
  CentreAndMark(s, text, CompPinRun::Ok, false);
  WriteCompPinHeader(s, text, CompPinRun::Ok);
  s.HighlightMode = hmCompPin;
  return true;
}

void RedrawCompPin(Session& s, const std::string& text) {
  if (!s.HasBoard()) return;
  s.findings.Begin(hmCompPin, {text, "", ""});
  CentreAndMark(s, text, CompPinRun::Redraw, true);
  WriteCompPinHeader(s, text, CompPinRun::Redraw);
}

}  // namespace vantrel
