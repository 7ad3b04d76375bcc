// What the tests of the QImage surface share: its pictures as rows of
// characters ('.' black, 'P' pen, 'B' brush, '?' any other colour), a canvas
// that draws in those colours, the line rule written out the plain way (every
// pixel, no caching, no clipping tricks) that lines and ellipses are held to,
// and tables of small pictures worked out by hand.
//
// Coordinates are pixels of the picture, as the canvas takes them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "render/image_canvas.h"

namespace vantrel::test {

inline constexpr Color kPen = colors::kRed;
inline constexpr Color kBrush = colors::kGreen;

using Point = std::pair<std::int64_t, std::int64_t>;

// A canvas whose figures are outlined in kPen and filled with kBrush.
struct Surface : ImageCanvas {
  Surface(int w, int h) : ImageCanvas(w, h) {
    setPenColor(kPen);
    setBrushColor(kBrush);
  }
};

std::vector<std::string> Picture(const ImageCanvas& canvas);
std::vector<std::string> Blank(int w, int h);
// The pixels of one colour.
std::set<Point> PixelsOf(const ImageCanvas& canvas, Color colour);
// The window of `big` at (left, top), w x h.
std::vector<std::string> Window(const std::vector<std::string>& big, int left, int top, int w, int h);
// Places `figure` at (left, top) on a blank w x h picture, cut at its edges.
std::vector<std::string> Place(const std::vector<std::string>& figure, int left, int top, int w, int h);

// Canvas::lineTo is the way in to the protected line routine.
void Line(ImageCanvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
// The line rule, pixel by pixel, for the pixels inside a w x h picture.
std::set<Point> ReferenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int w,
                              int h);

// Figures drawn on a Surface of the picture's size, and the picture they make.
struct WorkedPicture {
  const char* name;  // the behaviour it shows, as a test name
  std::function<void(ImageCanvas&)> draw;
  std::vector<std::string> picture;
};

// Each test file instantiates it with its own table of worked pictures:
//   INSTANTIATE_TEST_SUITE_P(Lines, ImageCanvasPicture, testing::ValuesIn(kWorkedLines),
//                            test::WorkedPictureName);
class ImageCanvasPicture : public testing::TestWithParam<WorkedPicture> {};
std::string WorkedPictureName(const testing::TestParamInfo<WorkedPicture>& info);
// A case by its name in the test's messages.
void PrintTo(const WorkedPicture& worked, std::ostream* out);

}  // namespace vantrel::test
