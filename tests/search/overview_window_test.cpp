#include "search/overview_window.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "board/board_scan.h"
#include "search/device_dialog.h"
#include "search/device_search.h"
#include "search/error_handler.h"
#include "search/session.h"
#include "support/recording_canvas.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

// Both files have an outline 2 wide and 1.25 high: Scale 400, H 8, D 16, so
// the overview draws at k = 500 with part margin 20, pin radius 10, frame
// margin 20 and labels of 24 points at (right + 14, upper - 21).
std::string Board(const std::string& title, const std::string& parts) {
  return title + "\n0 0\n2 0\n2 1.25\n0 1.25\n0 0\n1 1 1 1\n" + parts +
         "2 2 2 2\n1.9 0.2\n3 3 3 3\n4 4 4 4\n5 5 5 5\n";
}

// Overview of the top side:
//   U1   origin (round(-44.5), round(294.5)) = (-44, 294): box 81..206 x 44..169,
//        frame (61, 24)-(226, 189), label (220, 23)
//   N2   with U1's origin: box 231..256 x 119..144, part box (211, 99)-(276, 164)
//   DUP  the second one, origin (-707, 557): box 93..193 x 57..157, frame
//        (73, 37)-(213, 177) centred on (143, 107), label (207, 36)
const std::string kTop = Board("overview top",
                               "U1\n0.25 0.5 0.25 0.5\n"
                               "N2\n0.55 0.6 0.3 0.35\n"
                               "DUP\n0.25 0.35 0.9 1.0\n"
                               "DUP\n1.6 1.8 0.8 1.0\n");

// Overview of the bottom side:
//   B1   origin (-44, round(-80.5)) = (-44, -80): box 81..206 x 45..170,
//        frame (61, 25)-(226, 190), label (220, 24)
const std::string kBottom = Board("overview bottom", "B1\n0.25 0.5 0.25 0.5\n");

Color PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return static_cast<Color>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}
Color PixelAt(const ImageCanvas& canvas, int x, int y) { return PixelAt(canvas.image(), x, y); }

int CountColor(const ImageCanvas& canvas, QRect area, Color color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += PixelAt(canvas, x, y) == color;
  }
  return n;
}

// The open frame through the four corners is white (or a label's red over
// it); the pixels just inside and outside each edge are not white.
void ExpectFrame(const ImageCanvas& canvas, int left, int upper, int right, int lower) {
  int white = 0, total = 0;
  auto onFrame = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) return;
    const Color c = PixelAt(canvas, x, y);
    EXPECT_EQ(RedOf(c), 255) << "(" << x << ", " << y << ")";
    white += c == colors::kWhite;
    ++total;
  };
  for (int x = left; x <= right; ++x) onFrame(x, upper), onFrame(x, lower);
  for (int y = upper; y <= lower; ++y) onFrame(left, y), onFrame(right, y);
  EXPECT_GT(white, total * 3 / 4);
  const int midX = (left + right) / 2, midY = (upper + lower) / 2;
  const std::pair<int, int> beside[] = {{left - 1, midY},  {left + 1, midY},  {right - 1, midY},
                                        {right + 1, midY}, {midX, upper - 1}, {midX, upper + 1},
                                        {midX, lower - 1}, {midX, lower + 1}};
  for (auto [x, y] : beside) {
    EXPECT_NE(PixelAt(canvas, x, y), colors::kWhite) << "(" << x << ", " << y << ")";
  }
}

// The pure red pixels of the picture are exactly those of the name drawn on
// its own in red "Times New Roman" at the point, without a background (the
// board outline lies outside every overview below).
void ExpectLabel(const ImageCanvas& canvas, int x, int y, int points, const std::string& text) {
  ImageCanvas expected(canvas.width(), canvas.height());
  expected.setBrushStyle(BrushStyle::Clear);
  expected.setFontName("Times New Roman");
  expected.setFontSize(points);
  expected.setFontColor(colors::kRed);
  expected.textOut(x, y, text);
  int red = 0;
  for (int py = 0; py < canvas.height(); ++py) {
    for (int px = 0; px < canvas.width(); ++px) {
      const bool want = PixelAt(expected, px, py) == colors::kRed;
      red += want;
      if (want != (PixelAt(canvas, px, py) == colors::kRed)) {
        ADD_FAILURE() << "red at (" << px << ", " << py << "): expected " << want;
        return;
      }
    }
  }
  EXPECT_GT(red, 0);
}

bool NeverDrawn(const ImageCanvas& canvas) {
  return CountColor(canvas, QRect(0, 0, canvas.width(), canvas.height()), colors::kBlack) ==
         canvas.width() * canvas.height();
}

class Overview : public testing::Test {
 protected:
  void SetUp() override {
    SetErrorReporter([this](const std::string& text) { errors.push_back(text); });
    s.parts = &parts;
    s.overview = &overview;
  }
  void TearDown() override { SetErrorReporter(nullptr); }

  void Open(const std::string& top = kTop, const std::string& bottom = kBottom) {
    s.BoardFile = dir.Write("b.brd", top);
    s.CompanionFile = dir.Write("jet.CON", bottom);
    ComputeHomeView(s.view, s.BoardFile);
    RunLayerPasses(s, Variant::Main, PassOrder::LayerByLayer);
    s.Image1Visible = true;
    s.HighlightMode = hmBoard;
  }

  void Search(const std::string& a, const std::string& b = "", const std::string& c = "") {
    parts.ClearFields();
    parts.ShowDialog();
    parts.SetFieldText(1, a);
    parts.SetFieldText(2, b);
    parts.SetFieldText(3, c);
    QTest::mouseClick(parts.ok, Qt::LeftButton);
  }

  // The window as it is seen, in its own pixels.
  QImage Seen() { return overview.grab().toImage(); }

  TempDir dir;
  Session s;
  TFrm_Parts parts{s};
  TForm8 overview{s};
  std::vector<std::string> errors;
};

constexpr Color kMoneyGreen = colors::kMoneyGreen;

TEST_F(Overview, StartsHiddenAsDesigned) {
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(400, 331));
  EXPECT_EQ(overview.size(), QSize(292, 219));
  EXPECT_TRUE(overview.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(overview.isWindow());
  EXPECT_EQ(overview.Shows(), "");
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

TEST_F(Overview, TopDeviceIsCentredAndFramed) {
  Open();
  Search("U1");
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(514, 386));
  EXPECT_EQ(overview.Shows(), "top");
  EXPECT_EQ(overview.OverviewOriginX(), -44);  // -44.5, half to even
  EXPECT_EQ(overview.OverviewOriginY(), 294);  // 294.5
  const ImageCanvas& top = overview.TopImage();
  ExpectFrame(top, 61, 24, 226, 189);
  ExpectLabel(top, 220, 23, 24, "U1");
  // The part box of the overview variant: margin 20, filled black.
  EXPECT_EQ(PixelAt(top, 100, 188), colors::kOlive);
  EXPECT_EQ(PixelAt(top, 100, 100), colors::kBlack);
  EXPECT_TRUE(NeverDrawn(overview.BottomImage()));

  // The window shows the top picture inside a money-green margin of 2 pixels
  // on the left, top and bottom and 3 on the right.
  const QImage seen = Seen();
  EXPECT_EQ(PixelAt(seen, 2 + 61, 2 + 100), colors::kWhite);
  EXPECT_EQ(PixelAt(seen, 2 + 100, 2 + 100), colors::kBlack);
  for (auto [x, y] : {std::pair{1, 100}, {100, 1}, {289, 100}, {291, 100}, {100, 217}, {100, 218}}) {
    EXPECT_EQ(PixelAt(seen, x, y), kMoneyGreen) << x << ", " << y;
  }
  EXPECT_EQ(PixelAt(seen, 288, 100), colors::kBlack);
  EXPECT_EQ(PixelAt(seen, 100, 216), colors::kBlack);
}

TEST_F(Overview, OverviewFiguresOfOneDevice) {
  Open();
  const DeviceRecord u1{"U1", BoardBox{0.25, 0.5, 0.25, 0.5}};
  const OverviewOrigin origin = OverviewOriginOf(s.view, Side::Top, u1.box);
  EXPECT_EQ(origin.x, -44);
  EXPECT_EQ(origin.y, 294);
  test::RecordingCanvas canvas(287, 215);
  DrawDeviceOverview(s.view, Side::Top, s.BoardFile, u1, origin, canvas);

  // The clear covers as much as a main-window picture.
  const auto fills = canvas.Of(test::Figure::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ((std::vector<std::int64_t>{fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2}),
            (std::vector<std::int64_t>{0, 0, 784, 490}));
  // Part boxes with margin 20, pins with radius 10.
  const auto boxes = canvas.Of(test::Figure::Rectangle);
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ((std::vector<std::int64_t>{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
            (std::vector<std::int64_t>{61, 24, 226, 189}));
  const auto pins = canvas.Of(test::Figure::Ellipse);
  ASSERT_EQ(pins.size(), 1u);
  EXPECT_EQ(pins[0].x2 - pins[0].x1, 20);
  // The frame: the last four lines, after the outline's.
  const auto lines = canvas.Of(test::Figure::Line);
  ASSERT_GE(lines.size(), 4u);
  const std::int64_t frame[4][4] = {
      {61, 24, 226, 24}, {226, 24, 226, 189}, {226, 189, 61, 189}, {61, 189, 61, 24}};
  for (std::size_t i = 0; i < 4; ++i) {
    const test::Figure& line = lines[lines.size() - 4 + i];
    EXPECT_EQ((std::vector<std::int64_t>{line.x1, line.y1, line.x2, line.y2}),
              (std::vector<std::int64_t>(frame[i], frame[i] + 4)));
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
  EXPECT_EQ(s.Label2, "N2");
  EXPECT_EQ(PixelAt(overview.TopImage(), 275, 120), colors::kOlive);
  EXPECT_EQ(CountColor(overview.TopImage(), QRect(230, 95, 57, 80), colors::kWhite), 0);
  ExpectLabel(overview.TopImage(), 220, 23, 24, "U1");  // and no other label
}

TEST_F(Overview, LastDeviceOfTheNameStaysInView) {
  Open();
  Search("dup");
  // The main window marks the first DUP, the overview centres on the second.
  EXPECT_EQ(s.Label1, "DUP");
  EXPECT_EQ(PixelAt(s.Image1, 76, 150), colors::kWhite);
  EXPECT_EQ(CountColor(s.Image1, QRect(600, 100, 140, 140), colors::kWhite), 0);
  EXPECT_EQ(overview.OverviewOriginX(), -707);
  EXPECT_EQ(overview.OverviewOriginY(), 557);
  ExpectFrame(overview.TopImage(), 73, 37, 213, 177);
  EXPECT_EQ((73 + 213) / 2, kOverviewCentreX);
  EXPECT_EQ((37 + 177) / 2, kOverviewCentreY);
  ExpectLabel(overview.TopImage(), 207, 36, 24, "DUP");
}

TEST_F(Overview, BottomDeviceUsesTheBottomMapping) {
  Open();
  Search("b1");
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.Shows(), "bottom");
  EXPECT_EQ(overview.OverviewOriginX(), -44);
  EXPECT_EQ(overview.OverviewOriginY(), -80);  // -80.5, half to even
  ExpectFrame(overview.BottomImage(), 61, 25, 226, 190);
  ExpectLabel(overview.BottomImage(), 220, 24, 24, "B1");
  EXPECT_TRUE(NeverDrawn(overview.TopImage()));
  EXPECT_EQ(PixelAt(Seen(), 2 + 61, 2 + 100), colors::kWhite);
}

TEST_F(Overview, BottomPassShowsTheWindowEvenWithoutAMatch) {
  Open();
  Search("NOPE", "B1");
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(514, 386));
  EXPECT_EQ(overview.Shows(), "bottom");
  EXPECT_TRUE(NeverDrawn(overview.BottomImage()));
  EXPECT_EQ(PixelAt(Seen(), 100, 100), kMoneyGreen);  // a picture never drawn shows nothing
}

TEST_F(Overview, TopPassWithoutAMatchDoesNotShowTheWindow) {
  Open();
  overview.move(10, 10);
  Search("NOPE", "U1");
  EXPECT_TRUE(s.Image1Visible);
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(514, 386));  // moved all the same
  EXPECT_EQ(overview.Shows(), "top");

  // Shown before, it stays shown, now with the top picture.
  Search("B1");
  ASSERT_TRUE(overview.isVisible());
  ASSERT_EQ(overview.Shows(), "bottom");
  overview.FormKeyPress('4');
  Search("NOPE", "U1");
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(514, 386));
  EXPECT_EQ(overview.Shows(), "top");
  EXPECT_EQ(PixelAt(Seen(), 100, 100), kMoneyGreen);
}

TEST_F(Overview, EmptyFirstFieldLeavesTheOverviewAlone) {
  Open();
  Search("B1");
  overview.FormKeyPress('6');
  overview.FormKeyPress('v');
  const QImage bottom = overview.BottomImage().image().copy();

  // Top side shown: nothing happens to the window.
  Search("", "U1");
  EXPECT_TRUE(s.Image1Visible);
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(534, 386));
  EXPECT_EQ(overview.Shows(), "bottom");

  // Bottom side shown: the window is shown as it was, where it was.
  Search("", "B1");
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(534, 386));
  EXPECT_EQ(overview.Shows(), "bottom");
  EXPECT_EQ(overview.BottomImage().image(), bottom);
  EXPECT_TRUE(NeverDrawn(overview.TopImage()));
}

TEST_F(Overview, ItsKeysMoveAndHideIt) {
  Open();
  Search("U1");
  ASSERT_EQ(overview.pos(), QPoint(514, 386));
  const QImage top = overview.TopImage().image().copy();
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
  EXPECT_EQ(overview.TopImage().image(), top);

  QTest::keyClick(&overview, 'v');
  EXPECT_FALSE(overview.isVisible());
  overview.ShowUnchanged();
  EXPECT_TRUE(overview.isVisible());
  QTest::keyClick(&overview, 'V');
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(494, 406));
}

TEST_F(Overview, ShowUnchangedDrawsNothing) {
  Open();
  Search("U1");
  overview.FormKeyPress('2');
  overview.FormKeyPress('v');
  const QImage top = overview.TopImage().image().copy();
  Search("", "B1");  // the bottom side is shown now; the overview keeps its top picture
  overview.FormKeyPress('v');
  overview.ShowUnchanged();
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.pos(), QPoint(514, 406));
  EXPECT_EQ(overview.Shows(), "top");
  EXPECT_EQ(overview.TopImage().image(), top);
  EXPECT_EQ(PixelAt(Seen(), 2 + 61, 2 + 100), colors::kWhite);
}

TEST_F(Overview, ZoomAndRedrawLeaveItAsItIs) {
  Open();
  Search("U1");
  const QImage top = overview.TopImage().image().copy();
  s.view.Scale += 80;
  s.view.ZoomStep = 2;
  s.view.MarkMargin += 2;
  s.view.MarkRadius += 1;
  CentreOnBoard(s.view);
  RedrawDevice(s);
  EXPECT_EQ(overview.TopImage().image(), top);
  EXPECT_EQ(overview.pos(), QPoint(514, 386));

  // A new search returns to the home view first: the same overview again.
  Search("U1");
  EXPECT_EQ(overview.OverviewOriginX(), -44);
  EXPECT_EQ(overview.TopImage().image(), top);
}

TEST_F(Overview, DeviceLargerThanThePictureIsClipped) {
  Open(Board("big", "BIG\n-5 5 -5 5\n"), kBottom);
  Search("BIG");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(overview.OverviewOriginX(), 143);
  EXPECT_EQ(overview.OverviewOriginY(), 107);
  // Frame, box outline and label all lie outside: the picture is the box's
  // black inside.
  EXPECT_TRUE(NeverDrawn(overview.TopImage()));
  EXPECT_TRUE(overview.isVisible());
}

TEST_F(Overview, ErrorInALaterDeviceStopsTheSearch) {
  // A part named like a box line: the overview, which looks at every line of
  // the name, takes Q's box line for a second device and reads "R" as its box.
  Open(Board("box line as name",
             "0.5 0.6 0.5 0.6\n0.25 0.5 0.25 0.5\n"
             "Q\n0.5 0.6 0.5 0.6\n"
             "R\n1.0 1.1 0.9 1.0\n"),
       kBottom);
  Search("0.5 0.6 0.5 0.6");
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid numeric input."}));
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_TRUE(parts.isVisible());
  // The first device was drawn and the window shown before the error.
  EXPECT_TRUE(overview.isVisible());
  EXPECT_EQ(overview.OverviewOriginX(), -44);
  ExpectFrame(overview.TopImage(), 61, 24, 226, 189);
}

// The real boards: device 1 of either side lands in the middle of the picture.
struct PartLine {
  std::string name;
  double x1, x2, y1, y2;
};

std::vector<PartLine> PartsOf(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    std::erase(line, '\r');
    lines.push_back(line);
  }
  std::size_t i = 0;
  while (lines.at(i) != "1 1 1 1") ++i;
  std::vector<PartLine> parts;
  for (++i; lines.at(i) != "2 2 2 2"; i += 2) {
    PartLine p{lines.at(i), 0, 0, 0, 0};
    EXPECT_EQ(std::sscanf(lines.at(i + 1).c_str(), "%lf %lf %lf %lf", &p.x1, &p.x2, &p.y1, &p.y2), 4);
    parts.push_back(p);
  }
  return parts;
}

class RealBoard : public Overview, public testing::WithParamInterface<const char*> {};

TEST_P(RealBoard, DeviceOneIsCentred) {
  const std::string board = GetParam();
  s.BoardFile = test::SharedBoardFile(board);
  s.CompanionFile = (test::SharedBoardDir(board) / "jet.CON").string();
  ComputeHomeView(s.view, s.BoardFile);
  s.Image1Visible = true;
  s.HighlightMode = hmBoard;

  const std::vector<PartLine> bottomParts = PartsOf(s.CompanionFile);
  for (Side side : {Side::Top, Side::Bottom}) {
    // The last part of the file, so that no later line of its name exists; on
    // the top side the last one that the bottom side does not hold.
    const std::vector<PartLine> sideParts = PartsOf(s.FileOf(side));
    const PartLine* p = nullptr;
    for (const PartLine& part : sideParts) {
      const bool onBottom = std::any_of(bottomParts.begin(), bottomParts.end(),
                                        [&](const PartLine& b) { return NameEquals(b.name, part.name); });
      if (side == Side::Bottom || !onBottom) p = &part;
    }
    if (!p) continue;  // teres-kbd has no part on its bottom side
    Search(p->name);
    ASSERT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(s.Image1Visible, side == Side::Top) << p->name;
    EXPECT_EQ(overview.Shows(), side == Side::Top ? "top" : "bottom");
    const double k = s.view.Scale + 100;
    const ImageCanvas& image = side == Side::Top ? overview.TopImage() : overview.BottomImage();
    const std::int32_t ox = overview.OverviewOriginX();
    const std::int32_t oy = overview.OverviewOriginY();
    const double middleY = k * (p->y1 + p->y2) / 2;
    EXPECT_NEAR(k * (p->x1 + p->x2) / 2 + ox, 143, 0.5) << p->name;
    EXPECT_NEAR(side == Side::Top ? oy - middleY : oy + middleY, 107, 0.5) << p->name;
    // The lower corners of the frame, where the label does not reach.
    const SideMapping map(side, k, ox, oy);
    const std::int64_t m = s.view.MarkMargin + 4;
    const std::int64_t lower = (side == Side::Top ? map.MapY(p->y1) : map.MapY(p->y2)) + m;
    for (const std::int64_t x : {map.MapX(p->x1) - m, map.MapX(p->x2) + m}) {
      if (x < 0 || x >= image.width() || lower >= image.height()) continue;
      EXPECT_EQ(PixelAt(image, static_cast<int>(x), static_cast<int>(lower)), colors::kWhite) << p->name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Boards, RealBoard, testing::Values("teres-main", "teres-kbd", "csi-adapter"));

}  // namespace
}  // namespace vantrel
