// Reading the pictures the program draws: pixel colours, counts of a colour,
// and the checks for the figures that several searches draw (the white frame
// round a device, red labels in "Times New Roman").
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <string>
#include <vector>

#include "render/image_canvas.h"

namespace vantrel::test {

Color PixelAt(const QImage& image, std::int64_t x, std::int64_t y);
Color PixelAt(const ImageCanvas& canvas, std::int64_t x, std::int64_t y);

// How many pixels of the area (edges included) have the colour.
int CountColor(const ImageCanvas& canvas, QRect area, Color color);
// The same over the whole picture.
int CountColor(const ImageCanvas& canvas, Color color);
// Black everywhere, as a picture is before anything is drawn on it.
bool AllBlack(const ImageCanvas& canvas);

// Every pixel of the open frame through the four corners is white, or a
// label's red over white (full red in every blend); the pixels just inside and
// outside each edge are not white. Corners may lie outside the picture.
void ExpectFrame(const ImageCanvas& canvas, int left, int upper, int right, int lower);

// Text written at (x, y) in red "Times New Roman" of `points` points.
struct Label {
  int x;
  int y;
  int points;
  std::string text;
};

// Within `area` (a null rectangle: the whole picture) the pure red pixels are
// exactly those of the labels, each drawn on its own without a background.
// Pixels that a glyph covers only in part are blends, never pure red, so
// whatever else is drawn in the area must hold no pure red.
void ExpectLabels(const ImageCanvas& canvas, const std::vector<Label>& labels, QRect area = QRect());

}  // namespace vantrel::test
