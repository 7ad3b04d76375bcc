// The view as the bench needs it, through the real windows: turned and
// mirrored, with names on the board, fitted. A click or a resting pointer
// acts on what is drawn under it at every orientation; four turns or two
// mirrors give back the pictures of none; names off leave every picture as
// it was.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "app/batch_runner.h"
#include "render/board_names.h"
#include "support/search_fixture.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kBoard = test::SharedBoardFile("teres-kbd");

class TurnedView : public testing::Test {
 protected:
  void Run(const std::string& script) { runner.Run(script); }
  const Session& s() const { return app.session; }
  std::vector<QImage> Pictures() const {
    return {s().pictures.sides.top.image().copy(), s().pictures.sides.bottom.image().copy()};
  }
  // The bounding box of the pixels of `colour` on the top picture.
  QRect Extent(QRgb colour) const {
    const QImage& image = s().pictures.sides.top.image();
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) box |= QRect(x, y, 1, 1);
      }
    }
    return box;
  }

  Application app{1.0};
  BatchRunner runner{app};
};

struct Turn {
  const char* name;
  const char* script;  // from the plain view
};

const Turn kTurns[] = {{"Plain", ""},
                       {"Quarter", "rotate"},
                       {"Half", "rotate\nrotate"},
                       {"ThreeQuarters", "rotate ccw"},
                       {"Mirrored", "mirror"},
                       {"QuarterMirrored", "rotate\nmirror"}};

class AtEveryTurn : public TurnedView, public testing::WithParamInterface<Turn> {};

TEST_P(AtEveryTurn, RealBoardClickAndRestActOnThePinDrawnThere) {
  Run("open " + kBoard + "\nkey ++++\n" + GetParam().script);
  int checked = 0;
  for (const test::PinLine& pin : test::PinRecordsOf(kBoard)) {
    const PixelPoint at = SideMapping::Of(s().view, Side::Top).Map(pin.x, pin.y);
    if (at.x < 20 || at.y < 20 || at.x > 764 || at.y > 470) continue;
    Run("hover " + std::to_string(at.x) + " " + std::to_string(at.y));
    ASSERT_TRUE(app.main->tooltip()) << pin.name;
    const std::string name = pin.name.substr(1);
    EXPECT_EQ(app.main->tooltip()->rfind("Pin " + name + "\n", 0), 0u) << *app.main->tooltip();
    Run("press " + std::to_string(at.x) + " " + std::to_string(at.y));
    EXPECT_EQ(s().highlight.memory.point.PointPin.top, pin.name);
    // The pin's disc is drawn where the pointer is.
    EXPECT_EQ(s().pictures.sides.top.image().pixel(static_cast<int>(at.x), static_cast<int>(at.y)) & 0xFFFFFF,
              0xFFFFFFu);
    if (++checked == 3) break;
  }
  EXPECT_EQ(checked, 3);
  EXPECT_TRUE(runner.errors().empty());
}

TEST_P(AtEveryTurn, RealBoardComponentPinLandsWhereItDoesUnturned) {
  Run("open " + kBoard + "\n" + GetParam().script + "\nkey c\nfield comp 1 " +
      test::PinRecordsOf(kBoard).front().name.substr(1) + "\nok comp");
  ASSERT_EQ(s().highlight.mode, HighlightMode::hmCompPin);
  const QImage& shown = s().TopShown() ? s().pictures.sides.top.image() : s().pictures.sides.bottom.image();
  EXPECT_EQ(shown.pixel(design::kCentreX, design::kPinTargetY) & 0xFFFFFF, 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(Turns, AtEveryTurn, testing::ValuesIn(kTurns),
                         [](const testing::TestParamInfo<Turn>& info) { return info.param.name; });

TEST_F(TurnedView, RealBoardTheOutlineTurnsWithTheViewAndFourTurnsGiveItBack) {
  // The whole outline in view whichever way it is turned, and a net marked,
  // as a redraw draws them.
  Run("open " + kBoard + "\nkey f--\nkey n\nfield net 1 GND\nok net\nkey 46");
  const std::vector<QImage> plain = Pictures();
  const QRect outline = Extent(qRgb(255, 0, 0));
  Run("rotate");
  const QRect turned = Extent(qRgb(255, 0, 0));
  // A quarter turn about the picture's centre (392, 245): x' = 637 - y, y' = x - 147.
  const QRect expected(QPoint(637 - outline.bottom(), outline.left() - 147),
                       QPoint(637 - outline.top(), outline.right() - 147));
  ASSERT_TRUE(QRect(0, 0, 784, 490).contains(expected));
  for (const auto& [got, want] : {std::pair{turned.left(), expected.left()},
                                  {turned.top(), expected.top()},
                                  {turned.right(), expected.right()},
                                  {turned.bottom(), expected.bottom()}}) {
    EXPECT_NEAR(got, want, 2);
  }
  Run("rotate\nrotate\nrotate");
  EXPECT_EQ(Pictures(), plain);
  Run("mirror");
  EXPECT_NE(Pictures(), plain);
  Run("mirror");
  EXPECT_EQ(Pictures(), plain);
  EXPECT_EQ(runner.State()["rotation"], 0);
}

TEST_F(TurnedView, RealBoardADragMovesTheBoardWithThePointer) {
  Run("open " + kBoard + "\nrotate\nmirror");
  const test::PinLine pin = test::PinRecordsOf(kBoard).front();
  const PixelPoint before = SideMapping::Of(s().view, Side::Top).Map(pin.x, pin.y);
  Run("drag 300 200 340 190");
  const PixelPoint after = SideMapping::Of(s().view, Side::Top).Map(pin.x, pin.y);
  EXPECT_EQ(after.x - before.x, 40);
  EXPECT_EQ(after.y - before.y, -10);
  // A wheel notch keeps the point under the pointer.
  Run("wheel " + std::to_string(after.x) + " " + std::to_string(after.y) + " 1");
  const PixelPoint zoomed = SideMapping::Of(s().view, Side::Top).Map(pin.x, pin.y);
  EXPECT_NEAR(static_cast<double>(zoomed.x), static_cast<double>(after.x), 1);
  EXPECT_NEAR(static_cast<double>(zoomed.y), static_cast<double>(after.y), 1);
}

TEST_F(TurnedView, RealBoardNamesShowOnlyWhenAskedAndOffChangeNothing) {
  Run("open " + kBoard);
  const std::vector<QImage> plain = Pictures();
  const QRgb name = qRgb(0x80, 0xFF, 0x80);
  Run("labels on");
  EXPECT_EQ(runner.State()["labels"], true);
  EXPECT_FALSE(Extent(name).isEmpty()) << "part names";
  Run("labels off");
  EXPECT_EQ(Pictures(), plain);
  // Pin names come once a marker spans 12 device pixels: at MarkRadius 6 here.
  Run("labels on\nkey ++++++");
  ASSERT_GE(2 * s().view.MarkRadius + 1, kPinNamePixels);
  EXPECT_GT(Extent(name).width(), 100);
}

// Pin names are read only for the pins drawn near the picture, taking the
// records to be in the centres' order. A centre passed over at the start
// shifts that order by one, so every record is read instead: the pictures
// are the same.
TEST_F(TurnedView, RealBoardPinNamesReadWhereSeenAreThoseOfEveryRecord) {
  test::TempDir dir;
  const std::filesystem::path folder = test::SharedBoardDir("teres-kbd");
  std::string top = test::ReadFileBytes(kBoard);
  const std::size_t partsEnd = top.find("\n2 2 2 2\n");
  ASSERT_NE(partsEnd, std::string::npos);
  top.insert(partsEnd + 9, "3 0.5\n");
  const std::string shifted = dir.Write("shifted.brd", top);
  dir.Write("jet.CON", test::ReadFileBytes(folder / "jet.CON"));
  const std::string zoomed = "\nlabels on\nkey ++++++";
  Run("open " + kBoard + zoomed);
  const std::vector<QImage> seen = Pictures();
  EXPECT_GT(Extent(qRgb(0x80, 0xFF, 0x80)).width(), 100);
  Run("open " + shifted + zoomed);
  EXPECT_EQ(Pictures(), seen);
  EXPECT_EQ(runner.errors(), std::vector<std::string>{});
}

TEST(NamePlacer, LeavesOutANameThatWouldOverlapOneDrawn) {
  NamePlacer placer(784, 490);
  EXPECT_TRUE(placer.Keep(100, 100, "U12"));
  EXPECT_FALSE(placer.Keep(110, 104, "R5"));
  EXPECT_TRUE(placer.Keep(300, 100, "R5"));
  EXPECT_FALSE(placer.Keep(-200, 100, "FAR"));
}

TEST_F(TurnedView, RealBoardFitPutsTheWholeOutlineInThePictureAtEveryTurn) {
  for (const char* turn : {"", "rotate", "mirror"}) {
    Run(std::string("open ") + kBoard + "\n" + turn + "\nkey f");
    const QRect outline = Extent(qRgb(255, 0, 0));
    EXPECT_TRUE(QRect(0, 0, 784, 490).contains(outline)) << turn;
    EXPECT_NEAR(outline.center().x(), 392, 3) << turn;
    EXPECT_NEAR(outline.center().y(), 245, 3) << turn;
    // The next step of the "+" key would not fit with the margin.
    Run("key +");
    const QRect larger = Extent(qRgb(255, 0, 0));
    EXPECT_TRUE(larger.left() < 16 || larger.top() < 16 || larger.right() > 767 || larger.bottom() > 473)
        << turn;
    Run("close");
  }
}

}  // namespace
}  // namespace vantrel
