// Drawing at another scale: the figures keep their design coordinates and
// are drawn at the picture's resolution, crisp, lying where they lie at scale
// 1; the pen as thick as the scale, the same on every edge; rings of each
// device size the same wherever they are drawn and in whatever order.
#include <gtest/gtest.h>

#include <QImage>
#include <QSize>

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "render/image_canvas.h"
#include "render/image_canvas_fixtures.h"
#include "support/pictures.h"

namespace vantrel {
namespace {

using test::PixelAt;
using test::Point;

// Pins' colours: a yellow pen round a white brush, at `scale`.
void SetUpRings(ImageCanvas& canvas, double scale) {
  canvas.SetScale(scale);
  canvas.setPenColor(colors::kYellow);
  canvas.setBrushColor(colors::kWhite);
}

// The design pixels that hold `colour` in the picture (for text, whose edges
// are blends, any colour but black), a design pixel holding it when any
// device pixel of its block does.
std::set<Point> DesignPixelsOf(const ImageCanvas& canvas, Color colour, bool text) {
  std::set<Point> pixels;
  const QImage& image = canvas.image();
  const double scale = canvas.scale();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Color c = PixelAt(image, x, y);
      if (text ? c != colors::kBlack : c == colour) {
        pixels.insert({static_cast<int>(x / scale), static_cast<int>(y / scale)});
      }
    }
  }
  return pixels;
}

// Whether every pixel of `a` has one of `b` within a design pixel, and back.
bool WithinAPixel(const std::set<Point>& a, const std::set<Point>& b) {
  auto near = [](const std::set<Point>& from, const std::set<Point>& to) {
    for (const auto& [x, y] : from) {
      bool found = false;
      for (std::int64_t dy = -1; dy <= 1 && !found; ++dy) {
        for (std::int64_t dx = -1; dx <= 1 && !found; ++dx) found = to.count({x + dx, y + dy}) > 0;
      }
      if (!found) return false;
    }
    return true;
  };
  return !a.empty() && near(a, b) && near(b, a);
}

// A figure drawn with its pen, and its font, in `colour`.
struct ScaledFigure {
  const char* name;
  Color colour;
  std::function<void(ImageCanvas&)> draw;
  bool text = false;
};

class ImageCanvasScaled : public testing::TestWithParam<ScaledFigure> {};

// The same design figure drawn at scale 2 lies, taken back to design pixels,
// where it lies at scale 1, crisp in its own colour.
TEST_P(ImageCanvasScaled, FigureLiesWhereItLiesAtScaleOne) {
  const ScaledFigure& figure = GetParam();
  ImageCanvas plain(80, 60), scaled(80, 60);
  scaled.SetScale(2);
  ASSERT_EQ(scaled.image().size(), QSize(160, 120));
  for (ImageCanvas* canvas : {&plain, &scaled}) {
    canvas->setPenColor(figure.colour);
    canvas->setFontColor(figure.colour);
    figure.draw(*canvas);
  }
  const std::set<Point> expected = DesignPixelsOf(plain, figure.colour, figure.text);
  const std::set<Point> found = DesignPixelsOf(scaled, figure.colour, figure.text);
  EXPECT_TRUE(WithinAPixel(expected, found))
      << expected.size() << " design pixels at scale 1, " << found.size() << " at scale 2";
}

INSTANTIATE_TEST_SUITE_P(Figures, ImageCanvasScaled,
                         testing::Values(ScaledFigure{"OutlineLines", colors::kRed,
                                                      [](ImageCanvas& c) {
                                                        c.moveTo(5, 5);
                                                        c.lineTo(70, 5);
                                                        c.lineTo(60, 50);
                                                        c.lineTo(5, 40);
                                                        c.lineTo(5, 5);
                                                      }},
                                         ScaledFigure{"PartBox", colors::kOlive,
                                                      [](ImageCanvas& c) {
                                                        c.setBrushColor(colors::kBlack);
                                                        c.rectangle(10, 8, 50, 30);
                                                      }},
                                         ScaledFigure{"Ring", colors::kYellow,
                                                      [](ImageCanvas& c) {
                                                        c.setBrushStyle(BrushStyle::Clear);
                                                        c.ellipse(20, 20, 33, 33);
                                                      }},
                                         ScaledFigure{"Disc", colors::kWhite,
                                                      [](ImageCanvas& c) {
                                                        c.setBrushColor(colors::kWhite);
                                                        c.ellipse(40, 10, 49, 19);
                                                      }},
                                         ScaledFigure{"Label", colors::kRed,
                                                      [](ImageCanvas& c) {
                                                        c.setBrushStyle(BrushStyle::Clear);
                                                        c.setFontName("Times New Roman");
                                                        c.setFontSize(16);
                                                        c.textOut(8, 20, "U17.4");
                                                      },
                                                      true}),
                         [](const testing::TestParamInfo<ScaledFigure>& info) { return info.param.name; });

// A ring cut by an edge of the picture keeps, within the picture, the pixels
// of the whole ring drawn further in.
TEST(ImageCanvasScaledPen, RingsCutByAnEdgeKeepTheWholeRingsPixels) {
  constexpr int kShift = 20;            // design pixels: 40 device pixels at scale 2
  for (const int left : {-6, 3, 30}) {  // cut on the left, whole, cut on the right
    ImageCanvas cut(40, 30), whole(80, 30);
    for (ImageCanvas* canvas : {&cut, &whole}) SetUpRings(*canvas, 2);
    cut.ellipse(left, 4, left + 13, 17);
    whole.ellipse(left + kShift, 4, left + kShift + 13, 17);
    EXPECT_EQ(cut.image(), whole.image().copy(2 * kShift, 0, cut.image().width(), cut.image().height()))
        << "ring from x = " << left;
  }
}

// Rings of many device sizes, more than the canvas keeps, each drawn in
// the size it has wherever it comes in the order.
TEST(ImageCanvasScaledPen, RingsOfManySizesDrawTheSameInAnyOrder) {
  std::vector<std::array<int, 3>> rings;  // left, top, design size
  for (int i = 0; i < 24; ++i) rings.push_back({3 + 13 * (i % 12), 5 + 40 * (i / 12) + i % 3, 5 + i % 7});
  ImageCanvas forward(170, 90), backward(170, 90);
  for (ImageCanvas* canvas : {&forward, &backward}) SetUpRings(*canvas, 1.79);
  for (const auto& [x, y, d] : rings) forward.ellipse(x, y, x + d, y + d);
  for (auto it = rings.rbegin(); it != rings.rend(); ++it)
    backward.ellipse((*it)[0], (*it)[1], (*it)[0] + (*it)[2], (*it)[1] + (*it)[2]);
  EXPECT_EQ(forward.image(), backward.image());
}

// Rings large enough that their traced shapes fill the canvas's cache: the
// cache starts afresh while a ring takes the inner edge of its outline, and
// the ring keeps its outer edge all the same.
TEST(ImageCanvasScaledPen, RingsThatFillTheShapeCacheKeepTheirShape) {
  ImageCanvas many(40, 30);
  SetUpRings(many, 2);
  for (int i = 0; i < 12; ++i) {
    // 30,000 design pixels across and more, each size new, the left end in view.
    const std::int64_t size = 30000 + 2 * i;
    many.ellipse(5, 15 - size / 2, 5 + size, 15 + size / 2);
    ImageCanvas alone(40, 30);
    SetUpRings(alone, 2);
    alone.ellipse(5, 15 - size / 2, 5 + size, 15 + size / 2);
    ASSERT_EQ(many.image(), alone.image()) << "ring " << i;
  }
}

// Lines and outlines are as wide as the pen is thick, the same on every
// edge, and a scale of 1 after another one draws as before.
TEST(ImageCanvasScaledPen, EdgesHaveOneWidthAndScaleOneComesBack) {
  ImageCanvas canvas(100, 80);
  canvas.SetScale(1.79);
  canvas.setPenColor(colors::kOlive);
  canvas.setBrushColor(colors::kBlack);
  canvas.rectangle(10, 10, 61, 47);
  const QImage& image = canvas.image();
  auto widthAcross = [&](int x0, int y0, int dx, int dy) {
    int n = 0;
    for (int x = x0, y = y0; x >= 0 && y >= 0 && x < image.width() && y < image.height(); x += dx, y += dy) {
      if (PixelAt(image, x, y) == colors::kOlive) ++n;
    }
    return n;
  };
  const int middleRow = image.height() / 3, middleColumn = image.width() / 3;
  EXPECT_EQ(widthAcross(0, middleRow, 1, 0), 4);  // two edges of 2 pixels
  EXPECT_EQ(widthAcross(middleColumn, 0, 0, 1), 4);

  ImageCanvas plain(30, 20);
  ImageCanvas back(30, 20);
  back.SetScale(3);
  back.SetScale(1);
  for (ImageCanvas* c : {&plain, &back}) {
    c->setPenColor(colors::kRed);
    c->moveTo(2, 3);
    c->lineTo(25, 17);
  }
  EXPECT_EQ(back.image(), plain.image());
}

}  // namespace
}  // namespace vantrel
