// The device search: each device found is framed and labelled on its side's
// picture and named in its slot's header line; then the overview pictures show
// device 1 magnified.
#include "search/device_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/recording_canvas.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::AllBlack;
using test::CountColor;
using test::ExpectFrame;
using test::ExpectLabels;
using test::Header;
using test::PixelAt;

// Both files have an outline 2 wide and 1.25 high: Scale 400, H 8, D 16; board
// point (x, y) is at top pixel (400x - 8, 530 - 400y) and at bottom pixel
// (400x - 8, 30 + 400y). The outline's only visible edge is row 30; the one pin
// of each side sits at (752, 450).
std::string Board(const std::string& title, const std::string& parts) {
  return title + "\n0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\n" + parts +
         "2 2 2 2\n1.9 0.2\n3 3 3 3\n4 4 4 4\n5 5 5 5\n";
}

// Top frames (D = 16 outside the box), label corners (right + D - H + 3,
// upper - H - D):
//   U1    box 92..192 x 330..430   frame (76, 314)-(208, 446)   label (203, 306)
//   N2    box 212..232 x 390..410, never named
//   C7    box 392..432 x 130..170  frame (376, 114)-(448, 186)  label (443, 106)
//   "R2 " (trailing blank) box 592..632 x 410..450
//   DUP   first 92..132 x 130..170, frame (76, 114)-(148, 186); second 632..712 x 130..210
//   BOTH  box 492..592 x 230..330  frame (476, 214)-(608, 346)  label (603, 206)
const std::string kTop = Board("device top",
                               "U1\n0.25 0.5 0.25 0.5\n"
                               "N2\n0.55 0.6 0.3 0.35\n"
                               "C7\n1.0 1.1 0.9 1.0\n"
                               "R2 \n1.5 1.6 0.2 0.3\n"
                               "DUP\n0.25 0.35 0.9 1.0\n"
                               "BOTH\n1.25 1.5 0.5 0.75\n"
                               "DUP\n1.6 1.8 0.8 1.0\n");

// Bottom frames: B1 box 92..192 x 130..230, frame (76, 114)-(208, 246), label
// (203, 106); "Both" has the same frame as the top side's BOTH.
const std::string kBottom = Board("device bottom",
                                  "B1\n0.25 0.5 0.25 0.5\n"
                                  "Both\n1.25 1.5 0.5 0.75\n");

// All below the outline's row 30, where the labels are the only pure red.
const QRect kBelowOutline(0, 31, 784, 459);

class DeviceSearchTest : public test::SearchFixture {
 protected:
  // What the search asked of the overview window.
  int placed = 0;
  int shown = 0;
  OverviewWindowCalls window{[this] { ++placed; }, [this] { ++shown; }};

  // The dialog's OK with the three names; whether the search ran.
  bool Search(const std::string& a, const std::string& b = "", const std::string& c = "") {
    return Ran([&] { return DeviceSearch(s, {a, b, c}, window); });
  }
  void Redraw(const SlotNames& names) {
    Run([&] { RedrawDevice(s, names); });
  }
  using SearchFixture::Open;
  void Open() { Open(kTop, kBottom); }
};

TEST_F(DeviceSearchTest, FramesAndLabelsTheDevicesFound) {
  Open();
  EXPECT_TRUE(Search("U1", "C7"));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.header, (Header{"U1", "C7", ""}));
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmDevice);
  EXPECT_TRUE(s.TopShown());
  ExpectFrame(s.pictures.sides.top, 76, 314, 208, 446);
  ExpectFrame(s.pictures.sides.top, 376, 114, 448, 186);
  ExpectLabels(s.pictures.sides.top, {{203, 306, 20, "U1"}, {443, 106, 20, "C7"}}, kBelowOutline);
  // The dialog's passes: part boxes are filled black, an unnamed one has no frame.
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 576, 394), colors::kOlive);
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 600, 420), colors::kBlack);
  EXPECT_EQ(CountColor(s.pictures.sides.top, QRect(560, 380, 100, 100), colors::kWhite), 0);
  // Nothing on the bottom side.
  EXPECT_EQ(CountColor(s.pictures.sides.bottom, colors::kWhite), 0);
}

TEST_F(DeviceSearchTest, LookupIgnoresLetterCaseAndKeepsTheStoredSpelling) {
  Open();
  Search("u1", "b1", "both");
  EXPECT_TRUE(errors.empty());
  // BOTH is in both files: the bottom file's name line is written last.
  EXPECT_EQ(s.pictures.header, (Header{"U1", "B1", "Both"}));
  ExpectLabels(s.pictures.sides.top, {{203, 306, 20, "U1"}, {603, 206, 20, "BOTH"}}, kBelowOutline);
  ExpectLabels(s.pictures.sides.bottom, {{203, 106, 20, "B1"}, {603, 206, 20, "Both"}}, kBelowOutline);
  ExpectFrame(s.pictures.sides.bottom, 76, 114, 208, 246);
  ExpectFrame(s.pictures.sides.top, 476, 214, 608, 346);
  ExpectFrame(s.pictures.sides.bottom, 476, 214, 608, 346);
}

TEST_F(DeviceSearchTest, AFoundNameIsShownAsTheFileSpellsIt) {
  Open();
  Search("r2 ");  // the stored name has its trailing blank
  EXPECT_EQ(s.pictures.header[0], "R2 ");
  ExpectFrame(s.pictures.sides.top, 576, 394, 648, 466);
}

TEST_F(DeviceSearchTest, SideShown) {
  Open();
  s.view.shown = Side::Bottom;
  Search("U1");  // top only
  EXPECT_TRUE(s.TopShown());
  Search("BOTH");
  EXPECT_FALSE(s.TopShown());
  s.view.shown = Side::Top;
  Search("NOPE");  // nowhere: unchanged
  EXPECT_TRUE(s.TopShown());
  s.view.shown = Side::Bottom;
  Search("NOPE");
  EXPECT_FALSE(s.TopShown());
  Search("B1", "U1");  // slot 1 on the bottom only, slot 2 on the top only
  EXPECT_FALSE(s.TopShown());
  EXPECT_EQ(s.pictures.header, (Header{"B1", "U1", ""}));
}

TEST_F(DeviceSearchTest, OnlyTheFirstLineOfANameIsMarked) {
  Open();
  Search("dup");
  EXPECT_EQ(s.pictures.header[0], "DUP");
  ExpectFrame(s.pictures.sides.top, 76, 114, 148, 186);
  EXPECT_EQ(CountColor(s.pictures.sides.top, QRect(600, 100, 140, 140), colors::kWhite), 0);
  ExpectLabels(s.pictures.sides.top, {{143, 106, 20, "DUP"}}, kBelowOutline);
}

TEST_F(DeviceSearchTest, TheLastBoxLineTakenForANameReadsTheEndMarkerAsItsBox) {
  // The last box line is followed by "2 2 2 2", which reads as the box
  // (2, 2, 2, 2): the device is framed far above the picture, and the name
  // line is the coordinate text. The marker is gone then, so the overview's
  // scan, which looks for every device of the name, runs to the end of the
  // file and stops the search there.
  Open();
  s.view.shown = Side::Bottom;
  EXPECT_FALSE(Search("1.6 1.8 0.8 1.0"));
  EXPECT_EQ(errors, (std::vector<std::string>{"Read beyond end of file."}));
  EXPECT_EQ(s.pictures.header[0], "1.6 1.8 0.8 1.0");
  EXPECT_TRUE(s.TopShown());
  EXPECT_EQ(CountColor(s.pictures.sides.top, colors::kWhite), 0);
}

TEST_F(DeviceSearchTest, ReversedBoxIsFramedWithoutReordering) {
  Open(Board("reversed", "REV\n0.5 0.25 0.5 0.25\n"), kBottom);
  Search("REV");
  // left 192, right 92, upper Y(0.25) = 430, lower Y(0.5) = 330: the margin
  // moves the lines inwards, to x 176 and 108, y 414 and 346.
  EXPECT_EQ(s.pictures.header[0], "REV");
  ExpectFrame(s.pictures.sides.top, 108, 346, 176, 414);
}

TEST_F(DeviceSearchTest, ReturnsToTheHomeView) {
  Open();
  const ViewState home = s.view;
  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  s.view.TopOriginX += 160;
  Search("U1");
  EXPECT_EQ(s.view, home);
  ExpectFrame(s.pictures.sides.top, 76, 314, 208, 446);
}

TEST_F(DeviceSearchTest, ThreeDevicesOnTheBottomSide) {
  Open(kTop, Board("three", "Q1\n0.25 0.5 0.25 0.5\nQ2\n1.0 1.1 0.25 0.5\nQ3\n1.5 1.75 0.75 1.0\n"));
  Search("Q1", "Q2", "Q3");
  EXPECT_EQ(s.pictures.header, (Header{"Q1", "Q2", "Q3"}));
  EXPECT_FALSE(s.TopShown());
  ExpectFrame(s.pictures.sides.bottom, 76, 114, 208, 246);
  ExpectFrame(s.pictures.sides.bottom, 376, 114, 448, 246);
  ExpectFrame(s.pictures.sides.bottom, 576, 314, 708, 446);
  ExpectLabels(s.pictures.sides.bottom, {{203, 106, 20, "Q1"}, {443, 106, 20, "Q2"}, {703, 306, 20, "Q3"}},
               kBelowOutline);
}

TEST_F(DeviceSearchTest, RedrawMarksTheSideShownAtTheCurrentView) {
  Open();
  Search("U1", "B1");
  ASSERT_FALSE(s.TopShown());
  const QImage topAfterSearch = s.pictures.sides.top.image().copy();

  // Pan by one step (80 pixels) to the right and down: only the bottom side
  // is redrawn; the labels keep their text.
  s.view.TopOriginX += 80;
  s.view.BottomOriginX += 80;
  s.view.TopOriginY += 80;
  s.view.BottomOriginY += 80;
  s.pictures.header[0] = "kept";
  Redraw({"U1", "B1", ""});
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.sides.top.image(), topAfterSearch);
  EXPECT_FALSE(s.TopShown());
  EXPECT_EQ(s.pictures.header, (Header{"kept", "B1", ""}));
  ExpectFrame(s.pictures.sides.bottom, 156, 194, 288, 326);
  // The outline now shows on row 110 and column 72; the label lies clear of it.
  ExpectLabels(s.pictures.sides.bottom, {{283, 186, 20, "B1"}}, QRect(150, 120, 300, 200));
  // "Both" is not named: its part box (corner at (556, 294)) has no frame.
  EXPECT_EQ(PixelAt(s.pictures.sides.bottom, 556, 294), colors::kOlive);
  EXPECT_EQ(CountColor(s.pictures.sides.bottom, QRect(540, 280, 150, 150), colors::kWhite), 0);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmDevice);

  // Zoom in twice from the home view: Scale 480, D 18, H 9, origins centred
  // on the board at row 245: top (-88, 545), bottom (-88, -55).
  RestoreHomeView(s.view);
  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  ASSERT_EQ(s.view.MarkMargin, 18);
  s.view.shown = Side::Top;
  s.pictures.ClearHeader();
  Redraw({"U1", "B1", ""});
  // U1: left 32, right 152, upper 305, lower 425; the label at
  // (152 + 18 - 9 + 3, 305 - 9 - 18) in 22 points.
  EXPECT_EQ(s.pictures.header, (Header{"U1", "", ""}));
  ExpectFrame(s.pictures.sides.top, 14, 287, 170, 443);
  ExpectLabels(s.pictures.sides.top, {{164, 278, 22, "U1"}}, kBelowOutline);
  EXPECT_TRUE(s.TopShown());
}

TEST_F(DeviceSearchTest, ARedrawSearchesTheNamesItIsGiven) {
  Open();
  Search("U1");
  s.pictures.header[0] = "U1";
  Redraw({"", "", ""});
  EXPECT_EQ(s.pictures.header, (Header{"U1", "", ""}));
  EXPECT_EQ(CountColor(s.pictures.sides.top, colors::kWhite), 0);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmDevice);

  Redraw({"", "", "c7"});
  EXPECT_EQ(s.pictures.header[2], "C7");
}

// The real boards, checked against a plain reading of their part sections.
bool Holds(const std::vector<test::PartLine>& parts, const std::string& name) {
  return std::any_of(parts.begin(), parts.end(),
                     [&](const test::PartLine& p) { return test::FoldCase(p.name) == test::FoldCase(name); });
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class DeviceRealBoard : public DeviceSearchTest, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override { OpenRealBoard(GetParam()); }

  // The lower corners of the frame, D outside the box, where no label reaches:
  // the box's lower edge is y1 on the top side and y2 on the turned-over bottom.
  std::vector<PixelPoint> LowerCorners(Side side, const test::PartLine& p) const {
    const std::int64_t d = s.view.MarkMargin;
    const double lowerY = side == Side::Top ? p.y1 : p.y2;
    const PixelPoint left = PixelOf(side, p.x1, lowerY);
    const PixelPoint right = PixelOf(side, p.x2, lowerY);
    return {{left.x - d, left.y + d}, {right.x + d, right.y + d}};
  }
  bool InView(Side side, const test::PartLine& p) const {
    for (const PixelPoint& c : LowerCorners(side, p)) {
      if (c.x < 0 || c.y < 0 || c.x >= 784 || c.y >= 490) return false;
    }
    return true;
  }
  void ExpectFrameCorners(Side side, const test::PartLine& p) {
    for (const PixelPoint& c : LowerCorners(side, p)) {
      EXPECT_EQ(PixelAt(s.PictureOf(side), c.x, c.y), colors::kWhite) << p.name;
    }
  }
};

TEST_P(DeviceRealBoard, FindsDevicesOfEitherSide) {
  const std::vector<test::PartLine> top = test::PartsOf(s.document.BoardFile);
  const std::vector<test::PartLine> bottom = test::PartsOf(s.document.CompanionFile);
  ASSERT_FALSE(top.empty());
  // A device of the top side only, typed in lower case.
  const test::PartLine* topOnly = nullptr;
  for (const test::PartLine& p : top) {
    if (!Holds(bottom, p.name) && Lower(p.name) != p.name && InView(Side::Top, p)) {
      topOnly = &p;
      break;
    }
  }
  ASSERT_NE(topOnly, nullptr);
  Search(Lower(topOnly->name));
  ASSERT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(s.pictures.header[0], topOnly->name);
  EXPECT_TRUE(s.TopShown());
  ExpectFrameCorners(Side::Top, *topOnly);

  // The first device in view on the bottom side, with it the top-only one in slot 3.
  if (bottom.empty()) return;  // teres-kbd has no part on its bottom side
  const test::PartLine* first = nullptr;
  for (const test::PartLine& p : bottom) {
    if (InView(Side::Bottom, p)) {
      first = &p;
      break;
    }
  }
  ASSERT_NE(first, nullptr);
  Search("", first->name, topOnly->name);
  ASSERT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(s.pictures.header, (Header{"", first->name, topOnly->name}));
  EXPECT_FALSE(s.TopShown());
  ExpectFrameCorners(Side::Bottom, *first);
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmDevice);

  Redraw({"", first->name, topOnly->name});
  ExpectFrameCorners(Side::Bottom, *first);
}

INSTANTIATE_TEST_SUITE_P(Boards, DeviceRealBoard, testing::Values("teres-main", "teres-kbd", "csi-adapter"));

// The overview of device 1. It draws at k = Scale + 100 = 500 with part margin
// 20, pin radius 10, frame margin 20 and labels of 24 points at
// (right + 14, upper - 21):
//   U1 on the top side: origin (round(-44.5), round(294.5)) = (-44, 294): box
//      81..206 x 44..169, frame (61, 24)-(226, 189), label (220, 23)
//   N2 with U1's origin: box 231..256 x 119..144, part box (211, 99)-(276, 164)
//   DUP, the second one: origin (-707, 557): box 93..193 x 57..157, frame
//      (73, 37)-(213, 177) centred on (143, 107), label (207, 36)
//   B1 on the bottom side: origin (-44, round(-80.5)) = (-44, -80): box
//      81..206 x 45..170, frame (61, 25)-(226, 190), label (220, 24)
using Overview = DeviceSearchTest;

TEST_F(Overview, TopDeviceIsCentredAndFramed) {
  Open();
  Search("U1");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.overview.state.origin.x, -44);  // -44.5, half to even
  EXPECT_EQ(s.pictures.overview.state.origin.y, 294);  // 294.5
  const ImageCanvas& top = s.pictures.overview.pictures.top;
  ASSERT_EQ(top.image().size(), QSize(287, 215));
  ExpectFrame(top, 61, 24, 226, 189);
  ExpectLabels(top, {{220, 23, 24, "U1"}});
  // The part box of the overview: margin 20, filled black.
  EXPECT_EQ(PixelAt(top, 100, 188), colors::kOlive);
  EXPECT_EQ(PixelAt(top, 100, 100), colors::kBlack);
  EXPECT_TRUE(s.pictures.overview.Drawn(Side::Top));
  EXPECT_FALSE(s.pictures.overview.Drawn(Side::Bottom));
  EXPECT_TRUE(AllBlack(s.pictures.overview.pictures.bottom));
}

TEST_F(Overview, FiguresOfOneDevice) {
  Open();
  const PartRecord u1{"U1", BoardBox{0.25, 0.5, 0.25, 0.5}};
  const OverviewOrigin origin = OverviewOriginOf(s.view, Side::Top, u1.box);
  EXPECT_EQ(origin.x, -44);
  EXPECT_EQ(origin.y, 294);
  test::RecordingCanvas canvas(287, 215);
  DrawDeviceOverview(s.view, Side::Top, s.document.BoardFile, u1, origin, canvas);

  using Corners = std::vector<std::int64_t>;
  auto corners = [](const test::Figure& f) { return Corners{f.x1, f.y1, f.x2, f.y2}; };
  // The clear covers as much as a main-window picture.
  const auto fills = canvas.Of(test::Figure::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(corners(fills[0]), (Corners{0, 0, 784, 490}));
  // Part boxes with margin 20 (U1 first), pins with radius 10.
  const auto boxes = canvas.Of(test::Figure::Rectangle);
  ASSERT_EQ(boxes.size(), 7u);
  EXPECT_EQ(corners(boxes[0]), (Corners{61, 24, 226, 189}));
  EXPECT_EQ(corners(boxes[1]), (Corners{211, 99, 276, 164}));
  const auto pins = canvas.Of(test::Figure::Ellipse);
  ASSERT_EQ(pins.size(), 1u);
  EXPECT_EQ(pins[0].x2 - pins[0].x1, 20);
  // The frame: the last four lines, after the outline's.
  const auto lines = canvas.Of(test::Figure::Line);
  ASSERT_GE(lines.size(), 4u);
  const Corners frame[4] = {{61, 24, 226, 24}, {226, 24, 226, 189}, {226, 189, 61, 189}, {61, 189, 61, 24}};
  for (std::size_t i = 0; i < 4; ++i) {
    const test::Figure& line = lines[lines.size() - 4 + i];
    EXPECT_EQ(corners(line), frame[i]);
    EXPECT_EQ(line.state.penColor, colors::kWhite);
    EXPECT_EQ(line.state.penWidth, 1);
  }
  const auto texts = canvas.Of(test::Figure::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "U1");
  EXPECT_EQ(texts[0].x1, 220);
  EXPECT_EQ(texts[0].y1, 23);
  EXPECT_EQ(texts[0].state.fontName, "Times New Roman");
  EXPECT_EQ(texts[0].state.fontSizePt, 24);
  EXPECT_EQ(texts[0].state.fontColor, colors::kRed);
  EXPECT_EQ(texts[0].state.brushStyle, BrushStyle::Clear);
}

TEST_F(Overview, OnlyDeviceOneIsFramed) {
  Open();
  Search("U1", "N2");
  // N2 is framed on the main window but is a plain part box in the overview.
  EXPECT_EQ(s.pictures.header[1], "N2");
  EXPECT_EQ(PixelAt(s.pictures.overview.pictures.top, 275, 120), colors::kOlive);
  EXPECT_EQ(CountColor(s.pictures.overview.pictures.top, QRect(230, 95, 57, 80), colors::kWhite), 0);
  ExpectLabels(s.pictures.overview.pictures.top, {{220, 23, 24, "U1"}});  // and no other label
}

TEST_F(Overview, LastDeviceOfTheNameStaysInView) {
  Open();
  Search("dup");
  // The main window marks the first DUP, the overview centres on the second.
  EXPECT_EQ(s.pictures.header[0], "DUP");
  EXPECT_EQ(PixelAt(s.pictures.sides.top, 76, 150), colors::kWhite);
  EXPECT_EQ(CountColor(s.pictures.sides.top, QRect(600, 100, 140, 140), colors::kWhite), 0);
  EXPECT_EQ(shown, 2) << "the top pass shows the window at each device";
  EXPECT_EQ(s.pictures.overview.state.origin.x, -707);
  EXPECT_EQ(s.pictures.overview.state.origin.y, 557);
  ExpectFrame(s.pictures.overview.pictures.top, 73, 37, 213, 177);
  EXPECT_EQ((73 + 213) / 2, kOverviewCentreX);
  EXPECT_EQ((37 + 177) / 2, kOverviewCentreY);
  ExpectLabels(s.pictures.overview.pictures.top, {{207, 36, 24, "DUP"}});
}

TEST_F(Overview, BottomDeviceUsesTheBottomMapping) {
  Open();
  Search("b1");
  EXPECT_EQ(s.pictures.overview.state.origin.x, -44);
  EXPECT_EQ(s.pictures.overview.state.origin.y, -80);  // -80.5, half to even
  ExpectFrame(s.pictures.overview.pictures.bottom, 61, 25, 226, 190);
  ExpectLabels(s.pictures.overview.pictures.bottom, {{220, 24, 24, "B1"}});
  EXPECT_TRUE(AllBlack(s.pictures.overview.pictures.top));
  EXPECT_FALSE(s.pictures.overview.Drawn(Side::Top));
}

// What the search asks of the overview window for device 1 on the side it
// leaves shown: with a name, the window is placed and its picture chosen; the
// top pass shows it at each device it draws, the bottom pass once at its end,
// drawn or not. Without a name the bottom pass only shows it.
struct WindowCalls {
  const char* name;
  const char* device1;
  const char* device2;
  bool topShown;  // after the search
  int placed;
  int shown;
  std::optional<Side> chosen;
  bool drawn;  // the chosen picture
};

void PrintTo(const WindowCalls& c, std::ostream* os) { *os << c.name; }

class WhatTheWindowIsAsked : public Overview, public testing::WithParamInterface<WindowCalls> {};

TEST_P(WhatTheWindowIsAsked, ForTheSideShown) {
  const WindowCalls& c = GetParam();
  Open();
  Search(c.device1, c.device2);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.TopShown(), c.topShown);
  EXPECT_EQ(placed, c.placed);
  EXPECT_EQ(shown, c.shown);
  EXPECT_EQ(s.pictures.overview.state.shown, c.chosen);
  if (!c.chosen) return;
  EXPECT_EQ(
      *c.chosen == Side::Top ? s.pictures.overview.Drawn(Side::Top) : s.pictures.overview.Drawn(Side::Bottom),
      c.drawn);
  EXPECT_EQ(AllBlack(s.pictures.overview.pictures[*c.chosen]), !c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, WhatTheWindowIsAsked,
    testing::Values(WindowCalls{"OnTheTop", "U1", "", true, 1, 1, Side::Top, true},
                    WindowCalls{"OnTheBottom", "b1", "", false, 1, 1, Side::Bottom, true},
                    WindowCalls{"NoneOnTheTop", "NOPE", "U1", true, 1, 0, Side::Top, false},
                    WindowCalls{"NoneOnTheBottom", "NOPE", "B1", false, 1, 1, Side::Bottom, false},
                    WindowCalls{"NoNameOnTheTop", "", "U1", true, 0, 0, std::nullopt, false},
                    WindowCalls{"NoNameOnTheBottom", "", "B1", false, 0, 1, std::nullopt, false}),
    test::ByName());

TEST_F(Overview, AnEmptyFirstNameLeavesTheOverviewAlone) {
  Open();
  Search("B1");
  const QImage bottom = s.pictures.overview.pictures.bottom.image().copy();
  placed = shown = 0;

  // Top side shown: nothing happens to the window.
  Search("", "U1");
  EXPECT_TRUE(s.TopShown());
  EXPECT_EQ(placed + shown, 0);
  EXPECT_EQ(s.pictures.overview.state.shown, Side::Bottom);

  // Bottom side shown: the window is shown as it was, where it was.
  Search("", "B1");
  EXPECT_FALSE(s.TopShown());
  EXPECT_EQ(placed, 0);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(s.pictures.overview.state.shown, Side::Bottom);
  EXPECT_EQ(s.pictures.overview.pictures.bottom.image(), bottom);
  EXPECT_TRUE(AllBlack(s.pictures.overview.pictures.top));
}

TEST_F(Overview, ZoomAndRedrawLeaveItAsItIs) {
  Open();
  Search("U1");
  const QImage top = s.pictures.overview.pictures.top.image().copy();
  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  ASSERT_TRUE(ZoomKey(s.view, Zoom::In));
  placed = shown = 0;
  Redraw({"U1", "", ""});
  EXPECT_EQ(s.pictures.overview.pictures.top.image(), top);
  EXPECT_EQ(placed + shown, 0);

  // A new search returns to the home view first: the same overview again.
  Search("U1");
  EXPECT_EQ(s.pictures.overview.state.origin.x, -44);
  EXPECT_EQ(s.pictures.overview.pictures.top.image(), top);
}

TEST_F(Overview, ADeviceLargerThanThePictureIsClipped) {
  Open(Board("big", "BIG\n-5 5 -5 5\n"), kBottom);
  Search("BIG");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.pictures.overview.state.origin.x, 143);
  EXPECT_EQ(s.pictures.overview.state.origin.y, 107);
  // Frame, box outline and label all lie outside: the picture is the box's
  // black inside.
  EXPECT_TRUE(AllBlack(s.pictures.overview.pictures.top));
  EXPECT_EQ(shown, 1);
}

TEST_F(Overview, AnErrorInALaterDeviceStopsTheSearch) {
  // A part named like a box line: the overview, which looks at every line of
  // the name, takes Q's box line for a second device and reads "R" as its box.
  Open(Board("box line as name",
             "0.5 0.6 0.5 0.6\n0.25 0.5 0.25 0.5\n"
             "Q\n0.5 0.6 0.5 0.6\n"
             "R\n1.0 1.1 0.9 1.0\n"),
       kBottom);
  EXPECT_FALSE(Search("0.5 0.6 0.5 0.6"));
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid numeric input."}));
  EXPECT_EQ(s.highlight.mode, HighlightMode::hmBoard);
  // The first device was drawn and the window shown before the error.
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(s.pictures.overview.state.origin.x, -44);
  ExpectFrame(s.pictures.overview.pictures.top, 61, 24, 226, 189);
}

// The devices between the first and the last of a name leave nothing behind:
// the picture and the window's calls are as if each had been drawn.
TEST_F(Overview, ManyDevicesOfOneNameShowTheLast) {
  // The last TRI sits where C7 sits on kTop; the others lie far out of its view.
  auto board = [](const std::string& first, const std::string& second) {
    return Board("tri", first + "\n-40 -39 -40 -39\n" + second + "\n40 41 40 41\nTRI\n1.0 1.1 0.9 1.0\n");
  };
  Open(board("A", "B"), kBottom);
  Search("tri");
  const QImage one = s.pictures.overview.pictures.top.image();
  ASSERT_EQ(shown, 1);

  shown = 0;
  Open(board("TRI", "TRI"), kBottom);
  Search("tri");
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(s.pictures.overview.state.origin.x,
            OverviewOriginOf(s.view, Side::Top, BoardBox{1.0, 1.1, 0.9, 1.0}).x);
  EXPECT_EQ(s.pictures.overview.pictures.top.image(), one);
}

// A later device whose drawing cannot be mapped to pixels stops the run with
// "Invalid floating point operation", as it would had every device before it
// been drawn.
TEST_F(Overview, ALaterDeviceOutOfPixelRangeStopsTheRun) {
  auto board = [](const std::string& parts, const std::string& pin) {
    return "range\n0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\n" + parts + "2 2 2 2\n" + pin +
           "\n3 3 3 3\n4 4 4 4\n5 5 5 5\n";
  };
  // Two M far to the left, then one further left whose own origin leaves the
  // range: the picture keeps the second M's drawing.
  auto parts = [](const char* a, const char* b, const char* c) {
    return std::string(a) + "\n-1000000 -999999.9 0.25 0.5\n" + b + "\n-1000000 -999999.9 0.5 0.75\n" + c +
           "\n-5000000 -4999999.9 0.25 0.5\n" + c + "\n1.0 1.1 0.9 1.0\n";
  };
  Open(board(parts("X", "M", "X"), "1.9 0.2"), kBottom);
  ASSERT_TRUE(Search("M"));
  const QImage secondDrawn = s.pictures.overview.pictures.top.image();
  shown = 0;
  Open(board(parts("M", "M", "M"), "1.9 0.2"), kBottom);
  EXPECT_FALSE(Search("M"));
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid floating point operation."}));
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(s.pictures.overview.state.origin.y,
            OverviewOriginOf(s.view, Side::Top, {-1000000, -999999.9, 0.5, 0.75}).y);
  EXPECT_EQ(s.pictures.overview.pictures.top.image(), secondDrawn);

  // The second M's origin is in range, but the pin 1e6 to its right is not:
  // the outline and the boxes are drawn at that origin, then the pins stop.
  errors.clear();
  shown = 0;
  const BoardBox far{-4000000, -3999999.9, 0.25, 0.5};
  Open(board("M\n0.25 0.5 0.25 0.5\nM\n-4000000 -3999999.9 0.25 0.5\nM\n1.0 1.1 0.9 1.0\n", "1000000 0.2"),
       kBottom);
  EXPECT_FALSE(Search("M"));
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid floating point operation."}));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(s.pictures.overview.state.origin.x, OverviewOriginOf(s.view, Side::Top, far).x);
  EXPECT_GT(CountColor(s.pictures.overview.pictures.top, colors::kOlive), 0);
  EXPECT_EQ(CountColor(s.pictures.overview.pictures.top, colors::kWhite), 0) << "no frame";
}

// The real boards: device 1 of either side lands in the middle of the picture.
class OverviewRealBoard : public Overview, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override { OpenRealBoard(GetParam()); }
};

TEST_P(OverviewRealBoard, DeviceOneIsCentred) {
  const std::vector<test::PartLine> bottomParts = test::PartsOf(s.document.CompanionFile);
  for (Side side : {Side::Top, Side::Bottom}) {
    // The last part of the file, so that no later line of its name exists; on
    // the top side the last one that the bottom side does not hold.
    const std::vector<test::PartLine> sideParts = test::PartsOf(s.FileOf(side));
    const test::PartLine* p = nullptr;
    for (const test::PartLine& part : sideParts) {
      const bool onBottom = std::any_of(bottomParts.begin(), bottomParts.end(), [&](const test::PartLine& b) {
        return test::FoldCase(b.name) == test::FoldCase(part.name);
      });
      if (side == Side::Bottom || !onBottom) p = &part;
    }
    if (!p) continue;  // teres-kbd has no part on its bottom side
    Search(p->name);
    ASSERT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(s.TopShown(), side == Side::Top) << p->name;
    EXPECT_EQ(s.pictures.overview.state.shown, side);
    const double k = s.view.Scale + 100;
    const ImageCanvas& image = s.pictures.overview.pictures[side];
    const std::int32_t ox = s.pictures.overview.state.origin.x;
    const std::int32_t oy = s.pictures.overview.state.origin.y;
    const double middleY = k * (p->y1 + p->y2) / 2;
    EXPECT_NEAR(k * (p->x1 + p->x2) / 2 + ox, 143, 0.5) << p->name;
    EXPECT_NEAR(side == Side::Top ? oy - middleY : oy + middleY, 107, 0.5) << p->name;
    // The lower corners of the frame, D + 4 outside the box, where the label
    // does not reach.
    const std::int64_t m = s.view.MarkMargin + 4;
    const double lowerY = side == Side::Top ? p->y1 : p->y2;
    const PixelPoint left = test::PixelOn(side, k, ox, oy, p->x1, lowerY);
    const PixelPoint right = test::PixelOn(side, k, ox, oy, p->x2, lowerY);
    for (const std::int64_t x : {left.x - m, right.x + m}) {
      if (x < 0 || x >= image.width() || left.y + m >= image.height()) continue;
      EXPECT_EQ(PixelAt(image, x, left.y + m), colors::kWhite) << p->name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Boards, OverviewRealBoard,
                         testing::Values("teres-main", "teres-kbd", "csi-adapter"));

}  // namespace
}  // namespace vantrel
