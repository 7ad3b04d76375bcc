// The boards the benchmark runs on and what it searches for on each: generated
// boards of the chosen sizes, written to a temporary folder, and the real
// boards of a folder, the largest of them once more in a window of 1920 x 1080.
// The names searched for are taken from each board as a technician would pick
// them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "board/board_scan.h"

namespace vantrel::bench {

// Names to search for: the nails on the largest nets, the largest net, a pin
// of it, the first three parts.
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

// What the label of the largest real board ends with in its larger window.
constexpr const char* kLargeWindowLabel = "@1920x1080";

// The queries of a board file. Throws BoardError when it has no pin record
// with a net.
Queries FindQueries(const std::string& file);

// "1k", "100k", "1M", or the number itself when it is not round.
std::string SizeLabel(int pins);

// Generated boards live in a temporary folder removed at exit.
class Workspace {
 public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Writes a board of `pins` pins per side and its jet.CON; returns the .brd file.
  std::string Generate(int pins);

 private:
  std::filesystem::path root_;
};

// The generated boards of `sizes` pins per side, then the real boards found in
// the subfolders of `realBoards` in the order of their paths, then the largest
// real board in a window of 1920 x 1080. Their queries are left empty.
std::vector<BenchBoard> CollectBoards(Workspace& workspace, const std::vector<int>& sizes,
                                      const std::string& realBoards);

}  // namespace vantrel::bench
