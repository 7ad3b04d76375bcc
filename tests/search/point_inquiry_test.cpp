#include "search/point_inquiry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "board/board_error.h"
#include "search/nail_dialog.h"
#include "search/session.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

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

Color PixelAt(const ImageCanvas& canvas, int x, int y) {
  const QRgb p = canvas.image().pixel(x, y);
  return static_cast<Color>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

int CountColor(const ImageCanvas& canvas, QRect area, Color color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += PixelAt(canvas, x, y) == color;
  }
  return n;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const BoardError& e) {
    return e.what();
  }
  return "";
}

class Inquiry : public testing::Test {
 protected:
  void SetUp() override {
    s.nail = &nail;
    Open(kTop, kBottom);
  }

  void Open(const std::string& top, const std::string& bottom) {
    s.BoardFile = dir.Write("b.brd", top);
    s.CompanionFile = dir.Write("jet.CON", bottom);
    ComputeHomeView(s.view, s.BoardFile);
    RunLayerPasses(s, Variant::Main, PassOrder::LayerByLayer);
    s.Image1Visible = true;
    s.HighlightMode = hmBoard;
    s.Label1 = "one";
    s.Label2 = "two";
    s.Label4 = "four";
  }

  TempDir dir;
  Session s;
  TFrm_Nail nail{s};
};

TEST_F(Inquiry, HitMarksThePinAndItsNetAndWritesTheHeader) {
  const QImage bottom = s.Image2.image().copy();
  PointInquiry(s, Side::Top, 92, 430);
  EXPECT_EQ(s.HighlightMode, hmPoint);
  EXPECT_EQ(s.PointTopPin, " U1.1");
  EXPECT_EQ(s.PointNet, "SIG");
  EXPECT_EQ(s.PointBottomPin, "");
  // Name, net, "$" and fourth line, then the net-mates: "sig" is the same net;
  // the other record named " U1.1" is neither listed nor ringed.
  EXPECT_EQ(s.Label1, " U1.1  SIG  $R_0603   U1.2 ");
  EXPECT_EQ(s.Label2, "two");
  EXPECT_EQ(s.Label4, "four");

  const ImageCanvas& top = s.Image1;
  EXPECT_EQ(PixelAt(top, 92, 430), colors::kWhite);
  EXPECT_EQ(PixelAt(top, 92, 422), colors::kActiveCaption);  // the pin pass's pen
  EXPECT_EQ(PixelAt(top, 292, 422), colors::kYellow);        // ring around U1.2
  EXPECT_EQ(PixelAt(top, 292, 430), colors::kBlack);         // only a ring
  EXPECT_EQ(PixelAt(top, 692, 422), colors::kActiveCaption);
  EXPECT_EQ(PixelAt(top, 492, 422), colors::kActiveCaption);
  // The red name to the right of the disc, from (cx - H + D + 3, cy - H - D).
  EXPECT_GT(CountColor(top, QRect(103, 406, 70, 28), colors::kRed), 20);
  EXPECT_EQ(CountColor(top, QRect(60, 380, 42, 80), colors::kRed), 0);
  EXPECT_EQ(s.Image2.image(), bottom);  // the other side is not redrawn
}

TEST_F(Inquiry, HitEmptiesTheOpenShortFieldsAndAMissDoesNot) {
  nail.SetFieldText(1, "TP1");
  nail.SetFieldText(3, "TP3");
  PointInquiry(s, Side::Top, 300, 300);
  EXPECT_EQ(nail.FieldText(1), "TP1");
  PointInquiry(s, Side::Top, 92, 430);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(nail.FieldText(n), "");
}

struct Press {
  int x;
  int y;
  const char* pin;  // nullptr: no hit
};

class HitEdges : public Inquiry, public testing::WithParamInterface<Press> {};

TEST_P(HitEdges, StrictComparisonsInReals) {
  const Press p = GetParam();
  const QImage before = s.Image1.image().copy();
  PointInquiry(s, Side::Top, p.x, p.y);
  if (p.pin) {
    EXPECT_EQ(s.HighlightMode, hmPoint);
    EXPECT_EQ(s.PointTopPin, p.pin);
  } else {
    EXPECT_EQ(s.HighlightMode, hmBoard);
    EXPECT_EQ(s.Label1, "one");
    EXPECT_EQ(s.PointTopPin, "");
    EXPECT_EQ(s.Image1.image(), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pins, HitEdges,
    testing::Values(Press{84, 430, nullptr}, Press{85, 430, " U1.1"}, Press{92, 422, nullptr},
                    Press{92, 423, " U1.1"}, Press{92, 437, " U1.1"}, Press{92, 438, nullptr},
                    // R5.1's centre is at 192.5: hit from 185 to 200, not at 184 nor 201.
                    Press{184, 230, nullptr}, Press{185, 230, " R5.1"}, Press{200, 230, " R5.1"},
                    Press{201, 230, nullptr},
                    // U1.1 and Q9.9 overlap from 93 to 99: the first in the file wins.
                    Press{95, 430, " U1.1"}, Press{99, 430, " U1.1"}, Press{100, 430, " Q9.9"}));

TEST_F(Inquiry, NoPinCanBeHitWithRadiusZero) {
  s.view.MarkRadius = 0;
  PointInquiry(s, Side::Top, 92, 430);
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST_F(Inquiry, PinWithoutNetMatesEndsTheHeaderWithTwoBlanks) {
  PointInquiry(s, Side::Top, 192, 230);
  EXPECT_EQ(s.Label1, " R5.1  LONE  $half  ");
  EXPECT_EQ(PixelAt(s.Image1, 192, 230), colors::kWhite);  // around the rounded centre
}

TEST_F(Inquiry, EmptyNetLinesMakeOneNet) {
  PointInquiry(s, Side::Top, 692, 230);
  EXPECT_EQ(s.Label1, " J1.1    $jx   J1.2 ");
  EXPECT_EQ(PixelAt(s.Image1, 692, 122), colors::kYellow);
}

TEST_F(Inquiry, RecordWithoutANameIsMarkedButNotReported) {
  PointInquiry(s, Side::Top, 492, 230);
  EXPECT_EQ(s.HighlightMode, hmPoint);
  EXPECT_EQ(PixelAt(s.Image1, 492, 230), colors::kWhite);
  EXPECT_EQ(s.PointNet, "E");
  EXPECT_EQ(s.Label1, "one");
}

TEST_F(Inquiry, BottomHitKeepsTheTopPin) {
  PointInquiry(s, Side::Top, 292, 430);
  const QImage top = s.Image1.image().copy();
  PointInquiry(s, Side::Bottom, 92, 230);
  EXPECT_EQ(s.PointTopPin, " U1.2");
  EXPECT_EQ(s.PointBottomPin, " U1.1");
  EXPECT_EQ(s.PointNet, "SIG");
  EXPECT_EQ(s.Label1, " U1.1  SIG  $bottom   B7.1 ");
  EXPECT_EQ(PixelAt(s.Image2, 92, 230), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image2, 292, 222), colors::kYellow);
  EXPECT_EQ(PixelAt(s.Image2, 492, 222), colors::kActiveCaption);
  EXPECT_EQ(s.Image1.image(), top);
}

TEST_F(Inquiry, RedrawMarksTheNetOnBothSides) {
  PointInquiry(s, Side::Top, 92, 430);
  s.Label1 = "header";
  s.view.TopOriginY -= 100;
  s.view.BottomOriginY += 100;
  RedrawPoint(s);
  EXPECT_EQ(s.Label1, "header");
  EXPECT_EQ(s.HighlightMode, hmPoint);
  const ImageCanvas& top = s.Image1;
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
  const ImageCanvas& bottom = s.Image2;
  EXPECT_EQ(PixelAt(bottom, 92, 322), colors::kYellow);
  EXPECT_EQ(PixelAt(bottom, 92, 330), colors::kBlack);
  EXPECT_EQ(PixelAt(bottom, 292, 322), colors::kYellow);
  EXPECT_EQ(PixelAt(bottom, 492, 322), colors::kActiveCaption);
}

TEST_F(Inquiry, RedrawGivesEachSideItsOwnPin) {
  PointInquiry(s, Side::Bottom, 92, 230);  // " U1.1" on the bottom side
  PointInquiry(s, Side::Top, 292, 430);    // " U1.2" on the top side, same net
  RedrawPoint(s);
  EXPECT_EQ(PixelAt(s.Image1, 292, 430), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image1, 92, 430), colors::kBlack);
  EXPECT_EQ(PixelAt(s.Image1, 92, 422), colors::kYellow);
  EXPECT_EQ(PixelAt(s.Image2, 92, 230), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image2, 292, 222), colors::kYellow);
}

TEST_F(Inquiry, MissingCompanionFileFailsABottomPress) {
  s.CompanionFile = (dir.path() / "nothing" / "jet.CON").string();
  EXPECT_EQ(ErrorOf([&] { PointInquiry(s, Side::Bottom, 92, 230); }), "File not found");
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST(InquiryWithoutBoard, DoesNothing) {
  Session s;
  PointInquiry(s, Side::Top, 10, 10);
  RedrawPoint(s);
  EXPECT_EQ(s.HighlightMode, hmNone);
}

// Double click: home view Scale 400, origins (-8, 530) top and (-8, 30) bottom,
// D 16, H 8.
TEST_F(Inquiry, DoubleClickOnTheTopZoomsBy90AboutThePointer) {
  s.PointerX = 100;
  s.PointerY = 200;
  ASSERT_TRUE(ZoomAboutPointer(s, Side::Top));
  const ViewState& v = s.view;
  EXPECT_EQ(v.TopOriginX, 260);  // Round(392 - 108 * 490 / 400) = Round(259.7)
  EXPECT_EQ(v.TopOriginY, 649);  // Round(245 + 330 * 490 / 400) = Round(649.25)
  EXPECT_EQ(v.BottomOriginX, -8);
  EXPECT_EQ(v.BottomOriginY, 30);
  EXPECT_EQ(v.Scale, 490);
  EXPECT_EQ(v.ZoomStep, 1);
  EXPECT_EQ(v.MarkMargin, 20);
  EXPECT_EQ(v.MarkRadius, 10);

  s.view.ZoomStep = 3;
  ASSERT_TRUE(ZoomAboutPointer(s, Side::Top));
  EXPECT_EQ(v.ZoomStep, 4);
  EXPECT_EQ(v.MarkMargin, 24);
  EXPECT_EQ(v.MarkRadius, 11);
}

TEST_F(Inquiry, DoubleClickOnTheBottomZoomsBy50AboutThePointer) {
  s.PointerX = 100;
  s.PointerY = 200;
  ASSERT_TRUE(ZoomAboutPointer(s, Side::Bottom));
  const ViewState& v = s.view;
  EXPECT_EQ(v.BottomOriginX, 270);  // Round(270.5), half to even
  EXPECT_EQ(v.BottomOriginY, 54);   // Round(245 - 170 * 450 / 400) = Round(53.75)
  EXPECT_EQ(v.TopOriginX, -8);
  EXPECT_EQ(v.TopOriginY, 530);
  EXPECT_EQ(v.Scale, 450);
  EXPECT_EQ(v.ZoomStep, 1);
  EXPECT_EQ(v.MarkMargin, 16);  // unchanged on the first step
  EXPECT_EQ(v.MarkRadius, 8);

  ASSERT_TRUE(ZoomAboutPointer(s, Side::Bottom));
  EXPECT_EQ(v.Scale, 500);
  EXPECT_EQ(v.MarkMargin, 18);
  EXPECT_EQ(v.MarkRadius, 9);
}

TEST_F(Inquiry, DoubleClickProductNeedsMoreThan32Bits) {
  s.view.Scale = 1900;
  s.view.TopOriginX = 0;
  s.PointerX = 2'000'000;  // 2,000,000 * 1990 is beyond 32 bits
  s.PointerY = 0;
  s.view.TopOriginY = 0;
  ASSERT_TRUE(ZoomAboutPointer(s, Side::Top));
  EXPECT_EQ(s.view.TopOriginX, -2094345);  // Round(392 - 2094736.84...)
  EXPECT_EQ(s.view.TopOriginY, 245);
}

TEST_F(Inquiry, DoubleClickDoesNothingFromScale2000) {
  s.view.Scale = 2000;
  const ViewState before = s.view;
  EXPECT_FALSE(ZoomAboutPointer(s, Side::Top));
  EXPECT_FALSE(ZoomAboutPointer(s, Side::Bottom));
  EXPECT_EQ(s.view, before);
  s.view.Scale = 1999;
  EXPECT_TRUE(ZoomAboutPointer(s, Side::Bottom));
  EXPECT_EQ(s.view.Scale, 2049);
}

TEST_F(Inquiry, DoubleClickAtScaleZeroIsADivisionByZero) {
  s.view.Scale = 0;
  EXPECT_EQ(ErrorOf([&] { ZoomAboutPointer(s, Side::Top); }), "Floating point division by zero");
  EXPECT_EQ(s.view.Scale, 0);
}

// On a real board: a press on the rounded centre of each of the first pin
// records hits the first record whose marker holds it, and the header names
// the net-mates, as a plain reading of the file finds them.
struct Record {
  std::string name;
  double x;
  double y;
  std::string net;
  std::string fourth;
};

std::vector<Record> PinRecords(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    std::erase(line, '\r');
    lines.push_back(line);
  }
  std::size_t i = 0;
  while (lines.at(i) != "3 3 3 3") ++i;
  std::vector<Record> records;
  for (++i; lines.at(i) != "4 4 4 4"; i += 4) {
    Record r{lines.at(i), 0, 0, lines.at(i + 2), lines.at(i + 3)};
    if (std::sscanf(lines.at(i + 1).c_str(), "%lf %lf", &r.x, &r.y) != 2) throw std::runtime_error("bad");
    records.push_back(r);
  }
  return records;
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

TEST(InquiryOnRealBoard, HeaderMatchesThePinRecords) {
  Session s;
  s.BoardFile = test::SharedBoardFile("teres-main");
  s.CompanionFile = (test::SharedBoardDir("teres-main") / "jet.CON").string();
  ComputeHomeView(s.view, s.BoardFile);
  for (Side side : {Side::Top, Side::Bottom}) {
    const std::vector<Record> records = PinRecords(s.FileOf(side));
    const SideMapping map = SideMapping::Of(s.view, side);
    const double h = s.view.MarkRadius;
    int checked = 0;
    for (const Record& target : records) {
      const PixelPoint c = map.Map(target.x, target.y);
      if (c.x < 0 || c.y < 0 || c.x >= 784 || c.y >= 490) continue;
      const Record* hit = nullptr;
      for (const Record& r : records) {
        const double px = map.scale() * r.x + map.originX();
        const double py =
            side == Side::Top ? map.originY() - map.scale() * r.y : map.scale() * r.y + map.originY();
        if (px - h < c.x && c.x < px + h && py - h < c.y && c.y < py + h) {
          hit = &r;
          break;
        }
      }
      ASSERT_NE(hit, nullptr);
      std::string mates;
      for (const Record& r : records) {
        if (Upper(r.net) == Upper(hit->net) && r.name != hit->name) mates += r.name + " ";
      }
      s.Label1.clear();
      PointInquiry(s, side, static_cast<std::int32_t>(c.x), static_cast<std::int32_t>(c.y));
      ASSERT_EQ(s.HighlightMode, hmPoint);
      EXPECT_EQ(side == Side::Top ? s.PointTopPin : s.PointBottomPin, hit->name);
      if (!hit->name.empty()) {
        EXPECT_EQ(s.Label1, hit->name + "  " + hit->net + "  $" + hit->fourth + "  " + mates);
      }
      if (++checked == 12) break;
    }
    EXPECT_EQ(checked, 12);
  }
}

}  // namespace
}  // namespace vantrel
