#include "render/marks.h"

namespace vantrel {

void DrawPinMarker(Canvas& image, PixelPoint centre, std::int64_t radius) {
  image.ellipse(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
}

void WriteMarkLabel(Canvas& image, std::int64_t x, std::int64_t y, std::int64_t points, Color colour,
                    std::string_view text) {
  image.setBrushStyle(BrushStyle::Clear);
  image.setFontName("Times New Roman");
  image.setFontSize(CheckedInt32(points));
  image.setFontColor(colour);
  image.textOut(x, y, text);
}

void WritePinLabel(Canvas& image, PixelPoint centre, std::int64_t radius, std::int64_t margin, int shift,
                   Color colour, std::string_view text) {
  WriteMarkLabel(image, centre.x - radius + margin + shift, centre.y - radius - margin, margin + 4, colour,
                 text);
}

void TraceFrame(Canvas& image, const ScreenBox& box, std::int64_t margin) {
  const std::int64_t left = box.left - margin, right = box.right + margin;
  const std::int64_t upper = box.upper - margin, lower = box.lower + margin;
  image.moveTo(left, upper);
  image.lineTo(right, upper);
  image.lineTo(right, lower);
  image.lineTo(left, lower);
  image.lineTo(left, upper);
}

}  // namespace vantrel
