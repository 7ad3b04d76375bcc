// The device search: up to three device (part) names, one per slot, looked up
// in the part section of the board file (top side) and of "jet.CON" (bottom
// side). Each device found is framed in white on its side's picture, its name
// line is written in red at the frame's upper right-hand corner and into the
// slot's header line; then the overview window shows device 1 magnified.
//
// A slot takes part only when its name is not empty. A name matches a line of
// the part section by NameEquals (whole line, ASCII case folded, nothing
// trimmed); every line of the section is compared, box lines included, and
// only the first match counts. The line after the match is read as the box
// x1, x2, y1, y2. Frame and label show the name line as the file holds it.
//
// Marks, in design pixels, with D = MarkMargin and H = MarkRadius and the box
// mapped to left, right, upper, lower (view_state.h): a white frame D pixels
// outside the box (render/marks.h), and the label in "Times New Roman" at
// D + 4 points, top-left corner at (right + D - H + 3, upper - H - D).
//
// MarkDevices runs in two forms. The search form, run twice by the dialog's
// OK (top side, then bottom side), returns to the home view, redraws the side
// with the dialog's layer passes, marks, and shows the side of each device it
// finds. The redraw form only marks, over the view as it stands, and changes
// neither the side shown nor any header line it does not write. Neither form
// empties the header lines: the OK empties them once, before both passes, so
// that the header names the devices found on either side.
//
// The overview (ShowDeviceOverview) draws at scale k = Scale + 100 with the
// overview layer passes and an origin that puts the centre of the device's
// box at (143, 107), to within rounding:
//   (Round(143 - X1 - (X2 - X1) / 2), Round(107 - U - (W - U) / 2))
// with X1 = k x1, X2 = k x2 and, on the top side, U = -k y2, W = -k y1, on the
// bottom side U = k y1, W = k y2. The frame is D + 4 pixels outside the box,
// the label D + 8 points at (right + D - H + 6, upper - H - D + 3).
//
// Errors of a scan (a missing file, a box that is not four numbers, a part
// section without its end marker) stop the pass where they arose; what it
// drew and wrote until then stays.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "board/board_records.h"
#include "search/session.h"

namespace vantrel {

// MarkDevices: the device pass of one side. The dialog's OK (search form)
// also records in `findings` which slots it found on the side.
void MarkDevices(Session& s, Side side, const SlotNames& names, Trigger trigger, Findings* findings);

inline constexpr int kOverviewCentreX = 143;
inline constexpr int kOverviewCentreY = 107;

using OverviewOrigin = OverviewPictures::Origin;
OverviewOrigin OverviewOriginOf(const ViewState& view, Side side, const BoardBox& box);

// The side's three layer passes over `file` in the overview's geometry at
// `origin`, then the device's frame and label.
void DrawDeviceOverview(const ViewState& view, Side side, const std::string& file, const PartRecord& device,
                        OverviewOrigin origin, Canvas& image);

// What the overview window does while its pictures are drawn.
struct OverviewWindowCalls {
  // Moves the window to (514, 386) on the screen and shows the picture that
  // the session's overview has just chosen.
  std::function<void()> placeForSearch;
  std::function<void()> show;  // show it and give it the keyboard
};

// ShowDeviceOverview: the overview of device `name` (device 1's text) on one
// side:
//   - an empty name: the top pass does nothing; the bottom pass only shows the
//     window as it is;
//   - otherwise the window moves to its search position and shows the side's
//     picture; every device of the name is drawn in turn, so that the last one
//     stays in view. The top pass shows the window at each device it draws and
//     not at all without one; the bottom pass shows it once, at the end, with
//     or without a device.
void ShowDeviceOverview(Session& s, Side side, const std::string& name, const OverviewWindowCalls& window);

// Draws the overview pictures again from what they were last drawn from, at
// the pictures' present scale (after the window changed its size). The window
// is neither moved nor shown.
void RedrawOverviewPictures(Session& s);

// The dialog's OK: empties the header, MarkDevices in its search form for the
// top side and then the bottom side, the overview of device 1 for the side
// now shown, then hmDevice. With no board chosen it does nothing and returns
// false.
bool DeviceSearch(Session& s, const SlotNames& names, const OverviewWindowCalls& window);

// The hmDevice branch of Redraw: the side shown only, its three layer passes
// with framed boxes, then MarkDevices in the redraw form over the names the
// dialog's fields hold now. Does nothing while no board has been chosen.
void RedrawDevice(Session& s, const SlotNames& names);

}  // namespace vantrel
