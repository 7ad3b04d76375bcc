#include "render/label_glyphs.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <map>
#include <utility>

namespace vantrel {

namespace {

// A thread keeps the sets of this many fonts and sizes at most; zooming
// through many sizes starts it afresh.
constexpr std::size_t kMaxSets = 24;

// The raster engine's multiplication of each 8-bit channel of x by a / 255.
inline std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a) {
  std::uint32_t t = (x & 0xff00ff) * a;
  t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
  x = ((x >> 8) & 0xff00ff) * a;
  x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
  return x | t;
}

// The raster engine's blend of an opaque pen at `coverage` over a pixel.
inline QRgb Blend(QRgb pixel, QRgb pen, std::uint32_t coverage) {
  if (coverage == 255) return pen;
  const std::uint32_t s = ByteMul(pen, coverage);
  return s + ByteMul(pixel, 255 - (s >> 24));
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::shared_ptr<LabelGlyphs> LabelGlyphs::For(const QFont& font) {
  thread_local std::map<std::pair<QString, int>, std::shared_ptr<LabelGlyphs>> sets;
  const std::pair<QString, int> key(font.family(), font.pixelSize());
  auto it = sets.find(key);
  if (it == sets.end()) {
    if (sets.size() >= kMaxSets) sets.clear();
    it = sets.emplace(key, std::make_shared<LabelGlyphs>(Key(), font)).first;
  }
  return it->second;
}

bool LabelGlyphs::Covers(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= kFirst && c < kFirst + kCount; });
}

LabelGlyphs::LabelGlyphs(Key, const QFont& font)
    : font_(font), advances_(static_cast<std::size_t>(kCount) * (kCount + 1), kUnknown) {}

int LabelGlyphs::Measure(std::string_view text) const {
  const QImage device(1, 1, QImage::Format_RGB32);  // the pictures' resolution
  return QFontMetrics(font_, &device).horizontalAdvance(Latin1(text));
}

// Shaping a pair gives the first character's advance with the pair's kerning:
// the advance of both less that of the second alone.
std::int16_t LabelGlyphs::MeasureAdvance(unsigned char a, unsigned char b) const {
  const char pair[2] = {static_cast<char>(a), static_cast<char>(b)};
  return static_cast<std::int16_t>(b ? Measure({pair, 2}) - Measure({pair + 1, 1}) : Measure({pair, 1}));
}

void LabelGlyphs::Capture(Glyph& g, unsigned char c) {
  g.captured = true;
  // The glyph drawn white on black, with room round its ink for overhangs.
  const QString text(QChar(static_cast<char16_t>(c)));
  QImage probe(1, 1, QImage::Format_RGB32);
  const QRect ink = QFontMetrics(font_, &probe).boundingRect(text);
  const int margin = 4 + font_.pixelSize() / 2;
  probe = QImage(ink.width() + 2 * margin, ink.height() + 2 * margin, QImage::Format_RGB32);
  probe.fill(Qt::black);
  const QPoint pen(margin - ink.left(), margin - ink.top());
  {
    QPainter painter(&probe);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    painter.drawText(pen, text);
  }
  int left = probe.width(), top = probe.height(), right = -1, bottom = -1;
  for (int y = 0; y < probe.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = 0; x < probe.width(); ++x) {
      if (qRed(row[x]) == 0) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return;  // a blank
  g.left = left - pen.x();
  g.top = top - pen.y();
  g.width = right - left + 1;
  g.height = bottom - top + 1;
  g.coverage.reserve(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
  for (int y = top; y <= bottom; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = left; x <= right; ++x) g.coverage.push_back(static_cast<std::uint8_t>(qRed(row[x])));
  }
}

std::int64_t LabelGlyphs::Advance(std::string_view text) {
  std::int64_t advance = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    advance += AdvanceOf(static_cast<unsigned char>(text[i]),
                         i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0);
  }
  return advance;
}

// Labels land anywhere in a picture that the files read meanwhile push out of
// the caches, so the rows a label covers are asked for all at once before it
// is blended, rather than one glyph row after another.
void LabelGlyphs::Prefetch(const uchar* bits, qsizetype stride, std::int64_t width, std::int64_t height,
                           std::int64_t x, std::int64_t baseline, std::string_view text) {
  std::int64_t left = x, right = x;
  int top = 0, bottom = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const Glyph& g = GlyphOf(c);
    if (g.width > 0) {
      left = std::min(left, x + g.left);
      right = std::max(right, x + g.left + g.width);
      top = std::min(top, g.top);
      bottom = std::max(bottom, g.top + g.height);
    }
    x += AdvanceOf(c, i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0);
  }
  left = std::max<std::int64_t>(left, 0);
  right = std::min(right, width);
  const std::int64_t from = std::max<std::int64_t>(baseline + top, 0);
  const std::int64_t to = std::min<std::int64_t>(baseline + bottom, height);
  if (left >= right) return;
  constexpr std::int64_t kLine = 64;  // bytes of a cache line
  for (std::int64_t row = from; row < to; ++row) {
    const uchar* line = bits + row * stride;
    for (std::int64_t byte = left * 4; byte < right * 4; byte += kLine) __builtin_prefetch(line + byte, 1);
    __builtin_prefetch(line + right * 4 - 1, 1);
  }
}

void LabelGlyphs::Draw(QImage& image, std::int64_t x, std::int64_t baseline, QRgb colour,
                       std::string_view text) {
  const QRgb pen = colour | 0xff000000;
  const std::int64_t width = image.width();
  const std::int64_t height = image.height();
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  Prefetch(bits, stride, width, height, x, baseline, text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const Glyph& g = GlyphOf(c);
    if (g.width == 0) {  // a blank
      x += AdvanceOf(c, i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0);
      continue;
    }
    const std::int64_t gx = x + g.left;
    const std::int64_t gy = baseline + g.top;
    const std::int64_t fromX = std::max<std::int64_t>(0, -gx);
    const std::int64_t toX = std::min<std::int64_t>(g.width, width - gx);
    const std::int64_t fromY = std::max<std::int64_t>(0, -gy);
    const std::int64_t toY = std::min<std::int64_t>(g.height, height - gy);
    for (std::int64_t row = fromY; row < toY; ++row) {
      const std::uint8_t* coverage = g.coverage.data() + row * g.width;
      auto* pixels = reinterpret_cast<QRgb*>(bits + (gy + row) * stride) + gx;
      for (std::int64_t column = fromX; column < toX; ++column) {
        if (const std::uint32_t a = coverage[column]) pixels[column] = Blend(pixels[column], pen, a);
      }
    }
    x += AdvanceOf(c, i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0);
  }
}

}  // namespace vantrel
