// Lines of the QImage surface: the start pixel up to, not including, the end
// pixel, exact ties to the smaller coordinate, and clipping that keeps every
// pixel of the whole line, from the plain rule and from pictures worked out
// by hand.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "render/image_canvas.h"
#include "render/image_canvas_fixtures.h"
#include "support/pictures.h"

namespace vantrel {
namespace {

using test::Blank;
using test::ImageCanvasPicture;
using test::kPen;
using test::Line;
using test::Picture;
using test::PixelAt;
using test::PixelsOf;
using test::Point;
using test::ReferenceLine;
using test::Surface;
using test::WorkedPicture;

// A line from one point to another, for the trace of a failing case.
std::string Ends(Point from, Point to) {
  std::ostringstream out;
  out << "(" << from.first << ", " << from.second << ") to (" << to.first << ", " << to.second << ")";
  return out.str();
}

const WorkedPicture kWorkedLines[] = {
    {"HorizontalAndVerticalLinesStopBeforeTheirEnd",
     [](ImageCanvas& c) {
       Line(c, 2, 1, 6, 1);    // right: 2..5
       Line(c, 9, 3, 5, 3);    // left: 9..6
       Line(c, 1, 4, 1, 8);    // down: 4..7
       Line(c, 10, 9, 10, 5);  // up: 9..6
     },
     {
         "............",
         "..PPPP......",
         "............",
         "......PPPP..",
         ".P..........",
         ".P..........",
         ".P........P.",
         ".P........P.",
         "..........P.",
         "..........P.",
         "............",
         "............",
     }},
    {"ZeroLengthLineDrawsNothing", [](ImageCanvas& c) { Line(c, 2, 2, 2, 2); }, Blank(5, 5)},
    {"LineWhollyOutsideDrawsNothing",
     [](ImageCanvas& c) {
       Line(c, -5, -5, 30, -1);
       Line(c, 21, 0, 40, 25);
       Line(c, INT64_MIN, INT64_MIN, INT64_MIN + 1000, INT64_MAX);
     },
     Blank(20, 20)}};

INSTANTIATE_TEST_SUITE_P(Lines, ImageCanvasPicture, testing::ValuesIn(kWorkedLines), test::WorkedPictureName);

TEST(ImageCanvasLine, CoversStartPixelButNotEndPixelInEveryDirection) {
  const Point ends[] = {{10, 5}, {-10, 5}, {5, 10}, {5, -10}, {7, 7},   {-7, 7},
                        {7, -7}, {-7, -7}, {9, 4},  {-9, -4}, {3, -11}, {-3, 11}};
  for (const auto& [dx, dy] : ends) {
    SCOPED_TRACE(testing::Message() << "towards (" << dx << ", " << dy << ")");
    Surface canvas(40, 40);
    Line(canvas, 20, 20, 20 + dx, 20 + dy);
    EXPECT_EQ(PixelAt(canvas, 20, 20), kPen);
    EXPECT_EQ(PixelAt(canvas, 20 + dx, 20 + dy), colors::kBlack);
    EXPECT_EQ(PixelsOf(canvas, kPen).size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
  }
}

TEST(ImageCanvasLine, ExactTieGoesToTheSmallerCoordinateEitherWay) {
  struct Case {
    Point from, to;
    std::set<Point> pixels;
  };
  const Case cases[] = {
      {{0, 0}, {2, 1}, {{0, 0}, {1, 0}}},
      {{2, 1}, {0, 0}, {{2, 1}, {1, 0}}},
      {{0, 1}, {2, 0}, {{0, 1}, {1, 0}}},
      {{2, 0}, {0, 1}, {{2, 0}, {1, 0}}},
      {{0, 0}, {1, 2}, {{0, 0}, {0, 1}}},
      {{1, 2}, {0, 0}, {{1, 2}, {0, 1}}},
      {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},  // equal: y is the major axis
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Ends(c.from, c.to));
    Surface canvas(6, 6);
    Line(canvas, c.from.first, c.from.second, c.to.first, c.to.second);
    EXPECT_EQ(PixelsOf(canvas, kPen), c.pixels);
  }
}

TEST(ImageCanvasLine, EveryLineOnASmallGridFollowsTheRule) {
  for (int x0 = 0; x0 < 9; ++x0) {
    for (int y0 = 0; y0 < 9; ++y0) {
      for (int x1 = 0; x1 < 9; ++x1) {
        for (int y1 = 0; y1 < 9; ++y1) {
          Surface canvas(9, 9);
          Line(canvas, x0, y0, x1, y1);
          ASSERT_EQ(PixelsOf(canvas, kPen), ReferenceLine(x0, y0, x1, y1, 9, 9)) << Ends({x0, y0}, {x1, y1});
        }
      }
    }
  }
}

TEST(ImageCanvasLine, ClippedLineKeepsTheUnclippedPixels) {
  const std::pair<Point, Point> lines[] = {
      {{-50, -20}, {70, 45}}, {{70, 45}, {-50, -20}}, {{-13, 37}, {33, -61}},
      {{45, 3}, {-9, 26}},    {{5, -40}, {17, 80}},   {{39, 29}, {-1, -1}},
  };
  constexpr int kOffset = 100;
  for (const auto& [from, to] : lines) {
    SCOPED_TRACE(Ends(from, to));
    Surface clipped(40, 30);
    Line(clipped, from.first, from.second, to.first, to.second);
    Surface whole(240, 240);
    Line(whole, from.first + kOffset, from.second + kOffset, to.first + kOffset, to.second + kOffset);
    EXPECT_EQ(Picture(clipped), test::Window(Picture(whole), kOffset, kOffset, 40, 30));
    EXPECT_FALSE(PixelsOf(clipped, kPen).empty());
  }
}

TEST(ImageCanvasLine, FarAwayHugeLineCrossingThePictureDrawsOnlyItsPixelsInView) {
  const std::int64_t big = std::int64_t{1} << 33;
  const std::pair<Point, Point> lines[] = {
      {{-big, -big / 3}, {big, big / 3 + 29}},  // shallow, through the picture
      {{big + 7, big}, {-big, -big + 3}},       // diagonal-ish, running backwards
      {{17, -big}, {23, big}},                  // nearly vertical
      {{INT64_MIN, 5}, {INT64_MAX, 10}},        // the whole 64-bit range
      {{3, INT64_MAX}, {4, INT64_MIN}},
  };
  for (const auto& [from, to] : lines) {
    SCOPED_TRACE(Ends(from, to));
    Surface canvas(40, 30);
    // Visits the picture's columns, not the line's billions of steps, or it
    // would not end.
    Line(canvas, from.first, from.second, to.first, to.second);
    const std::set<Point> expected = ReferenceLine(from.first, from.second, to.first, to.second, 40, 30);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(PixelsOf(canvas, kPen), expected);
  }
}

TEST(ImageCanvasLine, PenPositionMovesToTheEnd) {
  Surface canvas(10, 10);
  canvas.moveTo(1, 1);
  canvas.lineTo(5, 1);
  canvas.lineTo(5, 5);
  EXPECT_EQ(canvas.state().penX, 5);
  EXPECT_EQ(canvas.state().penY, 5);
  EXPECT_EQ(PixelsOf(canvas, kPen),
            (std::set<Point>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}, {5, 4}}));
}

TEST(ImageCanvasLine, PenWidthIsAlwaysOnePixel) {
  Surface canvas(10, 10);
  canvas.setPenWidth(3);
  Line(canvas, 1, 4, 8, 4);
  EXPECT_EQ(PixelsOf(canvas, kPen).size(), 7u);
}

}  // namespace
}  // namespace vantrel
