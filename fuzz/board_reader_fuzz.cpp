// Feeds arbitrary bytes to the board reader as a board file: the home-view
// scan and a walk through every section must end, with or without an error,
// and never crash, hang or read out of bounds.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/board_error.h"
#include "board/board_scan.h"
#include "board/view_state.h"

namespace {

std::string MemoryFile(const std::uint8_t* data, std::size_t size, int& fd) {
  fd = memfd_create("board", 0);
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  return "/proc/self/fd/" + std::to_string(fd);
}

void WalkSections(const std::string& path) {
  using namespace vantrel;
  BoardScan scan(path);
  scan.ReadLine();
  scan.SkipToSection(markers::kOutlineEnd);
  while (!scan.ReadLineEquals(markers::kPartsEnd)) {
    scan.ExpectMore();
    scan.ReadBox();
  }
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 3 && p.y == 3) break;
  }
  for (;;) {
    scan.ExpectMore();
    if (NameEquals(scan.ReadLine(), markers::kPinRecordsEnd)) break;
    scan.ReadPoint();
    scan.ReadShortField();
    scan.SkipToNextLine();
    scan.ReadLine();
  }
  while (!scan.AtEnd()) scan.ReadLine();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int fd = -1;
  const std::string path = MemoryFile(data, size, fd);
  try {
    vantrel::ViewState view;
    vantrel::ComputeHomeView(view, path);
  } catch (const vantrel::BoardError&) {
  }
  try {
    WalkSections(path);
  } catch (const vantrel::BoardError&) {
  }
  close(fd);
  return 0;
}
