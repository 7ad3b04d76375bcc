#include "render/image_canvas_fixtures.h"

#include "support/pictures.h"

namespace vantrel::test {

namespace {

using Wide = __int128_t;

Wide CeilDiv(Wide a, Wide b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

}  // namespace

std::vector<std::string> Picture(const ImageCanvas& canvas) {
  std::vector<std::string> rows;
  for (int y = 0; y < canvas.height(); ++y) {
    std::string row;
    for (int x = 0; x < canvas.width(); ++x) {
      const Color c = PixelAt(canvas, x, y);
      row += c == colors::kBlack ? '.' : c == kPen ? 'P' : c == kBrush ? 'B' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> Blank(int w, int h) { return std::vector<std::string>(h, std::string(w, '.')); }

std::set<Point> PixelsOf(const ImageCanvas& canvas, Color colour) {
  std::set<Point> pixels;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (PixelAt(canvas, x, y) == colour) pixels.insert({x, y});
    }
  }
  return pixels;
}

std::vector<std::string> Window(const std::vector<std::string>& big, int left, int top, int w, int h) {
  std::vector<std::string> rows;
  for (int y = top; y < top + h; ++y) rows.push_back(big[y].substr(left, w));
  return rows;
}

std::vector<std::string> Place(const std::vector<std::string>& figure, int left, int top, int w, int h) {
  std::vector<std::string> rows = Blank(w, h);
  for (int fy = 0; fy < static_cast<int>(figure.size()); ++fy) {
    for (int fx = 0; fx < static_cast<int>(figure[fy].size()); ++fx) {
      const int x = left + fx, y = top + fy;
      if (x >= 0 && y >= 0 && x < w && y < h) rows[y][x] = figure[fy][fx];
    }
  }
  return rows;
}

void Line(ImageCanvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  canvas.moveTo(x0, y0);
  canvas.lineTo(x1, y1);
}

std::set<Point> ReferenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int w,
                              int h) {
  std::set<Point> pixels;
  const Wide dx = Wide{x1} - x0;
  const Wide dy = Wide{y1} - y0;
  const bool xMajor = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
  const Wide dMajor = xMajor ? dx : dy;
  const Wide dMinor = xMajor ? dy : dx;
  const Wide length = dMajor < 0 ? -dMajor : dMajor;
  const Wide major0 = xMajor ? x0 : y0;
  const Wide minor0 = xMajor ? y0 : x0;
  for (int major = 0; major < (xMajor ? w : h); ++major) {
    const Wide i = dMajor > 0 ? major - major0 : major0 - major;
    if (i < 0 || i >= length) continue;
    const Wide minor = minor0 + CeilDiv(2 * i * dMinor - length, 2 * length);
    if (minor < 0 || minor >= (xMajor ? h : w)) continue;
    const auto m = static_cast<std::int64_t>(minor);
    pixels.insert(xMajor ? Point{major, m} : Point{m, major});
  }
  return pixels;
}

std::string WorkedPictureName(const testing::TestParamInfo<WorkedPicture>& info) { return info.param.name; }

void PrintTo(const WorkedPicture& worked, std::ostream* out) { *out << worked.name; }

TEST_P(ImageCanvasPicture, IsTheOneWorkedOutByHand) {
  const WorkedPicture& worked = GetParam();
  ASSERT_FALSE(worked.picture.empty());
  Surface canvas(static_cast<int>(worked.picture.front().size()), static_cast<int>(worked.picture.size()));
  worked.draw(canvas);
  EXPECT_EQ(Picture(canvas), worked.picture);
}

}  // namespace vantrel::test
