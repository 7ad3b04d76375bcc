// The component pin search: centres each side on the pin, marks it, frames
// its part and writes the pin's net, fourth line and net block in the header.
#include "search/comp_pin_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::CountColor;
using test::PixelAt;

// A board 4 x 2 with its outline around it: Scale 250, MarkRadius 5,
// MarkMargin 10, home origins (-108, 530) on the top and (-108, 30) on the
// bottom. A pin found at (x, y) moves the top origin to
// (392 - 250x, 252 + 250y) and the bottom origin to (392 - 250x, 252 - 250y).
std::string Board(const std::string& parts, const std::string& centres, const std::string& records,
                  const std::string& blocks) {
  return "test board\n0 0\n4 0\n4 2\n0 2\n0 0\n1 1 1 1\n" + parts + "2 2 2 2\n" + centres + "3 3 3 3\n" +
         records + "4 4 4 4\n5 5 5 5\n" + blocks;
}

// The second "U1" line is never framed: only the first one that matches is.
const std::string kTop =
    Board("U1\n1.2 2.2 0.6 1.4\nR7\n2.6 3.4 0.4 0.8\nU1\n0.2 0.4 0.2 0.4\n", "1.5 1\n2 1\n2.8 0.6\n",
          " U1.1\n1.5 1\nNETA\nFOURTH-A\n"
          " U1.2\n2 1\nNETB\n0123456789ABCDEFGHIJKLMN\n"
          " R7.1\n2.8 0.6\nNETA\nR-FOURTH\n",
          "NETB\n1\nABCDEFGHIJ\nKLMNOPQRST\n\n"
          "NETA\n1\nT1\nT2\n\n");

const std::string kBottom = Board("U1\n1.2 2.2 0.6 1.4\nC5\n0.4 0.8 1.2 1.6\n", "1.5 1\n0.6 1.4\n",
                                  " U1.1\n1.5 1\nNETA\nBOTTOM-FOURTH\n"
                                  " C5.1\n0.6 1.4\nNETA\nC-FOURTH\n",
                                  "");

// What U1.2 writes: its net block's two items of ten letters keep the first,
// a blank and nine letters.
const std::string kU12Block = "    ABCDEFGHIJ KLMNOPQRS";

class CompPinSearchTest : public test::TextSearchFixture<CompPinSearch, RedrawCompPin> {
 protected:
  using SearchFixture::Open;
  void Open() { Open(kTop, kBottom); }

  // The pin lies on the pin target of the side's picture, with its disc.
  void ExpectAtTarget(Side side, double x, double y, const std::string& when) {
    EXPECT_EQ(PixelOf(side, x, y), (PixelPoint{392, 252})) << when;
    EXPECT_EQ(PixelAt(s.PictureOf(side), 392, 252), colors::kWhite) << when;
  }
};

TEST_F(CompPinSearchTest, CentresMarksFramesAndWritesTheHeader) {
  Open();
  s.pictures.header = {"", "old second line", "old third line"};
  EXPECT_TRUE(Search("u1.1"));

  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header, (test::Header{"u1.1    NETA    $BOTTOM-FOURTH    T1 T2 ", "", ""}));
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmCompPin);
  EXPECT_FALSE(s.TopShown()) << "a pin on both sides ends with the bottom side shown";
  EXPECT_EQ(s.view.TopOriginX, 17);
  EXPECT_EQ(s.view.TopOriginY, 502);
  EXPECT_EQ(s.view.BottomOriginX, 17);
  EXPECT_EQ(s.view.BottomOriginY, 2);

  for (const ImageCanvas* image : {&s.pictures.sides.top, &s.pictures.sides.bottom}) {
    // The white disc at the target, outlined in the pins' colour.
    EXPECT_EQ(PixelAt(*image, 392, 252), colors::kWhite);
    EXPECT_EQ(PixelAt(*image, 387, 252), colors::kActiveCaption);
    // Part U1 (1.2..2.2, 0.6..1.4) lies at 317..567, 152..352 on both sides;
    // the frame runs MarkMargin outside it, around the filled olive box.
    EXPECT_EQ(PixelAt(*image, 400, 142), colors::kWhite);
    EXPECT_EQ(PixelAt(*image, 577, 200), colors::kWhite);
    EXPECT_EQ(PixelAt(*image, 400, 362), colors::kWhite);
    EXPECT_EQ(PixelAt(*image, 307, 200), colors::kWhite);
    EXPECT_EQ(PixelAt(*image, 576, 200), colors::kOlive);
    EXPECT_EQ(PixelAt(*image, 400, 300), colors::kBlack) << "the dialog's boxes are filled";
    // The pin's name in red, its top-left corner at (392 - 5 + 10 + 3, 252 - 5 - 10).
    EXPECT_GT(CountColor(*image, QRect(400, 237, 70, 25), colors::kRed), 0);
    EXPECT_EQ(CountColor(*image, QRect(380, 200, 19, 36), colors::kRed), 0);
  }
  const CanvasState& pen = s.pictures.sides.top.state();
  EXPECT_EQ(pen.fontName, "Times New Roman");
  EXPECT_EQ(pen.fontSizePt, 14);
  EXPECT_EQ(pen.fontColor, colors::kRed);
  EXPECT_EQ(pen.brushStyle, BrushStyle::Clear);
}

TEST_F(CompPinSearchTest, ThePinIsALineOfOneBlankAndTheTextInAnyCase) {
  Open(Board("", "", "  U2.1\n1.5 1\nN\nF\nU3.1\n1.5 1\nN\nF\n u4.1\n2 1\nN\nF\n", ""), kBottom);
  const ViewState home = s.view;
  Search("U2.1");
  EXPECT_EQ(s.view, home) << "two leading blanks do not match";
  Search("u3.1");
  EXPECT_EQ(s.view, home) << "no leading blank does not match";
  Search("U4.1");
  EXPECT_EQ(s.view.TopOriginX, 392 - 500);
  EXPECT_EQ(s.view.TopOriginY, 252 + 250);
  EXPECT_TRUE(s.TopShown());
}

// Every line of the pin records is compared with the text, so a line that is
// not a name line can be found as a pin; the three lines after it are read as
// its position, net and fourth line.
struct LineTakenForAPin {
  const char* name;
  std::string top;
  std::string text;
  std::int32_t originX;  // the top side's origin after the search
  std::int32_t originY;
  const char* net;     // CompPinNet
  const char* fourth;  // CompPinFourth
};

void PrintTo(const LineTakenForAPin& c, std::ostream* os) { *os << c.name; }

class LineTakenForAPinName : public CompPinSearchTest,
                             public testing::WithParamInterface<LineTakenForAPin> {};

TEST_P(LineTakenForAPinName, ReadsTheNextLinesAsTheRecord) {
  const LineTakenForAPin& c = GetParam();
  Open(c.top, Board("", "", "", ""));
  Search(c.text);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.view.TopOriginX, c.originX);
  EXPECT_EQ(s.view.TopOriginY, c.originY);
  EXPECT_EQ(s.highlight.memory.compPin.CompPinNet, c.net);
  EXPECT_EQ(s.highlight.memory.compPin.CompPinFourth, c.fourth);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 392, 252), colors::kWhite);
  EXPECT_EQ(s.pictures.header[0], "") << "no block is headed by the net";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineTakenForAPinName,
    testing::Values(
        // The net line " Q1.1": x and y come from the fourth line, net and
        // fourth line from the next record's name and position lines.
        LineTakenForAPin{"NetLine",
                         Board("", "", " U5.1\n2 1\n Q1.1\n2.5 0.5\n U5.2\n0.5 0.5\nNETZ\nF\n", ""), "q1.1",
                         392 - 625, 252 + 125, " U5.2", "0.5 0.5"},
        // The last fourth line " R9.9": its position is read from the
        // "4 4 4 4" marker, its net from "5 5 5 5", its fourth line from the
        // first block heading.
        LineTakenForAPin{"LastFourthLine", Board("", "", " U6.1\n2 1\nNETX\n R9.9\n", "NETB\n1\nT1\n\n"),
                         "r9.9", 392 - 1000, 252 + 1000, "5 5 5 5", "NETB"}),
    test::ByName());

TEST_F(CompPinSearchTest, CutsTheFourthLineAfterTheSearchAndShowsItWholeAfterARedraw) {
  Open();
  Search("U1.2");
  EXPECT_TRUE(s.TopShown()) << "the pin is on the top side only";
  EXPECT_EQ(s.highlight.memory.compPin.CompPinFourth, "0123456789ABCDEFGHIJ");
  EXPECT_EQ(s.pictures.header[0], "U1.2    NETB    $0123456789ABCDEFGHIJ" + kU12Block);

  s.view.shown = Side::Bottom;  // the side key
  s.pictures.ClearHeader();
  Redraw("U1.2");
  EXPECT_EQ(s.pictures.header[0], "U1.2    NETB    $0123456789ABCDEFGHIJKLMN" + kU12Block);
  EXPECT_EQ(s.highlight.memory.compPin.RedrawPinFourth, "0123456789ABCDEFGHIJKLMN");
  EXPECT_EQ(s.highlight.memory.compPin.CompPinFourth, "0123456789ABCDEFGHIJ") << "a redraw leaves it alone";
  EXPECT_FALSE(s.TopShown()) << "a redraw does not change the side shown";
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmCompPin);
}

TEST_F(CompPinSearchTest, ANetLongerThanTwentyCharactersFindsNoBlock) {
  const std::string net = "ABCDEFGHIJKLMNOPQRSTU";
  Open(Board("", "", " U1.1\n1.5 1\n" + net + "\nF\n", net + "\n1\nT1\n\n"), Board("", "", "", ""));
  s.pictures.header[0] = "old";
  Search("U1.1");
  EXPECT_EQ(s.highlight.memory.compPin.CompPinNet, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(s.pictures.header[0], "");
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmCompPin);
}

TEST_F(CompPinSearchTest, BeforeAnyFindTheFirstEmptyLineHeadsTheBlock) {
  Open();
  const QImage top = s.pictures.sides.top.image().copy();
  const ViewState home = s.view;
  Search("");
  // The block after the first empty line: "NETA" is skipped, "1", "T1", "T2" listed.
  EXPECT_EQ(s.pictures.header[0], "        $    1 T1 T2 ");
  EXPECT_EQ(s.view, home);
  EXPECT_EQ(s.pictures.sides.top.image(), top);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmCompPin);
}

TEST_F(CompPinSearchTest, NoNetBlocksGiveNoHeaderEvenForAnEmptyStoredNet) {
  // The file ends right after "5 5 5 5": there is no line, empty or not, to
  // be taken for a block heading.
  Open(Board("", "", " U1.1\n1.5 1\nNETA\nF\n", ""), Board("", "", "", ""));
  s.pictures.header[0] = "old";
  Search("");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header[0], "");
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmCompPin);
}

TEST_F(CompPinSearchTest, APinOnlyInTheCompanionFileLeavesTheTopSideAlone) {
  Open();
  const QImage top = s.pictures.sides.top.image().copy();
  Search("c5.1");
  EXPECT_EQ(s.pictures.sides.top.image(), top);
  EXPECT_EQ(s.view.TopOriginX, -108);
  EXPECT_EQ(s.view.TopOriginY, 530);
  EXPECT_EQ(s.view.BottomOriginX, 392 - 150);
  EXPECT_EQ(s.view.BottomOriginY, 252 - 350);
  EXPECT_FALSE(s.TopShown());
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 392, 252), colors::kWhite);
  // Part C5 (0.4..0.8, 1.2..1.6) lies at 342..442, 202..302 on the bottom side.
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 452, 250), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 332, 250), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 400, 192), colors::kWhite);
  EXPECT_EQ(s.pictures.header[0], "c5.1    NETA    $C-FOURTH    T1 T2 ");
}

TEST_F(CompPinSearchTest, KeepsThePinAtTheTargetThroughPanZoomAndHome) {
  Open();
  Search("U1.2");
  auto expectAtTarget = [&](const char* after) {
    const double scale = s.view.Scale;
    EXPECT_EQ(s.view.TopOriginX, std::nearbyint(392 - scale * 2)) << after;
    EXPECT_EQ(s.view.TopOriginY, std::nearbyint(252 + scale * 1)) << after;
    ExpectAtTarget(Side::Top, 2, 1, after);
  };
  expectAtTarget("the search");

  s.view.TopOriginX += 80;  // "4"
  s.view.BottomOriginX += 80;
  Redraw("U1.2");
  expectAtTarget("a pan");

  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  Redraw("U1.2");
  expectAtTarget("a zoom");
  EXPECT_EQ(s.view.Scale, 290);

  RestoreHomeView(s.view);  // another mouse button
  Redraw("U1.2");
  expectAtTarget("the home view");
  EXPECT_TRUE(errors.empty());
}

TEST_F(CompPinSearchTest, FramesOnlyTheFirstPartOfTheName) {
  Open();
  Search("U1.1");
  // The second "U1" (0.2..0.4) would be framed at 57..127, 392..462 on the top side.
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 577, 200), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 127, 430), colors::kBlack);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 90, 462), colors::kBlack);
}

TEST_F(CompPinSearchTest, ANameWithoutADotFramesNoPart) {
  Open(Board("U1\n1.2 2.2 0.6 1.4\n", "", " U1\n1.5 1\nNETA\nF\n", ""), kBottom);
  Search("U1");
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 392, 252), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 577, 200), colors::kBlack);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 400, 362), colors::kBlack);
}

TEST(PartNameOf, IsTheTextBeforeTheFirstDotWithinTwentyCharacters) {
  EXPECT_EQ(PartNameOf("U12.3"), "U12");
  EXPECT_EQ(PartNameOf("A.B.C"), "A");
  EXPECT_EQ(PartNameOf(".5"), "");
  EXPECT_EQ(PartNameOf("ABCDEFGHIJKLMNOPQRS.1"), "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(PartNameOf("ABCDEFGHIJKLMNOPQRST.1"), std::nullopt);
  EXPECT_EQ(PartNameOf("U12"), std::nullopt);
  EXPECT_EQ(PartNameOf(""), std::nullopt);
}

TEST_F(CompPinSearchTest, ARedrawWithAnEmptyTextMarksNothingAndWritesTheStoredNet) {
  Open();
  Search("U1.2");
  Redraw("U1.2");
  Redraw("");
  EXPECT_EQ(s.pictures.header[0], "    NETB    $0123456789ABCDEFGHIJKLMN" + kU12Block);
  EXPECT_NE(PixelAt(s.pictures.sides.top, 392, 252), colors::kWhite);
}

TEST_F(CompPinSearchTest, ARedrawSearchesTheTextItIsGiven) {
  Open();
  Search("U1.2");
  Redraw("r7.1");
  EXPECT_EQ(s.view.TopOriginX, 392 - 700);
  EXPECT_EQ(s.view.TopOriginY, 252 + 150);
  EXPECT_EQ(s.pictures.header[0], "r7.1    NETA    $R-FOURTH" + kU12Block)
      << "the block is still the one of CompPinNet";
}

TEST_F(CompPinSearchTest, APinBeyondThe32BitRangeIsAnError) {
  Open(Board("", "", " U1.1\n1e12 1\nNETA\nF\n", ""), kBottom);
  const ViewState home = s.view;
  EXPECT_FALSE(Search("U1.1"));
  EXPECT_EQ(errors, std::vector<std::string>{"Invalid floating point operation."});
  EXPECT_EQ(s.view, home);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
}

TEST_F(CompPinSearchTest, RealBoardPinWithALongFourthLine) {
  OpenRealBoard("teres-main");
  Search("l14.2");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(s.TopShown()) << "L14.2 is on the top side only";
  EXPECT_EQ(s.pictures.header[0], "l14.2    +3V3    $SWPA3015S1R5NT(1.5uH    T9 ");
  ExpectAtTarget(Side::Top, 4.1817, 0.6448, "the search");
  Redraw("l14.2");
  EXPECT_EQ(s.pictures.header[0], "l14.2    +3V3    $SWPA3015S1R5NT(1.5uH/2.30A/DCR<0.1R/CD32)    T9 ");
}

TEST_F(CompPinSearchTest, RealBoardNetLongerThanTwentyCharacters) {
  OpenRealBoard("teres-main");
  Search("C39.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.highlight.memory.compPin.CompPinNet, "/NAND Flash , eMMC, ");
  EXPECT_EQ(s.pictures.header[0], "");
}

TEST_F(CompPinSearchTest, RealBoardPinOnlyInTheCompanionFile) {
  OpenRealBoard("teres-main");
  const QImage top = s.pictures.sides.top.image().copy();
  Search("c22.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_FALSE(s.TopShown());
  EXPECT_EQ(s.pictures.sides.top.image(), top);
  EXPECT_EQ(s.pictures.header[0], "c22.1    GND    $100nF    T2 ");
  ExpectAtTarget(Side::Bottom, 1.9649, 1.7047, "the search");
}

}  // namespace
}  // namespace vantrel
