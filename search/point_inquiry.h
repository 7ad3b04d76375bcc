// The point inquiry: what lies under the pointer on the side shown.
//
// A left press looks for the first pin record (file order) whose marker holds
// the pointer: the pin centre (px, py) is mapped in reals, without rounding,
// and the pin is hit when px - H < X < px + H and py - H < Y < py + H, all
// strict (H = MarkRadius). A hit redraws that side, marks the pin with a white
// disc and its name in red, rings every other pin of its net (net lines equal
// ignoring ASCII case) in yellow, writes the first header line and sets
// hmPoint. From then on Redraw repeats the marking on both sides (RedrawPoint).
//
// Pointer coordinates are design pixels of the side picture. The functions
// raise BoardError and stop where the error arose; the caller runs them inside
// the error handler. The double click's zoom is ZoomAboutPointer (view_state.h).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "board/board_records.h"
#include "board/view_state.h"

namespace vantrel {

struct Session;

// Image1MouseDown / Image2MouseDown with the left button. On a hit it calls
// `emptyNailFields` at the point where the open/short dialog's three fields
// are emptied: after the side's layer passes, before the disc. With no board
// chosen it does nothing.
void PointInquiry(Session& s, Side side, std::int32_t x, std::int32_t y,
                  const std::function<void()>& emptyNailFields);

// The pin a resting pointer is over, found as a press would find it: one scan
// of the side's file, nothing drawn and nothing changed. Nothing without a
// board or a hit; raises BoardError as the scan does.
std::optional<PinRecord> PinUnderPointer(const Session& s, Side side, std::int32_t x, std::int32_t y);

// What the pointer's tooltip says of a pin, a line each: its name, its net,
// its fourth line when it has one, and the part it belongs to when its name
// names one (bytes of the board file, like the header lines).
std::string PinDescription(const PinRecord& pin);

// The hmPoint branch of Redraw: on each side, top first, the three layer
// passes and then the remembered pin's disc and label and its net-mates'
// rings. The header is not touched. With no board chosen it does nothing.
void RedrawPoint(Session& s);

}  // namespace vantrel
