// The view of the board and every piece of arithmetic that moves it: one
// scale for both sides, an origin per side, the marker sizes, the outline's
// extents and the home view saved at open; the zoom keys, the pan keys, the
// double click, the return home and the centring on a found pin.
//
// Board coordinates are reals in board units, y upwards. Pixels are design
// pixels of the 784 x 490 side pictures. The top side maps
//   (Round(Scale*x + TopOriginX), Round(TopOriginY - Scale*y))
// and the bottom side, shown turned over,
//   (Round(Scale*x + BottomOriginX), Round(Scale*y + BottomOriginY)).
// Round is to nearest with halves to even, in 64-bit floating point. A value
// that must become a 32-bit integer and cannot raises "Invalid floating point
// operation"; so does a step that would carry a 32-bit field out of range.
#pragma once

#include <cstdint>
#include <string>

#include "board/board_scan.h"
#include "board/side.h"

namespace vantrel {

// The fixed geometry of the pictures, in design pixels. Every view formula
// uses these whatever size the window is shown at.
namespace design {
inline constexpr int kSideWidth = 784;  // the top and bottom side pictures
inline constexpr int kSideHeight = 490;
inline constexpr int kHeaderHeight = 50;  // the header strip above them
// Every zoom brings the board, or the point zoomed about, to this column:
// the middle of the picture.
inline constexpr int kCentreX = kSideWidth / 2;
// The zoom keys and the double click centre on the middle row...
inline constexpr int kMiddleRow = kSideHeight / 2;
// ...but a board opens 35 rows lower, clear of the header lines.
inline constexpr int kHomeCentreY = kMiddleRow + 35;
// The component pin search puts its pin 7 rows below the middle row.
inline constexpr int kPinTargetY = kMiddleRow + 7;
}  // namespace design

// Where the board lies in the pictures: one scale for both sides, the pixel
// of board point (0, 0) on each side, and the marker sizes.
struct Placement {
  std::int32_t Scale = 0;
  std::int32_t TopOriginX = 0;
  std::int32_t TopOriginY = 0;
  std::int32_t BottomOriginX = 0;
  std::int32_t BottomOriginY = 0;
  std::int32_t MarkRadius = 0;  // H
  std::int32_t MarkMargin = 0;  // D

  bool operator==(const Placement&) const = default;
};

struct PixelPoint;
struct RealPoint;
struct ScreenBox;

// How the pictures are turned to match the board on the bench: a number of
// quarter turns clockwise, then a mirror image left to right, both about the
// picture's centre. Every figure is placed as the plain view places it and
// then turned, so a label stays upright beside its pin. Turns and mirrors of
// a point or a box keep whole pixels whole; a box keeps which way round it is.
struct Orientation {
  int quarterTurns = 0;  // 0 to 3
  bool mirrored = false;

  bool operator==(const Orientation&) const = default;
  bool Plain() const { return quarterTurns == 0 && !mirrored; }
  // The key "R" (a quarter turn clockwise on the screen, or back) and "M".
  Orientation Turned(bool clockwise) const;
  Orientation Mirrored() const { return {quarterTurns, !mirrored}; }
  int Degrees() const { return 90 * quarterTurns; }

  // From the plain view's pixels to the turned picture's, about `centre`, and back.
  PixelPoint Apply(PixelPoint p, PixelPoint centre) const;
  RealPoint Apply(RealPoint p, PixelPoint centre) const;
  ScreenBox Apply(const ScreenBox& box, PixelPoint centre) const;
  RealPoint Undo(RealPoint p, PixelPoint centre) const;
  // A move on the screen as the plain view's move (no centre: vectors).
  RealPoint UndoMove(RealPoint move) const;
};

// The view: the live placement, the zoom step counted from the home view,
// the outline's extents and the placement the board had when it was opened
// (the home view), which side the pictures show and how they are turned.
struct ViewState : Placement {
  std::int32_t ZoomStep = 0;
  double ExtentMinX = 0;
  double ExtentMaxX = 0;
  double ExtentMinY = 0;
  double ExtentMaxY = 0;
  Placement home;
  // The top picture (Image1) is hidden until a board opens, so the bottom
  // side counts as shown until then.
  Side shown = Side::Bottom;
  Orientation orientation;
  bool names = false;  // part and pin names drawn on the board

  bool operator==(const ViewState&) const = default;
};

// Nearest integer, halves to even, as a double (no range check).
double RoundHalfEven(double v);
// Round to a 32-bit integer; "Invalid floating point operation" when the value
// is not finite or lies outside the 32-bit range.
std::int32_t RoundToInt32Checked(double v);
// Whether RoundToInt32Checked(v) gives a value rather than the error.
bool RoundsToInt32(double v);
inline std::int32_t RoundToInt32(double v) {
  // Every pixel coordinate of every figure comes through here. Well inside the
  // range, adding and taking away 1.5 * 2^52 rounds as RoundHalfEven does: the
  // sum has no fraction bits, so the addition itself rounds, halves to even.
  if (v > -2147483647.0 && v < 2147483647.0) {
    constexpr double kShift = 6755399441055744.0;
    return static_cast<std::int32_t>((v + kShift) - kShift);
  }
  return RoundToInt32Checked(v);
}
// A 64-bit integer result narrowed to 32 bits, with the same error.
std::int32_t CheckedInt32(std::int64_t v);
// field += by, with the same error when the sum leaves the 32-bit range.
void AddChecked(std::int32_t& field, std::int64_t by);
// a / b in floating point; "Floating point division by zero" when b is 0.
double Divide(double a, double b);

// Scans the outline of the board file and sets every field, home copies
// included. On an error the fields set before it keep their new values.
void ComputeHomeView(ViewState& view, const std::string& boardFile);
// Recomputes the four origins from the extents and the current Scale, so that
// the outline's centre lands on (kCentreX, kMiddleRow); panning is lost.
void CentreOnBoard(ViewState& view);
void RestoreHomeView(ViewState& view);

// One step of the zoom keys, without moving the origins. In ("+") adds 40 to
// Scale and 1 to ZoomStep, and the markers grow (MarkMargin + 2, MarkRadius + 1)
// except on the step that brings ZoomStep to 1; at Scale 1000 or more it does
// nothing. Out ("-") takes 40 and 1 away, and the markers shrink while ZoomStep
// stays above 0; at Scale 80 or less it does nothing. Returns whether it
// changed the view.
enum class Zoom { In, Out };
bool StepZoom(ViewState& view, Zoom zoom);
// The keys "+" and "-": a step, then CentreOnBoard.
bool ZoomKey(ViewState& view, Zoom zoom);

// The pan keys move both sides by 80 x (ZoomStep + 1) pixels: nothing at
// ZoomStep -1, the other way below it.
std::int64_t PanStep(const ViewState& view);
// Moves the board of both sides by (dx, dy) pixels of the pictures as shown.
void Pan(ViewState& view, std::int64_t dx, std::int64_t dy);

// The double click on a side at pointer (x, y) of the picture as shown: the board point under the
// pointer comes to (kCentreX, kMiddleRow) at Scale + 90 (top) or + 50
// (bottom); only that side's origin moves. ZoomStep + 1; on the top the
// markers grow by 4 and 2 (1 from the fourth step on), on the bottom by 2 and
// 1 except on the step to ZoomStep 1. Returns false, changing nothing, at
// Scale 2000 or more. At Scale 0 it raises "Floating point division by zero"
// after ZoomStep has been counted up.
bool ZoomAboutPointer(ViewState& view, Side side, std::int32_t x, std::int32_t y);

// One notch of the mouse wheel at pointer (x, y) of the picture shown: the step
// of the zoom keys (same limits, same marker sizes), but instead of centring
// the board each origin of both sides becomes
//   Round(P - (P - origin) x new Scale / old Scale)
// for P = x or y, so that the board point under the pointer stays under it.
// At an old Scale of 0 no point is under the pointer: the board is centred as
// the keys do. Returns whether the view changed; on an error the view stays
// as it was.
bool WheelZoom(ViewState& view, Zoom zoom, std::int32_t x, std::int32_t y);

// Sets the side's origin so that board point p falls on (kCentreX,
// kPinTargetY) of the picture as shown.
void CentreOnPin(ViewState& view, Side side, BoardPoint p);

struct PixelPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// A board point mapped to pixels but not rounded.
struct RealPoint {
  double x = 0;
  double y = 0;
};

// A part box in pixels of one side: left = X(x1), right = X(x2), and on the top
// side upper = Y(y2), lower = Y(y1), on the bottom side the reverse, since the
// board's upper edge is on top of the screen on the top side only. The values
// are not reordered when the box is reversed.
struct ScreenBox {
  std::int64_t left = 0;
  std::int64_t right = 0;
  std::int64_t upper = 0;
  std::int64_t lower = 0;
  bool operator==(const ScreenBox&) const = default;
};

// The centre the side pictures turn about, and the overview pictures'.
inline constexpr PixelPoint kSideCentre{design::kCentreX, design::kMiddleRow};

// Maps board points of one side to pixels with a given scale and origin, and
// turns them as the orientation says about `centre`; the main window uses the
// view's, the overview window its own.
class SideMapping {
 public:
  SideMapping(Side side, double scale, std::int32_t originX, std::int32_t originY,
              Orientation orientation = {}, PixelPoint centre = kSideCentre)
      : side_(side),
        scale_(scale),
        originX_(originX),
        originY_(originY),
        orientation_(orientation),
        centre_(centre) {}
  static SideMapping Of(const ViewState& view, Side side);

  // Whether Map(x, y) gives pixels rather than "Invalid floating point operation".
  bool MapsInRange(double x, double y) const { return RoundsToInt32(RealX(x)) && RoundsToInt32(RealY(y)); }
  PixelPoint Map(double x, double y) const {
    const PixelPoint p{RoundToInt32(RealX(x)), RoundToInt32(RealY(y))};
    return orientation_.Plain() ? p : orientation_.Apply(p, centre_);
  }
  PixelPoint Map(BoardPoint p) const { return Map(p.x, p.y); }
  RealPoint MapReal(BoardPoint p) const;
  ScreenBox MapBox(const BoardBox& box) const;
  Side side() const { return side_; }
  double scale() const { return scale_; }
  std::int32_t originX() const { return originX_; }
  std::int32_t originY() const { return originY_; }

 private:
  double RealX(double x) const { return scale_ * x + originX_; }
  double RealY(double y) const { return side_ == Side::Top ? originY_ - scale_ * y : scale_ * y + originY_; }

  Side side_;
  double scale_;
  std::int32_t originX_;
  std::int32_t originY_;
  Orientation orientation_;
  PixelPoint centre_;
};

}  // namespace vantrel
