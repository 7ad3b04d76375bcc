#include "bench/summary.h"

#include <cstdio>
#include <filesystem>

#include "bench/timed_operations.h"

namespace vantrel::bench {

namespace fs = std::filesystem;

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred) continue;
    const bool aggregate = run.run_type == Run::RT_Aggregate;
    if (aggregate && run.aggregate_name != "median") continue;
    // Aggregates come after the runs they sum up, so a median replaces them.
    Row& row = rows_[run.run_name.function_name];
    for (const auto& [key, counter] : run.counters) row.counters[key] = counter.value;
  }
}

namespace {

// The view's settings against the plain board's redraw at 100k pins, each
// against the same view's plain redraw taken beside it: turned or mirrored
// at most 1.1 times, names at most 1.5 times, the fit key one redraw (its
// scans are the redraw's).
template <typename Ms, typename Line>
void PrintViewTargets(Ms ms, Line line) {
  for (const auto& [setting, limit] : {std::pair{"rotated", 1.1}, std::pair{"mirrored", 1.1},
                                       std::pair{"names", 1.5}, std::pair{"names-zoomed", 1.5}}) {
    if (const double ratio = ms(std::string("view/") + setting, "100k", "per_plain"); ratio >= 0) {
      line(std::string("redraw ") + setting + " / plain at 100k", ratio, limit);
    }
  }
  if (const double scans = ms("fit", "100k", "scans"); scans >= 0) {
    line("fit at 100k, redraws", scans / ms("redraw/board", "100k", "scans"), 1);
  }
}

// Each speed target beside what this run measured.
template <typename Find>
void PrintTargets(Find find, const std::vector<std::string>& operations,
                  const std::vector<BenchBoard>& boards) {
  std::printf("\nTargets (this run)\n%-44s %10s %10s  %s\n", "target", "measured", "limit", "");
  auto line = [](const std::string& what, double measured, double limit) {
    std::printf("%-44s %10.2f %10.2f  %s\n", what.c_str(), measured, limit,
                measured <= limit ? "holds" : "FAILS");
  };
  auto ms = [&](const std::string& op, const std::string& board, const char* counter = "median_ms") {
    const auto* row = find(op + "/" + board);
    return row && row->counters.contains(counter) ? row->counters.at(counter) : -1.0;
  };
  for (const std::string& op : operations) {
    if (const double t = ms(op, "100k"); t >= 0) line(op + " at 100k pins, ms", t, op == "open" ? 30 : 40);
  }
  // Against reading both files once: the board's redraw, and the check after an open.
  for (const auto& [op, limit] : {std::pair{"redraw/board", 2.0}, std::pair{"check", 1.0},
                                  std::pair{"browser/find", 1.5}, std::pair{"browser/info", 1.5}}) {
    if (const double t = ms(op, "100k"); t >= 0) {
      line(std::string(op) + " at 100k / reading both files once", t / ms(op, "100k", "once_floor_ms"),
           limit);
    }
  }
  for (const std::string& op : operations) {
    const double small = ms(op, "100k"), large = ms(op, "1M");
    if (small > 0 && large >= 0) line(op + " 1M / 100k", large / small, 10);
  }
  if (const double t = ms("redraw/openShort", "1M"); t >= 0) line("redraw/openShort at 1M pins, ms", t, 400);
  PrintViewTargets(ms, line);
  if (const double burst = ms("drag", "100k", "burst_scans"); burst >= 0) {
    line("drag at 100k, redraws for 20 moves in a frame", burst / ms("drag", "100k", "scans"), 1);
  }
  for (const BenchBoard& board : boards) {
    if (board.window != "1920 1080") continue;
    if (const double t = ms("export/png", board.label); t >= 0)
      line("export/png on " + board.label + ", ms", t, 150);
  }
  const BenchBoard* largestReal = nullptr;
  for (const BenchBoard& board : boards) {
    if (board.pins == 0 && board.window == "800 600" &&
        (!largestReal || fs::file_size(board.file) > fs::file_size(largestReal->file))) {
      largestReal = &board;
    }
  }
  if (largestReal) {
    const std::string& label = largestReal->label;
    for (const std::string& op : operations) {
      if (const double t = ms(op, label, "shown_ms"); t >= 0)
        line(op + " on " + label + ", key to shown, ms", t, 16);
    }
    for (const std::string& op : operations) {
      const double small = ms(op, label), large = ms(op, label + kLargeWindowLabel);
      if (small > 0 && large >= 0) line(op + " on " + label + ", 1920x1080 / 800x600", large / small, 2);
    }
  }
}

}  // namespace

void PrintSummary(const SummaryReporter& reporter, const std::vector<BenchBoard>& boards,
                  const UnitCosts& costs) {
  const auto& rows = reporter.rows();
  auto find = [&](const std::string& name) -> const SummaryReporter::Row* {
    auto it = rows.find(name);
    return it == rows.end() ? nullptr : &it->second;
  };
  std::printf("\nSummary (medians; ratio = time / floor)\n");
  std::printf("a number costs %.1f ns with std::from_chars, a text %.2f us with QPainter::drawText\n",
              costs.number * 1e9, costs.text * 1e6);
  std::printf("%-10s %-12s %10s %10s %7s %7s %8s %9s %7s %10s %7s %9s %9s %9s\n", "operation", "board", "ms",
              "floor ms", "ratio", "scans", "MB read", "numbers", "texts", "with work", "ratio", "apart ms",
              "once ms", "shown ms");
  const std::vector<std::string> operations = OperationNames();
  for (const std::string& op : operations) {
    for (const BenchBoard& board : boards) {
      if (const auto* row = find(op + "/" + board.label)) {
        const auto& c = row->counters;
        std::printf(
            "%-10s %-12s %10.2f %10.2f %7.2f %7.0f %8.1f %9.0f %7.0f %10.2f %7.2f %9.2f %9.2f %9.2f\n",
            op.starts_with("redraw/") ? op.substr(7).c_str() : op.c_str(), board.label.c_str(),
            c.at("median_ms"), c.at("floor_ms"), c.at("ratio"), c.at("scans"), c.at("MB_read"),
            c.at("numbers"), c.at("texts"), c.at("work_floor_ms"), c.at("work_ratio"), c.at("apart_floor_ms"),
            c.at("once_floor_ms"), c.at("shown_ms"));
      }
    }
  }
  std::printf("\nGrowth from 100k to 1M pins (1M / 100k)\n%-18s %7s %7s\n", "operation", "time", "floor");
  for (const std::string& op : operations) {
    const auto* a = find(op + "/100k");
    const auto* b = find(op + "/1M");
    if (a && b) {
      std::printf("%-18s %6.2fx %6.2fx\n", op.c_str(),
                  b->counters.at("median_ms") / a->counters.at("median_ms"),
                  b->counters.at("floor_ms") / a->counters.at("floor_ms"));
    }
  }
  for (const auto& [name, row] : rows) {
    if (name.rfind("memory/", 0) != 0) continue;
    std::printf(
        "\nPeak resident memory of vantrel-batch (%s): %.1f MB and %.1f MB, difference %.1f MB (%s)\n",
        name.substr(7).c_str(), row.counters.at("small_MB"), row.counters.at("huge_MB"),
        row.counters.at("diff_MB"), row.counters.at("diff_MB") <= 5 ? "within 5 MB" : "MORE than 5 MB");
  }
  PrintTargets(find, operations, boards);
}

}  // namespace vantrel::bench
