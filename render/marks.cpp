#include "render/marks.h"

namespace vantrel {

void DrawPinMarker(Canvas& image, PixelPoint c, std::int64_t r) {
  image.ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
}

void WriteMarkLabel(Canvas& image, std::int64_t x, std::int64_t y, std::int64_t points, Color colour,
                    std::string_view text) {
  image.setBrushStyle(BrushStyle::Clear);
  image.setFontName("Times New Roman");
  image.setFontSize(CheckedInt32(points));
  image.setFontColor(colour);
  image.textOut(x, y, text);
}

void WritePinLabel(Canvas& image, PixelPoint c, std::int64_t h, std::int64_t d, int shift, Color colour,
                   std::string_view text) {
  WriteMarkLabel(image, c.x - h + d + shift, c.y - h - d, d + 4, colour, text);
}

void TraceFrame(Canvas& image, const ScreenBox& box, std::int64_t m) {
  const std::int64_t left = box.left - m, right = box.right + m, upper = box.upper - m, lower = box.lower + m;
  image.moveTo(left, upper);
  image.lineTo(right, upper);
  image.lineTo(right, lower);
  image.lineTo(left, lower);
  image.lineTo(left, upper);
}

}  // namespace vantrel
