// The device overview window: where it stands, what the device search makes
// it do, its own keys, and what it shows of the session's overview pictures.
// The drawing of those pictures is tested in tests/search.
#include "dialogs/overview_window.h"

#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <utility>

#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::PixelAt;

constexpr Color kMoneyGreen = colors::kMoneyGreen;
const QPoint kSearchPosition(514, 386);

// Both files have an outline 2 wide and 1.25 high (Scale 400); device U1 on
// the top side and B1 on the bottom side have the same box. Their overviews
// are framed from (61, 24) to (226, 189) on the top picture and from (61, 25)
// to (226, 190) on the bottom picture.
std::string Board(const std::string& title, const std::string& part) {
  return title + "\n0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\n" + part + "\n0.25 0.5 0.25 0.5\n" +
         "2 2 2 2\n1.9 0.2\n3 3 3 3\n4 4 4 4\n5 5 5 5\n";
}

class OverviewWindow : public test::SearchFixture {
 protected:
  void SetUp() override { Open(Board("overview top", "U1"), Board("overview bottom", "B1")); }

  // The device dialog's OK with the three names.
  void Search(const std::string& a, const std::string& b = "") {
    Run([&] { DeviceSearch(s, {a, b, ""}, overview.SearchCalls()); });
  }
  // The window as it is seen, in its own pixels.
  QImage Seen() { return overview.grab().toImage(); }

  TForm8 overview{s, handler};
};

TEST_F(OverviewWindow, StartsHiddenAsDesigned) {
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(400, 331));
  EXPECT_EQ(overview.size(), QSize(292, 219));
  EXPECT_TRUE(overview.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(overview.isWindow());
  EXPECT_EQ(overview.Shows(), "");
  EXPECT_EQ(&overview.TopImage(), &s.pictures.overview.pictures.top);
  EXPECT_EQ(&overview.BottomImage(), &s.pictures.overview.pictures.bottom);
  EXPECT_EQ(overview.TopImage().image().size(), QSize(287, 215));
  EXPECT_EQ(overview.BottomImage().image().size(), QSize(287, 215));
  for (const char* name : {"Image1", "Image2"}) {
    auto* image = overview.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->geometry(), QRect(2, 2, 287, 215)) << name;
  }
  // Nothing drawn yet: the background is seen everywhere.
  const QImage seen = Seen();
  ASSERT_EQ(seen.size(), QSize(292, 219));
  for (auto [x, y] : {std::pair{0, 0}, {145, 110}, {291, 218}}) EXPECT_EQ(PixelAt(seen, x, y), kMoneyGreen);
}

TEST_F(OverviewWindow, TheSearchMovesItAndShowsThePictureOfTheSideShown) {
  Search("U1");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), kSearchPosition);
  EXPECT_EQ(overview.Shows(), "top");
  EXPECT_EQ(overview.OverviewOriginX(), s.pictures.overview.state.origin.x);
  EXPECT_EQ(overview.OverviewOriginY(), s.pictures.overview.state.origin.y);
  // The top picture inside a money-green margin of 2 pixels on the left, top
  // and bottom and 3 on the right.
  QImage seen = Seen();
  EXPECT_EQ(PixelAt(seen, 2 + 61, 2 + 100), colors::kWhite);
  EXPECT_EQ(PixelAt(seen, 2 + 100, 2 + 24), colors::kWhite);
  EXPECT_EQ(PixelAt(seen, 2 + 100, 2 + 100), colors::kBlack);
  for (auto [x, y] : {std::pair{1, 100}, {100, 1}, {289, 100}, {291, 100}, {100, 217}, {100, 218}}) {
    EXPECT_EQ(PixelAt(seen, x, y), kMoneyGreen) << x << ", " << y;
  }
  EXPECT_EQ(PixelAt(seen, 288, 100), colors::kBlack);
  EXPECT_EQ(PixelAt(seen, 100, 216), colors::kBlack);

  Search("b1");
  EXPECT_EQ(overview.Shows(), "bottom");
  seen = Seen();
  EXPECT_EQ(PixelAt(seen, 2 + 61, 2 + 100), colors::kWhite);
  EXPECT_EQ(PixelAt(seen, 2 + 100, 2 + 24), colors::kBlack) << "the bottom frame is a row lower";
  EXPECT_EQ(PixelAt(seen, 2 + 100, 2 + 25), colors::kWhite);
}

TEST_F(OverviewWindow, APictureNeverDrawnShowsTheBackground) {
  Search("NOPE", "B1");
  EXPECT_FALSE(s.TopShown());
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), kSearchPosition);
  EXPECT_EQ(overview.Shows(), "bottom");
  EXPECT_EQ(PixelAt(Seen(), 100, 100), kMoneyGreen);
}

TEST_F(OverviewWindow, TheTopPassWithoutAMatchMovesItButShowsItOnlyIfShown) {
  overview.move(10, 10);
  Search("NOPE", "U1");
  EXPECT_TRUE(s.TopShown());
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), kSearchPosition);  // moved all the same
  EXPECT_EQ(overview.Shows(), "top");

  // Shown before, it stays shown, now with the top picture.
  Search("B1");
  ASSERT_TRUE(overview.isVisible());
  ASSERT_EQ(overview.Shows(), "bottom");
  overview.FormKeyPress('4');
  Search("NOPE", "U1");
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), kSearchPosition);
  EXPECT_EQ(overview.Shows(), "top");
  EXPECT_EQ(PixelAt(Seen(), 100, 100), kMoneyGreen);
}

TEST_F(OverviewWindow, AnEmptyFirstNameLeavesItWhereItIs) {
  Search("B1");
  overview.FormKeyPress('6');
  overview.FormKeyPress('v');

  // Top side shown: nothing happens to the window.
  Search("", "U1");
  EXPECT_TRUE(s.TopShown());
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(534, 386));
  EXPECT_EQ(overview.Shows(), "bottom");

  // Bottom side shown: the window is shown as it was, where it was.
  Search("", "B1");
  EXPECT_FALSE(s.TopShown());
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(534, 386));
  EXPECT_EQ(overview.Shows(), "bottom");
}

TEST_F(OverviewWindow, ItsKeysMoveAndHideIt) {
  Search("U1");
  ASSERT_EQ(overview.pos(), kSearchPosition);
  const QImage top = s.pictures.overview.pictures.top.image().copy();
  const ViewState view = s.view;
  const struct {
    char key;
    QPoint pos;
  } moves[] = {{'4', {494, 386}}, {'4', {474, 386}}, {'6', {494, 386}}, {'8', {494, 366}},
               {'2', {494, 386}}, {'2', {494, 406}}, {'x', {494, 406}}, {'+', {494, 406}}};
  for (const auto& m : moves) {
    QTest::keyClick(&overview, m.key);
    EXPECT_EQ(overview.pos(), m.pos) << m.key;
    EXPECT_TRUE(overview.isVisible()) << m.key;
  }
  // The keys move the window, not the board.
  EXPECT_EQ(s.view, view);
  EXPECT_EQ(s.pictures.overview.pictures.top.image(), top);

  QTest::keyClick(&overview, 'v');
  EXPECT_FALSE(overview.isVisible());
  overview.ShowUnchanged();
  EXPECT_TRUE(overview.isVisible());
  QTest::keyClick(&overview, 'V');
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(494, 406));
}

TEST_F(OverviewWindow, ShowUnchangedDrawsNothing) {
  Search("U1");
  overview.FormKeyPress('2');
  overview.FormKeyPress('v');
  const QImage top = s.pictures.overview.pictures.top.image().copy();
  Search("", "B1");  // the bottom side is shown now; the overview keeps its top picture
  overview.FormKeyPress('v');
  overview.ShowUnchanged();
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(514, 406));
  EXPECT_EQ(overview.Shows(), "top");
  EXPECT_EQ(s.pictures.overview.pictures.top.image(), top);
  EXPECT_EQ(PixelAt(Seen(), 2 + 61, 2 + 100), colors::kWhite);
}

}  // namespace
}  // namespace vantrel
