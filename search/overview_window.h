// TForm8, the device overview: a small borderless window that shows a
// magnified drawing of the board around device 1 of the device search, on the
// side that the search leaves shown.
//
// The window's client area is 292 x 219 pixels of money green; it holds two
// pictures of 287 x 215 pixels at (2, 2), Image1 for the top side and Image2
// for the bottom side, and shows one of them: the one the last overview pass
// chose. A picture never drawn shows nothing, so the background is seen. The
// window starts hidden at (400, 331) on the screen.
//
// The drawing is at Scale + 100 pixels per board unit, with the overview
// layer passes (part margin D + 4, pin radius H + 2) and an origin of its own
// that puts the centre of the device's box at (143, 107); the device gets a
// white frame D + 4 pixels outside its box and its name line in red "Times New
// Roman" at D + 8 points, D = MarkMargin and H = MarkRadius as the view has
// them. Only the device search draws it: zoom, pan and side changes of the main
// window leave it as it is.
#pragma once

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

#include "board/view_state.h"
#include "render/image_canvas.h"

class QKeyEvent;

namespace vantrel {

struct Session;
struct DeviceRecord;
class OverviewPicture;

class TForm8 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kImageWidth = 287;
  static constexpr int kImageHeight = 215;

  explicit TForm8(Session& session, QWidget* parent = nullptr);

  // Draws and shows the overview of device `name` (the text of the device
  // dialog's Edit1) on one side, scanning that side's file:
  //   - an empty name: the top pass does nothing; the bottom pass only shows
  //     the window as it is;
  //   - otherwise the window moves to (514, 386) and shows the side's picture;
  //     every device of the name is drawn in turn, so that the last one stays
  //     in view. The top pass shows the window at each device it draws and not
  //     at all without one; the bottom pass shows it once, at the end, with or
  //     without a device.
  // Errors of a scan stop the pass where they arose; what it drew stays.
  void ShowDeviceOverview(Side side, const std::string& name);

  // The window's own keys: "v" or "V" hide it; "4", "6", "8", "2" move it 20
  // pixels left, right, up, down. Other characters do nothing.
  void FormKeyPress(char key);

  // What the main window's "v" and "V" do: show the window with its last
  // drawing, unchanged and where it is.
  void ShowUnchanged();

  const ImageCanvas& TopImage() const { return top_; }
  const ImageCanvas& BottomImage() const { return bottom_; }
  // "top" or "bottom": the picture the last overview pass chose; "" before any.
  std::string Shows() const;

  std::int32_t OverviewOriginX() const { return originX_; }
  std::int32_t OverviewOriginY() const { return originY_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void DrawDevice(Side side, const DeviceRecord& device);
  void MakeShown(Side side);
  void ShowWindow();

  Session& session_;
  ImageCanvas top_{kImageWidth, kImageHeight};
  ImageCanvas bottom_{kImageWidth, kImageHeight};
  OverviewPicture* Image1 = nullptr;  // shows top_
  OverviewPicture* Image2 = nullptr;  // shows bottom_
  std::optional<Side> shown_;
  std::int32_t originX_ = 0;
  std::int32_t originY_ = 0;
};

}  // namespace vantrel
