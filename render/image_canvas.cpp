#include "render/image_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantrel {

namespace {

__extension__ typedef __int128 Wide;  // i * dMinor can exceed 64 bits

// ceil(a / b) for b > 0.
Wide CeilDiv(Wide a, Wide b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

// Larger shapes are not cached: they are computed for the rows in view only.
constexpr int kMaxCachedShape = 1024;

}  // namespace

ImageCanvas::ImageCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::black);
}

void ImageCanvas::Plot(std::int64_t x, std::int64_t y, QRgb colour) {
  if (x < 0 || y < 0 || x >= width() || y >= height()) return;
  reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)))[x] = colour;
}

void ImageCanvas::Span(std::int64_t y, std::int64_t from, std::int64_t to, QRgb colour) {
  if (y < 0 || y >= height()) return;
  from = std::max<std::int64_t>(from, 0);
  to = std::min<std::int64_t>(to, width() - 1);
  if (from > to) return;
  QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)));
  std::fill(row + from, row + to + 1, colour);
}

void ImageCanvas::fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (state().brushStyle == BrushStyle::Clear) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const QRgb colour = ToRgb(state().brushColor);
  const std::int64_t top = std::max<std::int64_t>(y1, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y2, height());
  for (std::int64_t y = top; y < bottom; ++y) Span(y, x1, x2 - 1, colour);
}

// Steps along the major axis; the minor coordinate of step i is
// start + ceil(i * dMinor / |dMajor| - 1/2), so that an exact tie goes to the
// smaller coordinate whichever way the line runs. Only the steps whose major
// coordinate lies inside the picture are visited.
void ImageCanvas::drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::llabs(dx) > std::llabs(dy);
  const std::int64_t major0 = xMajor ? x0 : y0;
  const std::int64_t minor0 = xMajor ? y0 : x0;
  const std::int64_t dMajor = xMajor ? dx : dy;
  const std::int64_t dMinor = xMajor ? dy : dx;
  const std::int64_t length = std::llabs(dMajor);
  const std::int64_t step = dMajor > 0 ? 1 : -1;
  const std::int64_t majorLimit = xMajor ? width() : height();

  std::int64_t first = 0;
  std::int64_t last = length;  // exclusive
  if (step > 0) {
    first = std::max<std::int64_t>(first, -major0);
    last = std::min<std::int64_t>(last, majorLimit - major0);
  } else {
    first = std::max<std::int64_t>(first, major0 - majorLimit + 1);
    last = std::min<std::int64_t>(last, major0 + 1);
  }
  const QRgb colour = ToRgb(state().penColor);
  for (std::int64_t i = first; i < last; ++i) {
    const Wide offset = CeilDiv(2 * static_cast<Wide>(i) * dMinor - length, 2 * static_cast<Wide>(length));
    const std::int64_t major = major0 + step * i;
    const std::int64_t minor = minor0 + static_cast<std::int64_t>(offset);
    if (xMajor) {
      Plot(major, minor, colour);
    } else {
      Plot(minor, major, colour);
    }
  }
}

void ImageCanvas::Frame(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  // The pen on columns x1 and x2 - 1 and rows y1 and y2 - 1, the brush inside.
  const QRgb pen = ToRgb(state().penColor);
  if (state().brushStyle == BrushStyle::Solid) {
    const QRgb brush = ToRgb(state().brushColor);
    const std::int64_t top = std::max<std::int64_t>(y1 + 1, 0);
    const std::int64_t bottom = std::min<std::int64_t>(y2 - 1, height());
    for (std::int64_t y = top; y < bottom; ++y) Span(y, x1 + 1, x2 - 2, brush);
  }
  Span(y1, x1, x2 - 1, pen);
  Span(y2 - 1, x1, x2 - 1, pen);
  const std::int64_t top = std::max<std::int64_t>(y1, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y2, height());
  for (std::int64_t y = top; y < bottom; ++y) {
    Plot(x1, y, pen);
    Plot(x2 - 1, y, pen);
  }
}

void ImageCanvas::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  // A box less than two pixels wide or high draws nothing.
  if (x2 - x1 < 2 || y2 - y1 < 2) return;
  Frame(x1, y1, x2, y2);
}

ImageCanvas::Shape ImageCanvas::EllipseShape(int w, int h) {
  // The midpoint ellipse in Zingl's form over the box (0, 0)-(w-1, h-1),
  // plotted into a small mask, then cut into runs per row.
  std::vector<std::vector<bool>> mask(static_cast<std::size_t>(h), std::vector<bool>(static_cast<std::size_t>(w)));
  auto set = [&](long x, long y) {
    if (x >= 0 && y >= 0 && x < w && y < h) mask[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = true;
  };
  long x0 = 0, y0 = 0, x1 = w - 1, y1 = h - 1;
  long a = x1 - x0, b = y1 - y0, b1 = b & 1;
  double dx = 4.0 * (1 - a) * b * b, dy = 4.0 * (b1 + 1) * a * a;
  double err = dx + dy + static_cast<double>(b1 * a * a), e2;
  y0 += (b + 1) / 2;
  y1 = y0 - b1;
  const double a8 = 8.0 * a * a;
  const double b8 = 8.0 * b * b;
  do {
    set(x1, y0);
    set(x0, y0);
    set(x0, y1);
    set(x1, y1);
    e2 = 2 * err;
    if (e2 <= dy) {
      y0++;
      y1--;
      err += dy += a8;
    }
    if (e2 >= dx || 2 * err > dy) {
      x0++;
      x1--;
      err += dx += b8;
    }
  } while (x0 <= x1);
  while (y0 - y1 <= b) {  // the tips of flat ellipses
    set(x0 - 1, y0);
    set(x1 + 1, y0++);
    set(x0 - 1, y1);
    set(x1 + 1, y1--);
  }

  Shape shape(static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    const std::vector<bool>& row = mask[static_cast<std::size_t>(y)];
    int first = -1, last = -1;
    for (int x = 0; x < w; ++x) {
      if (row[static_cast<std::size_t>(x)]) {
        if (first < 0) first = x;
        last = x;
      }
    }
    if (first < 0) continue;
    for (int x = first; x <= last;) {
      const bool outline = row[static_cast<std::size_t>(x)];
      int end = x;
      while (end + 1 <= last && row[static_cast<std::size_t>(end + 1)] == outline) ++end;
      shape[static_cast<std::size_t>(y)].push_back({x, end, outline});
      x = end + 1;
    }
  }
  return shape;
}

const ImageCanvas::Shape& ImageCanvas::CachedShape(int w, int h) {
  const auto key = std::make_pair(w, h);
  auto it = shapes_.find(key);
  if (it == shapes_.end()) it = shapes_.emplace(key, EllipseShape(w, h)).first;
  return it->second;
}

void ImageCanvas::ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const std::int64_t w = x2 - x1;
  const std::int64_t h = y2 - y1;
  if (w == 0 || h == 0) return;
  if (w <= 2 || h <= 2) {
    rectangle(x1, y1, x2, y2);
    return;
  }
  if (x1 >= width() || y1 >= height() || x2 <= 0 || y2 <= 0) return;  // wholly outside

  const QRgb pen = ToRgb(state().penColor);
  const QRgb brush = ToRgb(state().brushColor);
  const bool fill = state().brushStyle == BrushStyle::Solid;
  const std::int64_t firstRow = std::max<std::int64_t>(0, -y1);
  const std::int64_t lastRow = std::min<std::int64_t>(h, height() - y1);  // exclusive

  if (w <= kMaxCachedShape && h <= kMaxCachedShape) {
    const Shape& shape = CachedShape(static_cast<int>(w), static_cast<int>(h));
    for (std::int64_t r = firstRow; r < lastRow; ++r) {
      for (const Run& run : shape[static_cast<std::size_t>(r)]) {
        if (run.outline) {
          Span(y1 + r, x1 + run.from, x1 + run.to, pen);
        } else if (fill) {
          Span(y1 + r, x1 + run.from, x1 + run.to, brush);
        }
      }
    }
    return;
  }

  // A very large ellipse: each row in view from the ellipse's equation, the
  // outline one pixel wide at each end of the row. Close to the rule above,
  // not identical to it; no board view produces such pin circles.
  const double a = (w - 1) / 2.0;
  const double b = (h - 1) / 2.0;
  for (std::int64_t r = firstRow; r < lastRow; ++r) {
    const double t = (r - b) / b;
    const double half = a * std::sqrt(std::max(0.0, 1 - t * t));
    const std::int64_t from = x1 + static_cast<std::int64_t>(std::llround(a - half));
    const std::int64_t to = x1 + static_cast<std::int64_t>(std::llround(a + half));
    if (r == 0 || r == h - 1) {
      Span(y1 + r, from, to, pen);
      continue;
    }
    if (fill) Span(y1 + r, from + 1, to - 1, brush);
    Plot(from, y1 + r, pen);
    Plot(to, y1 + r, pen);
  }
}

const QFont& ImageCanvas::FontFor(const CanvasState& state) {
  const auto key = std::make_pair(state.fontName, state.fontSizePt);
  if (fontKey_ != key) {
    font_ = QFont(QString::fromStdString(state.fontName));
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(state.fontSizePt * 96.0 / 72.0))));
    font_.setHintingPreference(QFont::PreferFullHinting);
    metrics_ = std::make_unique<QFontMetrics>(font_, &image_);
    fontKey_ = key;
  }
  return font_;
}

void ImageCanvas::textOut(std::int64_t x, std::int64_t y, std::string_view text) {
  if (text.empty()) return;
  const QFont& font = FontFor(state());
  // Past this distance no text of a sane size reaches the picture.
  constexpr std::int64_t kReach = 1 << 20;
  if (x < -kReach || y < -kReach || x > width() || y > height()) return;
  const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  QPainter painter(&image_);
  painter.setFont(font);
  if (state().brushStyle == BrushStyle::Solid) {
    painter.fillRect(QRect(static_cast<int>(x), static_cast<int>(y), metrics_->horizontalAdvance(s),
                           metrics_->height()),
                     QColor::fromRgb(ToRgb(state().brushColor)));
  }
  painter.setPen(QColor::fromRgb(ToRgb(state().fontColor)));
  painter.drawText(QPoint(static_cast<int>(x), static_cast<int>(y) + metrics_->ascent()), s);
}

}  // namespace vantrel
