// The one error type of the program. Its message is the text the user sees in
// the error box (the box adds the final full stop). Nothing below the main
// window's error handler catches it.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace vantrel {

// Where a file was being read when an error arose: the file as its scan was
// given it, and how far into it the scan had read; no offset when the file
// could not be opened.
struct ReadPosition {
  std::string file;
  std::optional<std::uint64_t> bytesRead;
};

class BoardError : public std::runtime_error {
 public:
  // Takes the position of the innermost scan open on this thread, if any: an
  // error of arithmetic in the middle of a pass points at the record read.
  explicit BoardError(const std::string& message);
  BoardError(const std::string& message, ReadPosition where)
      : std::runtime_error(message), where_(std::move(where)) {}

  const std::optional<ReadPosition>& where() const { return where_; }

 private:
  std::optional<ReadPosition> where_;
};

// The line, counted from 1, that holds the last of the first `bytesRead`
// bytes of `file`: where a scan that read them stopped (line 1 before any).
// Reads the file afresh; 0 when it cannot be read.
std::uint64_t LineOfLastByte(const std::string& file, std::uint64_t bytesRead);

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

// What the message leaves unsaid about a file that could not be opened, for
// the details under it: "is a directory" for a folder (whose message is the
// "File access denied" of an unreadable file), else "". Looks at the file afresh.
std::string OpenFailureDetail(const std::string& file);

}  // namespace vantrel
