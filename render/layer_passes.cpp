#include "render/layer_passes.h"

#include "board/board_scan.h"
#include "render/marks.h"

namespace vantrel {

PassView MainPassView(const ViewState& view, Side side, Variant variant) {
  return {SideMapping::Of(view, side), view.MarkMargin, view.MarkRadius, variant};
}

PassView OverviewPassView(const ViewState& view, Side side, std::int32_t originX, std::int32_t originY) {
  const double scale = static_cast<double>(view.Scale) + 100;
  return {SideMapping(side, scale, originX, originY),
          CheckedInt32(static_cast<std::int64_t>(view.MarkMargin) + 4),
          CheckedInt32(static_cast<std::int64_t>(view.MarkRadius) + 2), Variant::Overview};
}

void OutlinePass(const std::string& file, const PassView& pass, Canvas& image, Canvas* header) {
  image.setBrushColor(colors::kBlack);
  if (pass.variant == Variant::Overview) {
    image.fillRect(0, 0, design::kSideWidth, design::kSideHeight);
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
  const PixelPoint s = pass.mapping.Map(start);
  image.setPenColor(colors::kRed);
  image.setPenWidth(1);
  image.moveTo(s.x, s.y);
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 1) break;
    const PixelPoint q = pass.mapping.Map(p);
    image.lineTo(q.x, q.y);
  }
}

namespace {

// What the box and pin passes do first: their pen, then the skip to their section.
void StartPass(BoardScan& scan, Canvas& image, Color pen, std::string_view section) {
  image.setPenColor(pen);
  image.setPenWidth(1);
  scan.SkipToSection(section);
}

}  // namespace

void PartBoxPass(const std::string& file, const PassView& pass, Canvas& image) {
  BoardScan scan(file);
  StartPass(scan, image, colors::kOlive, markers::kOutlineEnd);
  for (;;) {
    scan.ExpectMore();
    if (scan.ReadLineEquals(markers::kPartsEnd)) break;
    const ScreenBox box = pass.mapping.MapBox(scan.ReadBox());
    if (pass.variant == Variant::Main) {
      TraceFrame(image, box, pass.margin);
    } else {
      const std::int64_t m = pass.margin;
      image.rectangle(box.left - m, box.upper - m, box.right + m, box.lower + m);
    }
  }
}

void PinPass(const std::string& file, const PassView& pass, Canvas& image) {
  BoardScan scan(file);
  StartPass(scan, image, colors::kActiveCaption, markers::kPartsEnd);
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 3 && p.y == 3) break;
    if (p.x == 3 || p.y == 3) continue;
    DrawPinMarker(image, pass.mapping.Map(p), pass.radius);
  }
}

}  // namespace vantrel
