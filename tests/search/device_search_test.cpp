#include "search/device_search.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "search/device_dialog.h"
#include "search/error_handler.h"
#include "search/overview_window.h"
#include "search/session.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

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
//   C7    box 392..432 x 130..170  frame (376, 114)-(448, 186)  label (443, 106)
//   "R2 " (trailing blank) box 592..632 x 410..450
//   DUP   first 92..132 x 130..170, frame (76, 114)-(148, 186); second 632..712 x 130..210
//   BOTH  box 492..592 x 230..330  frame (476, 214)-(608, 346)  label (603, 206)
const std::string kTop = Board("device top",
                               "U1\n0.25 0.5 0.25 0.5\n"
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

// Every pixel of the open frame through the four corners is white, or a label's
// red over white (full red in every blend); the pixels just inside and outside
// each edge are not white.
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
    if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) continue;
    EXPECT_NE(PixelAt(canvas, x, y), colors::kWhite) << "(" << x << ", " << y << ")";
  }
}

struct Label {
  int x, y, points;
  std::string text;
};

// Within `area` (by default all below the outline's row 30) the pure red
// pixels are exactly those of the labels, each drawn on its own in red "Times
// New Roman" without a background. Pixels that a glyph covers only in part are
// blends, and blends are never pure red.
void ExpectLabels(const ImageCanvas& canvas, const std::vector<Label>& labels,
                  QRect area = QRect(0, 31, 784, 459)) {
  ImageCanvas expected(canvas.width(), canvas.height());
  expected.setBrushStyle(BrushStyle::Clear);
  expected.setFontName("Times New Roman");
  expected.setFontColor(colors::kRed);
  for (const Label& l : labels) {
    expected.setFontSize(l.points);
    expected.textOut(l.x, l.y, l.text);
  }
  int red = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool want = PixelAt(expected, x, y) == colors::kRed;
      red += want;
      if (want != (PixelAt(canvas, x, y) == colors::kRed)) {
        ADD_FAILURE() << "red at (" << x << ", " << y << "): expected " << want;
        return;
      }
    }
  }
  EXPECT_EQ(red > 0, !labels.empty());
}

class DeviceSearch : public testing::Test {
 protected:
  void SetUp() override {
    SetErrorReporter([this](const std::string& text) { errors.push_back(text); });
    s.parts = &parts;
    s.overview = &overview;
    s.changed = [this] { ++handlerRuns; };
  }
  void TearDown() override { SetErrorReporter(nullptr); }

  // What opening the board does to the session.
  void Open(const std::string& top = kTop, const std::string& bottom = kBottom) {
    s.BoardFile = dir.Write("b.brd", top);
    s.CompanionFile = dir.Write("jet.CON", bottom);
    ComputeHomeView(s.view, s.BoardFile);
    RunLayerPasses(s, Variant::Main, PassOrder::LayerByLayer);
    s.Image1Visible = true;
    s.HighlightMode = hmBoard;
  }

  void Fill(const std::string& a, const std::string& b, const std::string& c) {
    parts.SetFieldText(1, a);
    parts.SetFieldText(2, b);
    parts.SetFieldText(3, c);
  }

  // As the menu item or the key "D" opens the dialog, then typing and OK.
  void Search(const std::string& a, const std::string& b = "", const std::string& c = "") {
    parts.ClearFields();
    parts.ShowDialog();
    Fill(a, b, c);
    QTest::mouseClick(parts.ok, Qt::LeftButton);
  }

  std::vector<std::string> Header() const { return {s.Label1, s.Label2, s.Label4}; }

  TempDir dir;
  Session s;
  TFrm_Parts parts{s};
  TForm8 overview{s};
  std::vector<std::string> errors;
  int handlerRuns = 0;
};

TEST_F(DeviceSearch, DialogHasItsDesignedControls) {
  EXPECT_EQ(parts.objectName(), "Frm_Parts");
  EXPECT_EQ(parts.windowTitle(), "Device");
  EXPECT_EQ(parts.size(), QSize(281, 257));
  EXPECT_EQ(parts.palette().color(QPalette::Window), QColor(Qt::black));
  auto* panel = parts.findChild<QWidget*>("Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(16, 14, 241, 150));
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::black));
  const char* captions[] = {"Part(1)", "Part(2)", "Part(3)"};
  const QColor colours[] = {Qt::white, Qt::red, QColor(0, 255, 255)};
  for (int i = 0; i < 3; ++i) {
    auto* label = panel->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), captions[i]);
    EXPECT_EQ(label->pos(), QPoint(24, 24 + 40 * i));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), colours[i]);
    EXPECT_TRUE(label->font().bold() && label->font().italic());
    EXPECT_EQ(label->font().pixelSize(), 16);
    auto* edit = panel->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit, parts.field(i + 1));
    EXPECT_EQ(edit->geometry(), QRect(96, 24 + 40 * i, 121, 21));
  }
  EXPECT_EQ(parts.fieldCount(), 3);
  auto* ok = parts.findChild<QPushButton*>("ok");
  auto* cancel = parts.findChild<QPushButton*>("Button2");
  ASSERT_TRUE(ok && cancel);
  EXPECT_EQ(ok, parts.okButton());
  EXPECT_EQ(cancel, parts.cancelButton());
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(cancel->text(), "Cancel");
  EXPECT_EQ(ok->geometry(), QRect(32, 184, 75, 25));
  EXPECT_EQ(cancel->geometry(), QRect(168, 184, 75, 25));
  EXPECT_EQ(ok->font().pixelSize(), 14);
  EXPECT_TRUE(ok->font().bold() && ok->font().italic());
  EXPECT_FALSE(ok->isDefault() || ok->autoDefault() || cancel->isDefault() || cancel->autoDefault());
  EXPECT_EQ(parts.Edit1->nextInFocusChain(), parts.Edit2);
  EXPECT_EQ(parts.Edit2->nextInFocusChain(), parts.Edit3);
  EXPECT_EQ(parts.Edit3->nextInFocusChain(), parts.ok);
}

TEST_F(DeviceSearch, OkFramesAndLabelsTheDevicesFound) {
  Open();
  Search("U1", "C7");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Header(), (std::vector<std::string>{"U1", "C7", ""}));
  EXPECT_EQ(s.HighlightMode, hmDevice);
  EXPECT_FALSE(parts.isVisible());
  EXPECT_TRUE(s.Image1Visible);
  ExpectFrame(s.Image1, 76, 314, 208, 446);
  ExpectFrame(s.Image1, 376, 114, 448, 186);
  ExpectLabels(s.Image1, {{203, 306, 20, "U1"}, {443, 106, 20, "C7"}});
  // The dialog variant: part boxes are filled black, an unnamed one has no frame.
  EXPECT_EQ(PixelAt(s.Image1, 576, 394), colors::kOlive);
  EXPECT_EQ(PixelAt(s.Image1, 600, 420), colors::kBlack);
  EXPECT_EQ(CountColor(s.Image1, QRect(560, 380, 100, 100), colors::kWhite), 0);
  // Nothing on the bottom side.
  EXPECT_EQ(CountColor(s.Image2, QRect(0, 0, 784, 490), colors::kWhite), 0);
}

TEST_F(DeviceSearch, LookupIgnoresLetterCaseAndKeepsTheStoredSpelling) {
  Open();
  Search("u1", "b1", "both");
  EXPECT_TRUE(errors.empty());
  // BOTH is in both files: the bottom file's name line is written last.
  EXPECT_EQ(Header(), (std::vector<std::string>{"U1", "B1", "Both"}));
  ExpectLabels(s.Image1, {{203, 306, 20, "U1"}, {603, 206, 20, "BOTH"}});
  ExpectLabels(s.Image2, {{203, 106, 20, "B1"}, {603, 206, 20, "Both"}});
  ExpectFrame(s.Image2, 76, 114, 208, 246);
  ExpectFrame(s.Image1, 476, 214, 608, 346);
  ExpectFrame(s.Image2, 476, 214, 608, 346);
}

TEST_F(DeviceSearch, NamesMatchWholeLinesOnly) {
  Open();
  for (const char* name : {"R2", " U1", "U1 ", "U", "U1x"}) {
    Search(name);
    EXPECT_TRUE(errors.empty()) << name;
    EXPECT_EQ(s.Label1, "") << name;
    EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0) << name;
  }
  Search("r2 ");  // the stored name has its trailing blank
  EXPECT_EQ(s.Label1, "R2 ");
  ExpectFrame(s.Image1, 576, 394, 648, 466);
}

TEST_F(DeviceSearch, SideShownAfterOk) {
  Open();
  s.Image1Visible = false;
  Search("U1");  // top only
  EXPECT_TRUE(s.Image1Visible);
  Search("BOTH");
  EXPECT_FALSE(s.Image1Visible);
  s.Image1Visible = true;
  Search("NOPE");  // nowhere: unchanged
  EXPECT_TRUE(s.Image1Visible);
  s.Image1Visible = false;
  Search("NOPE");
  EXPECT_FALSE(s.Image1Visible);
  Search("B1", "U1");  // slot 1 on the bottom only, slot 2 on the top only
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_EQ(Header(), (std::vector<std::string>{"B1", "U1", ""}));
}

TEST_F(DeviceSearch, OnlyTheFirstLineOfANameIsMarked) {
  Open();
  Search("dup");
  EXPECT_EQ(s.Label1, "DUP");
  ExpectFrame(s.Image1, 76, 114, 148, 186);
  EXPECT_EQ(CountColor(s.Image1, QRect(600, 100, 140, 140), colors::kWhite), 0);
  ExpectLabels(s.Image1, {{143, 106, 20, "DUP"}});
}

TEST_F(DeviceSearch, ACoordinateLineIsTakenForAName) {
  Open();
  Search("U1");
  // U1's box line matches; the name line "C7" after it is read as the box.
  Search("0.25 0.5 0.25 0.5");
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid numeric input."}));
  EXPECT_EQ(s.HighlightMode, hmDevice);  // from the search before
  EXPECT_TRUE(parts.isVisible());
  EXPECT_EQ(Header(), (std::vector<std::string>{"", "", ""}));

  // The last box line is followed by "2 2 2 2", which reads as the box
  // (2, 2, 2, 2): the device is framed far above the picture, and the name
  // line is the coordinate text. The marker is gone then, so the overview's
  // scan, which looks for every device of the name, runs to the end of the
  // file and stops the search there.
  errors.clear();
  s.Image1Visible = false;
  Search("1.6 1.8 0.8 1.0");
  EXPECT_EQ(errors, (std::vector<std::string>{"Read beyond end of file."}));
  EXPECT_EQ(s.Label1, "1.6 1.8 0.8 1.0");
  EXPECT_TRUE(s.Image1Visible);
  EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0);
  EXPECT_TRUE(parts.isVisible());
}

TEST_F(DeviceSearch, ReversedBoxIsFramedWithoutReordering) {
  Open(Board("reversed", "REV\n0.5 0.25 0.5 0.25\n"), kBottom);
  Search("REV");
  // left 192, right 92, upper Y(0.25) = 430, lower Y(0.5) = 330: the margin
  // moves the lines inwards, to x 176 and 108, y 414 and 346.
  EXPECT_EQ(s.Label1, "REV");
  ExpectFrame(s.Image1, 108, 346, 176, 414);
}

TEST_F(DeviceSearch, OkReturnsToTheHomeView) {
  Open();
  const ViewState home = s.view;
  s.view.Scale += 80;
  s.view.ZoomStep = 2;
  s.view.MarkMargin += 2;
  s.view.MarkRadius += 1;
  CentreOnBoard(s.view);
  s.view.TopOriginX += 160;
  Search("U1");
  EXPECT_EQ(s.view, home);
  ExpectFrame(s.Image1, 76, 314, 208, 446);
}

TEST_F(DeviceSearch, AllFieldsEmptyRedrawsBothSidesOnly) {
  Open();
  s.Label1 = "old";
  s.Image1.setBrushColor(colors::kAqua);
  s.Image1.fillRect(0, 0, 10, 10);
  s.Image2.setBrushColor(colors::kAqua);
  s.Image2.fillRect(0, 0, 10, 10);
  Search("", "", "");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Header(), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(s.HighlightMode, hmDevice);
  EXPECT_FALSE(parts.isVisible());
  EXPECT_TRUE(s.Image1Visible);
  EXPECT_EQ(PixelAt(s.Image1, 5, 5), colors::kBlack);
  EXPECT_EQ(PixelAt(s.Image2, 5, 5), colors::kBlack);
  EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0);
  // Part boxes of the dialog variant: filled rectangles.
  EXPECT_EQ(PixelAt(s.Image2, 76, 114), colors::kOlive);
  EXPECT_EQ(PixelAt(s.Image2, 150, 180), colors::kBlack);
}

TEST_F(DeviceSearch, ThreeDevicesOnTheBottomSide) {
  Open(kTop, Board("three", "Q1\n0.25 0.5 0.25 0.5\nQ2\n1.0 1.1 0.25 0.5\nQ3\n1.5 1.75 0.75 1.0\n"));
  Search("Q1", "Q2", "Q3");
  EXPECT_EQ(Header(), (std::vector<std::string>{"Q1", "Q2", "Q3"}));
  EXPECT_FALSE(s.Image1Visible);
  ExpectFrame(s.Image2, 76, 114, 208, 246);
  ExpectFrame(s.Image2, 376, 114, 448, 246);
  ExpectFrame(s.Image2, 576, 314, 708, 446);
  ExpectLabels(s.Image2, {{203, 106, 20, "Q1"}, {443, 106, 20, "Q2"}, {703, 306, 20, "Q3"}});
}

TEST_F(DeviceSearch, RedrawMarksTheSideShownAtTheCurrentView) {
  Open();
  Search("U1", "B1");
  ASSERT_FALSE(s.Image1Visible);
  const QImage topAfterOk = s.Image1.image().copy();

  // Pan by one step (80 pixels) to the right and down: only the bottom side
  // is redrawn; the labels keep their text.
  s.view.TopOriginX += 80;
  s.view.BottomOriginX += 80;
  s.view.TopOriginY += 80;
  s.view.BottomOriginY += 80;
  s.Label1 = "kept";
  RedrawDevice(s);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Image1.image(), topAfterOk);
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_EQ(Header(), (std::vector<std::string>{"kept", "B1", ""}));
  ExpectFrame(s.Image2, 156, 194, 288, 326);
  // The outline now shows on row 110 and column 72; the label lies clear of it.
  ExpectLabels(s.Image2, {{283, 186, 20, "B1"}}, QRect(150, 120, 300, 200));
  // "Both" is not named: its part box (corner at (556, 294)) has no frame.
  EXPECT_EQ(PixelAt(s.Image2, 556, 294), colors::kOlive);
  EXPECT_EQ(CountColor(s.Image2, QRect(540, 280, 150, 150), colors::kWhite), 0);
  EXPECT_EQ(s.HighlightMode, hmDevice);

  // Zoom in twice from the home view: Scale 480, D 18, H 9, origins centred
  // on the board at row 245: top (-88, 545), bottom (-88, -55).
  RestoreHomeView(s.view);
  for (int step = 0; step < 2; ++step) {
    s.view.ZoomStep += 1;
    s.view.Scale += 40;
    if (s.view.ZoomStep != 1) s.view.MarkMargin += 2, s.view.MarkRadius += 1;
    CentreOnBoard(s.view);
  }
  ASSERT_EQ(s.view.MarkMargin, 18);
  s.Image1Visible = true;
  s.ClearHeader();
  RedrawDevice(s);
  // U1: left 32, right 152, upper 305, lower 425; the label at
  // (152 + 18 - 9 + 3, 305 - 9 - 18) in 22 points.
  EXPECT_EQ(Header(), (std::vector<std::string>{"U1", "", ""}));
  ExpectFrame(s.Image1, 14, 287, 170, 443);
  ExpectLabels(s.Image1, {{164, 278, 22, "U1"}});
  EXPECT_TRUE(s.Image1Visible);
}

TEST_F(DeviceSearch, RedrawReadsTheFieldsAsTheyStandNow) {
  Open();
  Search("U1");
  parts.ClearFields();  // the dialog reopened, then cancelled
  parts.ShowDialog();
  QTest::mouseClick(parts.Button2, Qt::LeftButton);
  s.Label1 = "U1";
  RedrawDevice(s);
  EXPECT_EQ(Header(), (std::vector<std::string>{"U1", "", ""}));
  EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0);
  EXPECT_EQ(s.HighlightMode, hmDevice);

  parts.SetFieldText(3, "c7");  // edited but not confirmed
  RedrawDevice(s);
  EXPECT_EQ(s.Label4, "C7");
}

TEST_F(DeviceSearch, CancelChangesNothing) {
  Open();
  Search("U1");
  const QImage top = s.Image1.image().copy();
  const auto header = Header();
  parts.ShowDialog();
  parts.SetFieldText(1, "C7");
  QTest::mouseClick(parts.Button2, Qt::LeftButton);
  EXPECT_FALSE(parts.isVisible());
  EXPECT_EQ(s.Image1.image(), top);
  EXPECT_EQ(Header(), header);
  EXPECT_EQ(s.HighlightMode, hmDevice);
  EXPECT_EQ(parts.FieldText(1), "C7");
}

TEST_F(DeviceSearch, CloseBoxHidesLikeCancel) {
  Open();
  parts.ShowDialog();
  parts.SetFieldText(1, "U1");
  EXPECT_TRUE(parts.close());
  EXPECT_FALSE(parts.isVisible());
  EXPECT_EQ(parts.FieldText(1), "U1");
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST_F(DeviceSearch, EnterInAnyFieldClicksOkOnce) {
  for (int field = 1; field <= 3; ++field) {
    Open();
    parts.ShowDialog();
    Fill("", "", "");
    parts.SetFieldText(field, "c7");
    QSignalSpy clicks(parts.ok, &QPushButton::clicked);
    handlerRuns = 0;
    QTest::keyClick(parts.field(field), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_EQ(s.HighlightMode, hmDevice);
    EXPECT_FALSE(parts.isVisible());
    EXPECT_EQ(Header()[static_cast<std::size_t>(field - 1)], "C7");
  }
}

TEST_F(DeviceSearch, MissingCompanionFileStopsTheSearch) {
  Open();
  s.CompanionFile = (dir.path() / "gone" / "jet.CON").string();
  Search("U1");
  EXPECT_EQ(errors, (std::vector<std::string>{"File not found."}));
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_TRUE(parts.isVisible());
  EXPECT_EQ(s.Label1, "U1");  // the top side was searched before
  ExpectFrame(s.Image1, 76, 314, 208, 446);
  EXPECT_FALSE(overview.isVisible());
}

TEST_F(DeviceSearch, PartSectionWithoutItsMarkerIsAnError) {
  const std::string truncated = kTop.substr(0, kTop.find("2 2 2 2"));
  s.BoardFile = dir.Write("b.brd", truncated);
  s.CompanionFile = dir.Write("jet.CON", kBottom);
  ComputeHomeView(s.view, s.BoardFile);
  s.HighlightMode = hmBoard;
  Search("NOPE");
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), "Read beyond end of file.");
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST_F(DeviceSearch, WithoutABoardOkDoesNothing) {
  s.Label1 = "keep";
  parts.ShowDialog();
  parts.SetFieldText(1, "U1");
  QTest::mouseClick(parts.ok, Qt::LeftButton);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "keep");
  EXPECT_EQ(s.HighlightMode, hmNone);
  EXPECT_TRUE(parts.isVisible());
  EXPECT_FALSE(overview.isVisible());
  EXPECT_EQ(overview.Shows(), "");
  RedrawDevice(s);
  EXPECT_TRUE(errors.empty());
}

// The real boards, checked against a plain reading of their part sections.
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

bool Holds(const std::vector<PartLine>& parts, const std::string& name) {
  for (const PartLine& p : parts) {
    if (p.name == name) return true;
  }
  return false;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class RealBoard : public DeviceSearch, public testing::WithParamInterface<const char*> {
 protected:
  void OpenReal() {
    const std::string board = GetParam();
    s.BoardFile = test::SharedBoardFile(board);
    s.CompanionFile = (test::SharedBoardDir(board) / "jet.CON").string();
    ComputeHomeView(s.view, s.BoardFile);
    s.Image1Visible = true;
    s.HighlightMode = hmBoard;
  }

  // The bottom corners of the frame, where no label reaches.
  std::vector<PixelPoint> LowerCorners(Side side, const PartLine& p) const {
    const DevicePixels px = MapDevice(SideMapping::Of(s.view, side), BoardBox{p.x1, p.x2, p.y1, p.y2});
    const std::int64_t d = s.view.MarkMargin;
    return {{px.left - d, px.lower + d}, {px.right + d, px.lower + d}};
  }
  bool InView(Side side, const PartLine& p) const {
    for (const PixelPoint& c : LowerCorners(side, p)) {
      if (c.x < 0 || c.y < 0 || c.x >= 784 || c.y >= 490) return false;
    }
    return true;
  }
  void ExpectFrameCorners(Side side, const PartLine& p) {
    for (const PixelPoint& c : LowerCorners(side, p)) {
      EXPECT_EQ(PixelAt(s.ImageOf(side), static_cast<int>(c.x), static_cast<int>(c.y)), colors::kWhite)
          << p.name;
    }
  }
};

TEST_P(RealBoard, FindsDevicesOfEitherSide) {
  OpenReal();
  const std::vector<PartLine> top = PartsOf(s.BoardFile);
  const std::vector<PartLine> bottom = PartsOf(s.CompanionFile);
  ASSERT_FALSE(top.empty());
  // A device of the top side only, typed in lower case.
  const PartLine* topOnly = nullptr;
  for (const PartLine& p : top) {
    if (!Holds(bottom, p.name) && Lower(p.name) != p.name && InView(Side::Top, p)) {
      topOnly = &p;
      break;
    }
  }
  ASSERT_NE(topOnly, nullptr);
  Search(Lower(topOnly->name));
  ASSERT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(s.Label1, topOnly->name);
  EXPECT_TRUE(s.Image1Visible);
  ExpectFrameCorners(Side::Top, *topOnly);

  // The first device in view on the bottom side, with it the top-only one in slot 3.
  if (bottom.empty()) return;  // teres-kbd has no part on its bottom side
  const PartLine* first = nullptr;
  for (const PartLine& p : bottom) {
    if (InView(Side::Bottom, p)) {
      first = &p;
      break;
    }
  }
  ASSERT_NE(first, nullptr);
  Search("", first->name, topOnly->name);
  ASSERT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(Header(), (std::vector<std::string>{"", first->name, topOnly->name}));
  EXPECT_FALSE(s.Image1Visible);
  ExpectFrameCorners(Side::Bottom, *first);
  EXPECT_EQ(s.HighlightMode, hmDevice);

  RedrawDevice(s);
  ExpectFrameCorners(Side::Bottom, *first);
}

INSTANTIATE_TEST_SUITE_P(Boards, RealBoard, testing::Values("teres-main", "teres-kbd", "csi-adapter"));

}  // namespace
}  // namespace vantrel
