// The vector surface covers, on an image without smoothing, exactly the
// pixels the image surface gives level and upright lines, boxes and fills,
// far-away corners included. That an image surface's follower receives every
// figure with its state, and leaves its picture as it is, is the vector
// picture's test (tests/search/vector_picture_test.cpp).
#include "render/painter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <functional>

#include "render/image_canvas_fixtures.h"

namespace vantrel {
namespace {

constexpr std::int64_t kFar = std::int64_t{1} << 40;

struct SameCase {
  const char* name;
  std::function<void(Canvas&)> draw;
};

class PainterCanvasCovers : public testing::TestWithParam<SameCase> {};

TEST_P(PainterCanvasCovers, TheImageCanvasPixels) {
  test::Surface surface(16, 12);
  GetParam().draw(surface);
  QImage image(16, 12, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  {
    PainterCanvas canvas(painter, 16, 12);
    canvas.setState(surface.state());
    canvas.setPenColor(test::kPen);
    canvas.setBrushColor(test::kBrush);
    GetParam().draw(canvas);
  }
  painter.end();
  EXPECT_EQ(image, surface.image());
}

INSTANTIATE_TEST_SUITE_P(Figures, PainterCanvasCovers,
                         testing::Values(SameCase{"LinesEitherWay",
                                                  [](Canvas& c) {
                                                    c.moveTo(2, 3), c.lineTo(9, 3), c.lineTo(9, 10);
                                                    c.moveTo(9, 1), c.lineTo(2, 1), c.lineTo(2, 11);
                                                    c.moveTo(-kFar, 7), c.lineTo(kFar, 7);
                                                    c.moveTo(6, 5), c.lineTo(6, 5);
                                                  }},
                                         SameCase{"BoxesOfEverySize",
                                                  [](Canvas& c) {
                                                    c.rectangle(1, 1, 8, 8), c.rectangle(9, 1, 10, 2);
                                                    c.rectangle(9, 3, 11, 5), c.rectangle(12, 1, 13, 6);
                                                    c.rectangle(9, 7, 14, 8), c.rectangle(14, 9, 14, 11);
                                                    c.rectangle(6, 11, 2, 9), c.rectangle(-kFar, 2, kFar, 4);
                                                  }},
                                         SameCase{"FillsAndAClearBrush",
                                                  [](Canvas& c) {
                                                    c.fillRect(2, 2, 6, 5), c.fillRect(14, 10, 8, 7);
                                                    c.fillRect(-kFar, 11, kFar, kFar);
                                                    c.setBrushStyle(BrushStyle::Clear);
                                                    c.rectangle(3, -kFar, 9, kFar), c.fillRect(0, 0, 16, 12);
                                                  }}),
                         [](const testing::TestParamInfo<SameCase>& info) { return info.param.name; });

}  // namespace
}  // namespace vantrel
