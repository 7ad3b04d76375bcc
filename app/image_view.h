// A control that shows one of the session's pictures at the window's factor,
// one picture pixel to one device pixel, and hands mouse events on to the
// main window in design pixels: presses, moves and double clicks as they
// come, and the gestures made of them: wheel notches, drags with the left
// button and a pointer resting still.
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

#include "render/image_canvas.h"

namespace vantrel {

class ImageView : public QWidget {
  Q_OBJECT

 public:
  enum class Button { Left, Right, Middle };
  struct Handlers {
    std::function<void(Button, int x, int y)> mouseDown;
    std::function<void(int x, int y)> mouseMove;
    std::function<void()> dblClick;
    // Whole notches of the wheel at (x, y): positive away from the user.
    std::function<void(int notches, int x, int y)> wheel;
    // The pointer moved (dx, dy) design pixels with the left button held,
    // once it went further than the platform's drag distance; then the end.
    std::function<void(int dx, int dy)> drag;
    std::function<void()> dragEnd;
    // The pointer rests at (x, y): the tooltip to show there, or "" for none.
    std::function<QString(int x, int y)> hover;
  };

  // How long the pointer must rest before the tooltip is asked for.
  static constexpr int kHoverMilliseconds = 500;
  // A notch of the wheel, in the units of the wheel event's angle.
  static constexpr int kNotch = 120;

  ImageView(const ImageCanvas& picture, QWidget* parent);
  void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
  // Takes the size of the picture at `factor` window pixels per design pixel.
  void setFactor(double factor);
  // The design pixel under a position in the control.
  QPoint ToDesign(QPointF pos) const;
  // Asks for the tooltip at the pointer's last position now, as if it had
  // rested there long enough.
  void HoverNow();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void EndDrag();

  const ImageCanvas& picture_;
  double factor_ = 1.0;
  Handlers handlers_;

  // The left button's press, for telling a drag from a click.
  bool leftHeld_ = false;
  bool dragging_ = false;
  QPointF pressAt_;
  QPoint dragDesign_;  // the design pixel the drag has moved the board to so far

  int wheelAngle_ = 0;  // what the wheel turned short of a notch
  QTimer hoverTimer_;
  QPointF pointerAt_;
};

}  // namespace vantrel
