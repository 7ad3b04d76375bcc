#include "app/image_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

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
  hoverTimer_.setSingleShot(true);
  hoverTimer_.setInterval(kHoverMilliseconds);
  connect(&hoverTimer_, &QTimer::timeout, this, &ImageView::HoverNow);
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
  hoverTimer_.stop();
  const QPoint p = ToDesign(event->position());
  if (event->button() == Qt::LeftButton) {
    leftHeld_ = true;
    dragging_ = false;
    pressAt_ = event->position();
    dragDesign_ = p;
  }
  if (handlers_.mouseDown) handlers_.mouseDown(ButtonOf(event->button()), p.x(), p.y());
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = ToDesign(event->position());
  pointerAt_ = event->position();
  if (handlers_.mouseMove) handlers_.mouseMove(p.x(), p.y());
  if (!leftHeld_ || !(event->buttons() & Qt::LeftButton)) {
    hoverTimer_.start();
    return;
  }
  if (!dragging_ && (event->position() - pressAt_).manhattanLength() < QApplication::startDragDistance())
    return;
  dragging_ = true;
  const QPoint step = p - dragDesign_;
  dragDesign_ = p;
  if (!step.isNull() && handlers_.drag) handlers_.drag(step.x(), step.y());
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) EndDrag();
}

void ImageView::EndDrag() {
  const bool dragged = dragging_;
  leftHeld_ = false;
  dragging_ = false;
  if (dragged && handlers_.dragEnd) handlers_.dragEnd();
}

// The second press of a double click arrives as this event alone. As on the
// platform the program was made for, the double-click handler runs first and
// the press is then handled as any other, on the view of that moment.
void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && handlers_.dblClick) handlers_.dblClick();
  mousePressEvent(event);
}

// Fine-grained wheels send parts of a notch; they add up to whole ones.
void ImageView::wheelEvent(QWheelEvent* event) {
  wheelAngle_ += event->angleDelta().y();
  const int notches = wheelAngle_ / kNotch;
  wheelAngle_ -= notches * kNotch;
  const QPoint p = ToDesign(event->position());
  if (notches != 0 && handlers_.wheel) handlers_.wheel(notches, p.x(), p.y());
  event->accept();
}

void ImageView::leaveEvent(QEvent*) {
  hoverTimer_.stop();
  QToolTip::hideText();
}

void ImageView::HoverNow() {
  hoverTimer_.stop();
  if (!handlers_.hover) return;
  const QPoint p = ToDesign(pointerAt_);
  const QString text = handlers_.hover(p.x(), p.y());
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(mapToGlobal(pointerAt_.toPoint()), text, this);
  }
}

}  // namespace vantrel
