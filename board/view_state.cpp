#include "board/view_state.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "board/board_error.h"
#include "board/board_scan.h"

namespace vantrel {

double RoundHalfEven(double v) {
  // The program never changes the rounding mode, so this is to nearest, even.
  return std::nearbyint(v);
}

namespace {

// Whether a whole number (or not a number) lies in the 32-bit range.
bool InInt32Range(double r) {
  return r >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
         r <= static_cast<double>(std::numeric_limits<std::int32_t>::max());
}

}  // namespace

bool RoundsToInt32(double v) { return InInt32Range(RoundHalfEven(v)); }

std::int32_t RoundToInt32Checked(double v) {
  const double r = RoundHalfEven(v);
  if (!InInt32Range(r)) throw BoardError(messages::kInvalidFloatOperation);
  return static_cast<std::int32_t>(r);
}

std::int32_t CheckedInt32(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
    throw BoardError(messages::kInvalidFloatOperation);
  }
  return static_cast<std::int32_t>(v);
}

void AddChecked(std::int32_t& field, std::int64_t by) { field = CheckedInt32(field + by); }

double Divide(double a, double b) {
  if (b == 0) throw BoardError(messages::kDivisionByZero);
  return a / b;
}

namespace {

struct Origins {
  std::int32_t x;  // both sides
  std::int32_t topY;
  std::int32_t bottomY;
};

// The pixel of the plain view that the turned picture shows at (x, y).
PixelPoint PlainPixel(const ViewState& view, std::int64_t x, std::int64_t y) {
  const RealPoint p = view.orientation.Undo({static_cast<double>(x), static_cast<double>(y)}, kSideCentre);
  return {static_cast<std::int64_t>(p.x), static_cast<std::int64_t>(p.y)};
}

// The origins that put the centre of the outline's extents at `target` of
// the picture shown, at `scale`.
Origins CentredOrigins(const ViewState& view, std::int32_t scale, PixelPoint target) {
  const PixelPoint t = PlainPixel(view, target.x, target.y);
  const double sumX = view.ExtentMinX + view.ExtentMaxX;
  const double sumY = view.ExtentMinY + view.ExtentMaxY;
  return {RoundToInt32(static_cast<double>(t.x) - sumX * scale / 2),
          RoundToInt32(sumY * scale / 2 + static_cast<double>(t.y)),
          RoundToInt32(static_cast<double>(t.y) - sumY * scale / 2)};
}

void SetOrigins(ViewState& view, const Origins& o) {
  view.TopOriginX = view.BottomOriginX = o.x;
  view.TopOriginY = o.topY;
  view.BottomOriginY = o.bottomY;
}

}  // namespace

void ComputeHomeView(ViewState& view, const std::string& boardFile) {
  BoardScan scan(boardFile);
  scan.SkipLine();  // the header line

  const BoardPoint first = scan.ReadPoint();
  view.ExtentMinX = view.ExtentMaxX = first.x;
  view.ExtentMinY = view.ExtentMaxY = first.y;
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 1 && p.y == 1) break;
    if (p.x == 1 || p.y == 1) continue;
    if (p.x < view.ExtentMinX) view.ExtentMinX = p.x;
    if (p.x > view.ExtentMaxX) view.ExtentMaxX = p.x;
    if (p.y < view.ExtentMinY) view.ExtentMinY = p.y;
    if (p.y > view.ExtentMaxY) view.ExtentMaxY = p.y;
  }

  const double width = view.ExtentMaxX - view.ExtentMinX;
  const double height = view.ExtentMaxY - view.ExtentMinY;
  // A wide board gets 500 pixels across its height, any other (square ones
  // included) 350 pixels across its width.
  const std::int32_t scale =
      height < width ? RoundToInt32(Divide(500, height)) : RoundToInt32(Divide(350, width));

  const Origins origins = CentredOrigins(view, scale, {design::kCentreX, design::kHomeCentreY});
  const std::int32_t h = RoundToInt32(scale / 50.0);
  const std::int32_t margin = CheckedInt32(2 * static_cast<std::int64_t>(h));

  view.Scale = scale;
  SetOrigins(view, origins);
  view.MarkMargin = margin;
  view.MarkRadius = h;
  view.ZoomStep = 0;
  view.home = static_cast<const Placement&>(view);
}

void CentreOnBoard(ViewState& view) { SetOrigins(view, CentredOrigins(view, view.Scale, kSideCentre)); }

void RestoreHomeView(ViewState& view) {
  view.ZoomStep = 0;
  static_cast<Placement&>(view) = view.home;
}

bool StepZoom(ViewState& v, Zoom zoom) {
  const bool in = zoom == Zoom::In;
  if (in ? v.Scale >= 1000 : v.Scale <= 80) return false;
  const int sign = in ? 1 : -1;
  AddChecked(v.ZoomStep, sign);
  v.Scale += 40 * sign;
  // Steps between the home view and one step in leave the markers as they are.
  if (in ? v.ZoomStep != 1 : v.ZoomStep > 0) {
    AddChecked(v.MarkMargin, std::int64_t{2} * sign);
    AddChecked(v.MarkRadius, sign);
  }
  return true;
}

bool ZoomKey(ViewState& view, Zoom zoom) {
  if (!StepZoom(view, zoom)) return false;
  CentreOnBoard(view);
  return true;
}

bool WheelZoom(ViewState& view, Zoom zoom, std::int32_t x, std::int32_t y) {
  ViewState next = view;
  if (!StepZoom(next, zoom)) return false;
  if (view.Scale == 0) {
    CentreOnBoard(next);
  } else {
    // The product is exact in a double, so only the division rounds.
    const double newScale = next.Scale, oldScale = view.Scale;
    const PixelPoint at = PlainPixel(view, x, y);
    const auto about = [&](std::int32_t& origin, std::int64_t pointer) {
      const double p = static_cast<double>(pointer);
      origin = RoundToInt32(p - (p - origin) * newScale / oldScale);
    };
    about(next.TopOriginX, at.x);
    about(next.BottomOriginX, at.x);
    about(next.TopOriginY, at.y);
    about(next.BottomOriginY, at.y);
  }
  view = next;
  return true;
}

std::int64_t PanStep(const ViewState& view) { return 80 * (static_cast<std::int64_t>(view.ZoomStep) + 1); }

void Pan(ViewState& v, std::int64_t dx, std::int64_t dy) {
  const RealPoint move = v.orientation.UndoMove({static_cast<double>(dx), static_cast<double>(dy)});
  const auto by = [](double d) { return static_cast<std::int64_t>(d); };
  AddChecked(v.TopOriginX, by(move.x));
  AddChecked(v.BottomOriginX, by(move.x));
  AddChecked(v.TopOriginY, by(move.y));
  AddChecked(v.BottomOriginY, by(move.y));
}

bool ZoomAboutPointer(ViewState& v, Side side, std::int32_t x, std::int32_t y) {
  if (v.Scale >= 2000) return false;
  const bool top = side == Side::Top;
  AddChecked(v.ZoomStep, 1);
  const std::int64_t newScale = v.Scale + (top ? 90 : 50);
  std::int32_t& originX = top ? v.TopOriginX : v.BottomOriginX;
  std::int32_t& originY = top ? v.TopOriginY : v.BottomOriginY;
  // |pointer - origin| < 2^32 and |Scale + s| < 2^31, so the products fit;
  // the division by the old Scale is done in reals.
  const PixelPoint at = PlainPixel(v, x, y);
  const std::int64_t productX = (at.x - originX) * newScale;
  const std::int64_t productY = (at.y - originY) * newScale;
  originX = RoundToInt32(design::kCentreX - Divide(static_cast<double>(productX), v.Scale));
  originY = RoundToInt32(design::kMiddleRow - Divide(static_cast<double>(productY), v.Scale));
  v.Scale = CheckedInt32(newScale);
  if (top) {
    AddChecked(v.MarkMargin, 4);
    AddChecked(v.MarkRadius, v.ZoomStep <= 3 ? 2 : 1);
  } else if (v.ZoomStep != 1) {
    AddChecked(v.MarkMargin, 2);
    AddChecked(v.MarkRadius, 1);
  }
  return true;
}

void CentreOnPin(ViewState& v, Side side, BoardPoint p) {
  const double scale = v.Scale;
  const PixelPoint target = PlainPixel(v, design::kCentreX, design::kPinTargetY);
  const double tx = static_cast<double>(target.x), ty = static_cast<double>(target.y);
  if (side == Side::Top) {
    v.TopOriginX = RoundToInt32(tx - scale * p.x);
    v.TopOriginY = RoundToInt32(ty + scale * p.y);
  } else {
    v.BottomOriginX = RoundToInt32(tx - scale * p.x);
    v.BottomOriginY = RoundToInt32(ty - scale * p.y);
  }
}

SideMapping SideMapping::Of(const ViewState& view, Side side) {
  return side == Side::Top
             ? SideMapping(side, view.Scale, view.TopOriginX, view.TopOriginY, view.orientation)
             : SideMapping(side, view.Scale, view.BottomOriginX, view.BottomOriginY, view.orientation);
}

RealPoint SideMapping::MapReal(BoardPoint p) const {
  const RealPoint plain{RealX(p.x), RealY(p.y)};
  return orientation_.Plain() ? plain : orientation_.Apply(plain, centre_);
}

ScreenBox SideMapping::MapBox(const BoardBox& box) const {
  const std::int64_t y1 = RoundToInt32(RealY(box.y1));
  const std::int64_t y2 = RoundToInt32(RealY(box.y2));
  const bool top = side_ == Side::Top;
  const ScreenBox plain{RoundToInt32(RealX(box.x1)), RoundToInt32(RealX(box.x2)), top ? y2 : y1,
                        top ? y1 : y2};
  return orientation_.Plain() ? plain : orientation_.Apply(plain, centre_);
}

Orientation Orientation::Turned(bool clockwise) const {
  // Turning the picture after its mirror image turns the plain view the other way.
  const int by = clockwise != mirrored ? 1 : 3;
  return {(quarterTurns + by) % 4, mirrored};
}

namespace {

// A quarter turn clockwise about c, on screen axes (y downwards): right of
// the centre goes below it.
template <class T>
void TurnQuarter(T& x, T& y, T cx, T cy) {
  const T turnedX = cx + cy - y;
  y = cy - cx + x;
  x = turnedX;
}

}  // namespace

PixelPoint Orientation::Apply(PixelPoint p, PixelPoint c) const {
  for (int turn = 0; turn < quarterTurns; ++turn) TurnQuarter(p.x, p.y, c.x, c.y);
  if (mirrored) p.x = 2 * c.x - p.x;
  return p;
}

RealPoint Orientation::Apply(RealPoint p, PixelPoint c) const {
  const double cx = static_cast<double>(c.x), cy = static_cast<double>(c.y);
  for (int turn = 0; turn < quarterTurns; ++turn) TurnQuarter(p.x, p.y, cx, cy);
  if (mirrored) p.x = 2 * cx - p.x;
  return p;
}

// Each edge goes where its side of the box goes, so a box whose left lies
// right of its right stays so, and margins still widen a box the right way round.
ScreenBox Orientation::Apply(const ScreenBox& box, PixelPoint c) const {
  ScreenBox b = box;
  for (int turn = 0; turn < quarterTurns; ++turn) {
    b = {c.x + c.y - b.lower, c.x + c.y - b.upper, c.y - c.x + b.left, c.y - c.x + b.right};
  }
  if (mirrored) b = {2 * c.x - b.right, 2 * c.x - b.left, b.upper, b.lower};
  return b;
}

RealPoint Orientation::Undo(RealPoint p, PixelPoint c) const {
  const double cx = static_cast<double>(c.x), cy = static_cast<double>(c.y);
  if (mirrored) p.x = 2 * cx - p.x;
  for (int turn = 0; turn < (4 - quarterTurns) % 4; ++turn) TurnQuarter(p.x, p.y, cx, cy);
  return p;
}

RealPoint Orientation::UndoMove(RealPoint move) const { return Undo(move, PixelPoint{0, 0}); }

}  // namespace vantrel
