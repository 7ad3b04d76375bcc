// The viewer the benchmark drives: one set of the program's windows for the
// whole run, as in the program, and the commands that bring it from the home
// view of a board into each highlight mode.
#pragma once

#include <string>

#include "app/application.h"
#include "app/batch_runner.h"
#include "bench/bench_boards.h"
#include "bench/floors.h"
#include "search/session.h"

namespace vantrel::bench {

// What the timed cases share: the windows, their batch runner, and the unit
// costs measured before the windows were made.
struct Viewer {
  Viewer(const UnitCosts& costs, SidesMode sides) : unitCosts(costs), app(1.0, {.core = {.sides = sides}}) {}

  const UnitCosts unitCosts;
  Application app;
  BatchRunner runner{app};
};

// Makes the viewer and drops it again, inside the QApplication; one at a time.
class ViewerScope {
 public:
  ViewerScope(const UnitCosts& costs, SidesMode sides);
  ~ViewerScope();
  ViewerScope(const ViewerScope&) = delete;
  ViewerScope& operator=(const ViewerScope&) = delete;
};

// The viewer of the ViewerScope alive now.
Viewer& TheViewer();

// The highlight modes a redraw is timed in, by the names EnterMode takes, and
// the session's mode each enters.
inline constexpr const char* kModes[] = {"board", "openShort", "net", "compPin", "device", "point"};
inline constexpr HighlightMode kModeValue[] = {HighlightMode::hmBoard,  HighlightMode::hmOpenShort,
                                               HighlightMode::hmNet,    HighlightMode::hmCompPin,
                                               HighlightMode::hmDevice, HighlightMode::hmPoint};

// The commands that bring the viewer from the home view of `board` into
// `mode`. The point inquiry zooms in first, so that pins are large enough to
// be hit; the viewer finds where the pin is then, and comes back home.
std::string EnterMode(const std::string& mode, const BenchBoard& board);

}  // namespace vantrel::bench
