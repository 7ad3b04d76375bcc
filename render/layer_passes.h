// The six layer passes that draw a board: for each side an outline pass, a
// part-box pass and a pin pass.
//
// Each pass is one scan of its side's file (the board file for the top side,
// "jet.CON" for the bottom side) and draws on that side's picture. On one side
// they must run in the order outline, part boxes, pins: the outline pass clears
// the picture and leaves the solid black brush that fills boxes and pins.
//
// The pictures they draw differ in a few points, which PassView states: the
// main window's part boxes are framed after a key or a click and filled after
// a search dialog's OK; the device overview window draws at scale + 100 with
// its own origin, margin + 4 and radius + 2, filled boxes and no header strip.
// Errors from the scan stop the pass where it is; what it drew stays.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "board/view_state.h"
#include "render/canvas.h"

namespace vantrel {

// How the part boxes are drawn: four lines with the pen, or one rectangle
// filled with the brush the outline pass left, which hides the outline
// segments under it.
enum class BoxStyle { Framed, Filled };

// Everything a pass needs to know about where and how it draws, in design pixels.
struct PassView {
  SideMapping mapping;
  std::int32_t margin;  // added around each part box
  std::int32_t radius;  // pin circle radius
  BoxStyle boxes;
  // The overview window's geometry: its outline pass clears an area of a
  // side picture's size, which covers its smaller picture, and no header strip.
  bool overview = false;
};

// A side of the main window: the view's scale, origins and marker sizes.
PassView SidePassView(const ViewState& view, Side side, BoxStyle boxes);
// The overview window: scale + 100, the overview's own origin for both
// sides, margin + 4, radius + 2, filled boxes.
PassView OverviewPassView(const ViewState& view, Side side, std::int32_t originX, std::int32_t originY);

// Clears `image` (and `header`, when given, but for the overview) to black and
// draws the outline in red.
void OutlinePass(const std::string& file, const PassView& pass, Canvas& image, Canvas* header);
// What the passes hand to the names on the board (board_names.h).
class PassNames {
 public:
  virtual ~PassNames() = default;
  // A part's box as the picture shows it, and its name.
  virtual void KeepPart(const ScreenBox& box, std::string_view name) = 0;
  // A pin centre drawn: the how-manieth of the centres it is (counting the
  // ones passed over), where it is on the board and where it was drawn.
  virtual void SeePin(std::size_t index, BoardPoint at, PixelPoint drawn) = 0;
};

// Draws one olive box per part, widened by the margin; with `names`, also
// hands each part's box and name to them.
void PartBoxPass(const std::string& file, const PassView& pass, Canvas& image, PassNames* names = nullptr);
// Draws one circle per pin centre in the active-caption colour.
void PinPass(const std::string& file, const PassView& pass, Canvas& image);
// The same on a scan of the file, which it leaves after the pin centres, at
// the pin records; with `names`, also hands each centre drawn to them.
void PinPass(BoardScan& scan, const PassView& pass, Canvas& image, PassNames* names = nullptr);
// Reads the pin centres of a new scan as the pin pass does, drawing nothing:
// the scan is then at the pin records.
void SkipPinCentres(BoardScan& scan);

// The least and greatest board coordinates among the points a set of passes
// maps; empty until a point is added.
struct BoardExtent {
  double minX = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  void Add(BoardPoint p) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
};

// What the three passes over `file` map: the outline points, both corners of
// every part box and the pin centres. Reads the file as the passes do, with
// their errors.
BoardExtent MappedExtent(const std::string& file);

}  // namespace vantrel
