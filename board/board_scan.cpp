#include "board/board_scan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "board/board_error.h"

namespace vantrel {

namespace {

constexpr std::size_t kBlockSize = std::size_t{256} * 1024;
// A block is followed by a zero byte, so that the digit loops stop there
// without checking the block end on every character, and by zeros up to
// kPadding bytes, so that a line end is looked for 16 bytes at a time.
constexpr char kSentinel = '\0';
constexpr std::size_t kPadding = 16;
static_assert(kPadding >= BoardScan::kViewPadding);
constexpr std::size_t kMaxToken = 64;
constexpr std::size_t kShortField = 20;

constexpr char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// The first line feed in [p, end), or nullptr; reads up to kPadding bytes
// past `end`. Lines are short: two 16-byte looks in place find most line ends
// for less than the call to memchr costs, which takes the rest.
inline const char* FindLineFeed(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i lineFeed = _mm_set1_epi8('\n');
  for (int look = 0; look < 2 && p < end; ++look, p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed)))) {
      const char* at = p + std::countr_zero(mask);
      return at < end ? at : nullptr;
    }
  }
  if (p >= end) return nullptr;
#endif
  return static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
}

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

namespace {

struct SharedTotals {
  std::atomic<std::uint64_t> scans{0};
  std::atomic<std::uint64_t> bytes{0};
  std::atomic<std::uint64_t> numbers{0};
};
SharedTotals totals;

}  // namespace

ScanTotals BoardScanTotals() { return {totals.scans, totals.bytes, totals.numbers}; }

bool NameEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

namespace {
thread_local BoardScan* innermostScan = nullptr;
}  // namespace

std::optional<ReadPosition> ReadingNow() {
  if (!innermostScan) return std::nullopt;
  return innermostScan->Position();
}

BoardScan::BoardScan(const std::string& path) : path_(path) {
  const auto cannotOpen = [&](int err) { return BoardError(IoErrorMessage(err), {path, std::nullopt}); };
  if (path.empty() || path.find('\0') != std::string::npos) throw cannotOpen(EINVAL);
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw cannotOpen(errno);
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int err = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    throw cannotOpen(err);
  }
  // A small file gets a buffer of its own size; a file that grows while it is
  // read is still read whole, block by block.
  const auto fileSize = static_cast<std::uint64_t>(info.st_size);
  capacity_ = static_cast<std::size_t>(std::clamp<std::uint64_t>(fileSize + 1, 4096, kBlockSize));
  buffer_ = std::make_unique_for_overwrite<char[]>(capacity_ + kPadding);
  buffer_[0] = kSentinel;
  ++totals.scans;
  outer_ = innermostScan;
  innermostScan = this;
}

BoardScan::~BoardScan() {
  // Scans close in the opposite order of their opening, as scopes end.
  if (innermostScan == this) innermostScan = outer_;
  totals.numbers += numbers_;
  totals.bytes += bytes_;
  if (fd_ >= 0) ::close(fd_);
}

bool BoardScan::Fill() {
  if (eof_) return false;
  pos_ = 0;
  end_ = 0;
  nextCarriageReturn_ = kNotLookedFor;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.get(), capacity_);
    if (n > 0) {
      end_ = static_cast<std::size_t>(n);
      std::memset(buffer_.get() + end_, kSentinel, kPadding);
      bytes_ += end_;
      return true;
    }
    if (n == 0) {
      buffer_[0] = kSentinel;
      eof_ = true;
      return false;
    }
    if (errno != EINTR) throw BoardError(IoErrorMessage(errno), Position());
  }
}

int BoardScan::Peek() {
  if (pos_ == end_ && !Fill()) return -1;
  return static_cast<unsigned char>(buffer_[pos_]);
}

bool BoardScan::AtEnd() { return Peek() < 0; }

void BoardScan::ReadText(std::string& text, std::size_t limit) {
  text.clear();
  while (text.size() < limit) {
    if (pos_ == end_ && !Fill()) break;
    const char* start = buffer_.get() + pos_;
    const std::size_t avail = end_ - pos_;
    const void* lf = std::memchr(start, '\n', avail);
    const std::size_t span = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : avail;
    std::size_t taken = std::min(span, limit - text.size());
    if (!std::memchr(start, '\r', taken)) {
      text.append(start, taken);
    } else {
      taken = 0;
      while (taken < span && text.size() < limit) {
        const char c = start[taken++];
        if (c != '\r') text.push_back(c);
      }
    }
    pos_ += taken;
    if (taken < avail && start[taken] == '\n') break;
  }
}

std::size_t BoardScan::LineInBlock() {
  if (pos_ == end_ && !Fill()) return kNoLine;
  const char* start = buffer_.get() + pos_;
  const char* lf = FindLineFeed(start, buffer_.get() + end_);
  if (!lf) return kNoLine;
  const auto span = static_cast<std::size_t>(lf - start);
  // The next carriage return is looked for once for the rest of the block and
  // again only when reading has passed it: most files hold none, and looking
  // line by line cost more than the whole block at once.
  if (nextCarriageReturn_ == kNotLookedFor || nextCarriageReturn_ < pos_) {
    const void* cr = std::memchr(start, '\r', end_ - pos_);
    nextCarriageReturn_ = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - buffer_.get()) : end_;
  }
  return nextCarriageReturn_ < pos_ + span ? kNoLine : span;
}

std::string BoardScan::ReadTextLine() {
  std::string text;
  ReadText(text, std::numeric_limits<std::size_t>::max());
  return text;
}

std::string BoardScan::ReadShortField() {
  std::string text;
  ReadText(text, kShortField);
  return text;
}

void BoardScan::SkipToNextLine() {
  if (pos_ < end_ && buffer_[pos_] == '\n') {  // the common case: right at the line end
    ++pos_;
    return;
  }
  for (;;) {
    if (pos_ == end_ && !Fill()) return;
    const char* start = buffer_.get() + pos_;
    if (const char* lf = FindLineFeed(start, buffer_.get() + end_)) {
      pos_ += static_cast<std::size_t>(lf - start) + 1;
      return;
    }
    pos_ = end_;
  }
}

// The common token, [+-]digits[.digits] with at most 19 digits and followed
// by a separator in the same block, read in one pass into `number` as its
// digits and their count after the point. Leaves the scan where it was for
// any other token.
inline bool BoardScan::ReadPlainDecimalInPlace(PendingNumber& number) {
  const char* p = buffer_.get() + pos_;
  const char* const end = buffer_.get() + end_;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  std::uint64_t digits = 0;
  const char* const intStart = p;
  for (; IsDigit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
  std::ptrdiff_t count = p - intStart;
  std::ptrdiff_t fraction = 0;
  if (count == 0) return false;
  if (*p == '.') {
    const char* const fracStart = ++p;
    for (; IsDigit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    fraction = p - fracStart;
    count += fraction;
  }
  if (p == end || static_cast<unsigned char>(*p) > 32 || count > 19 || digits > (std::uint64_t{1} << 53)) {
    return false;
  }
  number = PendingNumber::Plain(digits, static_cast<int>(fraction), negative);
  pos_ = static_cast<std::size_t>(p - buffer_.get());
  return true;
}

// When the digits as an integer are at most 2^53 and there are at most 22
// after the point, both it and the power of ten are exact doubles, so one
// division gives the correctly rounded value, the one the general conversion
// gives.
double PendingNumber::Convert() const {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const double value = static_cast<double>(bits_) / kPowersOfTen[fraction_];
  return negative_ ? -value : value;
}

double BoardScan::ReadNumber() { return ReadPendingNumber().Value(); }

PendingNumber BoardScan::ReadPendingNumber() {
  ++numbers_;
  for (;;) {
    if (pos_ == end_ && !Fill()) return PendingNumber::Converted(0);
    while (pos_ < end_ && static_cast<unsigned char>(buffer_[pos_]) <= 32) ++pos_;
    if (pos_ < end_) break;
  }
  if (PendingNumber number; ReadPlainDecimalInPlace(number)) return number;
  return ReadOtherNumber();
}

// Any other token: gathered (across blocks if need be), then checked and
// converted. Kept out of line, so that the common path stays short.
[[gnu::noinline]] PendingNumber BoardScan::ReadOtherNumber() {
  char token[kMaxToken];
  std::size_t length = 0;
  while (length < kMaxToken) {
    if (pos_ == end_ && !Fill()) break;
    const char* start = buffer_.get() + pos_;
    const std::size_t room = std::min(kMaxToken - length, end_ - pos_);
    std::size_t n = 0;
    while (n<room&& static_cast<unsigned char>(start[n])> 32) ++n;
    std::memcpy(token + length, start, n);
    length += n;
    pos_ += n;
    if (n < room) break;
  }
  double value = 0;
  if (!ConvertToken(token, token + length, value)) {
    if (!numberError_) numberErrorOffset_ = Position().bytesRead.value_or(0);
    numberError_ = true;
    return PendingNumber::Converted(0);
  }
  return PendingNumber::Converted(value);
}

void BoardScan::CheckError() {
  if (numberError_) {
    numberError_ = false;
    throw BoardError(messages::kInvalidNumericInput, {path_, numberErrorOffset_});
  }
}

std::string BoardScan::ReadLine() {
  std::string line;
  ReadLine(line);
  return line;
}

void BoardScan::ReadLine(std::string& line) {
  if (const std::size_t span = LineInBlock(); span != kNoLine) {
    line.assign(buffer_.get() + pos_, span);
    pos_ += span + 1;
  } else {
    ReadText(line, std::numeric_limits<std::size_t>::max());
    SkipToNextLine();
  }
  CheckError();
}

std::string_view BoardScan::ReadLineView(std::string& spare) {
  if (const std::size_t span = LineInBlock(); span != kNoLine) {
    const std::string_view line(buffer_.get() + pos_, span);
    pos_ += span + 1;
    CheckError();
    return line;
  }
  ReadLine(spare);
  return spare;
}

void BoardScan::SkipLine() {
  SkipToNextLine();
  CheckError();
}

// The line feeds are counted 16 bytes at a time, 64 while the line wanted is
// further: a record's short lines, or thousands of them, for about what
// reading the bytes costs.
void BoardScan::SkipLines(std::size_t count) {
  while (count > 0) {
    if (pos_ == end_ && !Fill()) break;
#if defined(__SSE2__)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const char* const block = buffer_.get();
    auto feeds = [&](std::size_t at) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + at));
      return static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed)));
    };
    std::size_t at = pos_;
    // Far from the line wanted, 64 bytes a step with one count.
    for (; at + 64 <= end_; at += 64) {
      const std::uint64_t mask =
          feeds(at) | feeds(at + 16) << 16 | feeds(at + 32) << 32 | feeds(at + 48) << 48;
      const auto found = static_cast<std::size_t>(std::popcount(mask));
      if (found >= count) break;
      count -= found;
    }
    for (; at < end_; at += 16) {
      auto mask = static_cast<unsigned>(feeds(at));
      if (end_ - at < 16) mask &= (1u << (end_ - at)) - 1;
      const auto found = static_cast<std::size_t>(std::popcount(mask));
      if (found >= count) {
        for (; count > 1; --count) mask &= mask - 1;
        pos_ = at + static_cast<std::size_t>(std::countr_zero(mask)) + 1;
        count = 0;
        break;
      }
      count -= found;
    }
    if (count > 0) pos_ = end_;
#else
    SkipToNextLine();
    --count;
#endif
  }
  CheckError();
}

BoardPoint BoardScan::ReadPoint() { return ReadPendingPoint().Value(); }

PendingPoint BoardScan::ReadPendingPoint() {
  PendingPoint p;
  p.x = ReadPendingNumber();
  p.y = ReadPendingNumber();
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
  if (const std::size_t span = LineInBlock(); span != kNoLine) {
    const std::string_view line(buffer_.get() + pos_, span);
    pos_ += span + 1;
    CheckError();
    return foldCase ? NameEquals(line, text) : line == text;
  }
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

namespace {

// The first line of [p, end) that is exactly `marker` and ends with a line
// feed inside the range; p is a line start. Sets `carriageReturn` and gives
// nullptr when a carriage return comes first, since the marker may then stand
// on a line that holds one. With SSE2 a 16-byte test finds where a line feed
// is followed by the marker's first byte and, the marker's length further, by
// its last byte and a line feed; only those places are compared whole.
const char* FindMarkerLine(const char* p, const char* end, std::string_view marker, bool& carriageReturn) {
  const std::size_t n = marker.size();
  carriageReturn = false;
  if (n == 0) return nullptr;
  const char* from = p;
#if defined(__SSE2__)
  if (static_cast<std::size_t>(end - p) > n && std::memcmp(p, marker.data(), n) == 0 && p[n] == '\n')
    return p;
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriage = _mm_set1_epi8('\r');
  const __m128i first = _mm_set1_epi8(marker.front());
  const __m128i last = _mm_set1_epi8(marker.back());
  auto load = [](const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
  for (; end - from >= static_cast<std::ptrdiff_t>(16 + n + 1); from += 16) {
    const __m128i bytes = load(from);
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, carriage)) != 0) {
      carriageReturn = true;
      return nullptr;
    }
    __m128i hits = _mm_cmpeq_epi8(bytes, lineFeed);
    hits = _mm_and_si128(hits, _mm_cmpeq_epi8(load(from + 1), first));
    hits = _mm_and_si128(hits, _mm_cmpeq_epi8(load(from + n), last));
    hits = _mm_and_si128(hits, _mm_cmpeq_epi8(load(from + n + 1), lineFeed));
    for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0; mask &= mask - 1) {
      const char* at = from + std::countr_zero(mask) + 1;
      if (std::memcmp(at, marker.data(), n) == 0) return at;
    }
  }
#endif
  if (std::memchr(from, '\r', static_cast<std::size_t>(end - from))) {
    carriageReturn = true;
    return nullptr;
  }
  for (;;) {
    const void* hit = memmem(from, static_cast<std::size_t>(end - from), marker.data(), n);
    if (!hit) return nullptr;
    const char* at = static_cast<const char*>(hit);
    const char* after = at + n;
    if ((at == p || at[-1] == '\n') && after < end && *after == '\n') return at;
    from = at + 1;
  }
}

// Whether a line equals `text` once its carriage returns are dropped.
bool EqualsWithoutCarriageReturns(const char* line, std::size_t length, std::string_view text) {
  std::size_t matched = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (line[i] == '\r') continue;
    if (matched == text.size() || line[i] != text[matched]) return false;
    ++matched;
  }
  return matched == text.size();
}

}  // namespace

void BoardScan::SkipToSection(std::string_view marker) {
  // The first line may be the rest of a line already begun, and it raises a
  // pending number error: it takes the plain way. Every later line starts at
  // a line start, and lines wholly inside the block are compared in place.
  ExpectMore();
  if (ReadLineEquals(marker)) return;
  for (;;) {
    ExpectMore();
    const char* block = buffer_.get();
    const char* p = block + pos_;
    const char* end = block + end_;
    bool carriageReturn = false;
    // Without carriage returns the marker can only be where its bytes stand,
    // at a line start and before a line feed.
    const char* at = FindMarkerLine(p, end, marker, carriageReturn);
    if (at) {
      pos_ = static_cast<std::size_t>(at + marker.size() + 1 - block);
      return;
    }
    if (!carriageReturn) {
      // Go on from the start of the last line, which the block may cut.
      for (const char* q = end; q > p;) {
        if (*--q == '\n') {
          pos_ = static_cast<std::size_t>(q + 1 - block);
          break;
        }
      }
    } else {
      while (const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
        const char* lf = static_cast<const char*>(hit);
        const bool equal = EqualsWithoutCarriageReturns(p, static_cast<std::size_t>(lf - p), marker);
        p = lf + 1;
        pos_ = static_cast<std::size_t>(p - block);
        if (equal) return;
      }
    }
    // The line that the block cuts, or the last line of the file.
    if (pos_ < end_ || !AtEnd()) {
      ExpectMore();
      if (ReadLineEquals(marker)) return;
    }
  }
}

void BoardScan::ExpectMore() {
  if (AtEnd()) throw BoardError(messages::kReadBeyondEnd, Position());
}

}  // namespace vantrel
