#include "testing/board_generator.h"

#include <gtest/gtest.h>

#include "board/board_scan.h"
#include "board/view_state.h"
#include "render/layer_passes.h"
#include "support/recording_canvas.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(BoardGenerator, SameSeedSameBoardAndSidesDiffer) {
  GeneratorOptions options;
  options.pinsPerSide = 500;
  EXPECT_EQ(GenerateBoardText(options, false), GenerateBoardText(options, false));
  EXPECT_NE(GenerateBoardText(options, false), GenerateBoardText(options, true));
  options.seed = 2;
  EXPECT_NE(GenerateBoardText(options, false), GenerateBoardText(GeneratorOptions{500, 1}, false));
}

TEST(BoardGenerator, EveryPassReadsEverySectionToItsMarker) {
  test::TempDir dir;
  const std::string board = test::WriteGeneratedBoard(dir, 2001);
  ViewState view;
  ComputeHomeView(view, board);
  for (const std::string& file : {board, (dir.path() / "jet.CON").string()}) {
    test::RecordingCanvas canvas;
    const PassView pass = SidePassView(view, Side::Top, BoxStyle::Framed);
    OutlinePass(file, pass, canvas, nullptr);
    PartBoxPass(file, pass, canvas);
    PinPass(file, pass, canvas);
    EXPECT_EQ(canvas.Of(test::Figure::Line).size(), 4u + 4u * 501u);
    EXPECT_EQ(canvas.Of(test::Figure::Ellipse).size(), 2001u);  // no pin was taken for a marker

    BoardScan scan(file);
    scan.SkipToSection(markers::kPinsEnd);
    int records = 0;
    bool bigNet = false;
    while (!scan.ReadLineEquals(markers::kPinRecordsEnd)) {
      scan.ReadPoint();
      bigNet |= scan.ReadLine() == "GND";
      scan.SkipLine();
      ++records;
    }
    EXPECT_EQ(records, 2001);
    EXPECT_TRUE(bigNet);
    EXPECT_TRUE(scan.ReadLineEquals("T1"));
    scan.SkipToSection(markers::kNailsEnd);
    EXPECT_EQ(scan.ReadLine(), "GND");
  }
}

}  // namespace
}  // namespace vantrel
