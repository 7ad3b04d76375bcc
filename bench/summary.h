// The summary printed after the benchmarks: the medians of every case beside
// their floors, the growth from 100k to 1M pins, the peak memory of
// vantrel-batch, and each speed target beside what the run measured.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "bench/bench_boards.h"
#include "bench/floors.h"

namespace vantrel::bench {

// Prints the runs as the console reporter does, and keeps the median of each
// benchmark (or its only run) for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  struct Row {
    std::map<std::string, double> counters;
  };

  void ReportRuns(const std::vector<Run>& runs) override;
  const std::map<std::string, Row>& rows() const { return rows_; }

 private:
  std::map<std::string, Row> rows_;
};

void PrintSummary(const SummaryReporter& reporter, const std::vector<BenchBoard>& boards,
                  const UnitCosts& costs);

}  // namespace vantrel::bench
