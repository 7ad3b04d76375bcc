#include "render/layer_passes.h"

#include "board/board_scan.h"

namespace vantrel {

PassView MainPassView(const ViewState& view, Side side, Variant variant) {
  return {SideMapping::Of(view, side), view.MarkMargin, view.MarkRadius, variant};
}

PassView OverviewPassView(const ViewState& view, Side side, std::int32_t originX,
                          std::int32_t originY) {
  const double scale = static_cast<double>(view.Scale) + 100;
  return {SideMapping(side, scale, originX, originY),
          CheckedInt32(static_cast<std::int64_t>(view.MarkMargin) + 4),
          CheckedInt32(static_cast<std::int64_t>(view.MarkRadius) + 2), Variant::Overview};
}

void OutlinePass(const std::string& file, const PassView& pass, Canvas& image, Canvas* header) {
  image.setBrushColor(colors::kBlack);
  if (pass.variant == Variant::Overview) {
    image.fillRect(0, 0, kSideImageWidth, kSideImageHeight);
  } else {
    image.clear();
    if (header) {
      header->setBrushColor(colors::kBlack);
      header->clear();
    }
  }

  BoardScan scan(file);
  scan.SkipLine();  // the header line
  const BoardPoint start = scan.ReadPoint();
  const PixelPoint s = pass.mapping.Map(start.x, start.y);
  image.setPenColor(colors::kRed);
  image.setPenWidth(1);
  image.moveTo(s.x, s.y);
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 1) break;
    const PixelPoint q = pass.mapping.Map(p.x, p.y);
    image.lineTo(q.x, q.y);
  }
}

void PartBoxPass(const std::string& file, const PassView& pass, Canvas& image) {
  BoardScan scan(file);
  image.setPenColor(colors::kOlive);
  image.setPenWidth(1);
  scan.SkipToSection(markers::kOutlineEnd);
  const SideMapping& map = pass.mapping;
  const std::int64_t m = pass.margin;
  for (;;) {
    scan.ExpectMore();
    if (scan.ReadLineEquals(markers::kPartsEnd)) break;
    const BoardBox box = scan.ReadBox();
    const std::int64_t x1 = map.MapX(box.x1);
    const std::int64_t x2 = map.MapX(box.x2);
    const std::int64_t y1 = map.MapY(box.y1);
    const std::int64_t y2 = map.MapY(box.y2);
    // The board's upper edge is on top of the screen on the top side only.
    const std::int64_t top = map.side() == Side::Top ? y2 : y1;
    const std::int64_t bottom = map.side() == Side::Top ? y1 : y2;
    const std::int64_t left = x1 - m, right = x2 + m, upper = top - m, lower = bottom + m;
    if (pass.variant == Variant::Main) {
      image.moveTo(left, upper);
      image.lineTo(right, upper);
      image.lineTo(right, lower);
      image.lineTo(left, lower);
      image.lineTo(left, upper);
    } else {
      image.rectangle(left, upper, right, lower);
    }
  }
}

void PinPass(const std::string& file, const PassView& pass, Canvas& image) {
  BoardScan scan(file);
  image.setPenColor(colors::kActiveCaption);
  image.setPenWidth(1);
  scan.SkipToSection(markers::kPartsEnd);
  const std::int64_t r = pass.radius;
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 3 && p.y == 3) break;
    if (p.x == 3 || p.y == 3) continue;
    const PixelPoint c = pass.mapping.Map(p.x, p.y);
    image.ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
  }
}

}  // namespace vantrel
