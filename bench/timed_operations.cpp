#include "bench/timed_operations.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>

#include "app/picture_export.h"
#include "bench/floors.h"
#include "bench/viewer.h"
#include "dialogs/board_browser.h"
#include "render/image_canvas.h"
#include "search/redraw.h"

namespace vantrel::bench {

namespace {

namespace fs = std::filesystem;

// The settings of the view whose redraw is timed beside the plain one.
constexpr const char* kViewSettings[] = {"rotated", "mirrored", "names", "names-zoomed"};

// What each iteration of a case measured, in seconds.
struct Samples {
  std::vector<double> times, floors, apartFloors, onceFloors, shown;
  std::vector<double> perPlain;  // each time against the plain one taken beside it
};

double Median(std::vector<double> x) {
  std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(x.size() / 2), x.end());
  return x[x.size() / 2];
}

// The medians, and the work of the last iteration: `work` the scans, `texts`
// the texts drawn.
void ReportCounters(benchmark::State& state, const Samples& samples, const ScanTotals& work,
                    std::uint64_t texts, const UnitCosts& costs) {
  const double time = Median(samples.times);
  const double floor = Median(samples.floors);
  state.counters["median_ms"] = time * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["ratio"] = time / floor;
  state.counters["once_floor_ms"] = Median(samples.onceFloors) * 1e3;
  state.counters["apart_floor_ms"] = Median(samples.apartFloors) * 1e3;
  state.counters["shown_ms"] = Median(samples.shown) * 1e3;
  state.counters["scans"] = static_cast<double>(work.scans);
  state.counters["MB_read"] = static_cast<double>(work.bytes) / 1e6;
  state.counters["numbers"] = static_cast<double>(work.numbers);
  state.counters["texts"] = static_cast<double>(texts);
  const double withWork =
      floor + static_cast<double>(work.numbers) * costs.number + static_cast<double>(texts) * costs.text;
  state.counters["work_floor_ms"] = withWork * 1e3;
  state.counters["work_ratio"] = time / withWork;
  if (!samples.perPlain.empty()) state.counters["per_plain"] = Median(samples.perPlain);
}

// Times one operation per iteration (manual time) and, right after it, its
// floors; reports the floor's median and the ratio of the medians. With
// `plain`, also times it after each operation and reports the median of the
// ratios: a setting's cost against the same work without it, both taken
// within milliseconds of each other on a noisy machine.
template <typename Operation>
void TimeAgainstFloor(benchmark::State& state, const BenchBoard& board, Operation operation,
                      const std::function<void()>& plain = {}) {
  Viewer& v = TheViewer();
  Pictures& p = v.app.session.pictures;
  const std::vector<QImage*> pictures{&p.sides.top.image(), &p.sides.bottom.image(), &p.strip.image()};
  const std::string companion = (fs::path(board.file).parent_path() / "jet.CON").string();
  Samples samples;
  ScanTotals work;
  std::uint64_t texts = 0;
  for (auto _ : state) {
    const ScanTotals before = BoardScanTotals();
    const std::uint64_t textsBefore = ImageCanvas::TextsDrawn();
    const auto start = Clock::now();
    operation();
    const double took = Seconds(Clock::now() - start);
    // What the window then takes to show the new pictures.
    const auto paintStart = Clock::now();
    v.app.main->repaint();
    samples.shown.push_back(took + Seconds(Clock::now() - paintStart));
    const ScanTotals after = BoardScanTotals();
    work = {after.scans - before.scans, after.bytes - before.bytes, after.numbers - before.numbers};
    texts = ImageCanvas::TextsDrawn() - textsBefore;
    if (plain) {
      const auto plainStart = Clock::now();
      plain();
      samples.perPlain.push_back(took / Seconds(Clock::now() - plainStart));
    }
    const auto floorStart = Clock::now();
    benchmark::DoNotOptimize(Floor(board.file, companion, work, pictures));
    const double floor = Seconds(Clock::now() - floorStart);
    const auto apartStart = Clock::now();
    benchmark::DoNotOptimize(FloorApart(board.file, companion, work, pictures));
    samples.apartFloors.push_back(Seconds(Clock::now() - apartStart));
    const auto onceStart = Clock::now();
    benchmark::DoNotOptimize(FloorOnce(board.file, companion));
    samples.onceFloors.push_back(Seconds(Clock::now() - onceStart));
    state.SetIterationTime(took);
    samples.times.push_back(took);
    samples.floors.push_back(floor);
  }
  if (!v.runner.errors().empty())
    state.SkipWithError(("the viewer reported: " + v.runner.errors().back()).c_str());
  ReportCounters(state, samples, work, texts, v.unitCosts);
}

void BM_Open(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose");
  TimeAgainstFloor(state, *board, [&] { v.app.main->OpenBoard(board->file); });
  if (v.app.session.highlight.mode != HighlightMode::hmBoard) state.SkipWithError("the board did not open");
}

// The check of both files that follows an open.
void BM_Check(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  TimeAgainstFloor(state, *board, [&] { CheckBoardFiles(v.app.session); });
  if (!v.app.session.document.Warnings.empty()) state.SkipWithError("the board's files are not whole");
}

void BM_Redraw(benchmark::State& state, const BenchBoard* board, int mode) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  v.runner.Run(EnterMode(kModes[mode], *board));
  if (v.app.session.highlight.mode != kModeValue[mode]) {
    state.SkipWithError(("could not enter " + std::string(kModes[mode])).c_str());
    return;
  }
  // A pan one way, then back: every key redraws the same amount.
  char key = '4';
  TimeAgainstFloor(state, *board, [&] {
    v.app.main->FormKeyPress(key);
    key = key == '4' ? '6' : '4';
  });
}

// The board's redraw by the pan keys with the view turned, mirrored or
// showing the names (at the home view, and zoomed in until pin names show),
// each beside a redraw of the same view without the setting.
void BM_ViewRedraw(benchmark::State& state, const BenchBoard* board, std::string setting) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  const std::map<std::string, std::string> scripts = {{"rotated", "rotate"},
                                                      {"mirrored", "mirror"},
                                                      {"names", "labels on"},
                                                      {"names-zoomed", "labels on\nkey ++++++++"}};
  v.runner.Run(scripts.at(setting));
  ViewState& view = v.app.session.view;
  const ViewState set = view;
  char key = '4';
  TimeAgainstFloor(
      state, *board,
      [&] {
        v.app.main->FormKeyPress(key);
        key = key == '4' ? '6' : '4';
      },
      [&] {
        view.orientation = {};
        view.names = false;
        v.app.main->Redraw();
        view.orientation = set.orientation;
        view.names = set.names;
      });
  v.runner.Run("labels off\nrotate ccw\nrotate ccw\nrotate ccw\nrotate ccw");
  if (v.app.session.view.orientation.mirrored) v.runner.Run("mirror");
}

// The fit key from the home view: one redraw.
void BM_Fit(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  TimeAgainstFloor(state, *board, [&] {
    RestoreHomeView(v.app.session.view);
    v.app.main->FitClick();
  });
}

// An edit of the browser's find box, once typing has paused: the scan of
// both files and the rows shown. Two texts in turn, each found anew.
void BM_BrowserFind(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file + "\nbrowser on");
  BrowserDock& browser = *v.app.main->browser();
  bool forth = true;
  TimeAgainstFloor(state, *board, [&] {
    browser.findBox()->setText(forth ? QStringLiteral("u1") : QStringLiteral("n$2"));
    browser.Find();
    forth = !forth;
  });
  state.counters["rows"] = static_cast<double>(browser.list().rows.size());
  v.runner.Run("browser off");
}

// The info panel of the net search's result, on the board's largest net
// but one (6,000 pins at 100,000 pins a side).
void BM_BrowserInfo(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file +
               "\nbrowser on\nmenu nets\nfield net 1 +3V3\nok net");
  BrowserDock& browser = *v.app.main->browser();
  TimeAgainstFloor(state, *board, [&] { browser.ShowResult(true); });
  state.counters["pins"] = static_cast<double>(browser.info().size());
  v.runner.Run("browser off");
}

// A wheel notch (in, then out) at the middle of the picture, or a drag step
// (24 pixels right, then left) of a drag that began in a corner: the event,
// then the redraw the frame would bring.
void BM_Gesture(benchmark::State& state, const BenchBoard* board, bool wheel) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  ImageView* view = v.app.main->topView();
  const auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  };
  const double f = v.app.main->factor();
  QPointF at(2 * f, 2 * f);
  if (!wheel) mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
  bool forth = true;
  TimeAgainstFloor(state, *board, [&] {
    if (wheel) {
      const QPointF middle(392 * f, 245 * f);
      QWheelEvent event(middle, view->mapToGlobal(middle), {},
                        {0, forth ? ImageView::kNotch : -ImageView::kNotch}, Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(view, &event);
    } else {
      at += QPointF(forth ? 24 * f : -24 * f, 0);
      mouse(QEvent::MouseMove, at, Qt::LeftButton);
    }
    v.app.main->FlushRedraw();
    forth = !forth;
  });
  if (!wheel) mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
  // A burst of moves between two frames costs one redraw, and none waits after it.
  const ScanTotals before = BoardScanTotals();
  mouse(QEvent::MouseButtonPress, QPointF(2 * f, 2 * f), Qt::LeftButton);
  const std::uint64_t pressScans = BoardScanTotals().scans - before.scans;
  for (int step = 1; step <= 20; ++step)
    mouse(QEvent::MouseMove, QPointF((2 + 2 * step) * f, 2 * f), Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, QPointF(42 * f, 2 * f), Qt::NoButton);
  QApplication::processEvents();
  state.counters["burst_scans"] = static_cast<double>(BoardScanTotals().scans - before.scans - pressScans);
}

// File > Export picture to a PNG file: the header strip and the side shown,
// as the window shows them, from the menu's command to the file written.
void BM_ExportPng(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  const fs::path file = fs::temp_directory_path() / ("vantrel-bench-" + std::to_string(::getpid()) + ".png");
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = Clock::now();
    ExportPicture(*v.app.main, file.string());
    const double took = Seconds(Clock::now() - start);
    state.SetIterationTime(took);
    times.push_back(took);
  }
  state.counters["median_ms"] = Median(times) * 1e3;
  state.counters["file_kB"] = static_cast<double>(fs::file_size(file)) / 1e3;
  fs::remove(file);
}

}  // namespace

void RegisterTimedOperations(const std::vector<BenchBoard>& boards) {
  for (const BenchBoard& board : boards) {
    // Big boards take long per iteration; a few are enough for a median.
    auto tune = [&](benchmark::internal::Benchmark* b) {
      b->UseManualTime()->Unit(benchmark::kMillisecond);
      if (board.pins >= 1000000) b->Iterations(5);
    };
    tune(benchmark::RegisterBenchmark(("open/" + board.label).c_str(), BM_Open, &board));
    tune(benchmark::RegisterBenchmark(("check/" + board.label).c_str(), BM_Check, &board));
    for (int mode = 0; mode < static_cast<int>(std::size(kModes)); ++mode) {
      tune(benchmark::RegisterBenchmark(("redraw/" + std::string(kModes[mode]) + "/" + board.label).c_str(),
                                        BM_Redraw, &board, mode));
    }
    if (board.pins <= 100000) {
      for (const char* setting : kViewSettings) {
        tune(benchmark::RegisterBenchmark(("view/" + std::string(setting) + "/" + board.label).c_str(),
                                          BM_ViewRedraw, &board, std::string(setting)));
      }
      tune(benchmark::RegisterBenchmark(("fit/" + board.label).c_str(), BM_Fit, &board));
      tune(benchmark::RegisterBenchmark(("browser/find/" + board.label).c_str(), BM_BrowserFind, &board));
      if (board.pins > 0)
        tune(benchmark::RegisterBenchmark(("browser/info/" + board.label).c_str(), BM_BrowserInfo, &board));
    }
    for (const bool wheel : {true, false}) {
      tune(benchmark::RegisterBenchmark((std::string(wheel ? "wheel/" : "drag/") + board.label).c_str(),
                                        BM_Gesture, &board, wheel));
    }
    tune(benchmark::RegisterBenchmark(("export/png/" + board.label).c_str(), BM_ExportPng, &board));
  }
}

std::vector<std::string> OperationNames() {
  std::vector<std::string> operations{"open", "check"};
  for (const char* mode : kModes) operations.push_back(std::string("redraw/") + mode);
  operations.insert(operations.end(), {"wheel", "drag"});
  for (const char* setting : kViewSettings) operations.push_back(std::string("view/") + setting);
  operations.insert(operations.end(), {"fit", "browser/find", "browser/info"});
  return operations;
}

}  // namespace vantrel::bench
