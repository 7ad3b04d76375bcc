// What the program shows is true of the board shown:
//   - a pin whose net line is empty is on no net: it has no net-mates, and a
//     nail found nowhere (or on an empty net line) has no pins;
//   - a board opened, or one that failed to open, starts with an empty header;
//   - a component pin that neither file holds shows nothing of an earlier pin.
// Each in the dialog's form and in the redraw's, the sides in turn and apart.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "search/comp_pin_search.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"
#include "search/redraw.h"
#include "search/status_line.h"
#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::CountColor;
using test::Header;
using test::PixelAt;

// An outline 2 wide and 1.25 high: Scale 400, H 8, D 16; board point (x, y)
// lies at top pixel (400x - 8, 530 - 400y), bottom pixel (400x - 8, 30 + 400y).
// Top: A.1 (92, 430) and A.2 (292, 430) on no net, B.1 (492, 430) on N1; nails
// TP0 (92, 230) on an empty net line and TP1 (292, 230) on N1. Bottom: C.1
// (92, 130) on no net, C.2 (492, 130) on N1.
std::string SideFile(const std::string& pins, const std::string& records, const std::string& nails) {
  return "unconnected\n0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\nU1\n1.9 1.95 1.1 1.2\n2 2 2 2\n" + pins +
         "3 3 3 3\n" + records + "4 4 4 4\n" + nails + "5 5 5 5\nN1\n1\nTP1\n\n";
}
const std::string kTop = SideFile("0.25 0.25\n0.75 0.25\n1.25 0.25\n",
                                  " A.1\n0.25 0.25\n\nfa\n A.2\n0.75 0.25\n\nfb\n B.1\n1.25 0.25\nN1\nfc\n",
                                  "TP0\n0.25 0.75\n\nPROBE\nTP1\n0.75 0.75\nN1\nPROBE\n");
const std::string kBottom =
    SideFile("0.25 0.25\n1.25 0.25\n", " C.1\n0.25 0.25\n\nfd\n C.2\n1.25 0.25\nN1\nfe\n", "");

struct Form {
  const char* name;
  SidesMode sides;
  bool redraw;  // the search's redraw after its OK, with the same texts
};

const Form kForms[] = {{"OkInTurn", SidesMode::InTurn, false},
                       {"OkApart", SidesMode::Apart, false},
                       {"RedrawInTurn", SidesMode::InTurn, true},
                       {"RedrawApart", SidesMode::Apart, true}};

class OnNoNet : public test::SearchFixture, public testing::WithParamInterface<Form> {
 protected:
  void SetUp() override {
    s.runner.SetMode(GetParam().sides);
    Open(kTop, kBottom);
  }
  void Redraw() {
    if (GetParam().redraw) Run([&] { vantrel::Redraw(s, {{"NOPE", "TP0", ""}, "", {}, ""}); });
  }
  // Colours of the three pins on no net: A.1, A.2 and C.1.
  std::array<Color, 3> Unconnected() const {
    return {PixelAt(s.pictures.sides.top, 92, 430), PixelAt(s.pictures.sides.top, 292, 430),
            PixelAt(s.pictures.sides.bottom, 92, 130)};
  }
  Color RingOf(Side side, std::int64_t x, std::int64_t y) const {
    return PixelAt(s.PictureOf(side), x, y - 8);  // the marker's upper edge
  }
};

TEST_P(OnNoNet, APinHasNoNetMates) {
  Run([&] { PointInquiry(s, Side::Top, 92, 430, nullptr); });
  Redraw();
  EXPECT_EQ(s.pictures.header, (Header{" A.1    $fa  ", "", ""}));
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 430), colors::kWhite) << "the pin hit";
  EXPECT_EQ(RingOf(Side::Top, 292, 430), colors::kActiveCaption) << "A.2";
  EXPECT_EQ(RingOf(Side::Bottom, 92, 130), colors::kActiveCaption) << "C.1";
  EXPECT_EQ(CountColor(s.pictures.sides.top, colors::kYellow), 0);
  EXPECT_EQ(CountColor(s.pictures.sides.bottom, colors::kYellow), 0);
  EXPECT_TRUE(errors.empty());
}

TEST_P(OnNoNet, ANailFoundNowhereOrOnNoNetHasNoPins) {
  Run([&] { OpenShortSearch(s, {"NOPE", "TP0", ""}); });
  Redraw();
  const std::string gap = GetParam().redraw ? " " : "  ";
  EXPECT_EQ(s.pictures.header, (Header{"$NOPE" + gap + gap, "$TP0  ", ""}));
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 230), colors::kRed) << "nail TP0 itself is marked";
  for (const Color pin : Unconnected()) EXPECT_EQ(pin, colors::kBlack);
  EXPECT_EQ(StatusLine(s).substr(StatusLine(s).rfind(" \xb7 ") + 3),
            "Nail TP0: 0 pins on top, 0 on bottom; Nail NOPE: not found");
  EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, OnNoNet, testing::ValuesIn(kForms),
                         [](const testing::TestParamInfo<Form>& info) { return info.param.name; });

// On the real boards: a pin on no net, where a board has one, has no
// net-mates; a nail found nowhere marks no pin.
class OnNoNetRealBoard : public test::SearchFixture, public testing::WithParamInterface<const char*> {};

TEST_P(OnNoNetRealBoard, NothingJoinsAPinOnNoNet) {
  OpenRealBoard(GetParam());
  Run([&] { OpenShortSearch(s, {"NO SUCH NAIL", "", ""}); });
  EXPECT_EQ(s.pictures.header[0], "$NO SUCH NAIL    ");
  for (const Side side : kSides) EXPECT_EQ(CountColor(s.PictureOf(side), colors::kWhite), 0);

  for (const test::PinLine& pin : test::PinRecordsOf(s.document.BoardFile)) {
    if (!pin.net.empty()) continue;
    const PixelPoint at = PixelOf(Side::Top, pin.x, pin.y);
    Run([&] {
      PointInquiry(s, Side::Top, static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y), nullptr);
    });
    ASSERT_EQ(s.highlight.mode, HighlightMode::hmPoint) << pin.name;
    if (s.highlight.memory.point.PointNet.empty()) {
      EXPECT_EQ(CountColor(s.pictures.sides.top, colors::kYellow), 0) << pin.name;
      Run([&] { RedrawPoint(s); });
      for (const Side side : kSides) EXPECT_EQ(CountColor(s.PictureOf(side), colors::kYellow), 0) << pin.name;
    }
    break;
  }
  EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Shared, OnNoNetRealBoard, testing::Values("teres-main", "teres-kbd", "csi-adapter"));

// Opening a board, whether it opens or not, leaves nothing of the header of
// the board before.
struct OpenCase {
  const char* name;
  std::string top;
  std::string bottom;
  std::vector<std::string> errors;
};

class NewBoard : public test::SearchFixture, public testing::WithParamInterface<OpenCase> {};

TEST_P(NewBoard, StartsWithAnEmptyHeader) {
  const OpenCase& c = GetParam();
  Open(kTop, kBottom);
  Run([&] { NetSearch(s, "N1"); });
  ASSERT_NE(s.pictures.header[0], "");
  test::TempDir other;
  const std::string board = other.Write("other.brd", c.top);
  if (!c.bottom.empty()) other.Write("jet.CON", c.bottom);
  errors.clear();
  Run([&] { OpenBoard(s, board); });
  EXPECT_EQ(errors, c.errors);
  EXPECT_EQ(s.pictures.header, (Header{"", "", ""}));
  EXPECT_EQ(StatusLine(s).find("pin"), std::string::npos) << StatusLine(s);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewBoard,
    testing::Values(OpenCase{"Opens", kTop, kBottom, {}},
                    OpenCase{"CompanionMissing", kTop, "", {"File not found."}},
                    OpenCase{"CutShort", "header\n0 0\n", kBottom, {"Read beyond end of file."}}),
    [](const testing::TestParamInfo<OpenCase>& info) { return info.param.name; });

// A component pin that neither file holds, after one that both hold.
class PinFoundNowhere : public test::SearchFixture, public testing::WithParamInterface<Form> {
 protected:
  void SetUp() override {
    s.runner.SetMode(GetParam().sides);
    Open(kTop, kBottom);
  }
  void Find(const std::string& text) {
    if (GetParam().redraw) {
      Run([&] { RedrawCompPin(s, text); });
    } else {
      Run([&] { CompPinSearch(s, text); });
    }
  }
};

TEST_P(PinFoundNowhere, ShowsNothingOfAnEarlierPin) {
  Run([&] { CompPinSearch(s, "B.1"); });
  ASSERT_EQ(s.pictures.header[0], "B.1    N1    $fc    TP1 ");
  Find("NOPE.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header, (Header{"", "", ""}));
  const CompPinMemory& memory = s.highlight.memory.compPin;
  EXPECT_EQ(memory.CompPinNet + memory.CompPinFourth + memory.RedrawPinNet + memory.RedrawPinFourth, "");
  EXPECT_EQ(s.highlight.mode, GetParam().redraw ? HighlightMode::hmCompPin : HighlightMode::hmBoard);
  for (const Side side : kSides) EXPECT_EQ(CountColor(s.PictureOf(side), colors::kWhite), 0);
  // Nor does a later redraw.
  Run([&] { vantrel::Redraw(s, {{}, "NOPE.1", {}, ""}); });
  EXPECT_EQ(s.pictures.header, (Header{"", "", ""}));
  EXPECT_NE(StatusLine(s).find("Pin NOPE.1: not found"), std::string::npos) << StatusLine(s);
}

TEST_P(PinFoundNowhere, APinOnOneSideIsFoundThereAsBefore) {
  Run([&] { CompPinSearch(s, "B.1"); });
  Find("C.1");
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 392, 252), colors::kWhite);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmCompPin);
  EXPECT_NE(s.pictures.header[0], "");
}

INSTANTIATE_TEST_SUITE_P(Forms, PinFoundNowhere, testing::ValuesIn(kForms),
                         [](const testing::TestParamInfo<Form>& info) { return info.param.name; });

}  // namespace
}  // namespace vantrel
