// The drawing surface on any QPainter: the same figures as the image canvas
// draws, as vector lines, shapes and real text, for a PDF or a printer.
//
// Coordinates are design pixels of a width x height picture; the painter's
// transformation, set by the caller, maps them onto its device, and the
// canvas clips to the picture while it lives (the painter's own state comes
// back when it goes). Each figure covers what the rules of canvas.h give it,
// as shapes rather than pixels:
//   - a line covers its start pixel up to, not including, its end pixel,
//     one pixel wide;
//   - a rectangle's outline is one pixel inside its box, the brush within
//     it; an empty box draws nothing, a box one pixel wide or high is one
//     column or row of the pen; an ellipse one or two pixels wide or high
//     is such a rectangle;
//   - text is in the canvas's font, its size in points at 96 pixels per inch,
//     its top-left corner at (x, y), on the brush while the brush is solid.
// Far-away figures are cut to the picture's surroundings first, so that the
// device sees only numbers near the picture.
#pragma once

#include <QFont>
#include <QPainter>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "render/canvas.h"

namespace vantrel {

class PainterCanvas : public Canvas {
 public:
  PainterCanvas(QPainter& painter, int width, int height);
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  int width() const override { return width_; }
  int height() const override { return height_; }

  void fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void textOut(std::int64_t x, std::int64_t y, std::string_view text) override;

 protected:
  void drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) override;

 private:
  // A coordinate brought within a few pictures of the picture: boxes cut
  // there cover the same part of the picture.
  double Near(std::int64_t v, int size) const;
  const QFont& Font();

  QPainter& painter_;
  int width_;
  int height_;
  std::optional<std::string> fontName_;
  int fontSizePt_ = 0;
  QFont font_;
};

}  // namespace vantrel
