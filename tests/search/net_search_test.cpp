#include "search/net_search.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include <string>
#include <vector>

#include "search/error_handler.h"
#include "search/net_dialog.h"
#include "search/session.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

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

Color PixelAt(const ImageCanvas& canvas, std::int64_t x, std::int64_t y) {
  const QRgb p = canvas.image().pixel(static_cast<int>(x), static_cast<int>(y));
  return static_cast<Color>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

class NetSearchTest : public testing::Test {
 protected:
  NetSearchTest() {
    s.net = &dialog;
    s.changed = [this] { ++handlersRun; };
    SetErrorReporter([this](const std::string& text) { errors.push_back(text); });
  }
  ~NetSearchTest() override { SetErrorReporter(nullptr); }

  // As the main window opens a board: home view, the six passes, hmBoard.
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

  void Ok(const std::string& text) {
    dialog.ShowDialog();
    dialog.SetFieldText(1, text);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
  }
  void Redraw() {
    RunHandler(s, [&] { RedrawNet(s); });
  }

  // The disc of a pin: white inside and on its outline.
  void ExpectDisc(const ImageCanvas& image, Side side, double x, double y, const char* what) {
    const PixelPoint c = SideMapping::Of(s.view, side).Map(x, y);
    const std::int64_t h = s.view.MarkRadius;
    ASSERT_TRUE(c.x - h >= 0 && c.x + h < 784 && c.y - h >= 0 && c.y + h < 490) << what;
    EXPECT_EQ(PixelAt(image, c.x, c.y), colors::kWhite) << what;
    EXPECT_EQ(PixelAt(image, c.x - h, c.y), colors::kWhite) << what;
  }
  void ExpectNoDisc(const ImageCanvas& image, Side side, double x, double y, const char* what) {
    const PixelPoint c = SideMapping::Of(s.view, side).Map(x, y);
    EXPECT_NE(PixelAt(image, c.x, c.y), colors::kWhite) << what;
  }

  TempDir dir;
  Session s;
  Tfrm_Net dialog{s};
  int handlersRun = 0;
  std::vector<std::string> errors;
};

TEST_F(NetSearchTest, OkMarksBothSidesAndShowsTheBottomResult) {
  Open();
  const ViewState view = s.view;
  s.Label2 = "second";
  s.Label4 = "third";
  s.Image1Visible = false;
  Ok("neta");

  EXPECT_TRUE(errors.empty());
  // The net line of the bottom file's last matching pin, two blanks, then a
  // blank and the name line (itself starting with a blank) per pin.
  EXPECT_EQ(s.Label1, std::string("NetA") + "  " + " " + " U1.1" + " " + " C5.1");
  EXPECT_EQ(s.Label2, "second");
  EXPECT_EQ(s.Label4, "third");
  EXPECT_EQ(s.HighlightMode, hmNet);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(s.view, view);
  EXPECT_FALSE(s.Image1Visible) << "the side shown does not change";

  ExpectDisc(s.Image1, Side::Top, 1.5, 1, "U1.1 top");
  ExpectDisc(s.Image1, Side::Top, 2.8, 0.6, "R7.1 top");
  ExpectNoDisc(s.Image1, Side::Top, 2, 1, "U1.2 top, another net");
  ExpectNoDisc(s.Image1, Side::Top, 0.5, 0.5, "V1.1 top, a net with a leading blank");
  ExpectDisc(s.Image2, Side::Bottom, 1.5, 1, "U1.1 bottom");
  ExpectDisc(s.Image2, Side::Bottom, 0.6, 1.4, "C5.1 bottom");
  ExpectNoDisc(s.Image2, Side::Bottom, 0.6, 1.2, "C5.2 bottom");
  // The dialog's passes drew the part box filled.
  EXPECT_EQ(PixelAt(s.Image1, 300, 200), colors::kBlack);
  EXPECT_EQ(PixelAt(s.Image1, 182, 200), colors::kOlive);
}

TEST_F(NetSearchTest, ListsEveryMatchingRecordOfASideInFileOrder) {
  Open();
  RunHandler(s, [&] { MarkNet(s, Side::Top, "NETA"); });
  EXPECT_EQ(s.Label1, std::string("neta") + "  " + "  U1.1" + "  R7.1" + "  R7.1");
}

TEST_F(NetSearchTest, TwoBlanksWhenTheBottomFileHasNoPinOfTheNet) {
  Open();
  Ok("toponly");
  EXPECT_EQ(s.Label1, "  ");
  ExpectDisc(s.Image1, Side::Top, 2.4, 1.2, "U1.3 top");
  EXPECT_EQ(s.HighlightMode, hmNet);
}

TEST_F(NetSearchTest, TheTextIsNotTrimmed) {
  Open();
  Ok(" neta");
  ExpectDisc(s.Image1, Side::Top, 0.5, 0.5, "V1.1 top");
  ExpectNoDisc(s.Image1, Side::Top, 1.5, 1, "U1.1 top");
  EXPECT_EQ(s.Label1, "  ");
}

TEST_F(NetSearchTest, RepeatedRedrawsWriteTheSameHeader) {
  Open();
  Ok("NETA");
  const std::string header = s.Label1;
  for (int zoom = 0; zoom < 3; ++zoom) {
    s.view.ZoomStep += 1;  // "+"
    s.view.Scale += 40;
    if (s.view.ZoomStep != 1) s.view.MarkMargin += 2, s.view.MarkRadius += 1;
    CentreOnBoard(s.view);
    s.ClearHeader();  // as the side key does before its redraw
    Redraw();
    EXPECT_EQ(s.Label1, header);
    ExpectDisc(s.Image1, Side::Top, 1.5, 1, "U1.1 top");
    ExpectDisc(s.Image2, Side::Bottom, 1.5, 1, "U1.1 bottom");
  }
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.HighlightMode, hmNet);
  // A redraw draws the part boxes as lines, not filled.
  const SideMapping top = SideMapping::Of(s.view, Side::Top);
  EXPECT_EQ(PixelAt(s.Image1, top.MapX(1.7), top.MapY(1.4) - s.view.MarkMargin), colors::kOlive);
  EXPECT_EQ(PixelAt(s.Image1, top.MapX(1.7), top.MapY(1.2)), colors::kBlack);
}

TEST_F(NetSearchTest, ARedrawSearchesTheTextTheFieldHoldsNow) {
  Open();
  Ok("NETA");
  dialog.SetFieldText(1, "netb");
  Redraw();
  EXPECT_EQ(s.Label1, "NETB    C5.2");
  ExpectDisc(s.Image1, Side::Top, 2, 1, "U1.2 top");
  ExpectNoDisc(s.Image1, Side::Top, 1.5, 1, "U1.1 top");
}

TEST_F(NetSearchTest, AnEmptyTextRedrawsKeepsTheHeaderAndSetsTheMode) {
  Open();
  s.Label1 = "old";
  Ok("");
  EXPECT_EQ(s.Label1, "old");
  EXPECT_EQ(s.HighlightMode, hmNet);
  ExpectNoDisc(s.Image1, Side::Top, 1.5, 1, "U1.1 top");
  EXPECT_EQ(PixelAt(s.Image1, 300, 200), colors::kBlack) << "the dialog's passes ran";
}

TEST_F(NetSearchTest, EnterIsConsumedAndClicksOkOnce) {
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

  QTest::keyClicks(edit, QStringLiteral("netb"));
  handlersRun = 0;
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(handlersRun, 1);
  EXPECT_EQ(s.HighlightMode, hmNet);
  EXPECT_EQ(s.Label1, "NETB    C5.2");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(counter.returns, 0) << "the key goes no further";
  EXPECT_EQ(dialog.FieldText(1), "netb");
}

TEST_F(NetSearchTest, CancelDoesNothingAndTheCloseBoxHides) {
  Open();
  dialog.ShowDialog();
  dialog.SetFieldText(1, "NETA");
  QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(s.HighlightMode, hmBoard);
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_EQ(dialog.FieldText(1), "NETA");
}

TEST_F(NetSearchTest, HasTheDesignedControlsAndPlace) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("frm_Net"));
  EXPECT_EQ(dialog.pos(), QPoint(406, 246));
  EXPECT_EQ(dialog.size(), QSize(273, 251));
  EXPECT_EQ(dialog.fieldCount(), 1);
  EXPECT_EQ(dialog.okButton(), dialog.findChild<QPushButton*>(QStringLiteral("ok")));
  EXPECT_EQ(dialog.cancelButton(), dialog.findChild<QPushButton*>(QStringLiteral("Button2")));
  EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("Cancel"));
  const QLabel* label = dialog.findChild<QLabel*>(QStringLiteral("Label2"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Net:"));
}

TEST_F(NetSearchTest, WithNoBoardNothingHappens) {
  s.Label1 = "start";
  Ok("NETA");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.HighlightMode, hmNone);
  EXPECT_EQ(s.Label1, "start");
  EXPECT_TRUE(dialog.isVisible());
  Redraw();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "start");
}

TEST_F(NetSearchTest, AMissingCompanionFileStopsTheSearch) {
  OpenFiles(dir.Write("test.brd", kTop), (dir.path() / "missing" / "jet.CON").string());
  errors.clear();  // the open failed on the bottom side already
  s.Label1 = "kept";
  Ok("NETA");
  EXPECT_EQ(errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(s.Label1, "kept");
}

TEST_F(NetSearchTest, AFileEndingInsideThePinRecordsIsAnError) {
  Open(kTop, kBottom.substr(0, kBottom.find(" C5.2")));
  errors.clear();
  Ok("NETA");
  EXPECT_EQ(errors, std::vector<std::string>{"Read beyond end of file."});
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_EQ(s.Label1, std::string("neta") + "  " + "  U1.1" + "  R7.1" + "  R7.1")
      << "the top side's step had written its result";
}

TEST_F(NetSearchTest, RealBoardMarksTheNetOnBothSides) {
  OpenFiles(test::SharedBoardFile("teres-main"), (test::SharedBoardDir("teres-main") / "jet.CON").string());
  ASSERT_TRUE(errors.empty());
  Ok("usb0-d_p");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "USB0-D_P    R34.2");
  ExpectDisc(s.Image1, Side::Top, 0.25, 2.3253, "CON4.26 top");
  ExpectDisc(s.Image1, Side::Top, 2.3425, 1.8258, "U1.A22 top");
  ExpectDisc(s.Image2, Side::Bottom, 0.5517, 2.397, "R34.2 bottom");
  Redraw();
  EXPECT_EQ(s.Label1, "USB0-D_P    R34.2");
}

TEST_F(NetSearchTest, RealBoardNetOnlyOnTheTopSide) {
  OpenFiles(test::SharedBoardFile("teres-main"), (test::SharedBoardDir("teres-main") / "jet.CON").string());
  Ok("/nand flash , emmc, t-card and audio/micin2_p");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "  ");
  ExpectDisc(s.Image1, Side::Top, 0.6617, 1.837, "C39.1 top");
  ExpectDisc(s.Image1, Side::Top, 2.2146, 1.8002, "U1.B17 top");
}

}  // namespace
}  // namespace vantrel
