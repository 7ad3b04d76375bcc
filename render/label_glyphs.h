// The glyphs of one font at one pixel size as QPainter draws them, for the
// printable ASCII characters, so that a label made of them is drawn without
// shaping it anew: each glyph's coverage (captured once by drawing it white on
// black, which leaves the coverage in every channel), its place relative to
// the pen position, and the advance from each character to the next with the
// kerning of the pair. A label is then blended glyph by glyph, in order, with
// the raster engine's own blend, so that every pixel is what
// QPainter::drawText gives for the same text, font and colour.
//
// This is data of the font, not of any board: a set lives as long as its
// thread and serves every label in that font and size. Each thread has its
// own sets, since fonts are drawn through per-thread engines.
#pragma once

#include <QFont>
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vantrel {

class LabelGlyphs {
 public:
  // Pixel sizes up to this are drawn from glyphs; larger ones are rare and
  // expensive to capture, and take QPainter's own path.
  static constexpr int kMaxPixelSize = 512;

  // The set of `font` (sized in pixels, fully hinted) in the calling thread.
  // It stays valid while it is held, even once the thread's cache lets it go.
  static std::shared_ptr<LabelGlyphs> For(const QFont& font);
  // Whether every byte of `text` is a printable ASCII character.
  static bool Covers(std::string_view text);

  // The width QFontMetrics::horizontalAdvance gives for `text`.
  std::int64_t Advance(std::string_view text);
  // Draws `text` with its pen position at (x, baseline), blending `colour`
  // into the RGB32 `image`; pixels outside the image are left out.
  void Draw(QImage& image, std::int64_t x, std::int64_t baseline, QRgb colour, std::string_view text);

 private:
  struct Key {};

 public:
  LabelGlyphs(Key, const QFont& font);

 private:
  struct Glyph {
    bool captured = false;
    int left = 0;  // of the coverage, from the pen position
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // width x height, row by row
  };
  static constexpr int kFirst = 0x20;
  static constexpr int kCount = 0x7F - kFirst;
  static constexpr std::int16_t kUnknown = INT16_MIN;

  const Glyph& GlyphOf(unsigned char c) {
    Glyph& g = glyphs_[c - kFirst];
    if (!g.captured) Capture(g, c);
    return g;
  }
  void Capture(Glyph& g, unsigned char c);
  // The advance of `a` when `b` follows it (b == 0: nothing follows).
  int AdvanceOf(unsigned char a, unsigned char b) {
    const std::size_t column = b ? static_cast<std::size_t>(b - kFirst) : kCount;
    std::int16_t& advance = advances_[static_cast<std::size_t>(a - kFirst) * (kCount + 1) + column];
    if (advance == kUnknown) advance = MeasureAdvance(a, b);
    return advance;
  }
  std::int16_t MeasureAdvance(unsigned char a, unsigned char b) const;
  int Measure(std::string_view text) const;
  void Prefetch(const uchar* bits, qsizetype stride, std::int64_t width, std::int64_t height, std::int64_t x,
                std::int64_t baseline, std::string_view text);

  QFont font_;
  std::array<Glyph, kCount> glyphs_;
  std::vector<std::int16_t> advances_;  // (a, b) pairs, b == kCount for a lone a
};

}  // namespace vantrel
