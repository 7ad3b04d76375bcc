// The drawing surface on a QImage (RGB32), following the pixel rules listed
// in canvas.h. Lines and ellipses are rasterised here rather than by
// QPainter, whose results differ from those rules; the small circles that
// dominate every picture come from per-size span tables built once.
//
// Figures far beyond the picture cost only the pixels inside it. The pen is
// always one pixel wide: the program draws with no other width.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "render/canvas.h"

namespace vantrel {

class ImageCanvas : public Canvas {
 public:
  ImageCanvas(int width, int height);

  int width() const override { return image_.width(); }
  int height() const override { return image_.height(); }
  const QImage& image() const { return image_; }
  QImage& image() { return image_; }

  void fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void textOut(std::int64_t x, std::int64_t y, std::string_view text) override;

  // One row of an ellipse's shape: the outline runs and the filled runs
  // between them, in columns relative to the box.
  struct Run {
    int from;
    int to;  // inclusive
    bool outline;
  };
  using Shape = std::vector<std::vector<Run>>;  // by row of the box
  // The shape of the ellipse inscribed in a w x h box (w, h >= 3).
  static Shape EllipseShape(int w, int h);

 protected:
  void drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) override;

 private:
  void Span(std::int64_t y, std::int64_t from, std::int64_t to, QRgb colour);  // to inclusive, clipped
  void Plot(std::int64_t x, std::int64_t y, QRgb colour);
  void Frame(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
  const Shape& CachedShape(int w, int h);
  const QFont& FontFor(const CanvasState& state);

  QImage image_;
  std::map<std::pair<int, int>, Shape> shapes_;
  std::optional<std::pair<std::string, int>> fontKey_;
  QFont font_;
  std::unique_ptr<QFontMetrics> metrics_;
};

// 0x00BBGGRR to the picture's pixel value.
inline QRgb ToRgb(Color c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace vantrel
