// Every operation that runs the two sides at once leaves exactly what running
// them in turn leaves: the pictures, the header, what the searches remember,
// the view, the side shown, the mode and the messages, also when either side
// meets an error, in either half of an operation, and when the run apart
// itself fails at any of its points: after every step, at the design size
// and at a window's scale.
#include "search/side_runner.h"

#include <gtest/gtest.h>

#include <QImage>

#include <atomic>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "search/comp_pin_search.h"
#include "search/device_search.h"
#include "search/error_handler.h"
#include "search/net_search.h"
#include "search/open_short_search.h"
#include "search/point_inquiry.h"
#include "search/redraw.h"
#include "support/test_support.h"
#include "testing/board_generator.h"

namespace vantrel {
namespace {

// Everything a user can see or the next operation can read.
struct Outcome {
  std::vector<std::size_t> picturesAfterEachStep;  // hashes
  std::vector<QImage> pictures;
  std::array<std::string, 3> header;
  ViewState view;
  HighlightMode mode;
  std::string memory;
  std::vector<std::string> errors;

  bool operator==(const Outcome&) const = default;
};

using Step = std::function<void(Session&)>;

std::size_t HashOf(const QImage& image) {
  return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(image.constBits()),
                                                        static_cast<std::size_t>(image.sizeInBytes())));
}

std::string MemoryOf(const Session& s) {
  const SearchMemory& m = s.highlight.memory;
  std::string memory;
  for (const std::string& text :
       {m.point.PointPin.top, m.point.PointPin.bottom, m.point.PointNet, m.compPin.CompPinNet,
        m.compPin.CompPinFourth, m.compPin.RedrawPinNet, m.compPin.RedrawPinFourth, m.openShort.NailNet[0],
        m.openShort.NailNet[1], m.openShort.NailNet[2]}) {
    memory += text + "|";
  }
  return memory;
}

// Runs the steps on a fresh session; `probe`, when given, is where the run
// apart may be made to fail.
Outcome RunSteps(SidesMode mode, double scale, const std::vector<Step>& steps,
                 std::function<void(SplitPoint, Side)> probe = nullptr) {
  Outcome out;
  Session s({.sides = mode});
  s.runner.SetFaultProbe(std::move(probe));
  const ErrorHandler handler(s, [&out](const std::string& text, const std::string& details) {
    out.errors.push_back(text + " (" + details + ")");
  });
  for (ImageCanvas* picture : {&s.pictures.sides.top, &s.pictures.sides.bottom, &s.pictures.strip}) {
    picture->SetScale(scale);
  }
  for (const Step& step : steps) {
    handler.Run([&] { step(s); });
    for (const ImageCanvas* picture : {&s.pictures.sides.top, &s.pictures.sides.bottom}) {
      out.picturesAfterEachStep.push_back(HashOf(picture->image()));
    }
  }
  for (const ImageCanvas* picture : {&s.pictures.sides.top, &s.pictures.sides.bottom, &s.pictures.strip}) {
    out.pictures.push_back(picture->image().copy());
  }
  out.header = s.pictures.header;
  out.view = s.view;
  out.mode = s.highlight.mode;
  out.memory = MemoryOf(s);
  return out;
}

void ExpectSame(const Outcome& apart, const Outcome& inTurn) {
  EXPECT_EQ(apart.errors, inTurn.errors);
  EXPECT_EQ(apart.picturesAfterEachStep, inTurn.picturesAfterEachStep);
  EXPECT_EQ(apart.header, inTurn.header);
  EXPECT_EQ(apart.memory, inTurn.memory);
  EXPECT_EQ(apart.view, inTurn.view);
  EXPECT_EQ(apart.mode, inTurn.mode);
  for (std::size_t i = 0; i < inTurn.pictures.size(); ++i)
    EXPECT_TRUE(apart.pictures[i] == inTurn.pictures[i]) << i;
}

// At the design size, and at a scale as in a large window.
void ExpectSameEitherWay(const std::vector<Step>& steps) {
  for (const double scale : {1.0, 1.79}) {
    SCOPED_TRACE(scale);
    ExpectSame(RunSteps(SidesMode::Apart, scale, steps), RunSteps(SidesMode::InTurn, scale, steps));
  }
}

const SlotNames kNails = {"T1", "T2", "t3"};

// Every operation that splits, then a redraw in its mode after a pan.
std::vector<Step> EveryOperation(const std::string& board) {
  const SearchTexts texts{.nails = kNails, .compPin = "U2.3", .devices = {"U1", "", ""}, .net = "gnd"};
  auto redrawAfterPan = [texts](Session& s) {
    Pan(s.view, 80, -80);
    Redraw(s, texts);
  };
  return {[board](Session& s) { OpenBoard(s, board); },
          redrawAfterPan,
          [](Session& s) { OpenShortSearch(s, kNails); },
          redrawAfterPan,
          [](Session& s) { NetSearch(s, "gnd"); },
          redrawAfterPan,
          [](Session& s) { CompPinSearch(s, "U2.3"); },
          redrawAfterPan,
          [](Session& s) { CompPinSearch(s, "NOPE.1"); },
          redrawAfterPan,
          [](Session& s) {
            DeviceSearch(s, {"U1", "", ""}, {});
          },
          redrawAfterPan,
          [](Session& s) { CompPinSearch(s, "b2.3"); },  // the bottom side's
          [](Session& s) {
            Pan(s.view, -80, 0);
            RedrawCompPin(s, "B2.3");
          },
          [texts](Session& s) {
            ZoomKey(s.view, Zoom::In);
            const PixelPoint p = SideMapping::Of(s.view, Side::Top).Map(0, 0);
            PointInquiry(s, Side::Top, static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y),
                         nullptr);
            Redraw(s, texts);
          },
          redrawAfterPan,
          [texts](Session& s) { TurnOver(s, texts); },
          [](Session& s) { ResetView(s); }};
}

TEST(SidesApart, EveryOperationLeavesWhatRunningInTurnLeaves) {
  test::TempDir dir;
  const std::string board = test::WriteGeneratedBoard(dir, 600);
  ExpectSameEitherWay(EveryOperation(board));
}

TEST(SidesApart, RealBoardEveryOperation) {
  const std::string board = test::SharedBoardFile("teres-main");
  ExpectSameEitherWay(EveryOperation(board));
}

// A good side and a side that fails somewhere: the pictures, header and
// memories are those of the run in turn, which stops at the first error in
// its order, whichever half of the split form failed.
struct BrokenSide {
  const char* name;
  bool topBroken;
  std::string from;  // replaced in that side's file
  std::string to;
};

class SidesApartWithErrors : public testing::TestWithParam<BrokenSide> {};

TEST_P(SidesApartWithErrors, StopWhereRunningInTurnStops) {
  const BrokenSide& c = GetParam();
  test::TempDir dir;
  GeneratorOptions options;
  options.pinsPerSide = 300;
  std::string top = GenerateBoardText(options, false);
  std::string bottom = GenerateBoardText(options, true);
  std::string& broken = c.topBroken ? top : bottom;
  const std::size_t at = broken.find(c.from);
  ASSERT_NE(at, std::string::npos) << c.from;
  broken.replace(at, c.from.size(), c.to);
  const std::string board = dir.Write("b.brd", top);
  dir.Write("jet.CON", bottom);

  std::vector<Step> steps = EveryOperation(board);
  // Each step on a picture already drawn, so that what a failing step keeps
  // of the earlier pictures shows.
  steps.insert(steps.begin() + 1, [](Session& s) { s.highlight.mode = HighlightMode::hmBoard; });
  ExpectSameEitherWay(steps);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SidesApartWithErrors,
    testing::Values(BrokenSide{"TopOutline", true, "side\n0.0500 0.0500\n", "side\n0.0500 x\n"},
                    BrokenSide{"BottomOutline", false, "side\n0.0500 0.0500\n", "side\n0.0500 x\n"},
                    BrokenSide{"TopPinRecords", true, "\n U1.2\n", "\n U1.2\n1,5 2\n"},
                    BrokenSide{"BottomPinRecords", false, "\n B2.1\n", "\n B2.1\nbad\n"},
                    BrokenSide{"TopNails", true, "\nT2\n", "\nT2\nno numbers\n"},
                    BrokenSide{"BottomNails", false, "\nT1\n", "\nT1\n1e999 x\n"},
                    BrokenSide{"BottomCutInPinRecords", false, "\n4 4 4 4\n", "\n"}),
    [](const testing::TestParamInfo<BrokenSide>& info) { return info.param.name; });

// A run apart that fails at any of its own points, once: as a trial begins
// (which allocates), as a half begins, after a round, or while the results
// are applied, on either side. It neither hangs nor leaves anything but what
// the run in turn leaves.
TEST(SidesApart, AFailureAtAnyPointOfTheRunLeavesWhatRunningInTurnLeaves) {
  test::TempDir dir;
  const std::vector<Step> steps = EveryOperation(test::WriteGeneratedBoard(dir, 200));
  const Outcome inTurn = RunSteps(SidesMode::InTurn, 1.0, steps);
  for (const SplitPoint point :
       {SplitPoint::TrialBegins, SplitPoint::HalfBegins, SplitPoint::RoundEnds, SplitPoint::Applies}) {
    for (const Side side : kSides) {
      for (int nth = 0;; ++nth) {
        SCOPED_TRACE(testing::Message() << "point " << static_cast<int>(point) << ", side "
                                        << static_cast<int>(side) << ", time " << nth);
        std::atomic<int> seen = 0;
        const Outcome apart = RunSteps(SidesMode::Apart, 1.0, steps, [&](SplitPoint at, Side on) {
          if (at == point && on == side && seen++ == nth) throw std::bad_alloc();
        });
        ExpectSame(apart, inTurn);
        if (seen <= nth) break;  // every time this point came was tried
      }
    }
  }
}

TEST(SidesApart, MissingCompanionFallsBackToTheSidesInTurn) {
  test::TempDir dir;
  GeneratorOptions options;
  options.pinsPerSide = 200;
  const std::string board = dir.Write("b.brd", GenerateBoardText(options, false));
  ExpectSameEitherWay(EveryOperation(board));
}

}  // namespace
}  // namespace vantrel
