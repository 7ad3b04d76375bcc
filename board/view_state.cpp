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

std::int32_t RoundToInt32Checked(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
        r <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
    throw BoardError(messages::kInvalidFloatOperation);
  }
  return static_cast<std::int32_t>(r);
}

std::int32_t CheckedInt32(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
    throw BoardError(messages::kInvalidFloatOperation);
  }
  return static_cast<std::int32_t>(v);
}

double Divide(double a, double b) {
  if (b == 0) throw BoardError(messages::kDivisionByZero);
  return a / b;
}

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

  const double sumX = view.ExtentMinX + view.ExtentMaxX;
  const double sumY = view.ExtentMinY + view.ExtentMaxY;
  const std::int32_t originX = RoundToInt32(392 - sumX * scale / 2);
  const std::int32_t topOriginY = RoundToInt32(sumY * scale / 2 + 280);
  const std::int32_t bottomOriginY = RoundToInt32(280 - sumY * scale / 2);
  const std::int32_t h = RoundToInt32(scale / 50.0);
  const std::int32_t margin = CheckedInt32(2 * static_cast<std::int64_t>(h));

  view.Scale = scale;
  view.TopOriginX = view.BottomOriginX = originX;
  view.TopOriginY = topOriginY;
  view.BottomOriginY = bottomOriginY;
  view.MarkMargin = margin;
  view.MarkRadius = h;
  view.ZoomStep = 0;
  view.HomeScale = view.Scale;
  view.HomeTopOriginX = view.TopOriginX;
  view.HomeTopOriginY = view.TopOriginY;
  view.HomeBottomOriginX = view.BottomOriginX;
  view.HomeBottomOriginY = view.BottomOriginY;
  view.HomeMarkMargin = view.MarkMargin;
  view.HomeMarkRadius = view.MarkRadius;
}

void CentreOnBoard(ViewState& view) {
  const double sumX = view.ExtentMinX + view.ExtentMaxX;
  const double sumY = view.ExtentMinY + view.ExtentMaxY;
  const std::int32_t originX = RoundToInt32(392 - sumX * view.Scale / 2);
  const std::int32_t topOriginY = RoundToInt32(sumY * view.Scale / 2 + 245);
  const std::int32_t bottomOriginY = RoundToInt32(245 - sumY * view.Scale / 2);
  view.TopOriginX = view.BottomOriginX = originX;
  view.TopOriginY = topOriginY;
  view.BottomOriginY = bottomOriginY;
}

void RestoreHomeView(ViewState& view) {
  view.ZoomStep = 0;
  view.Scale = view.HomeScale;
  view.TopOriginX = view.HomeTopOriginX;
  view.TopOriginY = view.HomeTopOriginY;
  view.BottomOriginX = view.HomeBottomOriginX;
  view.BottomOriginY = view.HomeBottomOriginY;
  view.MarkMargin = view.HomeMarkMargin;
  view.MarkRadius = view.HomeMarkRadius;
}

SideMapping SideMapping::Of(const ViewState& view, Side side) {
  return side == Side::Top ? SideMapping(side, view.Scale, view.TopOriginX, view.TopOriginY)
                           : SideMapping(side, view.Scale, view.BottomOriginX, view.BottomOriginY);
}

}  // namespace vantrel
