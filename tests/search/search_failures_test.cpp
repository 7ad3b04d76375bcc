// What the four searches share when they cannot run: without a board they and
// their redraws do nothing, and an error of a scan (a missing file, a section
// without its end marker, a text where a number should be) stops the search
// where it arose, with the mode unchanged and what was done before it kept.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::Header;
using test::PixelAt;

// A board 4 x 2 (Scale 250, MarkRadius 5, MarkMargin 10; home origins
// (-108, 530) top and (-108, 30) bottom) that every search finds something
// on: part U1 at 1.2..2.2 x 0.6..1.4 (and U2 beside it), its pin U1.1 at
// (1.5, 1) on net NETA, nail TP1 on NETA, and NETA's block.
const std::string kBoard =
    "operations\n0 0\n4 0\n4 2\n0 2\n0 0\n"
    "1 1 1 1\nU1\n1.2 2.2 0.6 1.4\nU2\n2.4 3.0 0.6 1.4\n2 2 2 2\n"
    "1.5 1\n3 3 3 3\n U1.1\n1.5 1\nNETA\nF\n4 4 4 4\n"
    "TP1\n2.5 1\nNETA\nPROBE\n5 5 5 5\n"
    "NETA\n1\nT1\n\n";

// The slot searches with the text in slot 1; the overview window is left out.
bool OpenShortSlot1(Session& s, const std::string& text) { return OpenShortSearch(s, {text, "", ""}); }
void RedrawOpenShortSlot1(Session& s, const std::string& text) { RedrawOpenShort(s, {text, "", ""}); }
bool DeviceSlot1(Session& s, const std::string& text) { return DeviceSearch(s, {text, "", ""}, {}); }
void RedrawDeviceSlot1(Session& s, const std::string& text) { RedrawDevice(s, {text, "", ""}); }

// What the top side's steps leave when the bottom side's fail.
void TopStepsCentredAndMarked(const Session& s) {
  EXPECT_EQ(s.view.TopOriginX, 17);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 392, 252), colors::kWhite);
}
void TopSideFramed(const Session& s) { test::ExpectFrame(s.pictures.sides.top, 182, 170, 452, 390); }

struct Operation {
  const char* name;
  // The dialog's OK and the mode's branch of Redraw, with a text for field 1.
  bool (*search)(Session&, const std::string&);
  void (*redraw)(Session&, const std::string&);
  const char* held;  // a name the board holds
  // With jet.CON missing, a search for `held` stops at the bottom side: the
  // header then, from {"kept", "", ""}, and what the top side's steps left.
  Header afterMissingCompanion;
  void (*topSideKept)(const Session&);
};

void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

// The net search fails on the bottom outline of its layer passes; the
// open/short search empties the header before them.
const Operation kOperations[] = {
    {"Net", NetSearch, RedrawNet, "NETA", {"kept", "", ""}, nullptr},
    {"CompPin", CompPinSearch, RedrawCompPin, "U1.1", {"kept", "", ""}, TopStepsCentredAndMarked},
    {"OpenShort", OpenShortSlot1, RedrawOpenShortSlot1, "TP1", {"", "", ""}, nullptr},
    {"Device", DeviceSlot1, RedrawDeviceSlot1, "U1", {"U1", "", ""}, TopSideFramed},
};

class EverySearch : public test::SearchFixture, public testing::WithParamInterface<Operation> {
 protected:
  bool Search(const std::string& text) {
    return Ran([&] { return GetParam().search(s, text); });
  }
};

TEST_P(EverySearch, DoesNothingWithoutABoard) {
  s.pictures.header[0] = "start";
  EXPECT_FALSE(Search(GetParam().held));
  Run([&] { GetParam().redraw(s, GetParam().held); });
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmNone);
  EXPECT_EQ(s.pictures.header, (Header{"start", "", ""}));
  EXPECT_EQ(s.view, ViewState{});
  EXPECT_TRUE(test::AllBlack(s.pictures.sides.top));
  EXPECT_TRUE(test::AllBlack(s.pictures.sides.bottom));
  EXPECT_FALSE(s.pictures.overview.state.shown.has_value());
}

TEST_P(EverySearch, AMissingCompanionFileStopsItAtTheBottomSide) {
  EXPECT_EQ(OpenFiles(dir.Write("b.brd", kBoard), (dir.path() / "missing" / "jet.CON").string()),
            std::vector<std::string>{"File not found."});
  s.pictures.header = {"kept", "", ""};
  EXPECT_FALSE(Search(GetParam().held));
  EXPECT_EQ(errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
  EXPECT_EQ(s.pictures.header, GetParam().afterMissingCompanion);
  EXPECT_FALSE(s.pictures.overview.state.shown.has_value()) << "the device search stops before its overview";
  if (GetParam().topSideKept) GetParam().topSideKept(s);
}

INSTANTIATE_TEST_SUITE_P(Searches, EverySearch, testing::ValuesIn(kOperations), test::ByName());

// A file that ends before the closing marker of a section that a search reads
// up to it, and a text that makes it read that far: "Read beyond end of file".
struct Cut {
  const char* name;
  bool (*search)(Session&, const std::string&);
  const char* file;  // "b.brd" or "jet.CON"
  const char* before;
  const char* text;
  Header header;  // after the search, from {"kept", "", ""}
};

void PrintTo(const Cut& cut, std::ostream* os) { *os << cut.name; }

// The net search's top side step writes its result before the bottom side's fails.
const Cut kCuts[] = {
    {"NetPinRecords", NetSearch, "jet.CON", "4 4 4 4", "NETA", {"NETA    U1.1", "", ""}},
    {"CompPinPinRecords", CompPinSearch, "b.brd", "4 4 4 4", "ZZ.1", {"kept", "", ""}},
    {"OpenShortNails", OpenShortSlot1, "b.brd", "5 5 5 5", "TP7", {"", "", ""}},
    {"DeviceParts", DeviceSlot1, "b.brd", "2 2 2 2", "NOPE", {"", "", ""}},
};

class SectionWithoutItsEnd : public test::SearchFixture, public testing::WithParamInterface<Cut> {};

TEST_P(SectionWithoutItsEnd, StopsTheSearch) {
  const Cut& cut = GetParam();
  const std::string ended = kBoard.substr(0, kBoard.find(cut.before));
  const bool top = std::string(cut.file) == "b.brd";
  OpenFiles(dir.Write("b.brd", top ? ended : kBoard), dir.Write("jet.CON", top ? kBoard : ended));
  s.pictures.header = {"kept", "", ""};
  EXPECT_FALSE(Ran([&] { return cut.search(s, cut.text); }));
  EXPECT_EQ(errors, std::vector<std::string>{"Read beyond end of file."});
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
  EXPECT_EQ(s.pictures.header, cut.header);
}

INSTANTIATE_TEST_SUITE_P(Searches, SectionWithoutItsEnd, testing::ValuesIn(kCuts), test::ByName());

// The slot searches compare every line of a section with a name, so a line
// that is not a name line can match; the lines after it are then read as the
// rest of the record, and a text among them is not a number.
struct LineTaken {
  const char* name;
  bool (*search)(Session&, const std::string&);
  const char* held;  // searched for first
  const char* line;  // a line that is not a name
};

void PrintTo(const LineTaken& taken, std::ostream* os) { *os << taken.name; }

const LineTaken kLinesTaken[] = {
    {"NailNetLine", OpenShortSlot1, "TP1", "neta"},         // "PROBE" is read as TP1's position
    {"PartBoxLine", DeviceSlot1, "U1", "1.2 2.2 0.6 1.4"},  // "U2" is read as U1's box
};

class LineTakenForAName : public test::SearchFixture, public testing::WithParamInterface<LineTaken> {};

TEST_P(LineTakenForAName, StopsTheSearchWithTheModeOfTheSearchBefore) {
  const LineTaken& taken = GetParam();
  Open(kBoard, kBoard);
  ASSERT_TRUE(Ran([&] { return taken.search(s, taken.held); }));
  const HighlightMode mode = s.highlight.mode;
  EXPECT_FALSE(Ran([&] { return taken.search(s, taken.line); }));
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid numeric input."}));
  EXPECT_EQ(s.highlight.mode, mode);
  EXPECT_EQ(s.pictures.header, (Header{"", "", ""}));
}

INSTANTIATE_TEST_SUITE_P(Searches, LineTakenForAName, testing::ValuesIn(kLinesTaken), test::ByName());

}  // namespace
}  // namespace vantrel
