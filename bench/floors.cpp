#include "bench/floors.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <utility>

namespace vantrel::bench {

namespace {

// Reads at most `limit` bytes of `file` from its start in blocks of
// `buffer`, splitting them into lines with memchr; returns how many lines
// ended, or -1 when the file cannot be opened.
long long SplitLines(const std::string& file, std::vector<char>& buffer, std::uint64_t limit) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  long long lines = 0;
  while (limit > 0) {
    const ssize_t n =
        ::read(fd, buffer.data(), static_cast<std::size_t>(std::min<std::uint64_t>(limit, buffer.size())));
    if (n <= 0) break;
    limit -= static_cast<std::uint64_t>(n);
    const char* p = buffer.data();
    const char* end = p + n;
    while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
      p = static_cast<const char*>(lf) + 1;
      ++lines;
    }
  }
  ::close(fd);
  return lines;
}

// The scans of `work` whose number modulo `stride` is `first`, scan i of the
// top file when i is even and of the bottom file when odd, each from the
// start of its file reading its share of the bytes and splitting them into
// lines with memchr. Returns the number of lines, so nothing is optimised away.
std::size_t ScanShares(const std::string& top, const std::string& bottom, const ScanTotals& work,
                       std::uint64_t first, std::uint64_t stride) {
  std::vector<char> buffer(256 * 1024);
  std::size_t lines = 0;
  const std::uint64_t share = work.scans ? work.bytes / work.scans : 0;
  for (std::uint64_t i = first; i < work.scans; i += stride) {
    // The last scan takes what the shares leave.
    const std::uint64_t bytes = i + 1 == work.scans ? work.bytes - share * (work.scans - 1) : share;
    const long long split = SplitLines(i % 2 ? bottom : top, buffer, bytes);
    if (split < 0) break;
    lines += static_cast<std::size_t>(split);
  }
  return lines;
}

// Writes every pixel of the pictures once. They are the program's own, and
// keep what they show: writing copies instead would touch twice the memory
// between two redraws and leave the program's pictures out of the caches, as
// no user's session does, and filling them would leave a split redraw
// nothing to keep on trial.
void WritePictures(const std::vector<QImage*>& pictures) {
  for (QImage* picture : pictures) {
    auto* p = reinterpret_cast<QRgb*>(picture->bits());
    const auto n = static_cast<std::size_t>(picture->sizeInBytes()) / sizeof(QRgb);
    for (std::size_t i = 0; i < n; ++i) p[i] |= 0xFF000000u;  // opaque already: the same value
  }
}

template <typename Work>
double MedianSecondsPer(int count, Work work) {
  std::vector<double> runs;
  for (int round = 0; round < 7; ++round) {
    const auto start = Clock::now();
    work();
    runs.push_back(Seconds(Clock::now() - start) / count);
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

std::size_t Floor(const std::string& top, const std::string& bottom, const ScanTotals& work,
                  const std::vector<QImage*>& pictures) {
  const std::size_t lines = ScanShares(top, bottom, work, 0, 1);
  WritePictures(pictures);
  return lines;
}

std::size_t FloorApart(const std::string& top, const std::string& bottom, const ScanTotals& work,
                       const std::vector<QImage*>& pictures) {
  std::size_t bottomLines = 0;
  std::thread other([&] { bottomLines = ScanShares(top, bottom, work, 1, 2); });
  const std::size_t lines = ScanShares(top, bottom, work, 0, 2);
  other.join();
  WritePictures(pictures);
  return lines + bottomLines;
}

std::size_t FloorOnce(const std::string& top, const std::string& bottom) {
  static std::vector<char> buffer(256 * 1024);
  std::size_t lines = 0;
  for (const std::string* file : {&top, &bottom}) {
    lines += static_cast<std::size_t>(
        std::max(0LL, SplitLines(*file, buffer, std::numeric_limits<std::uint64_t>::max())));
  }
  return lines;
}

UnitCosts MeasureUnitCosts() {
  constexpr int kNumbers = 200000;
  constexpr int kTexts = 4000;
  std::mt19937 random(3);
  std::string tokens;
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  for (int i = 0; i < kNumbers; ++i) {
    const std::size_t at = tokens.size();
    if (random() % 8 == 0) tokens += '-';
    tokens += std::to_string(random() % 300);
    tokens += '.';
    tokens += std::to_string(1000 + random() % 9000);
    spans.emplace_back(at, tokens.size() - at);
    tokens += ' ';
  }
  UnitCosts costs;
  costs.number = MedianSecondsPer(kNumbers, [&] {
    double sum = 0;
    for (const auto& [at, length] : spans) {
      double value = 0;
      std::from_chars(tokens.data() + at, tokens.data() + at + length, value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  });

  QImage picture(1000, 700, QImage::Format_RGB32);
  picture.fill(Qt::black);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(16);
  font.setHintingPreference(QFont::PreferFullHinting);
  std::vector<QString> names;
  for (int i = 0; i < kTexts; ++i)
    names.push_back(QStringLiteral("U%1.%2").arg(random() % 500).arg(random() % 40));
  costs.text = MedianSecondsPer(kTexts, [&] {
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (int i = 0; i < kTexts; ++i) painter.drawText(QPoint(i * 37 % 950, 20 + i * 13 % 660), names[i]);
  });
  return costs;
}

}  // namespace vantrel::bench
