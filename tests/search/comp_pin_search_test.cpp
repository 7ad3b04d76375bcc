#include "search/comp_pin_search.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include <string>
#include <vector>

#include "search/comp_dialog.h"
#include "search/error_handler.h"
#include "search/session.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

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

Color PixelAt(const ImageCanvas& canvas, int x, int y) {
  const QRgb p = canvas.image().pixel(x, y);
  return static_cast<Color>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

bool HasColourIn(const ImageCanvas& canvas, Color colour, int x1, int y1, int x2, int y2) {
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) {
      if (PixelAt(canvas, x, y) == colour) return true;
    }
  }
  return false;
}

class CompPinSearchTest : public testing::Test {
 protected:
  CompPinSearchTest() {
    s.comp = &dialog;
    s.changed = [this] { ++handlersRun; };
    SetErrorReporter([this](const std::string& text) { errors.push_back(text); });
  }
  ~CompPinSearchTest() override { SetErrorReporter(nullptr); }

  // As the main window opens a board: home view, the six passes, hmBoard
  // (set here even when a pass fails, as a starting point for the test).
  void OpenFiles(const std::string& boardFile, const std::string& companionFile) {
    s.BoardFile = boardFile;
    s.CompanionFile = companionFile;
    RunHandler(s, [&] {
      ComputeHomeView(s.view, s.BoardFile);
      RunLayerPasses(s, Variant::Main, PassOrder::LayerByLayer);
    });
    s.HighlightMode = hmBoard;
    s.Image1Visible = true;
  }
  void Open(const std::string& top = kTop, const std::string& bottom = kBottom) {
    OpenFiles(dir.Write("test.brd", top), dir.Write("jet.CON", bottom));
  }
  void OpenReal() {
    OpenFiles(test::SharedBoardFile("teres-main"), (test::SharedBoardDir("teres-main") / "jet.CON").string());
  }

  // The user types the text and clicks OK.
  void Ok(const std::string& text) {
    dialog.ShowDialog();
    dialog.SetFieldText(1, text);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  }
  void Redraw() {
    RunHandler(s, [&] { RedrawCompPin(s); });
  }

  TempDir dir;
  Session s;
  TFrm_Comp dialog{s};
  int handlersRun = 0;
  std::vector<std::string> errors;
};

TEST_F(CompPinSearchTest, OkCentresMarksFramesAndWritesTheHeader) {
  Open();
  s.Label2 = "old second line";
  s.Label4 = "old third line";
  Ok("u1.1");

  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "u1.1    NETA    $BOTTOM-FOURTH    T1 T2 ");
  EXPECT_EQ(s.Label2, "");
  EXPECT_EQ(s.Label4, "");
  EXPECT_EQ(s.HighlightMode, hmCompPin);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(s.Image1Visible) << "a pin on both sides ends with the bottom side shown";
  EXPECT_EQ(s.view.TopOriginX, 17);
  EXPECT_EQ(s.view.TopOriginY, 502);
  EXPECT_EQ(s.view.BottomOriginX, 17);
  EXPECT_EQ(s.view.BottomOriginY, 2);

  for (const ImageCanvas* image : {&s.Image1, &s.Image2}) {
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
    EXPECT_TRUE(HasColourIn(*image, colors::kRed, 400, 237, 470, 262));
    EXPECT_FALSE(HasColourIn(*image, colors::kRed, 380, 200, 399, 236));
  }
  const CanvasState& pen = s.Image1.state();
  EXPECT_EQ(pen.fontName, "Times New Roman");
  EXPECT_EQ(pen.fontSizePt, 14);
  EXPECT_EQ(pen.fontColor, colors::kRed);
  EXPECT_EQ(pen.brushStyle, BrushStyle::Clear);
}

TEST_F(CompPinSearchTest, ThePinIsALineOfOneBlankAndTheTextInAnyCase) {
  Open(Board("", "", "  U2.1\n1.5 1\nN\nF\nU3.1\n1.5 1\nN\nF\n u4.1\n2 1\nN\nF\n", ""), kBottom);
  const ViewState home = s.view;
  Ok("U2.1");
  EXPECT_EQ(s.view, home) << "two leading blanks do not match";
  Ok("u3.1");
  EXPECT_EQ(s.view, home) << "no leading blank does not match";
  Ok("U4.1");
  EXPECT_EQ(s.view.TopOriginX, 392 - 500);
  EXPECT_EQ(s.view.TopOriginY, 252 + 250);
  EXPECT_TRUE(s.Image1Visible);
}

TEST_F(CompPinSearchTest, ANetOrFourthLineIsTakenForAPinName) {
  // The net line " Q1.1" is found as a pin: x and y come from the fourth line,
  // net and fourth line from the next record's name and position lines.
  Open(Board("", "", " U5.1\n2 1\n Q1.1\n2.5 0.5\n U5.2\n0.5 0.5\nNETZ\nF\n", ""), kBottom);
  Ok("q1.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.view.TopOriginX, 392 - 625);
  EXPECT_EQ(s.view.TopOriginY, 252 + 125);
  EXPECT_EQ(s.compPin.CompPinNet, " U5.2");
  EXPECT_EQ(s.compPin.CompPinFourth, "0.5 0.5");
  EXPECT_EQ(PixelAt(s.Image1, 392, 252), colors::kWhite);
  EXPECT_EQ(s.Label1, "") << "no block is headed by \" U5.2\"";
}

TEST_F(CompPinSearchTest, AFourthLineIsTakenForAPinName) {
  // The last fourth line " R9.9" is found as a pin: its position is read from
  // the "4 4 4 4" marker, its net from "5 5 5 5", its fourth line from the
  // first block heading.
  Open(Board("", "", " U6.1\n2 1\nNETX\n R9.9\n", "NETB\n1\nT1\n\n"), Board("", "", "", ""));
  Ok("r9.9");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.view.TopOriginX, 392 - 1000);
  EXPECT_EQ(s.view.TopOriginY, 252 + 1000);
  EXPECT_EQ(s.compPin.CompPinNet, "5 5 5 5");
  EXPECT_EQ(s.compPin.CompPinFourth, "NETB");
  EXPECT_EQ(s.Label1, "");
}

TEST_F(CompPinSearchTest, CutsTheFourthLineAfterOkAndShowsItWholeAfterARedraw) {
  Open();
  Ok("U1.2");
  EXPECT_TRUE(s.Image1Visible) << "the pin is on the top side only";
  EXPECT_EQ(s.compPin.CompPinFourth, "0123456789ABCDEFGHIJ");
  // The two items of ten letters keep the first, a blank and nine letters.
  EXPECT_EQ(s.Label1, "U1.2    NETB    $0123456789ABCDEFGHIJ    ABCDEFGHIJ KLMNOPQRS");

  s.Image1Visible = false;  // the side key
  s.ClearHeader();
  Redraw();
  EXPECT_EQ(s.Label1, "U1.2    NETB    $0123456789ABCDEFGHIJKLMN    ABCDEFGHIJ KLMNOPQRS");
  EXPECT_EQ(s.compPin.RedrawPinFourth, "0123456789ABCDEFGHIJKLMN");
  EXPECT_EQ(s.compPin.CompPinFourth, "0123456789ABCDEFGHIJ") << "a redraw leaves it alone";
  EXPECT_FALSE(s.Image1Visible) << "a redraw does not change the side shown";
  EXPECT_EQ(s.HighlightMode, hmCompPin);
}

TEST_F(CompPinSearchTest, ANetLongerThanTwentyCharactersFindsNoBlock) {
  const std::string net = "ABCDEFGHIJKLMNOPQRSTU";
  Open(Board("", "", " U1.1\n1.5 1\n" + net + "\nF\n", net + "\n1\nT1\n\n"), Board("", "", "", ""));
  s.Label1 = "old";
  Ok("U1.1");
  EXPECT_EQ(s.compPin.CompPinNet, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(s.Label1, "");
  EXPECT_EQ(s.HighlightMode, hmCompPin);
}

TEST_F(CompPinSearchTest, BeforeAnyFindTheFirstEmptyLineHeadsTheBlock) {
  Open();
  const QImage top = s.Image1.image().copy();
  const ViewState home = s.view;
  Ok("X9.9");
  // The block after the first empty line: "NETA" is skipped, "1", "T1", "T2" listed.
  EXPECT_EQ(s.Label1, "X9.9        $    1 T1 T2 ");
  EXPECT_EQ(s.view, home);
  EXPECT_EQ(s.Image1.image(), top);
  EXPECT_EQ(s.HighlightMode, hmCompPin);
}

TEST_F(CompPinSearchTest, ANameNotFoundAfterAnEarlierFindKeepsPicturesViewAndMemory) {
  Open();
  Ok("U1.2");
  const QImage top = s.Image1.image().copy();
  const QImage bottom = s.Image2.image().copy();
  const ViewState view = s.view;
  Ok("NOPE.1");
  EXPECT_EQ(s.Label1, "NOPE.1    NETB    $0123456789ABCDEFGHIJ    ABCDEFGHIJ KLMNOPQRS");
  EXPECT_EQ(s.view, view);
  EXPECT_EQ(s.Image1.image(), top);
  EXPECT_EQ(s.Image2.image(), bottom);
  EXPECT_TRUE(s.Image1Visible);
}

TEST_F(CompPinSearchTest, APinOnlyInTheCompanionFileLeavesTheTopSideAlone) {
  Open();
  const QImage top = s.Image1.image().copy();
  Ok("c5.1");
  EXPECT_EQ(s.Image1.image(), top);
  EXPECT_EQ(s.view.TopOriginX, -108);
  EXPECT_EQ(s.view.TopOriginY, 530);
  EXPECT_EQ(s.view.BottomOriginX, 392 - 150);
  EXPECT_EQ(s.view.BottomOriginY, 252 - 350);
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_EQ(PixelAt(s.Image2, 392, 252), colors::kWhite);
  // Part C5 (0.4..0.8, 1.2..1.6) lies at 342..442, 202..302 on the bottom side.
  EXPECT_EQ(PixelAt(s.Image2, 452, 250), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image2, 332, 250), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image2, 400, 192), colors::kWhite);
  EXPECT_EQ(s.Label1, "c5.1    NETA    $C-FOURTH    T1 T2 ");
}

TEST_F(CompPinSearchTest, KeepsThePinAtTheTargetThroughPanZoomAndHome) {
  Open();
  Ok("U1.2");
  auto expectAtTarget = [&](const char* after) {
    const double scale = s.view.Scale;
    EXPECT_EQ(s.view.TopOriginX, RoundToInt32(392 - scale * 2)) << after;
    EXPECT_EQ(s.view.TopOriginY, RoundToInt32(252 + scale * 1)) << after;
    EXPECT_EQ(SideMapping::Of(s.view, Side::Top).Map(2, 1), (PixelPoint{392, 252})) << after;
    EXPECT_EQ(PixelAt(s.Image1, 392, 252), colors::kWhite) << after;
  };
  expectAtTarget("OK");

  s.view.TopOriginX += 80;  // "4"
  s.view.BottomOriginX += 80;
  Redraw();
  expectAtTarget("a pan");

  s.view.ZoomStep += 1;  // "+"
  s.view.Scale += 40;
  CentreOnBoard(s.view);
  Redraw();
  expectAtTarget("a zoom");
  EXPECT_EQ(s.view.Scale, 290);

  RestoreHomeView(s.view);  // another mouse button
  Redraw();
  expectAtTarget("the home view");
  EXPECT_TRUE(errors.empty());
}

TEST_F(CompPinSearchTest, FramesOnlyTheFirstPartOfTheName) {
  Open();
  Ok("U1.1");
  // The second "U1" (0.2..0.4) would be framed at 57..127, 392..462 on the top side.
  EXPECT_EQ(PixelAt(s.Image1, 577, 200), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image1, 127, 430), colors::kBlack);
  EXPECT_EQ(PixelAt(s.Image1, 90, 462), colors::kBlack);
}

TEST_F(CompPinSearchTest, ANameWithoutADotFramesNoPart) {
  Open(Board("U1\n1.2 2.2 0.6 1.4\n", "", " U1\n1.5 1\nNETA\nF\n", ""), kBottom);
  Ok("U1");
  EXPECT_EQ(PixelAt(s.Image1, 392, 252), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image1, 577, 200), colors::kBlack);
  EXPECT_EQ(PixelAt(s.Image1, 400, 362), colors::kBlack);
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

TEST_F(CompPinSearchTest, AnEmptyFieldMarksNothingAndWritesTheStoredNet) {
  Open();
  Ok("U1.2");
  Redraw();
  dialog.ClearFields();
  Redraw();
  EXPECT_EQ(s.Label1, "    NETB    $0123456789ABCDEFGHIJKLMN    ABCDEFGHIJ KLMNOPQRS");
  EXPECT_NE(PixelAt(s.Image1, 392, 252), colors::kWhite);
}

TEST_F(CompPinSearchTest, AFieldTypedButNotConfirmedIsSearchedByTheNextRedraw) {
  Open();
  Ok("U1.2");
  dialog.SetFieldText(1, "r7.1");
  Redraw();
  EXPECT_EQ(s.view.TopOriginX, 392 - 700);
  EXPECT_EQ(s.view.TopOriginY, 252 + 150);
  EXPECT_EQ(s.Label1, "r7.1    NETA    $R-FOURTH    ABCDEFGHIJ KLMNOPQRS")
      << "the block is still the one of CompPinNet";
}

TEST_F(CompPinSearchTest, EnterInTheFieldClicksOkOnceAndGoesOn) {
  Open();
  dialog.ShowDialog();
  QWidget* panel = dialog.findChild<QWidget*>(QStringLiteral("Panel1"));
  ASSERT_NE(panel, nullptr);
  struct Counter : QObject {
    int returns = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return) ++returns;
      return false;
    }
  } counter;
  panel->installEventFilter(&counter);

  QLineEdit* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"));
  ASSERT_EQ(edit, dialog.field(1));
  QTest::keyClicks(edit, QStringLiteral("u1.2"));
  handlersRun = 0;
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(handlersRun, 1);
  EXPECT_EQ(s.HighlightMode, hmCompPin);
  EXPECT_EQ(s.Label1.substr(0, 8), "u1.2    ");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(counter.returns, 1) << "the key is passed on";
}

TEST_F(CompPinSearchTest, CancelOnlyHides) {
  Open();
  s.Label1 = "kept";
  dialog.ShowDialog();
  dialog.SetFieldText(1, "U1.1");
  QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_EQ(s.Label1, "kept");
}

TEST_F(CompPinSearchTest, HasTheDesignedControls) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Component Pin"));
  EXPECT_EQ(dialog.fieldCount(), 1);
  EXPECT_EQ(dialog.okButton(), dialog.findChild<QPushButton*>(QStringLiteral("ok")));
  EXPECT_EQ(dialog.cancelButton(), dialog.findChild<QPushButton*>(QStringLiteral("Button2")));
  EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("Cancel"));
  const QLabel* label = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Pin:"));
  EXPECT_EQ(dialog.size(), QSize(281, 257));
}

TEST_F(CompPinSearchTest, WithNoBoardNothingHappens) {
  s.Label1 = "start";
  Ok("U1.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.HighlightMode, hmNone);
  EXPECT_EQ(s.Label1, "start");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(s.view, ViewState{});
  Redraw();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "start");
}

TEST_F(CompPinSearchTest, AMissingCompanionFileStopsTheSearchAfterTheTopSide) {
  OpenFiles(dir.Write("test.brd", kTop), (dir.path() / "missing" / "jet.CON").string());
  errors.clear();  // the bottom passes of the open failed already
  s.Label1 = "kept";
  Ok("U1.1");
  EXPECT_EQ(errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(s.view.TopOriginX, 17) << "the top steps ran";
  EXPECT_EQ(PixelAt(s.Image1, 392, 252), colors::kWhite);
  EXPECT_EQ(s.Label1, "kept");
}

TEST_F(CompPinSearchTest, AFileEndingInsideThePinRecordsIsAnError) {
  Open(kTop.substr(0, kTop.find("4 4 4 4")), kBottom);
  errors.clear();
  Ok("ZZ.1");
  EXPECT_EQ(errors, std::vector<std::string>{"Read beyond end of file."});
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST_F(CompPinSearchTest, NoNetBlocksGiveNoHeaderEvenForAnEmptyStoredNet) {
  // The file ends right after "5 5 5 5": there is no line, empty or not, to
  // be taken for a block heading.
  Open(Board("", "", " U1.1\n1.5 1\nNETA\nF\n", ""), Board("", "", "", ""));
  s.Label1 = "old";
  Ok("X9.9");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "");
  EXPECT_EQ(s.HighlightMode, hmCompPin);
}

TEST_F(CompPinSearchTest, APinBeyondThe32BitRangeIsAnError) {
  Open(Board("", "", " U1.1\n1e12 1\nNETA\nF\n", ""), kBottom);
  const ViewState home = s.view;
  Ok("U1.1");
  EXPECT_EQ(errors, std::vector<std::string>{"Invalid floating point operation."});
  EXPECT_EQ(s.view, home);
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(CompPinSearchTest, RealBoardPinWithALongFourthLine) {
  OpenReal();
  ASSERT_TRUE(errors.empty());
  Ok("l14.2");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(s.Image1Visible) << "L14.2 is on the top side only";
  EXPECT_EQ(s.Label1, "l14.2    +3V3    $SWPA3015S1R5NT(1.5uH    T9 ");
  EXPECT_EQ(SideMapping::Of(s.view, Side::Top).Map(4.1817, 0.6448), (PixelPoint{392, 252}));
  EXPECT_EQ(PixelAt(s.Image1, 392, 252), colors::kWhite);
  Redraw();
  EXPECT_EQ(s.Label1, "l14.2    +3V3    $SWPA3015S1R5NT(1.5uH/2.30A/DCR<0.1R/CD32)    T9 ");
}

TEST_F(CompPinSearchTest, RealBoardNetLongerThanTwentyCharacters) {
  OpenReal();
  Ok("C39.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.compPin.CompPinNet, "/NAND Flash , eMMC, ");
  EXPECT_EQ(s.Label1, "");
}

TEST_F(CompPinSearchTest, RealBoardPinOnlyInTheCompanionFile) {
  OpenReal();
  const QImage top = s.Image1.image().copy();
  Ok("c22.1");
  EXPECT_TRUE(errors.empty());
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_EQ(s.Image1.image(), top);
  EXPECT_EQ(s.Label1, "c22.1    GND    $100nF    T2 ");
  EXPECT_EQ(SideMapping::Of(s.view, Side::Bottom).Map(1.9649, 1.7047), (PixelPoint{392, 252}));
  EXPECT_EQ(PixelAt(s.Image2, 392, 252), colors::kWhite);
}

}  // namespace
}  // namespace vantrel
