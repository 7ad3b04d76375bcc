// The main window end to end, driven through the batch runner on the real
// windows: open, close, keys, redraw and the error box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <array>
#include <map>
#include <set>

#include "app/batch_runner.h"
#include "board/companion_file.h"
#include "search/status_line.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

// A wide board 8 x 5 (Scale 100 at home) with one part and pins on both sides.
constexpr const char* kTop =
    "top side\n-2 0\n6 0\n6 5\n-2 5\n-2 0\n1 1 1 1\nU1\n0 1.5 0 0.5\n2 2 2 2\n0.5 0.25\n2 2.5\n3 3 3 3\n"
    " U1.1\n0.5 0.25\nGND\nSMD\n U1.2\n2 2.5\nGND\nSMD\n4 4 4 4\n5 5 5 5\n";
constexpr const char* kBottom =
    "bottom side\n-2 0\n6 0\n6 5\n-2 5\n-2 0\n1 1 1 1\nC1\n4 4.5 2 4\n2 2 2 2\n4.25 2.5\n3 3 3 3\n"
    "4 4 4 4\n5 5 5 5\n";

class MainWindow : public testing::Test {
 protected:
  void SetUp() override {
    board = dir.Write("demo.brd", kTop);
    dir.Write("jet.CON", kBottom);
  }
  void Run(const std::string& script) { runner.Run(script); }
  const Session& s() const { return app.session; }
  QColor TopPixel(int x, int y) const { return s().pictures.sides.top.image().pixelColor(x, y); }
  QColor BottomPixel(int x, int y) const { return s().pictures.sides.bottom.image().pixelColor(x, y); }

  TempDir dir;
  std::string board;
  Application app{1.0};
  BatchRunner runner{app};
};

const QColor kPin(0x99, 0xb4, 0xd1);

TEST_F(MainWindow, StartsWithTheSplashAndSearchesDisabled) {
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmNone);
  EXPECT_FALSE(app.main->boardShown());
  EXPECT_FALSE(app.main->menuAction("open/short")->isEnabled());
  EXPECT_FALSE(app.main->menuAction("nets")->isEnabled());
  EXPECT_TRUE(app.main->menuAction("about")->isEnabled());
  EXPECT_EQ(app.main->windowTitle(), "Vantrel");
}

TEST_F(MainWindow, OpenDrawsBothSidesAndCloseReturnsToTheSplash) {
  Run("open " + board);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
  EXPECT_TRUE(app.main->boardShown());
  EXPECT_TRUE(s().TopShown());
  EXPECT_TRUE(app.main->menuAction("device")->isEnabled());
  EXPECT_EQ(s().view.Scale, 100);
  EXPECT_EQ(TopPixel(390, 280), kPin);                   // left edge of the pin at (2, 2.5)
  EXPECT_EQ(TopPixel(300, 476), QColor(0x80, 0x80, 0));  // part box, upper edge
  EXPECT_EQ(TopPixel(300, 30), QColor(Qt::red));         // outline, upper edge
  EXPECT_EQ(BottomPixel(615, 280), kPin);                // (4.25, 2.5) bottom, left edge

  Run("key +\nclose");
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmNone);
  EXPECT_FALSE(app.main->boardShown());
  EXPECT_FALSE(app.main->menuAction("comppin")->isEnabled());
  EXPECT_EQ(s().view.Scale, 100);  // back home
  EXPECT_EQ(s().view.ZoomStep, 0);

  // Keys still move the view but redraw nothing; the reset key draws the
  // last board again.
  Run("key 4");
  EXPECT_EQ(s().view.TopOriginX, 272);
  Run("key /");
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
  Run("open " + board);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(MainWindow, CancelledOpenChangesNothing) {
  Run("open " + board + "\nkey +");
  const ViewState before = s().view;
  Run("open");
  EXPECT_EQ(s().view, before);
  EXPECT_EQ(s().document.BoardFile, board);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
}

TEST_F(MainWindow, PanStepFollowsTheZoomStep) {
  Run("open " + board + "\nkey 4");
  EXPECT_EQ(s().view.TopOriginX, 272);
  EXPECT_EQ(s().view.BottomOriginX, 272);
  Run("key %'");
  EXPECT_EQ(s().view.TopOriginX, 272);
  Run("key 2");
  EXPECT_EQ(s().view.TopOriginY, 450);
  EXPECT_EQ(s().view.BottomOriginY, -50);
  Run("key (&&");
  EXPECT_EQ(s().view.TopOriginY, 530);
  // ZoomStep -1: the pan keys move nothing; -2: they move the other way.
  Run("key -4");
  EXPECT_EQ(s().view.ZoomStep, -1);
  const std::int32_t x = s().view.TopOriginX;
  Run("key 4");
  EXPECT_EQ(s().view.TopOriginX, x);
  app.session.view.ZoomStep = -2;
  Run("key 4");
  EXPECT_EQ(s().view.TopOriginX, x - 80);
}

TEST_F(MainWindow, ZoomKeysKeepTheirLimitsAndMarkerSteps) {
  Run("open " + board + "\nkey ++");
  const ViewState& v = s().view;
  EXPECT_EQ(v.ZoomStep, 2);
  EXPECT_EQ(v.Scale, 180);
  EXPECT_EQ(v.MarkMargin, v.home.MarkMargin + 2);
  EXPECT_EQ(v.MarkRadius, v.home.MarkRadius + 1);
  EXPECT_EQ(v.TopOriginY, 5 * 180 / 2 + 245);  // recentred at 245
  Run("key /-+");
  EXPECT_EQ(v.Scale, 100);
  EXPECT_EQ(v.ZoomStep, 0);
  EXPECT_EQ(v.MarkMargin, v.home.MarkMargin + 2);
  EXPECT_EQ(v.MarkRadius, v.home.MarkRadius + 1);
  Run("key /" + std::string(30, '+'));
  EXPECT_EQ(v.Scale, 1020);  // 980 + 40, then no further
  Run("key /" + std::string(30, '-'));
  EXPECT_EQ(v.Scale, 60);  // 100 -> 60, then 60 <= 80 stops
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(MainWindow, SideKeyTurnsTheBoardAndEmptiesTheHeader) {
  Run("open " + board);
  app.session.pictures.header[0] = "something";
  Run("key 0");
  EXPECT_FALSE(s().TopShown());
  EXPECT_TRUE(app.main->bottomView()->isVisible());
  EXPECT_FALSE(app.main->topView()->isVisible());
  EXPECT_EQ(s().pictures.header[0], "");
  Run("key  ");
  EXPECT_TRUE(s().TopShown());
}

// Before any board the side key turns the board over unseen: the splash
// keeps its background.
TEST_F(MainWindow, SideKeyBeforeAnyBoardShowsNoPicture) {
  app.main->show();
  for (const char* key : {"0", " ", "0"}) {
    Run(std::string("key ") + key);
    EXPECT_FALSE(app.main->topView()->isVisible()) << "after " << key;
    EXPECT_FALSE(app.main->bottomView()->isVisible()) << "after " << key;
  }
  Run("open " + board);
  EXPECT_TRUE(app.main->topView()->isVisible());
}

// Every other window belongs to the main window: one task bar entry for all.
TEST_F(MainWindow, OtherWindowsAreOwnedByTheMainWindow) {
  app.main->show();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == app.main.get() || window->windowType() == Qt::Popup) continue;
    window->show();
    EXPECT_EQ(window->parentWidget(), app.main.get()) << window->objectName().toStdString();
    EXPECT_TRUE(window->windowType() == Qt::Dialog || window->windowType() == Qt::Tool)
        << window->objectName().toStdString();
    EXPECT_EQ(window->windowHandle()->transientParent(), app.main->windowHandle())
        << window->objectName().toStdString();
  }
  EXPECT_TRUE(app.overview->windowFlags() & Qt::FramelessWindowHint);
}

// Once Tab has moved to a button of any window, Enter presses it, as Space does.
TEST_F(MainWindow, EnterPressesTheFocusedButtonOfEveryWindow) {
  int buttons = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == app.main.get()) continue;  // it holds the others
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      ++buttons;
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        window->show();
        QSignalSpy clicks(button, &QPushButton::clicked);
        QTest::keyClick(button, key);
        EXPECT_EQ(clicks.count(), 1) << window->objectName().toStdString() << "."
                                     << button->objectName().toStdString() << " key " << key;
      }
    }
  }
  EXPECT_GE(buttons, 11);  // OK and Cancel of the four dialogs, the others' OK
}

TEST_F(MainWindow, ResetKeyIgnoresAViewButKeepsTheSide) {
  Run("open " + board + "\nkey +4\nkey 0\nkey /");
  EXPECT_EQ(s().view.Scale, 100);
  EXPECT_EQ(s().view.TopOriginX, 192);
  EXPECT_FALSE(s().TopShown());
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
}

TEST_F(MainWindow, ResetKeyBeforeAnyBoardReadsNothing) {
  Run("key /+-40");
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmNone);
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(MainWindow, MissingCompanionShowsFileNotFoundWithTheTopSideDrawn) {
  TempDir lonely;
  const std::string only = lonely.Write("only.brd", kTop);
  Run("open " + only);
  ASSERT_EQ(runner.errors(), std::vector<std::string>{"File not found."});
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmNone);  // the open stopped before setting it
  EXPECT_TRUE(app.main->boardShown());
  EXPECT_EQ(TopPixel(300, 30), QColor(Qt::red));  // the top outline was drawn first
  Run("key +");                                   // HighlightMode::hmNone: redraws nothing, reports nothing
  EXPECT_EQ(runner.errors().size(), 1u);
}

TEST_F(MainWindow, CompanionFileAnySpellingInTheBoardsFolder) {
  TempDir other;
  const std::string b = other.Write("x.brd", kTop);
  other.Write("JET.con", kBottom);
  EXPECT_EQ(CompanionFile(b), (other.path() / "JET.con").string());
  Run("open " + b);
  EXPECT_TRUE(runner.errors().empty());
  other.Write("jet.con", kBottom);  // two candidates, none exact: none is taken
  EXPECT_EQ(CompanionFile(b), (other.path() / "jet.CON").string());
}

TEST_F(MainWindow, ErrorsKeepThePreviousModeAndTheProgramGoesOn) {
  Run("open " + board);
  const std::string bad = dir.Write("bad/b.brd", "h\n0 0\n8,5 5\n1 1 1 1\n");
  Run("open " + bad);
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"Invalid numeric input."});
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
  // The mode kept its value, so the next key redraws the new (bad) board file.
  Run("key +");
  EXPECT_EQ(runner.errors().size(), 2u);
}

TEST_F(MainWindow, RealBoardOpensAndZooms) {
  Run("open " + test::SharedBoardFile("teres-main") + "\nkey ++6\nkey 0\nkey -");
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_EQ(s().view.ZoomStep, 1);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
}

TEST_F(MainWindow, DumpWritesPicturesAndState) {
  Run("open " + board + "\ndump " + (dir.path() / "out").string());
  QImage top((dir.path() / "out" / "top.png").string().c_str());
  EXPECT_EQ(top.size(), QSize(784, 490));
  EXPECT_EQ(QImage((dir.path() / "out" / "header.png").string().c_str()).size(), QSize(784, 50));
  const QJsonDocument state = test::ReadState(dir.path() / "out");
  EXPECT_EQ(state["HighlightMode"], 1);
  EXPECT_EQ(state["view"]["Scale"], 100);
  EXPECT_EQ(state["topShown"], true);
  EXPECT_EQ(state["errors"], QJsonArray());
}

TEST(BatchScript, MalformedCommandsNameTheirLine) {
  Application app(1.0);
  BatchRunner runner(app);
  try {
    runner.Run("# comment\n\nkey 4\nfrobnicate now\n");
    FAIL();
  } catch (const BatchError& e) {
    EXPECT_EQ(e.line(), 4);
  }
  EXPECT_THROW(runner.RunLine("press 1"), BatchError);
  EXPECT_THROW(runner.RunLine("press a b"), BatchError);
  EXPECT_THROW(runner.RunLine("menu nothing"), BatchError);
  EXPECT_THROW(runner.RunLine("field nail 4 x"), BatchError);
  EXPECT_THROW(runner.RunLine("keys"), BatchError);
  const ViewState before = app.session.view;
  EXPECT_THROW(runner.RunLine("keys Left Nope"), BatchError);
  EXPECT_EQ(app.session.view, before) << "the line with an unknown key pressed none";
  runner.Run("exit\nkey 4\nfrobnicate");
  EXPECT_TRUE(runner.exited());
}

TEST(BatchScript, StateTextsMapBytesToCharacters) {
  Application app(1.0);
  BatchRunner runner(app);
  runner.RunLine("field net 1 a\"\\\xe9");
  const QJsonDocument reread = QJsonDocument::fromJson(QJsonDocument(runner.State()).toJson());
  EXPECT_EQ(reread["dialogs"]["net"]["fields"][0], QString::fromLatin1("a\"\\\xe9"));
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Press, release, double click, release as the toolkit delivers them: the
// zoom runs once, each press runs the inquiry on the view of its moment.
TEST_F(MainWindow, DoubleClickZoomsOnceAboutThePointer) {
  Run("open " + board + "\nmove 392 280\ndblclick 392 280");
  EXPECT_TRUE(runner.errors().empty());
  EXPECT_EQ(s().view.ZoomStep, 1);
  EXPECT_EQ(s().view.Scale, 190);
  // (392 - 192) * 190 / 100 = 380 -> origin x 12; (280 - 530) * 190 / 100 = -475 -> origin y 720.
  EXPECT_EQ(s().view.TopOriginX, 12);
  EXPECT_EQ(s().view.TopOriginY, 720);
  EXPECT_EQ(s().view.BottomOriginX, 192);  // the other side keeps its origin
  // The first press hit the pin at (2, 2.5) before the zoom; the second press,
  // on the zoomed view, hits nothing there and changes nothing.
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmPoint);
  EXPECT_EQ(s().highlight.memory.point.PointPin.top, " U1.2");
  EXPECT_EQ(s().pictures.header[0], " U1.2  GND  $SMD   U1.1 ");
}

// The wheel zooms as "+" and "-" do, about the pointer: the pin under it
// stays under it, on both sides; half notches add up.
TEST_F(MainWindow, WheelZoomsAboutThePointer) {
  Run("open " + board);
  const QImage home = s().pictures.sides.top.image().copy();
  Run("wheel 392 280 1");
  const ViewState& v = s().view;
  // 392 - (392 - 192) * 1.4 = 112; 280 - (280 - 530) * 1.4 = 630; 280 - (280 - 30) * 1.4 = -70.
  EXPECT_EQ((std::array{v.Scale, v.ZoomStep, v.TopOriginX, v.TopOriginY, v.BottomOriginX, v.BottomOriginY}),
            (std::array{140, 1, 112, 630, 112, -70}));
  EXPECT_NE(s().pictures.sides.top.image(), home) << "redrawn";
  EXPECT_EQ(TopPixel(392 - v.MarkRadius, 280), kPin) << "the left edge of U1.2, still under the pointer";
  Run("wheel 392 280 -1");
  EXPECT_EQ((std::array{v.Scale, v.TopOriginX, v.TopOriginY}), (std::array{100, 192, 530}));
  ImageView* top = app.main->topView();
  for (int half = 0; half < 2; ++half) {
    QWheelEvent wheel(QPointF(392, 280), top->mapToGlobal(QPointF(392, 280)), {}, {0, ImageView::kNotch / 2},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(top, &wheel);
    EXPECT_EQ(v.Scale, half == 0 ? 100 : 140);
  }
  EXPECT_TRUE(runner.errors().empty());
}

// A drag moves both sides by the pointer's motion, whichever side is shown;
// its press still asks what is under it, and a press without motion only asks.
TEST_F(MainWindow, DragMovesBothSidesAndAClickOnlyAsks) {
  Run("open " + board + "\npress 392 280");
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmPoint);
  EXPECT_EQ(s().view.TopOriginX, 192);
  Run("drag 392 280 442 300");
  EXPECT_EQ(
      (std::array{s().view.TopOriginX, s().view.TopOriginY, s().view.BottomOriginX, s().view.BottomOriginY}),
      (std::array{242, 550, 242, 50}));
  EXPECT_EQ(TopPixel(442, 300), QColor(Qt::white)) << "U1.2's disc, redrawn where it went";
  Run("key 0\ndrag 100 100 90 80");
  EXPECT_EQ(
      (std::array{s().view.TopOriginX, s().view.TopOriginY, s().view.BottomOriginX, s().view.BottomOriginY}),
      (std::array{232, 530, 232, 30}));
  EXPECT_TRUE(runner.errors().empty());
}

// However many moves a drag makes between two frames, the board is drawn once.
TEST_F(MainWindow, DragRedrawsOncePerFrame) {
  Run("open " + board);
  const auto scans = [] { return BoardScanTotals().scans; };
  std::uint64_t before = scans();
  app.main->Redraw();
  const std::uint64_t perRedraw = scans() - before;
  ImageView* top = app.main->topView();
  const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(x, 100), top->mapToGlobal(QPointF(x, 100)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(top, &event);
  };
  send(QEvent::MouseButtonPress, 100, Qt::LeftButton);  // asks, and hits no pin
  before = scans();
  for (int x = 101; x < 160; ++x) send(QEvent::MouseMove, x, Qt::LeftButton);
  EXPECT_EQ(scans() - before, 0u) << "no redraw while the events come";
  send(QEvent::MouseButtonRelease, 160, Qt::NoButton);
  EXPECT_EQ(scans() - before, perRedraw);
  EXPECT_EQ(s().view.TopOriginX, 192 + 59) << "to the last move";
}

TEST_F(MainWindow, HoverNamesThePinUnderThePointer) {
  Run("open " + board + "\nhover 392 280");
  EXPECT_EQ(runner.State()["tooltip"], "Pin U1.2\nNet GND\nSMD\nPart U1");
  Run("hover 300 100");
  EXPECT_TRUE(runner.State()["tooltip"].isNull());
  Run("hover 392 280\nmove 393 280");
  EXPECT_TRUE(runner.State()["tooltip"].isNull()) << "gone once the pointer moves";
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
}

// The title and the status line follow the board and the side; the keys
// window lists the keys and gestures that the program answers to.
// What the title and the status line say is the findings tests' matter
// (tests/search/findings_test.cpp); the window shows it after every handler.
TEST_F(MainWindow, TitleAndStatusShowTheSessionAfterEveryHandler) {
  for (const std::string& actions :
       {"open " + board, std::string("key +0"), std::string("menu nets\nfield net 1 gnd\nok net"),
        std::string("close")}) {
    Run(actions);
    EXPECT_EQ(app.main->windowTitle(), QString::fromLocal8Bit(WindowTitle(s()))) << actions;
    EXPECT_EQ(app.main->statusText(), QString::fromLatin1(StatusLine(s()))) << actions;
  }
  EXPECT_EQ(app.main->statusText(), "");
}

TEST_F(MainWindow, TheKeysWindowListsEveryKeyAndGesture) {
  Run("menu keys");
  ASSERT_TRUE(app.keys->isVisible());
  QString table;
  for (int r = 0; r < app.keys->table()->rowCount(); ++r) {
    for (int c = 0; c < 3; ++c) table += app.keys->table()->item(r, c)->text() + "|";
  }
  for (const char* entry : {"|+, = or Page Up|", "|- or Page Down|", "|/ or Home|", "|0 or Space|",
                            "|4 / 6 / 8 / 2 or \xe2\x86\x90 / \xe2\x86\x92 / \xe2\x86\x91 / \xe2\x86\x93|",
                            "|O|", "|C|", "|D|", "|N|", "|V|", "|F11|", "|Escape|", "Wheel", "Drag",
                            "Rest the pointer", "Double click", "Click (right)"}) {
    EXPECT_TRUE(table.contains(QString::fromUtf8(entry))) << entry;
  }
}

TEST_F(MainWindow, OtherButtonsReturnHome) {
  Run("open " + board + "\nkey ++4\npress 10 10 right");
  EXPECT_EQ(s().view.Scale, 100);
  EXPECT_EQ(s().view.TopOriginX, 192);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmBoard);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// The window takes any size: the factor follows the smaller of its width over
// 800 and its height over 600, never below one half; the pictures are drawn
// at that factor; what the content does not cover shows the background.
TEST_F(MainWindow, ResizingSetsTheFactorAndTheBackgroundFillsTheRest) {
  struct Size {
    int w, h;
    double factor;
  };
  for (const Size size : {Size{1920, 1080, 1.8}, Size{640, 480, 0.8}, Size{200, 150, 0.5},
                          Size{1600, 1000, 1000 / 600.0}, Size{800, 600, 1.0}}) {
    SCOPED_TRACE(testing::Message() << size.w << " x " << size.h);
    const std::string out = (dir.path() / ("out" + std::to_string(size.w))).string();
    Run("open " + board + "\nresize " + std::to_string(size.w) + " " + std::to_string(size.h) + "\ndump " +
        out);
    const QJsonDocument state = test::ReadState(out);
    EXPECT_EQ(state["factor"].toDouble(), size.factor);
    EXPECT_EQ(state["window"], (QJsonArray{size.w, size.h}));
    EXPECT_TRUE(state["errors"].toArray().isEmpty());
    const QImage screen((out + "/screen.png").c_str());
    EXPECT_EQ(screen.size(), QSize(size.w, size.h));
    EXPECT_EQ(QImage((out + "/top.png").c_str()).width(), static_cast<int>(784 * size.factor));
    // Left of the content, above the status line: the window's background.
    EXPECT_EQ(screen.pixelColor(1, app.main->statusBar()->y() - 2), QColor(0x00, 0x80, 0x80));
    // The header's lines end with its picture, however the factor rounds.
    const auto right = [&](const char* name) {
      return app.main->findChild<QWidget*>(QString::fromLatin1(name))->geometry().right();
    };
    EXPECT_EQ(right("Label2"), right("Image3"));
    EXPECT_EQ(right("Label4"), right("Image3"));
    // The splash line is as wide as its text in the face used.
    const auto* splash = app.main->findChild<QLabel*>(QStringLiteral("Label6"));
    EXPECT_GE(splash->width(), splash->sizeHint().width());
  }
  // Back at 800 x 600 the pictures are those of the design again.
  EXPECT_EQ(TopPixel(390, 280), kPin);
}

// `keys` presses keys by the toolkit's names, or as a key sequence spells
// them, one after the other.
TEST_F(MainWindow, KeysCommandPressesKeysByName) {
  struct Case {
    const char* names;
    const char* designKeys;
  };
  const Case cases[] = {{"Left", "4"},
                        {"Right", "6"},
                        {"Up", "8"},
                        {"Down", "2"},
                        {"Home", "/"},
                        {"Equal", "+"},
                        {"PageUp", "+"},
                        {"PageDown", "-"},
                        {"PgUp", "+"},
                        {"Left Left", "44"},
                        {"0", "0"},
                        {"Space", " "},
                        {"Plus Minus Minus", "+--"}};
  Run("open " + board);
  const auto start = [&] { Run(std::string(s().TopShown() ? "" : "key 0\n") + "key /++64"); };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.names);
    start();
    Run(std::string("key ") + c.designKeys);
    const ViewState expected = s().view;
    const bool topShown = s().TopShown();
    start();
    Run(std::string("keys ") + c.names);
    EXPECT_EQ(s().view, expected);
    EXPECT_EQ(s().TopShown(), topShown);
  }
  EXPECT_TRUE(runner.errors().empty());
}

// The keys go where the keyboard's keys go: the dialog or window that has the
// focus, the open list of names, else the main window; state.json names the
// control that has the focus, and tells whether the window is full screen.
TEST_F(MainWindow, KeysGoWhereTheFocusIsAndTheStateNamesIt) {
  Run("open " + board + "\nmenu nets");
  EXPECT_EQ(runner.State()["focus"], "Edit1");
  Run("type net 1 G");
  ASSERT_TRUE(app.dialog(SearchKind::Net).completer(1)->popupVisible());
  Run("keys Escape");
  EXPECT_FALSE(app.dialog(SearchKind::Net).completer(1)->popupVisible());
  EXPECT_TRUE(app.dialog(SearchKind::Net).isVisible()) << "the first Escape closes only the list";
  Run("keys Escape");
  EXPECT_FALSE(app.dialog(SearchKind::Net).isVisible());
  EXPECT_EQ(app.dialog(SearchKind::Net).FieldText(1), "G");
  struct Window {
    const char* menu;
    QWidget* window;
    const char* focus;
  };
  for (const Window& w :
       {Window{"content", app.content.get(), "Button1"}, Window{"about", app.about.get(), "Button1"},
        Window{"keys", app.keys.get(), "ok"}}) {
    SCOPED_TRACE(w.menu);
    Run(std::string("menu ") + w.menu);
    ASSERT_TRUE(w.window->isVisible());
    EXPECT_EQ(runner.State()["focus"], w.focus);
    Run("keys Escape");
    EXPECT_FALSE(w.window->isVisible());
  }
  Run("keys Left");
  EXPECT_EQ(s().view.TopOriginX, 272) << "the main window's key";
  EXPECT_EQ(runner.State()["fullScreen"], false);
  Run("keys F11");
  EXPECT_EQ(runner.State()["fullScreen"], true);
  Run("keys F11");
  EXPECT_EQ(runner.State()["fullScreen"], false);
  EXPECT_TRUE(runner.errors().empty());
}

// The header's first line is as long as its text, and never longer than the
// black strip it stands on: a long one is cut at the strip's right edge, where
// the window shows its background again, at every size.
TEST_F(MainWindow, HeaderLinesStayInsideTheStripAtEveryFactor) {
  Run("open " + board);
  const auto* first = app.main->findChild<QLabel*>(QStringLiteral("Label1"));
  const QWidget* strip = app.main->findChild<QWidget*>(QStringLiteral("Image3"));
  const std::string longLine = " U1.2  GND  $SMD " + std::string(300, 'W');
  for (const auto& [w, h] : {std::pair{800, 600}, {1920, 1080}, {1432, 1074}, {640, 480}, {2560, 1440}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    const std::string out = (dir.path() / ("out" + std::to_string(w))).string();
    Run("resize " + std::to_string(w) + " " + std::to_string(h));
    app.session.pictures.header = {longLine, longLine, longLine};
    app.main->SyncWithSession();
    for (const char* name : {"Label1", "Label2", "Label4"}) {
      const QWidget* line = app.main->findChild<QWidget*>(QString::fromLatin1(name));
      EXPECT_LE(line->geometry().right(), strip->geometry().right()) << name;
      EXPECT_LE(line->geometry().bottom(), strip->geometry().bottom()) << name;
    }
    Run("dump " + out);
    const QImage screen((out + "/screen.png").c_str());
    const QPoint beside = strip->mapTo(app.main.get(), QPoint(strip->width() + 1, first->height() / 2));
    EXPECT_EQ(screen.pixelColor(beside), QColor(0x00, 0x80, 0x80)) << "the background, right of the strip";

    app.session.pictures.header[0] = " U1.2  GND ";
    app.main->SyncWithSession();
    EXPECT_EQ(first->width(), first->sizeHint().width()) << "a line that fits is as long as its text";
  }
}

// F11 is the window's own key, whatever key the platform's theme gives to
// full screen; back from full screen, a maximised window is maximised again.
TEST_F(MainWindow, F11TogglesFullScreen) {
  app.main->showMaximized();
  QTest::keyClick(app.main.get(), Qt::Key_F11);
  EXPECT_TRUE(app.main->isFullScreen());
  QTest::keyClick(app.main.get(), Qt::Key_F11);
  EXPECT_FALSE(app.main->isFullScreen());
  EXPECT_TRUE(app.main->isMaximized());
  QTest::keyClick(app.main.get(), Qt::Key_F11, Qt::ControlModifier);
  EXPECT_FALSE(app.main->isFullScreen()) << "with Ctrl held it is no command";
}

// The keys a desktop user tries first do what the design's keys do, from a
// view zoomed in and moved, so that every one of them changes it.
TEST_F(MainWindow, DesktopKeysActAsTheDesignKeys) {
  struct Alias {
    Qt::Key key;
    const char* designKey;
  };
  const Alias aliases[] = {{Qt::Key_Left, "4"},   {Qt::Key_Right, "6"},   {Qt::Key_Up, "8"},
                           {Qt::Key_Down, "2"},   {Qt::Key_Home, "/"},    {Qt::Key_Equal, "+"},
                           {Qt::Key_PageUp, "+"}, {Qt::Key_PageDown, "-"}};
  Run("open " + board);
  for (const Alias& alias : aliases) {
    SCOPED_TRACE(alias.designKey);
    Run("key /++64");
    const ViewState start = s().view;
    Run(std::string("key ") + alias.designKey);
    const ViewState expected = s().view;
    EXPECT_NE(expected, start);
    Run("key /++64");
    QTest::keyClick(app.main.get(), alias.key);
    EXPECT_EQ(s().view, expected);
    Run("key /++64");
    QTest::keyClick(app.main.get(), alias.key, Qt::ControlModifier);
    EXPECT_EQ(s().view, start) << "with Ctrl held it is no command";
  }
  EXPECT_TRUE(runner.errors().empty());
}

// At a factor that is no whole number the pictures still hold only the
// colours of their figures: nothing is smeared between them.
TEST_F(MainWindow, RealBoardPicturesAtAnyFactorHoldOnlyTheirOwnColours) {
  Run("open " + test::SharedBoardFile("teres-main") + "\nresize 1432 1074\ndump " +
      (dir.path() / "out").string());
  const QImage top((dir.path() / "out" / "top.png").string().c_str());
  const QImage screen((dir.path() / "out" / "screen.png").string().c_str());
  ASSERT_EQ(top.size(), QSize(1403, 877));  // 784 and 490 times 1.79
  const std::set<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0x80, 0x80, 0),
                                  qRgb(0x99, 0xb4, 0xd1)};
  std::map<QRgb, int> seen;
  for (int y = 0; y < top.height(); ++y) {
    for (int x = 0; x < top.width(); ++x) ++seen[top.pixel(x, y) | 0xff000000];
  }
  for (const auto& [colour, count] : seen) EXPECT_TRUE(palette.count(colour)) << std::hex << colour;
  EXPECT_GT(seen[qRgb(255, 0, 0)], 1000);      // the outline
  EXPECT_GT(seen[qRgb(0x80, 0x80, 0)], 1000);  // the part boxes
  // On the screen, where the top picture stands, the same colours.
  const QWidget* view = app.main->topView();
  const QRect shown(view->mapTo(app.main.get(), QPoint(0, 0)), view->size());
  for (int y = shown.top(); y <= shown.bottom(); y += 3) {
    for (int x = shown.left(); x <= shown.right(); x += 3) {
      ASSERT_TRUE(palette.count(screen.pixel(x, y) | 0xff000000)) << x << ", " << y;
    }
  }
}

}  // namespace
}  // namespace vantrel
