// The point inquiry and the double click zoom on an arbitrary board, view and
// pointer: a few gestures on either side picture, each run as the main window
// runs its mouse handlers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/search_fuzz_support.h"
#include "search/point_inquiry.h"

namespace {

enum class GestureKind { Press, Move, DoubleClick, Redraw };

struct Gesture {
  GestureKind kind;
  vantrel::Side side;
  std::int32_t x;
  std::int32_t y;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  FuzzedDataProvider input(data, size);
  std::vector<Gesture> gestures(input.ConsumeIntegralInRange<std::size_t>(1, 6));
  for (Gesture& g : gestures) {
    g.kind = input.PickValueInArray(
        {GestureKind::Press, GestureKind::Move, GestureKind::DoubleClick, GestureKind::Redraw});
    g.side = input.ConsumeBool() ? Side::Top : Side::Bottom;
    g.x = fuzz::TakePointerCoordinate(input);
    g.y = fuzz::TakePointerCoordinate(input);
  }
  fuzz::SearchRun run(input);
  Session& s = run.session();

  // The last pointer position, as the window keeps it.
  std::int32_t pointerX = 0;
  std::int32_t pointerY = 0;
  for (const Gesture& g : gestures) {
    switch (g.kind) {
      case GestureKind::Press: run.Step([&] { PointInquiry(s, g.side, g.x, g.y, nullptr); }); break;
      case GestureKind::Move:
        pointerX = g.x;
        pointerY = g.y;
        break;
      case GestureKind::DoubleClick:
        run.Step([&] {
          if (ZoomAboutPointer(s.view, g.side, pointerX, pointerY)) RedrawPoint(s);
        });
        break;
      case GestureKind::Redraw: run.Step([&] { RedrawPoint(s); }); break;
    }
  }
  return 0;
}
