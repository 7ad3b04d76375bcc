// File > Export picture, File > Print and Edit > Copy end to end, through the
// batch runner on the real windows: the PNG is the header strip above the
// side shown as the window shows them; the PDF and the print show the same
// board in vectors, with real text; the clipboard takes the picture and the
// header lines, from Ctrl+C only while the pictures have the focus; nothing
// is written without a board or a name.
#include "app/picture_export.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>

#include "app/batch_runner.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A board 8 x 5 with one part and its pins U1.1 and U1.2 on GND; a press at
// (392, 280) hits U1.2, which the header and its label then name.
constexpr const char* kTop =
    "top side\n-2 0\n6 0\n6 5\n-2 5\n-2 0\n1 1 1 1\nU1\n0 1.5 0 0.5\n2 2 2 2\n0.5 0.25\n2 2.5\n3 3 3 3\n"
    " U1.1\n0.5 0.25\nGND\nSMD\n U1.2\n2 2.5\nGND\nSMD\n4 4 4 4\n5 5 5 5\n";
constexpr const char* kBottom =
    "bottom side\n-2 0\n6 0\n6 5\n-2 5\n-2 0\n1 1 1 1\n2 2 2 2\n3 3 3 3\n4 4 4 4\n";

// The first page of a PDF file as pdftoppm draws it at `dpi`, or its text.
QImage PdfPage(const std::filesystem::path& pdf, int dpi) {
  QProcess process;
  process.start("pdftoppm",
                {"-r", QString::number(dpi), "-png", "-singlefile", QString::fromStdString(pdf.string())});
  process.waitForFinished(60000);
  return QImage::fromData(process.readAllStandardOutput()).convertToFormat(QImage::Format_RGB32);
}
QString PdfText(const std::filesystem::path& pdf) {
  QProcess process;
  process.start("pdftotext", {QString::fromStdString(pdf.string()), "-"});
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

class PictureExport : public testing::Test {
 protected:
  void SetUp() override {
    board = dir.Write("demo.brd", kTop);
    dir.Write("jet.CON", kBottom);
  }
  void Run(const std::string& script) { runner.Run(script); }
  std::filesystem::path Out(const char* name) const { return dir.path() / name; }
  bool PopplerMissing() const { return QStandardPaths::findExecutable("pdftoppm").isEmpty(); }

  test::TempDir dir;
  std::string board;
  Application app{1.0};
  BatchRunner runner{app};
};

TEST_F(PictureExport, PngIsTheHeaderStripAboveTheSideShownAtTheWindowsResolution) {
  Run("open " + board + "\npress 392 280");
  for (const char* window : {"800 600", "1024 768", "1600 1200"}) {
    Run(std::string("resize ") + window + "\nexport " + Out("board.png").string());
    const QImage png =
        QImage(QString::fromStdString(Out("board.png").string())).convertToFormat(QImage::Format_RGB32);
    const QImage header = HeaderPicture(*app.main).convertToFormat(QImage::Format_RGB32);
    const QImage& side = app.session.pictures.sides.top.image();
    const double f = app.main->factor();
    ASSERT_EQ(png.size(), QSize(int(784 * f), int(50 * f) + int(490 * f))) << window;
    EXPECT_EQ(png.copy(0, 0, header.width(), header.height()), header);
    EXPECT_EQ(png.copy(0, header.height(), side.width(), side.height()), side) << window;
    QImage black(header.size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_NE(header, black) << "the header's lines";
  }
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(PictureExport, PdfAndPrintShowTheBoardInVectorsWithRealText) {
  if (PopplerMissing())
    GTEST_SKIP() << "pdftoppm is missing (scripts/install-deps.sh installs poppler-utils)";
  // The PDF is drawn by a redraw, which the window shows afterwards: the PNG of that.
  Run("open " + board + "\npress 392 280\nexport " + Out("board.pdf").string() + "\nexport " +
      Out("board.png").string() + "\nprint " + Out("print.pdf").string());
  const QImage page = PdfPage(Out("board.pdf"), 96);
  const QImage png =
      QImage(QString::fromStdString(Out("board.png").string())).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(page.size(), png.size());
  int same = 0;  // lines, rings and text where the picture has them, but for their smoothed edges
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) same += png.pixel(x, y) == page.pixel(x, y);
  }
  EXPECT_GT(same, png.width() * png.height() * 97 / 100);
  EXPECT_EQ(PdfText(Out("board.pdf")).count("U1.2"), 2) << "in the header and the label";

  const QImage printed = PdfPage(Out("print.pdf"), 48);
  EXPECT_GT(printed.width(), printed.height()) << "a landscape page";
  EXPECT_EQ(PdfText(Out("print.pdf")).count("U1.2"), 2);
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(PictureExport, CopyTakesThePictureAndTheHeaderAndCtrlCOnlyOnThePictures) {
  QApplication::clipboard()->clear();
  Run("open " + board + "\nmenu nets");
  ASSERT_EQ(runner.State()["focus"], "Edit1");
  Run("keys Ctrl+C");
  EXPECT_TRUE(QApplication::clipboard()->image().isNull()) << "the field's key";
  Run("keys Escape\npress 392 280\nresize 1024 768\nkeys Ctrl+C\ndump " + Out("dump").string());
  const QSize picture = ShownPicture(*app.main).size();
  const QJsonObject clipboard = test::ReadState(Out("dump"))["clipboard"].toObject();
  EXPECT_EQ(clipboard["image"].toArray(), (QJsonArray{picture.width(), picture.height()}));
  EXPECT_EQ(clipboard["text"].toString().toStdString(), app.session.pictures.header[0]);
  EXPECT_TRUE(runner.errors().empty());
}

TEST_F(PictureExport, NothingIsWrittenWithoutABoardOrAName) {
  Run("export " + Out("none.png").string() + "\nprint " + Out("none.pdf").string());
  EXPECT_FALSE(app.main->menuAction("export")->isEnabled());
  Run("open " + board + "\nmenu export\nmenu print");
  const std::string nowhere = (dir.path() / "no folder" / "board.png").string();
  Run("export " + nowhere);
  EXPECT_EQ(runner.errors(), std::vector<std::string>{"Cannot write " + nowhere + "."});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // demo.brd, jet.CON
  for (const char* line : {"export", "export board.jpg", "print board.png", "copy x", "wait", "wait -1"}) {
    EXPECT_THROW(runner.RunLine(line), BatchError) << line;
  }
}

}  // namespace
}  // namespace vantrel
