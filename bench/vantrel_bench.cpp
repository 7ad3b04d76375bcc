// How fast the viewer opens and redraws boards of every size.
//
// For generated boards of 1k, 10k, 100k and 1M pins per side and for the real
// boards, it times the open and a redraw in every highlight mode, each counted
// from the key to the pictures being complete, through the real main window.
// Beside each redraw it times its floor: reading the same number of bytes from
// the page cache in as many scans, splitting them into lines with memchr, and
// writing every pixel of the pictures once. At the end it prints a summary:
// medians, floors, the ratio of each to its floor, the growth from 100k to 1M
// pins, and the peak memory of vantrel-batch on a small and a huge board.
//
// The floor converts no number and draws no text, and a redraw does both for
// every record it reads and every pin it marks. So the summary also gives a
// second floor, "with work": the floor plus, for each number the redraw read,
// an exact conversion by std::from_chars, and for each text it drew, a
// QPainter::drawText of a pin name with one painter kept open; both unit costs
// are measured at the start of the run.
//
//   build/bench/vantrel-bench [--sizes=1000,10000,100000,1000000]
//                             [--boards=DIR] [--sides=apart|in-turn] [--benchmark_filter=...]
//                             [--benchmark_repetitions=N]
#include <benchmark/benchmark.h>

#include <QApplication>

#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_boards.h"
#include "bench/floors.h"
#include "bench/peak_memory.h"
#include "bench/summary.h"
#include "bench/timed_operations.h"
#include "bench/viewer.h"
#include "board/board_error.h"
#include "render/fonts.h"
#include "search/side_runner.h"

namespace vantrel::bench {
namespace {

struct Options {
  std::vector<int> sizes{1000, 10000, 100000, 1000000};
  std::string realBoards = VANTREL_SHARED_BOARDS;
  vantrel::SidesMode sides = vantrel::SidesMode::BySize;
  std::vector<char*> benchmarkArgs;  // the program's name and what the benchmark library reads
};

std::vector<int> ParseSizes(const std::string& text) {
  std::vector<int> sizes;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ',');) sizes.push_back(std::stoi(item));
  return sizes;
}

// Takes --sizes=, --boards= and --sides= and leaves the rest to the benchmark
// library. --sides= forces how the two sides run, which the program otherwise
// chooses by the board's size.
Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--sizes=", 0) == 0) {
      options.sizes = ParseSizes(arg.substr(8));
    } else if (arg.rfind("--boards=", 0) == 0) {
      options.realBoards = arg.substr(9);
    } else if (arg == "--sides=apart" || arg == "--sides=in-turn") {
      options.sides = arg == "--sides=apart" ? SidesMode::Apart : SidesMode::InTurn;
    } else {
      options.benchmarkArgs.push_back(argv[i]);
    }
  }
  return options;
}

// Fills in the queries of every board; false, after saying why, when a board
// has none.
bool FindAllQueries(std::vector<BenchBoard>& boards) {
  for (BenchBoard& board : boards) {
    try {
      board.queries = FindQueries(board.file);
    } catch (const BoardError& e) {
      std::cerr << board.file << ": " << e.what() << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace
}  // namespace vantrel::bench

int main(int argc, char** argv) {
  using namespace vantrel::bench;
  auto spawner = std::make_unique<BatchSpawner>();  // first, while this process is small
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform warns on every dialog it cannot raise.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtWarningMsg && type != QtDebugMsg && type != QtInfoMsg)
      std::cerr << message.toStdString() << "\n";
  });
  QApplication qt(argc, argv);
  vantrel::RegisterFontSubstitutions();

  Options options = ParseOptions(argc, argv);
  int count = static_cast<int>(options.benchmarkArgs.size());
  benchmark::Initialize(&count, options.benchmarkArgs.data());

  Workspace workspace;
  std::vector<BenchBoard> boards = CollectBoards(workspace, options.sizes, options.realBoards);
  if (!FindAllQueries(boards)) return 1;
  RegisterTimedOperations(boards);
  RegisterPeakMemory(boards, *spawner);

  const UnitCosts costs = MeasureUnitCosts();
  SummaryReporter reporter;
  {
    const ViewerScope viewer(costs, options.sides);
    benchmark::RunSpecifiedBenchmarks(&reporter);
  }
  spawner.reset();
  PrintSummary(reporter, boards, costs);
  benchmark::Shutdown();
  return 0;
}
