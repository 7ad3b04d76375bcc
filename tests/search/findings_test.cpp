// What the window tells of a session besides its pictures: the status line
// after each search, found and not found, the title, and the names a search
// dialog offers as the user types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/name_suggestions.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"
#include "search/redraw.h"
#include "search/side_runner.h"
#include "search/status_line.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

// Two sides of a board 4 x 2 with parts, pins and nails.
std::string SideFile(const std::string& parts, const std::string& records, const std::string& nails) {
  return "header\n0 0\n4 0\n4 2\n0 2\n0 0\n1 1 1 1\n" + parts + "2 2 2 2\n3 3 3 3\n" + records + "4 4 4 4\n" +
         nails + "5 5 5 5\n";
}

const std::string kTop = SideFile("U1\n0.5 1.5 0.5 1.5\nR7\n3 3.5 1 1.5\n",
                                  " U1.1\n1 1\nGND\nSMD\n U1.2\n1.2 1\nVCC\nSMD\n R7.1\n3.2 1.2\nGND\nTH\n",
                                  "T1\n1 1\nGND\nPROBE\n");
// The bottom side holds u1.1 again in other letters, and a net in lower case.
const std::string kBottom = SideFile("U2\n2 3 0.5 1\n", " U2.1\n2.5 0.7\ngnd\nSMD\n u1.1\n1 1\nVCC\nSMD\n",
                                     "T2\n2.5 0.7\nVCC\nPROBE\n");

const std::string kDot = " \xb7 ";

class Board : public test::SearchFixture {};

class Findings : public test::SearchFixture, public testing::WithParamInterface<SidesMode> {
 protected:
  void SetUp() override {
    s.runner.SetMode(GetParam());
    Open(kTop, kBottom);
  }
};

TEST_P(Findings, StatusLineTellsWhatEachSearchFound) {
  struct Case {
    const char* name;
    std::function<void(Session&)> search;
    std::string status;  // after the side and the zoom step
  };
  const Case cases[] = {
      {"Net", [](Session& s) { NetSearch(s, "GND"); }, "Net GND: 2 pins on top, 1 on bottom"},
      {"NetNotFound", [](Session& s) { NetSearch(s, "XYZ"); }, "Net XYZ: not found"},
      {"Pin", [](Session& s) { CompPinSearch(s, "u1.1"); }, "Pin u1.1: top and bottom"},
      {"PinNotFound", [](Session& s) { CompPinSearch(s, "U9.9"); }, "Pin U9.9: not found"},
      {"Devices",
       [](Session& s) {
         DeviceSearch(s, {"U1", "U99", "U2"}, {});
       },
       "Device U1: top; Device U99: not found; Device U2: bottom"},
      {"Nails",
       [](Session& s) {
         OpenShortSearch(s, {"T1", "T9", "t2"});
       },
       "Nails T1 t2: 3 pins on top, 2 on bottom; Nail T9: not found"},
      {"Point",
       [](Session& s) {
         const PixelPoint p = SideMapping::Of(s.view, Side::Top).Map(1, 1);
         PointInquiry(s, Side::Top, static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y), nullptr);
       },
       "Pin U1.1, net GND"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Run([&] { c.search(s); });
    EXPECT_EQ(errors, std::vector<std::string>{});
    std::string expected = s.TopShown() ? "Top side" : "Bottom side";
    expected.append(kDot).append("zoom step 0").append(kDot).append(c.status);
    EXPECT_EQ(StatusLine(s), expected);
    // A redraw marks the same and says the same.
    Run([&] { Redraw(s, {{"T1", "T9", "t2"}, "u1.1", {"U1", "U99", "U2"}, "GND"}); });
  }
}

INSTANTIATE_TEST_SUITE_P(BothWays, Findings, testing::Values(SidesMode::InTurn, SidesMode::Apart));

TEST_F(Board, TitleAndStatusNameTheBoardAndTheSideShown) {
  EXPECT_EQ(WindowTitle(s), "Vantrel");
  EXPECT_EQ(StatusLine(s), "");
  Open(kTop, kBottom);
  EXPECT_EQ(WindowTitle(s), "b.brd \xe2\x80\x94 top \xe2\x80\x94 Vantrel");
  EXPECT_EQ(StatusLine(s), "Top side" + kDot + "zoom step 0");
  s.view.shown = Side::Bottom;
  s.view.ZoomStep = -2;
  EXPECT_EQ(WindowTitle(s), "b.brd \xe2\x80\x94 bottom \xe2\x80\x94 Vantrel");
  EXPECT_EQ(StatusLine(s), "Bottom side" + kDot + "zoom step -2");
  Run([&] { NetSearch(s, "gnd"); });
  EXPECT_EQ(StatusLine(s),
            "Bottom side" + kDot + "zoom step -2" + kDot + "Net gnd: 2 pins on top, 1 on bottom");
  Run([&] { CloseBoard(s); });
  EXPECT_EQ(WindowTitle(s), "Vantrel");
  EXPECT_EQ(StatusLine(s), "");
}

TEST_F(Board, SuggestionsOfEachKindFromBothFiles) {
  Open(kTop, kBottom);
  using Names = std::vector<std::string>;
  EXPECT_EQ(NameSuggestions(s, SearchKind::CompPin, "u1"),
            (Names{"U1.1", "U1.2"}));  // u1.1 differs in case only
  EXPECT_EQ(NameSuggestions(s, SearchKind::CompPin, ".1"), (Names{"U1.1", "R7.1", "U2.1"}));
  EXPECT_EQ(NameSuggestions(s, SearchKind::Net, "N"), (Names{"GND"}));
  EXPECT_EQ(NameSuggestions(s, SearchKind::Net, ""), (Names{"GND", "VCC"}));
  EXPECT_EQ(NameSuggestions(s, SearchKind::Device, "u"), (Names{"U1", "U2"}));
  EXPECT_EQ(NameSuggestions(s, SearchKind::OpenShort, "t"), (Names{"T1", "T2"}));
  EXPECT_EQ(NameSuggestions(s, SearchKind::OpenShort, "x"), Names{});
  EXPECT_EQ(NameSuggestions(s, SearchKind::CompPin, "u", 1), (Names{"U1.1"}));
}

TEST_F(Board, SuggestionsPutPrefixesFirstAndStopAtFifty) {
  std::string many, few;
  for (int n = 1; n <= 60; ++n) many.append("AX").append(std::to_string(n)).append("\n0 1 0 1\n");
  for (int n = 1; n <= 5; ++n) few.append("X").append(std::to_string(n)).append("\n0 1 0 1\n");
  Open(SideFile(many, "", ""), SideFile(few, "", ""));
  const std::vector<std::string> names = NameSuggestions(s, SearchKind::Device, "x");
  ASSERT_EQ(names.size(), 50u);
  EXPECT_EQ(names[0], "X1");
  EXPECT_EQ(names[4], "X5");
  EXPECT_EQ(names[5], "AX1");
  EXPECT_EQ(names[49], "AX45");
}

}  // namespace
}  // namespace vantrel
