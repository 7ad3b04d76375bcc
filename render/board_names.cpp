#include "render/board_names.h"

#include <algorithm>

#include "board/board_records.h"
#include "board/board_scan.h"

namespace vantrel {

namespace {

// The face and size of the names, and what a character of it takes: the
// names are placed by this estimate rather than measured, which keeps the
// placing cheap and alike on every machine.
constexpr const char* kFace = "MS Sans Serif";
constexpr int kPoints = 8;  // 11 pixels
constexpr std::int64_t kCharWidth = 8;
constexpr std::int64_t kHeight = 13;
constexpr std::int64_t kGap = 3;  // kept clear round each name
constexpr std::int64_t kCellWidth = 64;
constexpr std::int64_t kCellHeight = 32;
constexpr std::int64_t kColumns = (design::kSideWidth + kCellWidth - 1) / kCellWidth;
constexpr std::int64_t kRows = (design::kSideHeight + kCellHeight - 1) / kCellHeight;

// The designator of a pin: its name line after the part's name and the dot.
std::string_view Designator(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  const std::size_t dot = name.find('.');
  return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

}  // namespace

NamePlacer::NamePlacer(Canvas& image) : image_(image), cells_(static_cast<std::size_t>(kColumns * kRows)) {
  image_.setBrushStyle(BrushStyle::Clear);
  image_.setFontName(kFace);
  image_.setFontSize(kPoints);
  image_.setFontColor(kNameColour);
}

std::vector<std::size_t>& NamePlacer::CellOf(std::int64_t x, std::int64_t y) {
  const std::int64_t column = std::clamp<std::int64_t>(x / kCellWidth, 0, kColumns - 1);
  const std::int64_t row = std::clamp<std::int64_t>(y / kCellHeight, 0, kRows - 1);
  return cells_[static_cast<std::size_t>(row * kColumns + column)];
}

bool NamePlacer::Overlaps(const Box& box) const {
  for (std::int64_t y = box.top; y < box.bottom + kCellHeight; y += kCellHeight) {
    for (std::int64_t x = box.left; x < box.right + kCellWidth; x += kCellWidth) {
      for (const std::size_t n : const_cast<NamePlacer*>(this)->CellOf(x, y)) {
        const Box& other = drawn_[n];
        if (box.left < other.right && other.left < box.right && box.top < other.bottom &&
            other.top < box.bottom) {
          return true;
        }
      }
    }
  }
  return false;
}

bool NamePlacer::Place(std::int64_t x, std::int64_t y, std::string_view text, bool beside) {
  if (text.empty()) return false;
  const std::int64_t width = kCharWidth * static_cast<std::int64_t>(text.size());
  const std::int64_t left = beside ? x : x - width / 2;
  const Box box{left - kGap, y - kHeight / 2 - kGap, left + width + kGap, y - kHeight / 2 + kHeight + kGap};
  if (box.right <= 0 || box.bottom <= 0 || box.left >= image_.width() || box.top >= image_.height()) {
    return false;
  }
  if (Overlaps(box)) return false;
  image_.textOut(left, y - kHeight / 2, text);
  const std::size_t n = drawn_.size();
  drawn_.push_back(box);
  for (std::int64_t cy = box.top; cy < box.bottom + kCellHeight; cy += kCellHeight) {
    for (std::int64_t cx = box.left; cx < box.right + kCellWidth; cx += kCellWidth) {
      std::vector<std::size_t>& cell = CellOf(cx, cy);
      if (cell.empty() || cell.back() != n) cell.push_back(n);
    }
  }
  return true;
}

std::vector<PartName> PartNamesInView(const std::string& file, const PassView& pass, const Canvas& image) {
  std::vector<PartName> names;
  BoardScan scan(file);
  scan.SkipToSection(markers::kOutlineEnd);
  std::string line;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(line);
    if (line == markers::kPartsEnd) return names;
    const ScreenBox box = pass.mapping.MapBox(scan.ReadBox());
    const std::int64_t left = std::min(box.left, box.right), right = std::max(box.left, box.right);
    const std::int64_t upper = std::min(box.upper, box.lower), lower = std::max(box.upper, box.lower);
    if (right < 0 || lower < 0 || left >= image.width() || upper >= image.height()) continue;
    names.push_back({line, box});
  }
}

bool PinNamesShown(const PassView& pass, double deviceScale) {
  return (2.0 * pass.radius + 1) * deviceScale >= kPinNamePixels;
}

void DrawBoardNames(const std::string& file, const PassView& pass, Canvas& image,
                    const std::vector<PartName>& parts, double deviceScale) {
  NamePlacer placer(image);
  for (const PartName& part : parts) {
    placer.Place((part.box.left + part.box.right) / 2, (part.box.upper + part.box.lower) / 2, part.text);
  }
  if (!PinNamesShown(pass, deviceScale)) return;
  BoardScan scan(file);
  scan.SkipToSection(markers::kPinsEnd);
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    const PixelPoint c = pass.mapping.Map(pin.at());
    if (c.x < -pass.radius || c.y < -pass.radius || c.x >= image.width() + 64 || c.y >= image.height() + 16) {
      continue;
    }
    placer.Place(c.x + pass.radius + 2, c.y, Designator(pin.name), true);
  }
}

}  // namespace vantrel
