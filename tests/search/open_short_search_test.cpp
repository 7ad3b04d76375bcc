// The open/short search: up to three nails, each marked where found with every
// pin on its net, in the slot's colour, and listed in the slot's header line.
#include "search/open_short_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::CountColor;
using test::Header;
using test::PixelAt;

// Both files have an outline 2 wide and 1.25 high: Scale 400, H 8, D 16; board
// point (x, y) is at top pixel (400x - 8, 530 - 400y) and at bottom pixel
// (400x - 8, 30 + 400y). The part box lies far from every mark.
constexpr const char* kOutline =
    "0 0\n2 0\n2 1.25\n0 1.25\n0 0\n"
    "1 1 1 1\n"
    "U1\n1.9 1.95 1.1 1.2\n"
    "2 2 2 2\n";

// Top pins: U1.1 (92, 430) NET_A, U1.2 (292, 430) net_b, R2.1 (492, 430)
// Net_a, R2.2 (692, 430) GND. Nails: TP1 (92, 230) NET_A, TP2 (292, 230)
// NET_X, TP4 (492, 230) GND. "TP9" follows "5 5 5 5" and is never found here.
const std::string kTop = std::string("open/short top\n") + kOutline +
                         "0.25 0.25\n0.75 0.25\n1.25 0.25\n1.75 0.25\n"
                         "3 3 3 3\n"
                         " U1.1\n0.25 0.25\nNET_A\nfirst\n"
                         " U1.2\n0.75 0.25\nnet_b\nsecond\n"
                         " R2.1\n1.25 0.25\nNet_a\nthird\n"
                         " R2.2\n1.75 0.25\nGND\nfourth\n"
                         "4 4 4 4\n"
                         "TP1\n0.25 0.75\nNET_A\nPROBE 75MIL\n"
                         "TP2\n0.75 0.75\nNET_X\nPROBE\n"
                         "TP4\n1.25 0.75\nGND\nPROBE\n"
                         "5 5 5 5\n"
                         "NET_A\n1\nTP9\n1.75 0.75\n\n";

// Bottom pins: C5.1 (92, 130) net_a, C5.2 (292, 130) NET_B, C5.3 (492, 130)
// with an empty net. Nails: TP2 (292, 330) NET_B, TP3 (492, 330) GND; after
// "5 5 5 5" the line "TP9" is followed by what reads as a nail at (692, 330).
const std::string kBottom = std::string("open/short bottom\n") + kOutline +
                            "0.25 0.25\n0.75 0.25\n1.25 0.25\n"
                            "3 3 3 3\n"
                            " C5.1\n0.25 0.25\nnet_a\nb1\n"
                            " C5.2\n0.75 0.25\nNET_B\nb2\n"
                            " C5.3\n1.25 0.25\n\nb3\n"
                            "4 4 4 4\n"
                            "TP2\n0.75 0.75\nNET_B\nPROBE\n"
                            "TP3\n1.25 0.75\nGND\nPROBE\n"
                            "5 5 5 5\n"
                            "NET_B\n1\nTP2\n\n"
                            "TP9\n1.75 0.75\nNET_Z\nPROBE\n";

class OpenShort : public test::SearchFixture {
 protected:
  using SearchFixture::Open;
  void Open() { Open(kTop, kBottom); }

  // The dialog's OK with the three names; whether the search ran.
  bool Search(const std::string& a, const std::string& b = "", const std::string& c = "") {
    return Ran([&] { return OpenShortSearch(s, {a, b, c}); });
  }
  void Redraw(const SlotNames& names) {
    Run([&] { RedrawOpenShort(s, names); });
  }
};

TEST_F(OpenShort, HeaderLines) {
  Open();
  EXPECT_TRUE(Search("TP1", "tp2", "NOPE"));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header,
            (Header{"$TP1  NET_A    U1.1  R2.1  C5.1", "$tp2 NET_B   U1.2  C5.2", "$NOPE  "}));
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmOpenShort);
  EXPECT_EQ(s.highlight.memory.openShort.NailNet[1], "NET_B");  // the bottom side's net wins
}

TEST_F(OpenShort, MarksTakeTheSlotColours) {
  Open();
  Search("TP1", "tp2", "NOPE");
  const ImageCanvas& top = s.pictures.sides.top;
  EXPECT_EQ(PixelAt(top, 92, 230), colors::kWhite);   // nail TP1
  EXPECT_EQ(PixelAt(top, 292, 230), colors::kRed);    // nail TP2, top side
  EXPECT_EQ(PixelAt(top, 92, 430), colors::kWhite);   // U1.1
  EXPECT_EQ(PixelAt(top, 492, 430), colors::kWhite);  // R2.1, "Net_a"
  EXPECT_EQ(PixelAt(top, 292, 430), colors::kRed);    // U1.2
  EXPECT_EQ(PixelAt(top, 692, 430), colors::kBlack);  // R2.2: a plain pin
  EXPECT_EQ(PixelAt(top, 492, 230), colors::kBlack);  // TP4 is not named
  const ImageCanvas& bottom = s.pictures.sides.bottom;
  EXPECT_EQ(PixelAt(bottom, 292, 330), colors::kRed);  // nail TP2
  EXPECT_EQ(PixelAt(bottom, 92, 130), colors::kWhite);
  EXPECT_EQ(PixelAt(bottom, 292, 130), colors::kRed);
  EXPECT_EQ(PixelAt(bottom, 492, 130), colors::kBlack);  // on no net: not slot 3's
  EXPECT_EQ(PixelAt(bottom, 492, 330), colors::kBlack);

  // Labels: the nail's to the right of its disc, a pin's three pixels further.
  EXPECT_GT(CountColor(top, QRect(100, 206, 60, 28), colors::kWhite), 20);
  EXPECT_GT(CountColor(top, QRect(103, 406, 70, 28), colors::kWhite), 20);
  EXPECT_EQ(CountColor(top, QRect(60, 200, 24, 60), colors::kWhite), 0);
}

TEST_F(OpenShort, SideShown) {
  Open();
  s.view.shown = Side::Bottom;
  Search("TP1");  // top only
  EXPECT_TRUE(s.TopShown());
  Search("TP2");  // both sides
  EXPECT_FALSE(s.TopShown());
  s.view.shown = Side::Top;
  Search("NOPE");  // nowhere: unchanged
  EXPECT_TRUE(s.TopShown());
  Search("TP3", "TP1");  // bottom only in slot 1, top only in slot 2
  EXPECT_FALSE(s.TopShown());
}

TEST_F(OpenShort, NailLabelIsTheTypedText) {
  Open();
  const QRect label(100, 200, 80, 40);
  Search("TP1");
  const QImage asInFile = s.pictures.sides.top.image().copy(label);
  Search("tp1");
  EXPECT_NE(s.pictures.sides.top.image().copy(label), asInFile);
  EXPECT_GT(CountColor(s.pictures.sides.top, label, colors::kWhite), 20);
}

TEST_F(OpenShort, SameNameInTwoSlotsDrawsTheLaterColourOnTop) {
  Open();
  Search("TP1", "TP1");
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 230), colors::kRed);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 430), colors::kRed);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 92, 130), colors::kRed);
  EXPECT_EQ(s.pictures.header[0], "$TP1  NET_A    U1.1  R2.1  C5.1");
  EXPECT_EQ(s.pictures.header[1], "$TP1 NET_A   U1.1  R2.1  C5.1");
  Search("TP1", "TP1", "tp1");
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 230), colors::kYellow);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 92, 130), colors::kYellow);
  EXPECT_EQ(s.pictures.header[2], "$tp1 NET_A   U1.1  R2.1  C5.1");
}

TEST_F(OpenShort, ANameFoundNowhereMarksAndListsNoPin) {
  Open();
  Search("NOPE", "nope");
  EXPECT_EQ(s.pictures.header[0], "$NOPE    ");
  EXPECT_EQ(s.pictures.header[1], "$nope  ");
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 492, 130), colors::kBlack) << "C5.3, on no net";

  std::string everyPinOnANet = kBottom;
  everyPinOnANet.replace(everyPinOnANet.find("1.25 0.25\n\n"), 11, "1.25 0.25\nGND\n");
  Open(kTop, everyPinOnANet);
  Search("NOPE", "NOPE");
  EXPECT_EQ(s.pictures.header[0], "$NOPE    ");
  EXPECT_EQ(s.pictures.header[1], "$NOPE  ");
  for (int x : {92, 292, 492}) EXPECT_EQ(PixelAt(s.pictures.sides.bottom, x, 130), colors::kBlack);
}

TEST_F(OpenShort, BottomNailScanReadsOnPastTheNailSection) {
  Open();
  Search("TP9");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header[0], "$TP9  NET_Z  ");
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 692, 330), colors::kWhite);
  EXPECT_FALSE(s.TopShown());
  // In the board file the scan ended at "5 5 5 5": nothing read as a nail there.
  EXPECT_EQ(CountColor(s.pictures.sides.top, colors::kWhite), 0);
}

TEST_F(OpenShort, RedrawRepeatsTheSearchWithOneBlankSeparators) {
  Open();
  Search("TP1", "tp2", "NOPE");
  s.view.shown = Side::Top;
  s.view.TopOriginX += 40;
  s.view.BottomOriginX += 40;
  Redraw({"TP1", "tp2", "NOPE"});
  EXPECT_EQ(s.pictures.header,
            (Header{"$TP1 NET_A   U1.1  R2.1  C5.1", "$tp2 NET_B   U1.2  C5.2", "$NOPE  "}));
  EXPECT_TRUE(s.TopShown());  // the redraw never turns the board over
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmOpenShort);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 132, 230), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 230), colors::kBlack);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 332, 430), colors::kRed);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 532, 130), colors::kBlack);
}

TEST_F(OpenShort, ARedrawSearchesTheNamesItIsGiven) {
  Open();
  Search("TP1");
  Redraw({"", "", ""});
  EXPECT_EQ(s.pictures.header, (Header{"", "", ""}));
  EXPECT_EQ(CountColor(s.pictures.sides.top, colors::kWhite), 0);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmOpenShort);

  Redraw({"", "TP2", ""});
  EXPECT_EQ(s.pictures.header[1], "$TP2 NET_B   U1.2  C5.2");
}

// The real boards, checked against a plain reading of their pin records.
std::vector<test::PinLine> PinRecordsOnNet(const std::string& file, const std::string& net) {
  std::vector<test::PinLine> pins;
  for (const test::PinLine& pin : test::PinRecordsOf(file)) {
    if (test::FoldCase(pin.net) == test::FoldCase(net)) pins.push_back(pin);
  }
  return pins;
}

// " " + name of every pin record on the net, in file order.
std::string PinsOnNet(const std::string& file, const std::string& net) {
  std::string list;
  for (const test::PinLine& pin : PinRecordsOnNet(file, net)) list += " " + pin.name;
  return list;
}

class OpenShortRealBoard : public OpenShort, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override { OpenRealBoard(GetParam()); }
};

TEST_P(OpenShortRealBoard, HeaderListsEveryPinOnTheNailsNet) {
  // T1 is a nail of the bottom side on every board; T2 of both sides.
  const std::string bottomNet = test::NailNetIn(s.document.CompanionFile, "T1");
  ASSERT_NE(bottomNet, "");
  const std::string net2 = test::NailNetIn(s.document.CompanionFile, "T2");
  Search("T1", "t2");
  ASSERT_TRUE(errors.empty()) << errors.front();
  const std::string pins =
      PinsOnNet(s.document.BoardFile, bottomNet) + PinsOnNet(s.document.CompanionFile, bottomNet);
  ASSERT_FALSE(pins.empty());
  EXPECT_EQ(s.pictures.header[0], "$T1  " + bottomNet + "  " + pins);
  EXPECT_EQ(s.pictures.header[1], "$t2 " + net2 + " " + PinsOnNet(s.document.BoardFile, net2) +
                                      PinsOnNet(s.document.CompanionFile, net2));
  EXPECT_FALSE(s.TopShown());
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmOpenShort);

  Redraw({"T1", "t2", ""});
  EXPECT_EQ(s.pictures.header[0], "$T1 " + bottomNet + " " + pins);
}

TEST_P(OpenShortRealBoard, EveryPinOnTheNetIsMarkedOnBothSides) {
  Search("T1");
  ASSERT_TRUE(errors.empty()) << errors.front();
  const std::string net = test::NailNetIn(s.document.CompanionFile, "T1");
  int checked = 0;
  for (Side side : {Side::Top, Side::Bottom}) {
    for (const test::PinLine& pin : PinRecordsOnNet(s.FileOf(side), net)) {
      const PixelPoint c = PixelOf(side, pin.x, pin.y);
      if (c.x < 0 || c.y < 0 || c.x >= 784 || c.y >= 490) continue;
      EXPECT_EQ(PixelAt(s.PictureOf(side), c.x, c.y), colors::kWhite) << pin.name;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1);
}

INSTANTIATE_TEST_SUITE_P(Boards, OpenShortRealBoard,
                         testing::Values("teres-main", "teres-kbd", "csi-adapter"));

}  // namespace
}  // namespace vantrel
