#include "render/image_canvas.h"

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QString>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cwchar>
#include <utility>

namespace vantrel {

namespace {

// Differences of 64-bit coordinates and their products need more than 64 bits.
using Wide = __int128_t;
using UWide = __uint128_t;

constexpr QRgb ToRgb(Color c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

inline QRgb* RowOf(uchar* bits, qsizetype stride, std::int64_t y) {
  return reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride);
}

// Columns from..to-1 of one row, none when to <= from.
inline void FillColumns(QRgb* row, std::int32_t from, std::int32_t to, QRgb colour) {
  for (std::int32_t x = from; x < to; ++x) row[x] = colour;
}

// Columns from..to-1 of one row, clipped to 0..width-1.
inline void FillSpan(QRgb* row, std::int64_t from, std::int64_t to, int width, QRgb colour) {
  if (from < 0) from = 0;
  if (to > width) to = width;
  for (std::int64_t x = from; x < to; ++x) row[x] = colour;
}

// Paints the rows of an ellipse with a canvas's pen and brush, on the pixels
// of its picture.
struct EllipseRowPainter {
  EllipseRowPainter(uchar* pixels, const QImage& image, const CanvasState& state)
      : bits(pixels),
        stride(image.bytesPerLine()),
        width(image.width()),
        pen(ToRgb(state.penColor)),
        brush(ToRgb(state.brushColor)),
        fill(state.brushStyle == BrushStyle::Solid) {}

  // One row of an ellipse in the picture: the pen from `left` up to
  // `innerLeft` and from `innerRight` up to `right`, the brush between them
  // when it is solid.
  void Paint(std::int64_t y, std::int64_t left, std::int64_t innerLeft, std::int64_t innerRight,
             std::int64_t right) const {
    QRgb* row = RowOf(bits, stride, y);
    FillSpan(row, left, innerLeft, width, pen);
    if (fill) FillSpan(row, innerLeft, innerRight, width, brush);
    FillSpan(row, innerRight, right, width, pen);
  }

  uchar* bits;
  qsizetype stride;
  int width;
  QRgb pen;
  QRgb brush;
  bool fill;
};

// Writes `count` steps of a line, starting at its first step in view. Step n
// is at major coordinate major + n * majorStep; its minor coordinate is
// `minor`, kept exact with the remainder r (0 <= r < den): each step adds the
// whole part k of the slope and its fraction m / den, carrying into minor when
// r goes below zero. Int is 64-bit where the line's length allows, else 128-bit.
template <typename Int>
void StepLine(uchar* bits, qsizetype stride, bool xMajor, int major, int majorStep, int count, Int minor,
              Int minorLimit, Int r, Int den, Int k, Int m, QRgb colour) {
  for (int n = 0; n < count; ++n, major += majorStep) {
    if (minor >= 0 && minor < minorLimit) {
      const int mi = static_cast<int>(minor);
      if (xMajor) {
        RowOf(bits, stride, mi)[major] = colour;
      } else {
        RowOf(bits, stride, major)[mi] = colour;
      }
    }
    minor += k;
    r -= m;
    if (r < 0) {
      ++minor;
      r += den;
    }
  }
}

Wide Abs(Wide v) { return v < 0 ? -v : v; }

// A level line on its row: the start pixel up to the end pixel, which is left
// out whichever way the line runs; clipped to columns 0..width-1.
inline void LevelSpan(QRgb* row, std::int64_t x0, std::int64_t x1, int width, QRgb colour) {
  if (x0 < x1) {
    FillSpan(row, x0, x1, width, colour);
  } else {
    FillSpan(row, x1 + 1, x0 < width ? x0 + 1 : width, width, colour);
  }
}

// An upright line in column x of the picture, the same way; clipped to rows
// 0..height-1.
inline void UprightSpan(uchar* bits, qsizetype stride, int height, std::int64_t x, std::int64_t y0,
                        std::int64_t y1, QRgb colour) {
  const std::int64_t top = std::max<std::int64_t>(y0 < y1 ? y0 : y1 + 1, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y0 < y1 ? y1 : (y0 < height ? y0 + 1 : height), height);
  for (std::int64_t y = top; y < bottom; ++y) RowOf(bits, stride, y)[x] = colour;
}

// A sloped line along its major axis, the one it takes a step along at every
// pixel. The minor coordinate of step i (0 <= i < L = |dMajor|) is
// minor0 + ceil((2 i dMinor - L) / 2L): the nearest pixel, an exact tie going
// to the smaller coordinate whichever way the line runs. Only the steps whose
// major coordinate lies in the picture are visited.
struct SlopedLine {
  bool xMajor;
  Wide major0;  // the start pixel
  Wide minor0;
  Wide dMinor;
  Wide length;     // |dMajor|: the steps from the start pixel up to the end pixel
  int step;        // 1 or -1 along the major axis
  int majorLimit;  // the picture's width or height along the major axis
  int minorLimit;  // and along the minor one
};

inline SlopedLine SlopedLineOf(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, int width,
                               int height) {
  const Wide dx = Wide{x1} - x0;
  const Wide dy = Wide{y1} - y0;
  const bool xMajor = Abs(dx) > Abs(dy);  // y is the major axis when they are equal
  const Wide dMajor = xMajor ? dx : dy;
  return {.xMajor = xMajor,
          .major0 = xMajor ? x0 : y0,
          .minor0 = xMajor ? y0 : x0,
          .dMinor = xMajor ? dy : dx,
          .length = Abs(dMajor),
          .step = dMajor > 0 ? 1 : -1,
          .majorLimit = xMajor ? width : height,
          .minorLimit = xMajor ? height : width};
}

// The steps i in [first, last) whose major coordinate is in the picture;
// none when first >= last.
struct StepRange {
  Wide first;
  Wide last;
};

inline StepRange StepsInView(const SlopedLine& line) {
  if (line.step > 0) {
    return {std::max<Wide>(0, -line.major0), std::min<Wide>(line.length, line.majorLimit - line.major0)};
  }
  return {std::max<Wide>(0, line.major0 - line.majorLimit + 1), std::min<Wide>(line.length, line.major0 + 1)};
}

// Where a line stands at one of its steps, exactly: the minor coordinate and
// the remainder r that StepLine carries on from.
struct LineStart {
  Wide minor;
  Wide r;
};

// At step `first`: the minor offset q and the remainder r from
// first * |dMinor| = Q * L + R without overflow (both factors are below 2^64).
inline LineStart ExactStart(const SlopedLine& line, Wide first) {
  const UWide len = static_cast<UWide>(line.length);
  const UWide product = static_cast<UWide>(first) * static_cast<UWide>(Abs(line.dMinor));
  const UWide quotient = product / len;
  const UWide rest = product % len;
  if (line.dMinor >= 0) {
    const Wide q = static_cast<Wide>(quotient) + (2 * rest > len ? 1 : 0);
    return {line.minor0 + q, static_cast<Wide>(2 * rest > len ? 3 * len - 2 * rest : len - 2 * rest)};
  }
  const Wide q = -static_cast<Wide>(quotient) - (2 * rest >= len ? 1 : 0);
  return {line.minor0 + q, static_cast<Wide>(2 * rest >= len ? 2 * rest - len : 2 * rest + len)};
}

// The slope as StepLine adds it at each step: the whole part k and the
// fraction m / den, 0 <= m < den.
struct Slope {
  Wide den;
  Wide k;
  Wide m;
};

inline Slope SlopeOf(const SlopedLine& line) {
  const Wide den = 2 * line.length;
  const Wide twoMinor = 2 * line.dMinor;  // |twoMinor| <= den
  const Wide k = twoMinor == den ? 1 : (twoMinor < 0 ? -1 : 0);
  return {den, k, twoMinor - k * den};
}

// Writes the steps of a sloped line that lie in the picture.
inline void StepInView(uchar* bits, qsizetype stride, const SlopedLine& line, StepRange steps, QRgb colour) {
  const LineStart start = ExactStart(line, steps.first);
  const Slope slope = SlopeOf(line);
  const int majorStart = static_cast<int>(line.major0 + line.step * steps.first);
  const int count = static_cast<int>(steps.last - steps.first);
  if (slope.den < (Wide{1} << 62)) {
    StepLine<std::int64_t>(bits, stride, line.xMajor, majorStart, line.step, count,
                           static_cast<std::int64_t>(start.minor), line.minorLimit,
                           static_cast<std::int64_t>(start.r), static_cast<std::int64_t>(slope.den),
                           static_cast<std::int64_t>(slope.k), static_cast<std::int64_t>(slope.m), colour);
  } else {
    StepLine<Wide>(bits, stride, line.xMajor, majorStart, line.step, count, start.minor, line.minorLimit,
                   start.r, slope.den, slope.k, slope.m, colour);
  }
}

// n pixels of one colour from `to`. Long runs go through the C library's
// wide-character fill, which writes large blocks without reading them first,
// where a wide character is a 32-bit value.
inline void FillPixels(QRgb* to, std::size_t n, QRgb colour) {
  if constexpr (sizeof(wchar_t) == sizeof(QRgb)) {
    if (n >= 64) {
      std::wmemset(reinterpret_cast<wchar_t*>(to), static_cast<wchar_t>(colour), n);
      return;
    }
  }
  std::fill(to, to + n, colour);
}

// Finds where pixel i, for i in 1..n-1, differs from pixel i - 1: calls
// `changes(i, mask)` in order for each block of pixels from i that holds such
// places, bit k of the mask standing for pixel i + k. With SSE2 a block is
// sixteen pixels compared with their left neighbours at once, so that the
// long runs of a board picture cost a few compares instead of a branch per
// pixel.
template <class Changes>
void ForEachColourChange(const QRgb* p, std::size_t n, Changes&& changes) {
  std::size_t i = 1;
#if defined(__SSE2__)
  auto differing = [p](std::size_t at) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    const __m128i left = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at - 1));
    return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(here, left)))) ^ 0xFu;
  };
  for (; i + 16 <= n; i += 16) {
    const unsigned mask =
        differing(i) | differing(i + 4) << 4 | differing(i + 8) << 8 | differing(i + 12) << 12;
    if (mask != 0) changes(i, mask);
  }
#endif
  for (; i < n; ++i) {
    if (p[i] != p[i - 1]) changes(i, 1u);
  }
}

}  // namespace

ImageCanvas::ImageCanvas(int width, int height)
    : designWidth_(width), designHeight_(height), image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::black);
}

void ImageCanvas::SetScale(double scale) {
  if (scale == scale_ && !image_.isNull()) return;
  endText();
  scale_ = scale;
  image_ = QImage(static_cast<int>(std::floor(designWidth_ * scale)),
                  static_cast<int>(std::floor(designHeight_ * scale)), QImage::Format_RGB32);
  image_.fill(Qt::black);
  fontName_.reset();
  glyphs_.reset();
}

std::int64_t ImageCanvas::Device(std::int64_t v) const {
  // Design pixels this far out lie far beyond any picture; nearer ones scale
  // exactly enough in a double. The floor without a call: truncate, then
  // step down below zero.
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  const double device = static_cast<double>(std::clamp(v, -kFar, kFar)) * scale_;
  const auto truncated = static_cast<std::int64_t>(device);
  return truncated - (device < static_cast<double>(truncated) ? 1 : 0);
}

int ImageCanvas::PenThickness() const { return std::max(1, static_cast<int>(std::lround(scale_))); }

void ImageCanvas::BeginTrial() {
  endText();
  stateBeforeTrial_ = state();
  trialRuns_.clear();
  const QRgb* p = reinterpret_cast<const QRgb*>(pixels());
  const std::size_t n = static_cast<std::size_t>(image_.width()) * static_cast<std::size_t>(image_.height());
  if (n == 0) return;
  std::size_t start = 0;
  auto endRun = [&](std::size_t end) {
    const std::uint32_t colour = p[start] & 0xFFFFFFu;
    for (; end - start > 255; start += 255) trialRuns_.push_back(255u << 24 | colour);
    trialRuns_.push_back(static_cast<std::uint32_t>(end - start) << 24 | colour);
    start = end;
  };
  ForEachColourChange(p, n, [&](std::size_t i, unsigned mask) {
    for (; mask != 0; mask &= mask - 1) endRun(i + static_cast<std::size_t>(std::countr_zero(mask)));
  });
  endRun(n);
}

void ImageCanvas::EndTrial(bool keep) {
  endText();
  if (!keep) {
    QRgb* p = reinterpret_cast<QRgb*>(pixels());
    for (const std::uint32_t run : trialRuns_) {
      const std::size_t length = run >> 24;
      FillPixels(p, length, run | 0xFF000000u);
      p += length;
    }
    setState(stateBeforeTrial_);
  }
  std::deque<std::uint32_t>().swap(trialRuns_);
}

uchar* ImageCanvas::pixels() {
  if (image_.format() != QImage::Format_RGB32 && !image_.isNull()) {
    endText();
    image_.convertTo(QImage::Format_RGB32);
  }
  return image_.bits();
}

// Qt copies a picture that a painter holds in full, never sharing its pixels,
// so the painter stays on the pixels this canvas writes.
QPainter& ImageCanvas::textPainter() {
  if (!painter_) {
    pixels();  // RGB32 before QPainter takes the image
    painter_.emplace(&image_);
    painterFontSet_ = false;
    painterColourSet_ = false;
  }
  return *painter_;
}

void ImageCanvas::endText() { painter_.reset(); }

void ImageCanvas::fillBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, QRgb colour) {
  if (std::max<std::int64_t>(x1, 0) >= std::min<std::int64_t>(x2, image_.width()) ||
      std::max<std::int64_t>(y1, 0) >= std::min<std::int64_t>(y2, image_.height())) {
    return;
  }
  fillBox(pixels(), x1, y1, x2, y2, colour);
}

void ImageCanvas::fillBox(uchar* bits, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                          QRgb colour) const {
  const std::int64_t left = std::max<std::int64_t>(x1, 0);
  const std::int64_t right = std::min<std::int64_t>(x2, image_.width());
  const std::int64_t top = std::max<std::int64_t>(y1, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y2, image_.height());
  if (left >= right || top >= bottom) return;
  const qsizetype stride = image_.bytesPerLine();
  // Whole rows of a picture without padding are one run of memory.
  if (left == 0 && right == image_.width() && stride == qsizetype{4} * image_.width()) {
    FillPixels(RowOf(bits, stride, top), static_cast<std::size_t>((bottom - top) * image_.width()), colour);
    return;
  }
  for (std::int64_t y = top; y < bottom; ++y) {
    FillPixels(RowOf(bits, stride, y) + left, static_cast<std::size_t>(right - left), colour);
  }
}

Canvas& ImageCanvas::Followed() {
  follower_->setState(state());
  return *follower_;
}

void ImageCanvas::fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (follower_) Followed().fillRect(x1, y1, x2, y2);
  if (state().brushStyle == BrushStyle::Clear) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (scaled()) {
    fillBox(Device(x1), Device(y1), Device(x2), Device(y2), ToRgb(state().brushColor));
  } else {
    fillBox(x1, y1, x2, y2, ToRgb(state().brushColor));
  }
}

void ImageCanvas::drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  if (follower_) {
    Canvas& follower = Followed();
    follower.moveTo(x0, y0);
    follower.lineTo(x1, y1);
  }
  if (scaled()) return drawScaledLine(x0, y0, x1, y1);
  rasterLine(x0, y0, x1, y1, ToRgb(state().penColor));
}

void ImageCanvas::rasterLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                             QRgb colour) {
  if (x0 == x1 && y0 == y1) return;
  const int w = image_.width();
  const int h = image_.height();
  if (w <= 0 || h <= 0) return;
  if (y0 == y1) {
    if (y0 < 0 || y0 >= h) return;
    uchar* bits = pixels();
    return LevelSpan(RowOf(bits, image_.bytesPerLine(), y0), x0, x1, w, colour);
  }
  if (x0 == x1) {
    if (x0 < 0 || x0 >= w) return;
    uchar* bits = pixels();
    return UprightSpan(bits, image_.bytesPerLine(), h, x0, y0, y1, colour);
  }
  const SlopedLine line = SlopedLineOf(x0, y0, x1, y1, w, h);
  const StepRange steps = StepsInView(line);
  if (steps.first >= steps.last) return;
  uchar* bits = pixels();
  StepInView(bits, image_.bytesPerLine(), line, steps, colour);
}

void ImageCanvas::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (follower_) Followed().rectangle(x1, y1, x2, y2);
  drawRectangle(x1, y1, x2, y2);
}

void ImageCanvas::drawRectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  // The outline runs through columns x1 and x2-1 and rows y1 and y2-1; in a
  // 1 x 1 box those four sides have no length, and nothing is drawn. A box one
  // pixel wide or high is a single column or row of the pen.
  if (x1 + 1 == x2 && y1 + 1 == y2) return;
  if (x1 >= width() || y1 >= height() || x2 <= 0 || y2 <= 0) return;  // wholly outside
  if (scaled()) {
    // The outline as thick as the pen, from the start of each edge's design
    // pixel; the brush from the first device pixel inside it.
    x1 = std::max<std::int64_t>(x1, -1), y1 = std::max<std::int64_t>(y1, -1);
    x2 = std::min<std::int64_t>(x2, width() + 1), y2 = std::min<std::int64_t>(y2, height() + 1);
    const std::int64_t t = PenThickness();
    const std::int64_t left = Device(x1), top = Device(y1);
    const std::int64_t right = std::max(Device(x2 - 1) + t, left + t),
                       bottom = std::max(Device(y2 - 1) + t, top + t);
    return paintBox(left, std::min(left + t, right), std::max(right - t, left), right, top,
                    std::min(top + t, bottom), std::max(bottom - t, top), bottom);
  }
  paintBox(x1, x1 + 1, x2 - 1, x2, y1, y1 + 1, y2 - 1, y2);
}

// A box whose outline fills the columns left..leftIn-1 and rightIn..right-1
// and the rows top..topIn-1 and bottomIn..bottom-1, with the brush inside.
void ImageCanvas::paintBox(std::int64_t left, std::int64_t leftIn, std::int64_t rightIn, std::int64_t right,
                           std::int64_t top, std::int64_t topIn, std::int64_t bottomIn, std::int64_t bottom) {
  uchar* bits = pixels();
  if (state().brushStyle == BrushStyle::Solid) {
    fillBox(bits, leftIn, topIn, rightIn, bottomIn, ToRgb(state().brushColor));
  }
  const QRgb pen = ToRgb(state().penColor);
  fillBox(bits, left, top, right, topIn, pen);
  fillBox(bits, left, bottomIn, right, bottom, pen);
  fillBox(bits, left, top, leftIn, bottom, pen);
  fillBox(bits, rightIn, top, right, bottom, pen);
}

void ImageCanvas::drawExactEllipse(std::int64_t x1, std::int64_t y1, int w, int h) {
  const raster::EllipseShape& shape = *ellipses_.Shape(w, h);
  const std::int64_t top = std::max<std::int64_t>(y1, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y1 + h, image_.height());
  const EllipseRowPainter rows(pixels(), image_, state());
  for (std::int64_t y = top; y < bottom; ++y) {
    const raster::EllipseRow& e = shape[static_cast<std::size_t>(y - y1)];
    if (e.left > e.right) continue;
    rows.Paint(y, x1 + e.left, x1 + e.right + 1, x1 + (w - 1 - e.right), x1 + (w - e.left));
  }
}

// Too large to trace point by point: each row in view takes the columns where
// the ellipse through the pixel centres of the box crosses the row's upper and
// lower edges. The outline keeps the exact rule's place within about a pixel
// and stays closed.
void ImageCanvas::drawLargeEllipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  using Real = long double;
  const Real w = static_cast<Real>(Wide{x2} - x1);
  const Real h = static_cast<Real>(Wide{y2} - y1);
  const Real a = (w - 1) / 2;  // half axes; the centre is (a, b) in the box
  const Real b = (h - 1) / 2;
  auto halfWidth = [a, b](Real t) {
    const Real u = (t - b) / b;
    return a * std::sqrt(std::max<Real>(0, 1 - u * u));
  };
  const int pictureWidth = image_.width();
  // Box columns to picture columns, kept within one pixel of the picture.
  auto toColumn = [x1, pictureWidth](Real column) {
    const Real v = std::clamp<Real>(static_cast<Real>(x1) + column, -1, static_cast<Real>(pictureWidth) + 1);
    return static_cast<std::int64_t>(v);
  };

  // Picture row y's four columns: the pen's outer edges and the brush's.
  auto rowColumns = [&](std::int64_t y) {
    const Real r = static_cast<Real>(Wide{y} - y1);
    const Real upper = std::max<Real>(r - 0.5L, 0);
    const Real lower = std::min<Real>(r + 0.5L, h - 1);
    const Real inner = halfWidth(std::clamp(b, upper, lower));
    const Real outer = std::min(halfWidth(upper), halfWidth(lower));
    const Real left = std::round(a - inner);
    const Real right = std::max(left, std::round(a - outer));
    return std::array{toColumn(left), toColumn(right + 1), toColumn(w - 1 - right), toColumn(w - left)};
  };

  const std::int64_t top = std::max<std::int64_t>(y1, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y2, image_.height());
  const EllipseRowPainter rows(pixels(), image_, state());
  // A solid ellipse around the whole picture, as a marker much larger than
  // the view is: the brush's span only widens towards the middle row, so when
  // the first and last rows of the picture lie within it, every row does.
  auto brushCovers = [&](std::int64_t y) {
    const auto columns = rowColumns(y);
    return columns[1] <= 0 && columns[2] >= rows.width;
  };
  if (rows.fill && top == 0 && bottom == image_.height() && brushCovers(top) && brushCovers(bottom - 1)) {
    fillBox(rows.bits, 0, 0, rows.width, bottom, rows.brush);
    return;
  }
  for (std::int64_t y = top; y < bottom; ++y) {
    const auto [left, innerLeft, innerRight, right] = rowColumns(y);
    rows.Paint(y, left, innerLeft, innerRight, right);
  }
}

void ImageCanvas::ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (follower_) Followed().ellipse(x1, y1, x2, y2);
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  const std::uint64_t w = static_cast<std::uint64_t>(x2) - static_cast<std::uint64_t>(x1);
  const std::uint64_t h = static_cast<std::uint64_t>(y2) - static_cast<std::uint64_t>(y1);
  if (x1 >= width() || y1 >= height() || x2 <= 0 || y2 <= 0) return;  // wholly outside
  if (w <= 2 || h <= 2) {
    drawRectangle(x1, y1, x2, y2);
    return;
  }
  if (scaled()) return drawScaledEllipse(x1, y1, x2, y2);
  if (w <= kMaxExactEllipse && h <= kMaxExactEllipse) {
    drawExactEllipse(x1, y1, static_cast<int>(w), static_cast<int>(h));
  } else {
    drawLargeEllipse(x1, y1, x2, y2);
  }
}

// At a scale other than 1 the figures keep their design coordinates and are
// drawn at the picture's resolution, crisp: a line as wide as the pen is
// thick, through the middles of its end pixels; level and upright lines and
// the edges of boxes exactly on the blocks of their design pixels.
void ImageCanvas::drawScaledLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  if (x0 == x1 && y0 == y1) return;
  const QRgb colour = ToRgb(state().penColor);
  if (y0 == y1 || x0 == x1) {
    // The design pixels from the start up to, not including, the end, as
    // thick as the pen across.
    auto span = [](std::int64_t a, std::int64_t b) {
      return a < b ? std::pair{a, b} : std::pair{b + 1, a + 1};
    };
    const std::int64_t thickness = PenThickness();
    if (y0 == y1) {
      const auto [left, right] = span(x0, x1);
      return fillBox(Device(left), Device(y0), Device(right), Device(y0) + thickness, colour);
    }
    const auto [top, bottom] = span(y0, y1);
    return fillBox(Device(x0), Device(top), Device(x0) + thickness, Device(bottom), colour);
  }
  // Far-away ends are brought in along the line first, so that the device
  // coordinates stay in range; the line then runs past the picture still.
  long double ax = x0, ay = y0, bx = x1, by = y1;
  constexpr long double kReach = 1 << 20;
  if (std::max({std::abs(ax), std::abs(ay), std::abs(bx), std::abs(by)}) > kReach) {
    long double from = 0, to = 1;
    const long double d[2] = {bx - ax, by - ay}, start[2] = {ax, ay};
    for (int axis = 0; axis < 2; ++axis) {
      if (d[axis] == 0) continue;
      long double t0 = (-kReach - start[axis]) / d[axis], t1 = (kReach - start[axis]) / d[axis];
      if (t0 > t1) std::swap(t0, t1);
      from = std::max(from, t0), to = std::min(to, t1);
    }
    if (from >= to) return;
    ax = start[0] + from * d[0], ay = start[1] + from * d[1];
    bx = start[0] + to * d[0], by = start[1] + to * d[1];
  }
  auto device = [this](long double v) {
    return static_cast<std::int64_t>(std::llround((v + 0.5L) * scale_ - 0.5L));
  };
  const std::int64_t dx0 = device(ax), dy0 = device(ay), dx1 = device(bx), dy1 = device(by);
  const bool xMajor = std::abs(dx1 - dx0) > std::abs(dy1 - dy0);
  const int thickness = PenThickness();
  for (int o = -(thickness - 1) / 2; o <= thickness / 2; ++o) {
    rasterLine(dx0 + (xMajor ? 0 : o), dy0 + (xMajor ? o : 0), dx1 + (xMajor ? 0 : o), dy1 + (xMajor ? o : 0),
               colour);
  }
}

// The ellipse in the device box of the design box: its outline as thick as
// the pen (between the ellipse of the box and the one inside it by the
// thickness), the brush within.
void ImageCanvas::drawScaledEllipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  x1 = std::max<std::int64_t>(x1, -(std::int64_t{1} << 40)),
  y1 = std::max<std::int64_t>(y1, -(std::int64_t{1} << 40));
  const std::int64_t left = Device(x1), top = Device(y1), right = Device(x2), bottom = Device(y2);
  const std::int64_t w = right - left, h = bottom - top;
  if (w > kMaxExactEllipse || h > kMaxExactEllipse) return drawLargeEllipse(left, top, right, bottom);
  raster::Ring& ring = ellipses_.RingOf(w, h, PenThickness() - 1);
  const EllipseRowPainter rows(pixels(), image_, state());
  const std::int64_t from = std::max<std::int64_t>(top, 0),
                     to = std::min<std::int64_t>(bottom, image_.height());
  const raster::RingRow* r = ring.rows.data() + (from - top);
  if (left < 0 || right > rows.width) {
    for (std::int64_t y = from; y < to; ++y, ++r) {
      if (r->outerLeft == r->outerRight) continue;
      rows.Paint(y, left + r->outerLeft, left + r->innerLeft, left + r->innerRight, left + r->outerRight);
    }
  } else {
    // Wholly within the picture's width, as nearly every pin is: no clipping.
    for (std::int64_t y = from; y < to; ++y, ++r) {
      QRgb* row = RowOf(rows.bits, rows.stride, y) + left;
      FillColumns(row, r->outerLeft, r->innerLeft, rows.pen);
      if (rows.fill) FillColumns(row, r->innerLeft, r->innerRight, rows.brush);
      FillColumns(row, r->innerRight, r->outerRight, rows.pen);
    }
  }
  if (h > raster::EllipseRowCache::kMaxKeptRingRows) ring = raster::Ring();
}

// Sizes are points at 96 pixels per inch, set in pixels so that the picture's
// own resolution plays no part. A negative size counts like a positive one.
void ImageCanvas::selectFont(const CanvasState& state) {
  if (fontName_ && *fontName_ == state.fontName && fontSizePt_ == state.fontSizePt) return;
  // At another scale the same size in design pixels, drawn at the picture's
  // resolution.
  const double pixelSize =
      std::round(std::round(std::abs(static_cast<double>(state.fontSizePt)) * 96.0 / 72.0) * scale_);
  font_ = QFont(QString::fromStdString(state.fontName));
  font_.setPixelSize(static_cast<int>(std::clamp(pixelSize, 1.0, static_cast<double>(kMaxFontPixels))));
  font_.setHintingPreference(QFont::PreferFullHinting);  // whole-pixel advances
  metrics_.emplace(font_, &image_);
  glyphs_.reset();
  painterFontSet_ = false;
  fontName_ = state.fontName;
  fontSizePt_ = state.fontSizePt;
}

LabelGlyphs* ImageCanvas::labelGlyphs(std::string_view text) {
  if (!labelGlyphsOn_ || font_.pixelSize() > LabelGlyphs::kMaxPixelSize || !LabelGlyphs::Covers(text)) {
    return nullptr;
  }
  if (!glyphs_ || glyphsThread_ != std::this_thread::get_id()) {
    glyphs_ = LabelGlyphs::For(font_);
    glyphsThread_ = std::this_thread::get_id();
  }
  return glyphs_.get();
}

void ImageCanvas::textOut(std::int64_t x, std::int64_t y, std::string_view text) {
  if (follower_) Followed().textOut(x, y, text);
  if (text.empty() || image_.width() <= 0 || image_.height() <= 0) return;
  if (scaled()) x = Device(x), y = Device(y);
  selectFont(state());
  const std::int64_t textHeight = metrics_->height();
  // Glyphs may stand out of their box a little (overhangs, negative bearings).
  const std::int64_t margin = textHeight;
  if (x >= image_.width() + margin || y >= image_.height() + margin || y <= -(textHeight + margin)) return;
  LabelGlyphs* glyphs = labelGlyphs(text);
  const QString s =
      glyphs ? QString() : QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  // The width takes shaping the text; only a text left of the image or on a
  // solid background needs it.
  const bool solid = state().brushStyle == BrushStyle::Solid;
  if (x < 0 || solid) {
    const std::int64_t advance = glyphs ? glyphs->Advance(text) : metrics_->horizontalAdvance(s);
    if (x <= -(advance + margin)) return;
    if (solid) fillBox(x, y, x + advance, y + textHeight, ToRgb(state().brushColor));
  }
  ++textsDrawn_;
  const std::int64_t baseline = y + metrics_->ascent();
  if (glyphs) {
    pixels();
    glyphs->Draw(image_, x, baseline, ToRgb(state().fontColor), text);
    return;
  }
  QPainter& painter = textPainter();
  if (!painterFontSet_) {
    painter.setFont(font_);
    painterFontSet_ = true;
  }
  if (const QRgb colour = ToRgb(state().fontColor); !painterColourSet_ || colour != painterColour_) {
    painter.setPen(QColor(colour));
    painterColour_ = colour;
    painterColourSet_ = true;
  }
  painter.drawText(QPoint(static_cast<int>(x), static_cast<int>(baseline)), s);
}

}  // namespace vantrel
