#include "support/recording_canvas.h"

namespace vantrel::test {

void RecordingCanvas::Record(Figure::Kind kind, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                             std::int64_t y2, std::string text) {
  figures_.push_back({kind, x1, y1, x2, y2, std::move(text), state()});
}

void RecordingCanvas::fillRect(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  Record(Figure::FillRect, x1, y1, x2, y2);
}
void RecordingCanvas::rectangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  Record(Figure::Rectangle, x1, y1, x2, y2);
}
void RecordingCanvas::ellipse(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  Record(Figure::Ellipse, x1, y1, x2, y2);
}
void RecordingCanvas::textOut(std::int64_t x, std::int64_t y, std::string_view text) {
  Record(Figure::Text, x, y, 0, 0, std::string(text));
}
void RecordingCanvas::drawLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  Record(Figure::Line, x0, y0, x1, y1);
}

std::vector<Figure> RecordingCanvas::Of(Figure::Kind kind) const {
  std::vector<Figure> out;
  for (const Figure& f : figures_) {
    if (f.kind == kind) out.push_back(f);
  }
  return out;
}

}  // namespace vantrel::test
