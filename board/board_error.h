// The one error type of the program. Its message is the text the user sees in
// the error box (the box adds the final full stop). Nothing below the main
// window's error handler catches it.
#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

class BoardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace messages {
inline constexpr const char* kInvalidNumericInput = "Invalid numeric input";
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidFloatOperation = "Invalid floating point operation";
inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";
}  // namespace messages

// The message for an errno value from opening or reading a board file, in the
// program's error numbers: 2 "File not found", 3 "Invalid filename",
// 4 "Too many open files", 5 "File access denied" (a folder or an unreadable
// file), and "I/O error N" with the errno value for anything else.
std::string IoErrorMessage(int err);

}  // namespace vantrel
