// The one place where errors end up. Every event handler of the program runs
// through an ErrorHandler: an error stops the handler where it arose, is reported,
// and the program goes on. Nothing else catches errors.
//
// Two kinds are told apart. A board or file error (BoardError) is shown with
// its own text, to which a "." is added when its last character sorts after
// "."; so is running out of memory. Anything else is a fault of the program,
// not of the board: it is shown as "Internal error: ..." and counted, so that
// the tests can fail on it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vantrel {

struct Document;
struct Session;
struct ReadPosition;

// The text shown for an error message: a "." is added when the last character
// sorts after ".".
std::string ShownErrorText(const std::string& message);

// Receives the text to show and the details under it: for an error that
// arose while a file was being read, which file (full path, board or
// companion) and the line where reading stopped, else "". The program shows
// a message box; the tests and the batch runner record instead.
using ErrorReporter = std::function<void(const std::string& shownText, const std::string& details)>;
// Writes both to standard error.
void WriteToStandardError(const std::string& shownText, const std::string& details);

// The details of an error raised while `where` was being read, e.g.
//   /home/tech/boards/demo.brd (the board file, top side), line 12
//   /home/tech/boards/old.brd: is a directory (the board file, top side)
std::string ErrorDetails(const Document& document, const ReadPosition& where);

// How many program faults the handlers of the process have reported.
std::uint64_t InternalErrorCount();

// Runs every event handler over one session: an error stops the handler,
// is reported, and then, error or not, the windows are told to show the
// session's new state.
class ErrorHandler {
 public:
  explicit ErrorHandler(const Session& session, ErrorReporter report = WriteToStandardError)
      : session_(session), report_(std::move(report)) {}

  // Where errors go from now on; nothing: standard error.
  void SetReporter(ErrorReporter report) { report_ = report ? std::move(report) : WriteToStandardError; }
  // What runs after each handler.
  void SetAfterEach(std::function<void()> afterEach) { afterEach_ = std::move(afterEach); }

  void Run(const std::function<void()>& handler) const;

 private:
  void ReportFault(const char* what) const;

  const Session& session_;
  ErrorReporter report_;
  std::function<void()> afterEach_;
};

}  // namespace vantrel
