// Forward-only reading of a board file (a `.brd` file or its "jet.CON").
//
// A scan opens its file, reads from the first line forward to the section it
// needs and closes the file when it goes out of scope, on every path. Nothing
// read survives from one scan to the next; no scan ever seeks.
//
// Reading rules:
//   - A line ends at a line feed. Carriage returns are never part of a line's
//     text: before a line feed they belong to the line end, a lone one is dropped.
//   - A number is a token of characters with codes above 32, taken after
//     skipping every character of code 32 or less (line ends included), cut
//     after 64 characters. It must read [+-]digits[.digits][(E|e)[+-]digits];
//     the separator is "." whatever the locale. A bad token is recorded and
//     raised as "Invalid numeric input" at the next CheckError.
//   - At end of file ReadTextLine gives an empty text and ReadNumber gives 0,
//     without an error.
//
// The file is read in blocks of a fixed size, so memory does not grow with the
// file or with the length of its lines, except for texts a caller asks for.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "board/board_error.h"

namespace vantrel {

struct BoardPoint {
  double x = 0;
  double y = 0;
};

struct BoardBox {
  double x1 = 0;  // left
  double x2 = 0;  // right
  double y1 = 0;  // lower
  double y2 = 0;  // upper
};

// A number read and checked whose conversion waits until it is asked for, so
// that a record the scan passes over costs no conversion: the common plain
// decimal keeps its digits, any other token its value. Value() gives what
// reading it as a number gives. Sixteen bytes, so that it is returned in
// registers: a larger one went through the stack on every number read.
class PendingNumber {
 public:
  PendingNumber() = default;
  static PendingNumber Converted(double value) {
    PendingNumber n;
    n.bits_ = std::bit_cast<std::uint64_t>(value);
    return n;
  }
  static PendingNumber Plain(std::uint64_t digits, int fraction, bool negative) {
    PendingNumber n;
    n.bits_ = digits;
    n.fraction_ = fraction;
    n.plain_ = true;
    n.negative_ = negative;
    return n;
  }
  double Value() const { return plain_ ? Convert() : std::bit_cast<double>(bits_); }

 private:
  double Convert() const;

  std::uint64_t bits_ = 0;     // a plain decimal's digits, else the value's bits
  std::int32_t fraction_ = 0;  // digits after the point
  bool plain_ = false;
  bool negative_ = false;
  // Without padding a copy moves the two halves as they were stored, not
  // fourteen bytes in overlapping pieces that stall the processor.
  std::uint16_t unused_ = 0;
};
static_assert(sizeof(PendingNumber) == 16);

struct PendingPoint {
  PendingNumber x;
  PendingNumber y;
  BoardPoint Value() const { return {x.Value(), y.Value()}; }
};

namespace markers {
inline constexpr std::string_view kOutlineEnd = "1 1 1 1";
inline constexpr std::string_view kPartsEnd = "2 2 2 2";
inline constexpr std::string_view kPinsEnd = "3 3 3 3";
inline constexpr std::string_view kPinRecordsEnd = "4 4 4 4";
inline constexpr std::string_view kNailsEnd = "5 5 5 5";
}  // namespace markers

// A typed name matches a board line when both have the same length and are
// equal once the ASCII letters are folded to one case; nothing is trimmed.
bool NameEquals(std::string_view a, std::string_view b);

// What every scan of the process, in any thread, has read so far: how many
// scans were opened, how many bytes they took from their files and how many
// numbers they read (counted when a scan closes). The benchmarks compare a
// redraw with the cost of reading the same bytes.
struct ScanTotals {
  std::uint64_t scans = 0;
  std::uint64_t bytes = 0;
  std::uint64_t numbers = 0;  // tokens read as numbers
};
ScanTotals BoardScanTotals();

// The position of the innermost scan open on this thread, if any.
std::optional<ReadPosition> ReadingNow();

class BoardScan {
 public:
  // OpenScan: raises BoardError with the file's error text when it cannot be
  // opened ("File not found", "File access denied", ...).
  explicit BoardScan(const std::string& path);
  ~BoardScan();  // CloseScan
  BoardScan(const BoardScan&) = delete;
  BoardScan& operator=(const BoardScan&) = delete;

  // The reading operations.
  std::string ReadTextLine();    // the rest of the line, line end not consumed
  std::string ReadShortField();  // as ReadTextLine, at most 20 characters
  void SkipToNextLine();
  double ReadNumber();
  PendingNumber ReadPendingNumber();  // as ReadNumber, converted when asked
  bool AtEnd();
  void CheckError();  // raises a recorded "Invalid numeric input"

  // The composite reads.
  std::string ReadLine();            // ReadTextLine, SkipToNextLine, CheckError
  void ReadLine(std::string& line);  // the same into `line`, reusing its storage
  // The same without a copy: a view of the line in the scan's block, or of
  // `spare` when the line is not whole there. Valid until the next read. A
  // view of the block may be read up to kViewPadding bytes past its end.
  static constexpr std::size_t kViewPadding = 16;
  std::string_view ReadLineView(std::string& spare);
  void SkipLine();                    // the same for a line whose text is not needed
  void SkipLines(std::size_t count);  // SkipLine `count` times
  BoardPoint ReadPoint();             // two numbers, SkipToNextLine, CheckError
  PendingPoint ReadPendingPoint();    // the same, converted when the point is wanted
  BoardBox ReadBox();                 // four numbers, SkipToNextLine, CheckError
  // Reads a line and tells whether it equals `text`, exactly or with NameEquals
  // when foldCase is set, without keeping the line; then SkipToNextLine.
  bool ReadLineEquals(std::string_view text, bool foldCase = false);
  // Reads lines up to and including the one that equals `marker` exactly.
  // Raises "Read beyond end of file" when the file ends first.
  void SkipToSection(std::string_view marker);
  // Raises "Read beyond end of file" when no character is left; the scans that
  // wait for a closing marker call it before each record.
  void ExpectMore();

  // The file and how many of its bytes the reading operations have taken.
  ReadPosition Position() const { return {path_, bytes_ - end_ + pos_}; }

 private:
  bool Fill();  // reads the next block; false at end of file
  int Peek();   // the next byte, or -1 at end of file
  void ReadText(std::string& text, std::size_t limit);
  // The length of the line at the read position when its line feed is in the
  // block and it holds no carriage return, else kNoLine; reads nothing.
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
  std::size_t LineInBlock();
  bool ReadPlainDecimalInPlace(PendingNumber& number);
  PendingNumber ReadOtherNumber();

  std::string path_;
  BoardScan* outer_ = nullptr;  // the scan that was innermost when this one opened
  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // Where the block's next carriage return after the last place looked from
  // stands (end_ when there is none), or kNotLookedFor.
  static constexpr std::size_t kNotLookedFor = static_cast<std::size_t>(-1);
  std::size_t nextCarriageReturn_ = kNotLookedFor;
  bool eof_ = false;
  bool numberError_ = false;
  std::uint64_t numberErrorOffset_ = 0;  // where the bad token ended
  std::uint64_t numbers_ = 0;
  std::uint64_t bytes_ = 0;
};

}  // namespace vantrel
