// Running the two sides of one operation at once.
//
// The top side reads the board file and draws on the top picture, the bottom
// side reads "jet.CON" and draws on the bottom picture, so on a large board an
// operation may do the two halves of its work on two threads and then put
// their results together on this one. What the user sees afterwards is exactly
// what the sequential run gives: the halves write only to their own picture,
// their own side's origin and results of their own, which the merge then
// writes into the session; when either raises an error, the pictures and the
// view are put back as they were and the sequential run is made instead, so
// that the first error in the sequential order is the one shown and
// everything it left is what stays.
//
// Nothing survives the operation: the threads read their files forward in
// scans of their own, and the worker thread keeps nothing between operations.
// Every handler still runs to its end before the next event.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace vantrel {

struct Session;

// Whether running the sides apart pays on this board: both files can be read
// and together hold at least a few megabytes, or the pictures are large.
// Small boards in small pictures draw faster than a thread wakes.
bool SidesWorthRunningApart(const Session& s);

// By the board's size, as above (the program's way), or always apart, or
// never: the tests run both forms and compare what they leave.
enum class SidesMode { BySize, Apart, InTurn };
void SetSidesMode(SidesMode mode);

// One operation split by side.
struct SideSplit {
  std::function<void()> top;     // runs on this thread; draws on the top picture only
  std::function<void()> bottom;  // runs on the worker; draws on the bottom picture only
  std::function<void()> merge;   // runs here after both; writes their results into the session
  // Whether the run in turn starts with the top side's outline pass, which
  // clears the top picture before anything can fail: then what the top half
  // drew needs no putting back.
  bool startsWithTopOutline = false;
};

// Where the two halves of a split operation wait for each other, to share
// what both have found before going on. Each half calls Meet() once, or
// Abandon() when it raised an error before it could; then the other half's
// Meet() raises too, so that neither waits for ever.
class Rendezvous {
 public:
  void Meet();
  void Abandon();

 private:
  std::mutex mutex_;
  std::condition_variable met_;
  int arrived_ = 0;
  bool abandoned_ = false;
};

// Runs the split form when the sides are worth running apart and
// `sequential` otherwise; if the split form raises an error, the session is
// put back as it was and `sequential` runs, raising the error it meets.
void RunSides(Session& s, const SideSplit& split, const std::function<void()>& sequential);

}  // namespace vantrel
