// The rows of ellipses as the image canvas paints them, kept for each size:
// the outline of a w x h box traced once, and at a scale the ring of pen and
// brush of each device size. Pin circles of a few sizes make up most of every
// picture, so most ellipses are painted from rows found here.
//
// Private to render/: image_canvas.h includes it only because the canvas
// holds the cache in place, with no pointer to follow per figure; nothing
// outside render/ uses it.
//
// Units are pixels of the picture (device pixels at a scale), columns counted
// from the left edge of the ellipse's box, rows from its top.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vantrel::raster {

// One row of an ellipse: the pen covers columns left..right of the box and
// their mirror images w-1-right..w-1-left; the brush covers what lies
// between. left > right for a row the ellipse does not touch.
struct EllipseRow {
  std::int32_t left;
  std::int32_t right;
};
using EllipseShape = std::vector<EllipseRow>;  // one entry per row of the box

// The ellipse inscribed in a w x h box (w, h > 2) by the GDI rule.
EllipseShape TraceEllipse(int w, int h);

// One row of an ellipse drawn at a scale, in columns of its box: the pen
// from outerLeft up to innerLeft and from innerRight up to outerRight, the
// brush between; outerLeft == outerRight for a row it does not touch.
struct RingRow {
  std::int32_t outerLeft;
  std::int32_t innerLeft;
  std::int32_t innerRight;
  std::int32_t outerRight;
};

// The rows of an ellipse size drawn at a scale, with its pen. Pin markers
// of one design size make up most pictures; at a scale they come in a few
// device sizes, by where each one falls on the device pixels.
struct Ring {
  std::int64_t w = -1, h = -1, inset = -1;
  std::vector<RingRow> rows;
};

// The shapes of the sizes drawn lately, at most about a million rows of
// them, and the rings of the last eight sizes drawn at a scale.
class EllipseRowCache {
 public:
  // Rings higher than this are drawn from their rows and not kept.
  static constexpr std::int64_t kMaxKeptRingRows = 4096;

  // The shape of a w x h ellipse (w, h > 2); it stays valid until the next
  // call, or for as long as the pointer is held.
  const std::shared_ptr<const EllipseShape>& Shape(int w, int h) {
    const std::uint64_t key = (static_cast<std::uint64_t>(w) << 32) | static_cast<std::uint32_t>(h);
    if (lastShape_ && key == lastShapeKey_) return lastShape_;
    return findShape(key, w, h);
  }

  // The rows of a w x h ellipse (w, h > 2) whose pen is `inset` + 1 device
  // pixels thick; valid until the next call.
  Ring& RingOf(std::int64_t w, std::int64_t h, int inset) {
    for (Ring& ring : rings_) {
      if (ring.w == w && ring.h == h && ring.inset == inset) return ring;
    }
    return makeRing(w, h, inset);
  }

 private:
  const std::shared_ptr<const EllipseShape>& findShape(std::uint64_t key, int w, int h);
  Ring& makeRing(std::int64_t w, std::int64_t h, int inset);

  std::unordered_map<std::uint64_t, std::shared_ptr<const EllipseShape>> shapes_;
  std::size_t cachedRows_ = 0;
  std::uint64_t lastShapeKey_ = 0;
  std::shared_ptr<const EllipseShape> lastShape_;
  std::array<Ring, 8> rings_;
  std::size_t nextRing_ = 0;  // the one to replace next
};

}  // namespace vantrel::raster
