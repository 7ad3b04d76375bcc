// Benchmarks of the board reader and the layer passes on generated boards.
// Boards are generated once into a temporary folder, then every benchmark
// reads them from the page cache, as a redraw does.
//
//   build/bench/vantrel-bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <map>

#include "bench/board_generator.h"
#include "board/board_scan.h"
#include "board/view_state.h"
#include "render/fonts.h"
#include "render/image_canvas.h"
#include "render/layer_passes.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// Generated board folders by pin count, removed at exit.
class BoardCache {
 public:
  ~BoardCache() {
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
  }
  std::string Board(int pins) {
    if (root_.empty()) {
      root_ = fs::temp_directory_path() / ("vantrel-bench-" + std::to_string(::getpid()));
      fs::create_directories(root_);
    }
    auto it = boards_.find(pins);
    if (it != boards_.end()) return it->second;
    const fs::path folder = root_ / std::to_string(pins);
    GeneratorOptions options;
    options.pinsPerSide = pins;
    WriteBoardPair(folder.string(), "board.brd", options);
    return boards_[pins] = (folder / "board.brd").string();
  }
  static std::string Companion(const std::string& board) {
    return (fs::path(board).parent_path() / "jet.CON").string();
  }

 private:
  fs::path root_;
  std::map<int, std::string> boards_;
};

BoardCache& Boards() {
  static BoardCache cache;
  return cache;
}

void BM_SkipToNailSection(benchmark::State& state) {
  const std::string board = Boards().Board(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    BoardScan scan(board);
    scan.SkipToSection(markers::kPinRecordsEnd);
    benchmark::DoNotOptimize(scan.AtEnd());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(board)));
}
BENCHMARK(BM_SkipToNailSection)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PinPass(benchmark::State& state) {
  const std::string board = Boards().Board(static_cast<int>(state.range(0)));
  ViewState view;
  ComputeHomeView(view, board);
  ImageCanvas image(kSideImageWidth, kSideImageHeight);
  image.setBrushColor(colors::kBlack);
  const PassView pass = MainPassView(view, Side::Top);
  for (auto _ : state) PinPass(board, pass, image);
}
BENCHMARK(BM_PinPass)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Open(benchmark::State& state) {
  const std::string board = Boards().Board(static_cast<int>(state.range(0)));
  const std::string companion = BoardCache::Companion(board);
  ImageCanvas top(kSideImageWidth, kSideImageHeight);
  ImageCanvas bottom(kSideImageWidth, kSideImageHeight);
  ImageCanvas header(kSideImageWidth, 50);
  for (auto _ : state) {
    ViewState view;
    ComputeHomeView(view, board);
    const PassView t = MainPassView(view, Side::Top);
    const PassView b = MainPassView(view, Side::Bottom);
    OutlinePass(board, t, top, &header);
    OutlinePass(companion, b, bottom, &header);
    PartBoxPass(board, t, top);
    PartBoxPass(companion, b, bottom);
    PinPass(board, t, top);
    PinPass(companion, b, bottom);
  }
}
BENCHMARK(BM_Open)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  vantrel::RegisterFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
