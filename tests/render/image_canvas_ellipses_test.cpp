// Ellipses of the QImage surface: the GDI outline traced point by point
// and mirrored, the brush between its ends on each row, boxes of width or
// height up to 2 drawn as rectangles, clipping that keeps the whole
// ellipse's pixels, and huge ellipses drawn row by row in view. The expected
// pixels come from the rule written out the plain way, from the true
// ellipse, and from small pictures worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
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
using test::Picture;
using test::PixelAt;
using test::Place;
using test::Point;
using test::ReferenceLine;
using test::Surface;
using test::Window;
using test::WorkedPicture;

// One quarter of a w x h ellipse's outline by the midpoint method, from the
// right end of the middle row towards the top.
std::vector<Point> MidpointQuarter(int w, int h) {
  std::vector<Point> quarter;
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
  return quarter;
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

  const std::vector<Point> quarter = MidpointQuarter(w, h);
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

// The 3, 9 and 10 pixel circles are worked out by hand from the midpoint
// steps; the 9 x 9 circle has the doubled pixels of the GDI outline.
const WorkedPicture kWorkedEllipses[] = {
    {"DegenerateBoxes",
     [](ImageCanvas& c) {
       c.ellipse(1, 1, 1, 1);  // 0 x 0
       c.ellipse(1, 1, 1, 5);  // 0 x 4
       c.ellipse(2, 1, 3,
                 2);            // 1 x 1: a rectangle of nothing
       c.ellipse(4, 1, 6, 3);   // 2 x 2: four pen pixels
       c.ellipse(7, 1, 11, 3);  // 4 x 2: a rectangle
     },
     {
         "............",
         "....PP.PPPP.",
         "....PP.PPPP.",
         "............",
         "............",
         "............",
     }},
    {"SmallCircleOfThree", [](ImageCanvas& c) { c.ellipse(0, 0, 3, 3); }, {".P.", "PBP", ".P."}},
    {"SmallCircleOfNine",
     [](ImageCanvas& c) { c.ellipse(0, 0, 9, 9); },
     {
         "...PPP...",
         ".PPBBBPP.",
         ".PBBBBBP.",
         "PBBBBBBBP",
         "PBBBBBBBP",
         "PBBBBBBBP",
         ".PBBBBBP.",
         ".PPBBBPP.",
         "...PPP...",
     }},
    {"SmallCircleOfTen",
     [](ImageCanvas& c) { c.ellipse(0, 0, 10, 10); },
     {
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
     }}};

INSTANTIATE_TEST_SUITE_P(Ellipses, ImageCanvasPicture, testing::ValuesIn(kWorkedEllipses),
                         test::WorkedPictureName);

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

// A picture wholly inside a solid ellipse, as under a marker larger than the
// view, is filled at once; it must be what the ellipse's rows give. The same
// ellipse in a taller picture that holds its top row is drawn row by row.
TEST(ImageCanvasEllipse, PictureInsideAHugeEllipseIsItsRows) {
  const std::int64_t big = std::int64_t{1} << 32;
  // Centred on the picture, and with the brush's right edge crossing it.
  for (const std::int64_t left : {-big + 20, -big - 131040}) {
    for (const int depth : {1, 2, 7}) {
      SCOPED_TRACE(testing::Message() << "left " << left << ", top -" << depth);
      Surface inside(40, 30);
      inside.ellipse(left, -depth, left + 2 * big, 2 * big - depth);
      Surface taller(40, 30 + depth);
      taller.ellipse(left, 0, left + 2 * big, 2 * big);
      const std::vector<std::string> rows = Picture(taller);
      EXPECT_NE(rows[0], std::string(40, 'B'));
      EXPECT_EQ(Picture(inside), std::vector<std::string>(rows.begin() + depth, rows.end()));
    }
  }
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

}  // namespace
}  // namespace vantrel
