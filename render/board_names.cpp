#include "render/board_names.h"

#include <algorithm>

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

// The designator of a pin: its name line after the part's name and the dot.
std::string_view Designator(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  const std::size_t dot = name.find('.');
  return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

std::int64_t Cells(std::int64_t length, std::int64_t cell) { return (length + cell - 1) / cell; }

}  // namespace

NamePlacer::NamePlacer(std::int64_t width, std::int64_t height)
    : width_(width),
      height_(height),
      cells_(static_cast<std::size_t>(Cells(width, kCellWidth) * Cells(height, kCellHeight))) {}

std::size_t NamePlacer::CellIndex(std::int64_t x, std::int64_t y) const {
  const std::int64_t columns = Cells(width_, kCellWidth);
  const std::int64_t column = std::clamp<std::int64_t>(x / kCellWidth, 0, columns - 1);
  const std::int64_t row = std::clamp<std::int64_t>(y / kCellHeight, 0, Cells(height_, kCellHeight) - 1);
  return static_cast<std::size_t>(row * columns + column);
}

bool NamePlacer::Overlaps(const Box& box) const {
  for (std::int64_t y = box.top; y < box.bottom + kCellHeight; y += kCellHeight) {
    for (std::int64_t x = box.left; x < box.right + kCellWidth; x += kCellWidth) {
      for (const std::size_t n : cells_[CellIndex(x, y)]) {
        const Box& other = boxes_[n];
        if (box.left < other.right && other.left < box.right && box.top < other.bottom &&
            other.top < box.bottom) {
          return true;
        }
      }
    }
  }
  return false;
}

bool NamePlacer::Keep(std::int64_t x, std::int64_t y, std::string_view text, bool beside) {
  if (text.empty()) return false;
  const std::int64_t width = kCharWidth * static_cast<std::int64_t>(text.size());
  const std::int64_t left = beside ? x : x - width / 2;
  const std::int64_t top = y - kHeight / 2;
  const Box box{left - kGap, top - kGap, left + width + kGap, top + kHeight + kGap};
  if (box.right <= 0 || box.bottom <= 0 || box.left >= width_ || box.top >= height_ || Overlaps(box)) {
    return false;
  }
  const std::size_t n = boxes_.size();
  boxes_.push_back(box);
  names_.push_back({left, top, std::string(text)});
  for (std::int64_t cy = box.top; cy < box.bottom + kCellHeight; cy += kCellHeight) {
    for (std::int64_t cx = box.left; cx < box.right + kCellWidth; cx += kCellWidth) {
      std::vector<std::size_t>& cell = cells_[CellIndex(cx, cy)];
      if (cell.empty() || cell.back() != n) cell.push_back(n);
    }
  }
  return true;
}

void NamePlacer::KeepPart(const ScreenBox& box, std::string_view name) {
  Keep((box.left + box.right) / 2, (box.upper + box.lower) / 2, name);
}

void NamePlacer::Draw(Canvas& image) const {
  image.setBrushStyle(BrushStyle::Clear);
  image.setFontName(kFace);
  image.setFontSize(kPoints);
  image.setFontColor(kNameColour);
  for (const Name& name : names_) image.textOut(name.x, name.y, name.text);
}

bool PinNamesShown(const PassView& pass, double deviceScale) {
  return (2.0 * pass.radius + 1) * deviceScale >= kPinNamePixels;
}

// A record is its name line, its position, its net line and its fourth line;
// only the name and the position are wanted, the name kept only for a pin
// in the picture.
void DrawBoardNames(BoardScan& scan, const PassView& pass, Canvas& image, NamePlacer& names,
                    double deviceScale) {
  if (PinNamesShown(pass, deviceScale)) {
    std::string spare;
    for (;;) {
      scan.ExpectMore();
      const std::string_view name = scan.ReadLineView(spare);
      if (name == markers::kPinRecordsEnd) break;
      const PixelPoint c = pass.mapping.Map(scan.ReadPoint());
      scan.SkipLines(2);
      if (c.x < -pass.radius - 64 || c.y < -16 || c.x >= image.width() || c.y >= image.height() + 16)
        continue;
      names.Keep(c.x + pass.radius + 2, c.y, Designator(name), true);
    }
  }
  names.Draw(image);
}

}  // namespace vantrel
