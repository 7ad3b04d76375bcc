// The browser's find against counts made from a plain reading of the real
// boards, its order and cap, the counts estimated on a large board, and the
// info panel of every kind of result.
#include "search/board_browser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "search/device_search.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"
#include "search/result_info.h"
#include "support/search_fixture.h"
#include "testing/board_generator.h"

namespace vantrel {
namespace {

using test::FoldCase;

// What a plain reading of both files says of every name: its sides and count.
struct Expected {
  std::map<std::pair<ItemKind, std::string>, BrowserRow> names;
  std::int64_t pins = 0;

  void Add(ItemKind kind, const std::string& name, Side side, bool counts) {
    if (name.empty()) return;
    BrowserRow& row = names[{kind, name}];
    row.kind = kind;
    row.name = name;
    row.sides[side] = true;
    if (counts) ++row.count;
  }
  std::int64_t Distinct(ItemKind kind) const {
    return std::count_if(names.begin(), names.end(), [&](const auto& n) { return n.first.first == kind; });
  }
};

// A part's pins are those of the files that list it.
Expected ReadPlainly(const Session& s) {
  Expected e;
  for (const Side side : kSides) {
    std::set<std::string> parts;
    for (const test::PartLine& part : test::PartsOf(s.FileOf(side))) {
      e.Add(ItemKind::Part, part.name, side, false);
      parts.insert(part.name);
    }
    for (const test::NailLine& nail : test::NailsOf(s.FileOf(side)))
      e.Add(ItemKind::Nail, nail.name, side, true);
    for (const test::PinLine& pin : test::PinRecordsOf(s.FileOf(side))) {
      const std::string name = pin.name.substr(1);
      ++e.pins;
      e.Add(ItemKind::Pin, name, side, true);
      e.Add(ItemKind::Net, pin.net, side, true);
      const std::size_t dot = name.find('.');
      if (dot != std::string::npos && parts.contains(name.substr(0, dot)))
        ++e.names[{ItemKind::Part, name.substr(0, dot)}].count;
    }
  }
  return e;
}

// The browser's order of two rows found for `text`.
bool Before(const std::string& text, const BrowserRow& a, const BrowserRow& b) {
  const bool aStarts = FoldCase(a.name).starts_with(FoldCase(text));
  const bool bStarts = FoldCase(b.name).starts_with(FoldCase(text));
  if (aStarts != bStarts) return aStarts;
  if (a.kind != b.kind) return a.kind < b.kind;
  return NaturalLess(a.name, b.name);
}

class BoardBrowser : public test::SearchFixture {
 protected:
  BrowserList Find(std::string_view text, std::optional<ItemKind> only = {}, std::size_t limit = kBrowserRows,
                   bool totals = false) {
    BrowserList list;
    Run([&] { list = FindOnBoard(s, text, only, limit, totals); });
    return list;
  }
  ResultInfo Info() {
    ResultInfo info;
    Run([&] { info = DescribeResult(s); });
    return info;
  }
};

TEST_F(BoardBrowser, RealBoardRowsAndTotalsAgreeWithAPlainReading) {
  for (const char* board : {"teres-main", "teres-kbd", "csi-adapter"}) {
    OpenRealBoard(board);
    const Expected e = ReadPlainly(s);
    const BrowserList all = Find("");
    EXPECT_EQ(all.totals->parts.value, e.Distinct(ItemKind::Part)) << board;
    EXPECT_EQ(all.totals->nets.value, e.Distinct(ItemKind::Net)) << board;
    EXPECT_EQ(all.totals->nails.value, e.Distinct(ItemKind::Nail)) << board;
    EXPECT_EQ(all.totals->pins, e.pins) << board;
    EXPECT_FALSE(all.totals->nets.estimated);
    EXPECT_FALSE(Find("gnd").totals) << "counted only when asked for";
    const BrowserList asked = Find("gnd", std::nullopt, 10, true);
    ASSERT_TRUE(asked.totals);
    EXPECT_EQ(asked.totals->nets.value, all.totals->nets.value);
    EXPECT_EQ(asked.totals->parts.value, all.totals->parts.value);
    for (const char* text : {"", "gnd", "c2", "1", "U1.", "zzz-none"}) {
      for (const std::optional<ItemKind> only :
           {std::optional<ItemKind>(), std::optional(ItemKind::Net), std::optional(ItemKind::Pin)}) {
        const BrowserList list = Find(text, only);
        std::vector<BrowserRow> expected;
        for (const auto& [key, row] : e.names) {
          const bool listed = only ? key.first == *only : key.first != ItemKind::Pin || *text != '\0';
          if (listed && FoldCase(row.name).find(FoldCase(text)) != std::string::npos) expected.push_back(row);
        }
        std::sort(expected.begin(), expected.end(),
                  [&](const BrowserRow& a, const BrowserRow& b) { return Before(text, a, b); });
        EXPECT_EQ(list.total.value, static_cast<std::int64_t>(expected.size())) << board << " " << text;
        expected.resize(std::min(expected.size(), kBrowserRows));
        EXPECT_EQ(list.rows, expected) << board << " '" << text << "'";
      }
    }
  }
  EXPECT_EQ(errors, std::vector<std::string>{});
}

// The two files found apart, each on its own thread, and joined: the rows,
// counts and errors of finding them in turn.
TEST_F(BoardBrowser, RealBoardFindsApartWhatItFindsInTurn) {
  OpenRealBoard("teres-main");
  for (const char* text : {"", "c1", "gnd", "U1."}) {
    s.runner.SetMode(SidesMode::InTurn);
    const BrowserList inTurn = Find(text, std::nullopt, 50, true);
    s.runner.SetMode(SidesMode::Apart);
    const BrowserList apart = Find(text, std::nullopt, 50, true);
    EXPECT_EQ(apart.rows, inTurn.rows) << text;
    EXPECT_EQ(apart.total.value, inTurn.total.value) << text;
    EXPECT_EQ(apart.totals->nets.value, inTurn.totals->nets.value) << text;
  }
  // A companion cut short in its pin records: the same error either way.
  std::string bottom = test::ReadFileBytes(test::SharedBoardDir("teres-main") / "jet.CON");
  bottom.resize(bottom.find("4 4 4 4"));
  const std::string cut = dir.Write("jet.CON", bottom);
  s.document.CompanionFile = cut;
  for (const SidesMode mode : {SidesMode::InTurn, SidesMode::Apart}) {
    s.runner.SetMode(mode);
    errors.clear();
    Find("gnd");
    EXPECT_EQ(errors, std::vector<std::string>{"Read beyond end of file."});
  }
}

TEST_F(BoardBrowser, RealBoardACapKeepsTheFirstRowsInOrder) {
  OpenRealBoard("teres-main");
  const BrowserList whole = Find("c");
  for (const std::size_t limit : {0, 1, 7, 300}) {
    const BrowserList capped = Find("c", std::nullopt, limit);
    ASSERT_EQ(capped.rows.size(), limit);
    EXPECT_TRUE(std::equal(capped.rows.begin(), capped.rows.end(), whole.rows.begin()));
    EXPECT_EQ(capped.total.value, whole.total.value);
  }
}

TEST(NaturalLess, OrdersNumbersByValueAndIgnoresCase) {
  const std::vector<std::string> ordered{"C1",     "c2",    "C10", "C10.1", "C10.2",
                                         "C10.10", "R007x", "R7y", "U2",    "U10"};
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    for (std::size_t j = 0; j < ordered.size(); ++j) {
      EXPECT_EQ(NaturalLess(ordered[i], ordered[j]), i < j) << ordered[i] << " " << ordered[j];
    }
  }
  EXPECT_TRUE(NaturalLess("GND", "gnd") != NaturalLess("gnd", "GND"));  // a total order
}

// The names of a long list come back whole and in order, across the places
// it keeps and the pieces it is stored in, a name longer than a piece too.
TEST(NameList, EveryNameOfALongListComesBack) {
  std::vector<std::string> names;
  for (int i = 0; i < 100000; ++i) {
    std::string name(1, 'U');
    name += std::to_string(i);
    name.append(static_cast<std::size_t>(i % 7), 'x');
    names.push_back(std::move(name));
  }
  names[70000] = std::string(300 * 1024, 'L');
  names[70001] = "";
  NameList list;
  for (const std::string& name : names) list.Add(name);
  ASSERT_EQ(list.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) ASSERT_EQ(list[i], names[i]) << i;
  EXPECT_EQ(list.Names(), names);
}

TEST_F(BoardBrowser, ALargeBoardsCountsAreEstimatedClosely) {
  WriteBoardPair(dir.path().string(), "b.brd", {.pinsPerSide = 60000, .seed = 3});
  ASSERT_EQ(OpenFiles((dir.path() / "b.brd").string(), (dir.path() / "jet.CON").string()),
            std::vector<std::string>{});
  const BrowserList list = Find("");
  // 20,000 nets shared by both sides, 15,000 parts a side, 6,000 nails named alike on both.
  EXPECT_TRUE(list.totals->nets.estimated);
  EXPECT_NEAR(list.totals->nets.value, 20000, 400);
  EXPECT_NEAR(list.totals->parts.value, 30000, 600);
  EXPECT_EQ(list.totals->pins, 120000);
  EXPECT_NEAR(list.total.value, 20000 + 30000 + 6000, 1200);
  EXPECT_EQ(list.rows.size(), kBrowserRows);
  EXPECT_EQ(list.rows.front().name, "B1");
}

TEST_F(BoardBrowser, RealBoardTheInfoOfEachResultListsAllOfIt) {
  OpenRealBoard("teres-main");
  EXPECT_EQ(Info().kind, ResultInfo::Kind::None);

  ASSERT_TRUE(Ran([&] { return NetSearch(s, "gnd"); }));
  ResultInfo net = Info();
  EXPECT_EQ(net.kind, ResultInfo::Kind::Net);
  for (const Side side : kSides) EXPECT_EQ(net.pins[side].size(), s.highlight.findings->pinsMarked[side]);
  const InfoTable table(std::move(net));
  EXPECT_EQ(table.size(),
            1 + 2 + s.highlight.findings->pinsMarked.top + s.highlight.findings->pinsMarked.bottom);
  EXPECT_TRUE(table.Text().starts_with("Net\tgnd\nTop side\t457\n\tANT1.2\n")) << table.Text().substr(0, 80);
  EXPECT_EQ(table.Line(2).kind, ItemKind::Pin);

  ASSERT_TRUE(Ran([&] { return DeviceSearch(s, {"U1", "", ""}, {}); }));
  const ResultInfo part = Info();
  EXPECT_EQ(part.side, Side::Top);
  std::vector<PartPin> expected;
  for (const test::PinLine& pin : test::PinRecordsOf(s.FileOf(Side::Top))) {
    if (pin.name.starts_with(" U1.")) expected.push_back({pin.name.substr(1), pin.net});
  }
  EXPECT_EQ(part.partPins, expected);

  const std::vector<test::NailLine> onBoard = test::NailsOf(s.FileOf(Side::Top));
  const auto onGround =
      std::find_if(onBoard.begin(), onBoard.end(), [](const auto& n) { return n.net == "GND"; });
  ASSERT_NE(onGround, onBoard.end());
  ASSERT_TRUE(Ran([&] { return OpenShortSearch(s, {onGround->name, "", ""}); }));
  const ResultInfo nails = Info();
  ASSERT_EQ(nails.nails.size(), 1u);
  EXPECT_EQ(nails.nails[0].net, s.highlight.memory.openShort.NailNet[0]);
  std::string listed;
  for (const Side side : kSides) {
    for (const std::string& pin : nails.nails[0].pins[side].Names()) listed += "  " + pin;
  }
  EXPECT_FALSE(listed.empty());
  EXPECT_TRUE(s.pictures.header[0].ends_with(listed)) << listed;
  EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(BoardBrowser, APinOnNoNetListsNoMatesAndItsOwnLines) {
  // A.1 at top pixel (92, 430) on no net, A.2 on N1; the part U1 on the bottom.
  const std::string head = "h\n0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\n";
  Open(head + "A\n0.1 1 0.1 0.5\n2 2 2 2\n0.25 0.25\n0.75 0.25\n3 3 3 3\n" +
           " A.1\n0.25 0.25\n\nfirst\n A.2\n0.75 0.25\nN1\nsecond\n4 4 4 4\n5 5 5 5\n",
       head + "2 2 2 2\n3 3 3 3\n U9.1\n0.5 0.5\n\nx\n4 4 4 4\n5 5 5 5\n");
  Run([&] { PointInquiry(s, Side::Top, 92, 430, nullptr); });
  const ResultInfo pin = Info();
  EXPECT_EQ(pin.kind, ResultInfo::Kind::Pin);
  EXPECT_EQ(pin.name, "A.1");
  EXPECT_EQ(pin.part, "A");
  EXPECT_EQ(pin.fourth, "first");
  EXPECT_EQ(pin.pins.top.size() + pin.pins.bottom.size(), 0u);
  const InfoTable table{ResultInfo(pin)};
  EXPECT_EQ(table.Text(),
            "Pin\tA.1\nPart\tA\nNet\t\nFourth line\tfirst\nSide\ttop\nTop side\t0\nBottom side\t0\n");
  EXPECT_FALSE(table.Line(2).kind);  // an empty net activates nothing
  // Empty nets count as no net at all.
  EXPECT_EQ(Find("").totals->nets.value, 1);
}

}  // namespace
}  // namespace vantrel
