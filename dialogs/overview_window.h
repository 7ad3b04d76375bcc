// TForm8, the device overview: a small borderless window that shows a
// magnified drawing of the board around device 1 of the device search, on the
// side that the search leaves shown (device_search.h draws it).
//
// The window's client area is 292 x 219 pixels of money green; it holds the
// session's two overview pictures of 287 x 215 pixels at (2, 2), Image1 for
// the top side and Image2 for the bottom side, and shows the one the last
// overview pass chose. A picture never drawn shows nothing, so the background
// is seen. The window starts hidden at (400, 331) on the screen. Zoom, pan and
// side changes of the main window leave it as it is.
#pragma once

#include <QKeyEvent>
#include <QWidget>

#include <cstdint>
#include <string>

#include "search/device_search.h"
#include "search/error_handler.h"

namespace vantrel {

class OverviewPicture;

class TForm8 : public QWidget {
  Q_OBJECT

 public:
  TForm8(Session& session, const ErrorHandler& handler, QWidget* parent = nullptr);

  // What the device search asks of the window while it draws the overview.
  OverviewWindowCalls SearchCalls();

  // The window's own keys: "v" or "V" hide it; "4", "6", "8", "2" move it 20
  // pixels left, right, up, down. Other characters do nothing.
  void FormKeyPress(char key);

  // What the main window's "v" and "V" do: show the window with its last
  // drawing, unchanged and where it is.
  void ShowUnchanged();

  // Lays the window out at the main window's factor, its pictures at the
  // factor times the screen's device pixel ratio; they are blank until drawn
  // again (RedrawOverviewPictures). Its places and steps on the screen follow
  // the factor too.
  void SetFactor(double factor);

  const ImageCanvas& TopImage() const { return session_.pictures.overview.pictures.top; }
  const ImageCanvas& BottomImage() const { return session_.pictures.overview.pictures.bottom; }
  // "top" or "bottom": the picture the last overview pass chose; "" before any.
  std::string Shows() const;
  std::int32_t OverviewOriginX() const { return session_.pictures.overview.state.origin.x; }
  std::int32_t OverviewOriginY() const { return session_.pictures.overview.state.origin.y; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Shows the picture the session's overview chose.
  void ShowChosenPicture();
  // A place or a step of the design on the screen at the factor.
  QPoint Scaled(QPoint designPoint) const;
  void ShowWindow();

  Session& session_;
  const ErrorHandler& handler_;
  double factor_ = 1.0;
  PerSide<OverviewPicture*> pictures_{};  // Image1 shows the top picture, Image2 the bottom one
};

}  // namespace vantrel
