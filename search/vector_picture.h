// The picture the main window shows, the header strip with its three lines
// above the side shown, drawn in vectors on any QPainter: lines, shapes and
// real text, for a PDF file or a printer. The side is drawn by the program's
// own redraw, run once more with every figure of the side shown handed to a
// vector canvas as well (render/painter_canvas.h), so that the vector copy
// holds exactly the figures of the picture.
//
// Sizes are design pixels: the picture is kPictureWidth x kPictureHeight,
// the strip design::kHeaderHeight high above the side picture.
#pragma once

#include <QPainter>
#include <QRectF>

#include <string>

#include "render/canvas.h"
#include "search/session.h"

namespace vantrel {

inline constexpr int kPictureWidth = design::kSideWidth;
inline constexpr int kPictureHeight = design::kHeaderHeight + design::kSideHeight;

// Redraws the current mode as Redraw does (search/redraw.h), the two sides in
// turn on this thread, with every figure drawn on the side shown handed to
// `follower` too. The pictures come out as Redraw leaves them, and the
// runner's mode is put back, error or not.
void RedrawFollowed(Session& s, const SearchTexts& texts, Canvas& follower);

// The header strip at (0, 0): black, and the three header lines in red, each
// in a row 16 pixels high, cut at the strip's edge.
void PaintHeader(const Session& s, QPainter& painter);

// The whole picture, redrawn (RedrawFollowed), scaled to fit `target` (in the
// painter's coordinates) with its proportions kept, and centred in it.
void PaintPicture(Session& s, const SearchTexts& texts, QPainter& painter, const QRectF& target);

// The picture as a PDF file of one page, the picture's size at 96 design
// pixels per inch. Raises BoardError when the picture cannot be drawn or the
// file cannot be written; then no file is written.
void WritePdf(Session& s, const SearchTexts& texts, const std::string& file);

}  // namespace vantrel
