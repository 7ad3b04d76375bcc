// A control that shows one of the session's pictures at the window's factor,
// one picture pixel to one device pixel, and hands mouse events on to the
// main window in design pixels.
#pragma once

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
  };

  ImageView(const ImageCanvas& picture, QWidget* parent);
  void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
  // Takes the size of the picture at `factor` window pixels per design pixel.
  void setFactor(double factor);
  // The design pixel under a position in the control.
  QPoint ToDesign(QPointF pos) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const ImageCanvas& picture_;
  double factor_ = 1.0;
  Handlers handlers_;
};

}  // namespace vantrel
