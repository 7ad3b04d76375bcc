#include "render/painter_canvas.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vantrel {

namespace {

// How far around the picture a figure is kept, in design pixels: a pen or a
// glyph that starts there reaches no further into it.
constexpr double kSurroundings = 4;

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QPen PenOf(Color c) {
  QPen pen(ToQColor(c));
  pen.setWidthF(1.0);
  pen.setCosmetic(false);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

// Cuts the segment from a to b to the box [lo, hi] on both axes; false when
// nothing of it lies there.
bool CutToBox(QPointF& a, QPointF& b, QPointF lo, QPointF hi) {
  double from = 0, to = 1;
  const double start[2] = {a.x(), a.y()}, d[2] = {b.x() - a.x(), b.y() - a.y()};
  const double low[2] = {lo.x(), lo.y()}, high[2] = {hi.x(), hi.y()};
  for (int axis = 0; axis < 2; ++axis) {
    if (d[axis] == 0) {
      if (start[axis] < low[axis] || start[axis] > high[axis]) return false;
      continue;
    }
    double t0 = (low[axis] - start[axis]) / d[axis], t1 = (high[axis] - start[axis]) / d[axis];
    if (t0 > t1) std::swap(t0, t1);
    from = std::max(from, t0), to = std::min(to, t1);
  }
  if (from > to) return false;
  const QPointF delta = b - a;
  b = a + delta * to;
  a = a + delta * from;
  return true;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height) {
  painter_.save();
  painter_.setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
}

PainterCanvas::~PainterCanvas() { painter_.restore(); }

double PainterCanvas::Near(std::int64_t v, int size) const {
  return static_cast<double>(std::clamp<std::int64_t>(v, -2, std::int64_t{size} + 2));
}

void PainterCanvas::fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (state().brushStyle == BrushStyle::Clear) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2 || x1 >= width_ || y1 >= height_ || x2 <= 0 || y2 <= 0) return;
  const double left = Near(x1, width_), top = Near(y1, height_);
  painter_.fillRect(QRectF(left, top, Near(x2, width_) - left, Near(y2, height_) - top),
                    ToQColor(state().brushColor));
}

void PainterCanvas::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2 || (x1 + 1 == x2 && y1 + 1 == y2)) return;
  if (x1 >= width_ || y1 >= height_ || x2 <= 0 || y2 <= 0) return;
  const double left = Near(x1, width_), top = Near(y1, height_);
  const double right = Near(x2, width_), bottom = Near(y2, height_);
  if (x1 + 1 == x2 || y1 + 1 == y2) {
    painter_.fillRect(QRectF(left, top, right - left, bottom - top), ToQColor(state().penColor));
    return;
  }
  if (state().brushStyle == BrushStyle::Solid && right - left > 2 && bottom - top > 2) {
    painter_.fillRect(QRectF(left + 1, top + 1, right - left - 2, bottom - top - 2),
                      ToQColor(state().brushColor));
  }
  painter_.setPen(PenOf(state().penColor));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
}

void PainterCanvas::ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  if (x1 >= width_ || y1 >= height_ || x2 <= 0 || y2 <= 0) return;
  const double w = static_cast<double>(x2) - static_cast<double>(x1);
  const double h = static_cast<double>(y2) - static_cast<double>(y1);
  if (w <= 2 || h <= 2) return rectangle(x1, y1, x2, y2);
  painter_.setPen(PenOf(state().penColor));
  if (state().brushStyle == BrushStyle::Solid) {
    painter_.setBrush(ToQColor(state().brushColor));
  } else {
    painter_.setBrush(Qt::NoBrush);
  }
  painter_.drawEllipse(QRectF(static_cast<double>(x1) + 0.5, static_cast<double>(y1) + 0.5, w - 1, h - 1));
}

// The pixels a line covers, as a band one pixel wide from half a step before
// the start pixel's centre to half a step before the end pixel's.
void PainterCanvas::drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  if (x0 == x1 && y0 == y1) return;
  const double dx = static_cast<double>(x1) - static_cast<double>(x0);
  const double dy = static_cast<double>(y1) - static_cast<double>(y0);
  const double major = std::max(std::abs(dx), std::abs(dy));
  const QPointF back(0.5 - dx / major / 2, 0.5 - dy / major / 2);
  QPointF a = QPointF(static_cast<double>(x0), static_cast<double>(y0)) + back;
  QPointF b = QPointF(static_cast<double>(x1), static_cast<double>(y1)) + back;
  if (!CutToBox(a, b, QPointF(-kSurroundings, -kSurroundings),
                QPointF(width_ + kSurroundings, height_ + kSurroundings))) {
    return;
  }
  painter_.setPen(PenOf(state().penColor));
  painter_.drawLine(QLineF(a, b));
}

const QFont& PainterCanvas::Font() {
  if (fontName_ && *fontName_ == state().fontName && fontSizePt_ == state().fontSizePt) return font_;
  const double pixels = std::round(std::abs(static_cast<double>(state().fontSizePt)) * 96.0 / 72.0);
  font_ = QFont(QString::fromStdString(state().fontName));
  font_.setPixelSize(static_cast<int>(std::clamp(pixels, 1.0, 4096.0)));
  fontName_ = state().fontName;
  fontSizePt_ = state().fontSizePt;
  return font_;
}

void PainterCanvas::textOut(std::int64_t x, std::int64_t y, std::string_view text) {
  if (text.empty()) return;
  const QFont& font = Font();
  const QFontMetricsF metrics(font);
  const double margin = metrics.height();
  if (x >= width_ + margin || y >= height_ + margin || y <= -(metrics.height() + margin)) return;
  const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  const double advance = metrics.horizontalAdvance(s);
  if (static_cast<double>(x) <= -(advance + margin)) return;
  const QPointF at(static_cast<double>(x), static_cast<double>(y));
  if (state().brushStyle == BrushStyle::Solid) {
    painter_.fillRect(QRectF(at, QSizeF(advance, metrics.height())), ToQColor(state().brushColor));
  }
  painter_.setFont(font);
  painter_.setPen(ToQColor(state().fontColor));
  painter_.drawText(at + QPointF(0, metrics.ascent()), s);
}

}  // namespace vantrel
