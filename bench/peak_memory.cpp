#include "bench/peak_memory.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include "bench/viewer.h"

namespace vantrel::bench {

namespace fs = std::filesystem;

BatchSpawner::BatchSpawner() {
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

BatchSpawner::~BatchSpawner() {
  if (requests_) std::fclose(requests_);  // the server ends at the end of its input
  if (answers_) std::fclose(answers_);
  if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
}

double BatchSpawner::PeakMegabytes(const fs::path& script) {
  long kb = -1;
  if (!requests_ || std::fprintf(requests_, "%s\n", script.c_str()) < 0 || std::fflush(requests_) != 0 ||
      std::fscanf(answers_, "%ld", &kb) != 1 || kb < 0) {
    return -1;
  }
  return static_cast<double>(kb) / 1024.0;
}

void BatchSpawner::Serve(int in, int out) {
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

namespace {

// Runs vantrel-batch on `script` and returns its peak resident memory in MB.
double PeakMegabytes(BatchSpawner& spawner, const fs::path& folder, const std::string& script) {
  const fs::path scriptFile = folder / "script.txt";
  std::ofstream(scriptFile) << script;
  return spawner.PeakMegabytes(scriptFile);
}

std::string SessionScript(const BenchBoard& board) {
  // With the board browser shown: its rows and the info panel of each result.
  std::string script = "open " + board.file + "\nbrowser on\nkey +-4\n";
  for (const char* mode : kModes) script += "key /\n" + EnterMode(mode, board) + "key 6\n";
  return script + "find u1\nexit\n";
}

void BM_PeakMemory(benchmark::State& state, const BenchBoard* small, const BenchBoard* huge,
                   BatchSpawner* spawner) {
  Viewer& v = TheViewer();
  double smallMb = 0, hugeMb = 0;
  for (auto _ : state) {
    for (auto [board, mb] : {std::pair{small, &smallMb}, std::pair{huge, &hugeMb}}) {
      v.runner.Run("close\nopen " + board->file);
      *mb = PeakMegabytes(*spawner, fs::path(board->file).parent_path(), SessionScript(*board));
    }
  }
  if (smallMb < 0 || hugeMb < 0) state.SkipWithError("vantrel-batch failed");
  state.counters["small_MB"] = smallMb;
  state.counters["huge_MB"] = hugeMb;
  state.counters["diff_MB"] = hugeMb - smallMb;
}

}  // namespace

void RegisterPeakMemory(const std::vector<BenchBoard>& boards, BatchSpawner& spawner) {
  const auto smallest = std::min_element(boards.begin(), boards.end(), [](const auto& a, const auto& b) {
    return (a.pins ? a.pins : INT32_MAX) < (b.pins ? b.pins : INT32_MAX);
  });
  const auto largest = std::max_element(boards.begin(), boards.end(),
                                        [](const auto& a, const auto& b) { return a.pins < b.pins; });
  if (smallest != boards.end() && largest != smallest && largest->pins > 0) {
    benchmark::RegisterBenchmark(("memory/" + smallest->label + " vs " + largest->label).c_str(),
                                 BM_PeakMemory, &*smallest, &*largest, &spawner)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace vantrel::bench
