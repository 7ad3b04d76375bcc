// The point inquiry and the other mouse gestures on the side pictures.
//
// A left press looks for the first pin record (file order) whose marker holds
// the pointer: the pin centre (px, py) is mapped in reals, without rounding,
// and the pin is hit when px - H < X < px + H and py - H < Y < py + H, all
// strict (H = MarkRadius). A hit redraws that side, marks the pin with a white
// disc and its name in red, rings every other pin of its net (net lines equal
// ignoring ASCII case) in yellow, writes the header line and sets hmPoint.
// From then on Redraw repeats the marking on both sides (RedrawPoint).
//
// A double click zooms about the last pointer position: the board point under
// it comes to pixel (392, 245), only on the clicked side.
//
// Pointer coordinates are design pixels of the side picture. The functions
// raise BoardError and stop where the error arose; the caller runs them inside
// the error handler.
#pragma once

#include <cstdint>

#include "board/view_state.h"

namespace vantrel {

struct Session;

enum class MouseButton { Left, Right, Middle };

// Image1MouseDown / Image2MouseDown with the left button. Also empties the
// three fields of the open/short dialog on a hit. With no board chosen it
// does nothing.
void PointInquiry(Session& s, Side side, std::int32_t x, std::int32_t y);

// Image1DblClick / Image2DblClick: zooms about (PointerX, PointerY) by 90
// (top) or 50 (bottom) and adjusts ZoomStep and the marker sizes. Returns
// false, changing nothing, at Scale 2000 or more; the caller then redraws only
// when it returns true. At Scale 0 it raises "Floating point division by zero"
// after ZoomStep has been counted up.
bool ZoomAboutPointer(Session& s, Side side);

// The hmPoint branch of Redraw: on each side, top first, the three layer
// passes and then the remembered pin's disc and label and its net-mates'
// rings. The header is not touched. With no board chosen it does nothing.
void RedrawPoint(Session& s);

}  // namespace vantrel
