// The drawing surface that every pass draws on.
//
// Coordinates are pixels of the picture, (0, 0) at its top-left corner, x to the
// right and y downwards; figures that reach beyond the picture are clipped.
// Colours are 24-bit values 0x00BBGGRR. Pen, brush, font and the current pen
// position are state of the surface: they persist from one call to the next and
// each pass sets what it needs.
//
// The figures follow the classic GDI rules, which the pictures of this program
// are defined by:
//   - a line covers its start pixel up to, not including, its end pixel;
//   - rectangle(x1, y1, x2, y2) covers columns x1..x2-1 and rows y1..y2-1,
//     outlined with the pen and filled with the brush;
//   - ellipse(...) is the ellipse inscribed in the same box;
//   - textOut places the top-left corner of the text at (x, y) and fills the
//     text's background with the brush colour only while the brush is solid.
//
// Pixel coordinates are 64-bit so that a pass never has to overflow to hand a
// far-away figure to the surface; the surface clips it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

using Color = std::uint32_t;  // 0x00BBGGRR

namespace colors {
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kOlive = 0x008080;
inline constexpr Color kMaroon = 0x000080;
inline constexpr Color kTeal = 0x808000;
inline constexpr Color kYellow = 0x00FFFF;
inline constexpr Color kAqua = 0xFFFF00;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kMoneyGreen = 0xC0DCC0;
// The title-bar colour of an active window, used for pins. There is no such
// theme colour here, so it is fixed: the classic Windows value RGB(153, 180, 209).
inline constexpr Color kActiveCaption = 0xD1B499;
}  // namespace colors

inline constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

enum class BrushStyle { Solid, Clear };

struct CanvasState {
  Color penColor = colors::kBlack;
  int penWidth = 1;
  Color brushColor = colors::kWhite;
  BrushStyle brushStyle = BrushStyle::Solid;
  std::string fontName = "MS Sans Serif";
  int fontSizePt = 8;
  Color fontColor = colors::kBlack;
  std::int64_t penX = 0;
  std::int64_t penY = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int width() const = 0;
  virtual int height() const = 0;

  void setPenColor(Color c) { state_.penColor = c; }
  void setPenWidth(int w) { state_.penWidth = w; }
  // Setting the colour makes a clear brush solid.
  void setBrushColor(Color c) {
    state_.brushColor = c;
    state_.brushStyle = BrushStyle::Solid;
  }
  void setBrushStyle(BrushStyle s) { state_.brushStyle = s; }
  void setFontName(std::string name) { state_.fontName = std::move(name); }
  void setFontSize(int points) { state_.fontSizePt = points; }
  void setFontColor(Color c) { state_.fontColor = c; }
  const CanvasState& state() const { return state_; }
  void setState(const CanvasState& state) { state_ = state; }

  void moveTo(std::int64_t x, std::int64_t y) {
    state_.penX = x;
    state_.penY = y;
  }
  void lineTo(std::int64_t x, std::int64_t y) {
    drawLine(state_.penX, state_.penY, x, y);
    moveTo(x, y);
  }

  // Fills x1..x2-1, y1..y2-1 with the brush colour, no outline.
  virtual void fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) = 0;
  virtual void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) = 0;
  virtual void ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) = 0;
  // The text is bytes as board files and edit fields hold them, one
  // character per byte (Latin-1).
  virtual void textOut(std::int64_t x, std::int64_t y, std::string_view text) = 0;
  // Fills the whole picture (its clip rectangle) with the brush colour.
  void clear() { fillRect(0, 0, width(), height()); }

 protected:
  // A line with the pen from (x0, y0) to (x1, y1), end pixel excluded.
  virtual void drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) = 0;

 private:
  CanvasState state_;
};

}  // namespace vantrel
