// A canvas that draws nothing and records every figure, with the pen and brush
// it was drawn with, so that tests can check a pass's exact calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/canvas.h"

namespace vantrel::test {

struct Figure {
  enum Kind { FillRect, Line, Rectangle, Ellipse, Text };
  Kind kind;
  std::int64_t x1, y1, x2, y2;  // Text: (x1, y1) only
  std::string text;
  CanvasState state;  // at the time of the call
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width = 784, int height = 490) : width_(width), height_(height) {}

  int width() const override { return width_; }
  int height() const override { return height_; }
  void fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) override;
  void textOut(std::int64_t x, std::int64_t y, std::string_view text) override;

  const std::vector<Figure>& figures() const { return figures_; }
  std::vector<Figure> Of(Figure::Kind kind) const;
  void Reset() { figures_.clear(); }

 protected:
  void drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) override;

 private:
  void Record(Figure::Kind kind, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
              std::string text = {});
  int width_;
  int height_;
  std::vector<Figure> figures_;
};

}  // namespace vantrel::test
