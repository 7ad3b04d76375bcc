// The view of the board: one scale for both sides, an origin per side, the
// marker sizes, the outline's extents and the home view saved at open.
//
// Board coordinates are reals in board units, y upwards. Pixels are design
// pixels of the 784 x 490 side pictures. The top side maps
//   (Round(Scale*x + TopOriginX), Round(TopOriginY - Scale*y))
// and the bottom side, shown turned over,
//   (Round(Scale*x + BottomOriginX), Round(Scale*y + BottomOriginY)).
// Round is to nearest with halves to even, in 64-bit floating point. A value
// that must become a 32-bit integer and cannot raises "Invalid floating point
// operation".
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

struct ViewState {
  std::int32_t Scale = 0;
  std::int32_t TopOriginX = 0;
  std::int32_t TopOriginY = 0;
  std::int32_t BottomOriginX = 0;
  std::int32_t BottomOriginY = 0;
  std::int32_t MarkRadius = 0;  // H
  std::int32_t MarkMargin = 0;  // D
  std::int32_t ZoomStep = 0;
  double ExtentMinX = 0;
  double ExtentMaxX = 0;
  double ExtentMinY = 0;
  double ExtentMaxY = 0;
  std::int32_t HomeScale = 0;
  std::int32_t HomeTopOriginX = 0;
  std::int32_t HomeTopOriginY = 0;
  std::int32_t HomeBottomOriginX = 0;
  std::int32_t HomeBottomOriginY = 0;
  std::int32_t HomeMarkMargin = 0;
  std::int32_t HomeMarkRadius = 0;

  bool operator==(const ViewState&) const = default;
};

// Nearest integer, halves to even, as a double (no range check).
double RoundHalfEven(double v);
// Round to a 32-bit integer; "Invalid floating point operation" when the value
// is not finite or lies outside the 32-bit range.
std::int32_t RoundToInt32Checked(double v);
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
// a / b in floating point; "Floating point division by zero" when b is 0.
double Divide(double a, double b);

// Scans the outline of the board file and sets every field, home copies
// included. On an error the fields set before it keep their new values.
void ComputeHomeView(ViewState& view, const std::string& boardFile);
// Recomputes the four origins from the extents and the current Scale.
void CentreOnBoard(ViewState& view);
void RestoreHomeView(ViewState& view);

enum class Side { Top, Bottom };

struct PixelPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Maps board points of one side to pixels with a given scale and origin; the
// main window uses the view's, the overview window its own.
class SideMapping {
 public:
  SideMapping(Side side, double scale, std::int32_t originX, std::int32_t originY)
      : side_(side), scale_(scale), originX_(originX), originY_(originY) {}
  static SideMapping Of(const ViewState& view, Side side);

  std::int32_t MapX(double x) const { return RoundToInt32(scale_ * x + originX_); }
  std::int32_t MapY(double y) const {
    return side_ == Side::Top ? RoundToInt32(originY_ - scale_ * y) : RoundToInt32(scale_ * y + originY_);
  }
  PixelPoint Map(double x, double y) const { return {MapX(x), MapY(y)}; }
  Side side() const { return side_; }
  double scale() const { return scale_; }
  std::int32_t originX() const { return originX_; }
  std::int32_t originY() const { return originY_; }

 private:
  Side side_;
  double scale_;
  std::int32_t originX_;
  std::int32_t originY_;
};

}  // namespace vantrel
