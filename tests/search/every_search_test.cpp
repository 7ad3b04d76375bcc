// What the four searches do alike: a name finds a board line only when the
// whole line matches, ASCII letter case aside; and a dialog confirmed with
// empty fields redraws what its search redraws, marks nothing and sets the
// mode. How each search tells found from not found is in its own tests; here
// the status line tells it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/status_line.h"
#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::CountColor;
using test::PixelAt;

// Both sides hold a part " R2 " (blanks in the name line), its pin on the net
// " NETA" (a blank first) and a nail on that net.
constexpr const char* kSide =
    "names\n0 0\n4 0\n4 2\n0 2\n0 0\n1 1 1 1\nU1\n1.2 2.2 0.6 1.4\n R2 \n2.4 3.0 0.6 1.4\n2 2 2 2\n"
    "1.5 1\n2.6 1\n3 3 3 3\n U1.1\n1.5 1\nNETA\nF\n R2 .1\n2.6 1\n NETA\nF\n4 4 4 4\n"
    "TP1\n0.5 1\nNETA\nPROBE\n5 5 5 5\nNETA\n1\nT1\n\n";

struct Search {
  const char* name;
  std::function<bool(Session&, const std::string&)> run;
};

const Search kSearches[] = {
    {"Net", [](Session& s, const std::string& text) { return NetSearch(s, text); }},
    {"CompPin", [](Session& s, const std::string& text) { return CompPinSearch(s, text); }},
    {"Device",
     [](Session& s, const std::string& text) {
       return DeviceSearch(s, {text, "", ""}, {});
     }},
    {"OpenShort",
     [](Session& s, const std::string& text) {
       return OpenShortSearch(s, {text, "", ""});
     }},
};

struct NameCase {
  const char* search;
  const char* text;
  const char* finding;  // what the status line says after the side and zoom step
};

class NamesMatchWholeLines : public test::SearchFixture, public testing::WithParamInterface<NameCase> {};

TEST_P(NamesMatchWholeLines, IgnoringAsciiLetterCaseOnly) {
  const NameCase& c = GetParam();
  Open(kSide, kSide);
  const Search& search = *std::find_if(std::begin(kSearches), std::end(kSearches),
                                       [&](const Search& s) { return std::string(s.name) == c.search; });
  ASSERT_TRUE(Ran([&] { return search.run(s, c.text); }));
  EXPECT_TRUE(errors.empty());
  const std::string status = StatusLine(s);
  EXPECT_EQ(status.substr(status.rfind(" \xb7 ") + 3), c.finding);
}

INSTANTIATE_TEST_SUITE_P(Table, NamesMatchWholeLines,
                         testing::Values(NameCase{"Net", "neta", "Net neta: 1 pin on top, 1 on bottom"},
                                         NameCase{"Net", " neta", "Net  neta: 1 pin on top, 1 on bottom"},
                                         NameCase{"Net", "NET", "Net NET: not found"},
                                         NameCase{"Net", "NETA ", "Net NETA : not found"},
                                         NameCase{"Net", "NETAx", "Net NETAx: not found"},
                                         NameCase{"CompPin", "u1.1", "Pin u1.1: top and bottom"},
                                         NameCase{"CompPin", "U1.1 ", "Pin U1.1 : not found"},
                                         NameCase{"CompPin", " U1.1", "Pin  U1.1: not found"},
                                         NameCase{"CompPin", "U1.", "Pin U1.: not found"},
                                         NameCase{"Device", "u1", "Device u1: top and bottom"},
                                         NameCase{"Device", " r2 ", "Device  r2 : top and bottom"},
                                         NameCase{"Device", "R2", "Device R2: not found"},
                                         NameCase{"Device", " U1", "Device  U1: not found"},
                                         NameCase{"Device", "U1 ", "Device U1 : not found"},
                                         NameCase{"Device", "U", "Device U: not found"},
                                         NameCase{"OpenShort", "tP1", "Nail tP1: 1 pin on top, 1 on bottom"},
                                         NameCase{"OpenShort", " TP1", "Nail  TP1: not found"},
                                         NameCase{"OpenShort", "TP1 ", "Nail TP1 : not found"},
                                         NameCase{"OpenShort", "TP", "Nail TP: not found"},
                                         NameCase{"OpenShort", "TP1x", "Nail TP1x: not found"}),
                         [](const testing::TestParamInfo<NameCase>& info) {
                           std::string name =
                               std::string(info.param.search) + "_" + std::to_string(info.index);
                           return name;
                         });

// A dialog confirmed with every field empty: the searches that draw their
// layers first (open/short, device) redraw both sides and empty the header,
// the net search redraws and keeps it, the component pin search draws
// nothing and writes the header of the stored net, empty before any find,
// whose block the first empty line of the net blocks heads; each sets its
// mode and marks nothing.
struct EmptyCase {
  const char* search;
  std::array<std::string, 3> header;
  bool redrawsLayers;
};

class EmptyFields : public test::SearchFixture, public testing::WithParamInterface<EmptyCase> {};

TEST_P(EmptyFields, RedrawWhatTheSearchRedrawsAndSetTheMode) {
  const EmptyCase& c = GetParam();
  Open(kSide, kSide);
  s.pictures.header[0] = "old";
  for (ImageCanvas* image : {&s.pictures.sides.top, &s.pictures.sides.bottom}) {
    image->setBrushColor(colors::kAqua);
    image->fillRect(0, 0, 10, 10);
  }
  const Search& search = *std::find_if(std::begin(kSearches), std::end(kSearches),
                                       [&](const Search& s) { return std::string(s.name) == c.search; });
  ASSERT_TRUE(Ran([&] { return search.run(s, ""); }));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header, c.header);
  EXPECT_NE(s.highlight.mode, HighlightMode::hmBoard);
  EXPECT_TRUE(s.TopShown());
  for (const ImageCanvas* image : {&s.pictures.sides.top, &s.pictures.sides.bottom}) {
    EXPECT_EQ(PixelAt(*image, 5, 5), c.redrawsLayers ? colors::kBlack : colors::kAqua);
    EXPECT_EQ(CountColor(*image, colors::kWhite), 0);
  }
  if (c.redrawsLayers) {
    // The dialog's passes fill the part boxes.
    const PixelPoint inside = PixelOf(Side::Top, 1.7, 1.0);
    EXPECT_EQ(PixelAt(s.pictures.sides.top, inside.x, inside.y), colors::kBlack);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, EmptyFields,
                         testing::Values(EmptyCase{"OpenShort", {"", "", ""}, true},
                                         EmptyCase{"Device", {"", "", ""}, true},
                                         EmptyCase{"Net", {"old", "", ""}, true},
                                         EmptyCase{"CompPin", {"        $    ", "", ""}, false}),
                         [](const testing::TestParamInfo<EmptyCase>& info) { return info.param.search; });

}  // namespace
}  // namespace vantrel
