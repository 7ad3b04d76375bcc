// Pixel rules of the QImage surface. The expected pixels come from the rules
// themselves, written out here the plain way (every pixel, no caching, no
// clipping tricks), and from small pictures worked out by hand.
//
// Runs under support/test_main.cpp, which provides the QGuiApplication and the
// program's font substitutions that the text tests need.
#include "render/image_canvas.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "render/label_glyphs.h"
#include "render/marks.h"
#include "support/pictures.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Wide = __int128_t;

constexpr Color kPen = colors::kRed;
constexpr Color kBrush = colors::kGreen;

using Point = std::pair<std::int64_t, std::int64_t>;

using test::PixelAt;

// The picture as rows of characters: '.' black, 'P' pen, 'B' brush, '?' other.
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

// A canvas whose figures are outlined in kPen and filled with kBrush.
struct Surface : ImageCanvas {
  Surface(int w, int h) : ImageCanvas(w, h) {
    setPenColor(kPen);
    setBrushColor(kBrush);
  }
};

// Canvas::lineTo is the way in to the protected line routine.
void Line(ImageCanvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  canvas.moveTo(x0, y0);
  canvas.lineTo(x1, y1);
}

Wide CeilDiv(Wide a, Wide b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

// The line rule, pixel by pixel, for the pixels inside a w x h picture.
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

// GDI's ellipse, the plain way: one quarter of the outline by the midpoint
// method, the four quarters as one closed list of points joined with lines
// (end pixels left out), then each row filled between its first and last
// outline pixel. Boxes of width or height up to 2 are rectangles.
std::vector<std::string> ReferenceEllipse(int w, int h) {
  std::vector<std::string> rows = Blank(w, h);
  if (w == 0 || h == 0 || (w == 1 && h == 1)) return rows;
  if (w <= 2 || h <= 2) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
        rows[y][x] = edge ? 'P' : 'B';
      }
    }
    return rows;
  }

  std::vector<Point> quarter;  // right end of the middle row towards the top
  {
    const std::int64_t a = w - 1, b = h - 1;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t err = dx + dy + a * a * (b % 2);
    std::int64_t x = a, y = h / 2;  // y counts up from the middle row
    while (x >= w / 2) {
      quarter.push_back({x, h - 1 - y});
      const std::int64_t e2 = 2 * err;
      if (e2 >= dx) {
        --x;
        err += dx += 8 * b * b;
      }
      if (e2 <= dy) {
        ++y;
        err += dy += 8 * a * a;
      }
    }
  }
  std::vector<Point> loop = quarter;
  for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
    loop.push_back({w - 1 - it->first, it->second});
  for (const Point& p : quarter) loop.push_back({w - 1 - p.first, h - 1 - p.second});
  for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
    loop.push_back({it->first, h - 1 - it->second});

  for (std::size_t i = 0; i < loop.size(); ++i) {
    const Point& from = loop[i];
    const Point& to = loop[(i + 1) % loop.size()];
    for (const Point& p : ReferenceLine(from.first, from.second, to.first, to.second, w, h)) {
      rows[p.second][p.first] = 'P';
    }
  }
  for (std::string& row : rows) {
    const auto first = row.find('P');
    if (first == std::string::npos) continue;
    const auto last = row.rfind('P');
    for (auto x = first; x < last; ++x) {
      if (row[x] == '.') row[x] = 'B';
    }
  }
  return rows;
}

// The window of `big` at (left, top) of the size of `small`.
std::vector<std::string> Window(const std::vector<std::string>& big, int left, int top, int w, int h) {
  std::vector<std::string> rows;
  for (int y = top; y < top + h; ++y) rows.push_back(big[y].substr(left, w));
  return rows;
}

// Places `figure` at (left, top) on a blank w x h picture, cut at its edges.
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

// The distance from (x, y) to the ellipse of half axes a and b about the
// origin: the nearest of 64 points of its first quarter, refined by golden
// section around it.
double DistanceToEllipse(double x, double y, double a, double b) {
  x = std::abs(x), y = std::abs(y);
  auto distance = [&](double t) { return std::hypot(a * std::cos(t) - x, b * std::sin(t) - y); };
  const double quarter = std::acos(-1.0) / 2;
  constexpr int kSteps = 64;
  int best = 0;
  for (int i = 1; i <= kSteps; ++i) {
    if (distance(quarter * i / kSteps) < distance(quarter * best / kSteps)) best = i;
  }
  double lo = quarter * std::max(best - 1, 0) / kSteps, hi = quarter * std::min(best + 1, kSteps) / kSteps;
  for (int i = 0; i < 30; ++i) {
    const double m1 = lo + (hi - lo) * 0.382, m2 = lo + (hi - lo) * 0.618;
    if (distance(m1) < distance(m2)) {
      hi = m2;
    } else {
      lo = m1;
    }
  }
  return distance((lo + hi) / 2);
}

// Checks the ellipse of a w x h box against the true ellipse through the
// centres of the box's outer pixels, whatever way the outline was stepped:
// outline pixels lie within a pixel of the curve, brush pixels inside it, black
// pixels outside it or within a pixel of it, and the figure is symmetric.
void ExpectCloseToTheTrueEllipse(const std::vector<std::string>& rows, int w, int h) {
  const double a = (w - 1) / 2.0, b = (h - 1) / 2.0;  // half axes; the centre is (a, b)
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const char c = rows[y][x];
      ASSERT_EQ(c, rows[y][w - 1 - x]) << "(" << x << ", " << y << ") mirrored left to right";
      ASSERT_EQ(c, rows[h - 1 - y][x]) << "(" << x << ", " << y << ") mirrored top to bottom";
      const double u = (x - a) / a, v = (y - b) / b;
      const bool inside = u * u + v * v < 1;
      auto near = [&] { return DistanceToEllipse(x - a, y - b, a, b) <= 1.0; };
      const bool fits = c == 'P' ? near() : c == 'B' ? inside : !inside || near();
      ASSERT_TRUE(fits) << c << " at (" << x << ", " << y << ")";
    }
  }
}

// ---------------------------------------------------------------------------
// Lines

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

TEST(ImageCanvasLine, HorizontalAndVerticalLinesStopBeforeTheirEnd) {
  Surface canvas(12, 12);
  Line(canvas, 2, 1, 6, 1);    // right: 2..5
  Line(canvas, 9, 3, 5, 3);    // left: 9..6
  Line(canvas, 1, 4, 1, 8);    // down: 4..7
  Line(canvas, 10, 9, 10, 5);  // up: 9..6
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
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
                             }));
}

TEST(ImageCanvasLine, ZeroLengthLineDrawsNothing) {
  Surface canvas(5, 5);
  Line(canvas, 2, 2, 2, 2);
  EXPECT_EQ(Picture(canvas), Blank(5, 5));
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
    SCOPED_TRACE(testing::Message() << "(" << c.from.first << ", " << c.from.second << ") to (" << c.to.first
                                    << ", " << c.to.second << ")");
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
          ASSERT_EQ(PixelsOf(canvas, kPen), ReferenceLine(x0, y0, x1, y1, 9, 9))
              << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
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
    SCOPED_TRACE(testing::Message() << "(" << from.first << ", " << from.second << ") to (" << to.first
                                    << ", " << to.second << ")");
    Surface clipped(40, 30);
    Line(clipped, from.first, from.second, to.first, to.second);
    Surface whole(240, 240);
    Line(whole, from.first + kOffset, from.second + kOffset, to.first + kOffset, to.second + kOffset);
    EXPECT_EQ(Picture(clipped), Window(Picture(whole), kOffset, kOffset, 40, 30));
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
  for (const auto& line : lines) {
    const Point from = line.first, to = line.second;  // not bindings: clang 14 cannot capture those
    SCOPED_TRACE(testing::Message() << "(" << from.first << ", " << from.second << ") to (" << to.first
                                    << ", " << to.second << ")");
    Surface canvas(40, 30);
    // Visits the picture's columns, not the line's billions of steps, or it
    // would not end.
    Line(canvas, from.first, from.second, to.first, to.second);
    const std::set<Point> expected = ReferenceLine(from.first, from.second, to.first, to.second, 40, 30);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(PixelsOf(canvas, kPen), expected);
  }
}

TEST(ImageCanvasLine, LineWhollyOutsideDrawsNothing) {
  Surface canvas(20, 20);
  Line(canvas, -5, -5, 30, -1);
  Line(canvas, 21, 0, 40, 25);
  Line(canvas, INT64_MIN, INT64_MIN, INT64_MIN + 1000, INT64_MAX);
  EXPECT_EQ(Picture(canvas), Blank(20, 20));
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

// ---------------------------------------------------------------------------
// Rectangles and fills

TEST(ImageCanvasRectangle, SevenBySevenHasPenOnItsEdgesAndBrushInside) {
  Surface canvas(9, 9);
  canvas.rectangle(1, 1, 8, 8);
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                 ".........",
                                 ".PPPPPPP.",
                                 ".PBBBBBP.",
                                 ".PBBBBBP.",
                                 ".PBBBBBP.",
                                 ".PBBBBBP.",
                                 ".PBBBBBP.",
                                 ".PPPPPPP.",
                                 ".........",
                             }));
}

TEST(ImageCanvasRectangle, ReversedCornersAreOrdered) {
  Surface ordered(9, 9);
  ordered.rectangle(1, 2, 8, 6);
  for (const auto& [x1, y1, x2, y2] : {std::tuple{8, 6, 1, 2}, {1, 6, 8, 2}, {8, 2, 1, 6}}) {
    Surface reversed(9, 9);
    reversed.rectangle(x1, y1, x2, y2);
    EXPECT_EQ(Picture(reversed), Picture(ordered));
  }
}

TEST(ImageCanvasRectangle, SmallBoxes) {
  Surface canvas(12, 6);
  canvas.rectangle(1, 1, 2, 2);   // 1 x 1: nothing
  canvas.rectangle(3, 1, 5, 3);   // 2 x 2: four pen pixels
  canvas.rectangle(6, 1, 7, 5);   // 1 x 4: a column
  canvas.rectangle(8, 1, 11, 2);  // 3 x 1: a row
  canvas.rectangle(8, 3, 8, 5);   // no width: nothing
  canvas.rectangle(9, 4, 11, 4);  // no height: nothing
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                 "............",
                                 "...PP.P.PPP.",
                                 "...PP.P.....",
                                 "......P.....",
                                 "......P.....",
                                 "............",
                             }));
}

TEST(ImageCanvasRectangle, ClearBrushLeavesTheInside) {
  Surface canvas(6, 6);
  canvas.setBrushStyle(BrushStyle::Clear);
  canvas.rectangle(0, 0, 5, 5);
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                 "PPPPP.",
                                 "P...P.",
                                 "P...P.",
                                 "P...P.",
                                 "PPPPP.",
                                 "......",
                             }));
}

TEST(ImageCanvasRectangle, HugeBoxIsClippedToThePicture) {
  Surface canvas(8, 6);
  canvas.rectangle(INT64_MIN, 2, INT64_MAX, std::int64_t{1} << 40);
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                 "........",
                                 "........",
                                 "PPPPPPPP",
                                 "BBBBBBBB",
                                 "BBBBBBBB",
                                 "BBBBBBBB",
                             }));
  Surface right(8, 4);
  right.rectangle(6, -(std::int64_t{1} << 40), std::int64_t{1} << 40, 2);
  EXPECT_EQ(Picture(right), (std::vector<std::string>{"......PB", "......PP", "........", "........"}));
}

TEST(ImageCanvasFillRect, FillsWithTheBrushClippedToThePicture) {
  Surface canvas(10, 8);
  canvas.fillRect(-5, -5, 4, 3);
  canvas.fillRect(9, 7, 7, 5);  // reversed: columns 7..8, rows 5..6
  canvas.fillRect(3, 6, 3, 8);  // no width: nothing
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                 "BBBB......",
                                 "BBBB......",
                                 "BBBB......",
                                 "..........",
                                 "..........",
                                 ".......BB.",
                                 ".......BB.",
                                 "..........",
                             }));
}

TEST(ImageCanvasFillRect, HugeCoordinatesFillThePicture) {
  Surface canvas(7, 5);
  canvas.fillRect(INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN);
  EXPECT_EQ(PixelsOf(canvas, kBrush).size(), 35u);
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

// ---------------------------------------------------------------------------
// Ellipses

TEST(ImageCanvasEllipse, DegenerateBoxes) {
  Surface canvas(12, 6);
  canvas.ellipse(1, 1, 1, 1);   // 0 x 0
  canvas.ellipse(1, 1, 1, 5);   // 0 x 4
  canvas.ellipse(2, 1, 3, 2);   // 1 x 1: a rectangle of nothing
  canvas.ellipse(4, 1, 6, 3);   // 2 x 2: four pen pixels
  canvas.ellipse(7, 1, 11, 3);  // 4 x 2: a rectangle
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                 "............",
                                 "....PP.PPPP.",
                                 "....PP.PPPP.",
                                 "............",
                                 "............",
                                 "............",
                             }));
}

TEST(ImageCanvasEllipse, SmallCircles) {
  // Worked out by hand from the midpoint steps; the 9 x 9 circle has the
  // doubled pixels of the GDI outline.
  Surface three(3, 3);
  three.ellipse(0, 0, 3, 3);
  EXPECT_EQ(Picture(three), (std::vector<std::string>{".P.", "PBP", ".P."}));

  Surface nine(9, 9);
  nine.ellipse(0, 0, 9, 9);
  EXPECT_EQ(Picture(nine), (std::vector<std::string>{
                               "...PPP...",
                               ".PPBBBPP.",
                               ".PBBBBBP.",
                               "PBBBBBBBP",
                               "PBBBBBBBP",
                               "PBBBBBBBP",
                               ".PBBBBBP.",
                               ".PPBBBPP.",
                               "...PPP...",
                           }));

  Surface ten(10, 10);
  ten.ellipse(0, 0, 10, 10);
  EXPECT_EQ(Picture(ten), (std::vector<std::string>{
                              "...PPPP...",
                              "..PBBBBP..",
                              ".PBBBBBBP.",
                              "PBBBBBBBBP",
                              "PBBBBBBBBP",
                              "PBBBBBBBBP",
                              "PBBBBBBBBP",
                              ".PBBBBBBP.",
                              "..PBBBBP..",
                              "...PPPP...",
                          }));
}

TEST(ImageCanvasEllipse, CirclesAreSymmetric) {
  for (int n = 3; n <= 64; ++n) {
    SCOPED_TRACE(testing::Message() << n << " x " << n);
    Surface canvas(n, n);
    canvas.ellipse(0, 0, n, n);
    const std::vector<std::string> rows = Picture(canvas);
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) {
        ASSERT_EQ(rows[y][x], rows[y][n - 1 - x]) << "(" << x << ", " << y << ")";
        ASSERT_EQ(rows[y][x], rows[n - 1 - y][x]) << "(" << x << ", " << y << ")";
        ASSERT_EQ(rows[y][x], rows[x][y]) << "(" << x << ", " << y << ")";
      }
    }
    // The outline touches all four sides of the box.
    EXPECT_NE(rows.front().find('P'), std::string::npos);
    EXPECT_EQ(rows[n / 2].front(), 'P');
  }
}

// The cached spans give what the plain rule gives, and the plain rule keeps
// to the true ellipse.
TEST(ImageCanvasEllipse, EveryBoxUpToFortyMatchesThePlainRule) {
  constexpr int kLeft = 3, kTop = 2;
  for (int w = 0; w <= 40; ++w) {
    for (int h = 0; h <= 40; ++h) {
      Surface canvas(w + 6, h + 4);
      canvas.ellipse(kLeft, kTop, kLeft + w, kTop + h);
      ASSERT_EQ(Picture(canvas), Place(ReferenceEllipse(w, h), kLeft, kTop, w + 6, h + 4)) << w << " x " << h;
      if (w > 2 && h > 2) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        ExpectCloseToTheTrueEllipse(Window(Picture(canvas), kLeft, kTop, w, h), w, h);
      }
    }
  }
}

TEST(ImageCanvasEllipse, ClippedEllipseKeepsTheUnclippedPixels) {
  const std::vector<std::string> circle = ReferenceEllipse(21, 17);
  for (const auto& [left, top] : {std::pair{-7, -3}, {-20, 5}, {12, -16}, {15, 9}, {-10, -8}}) {
    SCOPED_TRACE(testing::Message() << "at (" << left << ", " << top << ")");
    Surface canvas(24, 18);
    canvas.ellipse(left, top, left + 21, top + 17);
    EXPECT_EQ(Picture(canvas), Place(circle, left, top, 24, 18));
  }
}

TEST(ImageCanvasEllipse, ReversedCornersAreOrdered) {
  Surface ordered(20, 20);
  ordered.ellipse(2, 3, 15, 18);
  Surface reversed(20, 20);
  reversed.ellipse(15, 18, 2, 3);
  EXPECT_EQ(Picture(reversed), Picture(ordered));
}

TEST(ImageCanvasEllipse, ClearBrushDrawsOnlyTheOutline) {
  Surface canvas(9, 9);
  canvas.setBrushStyle(BrushStyle::Clear);
  canvas.ellipse(0, 0, 9, 9);
  std::vector<std::string> expected = ReferenceEllipse(9, 9);
  for (std::string& row : expected) std::replace(row.begin(), row.end(), 'B', '.');
  EXPECT_EQ(Picture(canvas), expected);
}

TEST(ImageCanvasEllipse, ManySizesInTurnStayCorrect) {
  // Sizes come and go in the shape cache; each must still draw its own shape.
  for (int round = 0; round < 3; ++round) {
    for (int n : {5, 8, 5, 11, 8, 30, 5}) {
      Surface canvas(n, n + 1);
      canvas.ellipse(0, 1, n, n + 1);
      ASSERT_EQ(Picture(canvas), Place(ReferenceEllipse(n, n), 0, 1, n, n + 1)) << n;
    }
  }
}

// Each visits the rows in view only, or it would not end.
TEST(ImageCanvasEllipse, HugeEllipsesEnd) {
  const std::int64_t big = std::int64_t{1} << 32;
  Surface canvas(40, 30);
  canvas.ellipse(-big, -big, big, big);  // the picture lies well inside
  canvas.ellipse(INT64_MIN, INT64_MIN, INT64_MAX, INT64_MAX);
  canvas.ellipse(big, big, 2 * big, 2 * big);  // wholly outside
  canvas.ellipse(-60000, -60000, 60000, 60000);
  canvas.ellipse(-30000, 100, 30000, 5);  // largest exact shape, mostly out of view
  EXPECT_NE(PixelAt(canvas, 20, 15), colors::kBlack);
}

TEST(ImageCanvasEllipse, HugeEllipseKeepsItsOutlineWhereItCrossesThePicture) {
  const std::int64_t big = std::int64_t{1} << 32;
  Surface canvas(40, 30);
  // The top of an ellipse 2^33 wide lies on row 10, flat across the picture.
  canvas.ellipse(-big, 10, big, 10 + 2 * big);
  const std::vector<std::string> rows = Picture(canvas);
  for (int y = 0; y < 30; ++y) {
    const char expected = y < 10 ? '.' : y == 10 ? 'P' : 'B';
    EXPECT_EQ(rows[y], std::string(40, expected)) << "row " << y;
  }

  // Its left end at column 5: pen there, brush to the right, nothing to the left.
  Surface side(40, 30);
  side.ellipse(5, 15 - big, 5 + 2 * big, 15 + big);
  const std::vector<std::string> sideRows = Picture(side);
  EXPECT_EQ(sideRows[15], std::string(5, '.') + "P" + std::string(34, 'B'));
  for (const std::string& row : sideRows) {
    EXPECT_EQ(row.substr(0, 5), ".....");
    EXPECT_EQ(row[5], 'P');
  }
}

// ---------------------------------------------------------------------------
// Text

class ImageCanvasText : public testing::Test {
 protected:
  static constexpr Color kInk = colors::kYellow;
  static constexpr Color kPaper = colors::kTeal;

  ImageCanvasText() : canvas_(160, 60) {
    canvas_.setFontName("Times New Roman");
    canvas_.setFontSize(12);  // 16 pixels
    canvas_.setFontColor(kInk);
    canvas_.setBrushColor(kPaper);
  }

  // What the surface measures the text with.
  QFontMetrics Metrics(int pixelSize = 16) const {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return QFontMetrics(font, &canvas_.image());
  }

  // Every pixel that is no longer black.
  std::set<Point> Painted() const {
    std::set<Point> pixels;
    for (int y = 0; y < canvas_.height(); ++y) {
      for (int x = 0; x < canvas_.width(); ++x) {
        if (PixelAt(canvas_, x, y) != colors::kBlack) pixels.insert({x, y});
      }
    }
    return pixels;
  }

  ImageCanvas canvas_;
};

TEST_F(ImageCanvasText, SolidBrushFillsTheTextBoxFirst) {
  canvas_.textOut(10, 8, "HIH");
  const QFontMetrics fm = Metrics();
  const int advance = fm.horizontalAdvance(QStringLiteral("HIH"));
  const int height = fm.height();
  ASSERT_GT(advance, 0);

  const std::set<Point> paper = PixelsOf(canvas_, kPaper);
  ASSERT_FALSE(paper.empty());
  std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const auto& [x, y] : paper) {
    left = std::min(left, x), top = std::min(top, y), right = std::max(right, x),
    bottom = std::max(bottom, y);
  }
  EXPECT_EQ(left, 10);
  EXPECT_EQ(top, 8);
  EXPECT_EQ(right, 10 + advance - 1);
  EXPECT_EQ(bottom, 8 + height - 1);
  EXPECT_EQ(PixelAt(canvas_, 10, 8), kPaper);
  EXPECT_EQ(PixelAt(canvas_, 10 + advance - 1, 8 + height - 1), kPaper);
  // The ink is there, fully covered in the stems of the letters.
  EXPECT_FALSE(PixelsOf(canvas_, kInk).empty());
  for (const auto& [x, y] : Painted()) {
    EXPECT_TRUE(x >= 10 && y >= 8 && x < 10 + advance && y < 8 + height) << "(" << x << ", " << y << ")";
  }
}

TEST_F(ImageCanvasText, ClearBrushLeavesTheBackground) {
  canvas_.setBrushStyle(BrushStyle::Clear);
  canvas_.textOut(10, 8, "HIH");
  EXPECT_TRUE(PixelsOf(canvas_, kPaper).empty());
  EXPECT_EQ(PixelAt(canvas_, 10, 8), colors::kBlack);
  EXPECT_FALSE(PixelsOf(canvas_, kInk).empty());
}

TEST_F(ImageCanvasText, TopLeftCornerIsAtThePoint) {
  canvas_.setBrushStyle(BrushStyle::Clear);
  canvas_.textOut(10, 8, "HIH");
  const std::set<Point> first = Painted();
  ASSERT_FALSE(first.empty());
  const QFontMetrics fm = Metrics();
  for (const auto& [x, y] : first) {
    EXPECT_GE(x, 10);
    EXPECT_GE(y, 8);
    EXPECT_LT(y, 8 + fm.height());
  }
  // Capital letters reach up to about the ascent below the top.
  std::int64_t top = INT64_MAX;
  for (const auto& p : first) top = std::min(top, p.second);
  EXPECT_LE(top, 8 + fm.ascent() - fm.capHeight() + 1);

  ImageCanvas moved(160, 60);
  moved.setFontName("Times New Roman");
  moved.setFontSize(12);
  moved.setFontColor(kInk);
  moved.setBrushStyle(BrushStyle::Clear);
  moved.textOut(47, 31, "HIH");
  std::set<Point> shifted;
  for (const auto& [x, y] : first) shifted.insert({x + 37, y + 23});
  std::set<Point> second;
  for (int y = 0; y < moved.height(); ++y) {
    for (int x = 0; x < moved.width(); ++x) {
      if (PixelAt(moved, x, y) != colors::kBlack) second.insert({x, y});
    }
  }
  EXPECT_EQ(second, shifted);
}

TEST_F(ImageCanvasText, SizeIsPointsAtNinetySixPixelsPerInch) {
  // Back to 8 pt at the end: the surface sets its font up again after a change.
  for (const auto& [points, pixels] :
       {std::pair{8, 11}, {9, 12}, {10, 13}, {11, 15}, {12, 16}, {14, 19}, {8, 11}}) {
    SCOPED_TRACE(testing::Message() << points << " pt");
    canvas_.setBrushColor(colors::kBlack);
    canvas_.clear();
    canvas_.setBrushColor(kPaper);
    canvas_.setFontSize(points);
    canvas_.textOut(0, 0, "HIH");
    std::int64_t right = -1, bottom = -1;
    for (const auto& [x, y] : PixelsOf(canvas_, kPaper))
      right = std::max(right, x), bottom = std::max(bottom, y);
    EXPECT_EQ(right + 1, Metrics(pixels).horizontalAdvance(QStringLiteral("HIH")));
    EXPECT_EQ(bottom + 1, Metrics(pixels).height());
  }
}

TEST_F(ImageCanvasText, BytesAreLatin1) {
  canvas_.textOut(10, 8, "\xC4");  // A with diaeresis
  int right = -1;
  for (const auto& [x, y] : PixelsOf(canvas_, kPaper)) right = std::max<int>(right, static_cast<int>(x));
  EXPECT_EQ(right + 1 - 10, Metrics().horizontalAdvance(QString(QChar(0xC4))));

  ImageCanvas plain(160, 60);
  plain.setFontName("Times New Roman");
  plain.setFontSize(12);
  plain.setFontColor(kInk);
  plain.setBrushColor(kPaper);
  plain.textOut(10, 8, "A");
  EXPECT_NE(plain.image(), canvas_.image());
}

// Labels, figures and copies of the picture taken between them: every copy
// keeps what it showed, and the canvas ends as if nobody had looked.
TEST_F(ImageCanvasText, CopiesTakenBetweenLabelsKeepWhatTheyShowed) {
  auto draw = [](ImageCanvas& c, int step) {
    switch (step) {
      case 0: c.textOut(10, 8, "HIH"); break;
      case 1: c.fillRect(30, 10, 70, 30); break;
      case 2: c.textOut(40, 12, "HIH"); break;
      case 3: c.ellipse(90, 5, 120, 35); break;
      default: c.textOut(95, 30, "HIH"); break;
    }
  };
  ImageCanvas plain(160, 60);
  plain.setFontName("Times New Roman");
  plain.setFontSize(12);
  plain.setFontColor(kInk);
  plain.setBrushColor(kPaper);
  for (int step = 0; step < 5; ++step) draw(plain, step);

  std::vector<std::pair<QImage, QImage>> copies;  // a shared copy and a deep one
  for (int step = 0; step < 5; ++step) {
    draw(canvas_, step);
    const QImage shared = canvas_.image();
    copies.emplace_back(shared, shared.copy());
  }
  EXPECT_EQ(canvas_.image(), plain.image());
  for (const auto& [shared, deep] : copies) EXPECT_EQ(shared, deep);

  // A picture replaced from outside takes the next label.
  canvas_.image() = QImage(160, 60, QImage::Format_RGB32);
  canvas_.image().fill(Qt::black);
  canvas_.textOut(10, 8, "HIH");
  EXPECT_FALSE(PixelsOf(canvas_, kPaper).empty());
}

// Drawing on trial: given up, the picture and the state are as they were;
// kept, they are what was drawn.
TEST_F(ImageCanvasText, DrawingOnTrialIsPutBackOrKept) {
  canvas_.textOut(10, 8, "HIH");     // smoothed edges: colours of every shade
  canvas_.fillRect(0, 40, 160, 60);  // one colour across rows, longer than a run holds
  const QImage before = canvas_.image().copy();
  const Color brush = canvas_.state().brushColor;
  for (const bool keep : {false, true}) {
    canvas_.BeginTrial();
    canvas_.setBrushColor(colors::kGreen);
    canvas_.fillRect(5, 5, 150, 50);
    canvas_.textOut(20, 20, "HIH");
    const QImage drawn = canvas_.image().copy();
    canvas_.EndTrial(keep);
    EXPECT_EQ(canvas_.image(), keep ? drawn : before) << keep;
    EXPECT_EQ(canvas_.state().brushColor, keep ? colors::kGreen : brush) << keep;
  }
}

TEST_F(ImageCanvasText, TextFarAwayDrawsNothing) {
  const std::int64_t big = std::int64_t{1} << 40;
  for (const auto& [x, y] : {std::pair{big, std::int64_t{5}},
                             {-big, std::int64_t{5}},
                             {std::int64_t{5}, big},
                             {std::int64_t{5}, -big},
                             {INT64_MIN, INT64_MIN},
                             {INT64_MAX, INT64_MAX},
                             {std::int64_t{-500}, std::int64_t{5}},
                             {std::int64_t{160}, std::int64_t{5}}}) {
    canvas_.textOut(x, y, "HIH");
  }
  EXPECT_TRUE(Painted().empty());
}

TEST_F(ImageCanvasText, TextCutAtTheEdgeOfThePicture) {
  canvas_.textOut(-5, -3, "HIH");
  EXPECT_EQ(PixelAt(canvas_, 0, 0), kPaper);
  canvas_.textOut(150, 50, "HIH");
  EXPECT_EQ(PixelAt(canvas_, 150, 50), kPaper);
  EXPECT_EQ(PixelAt(canvas_, 159, 50), kPaper);
}

TEST(FontSubstitutions, ProgramFacesResolveToInstalledFaces) {
  const std::pair<const char*, const char*> faces[] = {
      {"Times New Roman", "Liberation Serif"},
      {"MS Sans Serif", "DejaVu Sans"},
      {"Century Gothic", "URW Gothic"},
      {"宋体", "AR PL UMing CN"},
      {"隶书", "AR PL UKai CN"},
  };
  for (const auto& [requested, installed] : faces) {
    QFont font(QString::fromUtf8(requested));
    font.setPixelSize(16);
    // Qt adds " [foundry]" where a family comes from more than one foundry.
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family.startsWith(QString::fromUtf8(installed))) << requested << ": " << family.toStdString();
  }
  // Comic Neue where it is installed, URW Gothic otherwise.
  const QString comic = QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family();
  EXPECT_TRUE(comic.startsWith(QStringLiteral("Comic Neue")) ||
              comic.startsWith(QStringLiteral("URW Gothic")))
      << comic.toStdString();
}

}  // namespace
}  // namespace vantrel

// ---------------------------------------------------------------------------
// Drawing at another scale

namespace vantrel {
namespace {

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

struct ScaledFigure {
  const char* name;
  Color colour;  // what the figure is drawn in
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
  for (ImageCanvas* canvas : {&plain, &scaled}) figure.draw(*canvas);
  const std::set<Point> expected = DesignPixelsOf(plain, figure.colour, figure.text);
  const std::set<Point> found = DesignPixelsOf(scaled, figure.colour, figure.text);
  EXPECT_TRUE(WithinAPixel(expected, found))
      << expected.size() << " design pixels at scale 1, " << found.size() << " at scale 2";
}

INSTANTIATE_TEST_SUITE_P(Figures, ImageCanvasScaled,
                         testing::Values(ScaledFigure{"OutlineLines", colors::kRed,
                                                      [](ImageCanvas& c) {
                                                        c.setPenColor(colors::kRed);
                                                        c.moveTo(5, 5);
                                                        c.lineTo(70, 5);
                                                        c.lineTo(60, 50);
                                                        c.lineTo(5, 40);
                                                        c.lineTo(5, 5);
                                                      }},
                                         ScaledFigure{"PartBox", colors::kOlive,
                                                      [](ImageCanvas& c) {
                                                        c.setPenColor(colors::kOlive);
                                                        c.setBrushColor(colors::kBlack);
                                                        c.rectangle(10, 8, 50, 30);
                                                      }},
                                         ScaledFigure{"Ring", colors::kYellow,
                                                      [](ImageCanvas& c) {
                                                        c.setPenColor(colors::kYellow);
                                                        c.setBrushStyle(BrushStyle::Clear);
                                                        c.ellipse(20, 20, 33, 33);
                                                      }},
                                         ScaledFigure{"Disc", colors::kWhite,
                                                      [](ImageCanvas& c) {
                                                        c.setPenColor(colors::kWhite);
                                                        c.setBrushColor(colors::kWhite);
                                                        c.ellipse(40, 10, 49, 19);
                                                      }},
                                         ScaledFigure{"Label", colors::kRed,
                                                      [](ImageCanvas& c) {
                                                        c.setBrushStyle(BrushStyle::Clear);
                                                        c.setFontName("Times New Roman");
                                                        c.setFontSize(16);
                                                        c.setFontColor(colors::kRed);
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
    for (ImageCanvas* canvas : {&cut, &whole}) {
      canvas->SetScale(2);
      canvas->setPenColor(colors::kYellow);
      canvas->setBrushColor(colors::kWhite);
    }
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
  for (ImageCanvas* canvas : {&forward, &backward}) {
    canvas->SetScale(1.79);
    canvas->setPenColor(colors::kYellow);
    canvas->setBrushColor(colors::kWhite);
  }
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
  many.SetScale(2);
  many.setPenColor(colors::kYellow);
  many.setBrushColor(colors::kWhite);
  for (int i = 0; i < 12; ++i) {
    // 30,000 design pixels across and more, each size new, the left end in view.
    const std::int64_t size = 30000 + 2 * i;
    many.ellipse(5, 15 - size / 2, 5 + size, 15 + size / 2);
    ImageCanvas alone(40, 30);
    alone.SetScale(2);
    alone.setPenColor(colors::kYellow);
    alone.setBrushColor(colors::kWhite);
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

// Labels are drawn from cached glyphs with cached pair advances; they must
// come out as text shaped and drawn by the toolkit does, pixel for pixel, for
// every printable character and every pair of them that the real boards
// hold, at the label sizes of the main window and the overview, at design
// size and at a window's factor.
TEST(LabelGlyphs, RealBoardTextsDrawAsTheToolkitDrawsThem) {
  std::set<std::string> texts;
  for (const char* board : {"teres-main", "teres-kbd", "csi-adapter"}) {
    for (const std::filesystem::path& file :
         {std::filesystem::path(test::SharedBoardFile(board)), test::SharedBoardDir(board) / "jet.CON"}) {
      std::ifstream in(file, std::ios::binary);
      ASSERT_TRUE(in) << file;
      for (std::string line; std::getline(in, line);) {
        for (std::size_t i = 0; i < line.size(); ++i) {
          if (!LabelGlyphs::Covers(line.substr(i, 1))) continue;
          texts.insert(line.substr(i, 1));
          if (i + 1 < line.size() && LabelGlyphs::Covers(line.substr(i, 2))) texts.insert(line.substr(i, 2));
        }
      }
    }
  }
  ASSERT_GT(texts.size(), 1000u);
  const auto draw = [](ImageCanvas& canvas, int points, const std::string& text) {
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(colors::kBlack);
    canvas.fillRect(0, 0, canvas.width(), canvas.height());
    WriteMarkLabel(canvas, 3, 2, points, colors::kRed, text);
  };
  int differ = 0;
  for (const double scale : {1.0, 1.79}) {
    ImageCanvas fast(48, 40), plain(48, 40);
    plain.SetLabelGlyphs(false);
    fast.SetScale(scale);
    plain.SetScale(scale);
    for (const int points : {6, 8, 12, 18, 26}) {
      for (const std::string& text : texts) {
        draw(fast, points, text);
        draw(plain, points, text);
        if (fast.image() != plain.image() && ++differ <= 5) {
          ADD_FAILURE() << "\"" << text << "\" at " << points << " points, scale " << scale;
        }
      }
    }
  }
  EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace vantrel
