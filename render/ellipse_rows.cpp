#include "render/ellipse_rows.h"

#include <algorithm>

namespace vantrel::raster {

namespace {

// Together the cached ellipse shapes hold at most this many rows (8 bytes each).
constexpr std::size_t kMaxCachedRows = std::size_t{1} << 20;

}  // namespace

// One quarter of the outline by the midpoint method in A. Zingl's form, with
// a = w - 1 and b = h - 1, from the right end of the middle row towards the
// middle column, then mirrored both ways. Consecutive points of the quarter
// touch, and so do the ends of the mirrored quarters, so the lines that join
// the points add no pixels of their own: each row's outline is the run of
// points on it. Rows between the outline pixels belong to the brush.
EllipseShape TraceEllipse(int w, int h) {
  EllipseShape rows(static_cast<std::size_t>(h), EllipseRow{w, -1});
  const std::int64_t a = w - 1;
  const std::int64_t b = h - 1;
  const std::int64_t a8 = 8 * a * a;
  const std::int64_t b8 = 8 * b * b;
  std::int64_t dx = 4 * b * b * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + b % 2);
  std::int64_t err = dx + dy + a * a * (b % 2);
  std::int64_t x = a;
  std::int64_t y = h / 2;
  // Every pass steps x or y or both; the bound only guards against a loop
  // that would not end.
  for (std::int64_t guard = std::int64_t{w} + h + 2; x >= w / 2 && guard > 0; --guard) {
    if (y < h) {
      const auto column = static_cast<std::int32_t>(w - 1 - x);
      for (const std::int64_t row : {y, h - 1 - y}) {
        EllipseRow& e = rows[static_cast<std::size_t>(row)];
        e.left = std::min(e.left, column);
        e.right = std::max(e.right, column);
      }
    }
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      --x;
      dx += b8;
      err += dx;
    }
    if (e2 <= dy) {
      ++y;
      dy += a8;
      err += dy;
    }
  }
  return rows;
}

const std::shared_ptr<const EllipseShape>& EllipseRowCache::findShape(std::uint64_t key, int w, int h) {
  auto it = shapes_.find(key);
  if (it == shapes_.end()) {
    if (cachedRows_ + static_cast<std::size_t>(h) > kMaxCachedRows) {
      shapes_.clear();
      cachedRows_ = 0;
    }
    it = shapes_.emplace(key, std::make_shared<const EllipseShape>(TraceEllipse(w, h))).first;
    cachedRows_ += static_cast<std::size_t>(h);
  }
  lastShapeKey_ = key;
  lastShape_ = it->second;
  return lastShape_;
}

// The outer edge is the ellipse of the box, the inner one the ellipse of the
// box drawn in by `inset` on every side; rows the inner one leaves no room in
// are all pen.
Ring& EllipseRowCache::makeRing(std::int64_t w, std::int64_t h, int inset) {
  Ring& ring = rings_[nextRing_];
  nextRing_ = (nextRing_ + 1) % rings_.size();
  // Held: taking the inner shape may start the cache afresh.
  const std::shared_ptr<const EllipseShape> outerShape = Shape(static_cast<int>(w), static_cast<int>(h));
  const EllipseShape& outer = *outerShape;
  const std::int64_t iw = w - std::int64_t{2} * inset, ih = h - std::int64_t{2} * inset;
  const EllipseShape* inner =
      iw > 2 && ih > 2 ? Shape(static_cast<int>(iw), static_cast<int>(ih)).get() : nullptr;
  ring.w = w, ring.h = h, ring.inset = inset;
  ring.rows.assign(static_cast<std::size_t>(h), RingRow{0, 0, 0, 0});
  for (std::int64_t y = 0; y < h; ++y) {
    const EllipseRow& e = outer[static_cast<std::size_t>(y)];
    if (e.left > e.right) continue;
    const auto outerLeft = static_cast<std::int32_t>(e.left),
               outerRight = static_cast<std::int32_t>(w - e.left);
    std::int32_t innerLeft = outerRight, innerRight = outerRight;  // no brush: all pen
    if (const std::int64_t row = y - inset; inner && row >= 0 && row < ih) {
      const EllipseRow& i = (*inner)[static_cast<std::size_t>(row)];
      if (i.left <= i.right && i.right + 1 < iw - 1 - i.right) {
        innerLeft = static_cast<std::int32_t>(inset + i.right + 1);
        innerRight = static_cast<std::int32_t>(inset + (iw - 1 - i.right));
      }
    }
    ring.rows[static_cast<std::size_t>(y)] = {outerLeft, innerLeft, innerRight, outerRight};
  }
  return ring;
}

}  // namespace vantrel::raster
