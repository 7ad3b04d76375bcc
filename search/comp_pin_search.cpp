#include "search/comp_pin_search.h"

#include <cstdint>

#include "board/board_records.h"
#include "render/marks.h"
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

void RunSteps(Session& s, const std::string& text, CompPinRun run) {
  CentreOnPinNamed(s, Side::Top, text);
  MarkCompPin(s, Side::Top, text, run);
  CentreOnPinNamed(s, Side::Bottom, text);
  MarkCompPin(s, Side::Bottom, text, run);
  WriteCompPinHeader(s, text, run);
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
  if (text.empty()) return;
  {
    BoardScan scan(s.FileOf(side));
    const std::optional<std::string> pinLine = FindPinLine(scan, text);
    if (!pinLine) return;
    const PixelPoint c = SideMapping::Of(s.view, side).Map(scan.ReadPoint());
    RunSidePasses(s, side, run == CompPinRun::Ok ? Variant::Dialog : Variant::Main);

    // The disc keeps the outline colour that the pin pass left on the pen.
    ImageCanvas& image = s.ImageOf(side);
    image.setBrushColor(colors::kWhite);
    DrawPinMarker(image, c, s.view.MarkRadius);
    WritePinLabel(image, c, s.view.MarkRadius, s.view.MarkMargin, kLabelShift, colors::kRed, *pinLine);

    CompPinMemory& memory = s.compPin;
    if (run == CompPinRun::Ok) {
      memory.CompPinNet = ReadShortLine(scan);
      memory.CompPinFourth = ReadShortLine(scan);
      s.topShown = side == Side::Top;
    } else {
      memory.RedrawPinNet = scan.ReadLine();
      memory.RedrawPinFourth = scan.ReadLine();
    }
  }
  if (const std::optional<std::string> part = PartNameOf(text)) FramePart(s, side, *part);
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
  RunSteps(s, text, CompPinRun::Ok);
  s.HighlightMode = hmCompPin;
  return true;
}

void RedrawCompPin(Session& s, const std::string& text) {
  if (!s.HasBoard()) return;
  RunLayerPasses(s, Variant::Main, PassOrder::SideAfterSide);
  RunSteps(s, text, CompPinRun::Redraw);
}

}  // namespace vantrel
