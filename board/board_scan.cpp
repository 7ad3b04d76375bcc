#include "board/board_scan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "board/board_error.h"

namespace vantrel {

namespace {

constexpr std::size_t kBlockSize = 256 * 1024;
constexpr std::size_t kMaxToken = 64;
constexpr std::size_t kShortField = 20;

constexpr char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks a token against the number grammar and converts it. from_chars knows
// nothing of locales; it is only given tokens that passed the grammar, so the
// forms it would accept beyond it ("inf", "nan", hex) never reach it.
bool ConvertToken(const char* begin, const char* end, double& value) {
  const char* p = begin;
  if (p != end && (*p == '+' || *p == '-')) ++p;
  const char* mantissa = p;
  const char* intDigits = p;
  while (p != end && IsDigit(*p)) ++p;
  if (p == intDigits) return false;
  if (p != end && *p == '.') {
    ++p;
    while (p != end && IsDigit(*p)) ++p;
  }
  long long exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const char* expDigits = p;
    while (p != end && IsDigit(*p)) {
      if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
      ++p;
    }
    if (p == expDigits) return false;
    if (negative) exponent = -exponent;
  }
  if (p != end) return false;

  auto [ptr, ec] = std::from_chars(mantissa, end, value);
  if (ec == std::errc::result_out_of_range) {
    // Too large becomes infinite, too small becomes zero, as a real would.
    const char* q = intDigits;
    while (q != end && *q == '0') ++q;
    long long integerDigits = 0;
    for (; q != end && IsDigit(*q); ++q) ++integerDigits;
    value = (integerDigits + exponent > 0) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || ptr != end) {
    return false;
  }
  if (*begin == '-') value = -value;
  return true;
}

}  // namespace

ScanTotals& BoardScanTotals() {
  static ScanTotals totals;
  return totals;
}

bool NameEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

BoardScan::BoardScan(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    throw BoardError(IoErrorMessage(EINVAL));
  }
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw BoardError(IoErrorMessage(errno));
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int err = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    throw BoardError(IoErrorMessage(err));
  }
  // A small file gets a buffer of its own size; a file that grows while it is
  // read is still read whole, block by block.
  const auto fileSize = static_cast<std::uint64_t>(info.st_size);
  capacity_ = static_cast<std::size_t>(std::clamp<std::uint64_t>(fileSize + 1, 4096, kBlockSize));
  buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
  ++BoardScanTotals().scans;
}

BoardScan::~BoardScan() {
  if (fd_ >= 0) ::close(fd_);
}

bool BoardScan::Fill() {
  if (eof_) return false;
  pos_ = 0;
  end_ = 0;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.get(), capacity_);
    if (n > 0) {
      end_ = static_cast<std::size_t>(n);
      BoardScanTotals().bytes += end_;
      return true;
    }
    if (n == 0) {
      eof_ = true;
      return false;
    }
    if (errno != EINTR) throw BoardError(IoErrorMessage(errno));
  }
}

int BoardScan::Peek() {
  if (pos_ == end_ && !Fill()) return -1;
  return static_cast<unsigned char>(buffer_[pos_]);
}

bool BoardScan::AtEnd() { return Peek() < 0; }

std::string BoardScan::ReadText(std::size_t limit) {
  std::string text;
  while (text.size() < limit) {
    if (pos_ == end_ && !Fill()) break;
    const char* start = buffer_.get() + pos_;
    const std::size_t avail = end_ - pos_;
    const void* lf = std::memchr(start, '\n', avail);
    const std::size_t span = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : avail;
    std::size_t taken = 0;
    while (taken < span && text.size() < limit) {
      const char c = start[taken++];
      if (c != '\r') text.push_back(c);
    }
    pos_ += taken;
    if (taken < avail && start[taken] == '\n') break;
  }
  return text;
}

std::string BoardScan::ReadTextLine() { return ReadText(std::numeric_limits<std::size_t>::max()); }

std::string BoardScan::ReadShortField() { return ReadText(kShortField); }

void BoardScan::SkipToNextLine() {
  for (;;) {
    if (pos_ == end_ && !Fill()) return;
    const char* start = buffer_.get() + pos_;
    const void* lf = std::memchr(start, '\n', end_ - pos_);
    if (lf) {
      pos_ += static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
      return;
    }
    pos_ = end_;
  }
}

double BoardScan::ReadNumber() {
  int c;
  while ((c = Peek()) >= 0 && c <= 32) ++pos_;
  if (c < 0) return 0;
  char token[kMaxToken];
  std::size_t length = 0;
  while (length < kMaxToken && (c = Peek()) > 32) {
    token[length++] = static_cast<char>(c);
    ++pos_;
  }
  double value = 0;
  if (!ConvertToken(token, token + length, value)) {
    numberError_ = true;
    return 0;
  }
  return value;
}

void BoardScan::CheckError() {
  if (numberError_) {
    numberError_ = false;
    throw BoardError(messages::kInvalidNumericInput);
  }
}

std::string BoardScan::ReadLine() {
  std::string line = ReadTextLine();
  SkipToNextLine();
  CheckError();
  return line;
}

void BoardScan::SkipLine() {
  SkipToNextLine();
  CheckError();
}

BoardPoint BoardScan::ReadPoint() {
  BoardPoint p;
  p.x = ReadNumber();
  p.y = ReadNumber();
  SkipToNextLine();
  CheckError();
  return p;
}

BoardBox BoardScan::ReadBox() {
  BoardBox b;
  b.x1 = ReadNumber();
  b.x2 = ReadNumber();
  b.y1 = ReadNumber();
  b.y2 = ReadNumber();
  SkipToNextLine();
  CheckError();
  return b;
}

bool BoardScan::ReadLineEquals(std::string_view text, bool foldCase) {
  // Compares while reading, so that a line of any length costs no memory.
  std::size_t matched = 0;
  bool equal = true;
  for (;;) {
    if (pos_ == end_ && !Fill()) break;
    const char* start = buffer_.get() + pos_;
    const std::size_t avail = end_ - pos_;
    const void* lf = std::memchr(start, '\n', avail);
    const std::size_t span = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : avail;
    for (std::size_t i = 0; equal && i < span; ++i) {
      const char c = start[i];
      if (c == '\r') continue;
      if (matched == text.size() ||
          (foldCase ? FoldCase(c) != FoldCase(text[matched]) : c != text[matched])) {
        equal = false;
      } else {
        ++matched;
      }
    }
    pos_ += span;
    if (lf) break;
  }
  SkipToNextLine();
  CheckError();
  return equal && matched == text.size();
}

void BoardScan::SkipToSection(std::string_view marker) {
  for (;;) {
    ExpectMore();
    if (ReadLineEquals(marker)) return;
  }
}

void BoardScan::ExpectMore() {
  if (AtEnd()) throw BoardError(messages::kReadBeyondEnd);
}

}  // namespace vantrel
