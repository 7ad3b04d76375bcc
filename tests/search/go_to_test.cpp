// Going to a result found from the board browser: the side that shows it is
// centred on it and zoomed in, never out, until it spans a quarter of the
// picture or the zoom can go no further; the result stays in the picture.
#include "search/go_to.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "search/device_search.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

class GoTo : public test::SearchFixture {
 protected:
  // Runs the search, goes to its result and tells where the given board
  // points are then on the side shown.
  std::vector<PixelPoint> After(const std::function<bool(Session&)>& search, const SearchTexts& texts,
                                const std::vector<BoardPoint>& points) {
    const std::int32_t scale = s.view.Scale;
    EXPECT_TRUE(Ran([&] { return search(s); }));
    bool moved = false;
    Run([&] { moved = GoToResult(s, texts); });
    EXPECT_TRUE(moved);
    EXPECT_GE(s.view.Scale, scale) << "never zooms out";
    std::vector<PixelPoint> at;
    for (const BoardPoint& p : points) at.push_back(SideMapping::Of(s.view, s.view.shown).Map(p));
    return at;
  }
};

TEST_F(GoTo, RealBoardANetsPinsAreCentredAndInThePicture) {
  OpenRealBoard("teres-main");
  std::vector<BoardPoint> pins;
  for (const test::PinLine& pin : test::PinRecordsOf(s.document.BoardFile)) {
    if (pin.net == "IPS") pins.push_back({pin.x, pin.y});
  }
  ASSERT_GT(pins.size(), 4u);
  SearchTexts texts;
  texts.net = "IPS";
  const std::vector<PixelPoint> at = After([&](Session& s) { return NetSearch(s, texts.net); }, texts, pins);
  std::int64_t left = 784, right = 0, top = 490, bottom = 0;
  for (const PixelPoint& p : at) {
    left = std::min(left, p.x), right = std::max(right, p.x), top = std::min(top, p.y),
    bottom = std::max(bottom, p.y);
  }
  EXPECT_GE(left, 0);
  EXPECT_LT(right, 784);
  EXPECT_GE(top, 0);
  EXPECT_LT(bottom, 490);
  EXPECT_NEAR(static_cast<double>(left + right) / 2, 392, 2);
  EXPECT_NEAR(static_cast<double>(top + bottom) / 2, 245, 2);
  EXPECT_TRUE(right - left >= 196 || bottom - top >= 122 || s.view.Scale >= 1000);
}

TEST_F(GoTo, RealBoardADeviceBoxIsCentredAndSpansAQuarter) {
  OpenRealBoard("teres-main");
  const test::PartLine part = test::PartsOf(s.document.BoardFile).front();
  SearchTexts texts;
  texts.devices = {part.name, "", ""};
  const std::vector<PixelPoint> at = After([&](Session& s) { return DeviceSearch(s, texts.devices, {}); },
                                           texts, {{part.x1, part.y1}, {part.x2, part.y2}});
  EXPECT_NEAR(static_cast<double>(at[0].x + at[1].x) / 2, 392, 1);
  EXPECT_NEAR(static_cast<double>(at[0].y + at[1].y) / 2, 245, 1);
  const std::int64_t w = std::abs(at[1].x - at[0].x), h = std::abs(at[1].y - at[0].y);
  EXPECT_TRUE(w >= 196 || h >= 122 || s.view.Scale >= 1000) << w << " x " << h;
}

TEST_F(GoTo, RealBoardANailIsCentredOnTheSideShown) {
  OpenRealBoard("teres-main");
  const std::string nail = "T1";
  SearchTexts texts;
  texts.nails = {nail, "", ""};
  ASSERT_TRUE(Ran([&] { return OpenShortSearch(s, texts.nails); }));
  Run([&] { GoToResult(s, texts); });
  // The nail's position on the side shown: the line after its name in its nail records.
  const std::string file = test::ReadFileBytes(s.FileOf(s.view.shown));
  const std::size_t at = file.find("\n" + nail + "\n", file.find("4 4 4 4"));
  ASSERT_NE(at, std::string::npos);
  BoardPoint p;
  ASSERT_EQ(std::sscanf(file.c_str() + at + nail.size() + 2, "%lf %lf", &p.x, &p.y), 2);
  EXPECT_EQ(SideMapping::Of(s.view, s.view.shown).Map(p), (PixelPoint{392, 245}));
}

TEST_F(GoTo, NothingFoundMovesNothing) {
  OpenRealBoard("teres-kbd");
  const ViewState before = s.view;
  SearchTexts texts;
  texts.net = "NO SUCH NET";
  ASSERT_TRUE(Ran([&] { return NetSearch(s, texts.net); }));
  bool moved = true;
  Run([&] { moved = GoToResult(s, texts); });
  EXPECT_FALSE(moved);
  EXPECT_EQ(s.view, before);
}

}  // namespace
}  // namespace vantrel
