// The one place where errors end up. Every event handler of the program runs
// through RunHandler: an error stops the handler where it arose, is reported,
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

struct Session;
struct ReadPosition;

// The text shown for an error message: a "." is added when the last character
// sorts after ".".
std::string ShownErrorText(const std::string& message);

// Receives the text to show and the details under it: for an error that
// arose while a file was being read, which file (full path, board or
// companion) and the line where reading stopped, else "". By default both are
// written to standard error; the program shows a message box, tests and the
// batch runner record instead.
using ErrorReporter = std::function<void(const std::string& shownText, const std::string& details)>;
void SetErrorReporter(ErrorReporter reporter);

// The details of an error raised while `where` was being read, e.g.
//   /home/tech/boards/demo.brd (the board file, top side), line 12
//   /home/tech/boards/old.brd: is a directory (the board file, top side)
std::string ErrorDetails(const Session& session, const ReadPosition& where);

// How many program faults RunHandler has reported since the process started.
std::uint64_t InternalErrorCount();

// Runs `handler`, reports any error it raises, then lets the windows show the
// session's new state.
void RunHandler(Session& session, const std::function<void()>& handler);

}  // namespace vantrel
