#include "search/side_tasks.h"

#include <sys/stat.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <QCoreApplication>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
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

// The worker allocates little, and only while a task runs: with one arena of
// the heap for both threads its allocations reuse memory the program already
// holds instead of raising a second arena's high-water mark.
void ShareOneHeapArena() {
#if defined(__GLIBC__)
  mallopt(M_ARENA_MAX, 1);
#endif
}

// One thread that runs a task when asked and waits otherwise; it lives as
// long as the program and keeps nothing from one task to the next.
class Worker {
 public:
  Worker() : thread_((ShareOneHeapArena(), [this] { Loop(); })) {}
  ~Worker() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  // Runs `task` on the worker and returns at once; Wait() returns when it
  // has ended, with the error it raised, if any.
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

// The worker is made when first needed and ends with the application, while
// the toolkit's per-thread font caches are still there to free the fonts it
// drew with; a thread that outlived them at exit would leave its fonts behind.
std::unique_ptr<Worker>& WorkerSlot() {
  static std::unique_ptr<Worker> worker;
  return worker;
}

void EndWorker() { WorkerSlot().reset(); }

Worker& TheWorker() {
  std::unique_ptr<Worker>& worker = WorkerSlot();
  if (!worker) {
    worker = std::make_unique<Worker>();
    qAddPostRoutine(EndWorker);
  }
  return *worker;
}

long long SizeOf(const std::string& file) {
  struct stat info {};
  if (file.empty() || ::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return info.st_size;
}

std::atomic<SidesMode> sidesMode{SidesMode::BySize};

}  // namespace

void SetSidesMode(SidesMode mode) { sidesMode = mode; }

void Rendezvous::Meet() {
  std::unique_lock lock(mutex_);
  ++arrived_;
  met_.notify_all();
  met_.wait(lock, [this] { return arrived_ == 2 || abandoned_; });
  if (abandoned_) throw std::runtime_error("the other side of the board stopped");
}

void Rendezvous::Abandon() {
  std::lock_guard lock(mutex_);
  abandoned_ = true;
  met_.notify_all();
}

bool SidesWorthRunningApart(const Session& s) {
  if (sidesMode != SidesMode::BySize) return sidesMode == SidesMode::Apart;
  const long long top = SizeOf(s.BoardFile);
  const long long bottom = SizeOf(s.CompanionFile);
  if (top < 0 || bottom < 0) return false;
  const QImage& picture = s.bottomImage.image();
  return top + bottom >= kApartBytes ||
         static_cast<long long>(picture.width()) * picture.height() >= kApartPixels;
}

void RunSides(Session& s, const SideSplit& split, const std::function<void()>& sequential) {
  if (!SidesWorthRunningApart(s)) return sequential();
  // The halves draw on trial, kept only when both succeed; they write
  // nothing else to the session but the view's origin of their side, which
  // the component pin search moves.
  const ViewState view = s.view;
  s.bottomImage.EndText();  // opened by this thread, if by any
  if (!split.startsWithTopOutline) s.topImage.BeginTrial();
  const CanvasState topState = s.topImage.state();
  // A picture's text painter stays with the thread that opened it: each
  // thread ends the painter of the picture it drew on. The worker keeps the
  // bottom picture to put back itself, beside the top half's work.
  const std::function<void()> bottom = [&] {
    const struct EndText {
      ImageCanvas& picture;
      ~EndText() { picture.EndText(); }
    } end{s.bottomImage};
    s.bottomImage.BeginTrial();
    split.bottom();
  };
  Worker& worker = TheWorker();
  worker.Start(bottom);
  std::exception_ptr topError;
  try {
    split.top();
  } catch (...) {
    topError = std::current_exception();
  }
  const std::exception_ptr bottomError = worker.Wait();
  const bool succeeded = !topError && !bottomError;
  s.bottomImage.EndTrial(succeeded);
  if (!split.startsWithTopOutline) s.topImage.EndTrial(succeeded);
  if (succeeded) return split.merge();
  // Run in turn from where the operation began: the top side's outline pass,
  // when it comes first, clears what the top half drew.
  s.view = view;
  s.topImage.EndText();
  s.topImage.setState(topState);
  sequential();
}

}  // namespace vantrel
