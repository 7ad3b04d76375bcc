// Rectangles and fills of the QImage surface: the pen on the box's edges and
// the brush inside, the box clipped to the picture whatever its coordinates,
// a clear brush that fills nothing, and the colour's byte order.
#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "render/image_canvas.h"
#include "render/image_canvas_fixtures.h"

namespace vantrel {
namespace {

using test::Blank;
using test::ImageCanvasPicture;
using test::Picture;
using test::PixelsOf;
using test::Surface;
using test::WorkedPicture;

constexpr std::int64_t kFar = std::int64_t{1} << 40;

const WorkedPicture kWorkedRectangles[] = {
    {"SevenBySevenHasPenOnItsEdgesAndBrushInside",
     [](ImageCanvas& c) { c.rectangle(1, 1, 8, 8); },
     {
         ".........",
         ".PPPPPPP.",
         ".PBBBBBP.",
         ".PBBBBBP.",
         ".PBBBBBP.",
         ".PBBBBBP.",
         ".PBBBBBP.",
         ".PPPPPPP.",
         ".........",
     }},
    {"SmallBoxes",
     [](ImageCanvas& c) {
       c.rectangle(1, 1, 2, 2);   // 1 x 1: nothing
       c.rectangle(3, 1, 5, 3);   // 2 x 2: four pen pixels
       c.rectangle(6, 1, 7, 5);   // 1 x 4: a column
       c.rectangle(8, 1, 11, 2);  // 3 x 1: a row
       c.rectangle(8, 3, 8, 5);   // no width: nothing
       c.rectangle(9, 4, 11, 4);  // no height: nothing
     },
     {
         "............",
         "...PP.P.PPP.",
         "...PP.P.....",
         "......P.....",
         "......P.....",
         "............",
     }},
    {"ClearBrushLeavesTheInside",
     [](ImageCanvas& c) {
       c.setBrushStyle(BrushStyle::Clear);
       c.rectangle(0, 0, 5, 5);
     },
     {
         "PPPPP.",
         "P...P.",
         "P...P.",
         "P...P.",
         "PPPPP.",
         "......",
     }},
    {"HugeBoxIsClippedToThePicture",
     [](ImageCanvas& c) { c.rectangle(INT64_MIN, 2, INT64_MAX, kFar); },
     {
         "........",
         "........",
         "PPPPPPPP",
         "BBBBBBBB",
         "BBBBBBBB",
         "BBBBBBBB",
     }},
    {"HugeBoxIsClippedToThePictureOnTheRight",
     [](ImageCanvas& c) { c.rectangle(6, -kFar, kFar, 2); },
     {"......PB", "......PP", "........", "........"}},
    {"FillRectFillsWithTheBrushClippedToThePicture",
     [](ImageCanvas& c) {
       c.fillRect(-5, -5, 4, 3);
       c.fillRect(9, 7, 7, 5);  // reversed: columns 7..8, rows 5..6
       c.fillRect(3, 6, 3, 8);  // no width: nothing
     },
     {
         "BBBB......",
         "BBBB......",
         "BBBB......",
         "..........",
         "..........",
         ".......BB.",
         ".......BB.",
         "..........",
     }},
    {"FillRectWithHugeCoordinatesFillsThePicture",
     [](ImageCanvas& c) { c.fillRect(INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN); },
     std::vector<std::string>(5, "BBBBBBB")}};

INSTANTIATE_TEST_SUITE_P(Rectangles, ImageCanvasPicture, testing::ValuesIn(kWorkedRectangles),
                         test::WorkedPictureName);

TEST(ImageCanvasRectangle, ReversedCornersAreOrdered) {
  Surface ordered(9, 9);
  ordered.rectangle(1, 2, 8, 6);
  for (const auto& [x1, y1, x2, y2] : {std::tuple{8, 6, 1, 2}, {1, 6, 8, 2}, {8, 2, 1, 6}}) {
    Surface reversed(9, 9);
    reversed.rectangle(x1, y1, x2, y2);
    EXPECT_EQ(Picture(reversed), Picture(ordered));
  }
}

TEST(ImageCanvasFillRect, ClearBrushFillsNothing) {
  Surface canvas(7, 5);
  canvas.setBrushStyle(BrushStyle::Clear);
  canvas.fillRect(0, 0, 7, 5);
  canvas.clear();
  EXPECT_EQ(Picture(canvas), Blank(7, 5));
  canvas.setBrushColor(colors::kYellow);  // solid again
  canvas.clear();
  EXPECT_EQ(PixelsOf(canvas, colors::kYellow).size(), 35u);
}

TEST(ImageCanvasColour, ColoursAreBlueGreenRed) {
  ImageCanvas canvas(1, 1);
  canvas.setBrushColor(0x123456);  // red 0x56, green 0x34, blue 0x12
  canvas.clear();
  EXPECT_EQ(canvas.image().pixel(0, 0), qRgb(0x56, 0x34, 0x12));
  EXPECT_EQ(canvas.image().format(), QImage::Format_RGB32);
}

}  // namespace
}  // namespace vantrel
