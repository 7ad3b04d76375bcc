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
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/batch_runner.h"
#include "board/board_error.h"
#include "board/board_scan.h"
#include "board/view_state.h"
#include "render/fonts.h"
#include "render/image_canvas.h"
#include "search/side_tasks.h"
#include "testing/board_generator.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// ---------------------------------------------------------------------------
// The boards and what to search on each.

// Names to search for, taken from the board the way a technician would pick
// them: the nails on the largest nets, the largest net, a pin of it, the
// first three parts.
struct Queries {
  std::vector<std::string> nails;
  std::string net;
  std::string compPin;
  std::vector<std::string> devices;
  BoardPoint pin;  // where the point inquiry presses
};

struct BenchBoard {
  std::string label;  // "100k", "teres-main"
  std::string file;   // the .brd file
  int pins = 0;       // per side, 0 for a real board
  Queries queries;
  std::string window = "800 600";  // the main window's client area, in device pixels
};

// Calls `record(name, point, net)` for each pin record of the file.
template <typename Record>
void ForEachPinRecord(const std::string& file, Record record) {
  BoardScan scan(file);
  scan.SkipToSection(markers::kPinsEnd);
  for (;;) {
    scan.ExpectMore();
    const std::string name = scan.ReadLine();
    if (name == markers::kPinRecordsEnd) return;
    const BoardPoint at = scan.ReadPoint();
    const std::string net = scan.ReadLine();
    scan.SkipLine();
    record(name, at, net);
  }
}

// The component pin and point searches take pins of the largest net, so that
// they mark as much on every board size: the first such pin, and the one
// nearest the middle of all pins, which a zoom about the middle keeps in view.
Queries FindQueries(const std::string& file) {
  Queries q;
  std::map<std::string, int> netSize;
  BoardBox bounds{1e300, -1e300, 1e300, -1e300};
  ForEachPinRecord(file, [&](const std::string&, BoardPoint p, const std::string& net) {
    if (!net.empty()) ++netSize[net];
    bounds = {std::min(bounds.x1, p.x), std::max(bounds.x2, p.x), std::min(bounds.y1, p.y),
              std::max(bounds.y2, p.y)};
  });
  if (netSize.empty()) throw BoardError("no pin records with a net");
  q.net = std::max_element(netSize.begin(), netSize.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
          })->first;
  const BoardPoint middle{(bounds.x1 + bounds.x2) / 2, (bounds.y1 + bounds.y2) / 2};
  double nearest = 1e300;
  ForEachPinRecord(file, [&](const std::string& name, BoardPoint p, const std::string& net) {
    if (net != q.net) return;
    if (q.compPin.empty()) q.compPin = name.substr(name.find_first_not_of(' '));
    if (const double d = std::hypot(p.x - middle.x, p.y - middle.y); d < nearest) nearest = d, q.pin = p;
  });

  BoardScan scan(file);
  scan.SkipToSection(markers::kOutlineEnd);
  while (!scan.AtEnd() && q.devices.size() < 3) {
    const std::string name = scan.ReadLine();
    if (name == markers::kPartsEnd) break;
    q.devices.push_back(name);
    scan.SkipLine();
  }
  scan.SkipToSection(markers::kPinRecordsEnd);
  std::vector<std::pair<int, std::string>> nails;  // (net size, nail)
  for (;;) {
    scan.ExpectMore();
    const std::string name = scan.ReadLine();
    if (name == markers::kNailsEnd) break;
    scan.SkipLine();
    const std::string net = scan.ReadLine();
    scan.SkipLine();
    nails.emplace_back(netSize[net], name);
  }
  std::stable_sort(nails.begin(), nails.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = 0; i < nails.size() && i < 3; ++i) q.nails.push_back(nails[i].second);
  return q;
}

std::string SizeLabel(int pins) {
  if (pins >= 1000000 && pins % 1000000 == 0) return std::to_string(pins / 1000000) + "M";
  if (pins >= 1000 && pins % 1000 == 0) return std::to_string(pins / 1000) + "k";
  return std::to_string(pins);
}

// Generated boards live in a temporary folder removed at exit.
class Workspace {
 public:
  Workspace() : root_(fs::temp_directory_path() / ("vantrel-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(root_);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::string Generate(int pins) {
    const fs::path folder = root_ / SizeLabel(pins);
    GeneratorOptions options;
    options.pinsPerSide = pins;
    WriteBoardPair(folder.string(), "board.brd", options);
    return (folder / "board.brd").string();
  }

 private:
  fs::path root_;
};

// ---------------------------------------------------------------------------
// The floor of a redraw.

// Reads at most `limit` bytes of `file` from its start in blocks of
// `buffer`, splitting them into lines with memchr; returns how many lines
// ended, or -1 when the file cannot be opened.
long long SplitLines(const std::string& file, std::vector<char>& buffer, std::uint64_t limit) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  long long lines = 0;
  while (limit > 0) {
    const ssize_t n =
        ::read(fd, buffer.data(), static_cast<std::size_t>(std::min<std::uint64_t>(limit, buffer.size())));
    if (n <= 0) break;
    limit -= static_cast<std::uint64_t>(n);
    const char* p = buffer.data();
    const char* end = p + n;
    while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
      p = static_cast<const char*>(lf) + 1;
      ++lines;
    }
  }
  ::close(fd);
  return lines;
}

// The scans of `work` whose number modulo `stride` is `first`, scan i of the
// top file when i is even and of the bottom file when odd, each from the
// start of its file reading its share of the bytes and splitting them into
// lines with memchr. Returns the number of lines, so nothing is optimised away.
std::size_t ScanShares(const std::string& top, const std::string& bottom, const ScanTotals& work,
                       std::uint64_t first, std::uint64_t stride) {
  std::vector<char> buffer(256 * 1024);
  std::size_t lines = 0;
  const std::uint64_t share = work.scans ? work.bytes / work.scans : 0;
  for (std::uint64_t i = first; i < work.scans; i += stride) {
    // The last scan takes what the shares leave.
    const std::uint64_t bytes = i + 1 == work.scans ? work.bytes - share * (work.scans - 1) : share;
    const long long split = SplitLines(i % 2 ? bottom : top, buffer, bytes);
    if (split < 0) break;
    lines += static_cast<std::size_t>(split);
  }
  return lines;
}

// Writes every pixel of the pictures once. They are the program's own, and
// keep what they show: writing copies instead would touch twice the memory
// between two redraws and leave the program's pictures out of the caches, as
// no user's session does, and filling them would leave a split redraw
// nothing to keep on trial.
void WritePictures(const std::vector<QImage*>& pictures) {
  for (QImage* picture : pictures) {
    auto* p = reinterpret_cast<QRgb*>(picture->bits());
    const auto n = static_cast<std::size_t>(picture->sizeInBytes()) / sizeof(QRgb);
    for (std::size_t i = 0; i < n; ++i) p[i] |= 0xFF000000u;  // opaque already: the same value
  }
}

// The scans of a redraw one after the other, then the pictures written once.
std::size_t Floor(const std::string& top, const std::string& bottom, const ScanTotals& work,
                  const std::vector<QImage*>& pictures) {
  const std::size_t lines = ScanShares(top, bottom, work, 0, 1);
  WritePictures(pictures);
  return lines;
}

// The same with the top file's scans on one thread and the bottom file's on
// another, as the sides of an operation run apart: what two cores allow.
std::size_t FloorApart(const std::string& top, const std::string& bottom, const ScanTotals& work,
                       const std::vector<QImage*>& pictures) {
  std::size_t bottomLines = 0;
  std::thread other([&] { bottomLines = ScanShares(top, bottom, work, 1, 2); });
  const std::size_t lines = ScanShares(top, bottom, work, 0, 2);
  other.join();
  WritePictures(pictures);
  return lines + bottomLines;
}

// Reads both files once, whole, splitting them into lines with memchr: the
// least any redraw can cost that looks at every line of both files.
std::size_t FloorOnce(const std::string& top, const std::string& bottom) {
  static std::vector<char> buffer(256 * 1024);
  std::size_t lines = 0;
  for (const std::string* file : {&top, &bottom}) {
    lines += static_cast<std::size_t>(
        std::max(0LL, SplitLines(*file, buffer, std::numeric_limits<std::uint64_t>::max())));
  }
  return lines;
}

// What a number and a text cost at the least, in seconds.
struct UnitCosts {
  double number = 0;
  double text = 0;
};
UnitCosts unitCosts;

template <typename Work>
double MedianSecondsPer(int count, Work work) {
  std::vector<double> runs;
  for (int round = 0; round < 7; ++round) {
    const auto start = Clock::now();
    work();
    runs.push_back(Seconds(Clock::now() - start) / count);
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

// Numbers shaped as the boards' ("12.3456", "-0.5"), converted from memory;
// pin names ("U123.4") drawn at 16 pixels in the labels' face.
UnitCosts MeasureUnitCosts() {
  constexpr int kNumbers = 200000;
  constexpr int kTexts = 4000;
  std::mt19937 random(3);
  std::string tokens;
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  for (int i = 0; i < kNumbers; ++i) {
    const std::size_t at = tokens.size();
    if (random() % 8 == 0) tokens += '-';
    tokens += std::to_string(random() % 300);
    tokens += '.';
    tokens += std::to_string(1000 + random() % 9000);
    spans.emplace_back(at, tokens.size() - at);
    tokens += ' ';
  }
  UnitCosts costs;
  costs.number = MedianSecondsPer(kNumbers, [&] {
    double sum = 0;
    for (const auto& [at, length] : spans) {
      double value = 0;
      std::from_chars(tokens.data() + at, tokens.data() + at + length, value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  });

  QImage picture(1000, 700, QImage::Format_RGB32);
  picture.fill(Qt::black);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(16);
  font.setHintingPreference(QFont::PreferFullHinting);
  std::vector<QString> names;
  for (int i = 0; i < kTexts; ++i)
    names.push_back(QStringLiteral("U%1.%2").arg(random() % 500).arg(random() % 40));
  costs.text = MedianSecondsPer(kTexts, [&] {
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (int i = 0; i < kTexts; ++i) painter.drawText(QPoint(i * 37 % 950, 20 + i * 13 % 660), names[i]);
  });
  return costs;
}

// ---------------------------------------------------------------------------
// The benchmarks.

// One set of windows for the whole run, as in the program.
struct Viewer {
  Application app{1.0};
  BatchRunner runner{app};
};

std::unique_ptr<Viewer> theViewer;  // made and dropped by main(), inside the QApplication

Viewer& TheViewer() { return *theViewer; }

std::string Field(const char* dialog, std::size_t n, const std::string& text) {
  return std::string("field ") + dialog + " " + std::to_string(n) + " " + text + "\n";
}

// The commands that bring the viewer from the home view of a board into
// `mode`. The point inquiry zooms in first, so that pins are large enough to
// be hit; the viewer finds where the pin is then, and comes back home.
std::string EnterMode(const std::string& mode, const BenchBoard& board) {
  const Queries& q = board.queries;
  std::string script;
  if (mode == "openShort") {
    script += "menu open/short\n";
    for (std::size_t i = 0; i < q.nails.size(); ++i) script += Field("nail", i + 1, q.nails[i]);
    script += "ok nail\n";
  } else if (mode == "net") {
    script += "menu nets\n" + Field("net", 1, q.net) + "ok net\n";
  } else if (mode == "compPin") {
    script += "menu comppin\n" + Field("comp", 1, q.compPin) + "ok comp\n";
  } else if (mode == "device") {
    script += "menu device\n";
    for (std::size_t i = 0; i < q.devices.size(); ++i) script += Field("device", i + 1, q.devices[i]);
    script += "ok device\n";
  } else if (mode == "point") {
    Viewer& v = TheViewer();
    v.runner.Run("key +++");
    const PixelPoint p = SideMapping::Of(v.app.session.view, Side::Top).Map(q.pin.x, q.pin.y);
    v.runner.Run("key /");
    script += "key +++\npress " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
  }
  return script;
}

const char* const kModes[] = {"board", "openShort", "net", "compPin", "device", "point"};
const int kModeValue[] = {hmBoard, hmOpenShort, hmNet, hmCompPin, hmDevice, hmPoint};

// Times one operation per iteration (manual time) and, right after it, its
// floor; reports the floor's median and the ratio of the medians.
template <typename Operation>
void TimeAgainstFloor(benchmark::State& state, const BenchBoard& board, Operation operation) {
  Viewer& v = TheViewer();
  const std::vector<QImage*> pictures{&v.app.session.topImage.image(), &v.app.session.bottomImage.image(),
                                      &v.app.session.headerImage.image()};
  const std::string companion = (fs::path(board.file).parent_path() / "jet.CON").string();
  std::vector<double> times, floors, apartFloors, onceFloors, shown;
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
    shown.push_back(took + Seconds(Clock::now() - paintStart));
    const ScanTotals after = BoardScanTotals();
    work = {after.scans - before.scans, after.bytes - before.bytes, after.numbers - before.numbers};
    texts = ImageCanvas::TextsDrawn() - textsBefore;
    const auto floorStart = Clock::now();
    benchmark::DoNotOptimize(Floor(board.file, companion, work, pictures));
    const double floor = Seconds(Clock::now() - floorStart);
    const auto apartStart = Clock::now();
    benchmark::DoNotOptimize(FloorApart(board.file, companion, work, pictures));
    apartFloors.push_back(Seconds(Clock::now() - apartStart));
    const auto onceStart = Clock::now();
    benchmark::DoNotOptimize(FloorOnce(board.file, companion));
    onceFloors.push_back(Seconds(Clock::now() - onceStart));
    state.SetIterationTime(took);
    times.push_back(took);
    floors.push_back(floor);
  }
  if (!v.runner.errors().empty())
    state.SkipWithError(("the viewer reported: " + v.runner.errors().back()).c_str());
  auto median = [](std::vector<double> x) {
    std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(x.size() / 2), x.end());
    return x[x.size() / 2];
  };
  const double time = median(times);
  const double floor = median(floors);
  state.counters["median_ms"] = time * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["ratio"] = time / floor;
  state.counters["once_floor_ms"] = median(onceFloors) * 1e3;
  state.counters["apart_floor_ms"] = median(apartFloors) * 1e3;
  state.counters["shown_ms"] = median(shown) * 1e3;
  state.counters["scans"] = static_cast<double>(work.scans);
  state.counters["MB_read"] = static_cast<double>(work.bytes) / 1e6;
  state.counters["numbers"] = static_cast<double>(work.numbers);
  state.counters["texts"] = static_cast<double>(texts);
  const double withWork = floor + static_cast<double>(work.numbers) * unitCosts.number +
                          static_cast<double>(texts) * unitCosts.text;
  state.counters["work_floor_ms"] = withWork * 1e3;
  state.counters["work_ratio"] = time / withWork;
}

void BM_Open(benchmark::State& state, const BenchBoard* board) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose");
  TimeAgainstFloor(state, *board, [&] { v.app.main->OpenBoard(board->file); });
  if (v.app.session.HighlightMode != hmBoard) state.SkipWithError("the board did not open");
}

void BM_Redraw(benchmark::State& state, const BenchBoard* board, int mode) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  v.runner.Run(EnterMode(kModes[mode], *board));
  if (v.app.session.HighlightMode != kModeValue[mode]) {
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

// A wheel notch (in, then out) at the middle of the picture, or a drag step
// (24 pixels right, then left) of a drag that began in a corner: the event,
// then the redraw the frame would bring.
void BM_Gesture(benchmark::State& state, const BenchBoard* board, bool wheel) {
  Viewer& v = TheViewer();
  v.runner.Run("resize " + board->window + "\nclose\nopen " + board->file);
  ImageView* view = v.app.main->Image1();
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

// ---------------------------------------------------------------------------
// Peak memory of the batch runner.

// Runs vantrel-batch for the memory benchmark. A child's peak resident memory
// counts the pages it shared with its parent before it ran the program, so
// the children come from a process forked at start, while it is small: it
// reads a script's path from a pipe, runs vantrel-batch on it and answers
// with the peak in KB, or -1.
class BatchSpawner {
 public:
  BatchSpawner() {
    int request[2], answer[2];
    if (::pipe(request) != 0 || ::pipe(answer) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(request[1]);
      ::close(answer[0]);
      Serve(request[0], answer[1]);
      ::_exit(0);
    }
    ::close(request[0]);
    ::close(answer[1]);
    requests_ = ::fdopen(request[1], "w");
    answers_ = ::fdopen(answer[0], "r");
  }
  ~BatchSpawner() {
    if (requests_) std::fclose(requests_);  // the server ends at the end of its input
    if (answers_) std::fclose(answers_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }

  // The peak resident memory of vantrel-batch on a script file, in MB; -1 when it failed.
  double PeakMegabytes(const fs::path& script) {
    long kb = -1;
    if (!requests_ || std::fprintf(requests_, "%s\n", script.c_str()) < 0 || std::fflush(requests_) != 0 ||
        std::fscanf(answers_, "%ld", &kb) != 1 || kb < 0) {
      return -1;
    }
    return static_cast<double>(kb) / 1024.0;
  }

 private:
  static void Serve(int in, int out) {
    FILE* requests = ::fdopen(in, "r");
    char path[4096];
    while (std::fgets(path, sizeof path, requests)) {
      path[std::strcspn(path, "\n")] = '\0';
      long kb = -1;
      const pid_t child = ::fork();
      if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::execl(VANTREL_BATCH_EXE, VANTREL_BATCH_EXE, path, static_cast<char*>(nullptr));
        ::_exit(127);
      }
      int status = 0;
      rusage usage{};
      if (child > 0 && ::wait4(child, &status, 0, &usage) == child && WIFEXITED(status) &&
          WEXITSTATUS(status) == 0) {
        kb = usage.ru_maxrss;
      }
      const std::string line = std::to_string(kb) + "\n";
      if (::write(out, line.data(), line.size()) < 0) break;
    }
  }

  pid_t pid_ = -1;
  FILE* requests_ = nullptr;
  FILE* answers_ = nullptr;
};

std::unique_ptr<BatchSpawner> batchSpawner;

// Runs vantrel-batch on `script` and returns its peak resident memory in MB.
double PeakMegabytes(const fs::path& folder, const std::string& script) {
  const fs::path scriptFile = folder / "script.txt";
  std::ofstream(scriptFile) << script;
  return batchSpawner ? batchSpawner->PeakMegabytes(scriptFile) : -1;
}

std::string SessionScript(const BenchBoard& board) {
  std::string script = "open " + board.file + "\nkey +-4\n";
  for (const char* mode : kModes) script += "key /\n" + EnterMode(mode, board) + "key 6\n";
  return script + "exit\n";
}

void BM_PeakMemory(benchmark::State& state, const BenchBoard* small, const BenchBoard* huge) {
  Viewer& v = TheViewer();
  double smallMb = 0, hugeMb = 0;
  for (auto _ : state) {
    for (auto [board, mb] : {std::pair{small, &smallMb}, std::pair{huge, &hugeMb}}) {
      v.runner.Run("close\nopen " + board->file);
      *mb = PeakMegabytes(fs::path(board->file).parent_path(), SessionScript(*board));
    }
  }
  if (smallMb < 0 || hugeMb < 0) state.SkipWithError("vantrel-batch failed");
  state.counters["small_MB"] = smallMb;
  state.counters["huge_MB"] = hugeMb;
  state.counters["diff_MB"] = hugeMb - smallMb;
}

// ---------------------------------------------------------------------------
// The summary.

// Keeps the median of each benchmark (or its only run) for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  struct Row {
    std::map<std::string, double> counters;
  };

  void ReportRuns(const std::vector<Run>& runs) override {
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
  const std::map<std::string, Row>& rows() const { return rows_; }

 private:
  std::map<std::string, Row> rows_;
};

constexpr const char* kLargeWindowLabel = "@1920x1080";

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
    return row ? row->counters.at(counter) : -1.0;
  };
  for (const std::string& op : operations) {
    if (const double t = ms(op, "100k"); t >= 0) line(op + " at 100k pins, ms", t, op == "open" ? 30 : 40);
  }
  if (const double t = ms("redraw/board", "100k"); t >= 0) {
    line("redraw/board at 100k / reading both files once", t / ms("redraw/board", "100k", "once_floor_ms"),
         2);
  }
  for (const std::string& op : operations) {
    const double small = ms(op, "100k"), large = ms(op, "1M");
    if (small > 0 && large >= 0) line(op + " 1M / 100k", large / small, 10);
  }
  if (const double t = ms("redraw/openShort", "1M"); t >= 0) line("redraw/openShort at 1M pins, ms", t, 400);
  if (const double burst = ms("drag", "100k", "burst_scans"); burst >= 0) {
    line("drag at 100k, redraws for 20 moves in a frame", burst / ms("drag", "100k", "scans"), 1);
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

void PrintSummary(const SummaryReporter& reporter, const std::vector<BenchBoard>& boards) {
  const auto& rows = reporter.rows();
  auto find = [&](const std::string& name) -> const SummaryReporter::Row* {
    auto it = rows.find(name);
    return it == rows.end() ? nullptr : &it->second;
  };
  std::printf("\nSummary (medians; ratio = time / floor)\n");
  std::printf("a number costs %.1f ns with std::from_chars, a text %.2f us with QPainter::drawText\n",
              unitCosts.number * 1e9, unitCosts.text * 1e6);
  std::printf("%-10s %-12s %10s %10s %7s %7s %8s %9s %7s %10s %7s %9s %9s %9s\n", "operation", "board", "ms",
              "floor ms", "ratio", "scans", "MB read", "numbers", "texts", "with work", "ratio", "apart ms",
              "once ms", "shown ms");
  std::vector<std::string> operations{"open"};
  for (const char* mode : kModes) operations.push_back(std::string("redraw/") + mode);
  operations.insert(operations.end(), {"wheel", "drag"});
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

std::vector<int> ParseSizes(const std::string& text) {
  std::vector<int> sizes;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ',');) sizes.push_back(std::stoi(item));
  return sizes;
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  using namespace vantrel;
  batchSpawner = std::make_unique<BatchSpawner>();  // first, while this process is small
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform warns on every dialog it cannot raise.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtWarningMsg && type != QtDebugMsg && type != QtInfoMsg)
      std::cerr << message.toStdString() << "\n";
  });
  QApplication qt(argc, argv);
  RegisterFontSubstitutions();

  std::vector<int> sizes{1000, 10000, 100000, 1000000};
  std::string realBoards = VANTREL_SHARED_BOARDS;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--sizes=", 0) == 0) {
      sizes = ParseSizes(arg.substr(8));
    } else if (arg.rfind("--boards=", 0) == 0) {
      realBoards = arg.substr(9);
    } else if (arg == "--sides=apart" || arg == "--sides=in-turn") {
      // The program chooses by the board's size; these force either way.
      SetSidesMode(arg == "--sides=apart" ? SidesMode::Apart : SidesMode::InTurn);
    } else {
      args.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());

  Workspace workspace;
  std::vector<BenchBoard> boards;
  for (int pins : sizes) boards.push_back({SizeLabel(pins), workspace.Generate(pins), pins, {}});
  std::error_code noBoards;
  std::vector<fs::path> real;
  for (const auto& entry : fs::directory_iterator(realBoards, noBoards)) {
    if (!entry.is_directory()) continue;
    for (const auto& file : fs::directory_iterator(entry.path())) {
      if (file.path().extension() == ".brd") real.push_back(file.path());
    }
  }
  std::sort(real.begin(), real.end());
  for (const fs::path& file : real) boards.push_back({file.stem().string(), file.string(), 0, {}});
  // The largest real board once more in a window of 1920 x 1080.
  if (!real.empty()) {
    const fs::path largest = *std::max_element(
        real.begin(), real.end(),
        [](const fs::path& a, const fs::path& b) { return fs::file_size(a) < fs::file_size(b); });
    boards.push_back({largest.stem().string() + kLargeWindowLabel, largest.string(), 0, {}, "1920 1080"});
  }
  for (BenchBoard& board : boards) {
    try {
      board.queries = FindQueries(board.file);
    } catch (const BoardError& e) {
      std::cerr << board.file << ": " << e.what() << "\n";
      return 1;
    }
  }

  for (const BenchBoard& board : boards) {
    // Big boards take long per iteration; a few are enough for a median.
    auto tune = [&](benchmark::internal::Benchmark* b) {
      b->UseManualTime()->Unit(benchmark::kMillisecond);
      if (board.pins >= 1000000) b->Iterations(5);
    };
    tune(benchmark::RegisterBenchmark(("open/" + board.label).c_str(), BM_Open, &board));
    for (int mode = 0; mode < static_cast<int>(std::size(kModes)); ++mode) {
      tune(benchmark::RegisterBenchmark(("redraw/" + std::string(kModes[mode]) + "/" + board.label).c_str(),
                                        BM_Redraw, &board, mode));
    }
    for (const bool wheel : {true, false}) {
      tune(benchmark::RegisterBenchmark((std::string(wheel ? "wheel/" : "drag/") + board.label).c_str(),
                                        BM_Gesture, &board, wheel));
    }
  }
  const auto smallest = std::min_element(boards.begin(), boards.end(), [](const auto& a, const auto& b) {
    return (a.pins ? a.pins : INT32_MAX) < (b.pins ? b.pins : INT32_MAX);
  });
  const auto largest = std::max_element(boards.begin(), boards.end(),
                                        [](const auto& a, const auto& b) { return a.pins < b.pins; });
  if (smallest != boards.end() && largest != smallest && largest->pins > 0) {
    benchmark::RegisterBenchmark(("memory/" + smallest->label + " vs " + largest->label).c_str(),
                                 BM_PeakMemory, &*smallest, &*largest)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }

  unitCosts = MeasureUnitCosts();
  theViewer = std::make_unique<Viewer>();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  theViewer.reset();
  batchSpawner.reset();
  PrintSummary(reporter, boards);
  benchmark::Shutdown();
  return 0;
}
