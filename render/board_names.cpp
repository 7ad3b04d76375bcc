#include "render/board_names.h"

#include <algorithm>

#include "board/board_error.h"
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

NamePlacer::NamePlacer(std::int64_t width, std::int64_t height, std::int32_t pinRadius)
    : width_(width),
      height_(height),
      pinRadius_(pinRadius),
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

bool NamePlacer::NearPicture(PixelPoint drawn) const {
  return drawn.x >= -pinRadius_ - 64 && drawn.y >= -16 && drawn.x < width_ && drawn.y < height_ + 16;
}

void NamePlacer::KeepPinName(PixelPoint drawn, std::string_view name) {
  Keep(drawn.x + pinRadius_ + 2, drawn.y, Designator(name), true);
}

void NamePlacer::SeePin(std::size_t index, BoardPoint at, PixelPoint drawn) {
  if (NearPicture(drawn)) seen_.push_back({index, at, drawn});
}

void NamePlacer::KeepPinNames(BoardScan& scan, const std::string& file, const PassView& pass) {
  if (KeepSeenPinNames(scan)) return;
  BoardScan again(file);
  SkipPinCentres(again);
  KeepEveryPinName(again, pass);
}

// The files hold the pin records in the order of the centres: the record a
// centre was drawn for is as many records in as the centre is centres in.
// Only the records of the pins seen are read, the others passed over as
// their four lines; a record that is not where its centre is, or any error,
// means another layout, and every record is read instead. The names are
// kept once all those read agree: for a file whose records follow its
// centres, they are the names the reading of every record keeps.
bool NamePlacer::KeepSeenPinNames(BoardScan& scan) {
  std::vector<std::pair<PixelPoint, std::string>> found;
  try {
    std::string spare;
    std::size_t next = 0;  // the record the scan is at
    for (const SeenPin& pin : seen_) {
      scan.SkipLines(4 * (pin.index - next));
      scan.ExpectMore();
      const std::string_view name = scan.ReadLineView(spare);
      if (name == markers::kPinRecordsEnd) return false;
      found.emplace_back(pin.drawn, name);
      const BoardPoint at = scan.ReadPoint();
      if (at.x != pin.at.x || at.y != pin.at.y) return false;
      scan.SkipLines(2);
      next = pin.index + 1;
    }
  } catch (const BoardError&) {
    return false;
  }
  for (const auto& [drawn, name] : found) KeepPinName(drawn, name);
  return true;
}

// A record is its name line, its position, its net line and its fourth line;
// only the name and the position are wanted. The name is kept past the
// reads that follow it, so it is copied.
void NamePlacer::KeepEveryPinName(BoardScan& scan, const PassView& pass) {
  std::string name;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(name);
    if (name == markers::kPinRecordsEnd) return;
    const PixelPoint drawn = pass.mapping.Map(scan.ReadPoint());
    scan.SkipLines(2);
    if (NearPicture(drawn)) KeepPinName(drawn, name);
  }
}

}  // namespace vantrel
