// The timed cases on the viewer: the open, a redraw in every highlight mode, a
// wheel notch and a drag step, each counted from the key or the mouse event to
// the pictures being complete, and each followed by its floors (floors.h). The
// cases report their medians as counters: median_ms, floor_ms and ratio,
// apart_floor_ms, once_floor_ms, shown_ms (until the window has shown the
// pictures), the scans, MB and numbers read, the texts drawn, work_floor_ms and
// work_ratio. Then the export of the picture shown to a PNG file
// (export/png/LABEL), with its median and the file's size.
#pragma once

#include <string>
#include <vector>

#include "bench/bench_boards.h"

namespace vantrel::bench {

// Registers open/LABEL, redraw/MODE/LABEL, wheel/LABEL, drag/LABEL and
// export/png/LABEL for each board. The boards must stay where they are until the benchmarks have run,
// inside a ViewerScope.
void RegisterTimedOperations(const std::vector<BenchBoard>& boards);

// The names of the operations without the board, in the order of the summary:
// "open", "redraw/board" and the other modes, "wheel", "drag".
std::vector<std::string> OperationNames();

}  // namespace vantrel::bench
