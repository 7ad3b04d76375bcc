// The peak resident memory of vantrel-batch for a whole session (open with
// the board browser shown, a search in every highlight mode with its info
// panel, then a find) on the smallest generated board and on the largest, and
// the difference between the two.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "bench/bench_boards.h"

namespace vantrel::bench {

// Runs vantrel-batch for the memory benchmark. A child's peak resident memory
// counts the pages it shared with its parent before it ran the program, so
// the children come from a process forked at start, while it is small: it
// reads a script's path from a pipe, runs vantrel-batch on it and answers
// with the peak in KB, or -1. Make it first in main().
class BatchSpawner {
 public:
  BatchSpawner();
  ~BatchSpawner();
  BatchSpawner(const BatchSpawner&) = delete;
  BatchSpawner& operator=(const BatchSpawner&) = delete;

  // The peak resident memory of vantrel-batch on a script file, in MB; -1 when it failed.
  double PeakMegabytes(const std::filesystem::path& script);

 private:
  static void Serve(int in, int out);

  pid_t pid_ = -1;
  FILE* requests_ = nullptr;
  FILE* answers_ = nullptr;
};

// Registers "memory/SMALL vs LARGE" for the smallest and the largest generated
// board, when there are two. The boards and the spawner must stay until the
// benchmarks have run, inside a ViewerScope.
void RegisterPeakMemory(const std::vector<BenchBoard>& boards, BatchSpawner& spawner);

}  // namespace vantrel::bench
