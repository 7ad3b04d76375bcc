// Running the two sides of an operation, in turn or at once.
//
// The top side reads the board file and draws on the top picture, the bottom
// side reads "jet.CON" and draws on the bottom picture. An operation that
// works on both is described once, as a Stage: rounds of steps that each
// side runs on its own SideWork into its own result, and `apply`, which
// writes one side's result into the session. The runner derives both ways of
// running it from that one description:
//   - in turn: round by round, the top side's steps and then the bottom
//     side's, as the program's order of passes asks;
//   - apart, on a large board: the bottom side's steps on a worker thread
//     while this thread runs the top side's, each side drawing on trial.
// Either way the results are then applied, the top side's first. Apart, when
// anything fails (a step, the start of a trial, the applying), the pictures
// and the view are put back as they were and the stage runs again in turn,
// so that the first error in the program's order is the one raised and
// everything it left is what stays. An error in turn still applies what each
// side's steps got to before it goes on, as the passes themselves would have
// written it.
//
// Steps read nothing of the session but what SideWork hands them and what
// the stage's author captured as const; they write their side's picture and
// result and may move their side's origin in their view, which the runner
// writes back. Nothing survives the stage: each side's scans read their file
// forward, and the worker keeps nothing between stages.
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/side.h"
#include "board/view_state.h"
#include "render/board_names.h"
#include "render/image_canvas.h"
#include "render/layer_passes.h"

namespace vantrel {

struct Session;

// By the board's size (the program's way), or always apart, or always in
// turn: the tests run both forms and compare what they leave.
enum class SidesMode { BySize, Apart, InTurn };

// What one side's steps work with.
struct SideWork {
  Side side;
  const std::string& file;  // the board file or "jet.CON"
  ViewState view;           // the view as the stage began; a step may move this side's origin
  ImageCanvas& picture;
  // An outline pass ran, which clears the header strip too: the runner clears
  // it once for both sides.
  bool stripCleared = false;
  // The names on the board, when the view shows them: the part-box pass keeps
  // the parts' and the pin pass draws them over the pins.
  std::shared_ptr<NamePlacer> names{};
};

template <class Result>
using SideStep = std::function<void(SideWork&, Result&)>;
template <class Result>
using Round = std::vector<SideStep<Result>>;

template <class Result>
struct Stage {
  std::vector<Round<Result>> rounds{};
  // Writes one side's result into the session, as far as its steps got; for
  // a field both sides write, the bottom side's write comes last, as in turn.
  std::function<void(Side, Result&)> apply{};
  // Each side's first step is its outline pass, which clears the picture
  // before anything can fail: run apart, the top picture needs no trial.
  bool opensWithOutline = false;
  // The steps only read: run apart, no picture needs a trial.
  bool drawsNothing = false;
};

// The points of a run apart where the tests make it fail, on the thread of
// the side they concern: as a side's trial begins (it allocates), as its
// half begins, after each of its rounds, and as its result is applied.
enum class SplitPoint { TrialBegins, HalfBegins, RoundEnds, Applies };

// Makes every thread of the process share one heap arena: the worker
// allocates little, and only while a stage runs, so its allocations reuse
// memory the program already holds instead of raising a second arena's peak.
// Large blocks (a long net's list of pins) are mapped on their own and given
// back when freed, rather than left in the arena after the result is gone.
void ShareOneHeapArena();

class SideRunner {
 public:
  explicit SideRunner(SidesMode mode = SidesMode::BySize);
  ~SideRunner();
  SideRunner(const SideRunner&) = delete;
  SideRunner& operator=(const SideRunner&) = delete;

  SidesMode mode() const { return mode_; }
  void SetMode(SidesMode mode) { mode_ = mode; }
  // Whether the sides of the session's board run apart: both files can be
  // read and hold a few megabytes together, or the pictures are large.
  bool RunsApart(const Session& s) const;

  template <class Result>
  void Run(Session& s, const Stage<Result>& stage) {
    PerSide<Result> results{};
    RunStage(s, {.rounds = stage.rounds.size(),
                 .runRound =
                     [&](SideWork& work, std::size_t round) {
                       for (const SideStep<Result>& step : stage.rounds[round])
                         step(work, results[work.side]);
                     },
                 .apply = [&](Side side) { stage.apply(side, results[side]); },
                 .reset = [&] { results = PerSide<Result>{}; },
                 .opensWithOutline = stage.opensWithOutline,
                 .drawsNothing = stage.drawsNothing});
  }

  // For the tests: called at each SplitPoint of a run apart.
  void SetFaultProbe(std::function<void(SplitPoint, Side)> probe) { probe_ = std::move(probe); }

 private:
  class Worker;
  struct AnyStage {
    std::size_t rounds;
    std::function<void(SideWork&, std::size_t)> runRound;
    std::function<void(Side)> apply;
    std::function<void()> reset;
    bool opensWithOutline;
    bool drawsNothing;
  };

  void RunStage(Session& s, const AnyStage& stage);
  static void RunInTurn(Session& s, const AnyStage& stage);
  // Whether the stage ran apart to its end; when not, the session is as it was.
  bool RunApart(Session& s, const AnyStage& stage);
  // Runs `onWorker` on the worker and `here` on this thread, and returns once
  // both have ended, with the first error, if any.
  std::exception_ptr RunHalves(const std::function<void()>& onWorker, const std::function<void()>& here);
  void Probe(SplitPoint point, Side side) const;
  Worker& TheWorker();

  SidesMode mode_;
  std::function<void(SplitPoint, Side)> probe_;
  std::unique_ptr<Worker> worker_;  // made when first needed
};

}  // namespace vantrel
