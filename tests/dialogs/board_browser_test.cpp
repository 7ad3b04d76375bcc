// The board browser in the real window: activating a row does what typing
// the name into its search dialog does, the keys and the focus, the panel's
// copy, and a browser that follows the board opened. What the find and the
// panel say is tested without windows in tests/search.
#include "dialogs/board_browser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <string>
#include <vector>

#include "app/batch_runner.h"
#include "dialogs/uniform_table_view.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

const std::string kBoard = test::SharedBoardFile("teres-main");

class Browser : public testing::Test {
 protected:
  void Run(const std::string& script) { runner.Run(script); }
  BrowserDock& dock() const { return *app.main->browser(); }
  const Session& s() const { return app.session; }
  std::vector<QImage> Pictures() const {
    return {s().pictures.sides.top.image().copy(), s().pictures.sides.bottom.image().copy()};
  }

  Application app{1.0};
  BatchRunner runner{app};
};

struct Activation {
  const char* name;
  const char* activate;  // the browser's command
  const char* typed;     // the same typed into its dialog
};

const Activation kActivations[] = {
    {"Part", "activate part U1", "menu device\nfield device 1 U1\nok device"},
    {"Net", "activate net GND", "menu nets\nfield net 1 GND\nok net"},
    {"Pin", "activate pin U1.AB18", "menu comppin\nfield comp 1 U1.AB18\nok comp"},
    {"Nail", "activate nail T2", "menu open/short\nfield nail 1 T2\nok nail"},
};

class Activated : public Browser, public testing::WithParamInterface<Activation> {};

// The view goes to the result; seen from that view, the pictures, the
// header, the mode, the dialogs' fields and the info are those of the search
// typed, every redraw repeating it.
TEST_P(Activated, RealBoardActivatingARowIsTheSearchTypedIntoItsDialog) {
  Run("open " + kBoard + "\nbrowser on\n" + GetParam().activate);
  Application typedApp{1.0};
  BatchRunner typed{typedApp};
  typed.Run("open " + kBoard + "\nbrowser on\n" + GetParam().typed);
  EXPECT_NE(runner.State()["view"], typed.State()["view"]) << "the view went to the result";
  typedApp.session.view = s().view;
  for (TFrm_Main* main : {app.main.get(), typedApp.main.get()}) {
    main->Redraw();
    main->SyncWithSession();
  }
  const QJsonObject a = runner.State();
  const QJsonObject b = typed.State();
  for (const char* key : {"HighlightMode", "header", "dialogs", "status", "info"})
    EXPECT_EQ(a[key], b[key]) << key;
  EXPECT_NE(a["info"].toObject()["kind"], "none");
  EXPECT_EQ(Pictures(), (std::vector{typedApp.session.pictures.sides.top.image().copy(),
                                     typedApp.session.pictures.sides.bottom.image().copy()}));
  EXPECT_EQ(runner.errors(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EveryKind, Activated, testing::ValuesIn(kActivations), test::ByName());

TEST_F(Browser, RealBoardKeysFocusAndTheBoxsEnter) {
  Run("open " + kBoard);
  QTest::keyClick(app.main.get(), Qt::Key_B);
  EXPECT_TRUE(dock().isVisible());
  EXPECT_TRUE(app.main->menuAction("browser")->isChecked());
  QTest::keyClick(app.main.get(), Qt::Key_B);
  EXPECT_FALSE(dock().isVisible());

  app.main->activateWindow();
  QTest::keyClick(app.main.get(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(dock().isVisible());
  EXPECT_EQ(QApplication::focusWidget(), dock().findBox());
  QTest::keyClicks(dock().findBox(), "gnda");
  EXPECT_EQ(dock().text(), "") << "found only once typing pauses";
  QTest::qWait(NameCompleter::kPauseMilliseconds + 100);
  ASSERT_FALSE(dock().list().rows.empty());
  EXPECT_EQ(dock().list().rows[0].name, "GNDA");
  QTest::keyClick(dock().findBox(), Qt::Key_Return);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmNet);
  EXPECT_EQ(app.dialog(SearchKind::Net).FieldText(1), "GNDA");
  EXPECT_EQ(dock().info().info().name, "GNDA");

  // Ctrl+C in the panel copies it; a double click on one of its pins shows that pin.
  dock().infoView()->setFocus();
  QTest::keyClick(dock().infoView(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), dock().info().Text());
  EXPECT_TRUE(dock().info().Text().starts_with("Net\tGNDA\nTop side\t"));
  const std::string pin = dock().info().Line(2).name;
  dock().ActivateInfoLine(2);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmCompPin);
  EXPECT_EQ(dock().info().info().name, pin);
  EXPECT_EQ(dock().info().info().net, "GNDA");
}

// The panel keeps nothing per row; its keys, scrolling and clicks still reach
// every row of a long net.
TEST_F(Browser, RealBoardThePanelsKeysAndClicksReachEveryRow) {
  Run("resize 1200 900\nopen " + kBoard + "\nbrowser on\nactivate net GND");
  UniformTableView& view = *dock().infoView();
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_End);
  const QModelIndex last = view.currentIndex();
  ASSERT_GT(dock().info().size(), 100u);
  ASSERT_EQ(static_cast<std::size_t>(last.row()) + 1, dock().info().size());
  EXPECT_TRUE(view.viewport()->rect().contains(view.visualRect(last))) << "scrolled to the last row";
  EXPECT_EQ(view.indexAt(view.visualRect(last).center()).row(), last.row());
  const std::string pin = dock().info().Line(static_cast<std::size_t>(last.row())).name;
  QTest::keyClick(&view, Qt::Key_Return);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmCompPin);
  EXPECT_EQ(dock().info().info().name, pin);

  // The pin's third line is its net: a double click on it shows the net.
  const QModelIndex net = view.model()->index(2, 1);
  const QPoint at = view.visualRect(net).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(s().highlight.mode, HighlightMode::hmNet);
  EXPECT_EQ(dock().info().info().name, "GND");
}

TEST_F(Browser, RealBoardFollowsTheBoardOpenedAndClosed) {
  Run("browser on\nfind u1");
  EXPECT_TRUE(dock().list().rows.empty());
  Run("open " + kBoard);
  EXPECT_EQ(dock().list().rows.front().name, "U1") << "the box's text found on the board opened";
  const std::int64_t mainParts = dock().totals()->parts.value;
  Run("open " + test::SharedBoardFile("teres-kbd") + "\nfind");
  EXPECT_NE(dock().totals()->parts.value, mainParts);
  dock().kindTabs()->setCurrentIndex(3);  // nails only
  for (const BrowserRow& row : dock().list().rows) EXPECT_EQ(row.kind, ItemKind::Nail);
  Run("close");
  EXPECT_TRUE(dock().list().rows.empty());
}

// The pictures' factor follows the room the docked browser leaves; hidden
// again, the pictures are what they were.
TEST_F(Browser, RealBoardTheDockTakesItsRoomFromThePicturesAndGivesItBack) {
  Run("resize 1200 900\nopen " + kBoard);
  const std::vector<QImage> before = Pictures();
  const double factor = app.main->factor();
  Run("browser on");
  QApplication::processEvents();
  EXPECT_LT(app.main->factor(), factor);
  Run("browser off");
  QApplication::processEvents();
  Run("key /");
  EXPECT_EQ(app.main->factor(), factor);
  EXPECT_EQ(Pictures(), before);
}

}  // namespace
}  // namespace vantrel
