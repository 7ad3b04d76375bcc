// The one place where errors end up. Every event handler of the program runs
// through RunHandler: an error stops the handler where it arose, is shown in a
// message box, and the program goes on. Nothing else catches errors.
#pragma once

#include <functional>
#include <string>

namespace vantrel {

struct Session;

// The text shown for an error message: a "." is added when the last character
// sorts after ".".
std::string ShownErrorText(const std::string& message);

// Shows a message box by default; tests and the batch runner record instead.
using ErrorReporter = std::function<void(const std::string& shownText)>;
void SetErrorReporter(ErrorReporter reporter);

// Runs `handler`, reports any error it raises, then lets the windows show the
// session's new state.
void RunHandler(Session& session, const std::function<void()>& handler);

}  // namespace vantrel
