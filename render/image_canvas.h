// The drawing surface on a QImage (Format_RGB32), following the pixel rules
// listed in canvas.h. Lines, boxes and ellipses are written straight into the
// image's scan lines, because QPainter places their pixels differently; only
// text goes through QPainter.
//
// Units are pixels of the picture. Coordinates may take any 64-bit value, and
// a figure far larger than the picture costs about as much as the part of it
// in view: lines visit only the steps inside the picture, ellipses only the
// rows inside it.
//
// Rules a caller can rely on:
//   - the pen is always one pixel wide, whatever setPenWidth says: the program
//     draws with no other width;
//   - a clear brush fills nothing, in fillRect, rectangle, ellipse and behind
//     text alike;
//   - the shape of each ellipse size is traced once and kept, because pin
//     circles of a few sizes make up most of every picture; ellipses wider or
//     higher than kMaxExactEllipse pixels are drawn from the ellipse's equation
//     instead, row by row in view, within about a pixel of the traced outline;
//   - font names are UTF-8; sizes are points at 96 pixels per inch, at most
//     kMaxFontPixels pixels high; text bytes are Latin-1;
//   - a follower, while one is set, receives every figure as it is drawn,
//     with the state it is drawn with; without one a figure costs a test.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "render/canvas.h"
#include "render/ellipse_rows.h"
#include "render/label_glyphs.h"

namespace vantrel {

class ImageCanvas : public Canvas {
 public:
  static constexpr std::int64_t kMaxExactEllipse = 65536;
  static constexpr int kMaxFontPixels = 4096;

  // A width x height picture, black until something is drawn.
  ImageCanvas(int width, int height);
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

  // The picture's size in design pixels, whatever its scale.
  int width() const override { return designWidth_; }
  int height() const override { return designHeight_; }

  // Draws from now on at `scale` device pixels per design pixel: the figures
  // keep their design coordinates and are rasterised at the device
  // resolution, and image() is that many times larger. At scale 1 every
  // pixel follows the rules above exactly. Clears the picture to black.
  void SetScale(double scale);
  double scale() const { return scale_; }
  // The picture. Reading it, painting it or copying it is safe at any time;
  // the writable form ends the text painter first, since the image may be
  // replaced.
  const QImage& image() const { return image_; }
  QImage& image() {
    endText();
    return image_;
  }

  // Drawing on trial: from BeginTrial to EndTrial the figures go to the
  // picture as always, and EndTrial(false) puts the picture and the canvas
  // state back as they were. Meanwhile the picture is held as runs of one
  // colour, which take a fraction of its pixels' memory on a board picture,
  // mostly black, and never more; they are let go at the end.
  void BeginTrial();
  void EndTrial(bool keep);
  // Ends the painter that text is drawn with, so that another thread may draw
  // on the canvas next; the next text opens a new one.
  void EndText() { endText(); }

  void fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void textOut(std::int64_t x, std::int64_t y, std::string_view text) override;

  // How many texts all canvases of the process have drawn; the benchmarks
  // weigh a redraw against the texts it draws.
  static std::uint64_t TextsDrawn() { return textsDrawn_; }

  // Labels of printable ASCII are drawn from cached glyphs (label_glyphs.h),
  // pixel for pixel as QPainter draws them; turning that off draws every
  // label of this canvas through QPainter, which the tests compare against.
  // On unless turned off.
  void SetLabelGlyphs(bool use) { labelGlyphsOn_ = use; }

  // Hands every figure drawn from now on to `follower` as well, before it is
  // drawn here, until it is set to nothing: the vector copy of a picture
  // (painter_canvas.h). The follower is called on the thread that draws; the
  // caller keeps it alive and sets it only while one thread draws here.
  void SetFollower(Canvas* follower) { follower_ = follower; }

 protected:
  void drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) override;

 private:
  bool scaled() const { return scale_ != 1.0; }
  // The follower, with this canvas's state.
  Canvas& Followed();
  void drawRectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  // The device column or row where design pixel v begins.
  std::int64_t Device(std::int64_t v) const;
  // The pen's width in device pixels: about the scale.
  int PenThickness() const;
  // A line of device pixels, end pixel excluded.
  void rasterLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, QRgb colour);
  void drawScaledLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
  void paintBox(std::int64_t left, std::int64_t leftIn, std::int64_t rightIn, std::int64_t right,
                std::int64_t top, std::int64_t topIn, std::int64_t bottomIn, std::int64_t bottom);
  void drawExactEllipse(std::int64_t x1, std::int64_t y1, int w, int h);
  void drawLargeEllipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  void drawScaledEllipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  // Fills x1..x2-1, y1..y2-1 with one colour, clipped; nothing when x2 <= x1 or y2 <= y1.
  void fillBox(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, QRgb colour);
  // The same on pixels already taken with pixels().
  void fillBox(uchar* bits, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
               QRgb colour) const;
  // The image's pixels, writable; converts an image handed in through image()
  // in another format back to RGB32 first.
  uchar* pixels();
  void selectFont(const CanvasState& state);
  // The glyphs for `text` in the current font, or nullptr when QPainter must
  // draw it.
  LabelGlyphs* labelGlyphs(std::string_view text);
  // The painter that draws text, opened at the first label and kept open for
  // the next ones, since opening one costs more than drawing a short label.
  QPainter& textPainter();
  void endText();

  int designWidth_;
  int designHeight_;
  double scale_ = 1.0;
  QImage image_;
  // While on trial, the picture as it was: one entry per run of up to 255
  // pixels of one colour, the length in the top byte, where the picture's
  // pixels hold their alpha, always 255. A deque grows in small blocks,
  // never copying what it holds nor holding much more than it needs.
  std::deque<std::uint32_t> trialRuns_;
  CanvasState stateBeforeTrial_;

  // The rows of the ellipse sizes drawn lately (ellipse_rows.h).
  raster::EllipseRowCache ellipses_;

  std::optional<std::string> fontName_;
  int fontSizePt_ = 0;
  QFont font_;
  std::optional<QFontMetrics> metrics_;

  // The glyphs of the current font in the thread that last drew a label.
  std::shared_ptr<LabelGlyphs> glyphs_;
  std::thread::id glyphsThread_;

  bool labelGlyphsOn_ = true;
  Canvas* follower_ = nullptr;
  static inline std::atomic<std::uint64_t> textsDrawn_ = 0;

  // Declared last: it must end before the image goes.
  std::optional<QPainter> painter_;
  bool painterFontSet_ = false;
  bool painterColourSet_ = false;
  QRgb painterColour_ = 0;
};

}  // namespace vantrel
