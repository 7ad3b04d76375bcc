#include "search/open_short_search.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "board/board_error.h"
#include "search/error_handler.h"
#include "search/nail_dialog.h"
#include "search/session.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::TempDir;

// Both files have an outline 2 wide and 1.25 high: Scale 400, H 8, D 16; board
// point (x, y) is at top pixel (400x - 8, 530 - 400y) and at bottom pixel
// (400x - 8, 30 + 400y). The part box lies far from every mark.
constexpr const char* kOutline =
    "0 0\n2 0\n2 1.25\n0 1.25\n0 0\n"
    "1 1 1 1\n"
    "U1\n1.9 1.95 1.1 1.2\n"
    "2 2 2 2\n";

// Top pins: U1.1 (92, 430) NET_A, U1.2 (292, 430) net_b, R2.1 (492, 430)
// Net_a, R2.2 (692, 430) GND. Nails: TP1 (92, 230) NET_A, TP2 (292, 230)
// NET_X, TP4 (492, 230) GND. "TP9" follows "5 5 5 5" and is never found here.
const std::string kTop = std::string("open/short top\n") + kOutline +
                         "0.25 0.25\n0.75 0.25\n1.25 0.25\n1.75 0.25\n"
                         "3 3 3 3\n"
                         " U1.1\n0.25 0.25\nNET_A\nfirst\n"
                         " U1.2\n0.75 0.25\nnet_b\nsecond\n"
                         " R2.1\n1.25 0.25\nNet_a\nthird\n"
                         " R2.2\n1.75 0.25\nGND\nfourth\n"
                         "4 4 4 4\n"
                         "TP1\n0.25 0.75\nNET_A\nPROBE 75MIL\n"
                         "TP2\n0.75 0.75\nNET_X\nPROBE\n"
                         "TP4\n1.25 0.75\nGND\nPROBE\n"
                         "5 5 5 5\n"
                         "NET_A\n1\nTP9\n1.75 0.75\n\n";

// Bottom pins: C5.1 (92, 130) net_a, C5.2 (292, 130) NET_B, C5.3 (492, 130)
// with an empty net. Nails: TP2 (292, 330) NET_B, TP3 (492, 330) GND; after
// "5 5 5 5" the line "TP9" is followed by what reads as a nail at (692, 330).
const std::string kBottom = std::string("open/short bottom\n") + kOutline +
                            "0.25 0.25\n0.75 0.25\n1.25 0.25\n"
                            "3 3 3 3\n"
                            " C5.1\n0.25 0.25\nnet_a\nb1\n"
                            " C5.2\n0.75 0.25\nNET_B\nb2\n"
                            " C5.3\n1.25 0.25\n\nb3\n"
                            "4 4 4 4\n"
                            "TP2\n0.75 0.75\nNET_B\nPROBE\n"
                            "TP3\n1.25 0.75\nGND\nPROBE\n"
                            "5 5 5 5\n"
                            "NET_B\n1\nTP2\n\n"
                            "TP9\n1.75 0.75\nNET_Z\nPROBE\n";

Color PixelAt(const ImageCanvas& canvas, int x, int y) {
  const QRgb p = canvas.image().pixel(x, y);
  return static_cast<Color>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
}

// How many pixels of a rectangle have the colour.
int CountColor(const ImageCanvas& canvas, QRect area, Color color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) n += PixelAt(canvas, x, y) == color;
  }
  return n;
}

class OpenShort : public testing::Test {
 protected:
  void SetUp() override {
    SetErrorReporter([this](const std::string& text) { errors.push_back(text); });
    s.nail = &nail;
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
    nail.SetFieldText(1, a);
    nail.SetFieldText(2, b);
    nail.SetFieldText(3, c);
  }

  // Types the names into the shown dialog and clicks OK.
  void Search(const std::string& a, const std::string& b = "", const std::string& c = "") {
    nail.ClearFields();
    nail.ShowDialog();
    Fill(a, b, c);
    QTest::mouseClick(nail.ok, Qt::LeftButton);
  }

  std::vector<std::string> Header() const { return {s.Label1, s.Label2, s.Label4}; }

  TempDir dir;
  Session s;
  TFrm_Nail nail{s};
  std::vector<std::string> errors;
  int handlerRuns = 0;
};

TEST_F(OpenShort, DialogHasItsDesignedControls) {
  EXPECT_EQ(nail.windowTitle(), "Open/Short");
  EXPECT_EQ(nail.size(), QSize(281, 257));
  auto* panel = nail.findChild<QWidget*>("Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), QRect(16, 14, 241, 150));
  const char* captions[] = {"Pin(1)", "Pin(2)", "Pin(3)"};
  const QColor colours[] = {Qt::white, Qt::red, Qt::yellow};
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
    EXPECT_EQ(edit, nail.field(i + 1));
    EXPECT_EQ(edit->geometry(), QRect(96, 24 + 40 * i, 121, 21));
  }
  auto* ok = nail.findChild<QPushButton*>("ok");
  auto* cancel = nail.findChild<QPushButton*>("Button1");
  ASSERT_TRUE(ok && cancel);
  EXPECT_EQ(ok, nail.okButton());
  EXPECT_EQ(cancel, nail.cancelButton());
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(cancel->text(), "Cancel");
  EXPECT_EQ(ok->geometry(), QRect(32, 184, 75, 25));
  EXPECT_EQ(cancel->geometry(), QRect(160, 184, 75, 25));
  EXPECT_EQ(ok->font().pixelSize(), 14);
  EXPECT_FALSE(ok->isDefault() || ok->autoDefault() || cancel->isDefault() || cancel->autoDefault());
  EXPECT_EQ(nail.Edit1->nextInFocusChain(), nail.Edit2);
  EXPECT_EQ(nail.Edit3->nextInFocusChain(), nail.ok);
  EXPECT_EQ(nail.ok->nextInFocusChain(), nail.Button1);
}

TEST_F(OpenShort, HeaderLinesAfterOk) {
  Open();
  Search("TP1", "tp2", "NOPE");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Header(), (std::vector<std::string>{"$TP1  NET_A    U1.1  R2.1  C5.1", "$tp2 NET_B   U1.2  C5.2",
                                                "$NOPE    C5.3"}));
  EXPECT_EQ(s.HighlightMode, hmOpenShort);
  EXPECT_FALSE(nail.isVisible());
  EXPECT_EQ(s.openShort.NailNet[1], "NET_B");  // the bottom side's net wins
  EXPECT_EQ(s.openShort.NetPinList[0], "  U1.1  R2.1  C5.1");
}

TEST_F(OpenShort, MarksTakeTheSlotColours) {
  Open();
  Search("TP1", "tp2", "NOPE");
  const ImageCanvas& top = s.Image1;
  EXPECT_EQ(PixelAt(top, 92, 230), colors::kWhite);   // nail TP1
  EXPECT_EQ(PixelAt(top, 292, 230), colors::kRed);    // nail TP2, top side
  EXPECT_EQ(PixelAt(top, 92, 430), colors::kWhite);   // U1.1
  EXPECT_EQ(PixelAt(top, 492, 430), colors::kWhite);  // R2.1, "Net_a"
  EXPECT_EQ(PixelAt(top, 292, 430), colors::kRed);    // U1.2
  EXPECT_EQ(PixelAt(top, 692, 430), colors::kBlack);  // R2.2: a plain pin
  EXPECT_EQ(PixelAt(top, 492, 230), colors::kBlack);  // TP4 is not named
  const ImageCanvas& bottom = s.Image2;
  EXPECT_EQ(PixelAt(bottom, 292, 330), colors::kRed);  // nail TP2
  EXPECT_EQ(PixelAt(bottom, 92, 130), colors::kWhite);
  EXPECT_EQ(PixelAt(bottom, 292, 130), colors::kRed);
  EXPECT_EQ(PixelAt(bottom, 492, 130), colors::kYellow);  // empty net, slot 3
  EXPECT_EQ(PixelAt(bottom, 492, 330), colors::kBlack);

  // Labels: the nail's to the right of its disc, a pin's three pixels further.
  EXPECT_GT(CountColor(top, QRect(100, 206, 60, 28), colors::kWhite), 20);
  EXPECT_GT(CountColor(top, QRect(103, 406, 70, 28), colors::kWhite), 20);
  EXPECT_EQ(CountColor(top, QRect(60, 200, 24, 60), colors::kWhite), 0);
}

TEST_F(OpenShort, AllFieldsEmptyRedrawsTheLayersOnly) {
  Open();
  s.Label1 = "old";
  s.Image1.setBrushColor(colors::kAqua);
  s.Image1.fillRect(0, 0, 10, 10);
  Search("", "", "");
  EXPECT_EQ(Header(), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(s.HighlightMode, hmOpenShort);
  EXPECT_FALSE(nail.isVisible());
  EXPECT_TRUE(s.Image1Visible);
  EXPECT_EQ(PixelAt(s.Image1, 5, 5), colors::kBlack);
  EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0);
}

TEST_F(OpenShort, SideShownAfterOk) {
  Open();
  s.Image1Visible = false;
  Search("TP1");  // top only
  EXPECT_TRUE(s.Image1Visible);
  Search("TP2");  // both sides
  EXPECT_FALSE(s.Image1Visible);
  s.Image1Visible = true;
  Search("NOPE");  // nowhere: unchanged
  EXPECT_TRUE(s.Image1Visible);
  Search("TP3", "TP1");  // bottom only in slot 1, top only in slot 2
  EXPECT_FALSE(s.Image1Visible);
}

TEST_F(OpenShort, NamesMatchWholeLinesIgnoringLetterCaseOnly) {
  Open();
  Search("tP1");
  EXPECT_EQ(s.Label1, "$tP1  NET_A    U1.1  R2.1  C5.1");
  for (const char* name : {" TP1", "TP1 ", "TP", "TP1x"}) {
    Search(name);
    EXPECT_EQ(s.openShort.NailNet[0], "") << name;
    EXPECT_EQ(PixelAt(s.Image1, 92, 230), colors::kBlack) << name;
  }
}

TEST_F(OpenShort, NailLabelIsTheTypedText) {
  Open();
  const QRect label(100, 200, 80, 40);
  Search("TP1");
  const QImage asInFile = s.Image1.image().copy(label);
  Search("tp1");
  EXPECT_NE(s.Image1.image().copy(label), asInFile);
  EXPECT_GT(CountColor(s.Image1, label, colors::kWhite), 20);
}

TEST_F(OpenShort, SameNameInTwoSlotsDrawsTheLaterColourOnTop) {
  Open();
  Search("TP1", "TP1");
  EXPECT_EQ(PixelAt(s.Image1, 92, 230), colors::kRed);
  EXPECT_EQ(PixelAt(s.Image1, 92, 430), colors::kRed);
  EXPECT_EQ(PixelAt(s.Image2, 92, 130), colors::kRed);
  EXPECT_EQ(s.Label1, "$TP1  NET_A    U1.1  R2.1  C5.1");
  EXPECT_EQ(s.Label2, "$TP1 NET_A   U1.1  R2.1  C5.1");
  Search("TP1", "TP1", "tp1");
  EXPECT_EQ(PixelAt(s.Image1, 92, 230), colors::kYellow);
  EXPECT_EQ(PixelAt(s.Image2, 92, 130), colors::kYellow);
  EXPECT_EQ(s.Label4, "$tp1 NET_A   U1.1  R2.1  C5.1");
}

TEST_F(OpenShort, NameFoundNowhereListsThePinsWithoutNet) {
  Open();
  Search("NOPE", "nope");
  EXPECT_EQ(s.Label1, "$NOPE      C5.3");
  EXPECT_EQ(s.Label2, "$nope    C5.3");

  std::string everyPinOnANet = kBottom;
  everyPinOnANet.replace(everyPinOnANet.find("1.25 0.25\n\n"), 11, "1.25 0.25\nGND\n");
  Open(kTop, everyPinOnANet);
  Search("NOPE", "NOPE");
  EXPECT_EQ(s.Label1, "$NOPE    ");
  EXPECT_EQ(s.Label2, "$NOPE  ");
  for (int x : {92, 292, 492}) EXPECT_EQ(PixelAt(s.Image2, x, 130), colors::kBlack);
}

TEST_F(OpenShort, BottomNailScanReadsOnPastTheNailSection) {
  Open();
  s.Image1Visible = true;
  Search("TP9");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "$TP9  NET_Z  ");
  EXPECT_EQ(PixelAt(s.Image2, 692, 330), colors::kWhite);
  EXPECT_FALSE(s.Image1Visible);
  // In the board file the scan ended at "5 5 5 5": nothing read as a nail there.
  EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0);
}

TEST_F(OpenShort, RedrawRepeatsTheSearchWithOneBlankSeparators) {
  Open();
  Search("TP1", "tp2", "NOPE");
  s.Image1Visible = true;
  s.view.TopOriginX += 40;
  s.view.BottomOriginX += 40;
  RedrawOpenShort(s);
  EXPECT_EQ(Header(), (std::vector<std::string>{"$TP1 NET_A   U1.1  R2.1  C5.1", "$tp2 NET_B   U1.2  C5.2",
                                                "$NOPE    C5.3"}));
  EXPECT_TRUE(s.Image1Visible);  // the redraw never turns the board over
  EXPECT_EQ(s.HighlightMode, hmOpenShort);
  EXPECT_FALSE(nail.isVisible());
  EXPECT_EQ(PixelAt(s.Image1, 132, 230), colors::kWhite);
  EXPECT_EQ(PixelAt(s.Image1, 92, 230), colors::kBlack);
  EXPECT_EQ(PixelAt(s.Image1, 332, 430), colors::kRed);
  EXPECT_EQ(PixelAt(s.Image2, 532, 130), colors::kYellow);
}

TEST_F(OpenShort, RedrawReadsTheFieldsAsTheyStandNow) {
  Open();
  Search("TP1");
  nail.ClearFields();  // the dialog reopened, then cancelled
  nail.ShowDialog();
  QTest::mouseClick(nail.Button1, Qt::LeftButton);
  RedrawOpenShort(s);
  EXPECT_EQ(Header(), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(CountColor(s.Image1, QRect(0, 0, 784, 490), colors::kWhite), 0);
  EXPECT_EQ(s.HighlightMode, hmOpenShort);

  nail.SetFieldText(2, "TP2");  // edited but not confirmed
  RedrawOpenShort(s);
  EXPECT_EQ(s.Label2, "$TP2 NET_B   U1.2  C5.2");
}

TEST_F(OpenShort, CancelChangesNothing) {
  Open();
  Search("TP1");
  const QImage top = s.Image1.image().copy();
  const auto header = Header();
  nail.ShowDialog();
  nail.SetFieldText(1, "TP2");
  QTest::mouseClick(nail.Button1, Qt::LeftButton);
  EXPECT_FALSE(nail.isVisible());
  EXPECT_EQ(s.Image1.image(), top);
  EXPECT_EQ(Header(), header);
  EXPECT_EQ(s.HighlightMode, hmOpenShort);
  EXPECT_EQ(nail.FieldText(1), "TP2");
}

TEST_F(OpenShort, CloseBoxHidesLikeCancel) {
  Open();
  nail.ShowDialog();
  nail.SetFieldText(1, "TP1");
  EXPECT_TRUE(nail.close());
  EXPECT_FALSE(nail.isVisible());
  EXPECT_EQ(nail.FieldText(1), "TP1");
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST_F(OpenShort, EnterInAnyFieldClicksOkOnce) {
  for (int field = 1; field <= 3; ++field) {
    Open();
    nail.ShowDialog();
    Fill("", "TP2", "");
    QSignalSpy clicks(nail.ok, &QPushButton::clicked);
    handlerRuns = 0;
    QTest::keyClick(nail.field(field), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_EQ(s.HighlightMode, hmOpenShort);
    EXPECT_FALSE(nail.isVisible());
    EXPECT_EQ(s.Label2, "$TP2 NET_B   U1.2  C5.2");
  }
}

TEST_F(OpenShort, MissingCompanionFileStopsTheSearch) {
  Open();
  s.CompanionFile = (dir.path() / "gone" / "jet.CON").string();
  s.Label1 = "old";
  Search("TP1");
  EXPECT_EQ(errors, (std::vector<std::string>{"File not found."}));
  EXPECT_EQ(s.HighlightMode, hmBoard);
  EXPECT_TRUE(nail.isVisible());
  EXPECT_EQ(s.Label1, "");  // emptied before the passes ran
}

TEST_F(OpenShort, NameOfANetLineReadsTheNextLinesAsANail) {
  Open();
  Search("TP1");
  Search("net_a");  // the net line of TP1: "PROBE 75MIL" is read as coordinates
  EXPECT_EQ(errors, (std::vector<std::string>{"Invalid numeric input."}));
  EXPECT_EQ(s.HighlightMode, hmOpenShort);  // from the search before
  EXPECT_TRUE(nail.isVisible());
  EXPECT_EQ(Header(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(OpenShort, NailSectionWithoutItsMarkerIsAnError) {
  std::string truncated = kTop.substr(0, kTop.find("5 5 5 5"));
  Open(truncated, kBottom);
  Search("TP7");
  EXPECT_EQ(errors, (std::vector<std::string>{"Read beyond end of file."}));
  EXPECT_EQ(s.HighlightMode, hmBoard);
}

TEST_F(OpenShort, WithoutABoardOkDoesNothing) {
  s.Label1 = "keep";
  nail.ShowDialog();
  nail.SetFieldText(1, "TP1");
  QTest::mouseClick(nail.ok, Qt::LeftButton);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(s.Label1, "keep");
  EXPECT_EQ(s.HighlightMode, hmNone);
  EXPECT_TRUE(nail.isVisible());
  RedrawOpenShort(s);
  EXPECT_TRUE(errors.empty());
}

// The real boards, checked against a plain reading of their pin records.
struct PinLine {
  std::string name;
  std::string position;
};

std::vector<std::string> Lines(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    std::erase(line, '\r');
    lines.push_back(line);
  }
  return lines;
}

std::string FoldCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The pin records on the net, in file order.
std::vector<PinLine> PinRecordsOnNet(const std::string& file, const std::string& net) {
  const std::vector<std::string> lines = Lines(file);
  std::size_t i = 0;
  while (lines.at(i) != "3 3 3 3") ++i;
  std::vector<PinLine> pins;
  for (++i; lines.at(i) != "4 4 4 4"; i += 4) {
    if (FoldCase(lines.at(i + 2)) == FoldCase(net)) pins.push_back({lines.at(i), lines.at(i + 1)});
  }
  return pins;
}

// " " + name of every pin record on the net, in file order.
std::string PinsOnNet(const std::string& file, const std::string& net) {
  std::string list;
  for (const PinLine& pin : PinRecordsOnNet(file, net)) list += " " + pin.name;
  return list;
}

// The net line of the first nail record named `name`, or "" when there is none.
std::string NailNetIn(const std::string& file, const std::string& name) {
  const std::vector<std::string> lines = Lines(file);
  std::size_t i = 0;
  while (lines.at(i) != "4 4 4 4") ++i;
  for (++i; lines.at(i) != "5 5 5 5"; i += 4) {
    if (lines.at(i) == name) return lines.at(i + 2);
  }
  return "";
}

class RealBoard : public OpenShort, public testing::WithParamInterface<const char*> {};

TEST_P(RealBoard, HeaderListsEveryPinOnTheNailsNet) {
  const std::string board = GetParam();
  s.BoardFile = test::SharedBoardFile(board);
  s.CompanionFile = (test::SharedBoardDir(board) / "jet.CON").string();
  ComputeHomeView(s.view, s.BoardFile);
  s.Image1Visible = true;
  s.HighlightMode = hmBoard;

  // T1 is a nail of the bottom side on every board; T2 of both sides.
  const std::string bottomNet = NailNetIn(s.CompanionFile, "T1");
  ASSERT_NE(bottomNet, "");
  const std::string net2 = NailNetIn(s.CompanionFile, "T2");
  Search("T1", "t2");
  ASSERT_TRUE(errors.empty()) << errors.front();
  const std::string pins = PinsOnNet(s.BoardFile, bottomNet) + PinsOnNet(s.CompanionFile, bottomNet);
  ASSERT_FALSE(pins.empty());
  EXPECT_EQ(s.Label1, "$T1  " + bottomNet + "  " + pins);
  EXPECT_EQ(s.Label2, "$t2 " + net2 + " " + PinsOnNet(s.BoardFile, net2) + PinsOnNet(s.CompanionFile, net2));
  EXPECT_FALSE(s.Image1Visible);
  EXPECT_EQ(s.HighlightMode, hmOpenShort);

  RedrawOpenShort(s);
  EXPECT_EQ(s.Label1, "$T1 " + bottomNet + " " + pins);
}

TEST_P(RealBoard, EveryPinOnTheNetIsMarkedOnBothSides) {
  const std::string board = GetParam();
  s.BoardFile = test::SharedBoardFile(board);
  s.CompanionFile = (test::SharedBoardDir(board) / "jet.CON").string();
  ComputeHomeView(s.view, s.BoardFile);
  Search("T1");
  ASSERT_TRUE(errors.empty()) << errors.front();
  const std::string net = NailNetIn(s.CompanionFile, "T1");
  int checked = 0;
  for (Side side : {Side::Top, Side::Bottom}) {
    for (const PinLine& pin : PinRecordsOnNet(s.FileOf(side), net)) {
      double x = 0, y = 0;
      ASSERT_EQ(std::sscanf(pin.position.c_str(), "%lf %lf", &x, &y), 2);
      const PixelPoint c = SideMapping::Of(s.view, side).Map(x, y);
      if (c.x < 0 || c.y < 0 || c.x >= 784 || c.y >= 490) continue;
      EXPECT_EQ(PixelAt(s.ImageOf(side), static_cast<int>(c.x), static_cast<int>(c.y)), colors::kWhite)
          << pin.name;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1);
}

INSTANTIATE_TEST_SUITE_P(Boards, RealBoard, testing::Values("teres-main", "teres-kbd", "csi-adapter"));

}  // namespace
}  // namespace vantrel
