// The device search: up to three device (part) names, one per slot, looked up
// in the part section of the board file (top side) and of "jet.CON" (bottom
// side). Each device found is framed in white on its side's picture, its name
// line is written in red at the frame's upper right-hand corner and into the
// slot's header line (slot 1 Label1, slot 2 Label2, slot 3 Label4).
//
// A slot takes part only when its name is not empty. A name matches a line of
// the part section by NameEquals (whole line, ASCII case folded, nothing
// trimmed); every line of the section is compared, box lines included, and
// only the first match counts. The line after the match is read as the box
// x1, x2, y1, y2. Frame and label show the name line as the file holds it.
//
// Marks, in design pixels, with D = MarkMargin and H = MarkRadius and the box
// mapped and rounded to left, right, upper, lower (on the bottom side y1 gives
// the upper edge): four white lines through (left - D, upper - D),
// (right + D, upper - D), (right + D, lower + D), (left - D, lower + D); the
// label in "Times New Roman" at D + 4 points, top-left corner at
// (right + D - H + 3, upper - H - D), without a background.
//
// MarkDevices runs in two forms. The search form, run twice by the dialog's
// OK (top side, then bottom side), returns to the home view, redraws the side
// with the dialog's layer passes, marks, and shows the side of each device it
// finds. The redraw form only marks, over the view as it stands, and changes
// neither the side shown nor any header line it does not write. Neither form
// empties the header lines: the OK empties them once, before both passes, so
// that the header names the devices found on either side.
//
// Errors of a scan (a missing file, a box that is not four numbers, a part
// section without its end marker) stop the pass where they arose; what it
// drew and wrote until then stays. The caller must have a board file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "board/board_scan.h"
#include "board/view_state.h"
#include "render/canvas.h"

namespace vantrel {

struct Session;

// The names typed in the dialog's three fields; slot[0] is slot 1.
struct DeviceNames {
  std::string slot[3];
};

enum class DeviceForm { Search, Redraw };

// A device as a part section holds it: the name line, as the file spells it,
// and the box line after it, in board units.
struct DeviceRecord {
  std::string name;
  BoardBox box;
};

// Scans the part section of `file` for lines that match `name` and hands each
// match, with the box read from the line after it, to `found`; the scan goes
// on after the box line while `found` returns true, and ends at "2 2 2 2".
void ScanDevices(const std::string& file, const std::string& name,
                 const std::function<bool(const DeviceRecord&)>& found);

// A device's box in pixels of one side: left = X(x1), right = X(x2), and on
// the top side upper = Y(y2), lower = Y(y1), on the bottom side the reverse.
// The values are not reordered when the box is reversed.
struct DevicePixels {
  std::int64_t left;
  std::int64_t right;
  std::int64_t upper;
  std::int64_t lower;
};
DevicePixels MapDevice(const SideMapping& mapping, const BoardBox& box);

// The white open frame of four lines, `margin` pixels outside the box.
void DrawDeviceFrame(Canvas& image, const DevicePixels& box, std::int64_t margin);
// The name in red "Times New Roman" at `points`, without a background, its
// top-left corner at (x, y).
void DrawDeviceLabel(Canvas& image, std::int64_t x, std::int64_t y, std::int64_t points,
                     std::string_view name);

void MarkDevices(Session& s, Side side, const DeviceNames& names, DeviceForm form);

// The overview of one device, drawn by the overview window on its own picture
// of the device's side (Image1 of TForm8 for the top, Image2 for the bottom):
// scale k = Scale + 100 and an origin that puts the centre of the device's box
// at (143, 107), to within rounding. The origin is
//   (Round(143 - X1 - (X2 - X1) / 2), Round(107 - U - (W - U) / 2))
// with X1 = k x1, X2 = k x2 and, on the top side, U = -k y2, W = -k y1, on the
// bottom side U = k y1, W = k y2.
inline constexpr int kOverviewCentreX = 143;
inline constexpr int kOverviewCentreY = 107;

struct OverviewOrigin {
  std::int32_t x;
  std::int32_t y;
};
OverviewOrigin OverviewOriginOf(const ViewState& view, Side side, const BoardBox& box);

// Runs the side's three layer passes over `file` in the overview variant at
// `origin`, then frames the device in white D + 4 pixels outside its box and
// writes its name line in red at D + 8 points, top-left corner at
// (right + D - H + 6, upper - H - D + 3).
void DrawDeviceOverview(const ViewState& view, Side side, const std::string& file, const DeviceRecord& device,
                        OverviewOrigin origin, Canvas& image);

// The names as the device dialog's fields hold them now; all empty when there
// is no dialog.
DeviceNames DeviceNamesOf(const Session& s);

// The hmDevice branch of Redraw: the side shown only, its three layer passes
// in the main variant, then MarkDevices in the redraw form over the dialog's
// current fields. Does nothing while no board has been chosen.
void RedrawDevice(Session& s);

}  // namespace vantrel
