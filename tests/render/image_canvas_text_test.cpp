// Text on the QImage surface: the top-left corner at the point, the box
// filled with the brush only while it is solid, sizes in points at 96 pixels
// per inch, Latin-1 bytes, labels from cached glyphs exactly as the toolkit
// draws them; and the picture's copies and trials between labels.
//
// Runs under support/test_main.cpp, which provides the QGuiApplication and the
// program's font substitutions that these tests need.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QString>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "render/image_canvas.h"
#include "render/image_canvas_fixtures.h"
#include "render/label_glyphs.h"
#include "render/marks.h"
#include "support/pictures.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::PixelAt;
using test::PixelsOf;
using test::Point;

constexpr Color kInk = colors::kYellow;
constexpr Color kPaper = colors::kTeal;

// 12 points (16 pixels) of "Times New Roman" in kInk on kPaper.
void SetUpText(ImageCanvas& canvas) {
  canvas.setFontName("Times New Roman");
  canvas.setFontSize(12);
  canvas.setFontColor(kInk);
  canvas.setBrushColor(kPaper);
}

// Every pixel that is no longer black.
std::set<Point> Painted(const ImageCanvas& canvas) {
  std::set<Point> pixels;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (PixelAt(canvas, x, y) != colors::kBlack) pixels.insert({x, y});
    }
  }
  return pixels;
}

class ImageCanvasText : public testing::Test {
 protected:
  ImageCanvasText() : canvas_(160, 60) { SetUpText(canvas_); }

  // What the surface measures the text with.
  QFontMetrics Metrics(int pixelSize = 16) const {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return QFontMetrics(font, &canvas_.image());
  }

  ImageCanvas canvas_;
};

TEST_F(ImageCanvasText, SolidBrushFillsTheTextBoxFirst) {
  canvas_.textOut(10, 8, "HIH");
  const QFontMetrics fm = Metrics();
  const int advance = fm.horizontalAdvance(QStringLiteral("HIH"));
  const int height = fm.height();
  ASSERT_GT(advance, 0);

  const std::set<Point> paper = PixelsOf(canvas_, kPaper);
  ASSERT_FALSE(paper.empty());
  std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const auto& [x, y] : paper) {
    left = std::min(left, x), top = std::min(top, y), right = std::max(right, x),
    bottom = std::max(bottom, y);
  }
  EXPECT_EQ(left, 10);
  EXPECT_EQ(top, 8);
  EXPECT_EQ(right, 10 + advance - 1);
  EXPECT_EQ(bottom, 8 + height - 1);
  EXPECT_EQ(PixelAt(canvas_, 10, 8), kPaper);
  EXPECT_EQ(PixelAt(canvas_, 10 + advance - 1, 8 + height - 1), kPaper);
  // The ink is there, fully covered in the stems of the letters.
  EXPECT_FALSE(PixelsOf(canvas_, kInk).empty());
  for (const auto& [x, y] : Painted(canvas_)) {
    EXPECT_TRUE(x >= 10 && y >= 8 && x < 10 + advance && y < 8 + height) << "(" << x << ", " << y << ")";
  }
}

TEST_F(ImageCanvasText, ClearBrushLeavesTheBackground) {
  canvas_.setBrushStyle(BrushStyle::Clear);
  canvas_.textOut(10, 8, "HIH");
  EXPECT_TRUE(PixelsOf(canvas_, kPaper).empty());
  EXPECT_EQ(PixelAt(canvas_, 10, 8), colors::kBlack);
  EXPECT_FALSE(PixelsOf(canvas_, kInk).empty());
}

TEST_F(ImageCanvasText, TopLeftCornerIsAtThePoint) {
  canvas_.setBrushStyle(BrushStyle::Clear);
  canvas_.textOut(10, 8, "HIH");
  const std::set<Point> first = Painted(canvas_);
  ASSERT_FALSE(first.empty());
  const QFontMetrics fm = Metrics();
  for (const auto& [x, y] : first) {
    EXPECT_GE(x, 10);
    EXPECT_GE(y, 8);
    EXPECT_LT(y, 8 + fm.height());
  }
  // Capital letters reach up to about the ascent below the top.
  std::int64_t top = INT64_MAX;
  for (const auto& p : first) top = std::min(top, p.second);
  EXPECT_LE(top, 8 + fm.ascent() - fm.capHeight() + 1);

  ImageCanvas moved(160, 60);
  SetUpText(moved);
  moved.setBrushStyle(BrushStyle::Clear);
  moved.textOut(47, 31, "HIH");
  std::set<Point> shifted;
  for (const auto& [x, y] : first) shifted.insert({x + 37, y + 23});
  EXPECT_EQ(Painted(moved), shifted);
}

TEST_F(ImageCanvasText, SizeIsPointsAtNinetySixPixelsPerInch) {
  // Back to 8 pt at the end: the surface sets its font up again after a change.
  for (const auto& [points, pixels] :
       {std::pair{8, 11}, {9, 12}, {10, 13}, {11, 15}, {12, 16}, {14, 19}, {8, 11}}) {
    SCOPED_TRACE(testing::Message() << points << " pt");
    canvas_.setBrushColor(colors::kBlack);
    canvas_.clear();
    canvas_.setBrushColor(kPaper);
    canvas_.setFontSize(points);
    canvas_.textOut(0, 0, "HIH");
    std::int64_t right = -1, bottom = -1;
    for (const auto& [x, y] : PixelsOf(canvas_, kPaper))
      right = std::max(right, x), bottom = std::max(bottom, y);
    EXPECT_EQ(right + 1, Metrics(pixels).horizontalAdvance(QStringLiteral("HIH")));
    EXPECT_EQ(bottom + 1, Metrics(pixels).height());
  }
}

TEST_F(ImageCanvasText, BytesAreLatin1) {
  canvas_.textOut(10, 8, "\xC4");  // A with diaeresis
  int right = -1;
  for (const auto& [x, y] : PixelsOf(canvas_, kPaper)) right = std::max<int>(right, static_cast<int>(x));
  EXPECT_EQ(right + 1 - 10, Metrics().horizontalAdvance(QString(QChar(0xC4))));

  ImageCanvas plain(160, 60);
  SetUpText(plain);
  plain.textOut(10, 8, "A");
  EXPECT_NE(plain.image(), canvas_.image());
}

// Labels, figures and copies of the picture taken between them: every copy
// keeps what it showed, and the canvas ends as if nobody had looked.
TEST_F(ImageCanvasText, CopiesTakenBetweenLabelsKeepWhatTheyShowed) {
  auto draw = [](ImageCanvas& c, int step) {
    switch (step) {
      case 0: c.textOut(10, 8, "HIH"); break;
      case 1: c.fillRect(30, 10, 70, 30); break;
      case 2: c.textOut(40, 12, "HIH"); break;
      case 3: c.ellipse(90, 5, 120, 35); break;
      default: c.textOut(95, 30, "HIH"); break;
    }
  };
  ImageCanvas plain(160, 60);
  SetUpText(plain);
  for (int step = 0; step < 5; ++step) draw(plain, step);

  std::vector<std::pair<QImage, QImage>> copies;  // a shared copy and a deep one
  for (int step = 0; step < 5; ++step) {
    draw(canvas_, step);
    const QImage shared = canvas_.image();
    copies.emplace_back(shared, shared.copy());
  }
  EXPECT_EQ(canvas_.image(), plain.image());
  for (const auto& [shared, deep] : copies) EXPECT_EQ(shared, deep);

  // A picture replaced from outside takes the next label.
  canvas_.image() = QImage(160, 60, QImage::Format_RGB32);
  canvas_.image().fill(Qt::black);
  canvas_.textOut(10, 8, "HIH");
  EXPECT_FALSE(PixelsOf(canvas_, kPaper).empty());
}

// Drawing on trial: given up, the picture and the state are as they were;
// kept, they are what was drawn.
TEST_F(ImageCanvasText, DrawingOnTrialIsPutBackOrKept) {
  canvas_.textOut(10, 8, "HIH");     // smoothed edges: colours of every shade
  canvas_.fillRect(0, 40, 160, 60);  // one colour across rows, longer than a run holds
  const QImage before = canvas_.image().copy();
  const Color brush = canvas_.state().brushColor;
  for (const bool keep : {false, true}) {
    canvas_.BeginTrial();
    canvas_.setBrushColor(colors::kGreen);
    canvas_.fillRect(5, 5, 150, 50);
    canvas_.textOut(20, 20, "HIH");
    const QImage drawn = canvas_.image().copy();
    canvas_.EndTrial(keep);
    EXPECT_EQ(canvas_.image(), keep ? drawn : before) << keep;
    EXPECT_EQ(canvas_.state().brushColor, keep ? colors::kGreen : brush) << keep;
  }
}

TEST_F(ImageCanvasText, TextFarAwayDrawsNothing) {
  const std::int64_t big = std::int64_t{1} << 40;
  for (const auto& [x, y] : {std::pair{big, std::int64_t{5}},
                             {-big, std::int64_t{5}},
                             {std::int64_t{5}, big},
                             {std::int64_t{5}, -big},
                             {INT64_MIN, INT64_MIN},
                             {INT64_MAX, INT64_MAX},
                             {std::int64_t{-500}, std::int64_t{5}},
                             {std::int64_t{160}, std::int64_t{5}}}) {
    canvas_.textOut(x, y, "HIH");
  }
  EXPECT_TRUE(Painted(canvas_).empty());
}

TEST_F(ImageCanvasText, TextCutAtTheEdgeOfThePicture) {
  canvas_.textOut(-5, -3, "HIH");
  EXPECT_EQ(PixelAt(canvas_, 0, 0), kPaper);
  canvas_.textOut(150, 50, "HIH");
  EXPECT_EQ(PixelAt(canvas_, 150, 50), kPaper);
  EXPECT_EQ(PixelAt(canvas_, 159, 50), kPaper);
}

TEST(FontSubstitutions, ProgramFacesResolveToInstalledFaces) {
  const std::pair<const char*, const char*> faces[] = {
      {"Times New Roman", "Liberation Serif"},
      {"MS Sans Serif", "DejaVu Sans"},
      {"Century Gothic", "URW Gothic"},
      {"宋体", "AR PL UMing CN"},
      {"隶书", "AR PL UKai CN"},
  };
  for (const auto& [requested, installed] : faces) {
    QFont font(QString::fromUtf8(requested));
    font.setPixelSize(16);
    // Qt adds " [foundry]" where a family comes from more than one foundry.
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family.startsWith(QString::fromUtf8(installed))) << requested << ": " << family.toStdString();
  }
  // Comic Neue where it is installed, URW Gothic otherwise.
  const QString comic = QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family();
  EXPECT_TRUE(comic.startsWith(QStringLiteral("Comic Neue")) ||
              comic.startsWith(QStringLiteral("URW Gothic")))
      << comic.toStdString();
}

// Every printable character and every pair of them that the real boards hold.
std::set<std::string> RealBoardCharactersAndPairs() {
  std::set<std::string> texts;
  for (const char* board : {"teres-main", "teres-kbd", "csi-adapter"}) {
    for (const std::filesystem::path& file :
         {std::filesystem::path(test::SharedBoardFile(board)), test::SharedBoardDir(board) / "jet.CON"}) {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        ADD_FAILURE() << file;
        return {};
      }
      for (std::string line; std::getline(in, line);) {
        for (std::size_t i = 0; i < line.size(); ++i) {
          if (!LabelGlyphs::Covers(line.substr(i, 1))) continue;
          texts.insert(line.substr(i, 1));
          if (i + 1 < line.size() && LabelGlyphs::Covers(line.substr(i, 2))) texts.insert(line.substr(i, 2));
        }
      }
    }
  }
  return texts;
}

// Labels are drawn from cached glyphs with cached pair advances; they must
// come out as text shaped and drawn by the toolkit does, pixel for pixel, for
// every printable character and every pair of them that the real boards
// hold, at the label sizes of the main window and the overview, at design
// size and at a window's factor.
TEST(LabelGlyphs, RealBoardTextsDrawAsTheToolkitDrawsThem) {
  const std::set<std::string> texts = RealBoardCharactersAndPairs();
  ASSERT_GT(texts.size(), 1000u);
  const auto draw = [](ImageCanvas& canvas, int points, const std::string& text) {
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColor(colors::kBlack);
    canvas.fillRect(0, 0, canvas.width(), canvas.height());
    WriteMarkLabel(canvas, 3, 2, points, colors::kRed, text);
  };
  int differ = 0;
  for (const double scale : {1.0, 1.79}) {
    ImageCanvas fast(48, 40), plain(48, 40);
    plain.SetLabelGlyphs(false);
    fast.SetScale(scale);
    plain.SetScale(scale);
    for (const int points : {6, 8, 12, 18, 26}) {
      for (const std::string& text : texts) {
        draw(fast, points, text);
        draw(plain, points, text);
        if (fast.image() != plain.image() && ++differ <= 5) {
          ADD_FAILURE() << "\"" << text << "\" at " << points << " points, scale " << scale;
        }
      }
    }
  }
  EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace vantrel
