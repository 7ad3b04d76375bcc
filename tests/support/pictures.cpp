#include "support/pictures.h"

#include <gtest/gtest.h>

#include <utility>

namespace vantrel::test {

Color PixelAt(const QImage& image, std::int64_t x, std::int64_t y) {
  const QRgb p = image.pixel(static_cast<int>(x), static_cast<int>(y));
  return static_cast<Color>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

Color PixelAt(const ImageCanvas& canvas, std::int64_t x, std::int64_t y) {
  return PixelAt(canvas.image(), x, y);
}

int CountColor(const ImageCanvas& canvas, QRect area, Color color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += PixelAt(canvas, x, y) == color;
  }
  return n;
}

int CountColor(const ImageCanvas& canvas, Color color) {
  return CountColor(canvas, QRect(0, 0, canvas.width(), canvas.height()), color);
}

bool AllBlack(const ImageCanvas& canvas) {
  return CountColor(canvas, colors::kBlack) == canvas.width() * canvas.height();
}

void ExpectFrame(const ImageCanvas& canvas, int left, int upper, int right, int lower) {
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height(); };
  int white = 0, total = 0;
  auto onFrame = [&](int x, int y) {
    if (!inside(x, y)) return;
    const Color c = PixelAt(canvas, x, y);
    EXPECT_EQ(RedOf(c), 255) << "(" << x << ", " << y << ")";
    white += c == colors::kWhite;
    ++total;
  };
  for (int x = left; x <= right; ++x) onFrame(x, upper), onFrame(x, lower);
  for (int y = upper; y <= lower; ++y) onFrame(left, y), onFrame(right, y);
  EXPECT_GT(white, total * 3 / 4);
  const int midX = (left + right) / 2, midY = (upper + lower) / 2;
  const std::pair<int, int> beside[] = {{left - 1, midY},  {left + 1, midY},  {right - 1, midY},
                                        {right + 1, midY}, {midX, upper - 1}, {midX, upper + 1},
                                        {midX, lower - 1}, {midX, lower + 1}};
  for (auto [x, y] : beside) {
    if (!inside(x, y)) continue;
    EXPECT_NE(PixelAt(canvas, x, y), colors::kWhite) << "(" << x << ", " << y << ")";
  }
}

void ExpectLabels(const ImageCanvas& canvas, const std::vector<Label>& labels, QRect area) {
  if (area.isNull()) area = QRect(0, 0, canvas.width(), canvas.height());
  ImageCanvas expected(canvas.width(), canvas.height());
  expected.setBrushStyle(BrushStyle::Clear);
  expected.setFontName("Times New Roman");
  expected.setFontColor(colors::kRed);
  for (const Label& l : labels) {
    expected.setFontSize(l.points);
    expected.textOut(l.x, l.y, l.text);
  }
  int red = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool want = PixelAt(expected, x, y) == colors::kRed;
      red += want;
      if (want != (PixelAt(canvas, x, y) == colors::kRed)) {
        ADD_FAILURE() << "red at (" << x << ", " << y << "): expected " << want;
        return;
      }
    }
  }
  EXPECT_EQ(red > 0, !labels.empty());
}

}  // namespace vantrel::test
