// The figures that mark what a pass or a search found, shared by all of them.
//
// Coordinates are pixels of the picture. A pin's marker is the ellipse in the
// box of its rounded centre +- the radius; its label is written in "Times New
// Roman" beside it, without a background, with its top-left corner at
//   (cx - H + D + shift, cy - H - D)
// where H is the marker radius, D the margin (MarkMargin) and shift 0 for a
// nail, 3 for a pin. A frame is four lines round a box widened by a margin.
#pragma once

#include <cstdint>
#include <string_view>

#include "board/view_state.h"
#include "render/canvas.h"

namespace vantrel {

// The marker ellipse, with the pen and brush the canvas holds.
void DrawPinMarker(Canvas& image, PixelPoint centre, std::int64_t radius);

// Text in "Times New Roman" at `points`, in `colour`, clear background; the
// brush is left clear.
void WriteMarkLabel(Canvas& image, std::int64_t x, std::int64_t y, std::int64_t points, Color colour,
                    std::string_view text);

// A pin's label at D + 4 points beside its marker.
void WritePinLabel(Canvas& image, PixelPoint centre, std::int64_t radius, std::int64_t margin, int shift,
                   Color colour, std::string_view text);

// Four lines with the pen the canvas holds: a move to (left - m, upper - m),
// then lines to the other three corners and back.
void TraceFrame(Canvas& image, const ScreenBox& box, std::int64_t margin);

}  // namespace vantrel
