#include "search/side_runner.h"

#include <sys/stat.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "search/session.h"

namespace vantrel {

namespace {

// Below this much board (both files together) the sides run one after the
// other, unless the pictures are large: waking the worker costs about what
// drawing a small board does.
constexpr long long kApartBytes = 2LL * 1024 * 1024;
// Pictures this large (about 1.6 times the design size each way) take longer
// to clear and draw than a thread takes to wake, whatever the board.
constexpr long long kApartPixels = 1'000'000;

long long SizeOf(const std::string& file) {
  struct stat info {};
  if (file.empty() || ::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return info.st_size;
}

PerSide<SideWork> WorkOf(Session& s) {
  return {{Side::Top, s.FileOf(Side::Top), s.view, s.PictureOf(Side::Top)},
          {Side::Bottom, s.FileOf(Side::Bottom), s.view, s.PictureOf(Side::Bottom)}};
}

// Writes back what the steps left in the session: each side's origin, the
// header strip cleared, the results; as far as they got, also after an error.
void Finish(Session& s, const PerSide<SideWork>& work, const std::function<void(Side)>& apply) {
  s.view.TopOriginX = work.top.view.TopOriginX;
  s.view.TopOriginY = work.top.view.TopOriginY;
  s.view.BottomOriginX = work.bottom.view.BottomOriginX;
  s.view.BottomOriginY = work.bottom.view.BottomOriginY;
  if (work.top.stripCleared || work.bottom.stripCleared) s.pictures.ClearStrip();
  for (const Side side : kSides) apply(side);
}

}  // namespace

void ShareOneHeapArena() {
#if defined(__GLIBC__)
  mallopt(M_ARENA_MAX, 1);
  // A fixed threshold: glibc otherwise raises it to the largest block freed.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

// One thread that runs a task when asked and waits otherwise; it lives as
// long as its runner and keeps nothing from one task to the next. A task's
// errors are caught on the worker and handed to Wait().
class SideRunner::Worker {
 public:
  Worker() : thread_([this] { Loop(); }) {}
  ~Worker() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  void Start(const std::function<void()>& task) {
    {
      std::lock_guard lock(mutex_);
      task_ = &task;
      done_ = false;
      error_ = nullptr;
    }
    wake_.notify_all();
  }
  std::exception_ptr Wait() {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return done_; });
    return error_;
  }

 private:
  void Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stopping_ || task_; });
      if (stopping_) return;
      const std::function<void()>* task = task_;
      task_ = nullptr;
      lock.unlock();
      std::exception_ptr error;
      try {
        (*task)();
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      error_ = error;
      done_ = true;
      finished_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  const std::function<void()>* task_ = nullptr;
  bool done_ = true;
  bool stopping_ = false;
  std::exception_ptr error_;
  std::thread thread_;
};

SideRunner::SideRunner(SidesMode mode) : mode_(mode) {}

SideRunner::~SideRunner() = default;

SideRunner::Worker& SideRunner::TheWorker() {
  if (!worker_) worker_ = std::make_unique<Worker>();
  return *worker_;
}

void SideRunner::Probe(SplitPoint point, Side side) const {
  if (probe_) probe_(point, side);
}

bool SideRunner::RunsApart(const Session& s) const {
  if (mode_ != SidesMode::BySize) return mode_ == SidesMode::Apart;
  const long long top = SizeOf(s.FileOf(Side::Top));
  const long long bottom = SizeOf(s.FileOf(Side::Bottom));
  if (top < 0 || bottom < 0) return false;
  const QImage& picture = s.pictures.sides.bottom.image();
  return top + bottom >= kApartBytes ||
         static_cast<long long>(picture.width()) * picture.height() >= kApartPixels;
}

void SideRunner::RunStage(Session& s, const AnyStage& stage) {
  if (RunsApart(s) && RunApart(s, stage)) return;
  stage.reset();
  RunInTurn(s, stage);
}

void SideRunner::RunInTurn(Session& s, const AnyStage& stage) {
  PerSide<SideWork> work = WorkOf(s);
  try {
    for (std::size_t round = 0; round < stage.rounds; ++round) {
      for (const Side side : kSides) stage.runRound(work[side], round);
    }
  } catch (...) {
    Finish(s, work, stage.apply);
    throw;
  }
  Finish(s, work, stage.apply);
}

bool SideRunner::RunApart(Session& s, const AnyStage& stage) {
  const ViewState view = s.view;
  PerSide<SideWork> work = WorkOf(s);
  ImageCanvas& top = s.PictureOf(Side::Top);
  ImageCanvas& bottom = s.PictureOf(Side::Bottom);
  bottom.EndText();  // opened by this thread, if by any
  const CanvasState topState = top.state();
  enum class Trial { None, Asked, Begun };
  PerSide<Trial> trial{Trial::None, Trial::None};
  const auto half = [&](Side side) {
    if (!stage.drawsNothing && (side == Side::Bottom || !stage.opensWithOutline)) {
      trial[side] = Trial::Asked;
      Probe(SplitPoint::TrialBegins, side);
      work[side].picture.BeginTrial();
      trial[side] = Trial::Begun;
    }
    Probe(SplitPoint::HalfBegins, side);
    for (std::size_t round = 0; round < stage.rounds; ++round) {
      stage.runRound(work[side], round);
      Probe(SplitPoint::RoundEnds, side);
    }
  };
  // A picture's text painter stays with the thread that opened it: the
  // worker ends the one it opened on the bottom picture.
  const std::function<void()> bottomHalf = [&] {
    const struct EndText {
      ImageCanvas& picture;
      ~EndText() { picture.EndText(); }
    } end{bottom};
    half(Side::Bottom);
  };

  std::exception_ptr failed = RunHalves(bottomHalf, [&] { half(Side::Top); });
  if (!failed) {
    try {
      Finish(s, work, [&](Side side) {
        Probe(SplitPoint::Applies, side);
        stage.apply(side);
      });
    } catch (...) {
      failed = std::current_exception();
    }
  }
  // A trial that did not begin has nothing to put back.
  for (const Side side : kSides) {
    if (trial[side] != Trial::None) work[side].picture.EndTrial(!failed || trial[side] != Trial::Begun);
  }
  if (!failed) return true;
  s.view = view;
  if (trial.top == Trial::None) {
    top.EndText();
    top.setState(topState);
  }
  return false;
}

std::exception_ptr SideRunner::RunHalves(const std::function<void()>& onWorker,
                                         const std::function<void()>& here) {
  Worker* worker = nullptr;
  try {
    worker = &TheWorker();
    worker->Start(onWorker);
  } catch (...) {
    return std::current_exception();  // nothing runs on the worker
  }
  std::exception_ptr failed;
  try {
    here();
  } catch (...) {
    failed = std::current_exception();
  }
  const std::exception_ptr workerError = worker->Wait();
  return failed ? failed : workerError;
}

}  // namespace vantrel
