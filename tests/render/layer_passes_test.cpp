#include "render/layer_passes.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/recording_canvas.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ErrorOf;
using test::Figure;
using test::RecordingCanvas;
using test::TempDir;

// A wide board 8 x 5 with two parts and three pins; Scale 100 puts board point
// (x, y) at top pixel (192 + 100x, 530 - 100y).
constexpr const char* kBoard =
    "demo header\n"
    "-2 0\n6 0\n6 5\n-2 5\n-2 0\n"
    "1 1 1 1\n"
    "U1\n0 1.5 0 0.5\n"
    "R 2\n2.5 2 1 1.5\n"  // x1 > x2: drawn with its left and right swapped
    "2 2 2 2\n"
    "0.5 0.25\n3 5\n2 2.5\n"
    "3 3 3 3\n"
    "4 4 4 4\n5 5 5 5\n";

ViewState View100() {
  ViewState v;
  v.Scale = 100;
  v.TopOriginX = v.BottomOriginX = 192;
  v.TopOriginY = 530;
  v.BottomOriginY = 30;
  v.MarkRadius = 2;
  v.MarkMargin = 4;
  return v;
}

class LayerPasses : public testing::Test {
 protected:
  TempDir dir;
  std::string file = dir.Write("b.brd", kBoard);
  RecordingCanvas image;
  RecordingCanvas header{784, 50};
};

TEST_F(LayerPasses, OutlineClearsBothPicturesAndDrawsThePolyline) {
  OutlinePass(file, SidePassView(View100(), Side::Top, BoxStyle::Framed), image, &header);
  const auto fills = image.Of(Figure::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].x2, 784);
  EXPECT_EQ(fills[0].y2, 490);
  EXPECT_EQ(fills[0].state.brushColor, colors::kBlack);
  ASSERT_EQ(header.Of(Figure::FillRect).size(), 1u);
  EXPECT_EQ(header.Of(Figure::FillRect)[0].y2, 50);

  const auto lines = image.Of(Figure::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ((std::array{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::array<std::int64_t, 4>{-8, 530, 792, 530}));
  EXPECT_EQ(lines[3].x2, -8);
  EXPECT_EQ(lines[3].y2, 530);
  EXPECT_EQ(lines[0].state.penColor, colors::kRed);
  EXPECT_EQ(image.state().brushColor, colors::kBlack);
}

TEST_F(LayerPasses, OutlineEndsAtTheFirstXOfOne) {
  const std::string f = dir.Write("x.brd", "h\n0 0\n8 0\n1 5\n8 5\n1 1 1 1\n");
  OutlinePass(f, SidePassView(View100(), Side::Bottom, BoxStyle::Framed), image, nullptr);
  EXPECT_EQ(image.Of(Figure::Line).size(), 1u);
}

TEST_F(LayerPasses, MainPartBoxesAreFourLinesDialogBoxesOneRectangle) {
  PartBoxPass(file, SidePassView(View100(), Side::Top, BoxStyle::Framed), image);
  const auto lines = image.Of(Figure::Line);
  ASSERT_EQ(lines.size(), 8u);
  // U1: x 0..1.5 -> 192..342, y 0..0.5 -> 530..480; margin 4.
  EXPECT_EQ((std::array{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
            (std::array<std::int64_t, 4>{188, 476, 346, 476}));
  EXPECT_EQ((std::array{lines[3].x1, lines[3].y1, lines[3].x2, lines[3].y2}),
            (std::array<std::int64_t, 4>{188, 534, 188, 476}));
  EXPECT_EQ(lines[0].state.penColor, colors::kOlive);

  image.Reset();
  PartBoxPass(file, SidePassView(View100(), Side::Bottom, BoxStyle::Filled), image);
  const auto boxes = image.Of(Figure::Rectangle);
  ASSERT_EQ(boxes.size(), 2u);
  // Bottom side: y 0 -> 30, y 0.5 -> 80; the lower board y is on top.
  EXPECT_EQ((std::array{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
            (std::array<std::int64_t, 4>{188, 26, 346, 84}));
  // x1 > x2: the margin narrows the box.
  EXPECT_EQ((std::array{boxes[1].x1, boxes[1].y1, boxes[1].x2, boxes[1].y2}),
            (std::array<std::int64_t, 4>{438, 126, 396, 184}));
}

TEST_F(LayerPasses, EmptyPartSectionAndZeroMargins) {
  const std::string f = dir.Write("e.brd", "h\n0 0\n1 1 1 1\n2 2 2 2\n3 3 3 3\n");
  PartBoxPass(f, SidePassView(View100(), Side::Top, BoxStyle::Filled), image);
  EXPECT_TRUE(image.figures().empty());

  ViewState v = View100();
  v.MarkMargin = 0;
  v.MarkRadius = 0;
  PartBoxPass(file, SidePassView(v, Side::Top, BoxStyle::Filled), image);
  EXPECT_EQ(image.Of(Figure::Rectangle)[0].x1, 192);
  EXPECT_EQ(image.Of(Figure::Rectangle)[0].x2, 342);
  PinPass(file, SidePassView(v, Side::Top, BoxStyle::Framed), image);
  const auto pins = image.Of(Figure::Ellipse);
  ASSERT_FALSE(pins.empty());
  EXPECT_EQ(pins[0].x1, pins[0].x2);
}

TEST_F(LayerPasses, PinsSkipAThreeAndEndAtThreeThree) {
  const std::string f =
      dir.Write("p.brd", "h\n0 0\n1 1 1 1\n2 2 2 2\n0.5 0.25\n3 5\n2 3\n2 2.5\n3 3 3 3\n4 4\n");
  PinPass(f, SidePassView(View100(), Side::Top, BoxStyle::Framed), image);
  const auto pins = image.Of(Figure::Ellipse);
  ASSERT_EQ(pins.size(), 2u);
  EXPECT_EQ((std::array{pins[0].x1, pins[0].y1, pins[0].x2, pins[0].y2}),
            (std::array<std::int64_t, 4>{240, 503, 244, 507}));
  EXPECT_EQ((std::array{pins[1].x1, pins[1].y1}), (std::array<std::int64_t, 2>{390, 278}));
  EXPECT_EQ(pins[0].state.penColor, colors::kActiveCaption);
}

TEST_F(LayerPasses, OverviewUsesItsOwnScaleOriginAndSizes) {
  const PassView top = OverviewPassView(View100(), Side::Top, 10, 300);
  OutlinePass(file, top, image, &header);
  EXPECT_TRUE(header.figures().empty());
  EXPECT_EQ(image.Of(Figure::FillRect)[0].x2, 784);
  EXPECT_EQ(image.Of(Figure::Line)[0].x1, -390);  // 200 * -2 + 10
  image.Reset();
  PinPass(file, top, image);
  // (0.5, 0.25) at scale 200: (110, 250), radius 4.
  EXPECT_EQ(image.Of(Figure::Ellipse)[0].x1, 106);
  EXPECT_EQ(image.Of(Figure::Ellipse)[0].y2, 254);
  image.Reset();
  PartBoxPass(file, OverviewPassView(View100(), Side::Bottom, 10, 300), image);
  const auto box = image.Of(Figure::Rectangle)[0];
  EXPECT_EQ((std::array{box.x1, box.y1, box.x2, box.y2}), (std::array<std::int64_t, 4>{2, 292, 318, 408}));
}

TEST_F(LayerPasses, ErrorsStopThePassAndKeepWhatItDrew) {
  EXPECT_EQ(ErrorOf([&] {
              OutlinePass((dir.path() / "jet.CON").string(),
                          SidePassView(View100(), Side::Bottom, BoxStyle::Framed), image, &header);
            }),
            "File not found");
  EXPECT_EQ(image.Of(Figure::FillRect).size(), 1u);  // cleared before the file was opened

  const std::string bad = dir.Write("bad.brd", "h\n0 0\n1 1 1 1\nU1\n0 1,5 0 1\nU2\n0 1 0 1\n2 2 2 2\n");
  image.Reset();
  EXPECT_EQ(ErrorOf([&] { PartBoxPass(bad, SidePassView(View100(), Side::Top, BoxStyle::Framed), image); }),
            "Invalid numeric input");
  EXPECT_TRUE(image.figures().empty());

  const std::string cut = dir.Write("cut.brd", "h\n0 0\n1 1 1 1\n2 2 2 2\n5 5\n6 6\n");
  EXPECT_EQ(ErrorOf([&] { PinPass(cut, SidePassView(View100(), Side::Top, BoxStyle::Framed), image); }),
            "Read beyond end of file");
  EXPECT_EQ(image.Of(Figure::Ellipse).size(), 2u);
}

TEST_F(LayerPasses, MarkerWithATrailingBlankIsTakenForAPartName) {
  const std::string f = dir.Write("m.brd", "h\n0 0\n1 1 1 1\n2 2 2 2 \n0.5 0.5\n2 2.5\n2 2 2 2\n3 3 3 3\n");
  PartBoxPass(f, SidePassView(View100(), Side::Top, BoxStyle::Filled), image);
  ASSERT_EQ(image.Of(Figure::Rectangle).size(), 1u);
  EXPECT_EQ(image.Of(Figure::Rectangle)[0].x1, 242 - 4);
}

class RealBoards : public testing::TestWithParam<const char*> {};

TEST_P(RealBoards, EveryPassRunsToItsEndOnBothFiles) {
  const std::string brd = test::SharedBoardFile(GetParam());
  const std::string con = (test::SharedBoardDir(GetParam()) / "jet.CON").string();
  ViewState view;
  ComputeHomeView(view, brd);
  EXPECT_GT(view.Scale, 0);
  std::size_t bottomParts = 0;
  for (BoxStyle boxes : {BoxStyle::Framed, BoxStyle::Filled}) {
    for (auto [side, file] : {std::pair{Side::Top, brd}, std::pair{Side::Bottom, con}}) {
      RecordingCanvas canvas;
      const PassView pass = SidePassView(view, side, boxes);
      OutlinePass(file, pass, canvas, nullptr);
      PartBoxPass(file, pass, canvas);
      PinPass(file, pass, canvas);
      EXPECT_GT(canvas.Of(Figure::Line).size(), 3u);
      EXPECT_GT(canvas.Of(Figure::Ellipse).size(), 0u);
      if (boxes == BoxStyle::Filled && side == Side::Bottom)
        bottomParts = canvas.Of(Figure::Rectangle).size();
    }
  }
  // The overview: cleared as a main picture, filled part boxes, pins
  // of radius H + 2.
  RecordingCanvas overview(287, 215);
  const PassView pass = OverviewPassView(view, Side::Bottom, 143, 107);
  OutlinePass(con, pass, overview, nullptr);
  PartBoxPass(con, pass, overview);
  PinPass(con, pass, overview);
  const auto fills = overview.Of(Figure::FillRect);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(std::tuple(fills[0].x2, fills[0].y2), std::tuple(784, 490));
  EXPECT_GT(overview.Of(Figure::Line).size(), 3u);
  EXPECT_EQ(overview.Of(Figure::Rectangle).size(), bottomParts);
  const auto pins = overview.Of(Figure::Ellipse);
  ASSERT_GT(pins.size(), 0u);
  EXPECT_EQ(pins[0].x2 - pins[0].x1, 2 * (view.MarkRadius + 2));
}

INSTANTIATE_TEST_SUITE_P(Shared, RealBoards, testing::Values("teres-main", "teres-kbd", "csi-adapter"));

}  // namespace
}  // namespace vantrel
