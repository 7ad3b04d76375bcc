#include "board/view_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <random>
#include <vector>

#include "board/board_error.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A view whose live placement is `placement`, everything else as at start.
ViewState Placed(const Placement& placement) {
  ViewState view;
  static_cast<Placement&>(view) = placement;
  return view;
}

using test::ErrorOf;
using test::TempDir;

std::string Outline(const std::string& points) { return "header line\n" + points + "1 1 1 1\n2 2 2 2\n"; }

TEST(Round, HalvesGoToEven) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(0.5), 0);
  EXPECT_EQ(RoundToInt32(1.5000001), 2);
  EXPECT_EQ(RoundToInt32(-0.4), 0);
}

// The quick rounding gives what nearbyint gives, on halves, near halves and
// near the ends of the range.
TEST(Round, AgreesWithNearbyintEverywhereInRange) {
  std::mt19937_64 random(9);
  std::vector<double> values;
  for (int i = 0; i < 200000; ++i) {
    const double whole = static_cast<double>(static_cast<std::int64_t>(random() % 4294967296) - 2147483648);
    values.push_back(whole + 0.5);
    values.push_back(std::nextafter(whole + 0.5, 0.0));
    values.push_back(std::nextafter(whole + 0.5, 1e10));
    values.push_back(whole + static_cast<double>(random() % 1000000) / 1000000.0);
    values.push_back(std::ldexp(static_cast<double>(random() % 1000000), -static_cast<int>(random() % 60)));
  }
  for (double edge : {2147483646.5, 2147483647.0, 2147483647.49, -2147483647.0, -2147483647.5, -2147483648.0,
                      -2147483648.49, -0.5, -0.0, 0.49999999999999994}) {
    values.push_back(edge);
  }
  for (const double v : values) {
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0) continue;
    ASSERT_EQ(RoundToInt32(v), static_cast<std::int32_t>(r)) << std::setprecision(17) << v;
  }
}

TEST(Round, OutOfRangeOrNotFiniteIsAnInvalidOperation) {
  EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(RoundToInt32(-2147483648.0), -2147483647 - 1);
  for (double v : {2147483647.5 + 1, -2147483649.0, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(ErrorOf([&] { RoundToInt32(v); }), "Invalid floating point operation") << v;
  }
}

TEST(ComputeHomeView, WorkedExampleAndOneZoomStep) {
  TempDir dir;
  const std::string file = dir.Write("b.brd", Outline("-2 0\n6 0\n6 5\n-2 5\n-2 0\n"));
  ViewState v;
  ComputeHomeView(v, file);
  EXPECT_EQ(v.Scale, 100);
  EXPECT_EQ(v.MarkRadius, 2);
  EXPECT_EQ(v.MarkMargin, 4);
  EXPECT_EQ(v.TopOriginX, 192);
  EXPECT_EQ(v.BottomOriginX, 192);
  EXPECT_EQ(v.TopOriginY, 530);
  EXPECT_EQ(v.BottomOriginY, 30);
  EXPECT_EQ(SideMapping::Of(v, Side::Top).Map(2, 2.5), (PixelPoint{392, 280}));
  EXPECT_EQ(SideMapping::Of(v, Side::Bottom).Map(2, 2.5), (PixelPoint{392, 280}));
  EXPECT_EQ(v.home.Scale, 100);
  EXPECT_EQ(v.home.TopOriginY, 530);
  EXPECT_EQ(v.home.MarkMargin, 4);

  v.Scale += 40;
  CentreOnBoard(v);
  EXPECT_EQ(v.TopOriginX, 112);
  EXPECT_EQ(v.TopOriginY, 595);
  EXPECT_EQ(v.BottomOriginY, -105);

  v.ZoomStep = 3;
  v.MarkRadius = 9;
  RestoreHomeView(v);
  EXPECT_EQ(v.Scale, 100);
  EXPECT_EQ(v.ZoomStep, 0);
  EXPECT_EQ(v.TopOriginY, 530);
  EXPECT_EQ(v.MarkRadius, 2);
  EXPECT_EQ(v.ExtentMaxX, 6);
}

TEST(ComputeHomeView, ScaleComesFromTheSmallerExtent) {
  TempDir dir;
  ViewState v;
  ComputeHomeView(v, dir.Write("tall.brd", Outline("0 0\n5 8\n")));
  EXPECT_EQ(v.Scale, 70);
  EXPECT_EQ(v.MarkRadius, 1);  // Round(1.4)
  // A square board is treated as a tall one.
  ComputeHomeView(v, dir.Write("square.brd", Outline("0 0\n7 7\n")));
  EXPECT_EQ(v.Scale, 50);
  // A height of 1000 on a wider board rounds the scale down to 0.
  ComputeHomeView(v, dir.Write("huge.brd", Outline("0 0\n2000 1000\n")));
  EXPECT_EQ(v.Scale, 0);
  EXPECT_EQ(v.TopOriginX, 392);
}

TEST(ComputeHomeView, MarkerSizesRoundHalvesToEven) {
  TempDir dir;
  ViewState v;
  ComputeHomeView(v, dir.Write("a.brd", Outline("0 0\n50 20\n")));  // 500/20 = 25
  EXPECT_EQ(v.Scale, 25);
  EXPECT_EQ(v.MarkRadius, 0);
  ComputeHomeView(v, dir.Write("b.brd", Outline("0 0\n12 4\n")));  // 125
  EXPECT_EQ(v.Scale, 125);
  EXPECT_EQ(v.MarkRadius, 2);
  EXPECT_EQ(v.MarkMargin, 4);
  ComputeHomeView(v, dir.Write("c.brd", Outline("0 0\n20 6.6666666666666667\n")));  // 75
  EXPECT_EQ(v.Scale, 75);
  EXPECT_EQ(v.MarkRadius, 2);
}

TEST(ComputeHomeView, PointsWithAOneAreLeftOutButTheFirstCounts) {
  TempDir dir;
  ViewState v;
  // x = 1 and y = 4 neither widens nor ends the scan; the first point counts.
  ComputeHomeView(v, dir.Write("a.brd", Outline("1 2\n9 2\n1 40\n9 7\n5 1\n")));
  EXPECT_EQ(v.ExtentMinX, 1);
  EXPECT_EQ(v.ExtentMaxX, 9);
  EXPECT_EQ(v.ExtentMinY, 2);
  EXPECT_EQ(v.ExtentMaxY, 7);
  // x = 1 with y = 5 does not end the home-view scan.
  ComputeHomeView(v, dir.Write("b.brd", Outline("0 0\n1 5\n20 10\n")));
  EXPECT_EQ(v.ExtentMaxX, 20);
}

TEST(ComputeHomeView, DivisionByZeroKeepsTheOldViewButStoresTheExtents) {
  TempDir dir;
  ViewState v;
  ComputeHomeView(v, dir.Write("a.brd", Outline("-2 0\n6 5\n")));
  const ViewState before = v;
  EXPECT_EQ(ErrorOf([&] { ComputeHomeView(v, dir.Write("flat.brd", Outline("0 2\n8 2\n"))); }),
            "Floating point division by zero");
  EXPECT_EQ(v.Scale, before.Scale);
  EXPECT_EQ(v.home.TopOriginY, before.home.TopOriginY);
  EXPECT_EQ(v.ExtentMaxX, 8);
  EXPECT_EQ(v.ExtentMinY, 2);
  EXPECT_EQ(ErrorOf([&] { ComputeHomeView(v, dir.Write("point.brd", Outline("4 4\n"))); }),
            "Floating point division by zero");
}

TEST(ComputeHomeView, HugeOrInfiniteExtentsRaiseInvalidOperation) {
  TempDir dir;
  ViewState v;
  EXPECT_EQ(ErrorOf([&] { ComputeHomeView(v, dir.Write("a.brd", Outline("0 0\n8 1e-12\n"))); }),
            "Invalid floating point operation");
  EXPECT_EQ(ErrorOf([&] { ComputeHomeView(v, dir.Write("b.brd", Outline("0 0\n1e999 5\n"))); }),
            "Invalid floating point operation");
}

TEST(ComputeHomeView, OutlineWithoutItsMarkerEndsAtEndOfFile) {
  TempDir dir;
  ViewState v;
  EXPECT_EQ(ErrorOf([&] { ComputeHomeView(v, dir.Write("a.brd", "h\n0 0\n5 5\n")); }),
            "Read beyond end of file");
  EXPECT_EQ(ErrorOf([&] { ComputeHomeView(v, dir.Write("b.brd", "")); }), "Read beyond end of file");
}

// The wheel zooms as the keys do, about the pointer instead of the board's
// centre: the board point under the pointer stays there on both sides.
TEST(WheelZoom, KeepsThePointUnderThePointerOnBothSides) {
  struct Case {
    const char* name;
    Zoom zoom;
    std::int32_t scale, zoomStep, x, y;
    ViewState expected;  // Scale, origins, MarkRadius, MarkMargin, ZoomStep
  };
  const ViewState start = Placed({.Scale = 100,
                                  .TopOriginX = 192,
                                  .TopOriginY = 530,
                                  .BottomOriginX = 192,
                                  .BottomOriginY = 30,
                                  .MarkRadius = 2,
                                  .MarkMargin = 4});
  const auto view = [&](std::int32_t scale, std::int32_t tx, std::int32_t ty, std::int32_t bx,
                        std::int32_t by, std::int32_t radius, std::int32_t margin, std::int32_t step) {
    ViewState v = start;
    v.Scale = scale, v.TopOriginX = tx, v.TopOriginY = ty, v.BottomOriginX = bx, v.BottomOriginY = by;
    v.MarkRadius = radius, v.MarkMargin = margin, v.ZoomStep = step;
    return v;
  };
  const Case cases[] = {
      // 392 - (392 - 192) x 140 / 100 = 112; 280 - (280 - 530) x 1.4 = 630.
      {"InAtTheCentre", Zoom::In, 100, 0, 392, 280, view(140, 112, 630, 112, -70, 2, 4, 1)},
      // 0 - (0 - 192) x 1.4 = 268.8; 0 - (0 - 30) x 1.4 = 42.
      {"InAtTheCorner", Zoom::In, 100, 1, 0, 0, view(140, 269, 742, 269, 42, 3, 6, 2)},
      // 100 - (100 - 192) x 60 / 100 = 155.2; the markers shrink above step 0.
      {"OutAboveHome", Zoom::Out, 100, 2, 100, 100, view(60, 155, 358, 155, 58, 1, 2, 1)},
      // Below the home view the step goes negative and the markers stay.
      {"OutBelowHome", Zoom::Out, 100, -1, 392, 280, view(60, 272, 430, 272, 130, 2, 4, -2)},
      {"InAtTheLimit", Zoom::In, 1000, 5, 392, 280, view(1000, 192, 530, 192, 30, 2, 4, 5)},
      {"OutAtTheLimit", Zoom::Out, 80, 0, 392, 280, view(80, 192, 530, 192, 30, 2, 4, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ViewState v = start;
    v.Scale = c.scale;
    v.ZoomStep = c.zoomStep;
    EXPECT_EQ(WheelZoom(v, c.zoom, c.x, c.y), c.scale != c.expected.Scale);
    EXPECT_EQ(v, c.expected);
  }
}

TEST(WheelZoom, AtScaleZeroCentresAndOutOfRangeChangesNothing) {
  const auto board = [](std::int32_t scale, std::int32_t zoomStep) {
    ViewState v = Placed({.Scale = scale});
    v.ZoomStep = zoomStep;
    v.ExtentMinX = -2, v.ExtentMaxX = 6, v.ExtentMinY = 0, v.ExtentMaxY = 5;
    return v;
  };
  ViewState v = board(0, 0);
  ASSERT_TRUE(WheelZoom(v, Zoom::In, 10, 10));
  ViewState centred = board(40, 1);
  CentreOnBoard(centred);
  EXPECT_EQ(v, centred);

  ViewState far = Placed({.Scale = 500, .TopOriginX = -2'000'000'000});
  const ViewState before = far;
  EXPECT_EQ(ErrorOf([&] { WheelZoom(far, Zoom::In, 0, 0); }), "Invalid floating point operation");
  EXPECT_EQ(far, before);
}

TEST(SideMapping, TopGoesUpBottomGoesDown) {
  const SideMapping top(Side::Top, 10, 100, 200);
  const SideMapping bottom(Side::Bottom, 10, 100, 200);
  EXPECT_EQ(top.Map(1.25, 2), (PixelPoint{112, 180}));  // 112.5 rounds to even
  EXPECT_EQ(bottom.Map(0.25, 2), (PixelPoint{102, 220}));
  EXPECT_THROW(top.Map(1e9, 0), BoardError);
}

}  // namespace
}  // namespace vantrel
