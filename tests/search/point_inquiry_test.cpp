// The point inquiry (a left press on a side picture), its redraw, and the
// double click's zoom about the pointer.
#include "search/point_inquiry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::CountColor;
using test::ErrorOf;
using test::PixelAt;

// Both files have an outline 2 wide and 1.25 high: Scale 400, H 8, D 16; board
// point (x, y) is at top pixel (400x - 8, 530 - 400y) and at bottom pixel
// (400x - 8, 30 + 400y).
constexpr const char* kOutline = "0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\n2 2 2 2\n";

// Top pins: U1.1 (92, 430) SIG; Q9.9 (100, 430), overlapping it; U1.2
// (292, 430) "sig"; U2.1 (492, 430); a second U1.1 (692, 430) on SIG; R5.1 at
// (192.5, 230) before rounding, alone on its net; a record without a name at
// (492, 230); J1.1 (692, 230) and J1.2 (692, 130) with empty nets.
const std::string kTop = std::string("point top\n") + kOutline +
                         "0.25 0.25\n0.27 0.25\n0.75 0.25\n1.25 0.25\n1.75 0.25\n"
                         "0.50125 0.75\n1.25 0.75\n1.75 0.75\n1.75 1.0\n"
                         "3 3 3 3\n"
                         " U1.1\n0.25 0.25\nSIG\nR_0603\n"
                         " Q9.9\n0.27 0.25\nOTHER\nQ\n"
                         " U1.2\n0.75 0.25\nsig\nC\n"
                         " U2.1\n1.25 0.25\nOTHER\nD\n"
                         " U1.1\n1.75 0.25\nSIG\ndup\n"
                         " R5.1\n0.50125 0.75\nLONE\nhalf\n"
                         "\n1.25 0.75\nE\nnameless\n"
                         " J1.1\n1.75 0.75\n\njx\n"
                         " J1.2\n1.75 1.0\n\njy\n"
                         "4 4 4 4\n"
                         "5 5 5 5\n";

// Bottom pins: U1.1 (92, 230) SIG, B7.1 (292, 230) "Sig", B7.2 (492, 230).
const std::string kBottom = std::string("point bottom\n") + kOutline +
                            "0.25 0.5\n0.75 0.5\n1.25 0.5\n"
                            "3 3 3 3\n"
                            " U1.1\n0.25 0.5\nSIG\nbottom\n"
                            " B7.1\n0.75 0.5\nSig\nx\n"
                            " B7.2\n1.25 0.5\nNOPE\nx\n"
                            "4 4 4 4\n"
                            "5 5 5 5\n";

class Inquiry : public test::SearchFixture {
 protected:
  void SetUp() override {
    Open(kTop, kBottom);
    s.pictures.header = {"one", "two", "four"};
  }

  // A left press; counts the calls that empty the open/short fields.
  void Press(Side side, int x, int y) {
    PointInquiry(s, side, x, y, [this] { ++fieldsEmptied; });
  }

  int fieldsEmptied = 0;
};

TEST_F(Inquiry, HitMarksThePinAndItsNetAndWritesTheHeader) {
  const QImage bottom = s.pictures.sides.bottom.image().copy();
  Press(Side::Top, 92, 430);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmPoint);
  EXPECT_EQ(s.highlight.memory.point.PointPin.top, " U1.1");
  EXPECT_EQ(s.highlight.memory.point.PointNet, "SIG");
  EXPECT_EQ(s.highlight.memory.point.PointPin.bottom, "");
  // Name, net, "$" and fourth line, then the net-mates: "sig" is the same net;
  // the other record named " U1.1" is neither listed nor ringed.
  EXPECT_EQ(s.pictures.header, (test::Header{" U1.1  SIG  $R_0603   U1.2 ", "two", "four"}));

  const ImageCanvas& top = s.pictures.sides.top;
  EXPECT_EQ(PixelAt(top, 92, 430), colors::kWhite);
  EXPECT_EQ(PixelAt(top, 92, 422), colors::kActiveCaption);  // the pin pass's pen
  EXPECT_EQ(PixelAt(top, 292, 422), colors::kYellow);        // ring around U1.2
  EXPECT_EQ(PixelAt(top, 292, 430), colors::kBlack);         // only a ring
  EXPECT_EQ(PixelAt(top, 692, 422), colors::kActiveCaption);
  EXPECT_EQ(PixelAt(top, 492, 422), colors::kActiveCaption);
  // The red name to the right of the disc, from (cx - H + D + 3, cy - H - D).
  EXPECT_GT(CountColor(top, QRect(103, 406, 70, 28), colors::kRed), 20);
  EXPECT_EQ(CountColor(top, QRect(60, 380, 42, 80), colors::kRed), 0);
  EXPECT_EQ(s.pictures.sides.bottom.image(), bottom);  // the other side is not redrawn
}

TEST_F(Inquiry, AHitEmptiesTheOpenShortFieldsAfterTheRedrawAndBeforeTheDisc) {
  bool redrawn = false, discDrawn = true;
  const auto emptyFields = [&] {
    ++fieldsEmptied;
    redrawn = PixelAt(s.pictures.sides.top, 5, 5) == colors::kBlack;
    discDrawn = PixelAt(s.pictures.sides.top, 92, 430) == colors::kWhite;
  };
  s.pictures.sides.top.setBrushColor(colors::kAqua);
  s.pictures.sides.top.fillRect(0, 0, 10, 10);
  PointInquiry(s, Side::Top, 300, 300, emptyFields);
  EXPECT_EQ(fieldsEmptied, 0) << "a miss";
  PointInquiry(s, Side::Top, 92, 430, emptyFields);
  EXPECT_EQ(fieldsEmptied, 1);
  EXPECT_TRUE(redrawn);
  EXPECT_FALSE(discDrawn);
}

struct PressAt {
  int x;
  int y;
  const char* pin;  // nullptr: no hit
};

class HitEdges : public Inquiry, public testing::WithParamInterface<PressAt> {};

TEST_P(HitEdges, StrictComparisonsInReals) {
  const PressAt p = GetParam();
  const QImage before = s.pictures.sides.top.image().copy();
  Press(Side::Top, p.x, p.y);
  EXPECT_EQ(fieldsEmptied, p.pin ? 1 : 0);
  if (p.pin) {
    EXPECT_EQ(s.highlight.mode, HighlightMode::hmPoint);
    EXPECT_EQ(s.highlight.memory.point.PointPin.top, p.pin);
  } else {
    EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
    EXPECT_EQ(s.pictures.header[0], "one");
    EXPECT_EQ(s.highlight.memory.point.PointPin.top, "");
    EXPECT_EQ(s.pictures.sides.top.image(), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pins, HitEdges,
    testing::Values(PressAt{84, 430, nullptr}, PressAt{85, 430, " U1.1"}, PressAt{92, 422, nullptr},
                    PressAt{92, 423, " U1.1"}, PressAt{92, 437, " U1.1"}, PressAt{92, 438, nullptr},
                    // R5.1's centre is at 192.5: hit from 185 to 200, not at 184 nor 201.
                    PressAt{184, 230, nullptr}, PressAt{185, 230, " R5.1"}, PressAt{200, 230, " R5.1"},
                    PressAt{201, 230, nullptr},
                    // U1.1 and Q9.9 overlap from 93 to 99: the first in the file wins.
                    PressAt{95, 430, " U1.1"}, PressAt{99, 430, " U1.1"}, PressAt{100, 430, " Q9.9"}));

// A resting pointer finds the pin a press would, and changes nothing.
TEST_F(Inquiry, HoverNamesThePinUnderThePointerAndChangesNothing) {
  const QImage before = s.pictures.sides.top.image().copy();
  const std::optional<PinRecord> pin = PinUnderPointer(s, Side::Top, 95, 428);
  ASSERT_TRUE(pin);
  EXPECT_EQ(PinDescription(*pin), "Pin U1.1\nNet SIG\nR_0603\nPart U1");
  PinRecord bare;
  bare.name = " J1";
  EXPECT_EQ(PinDescription(bare), "Pin J1\nNet ");
  EXPECT_FALSE(PinUnderPointer(s, Side::Top, 200, 300));
  EXPECT_EQ(PinUnderPointer(s, Side::Bottom, 292, 230)->name, " B7.1");
  EXPECT_EQ(s.pictures.sides.top.image(), before);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
  EXPECT_EQ(s.pictures.header, (test::Header{"one", "two", "four"}));
}

TEST_F(Inquiry, NoPinCanBeHitWithRadiusZero) {
  s.view.MarkRadius = 0;
  Press(Side::Top, 92, 430);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
}

TEST_F(Inquiry, PinWithoutNetMatesEndsTheHeaderWithTwoBlanks) {
  Press(Side::Top, 192, 230);
  EXPECT_EQ(s.pictures.header[0], " R5.1  LONE  $half  ");
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 192, 230), colors::kWhite);  // around the rounded centre
}

TEST_F(Inquiry, APinOnNoNetHasNoNetMates) {
  Press(Side::Top, 692, 230);
  EXPECT_EQ(s.pictures.header[0], " J1.1    $jx  ");
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 692, 122), colors::kActiveCaption) << "J1.2, also on no net";
}

TEST_F(Inquiry, RecordWithoutANameIsMarkedButNotReported) {
  Press(Side::Top, 492, 230);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmPoint);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 492, 230), colors::kWhite);
  EXPECT_EQ(s.highlight.memory.point.PointNet, "E");
  EXPECT_EQ(s.pictures.header[0], "one");
}

TEST_F(Inquiry, BottomHitKeepsTheTopPin) {
  Press(Side::Top, 292, 430);
  const QImage top = s.pictures.sides.top.image().copy();
  Press(Side::Bottom, 92, 230);
  EXPECT_EQ(s.highlight.memory.point.PointPin.top, " U1.2");
  EXPECT_EQ(s.highlight.memory.point.PointPin.bottom, " U1.1");
  EXPECT_EQ(s.highlight.memory.point.PointNet, "SIG");
  EXPECT_EQ(s.pictures.header[0], " U1.1  SIG  $bottom   B7.1 ");
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 92, 230), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 292, 222), colors::kYellow);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 492, 222), colors::kActiveCaption);
  EXPECT_EQ(s.pictures.sides.top.image(), top);
}

TEST_F(Inquiry, RedrawMarksTheNetOnBothSides) {
  Press(Side::Top, 92, 430);
  s.pictures.header[0] = "header";
  s.view.TopOriginY -= 100;
  s.view.BottomOriginY += 100;
  RedrawPoint(s);
  EXPECT_EQ(s.pictures.header[0], "header");
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmPoint);
  const ImageCanvas& top = s.pictures.sides.top;
  // Top, in file order: U1.1 disc, U1.2 ring, the second U1.1 another disc,
  // now outlined in the ring's yellow.
  EXPECT_EQ(PixelAt(top, 92, 330), colors::kWhite);
  EXPECT_EQ(PixelAt(top, 92, 322), colors::kActiveCaption);
  EXPECT_EQ(PixelAt(top, 292, 322), colors::kYellow);
  EXPECT_EQ(PixelAt(top, 292, 330), colors::kBlack);
  EXPECT_EQ(PixelAt(top, 692, 330), colors::kWhite);
  EXPECT_EQ(PixelAt(top, 692, 322), colors::kYellow);
  EXPECT_GT(CountColor(top, QRect(703, 306, 70, 28), colors::kRed), 20);
  // Bottom: no pin was hit there, so every pin of the net is ringed; rings
  // before any disc keep the black fill of the layer passes.
  const ImageCanvas& bottom = s.pictures.sides.bottom;
  EXPECT_EQ(PixelAt(bottom, 92, 322), colors::kYellow);
  EXPECT_EQ(PixelAt(bottom, 92, 330), colors::kBlack);
  EXPECT_EQ(PixelAt(bottom, 292, 322), colors::kYellow);
  EXPECT_EQ(PixelAt(bottom, 492, 322), colors::kActiveCaption);
}

TEST_F(Inquiry, RedrawGivesEachSideItsOwnPin) {
  Press(Side::Bottom, 92, 230);  // " U1.1" on the bottom side
  Press(Side::Top, 292, 430);    // " U1.2" on the top side, same net
  RedrawPoint(s);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 292, 430), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 430), colors::kBlack);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 92, 422), colors::kYellow);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 92, 230), colors::kWhite);
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 292, 222), colors::kYellow);
}

TEST_F(Inquiry, MissingCompanionFileFailsABottomPress) {
  s.document.CompanionFile = (dir.path() / "nothing" / "jet.CON").string();
  EXPECT_EQ(ErrorOf([&] { Press(Side::Bottom, 92, 230); }), "File not found");
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
  EXPECT_EQ(fieldsEmptied, 0);
}

TEST(InquiryWithoutBoard, DoesNothing) {
  Session s;
  PointInquiry(s, Side::Top, 10, 10, [] { ADD_FAILURE() << "the fields were emptied"; });
  RedrawPoint(s);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmNone);
}

// The double click at pointer (100, 200) on the home view: Scale 400, origins
// (-8, 530) top and (-8, 30) bottom, D 16, H 8. Only the clicked side's origin
// moves; a second click from `stepBefore` grows the markers by the side's steps.
struct DoubleClick {
  const char* name;
  Side side;
  std::int32_t originX;  // the clicked side's new origin
  std::int32_t originY;
  std::int32_t scale;
  std::int32_t margin;
  std::int32_t radius;
  std::int32_t stepBefore;  // ZoomStep before the second click
  std::int32_t scale2;      // after the second click
  std::int32_t margin2;
  std::int32_t radius2;
};

class DoubleClickZoom : public Inquiry, public testing::WithParamInterface<DoubleClick> {};

TEST_P(DoubleClickZoom, ZoomsAboutThePointer) {
  const DoubleClick& c = GetParam();
  const ViewState home = s.view;
  ASSERT_TRUE(ZoomAboutPointer(s.view, c.side, 100, 200));
  const ViewState& v = s.view;
  const bool top = c.side == Side::Top;
  EXPECT_EQ(top ? v.TopOriginX : v.BottomOriginX, c.originX);
  EXPECT_EQ(top ? v.TopOriginY : v.BottomOriginY, c.originY);
  EXPECT_EQ(top ? v.BottomOriginX : v.TopOriginX, top ? home.BottomOriginX : home.TopOriginX);
  EXPECT_EQ(top ? v.BottomOriginY : v.TopOriginY, top ? home.BottomOriginY : home.TopOriginY);
  EXPECT_EQ(v.Scale, c.scale);
  EXPECT_EQ(v.ZoomStep, 1);
  EXPECT_EQ(v.MarkMargin, c.margin);
  EXPECT_EQ(v.MarkRadius, c.radius);

  s.view.ZoomStep = c.stepBefore;
  ASSERT_TRUE(ZoomAboutPointer(s.view, c.side, 100, 200));
  EXPECT_EQ(v.ZoomStep, c.stepBefore + 1);
  EXPECT_EQ(v.Scale, c.scale2);
  EXPECT_EQ(v.MarkMargin, c.margin2);
  EXPECT_EQ(v.MarkRadius, c.radius2);
}

INSTANTIATE_TEST_SUITE_P(Sides, DoubleClickZoom,
                         testing::Values(
                             // Round(392 - 108 * 490 / 400) = Round(259.7); Round(245 + 330 * 490 / 400)
                             // = Round(649.25); from the fourth step on the radius grows by 1.
                             DoubleClick{"TopBy90", Side::Top, 260, 649, 490, 20, 10, 3, 580, 24, 11},
                             // Round(270.5), half to even; Round(245 - 170 * 450 / 400) = Round(53.75);
                             // the markers keep their size on the first step.
                             DoubleClick{"BottomBy50", Side::Bottom, 270, 54, 450, 16, 8, 1, 500, 18, 9}),
                         test::ByName());

TEST_F(Inquiry, DoubleClickProductNeedsMoreThan32Bits) {
  s.view.Scale = 1900;
  s.view.TopOriginX = 0;
  s.view.TopOriginY = 0;
  // 2,000,000 * 1990 is beyond 32 bits.
  ASSERT_TRUE(ZoomAboutPointer(s.view, Side::Top, 2'000'000, 0));
  EXPECT_EQ(s.view.TopOriginX, -2094345);  // Round(392 - 2094736.84...)
  EXPECT_EQ(s.view.TopOriginY, 245);
}

TEST_F(Inquiry, DoubleClickDoesNothingFromScale2000) {
  s.view.Scale = 2000;
  const ViewState before = s.view;
  EXPECT_FALSE(ZoomAboutPointer(s.view, Side::Top, 100, 200));
  EXPECT_FALSE(ZoomAboutPointer(s.view, Side::Bottom, 100, 200));
  EXPECT_EQ(s.view, before);
  s.view.Scale = 1999;
  EXPECT_TRUE(ZoomAboutPointer(s.view, Side::Bottom, 100, 200));
  EXPECT_EQ(s.view.Scale, 2049);
}

TEST_F(Inquiry, DoubleClickAtScaleZeroIsADivisionByZero) {
  s.view.Scale = 0;
  EXPECT_EQ(ErrorOf([&] { ZoomAboutPointer(s.view, Side::Top, 100, 200); }),
            "Floating point division by zero");
  EXPECT_EQ(s.view.Scale, 0);
}

// On a real board: a press on the rounded centre of each of the first pin
// records in view hits the first record whose marker holds it, and the header
// names the net-mates, as a plain reading of the file finds them.
using InquiryOnRealBoard = test::SearchFixture;

TEST_F(InquiryOnRealBoard, HeaderMatchesThePinRecords) {
  OpenRealBoard("teres-main");
  const ViewState& v = s.view;
  for (Side side : {Side::Top, Side::Bottom}) {
    const std::vector<test::PinLine> records = test::PinRecordsOf(s.FileOf(side));
    const double originX = side == Side::Top ? v.TopOriginX : v.BottomOriginX;
    const double originY = side == Side::Top ? v.TopOriginY : v.BottomOriginY;
    const double h = v.MarkRadius;
    int checked = 0;
    for (const test::PinLine& target : records) {
      const PixelPoint c = test::PixelOn(side, v.Scale, originX, originY, target.x, target.y);
      if (c.x < 0 || c.y < 0 || c.x >= 784 || c.y >= 490) continue;
      const test::PinLine* hit = nullptr;
      for (const test::PinLine& r : records) {
        const double px = v.Scale * r.x + originX;
        const double py = side == Side::Top ? originY - v.Scale * r.y : v.Scale * r.y + originY;
        if (px - h < c.x && c.x < px + h && py - h < c.y && c.y < py + h) {
          hit = &r;
          break;
        }
      }
      ASSERT_NE(hit, nullptr);
      std::string mates;
      for (const test::PinLine& r : records) {
        if (test::FoldCase(r.net) == test::FoldCase(hit->net) && r.name != hit->name) mates += r.name + " ";
      }
      s.pictures.header[0].clear();
      int emptied = 0;
      PointInquiry(s, side, static_cast<std::int32_t>(c.x), static_cast<std::int32_t>(c.y),
                   [&] { ++emptied; });
      ASSERT_EQ(s.highlight.mode, HighlightMode::hmPoint);
      EXPECT_EQ(emptied, 1);
      EXPECT_EQ(side == Side::Top ? s.highlight.memory.point.PointPin.top
                                  : s.highlight.memory.point.PointPin.bottom,
                hit->name);
      if (!hit->name.empty()) {
        EXPECT_EQ(s.pictures.header[0], hit->name + "  " + hit->net + "  $" + hit->fourth + "  " + mates);
      }
      if (++checked == 12) break;
    }
    EXPECT_EQ(checked, 12);
  }
}

}  // namespace
}  // namespace vantrel
