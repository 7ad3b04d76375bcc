// The net search: a white disc on every pin of the net on both sides, and the
// pins listed in the first header line.
#include "search/net_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::PixelAt;

// A board 4 x 2: Scale 250, MarkRadius 5, MarkMargin 10; board point (x, y)
// is at pixel (-108 + 250x, 530 - 250y) on the top side and
// (-108 + 250x, 30 + 250y) on the bottom side.
std::string Board(const std::string& centres, const std::string& records) {
  return "test board\n0 0\n4 0\n4 2\n0 2\n0 0\n1 1 1 1\nU1\n1.2 2.2 0.6 1.4\n2 2 2 2\n" + centres +
         "3 3 3 3\n" + records + "4 4 4 4\n5 5 5 5\nNETA\n1\nT1\n\n";
}

const std::string kTop = Board("1.5 1\n2 1\n2.8 0.6\n",
                               " U1.1\n1.5 1\nNETA\nF\n"
                               " U1.2\n2 1\nNETB\nF\n"
                               " R7.1\n2.8 0.6\nneta\nF\n"
                               " R7.1\n2.8 0.6\nneta\nF\n"
                               " V1.1\n0.5 0.5\n NETA\nF\n"
                               " U1.3\n2.4 1.2\nTOPONLY\nF\n");

const std::string kBottom = Board("1.5 1\n0.6 1.4\n",
                                  " U1.1\n1.5 1\nNETA\nF\n"
                                  " C5.1\n0.6 1.4\nNetA\nF\n"
                                  " C5.2\n0.6 1.2\nNETB\nF\n");

class NetSearchTest : public test::TextSearchFixture<NetSearch, RedrawNet> {
 protected:
  using SearchFixture::Open;
  void Open() { Open(kTop, kBottom); }

  // The disc of a pin: white inside and on its outline.
  void ExpectDisc(Side side, double x, double y, const char* what) {
    const PixelPoint c = PixelOf(side, x, y);
    const std::int64_t h = s.view.MarkRadius;
    ASSERT_TRUE(c.x - h >= 0 && c.x + h < 784 && c.y - h >= 0 && c.y + h < 490) << what;
    EXPECT_EQ(PixelAt(s.PictureOf(side), c.x, c.y), colors::kWhite) << what;
    EXPECT_EQ(PixelAt(s.PictureOf(side), c.x - h, c.y), colors::kWhite) << what;
  }
  void ExpectNoDisc(Side side, double x, double y, const char* what) {
    const PixelPoint c = PixelOf(side, x, y);
    EXPECT_NE(PixelAt(s.PictureOf(side), c.x, c.y), colors::kWhite) << what;
  }
};

TEST_F(NetSearchTest, MarksBothSidesAndShowsTheBottomResult) {
  Open();
  s.pictures.header = {"first", "second", "third"};
  s.view.shown = Side::Bottom;
  const ViewState view = s.view;
  EXPECT_TRUE(Search("neta"));

  EXPECT_TRUE(errors.empty());
  // The net line of the bottom file's last matching pin, two blanks, then a
  // blank and the name line (itself starting with a blank) per pin.
  EXPECT_EQ(s.pictures.header,
            (test::Header{std::string("NetA") + "  " + " " + " U1.1" + " " + " C5.1", "second", "third"}));
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmNet);
  EXPECT_EQ(s.view, view);
  EXPECT_FALSE(s.TopShown()) << "the side shown does not change";

  ExpectDisc(Side::Top, 1.5, 1, "U1.1 top");
  ExpectDisc(Side::Top, 2.8, 0.6, "R7.1 top");
  ExpectNoDisc(Side::Top, 2, 1, "U1.2 top, another net");
  ExpectNoDisc(Side::Top, 0.5, 0.5, "V1.1 top, a net with a leading blank");
  ExpectDisc(Side::Bottom, 1.5, 1, "U1.1 bottom");
  ExpectDisc(Side::Bottom, 0.6, 1.4, "C5.1 bottom");
  ExpectNoDisc(Side::Bottom, 0.6, 1.2, "C5.2 bottom");
  // The dialog's passes drew the part box filled.
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 300, 200), colors::kBlack);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 182, 200), colors::kOlive);
}

TEST_F(NetSearchTest, ListsEveryMatchingRecordOfASideInFileOrder) {
  Open(kTop, kTop);
  Search("NETA");
  EXPECT_EQ(s.pictures.header[0], std::string("neta") + "  " + "  U1.1" + "  R7.1" + "  R7.1");
}

TEST_F(NetSearchTest, TwoBlanksWhenTheBottomFileHasNoPinOfTheNet) {
  Open();
  Search("toponly");
  EXPECT_EQ(s.pictures.header[0], "  ");
  ExpectDisc(Side::Top, 2.4, 1.2, "U1.3 top");
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmNet);
}

TEST_F(NetSearchTest, RepeatedRedrawsWriteTheSameHeader) {
  Open();
  Search("NETA");
  const std::string header = s.pictures.header[0];
  for (int zoom = 0; zoom < 3; ++zoom) {
    ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
    s.pictures.ClearHeader();  // as the side key does before its redraw
    Redraw("NETA");
    EXPECT_EQ(s.pictures.header[0], header);
    ExpectDisc(Side::Top, 1.5, 1, "U1.1 top");
    ExpectDisc(Side::Bottom, 1.5, 1, "U1.1 bottom");
  }
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmNet);
  // A redraw draws the part boxes as lines, not filled.
  const PixelPoint upperEdge = PixelOf(Side::Top, 1.7, 1.4);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, upperEdge.x, upperEdge.y - s.view.MarkMargin), colors::kOlive);
  const PixelPoint inside = PixelOf(Side::Top, 1.7, 1.2);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, inside.x, inside.y), colors::kBlack);
}

TEST_F(NetSearchTest, ARedrawSearchesTheTextItIsGiven) {
  Open();
  Search("NETA");
  Redraw("netb");
  EXPECT_EQ(s.pictures.header[0], "NETB    C5.2");
  ExpectDisc(Side::Top, 2, 1, "U1.2 top");
  ExpectNoDisc(Side::Top, 1.5, 1, "U1.1 top");
}

struct Disc {
  Side side;
  double x;
  double y;
  const char* pin;
};

struct RealNet {
  const char* name;
  const char* text;
  const char* header;
  std::vector<Disc> discs;
};

void PrintTo(const RealNet& net, std::ostream* os) { *os << net.name; }

class NetSearchRealBoard : public NetSearchTest, public testing::WithParamInterface<RealNet> {};

TEST_P(NetSearchRealBoard, MarksTheNet) {
  const RealNet& net = GetParam();
  OpenRealBoard("teres-main");
  Search(net.text);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header[0], net.header);
  for (const Disc& disc : net.discs) ExpectDisc(disc.side, disc.x, disc.y, disc.pin);
  Redraw(net.text);
  EXPECT_EQ(s.pictures.header[0], net.header);
}

INSTANTIATE_TEST_SUITE_P(Nets, NetSearchRealBoard,
                         testing::Values(RealNet{"OnBothSides",
                                                 "usb0-d_p",
                                                 "USB0-D_P    R34.2",
                                                 {{Side::Top, 0.25, 2.3253, "CON4.26 top"},
                                                  {Side::Top, 2.3425, 1.8258, "U1.A22 top"},
                                                  {Side::Bottom, 0.5517, 2.397, "R34.2 bottom"}}},
                                         RealNet{"OnlyOnTheTopSide",
                                                 "/nand flash , emmc, t-card and audio/micin2_p",
                                                 "  ",
                                                 {{Side::Top, 0.6617, 1.837, "C39.1 top"},
                                                  {Side::Top, 2.2146, 1.8002, "U1.B17 top"}}}),
                         test::ByName());

}  // namespace
}  // namespace vantrel
