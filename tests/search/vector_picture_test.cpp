// The picture in vectors: the redraw run once more hands the side shown
// exactly the figures of its picture, each with its state, in every kind of
// mode, and leaves the pictures and the way the sides run as they were, also
// when a file stops it; a PDF is then not written.
#include "search/vector_picture.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

#include "search/device_search.h"
#include "search/point_inquiry.h"
#include "search/redraw.h"
#include "support/recording_canvas.h"
#include "support/search_fixture.h"

namespace vantrel {
namespace {

using test::Figure;

// A part U1 and its pins on the net NETA, on both sides.
constexpr const char* kSide =
    "names\n0 0\n4 0\n4 2\n0 2\n0 0\n1 1 1 1\nU1\n1.2 2.2 0.6 1.4\n2 2 2 2\n1.5 1\n3 3 3 3\n"
    " U1.1\n1.5 1\nNETA\nF\n U1.2\n2.6 1\nNETA\nF\n4 4 4 4\n5 5 5 5\n";

// The figures drawn again, in order and each with its state, on a blank picture.
QImage Replayed(const std::vector<Figure>& figures) {
  ImageCanvas picture(design::kSideWidth, design::kSideHeight);
  for (const Figure& f : figures) {
    picture.setState(f.state);
    if (f.kind == Figure::FillRect) picture.fillRect(f.x1, f.y1, f.x2, f.y2);
    if (f.kind == Figure::Line) picture.moveTo(f.x1, f.y1), picture.lineTo(f.x2, f.y2);
    if (f.kind == Figure::Rectangle) picture.rectangle(f.x1, f.y1, f.x2, f.y2);
    if (f.kind == Figure::Ellipse) picture.ellipse(f.x1, f.y1, f.x2, f.y2);
    if (f.kind == Figure::Text) picture.textOut(f.x1, f.y1, f.text);
  }
  return picture.image().copy();
}

class FollowedRedraw : public test::SearchFixture, public testing::WithParamInterface<HighlightMode> {};

TEST_P(FollowedRedraw, HandsTheSideShownExactlyTheFiguresOfItsPicture) {
  Open(kSide, kSide);
  const PixelPoint pin = PixelOf(Side::Top, 1.5, 1);
  if (GetParam() == HighlightMode::hmPoint) Run([&] { PointInquiry(s, Side::Top, pin.x, pin.y, [] {}); });
  if (GetParam() == HighlightMode::hmDevice)
    Run([&] { TurnOver(s, {}), DeviceSearch(s, {"U1", "", ""}, {}); });
  ASSERT_EQ(s.highlight.mode, GetParam());
  const SearchTexts texts{.nails = {}, .compPin = {}, .devices = {"U1", "", ""}, .net = {}};
  Run([&] { Redraw(s, texts); });
  const QImage top = s.pictures.sides.top.image().copy(), bottom = s.pictures.sides.bottom.image().copy();

  s.runner.SetMode(SidesMode::Apart);
  test::RecordingCanvas follower;
  RedrawFollowed(s, texts, follower);
  EXPECT_EQ(s.runner.mode(), SidesMode::Apart);
  EXPECT_EQ(s.pictures.sides.top.image(), top);
  EXPECT_EQ(s.pictures.sides.bottom.image(), bottom);
  EXPECT_EQ(Replayed(follower.figures()), s.PictureOf(s.view.shown).image());
  EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, FollowedRedraw,
                         testing::Values(HighlightMode::hmBoard, HighlightMode::hmDevice,
                                         HighlightMode::hmPoint));

TEST_F(FollowedRedraw, StoppedByAFileLeavesNothingFollowedAndNoPdf) {
  Open(kSide, kSide);
  dir.Write("b.brd", "names\n0 0\n4 x\n");
  s.runner.SetMode(SidesMode::Apart);
  test::RecordingCanvas follower;
  EXPECT_EQ(test::ErrorOf([&] { RedrawFollowed(s, {}, follower); }), "Invalid numeric input");
  EXPECT_EQ(s.runner.mode(), SidesMode::Apart);
  const std::size_t figures = follower.figures().size();
  s.pictures.sides.top.rectangle(1, 1, 5, 5);
  EXPECT_EQ(follower.figures().size(), figures);
  const std::filesystem::path pdf = dir.path() / "board.pdf";
  EXPECT_EQ(test::ErrorOf([&] { WritePdf(s, {}, pdf.string()); }), "Invalid numeric input");
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace vantrel
