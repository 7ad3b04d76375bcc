#include "bench/bench_boards.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "board/board_error.h"
#include "testing/board_generator.h"

namespace vantrel::bench {

namespace fs = std::filesystem;

namespace {

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

}  // namespace

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

Workspace::Workspace() : root_(fs::temp_directory_path() / ("vantrel-bench-" + std::to_string(::getpid()))) {
  fs::create_directories(root_);
}

Workspace::~Workspace() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string Workspace::Generate(int pins) {
  const fs::path folder = root_ / SizeLabel(pins);
  GeneratorOptions options;
  options.pinsPerSide = pins;
  WriteBoardPair(folder.string(), "board.brd", options);
  return (folder / "board.brd").string();
}

std::vector<BenchBoard> CollectBoards(Workspace& workspace, const std::vector<int>& sizes,
                                      const std::string& realBoards) {
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
  if (!real.empty()) {
    const fs::path largest = *std::max_element(
        real.begin(), real.end(),
        [](const fs::path& a, const fs::path& b) { return fs::file_size(a) < fs::file_size(b); });
    boards.push_back({largest.stem().string() + kLargeWindowLabel, largest.string(), 0, {}, "1920 1080"});
  }
  return boards;
}

}  // namespace vantrel::bench
