#include "app/image_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace vantrel {

namespace {

ImageView::Button ButtonOf(Qt::MouseButton b) {
  if (b == Qt::LeftButton) return ImageView::Button::Left;
  if (b == Qt::RightButton) return ImageView::Button::Right;
  return ImageView::Button::Middle;
}

}  // namespace

ImageView::ImageView(const ImageCanvas& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFactor(1.0);
}

void ImageView::setFactor(double factor) {
  factor_ = factor;
  resize(static_cast<int>(std::floor(picture_.width() * factor)),
         static_cast<int>(std::floor(picture_.height() * factor)));
}

QPoint ImageView::ToDesign(QPointF pos) const {
  return {static_cast<int>(std::floor(pos.x() / factor_)), static_cast<int>(std::floor(pos.y() / factor_))};
}

// The picture is drawn at the screen's resolution already: it lands pixel for
// pixel, with nothing stretched.
void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage& image = picture_.image();
  const qreal ratio = devicePixelRatioF();
  painter.drawImage(QRectF(0, 0, image.width() / ratio, image.height() / ratio), image);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = ToDesign(event->position());
  if (handlers_.mouseDown) handlers_.mouseDown(ButtonOf(event->button()), p.x(), p.y());
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = ToDesign(event->position());
  if (handlers_.mouseMove) handlers_.mouseMove(p.x(), p.y());
}

// The second press of a double click arrives as this event alone. As on the
// platform the program was made for, the double-click handler runs first and
// the press is then handled as any other, on the view of that moment.
void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && handlers_.dblClick) handlers_.dblClick();
  mousePressEvent(event);
}

}  // namespace vantrel
