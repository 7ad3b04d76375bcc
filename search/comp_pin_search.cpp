#include "search/comp_pin_search.h"

#include <cstdint>

#include "board/board_scan.h"
#include "search/comp_dialog.h"
#include "search/session.h"

namespace vantrel {

namespace {

constexpr std::size_t kShortText = 20;
constexpr std::string_view kHeaderGap = "    ";

// A line of which only the first 20 characters are kept; the rest is skipped.
std::string ReadShortLine(BoardScan& scan) {
  std::string text = scan.ReadShortField();
  scan.SkipLine();
  return text;
}

// Reads the pin records line by line up to "4 4 4 4" and returns the first
// line that is a blank followed by `text` (letter case aside), as the file
// holds it; the scan then stands on the line after it.
std::optional<std::string> FindPinLine(BoardScan& scan, const std::string& text) {
  scan.SkipToSection(markers::kPinsEnd);
  const std::string wanted = " " + text;
  std::string line;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(line);
    if (line == markers::kPinRecordsEnd) return std::nullopt;
    if (NameEquals(line, wanted)) return line;
  }
}

// Draws a white closed outline around the first part whose name line equals
// `partName`, widened by MarkMargin like the part boxes.
void FramePart(Session& s, Side side, const std::string& partName) {
  BoardScan scan(s.FileOf(side));
  scan.SkipToSection(markers::kOutlineEnd);
  std::string line;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(line);
    if (line == markers::kPartsEnd) return;
    if (NameEquals(line, partName)) break;
  }
  const BoardBox box = scan.ReadBox();
  const SideMapping map = SideMapping::Of(s.view, side);
  const std::int64_t x1 = map.MapX(box.x1);
  const std::int64_t x2 = map.MapX(box.x2);
  const std::int64_t y1 = map.MapY(box.y1);
  const std::int64_t y2 = map.MapY(box.y2);
  // The board's upper edge is on top of the screen on the top side only.
  const std::int64_t top = side == Side::Top ? y2 : y1;
  const std::int64_t bottom = side == Side::Top ? y1 : y2;
  const std::int64_t d = s.view.MarkMargin;

  ImageCanvas& image = s.ImageOf(side);
  image.setPenColor(colors::kWhite);
  image.moveTo(x1 - d, top - d);
  image.lineTo(x2 + d, top - d);
  image.lineTo(x2 + d, bottom + d);
  image.lineTo(x1 - d, bottom + d);
  image.lineTo(x1 - d, top - d);
}

}  // namespace

std::optional<std::string> PartNameOf(std::string_view text) {
  const std::size_t dot = text.substr(0, kShortText).find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(0, dot));
}

void CentreOnPin(Session& s, Side side, const std::string& text) {
  if (text.empty()) return;
  BoardScan scan(s.FileOf(side));
  if (!FindPinLine(scan, text)) return;
  const BoardPoint p = scan.ReadPoint();
  ViewState& v = s.view;
  const double scale = v.Scale;
  if (side == Side::Top) {
    v.TopOriginX = RoundToInt32(kPinTargetX - scale * p.x);
    v.TopOriginY = RoundToInt32(kPinTargetY + scale * p.y);
  } else {
    v.BottomOriginX = RoundToInt32(kPinTargetX - scale * p.x);
    v.BottomOriginY = RoundToInt32(kPinTargetY - scale * p.y);
  }
}

void MarkCompPin(Session& s, Side side, const std::string& text, CompPinRun run) {
  if (text.empty()) return;
  {
    BoardScan scan(s.FileOf(side));
    const std::optional<std::string> pinLine = FindPinLine(scan, text);
    if (!pinLine) return;
    const BoardPoint p = scan.ReadPoint();
    const PixelPoint c = SideMapping::Of(s.view, side).Map(p.x, p.y);
    RunSidePasses(s, side, run == CompPinRun::Ok ? Variant::Dialog : Variant::Main);

    ImageCanvas& image = s.ImageOf(side);
    const std::int64_t h = s.view.MarkRadius;
    const std::int64_t d = s.view.MarkMargin;
    // The disc keeps the outline colour that the pin pass left on the pen.
    image.setBrushColor(colors::kWhite);
    image.ellipse(c.x - h, c.y - h, c.x + h, c.y + h);
    image.setBrushStyle(BrushStyle::Clear);
    image.setFontName("Times New Roman");
    image.setFontSize(CheckedInt32(d + 4));
    image.setFontColor(colors::kRed);
    image.textOut(c.x - h + d + 3, c.y - h - d, *pinLine);

    CompPinMemory& memory = s.compPin;
    if (run == CompPinRun::Ok) {
      memory.CompPinNet = ReadShortLine(scan);
      memory.CompPinFourth = ReadShortLine(scan);
      s.Image1Visible = side == Side::Top;
    } else {
      memory.RedrawPinNet = scan.ReadLine();
      memory.RedrawPinFourth = scan.ReadLine();
    }
  }
  if (const std::optional<std::string> part = PartNameOf(text)) FramePart(s, side, *part);
}

void WriteCompPinHeader(Session& s, const std::string& text, CompPinRun run) {
  s.ClearHeader();
  BoardScan scan(s.BoardFile);
  scan.SkipToSection(markers::kNailsEnd);
  // The net blocks run to the end of the file; a block is found by its
  // heading, compared exactly with the stored net (cut to 20 characters).
  bool found = false;
  while (!found && !scan.AtEnd()) found = scan.ReadLineEquals(s.compPin.CompPinNet);
  if (!found) return;

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

  const CompPinMemory& memory = s.compPin;
  const bool ok = run == CompPinRun::Ok;
  std::string caption = text;
  caption += kHeaderGap;
  caption += ok ? memory.CompPinNet : memory.RedrawPinNet;
  caption += kHeaderGap;
  caption += '$';
  caption += ok ? memory.CompPinFourth : memory.RedrawPinFourth;
  caption += kHeaderGap;
  caption += items;
  s.Label1 = std::move(caption);
}

void RunCompPinSteps(Session& s, const std::string& text, CompPinRun run) {
  CentreOnPin(s, Side::Top, text);
  MarkCompPin(s, Side::Top, text, run);
  CentreOnPin(s, Side::Bottom, text);
  MarkCompPin(s, Side::Bottom, text, run);
  WriteCompPinHeader(s, text, run);
}

void CompPinSearch(Session& s, const std::string& text) {
  if (!s.HasBoard()) return;
  RunCompPinSteps(s, text, CompPinRun::Ok);
  s.HighlightMode = hmCompPin;
}

void RedrawCompPin(Session& s) {
  if (!s.HasBoard()) return;
  RunLayerPasses(s, Variant::Main, PassOrder::SideAfterSide);
  const std::string text = s.comp ? s.comp->FieldText(1) : std::string();
  RunCompPinSteps(s, text, CompPinRun::Redraw);
}

}  // namespace vantrel
