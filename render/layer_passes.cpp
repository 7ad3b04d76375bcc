#include "render/layer_passes.h"

#include "board/board_scan.h"
#include "render/marks.h"

namespace vantrel {

PassView SidePassView(const ViewState& view, Side side, BoxStyle boxes) {
  return {SideMapping::Of(view, side), view.MarkMargin, view.MarkRadius, boxes};
}

PassView OverviewPassView(const ViewState& view, Side side, std::int32_t originX, std::int32_t originY) {
  const double scale = static_cast<double>(view.Scale) + 100;
  // The overview picture turns about its own centre, where its device stands.
  constexpr PixelPoint kOverviewCentre{143, 107};
  return {SideMapping(side, scale, originX, originY, view.orientation, kOverviewCentre),
          CheckedInt32(static_cast<std::int64_t>(view.MarkMargin) + 4),
          CheckedInt32(static_cast<std::int64_t>(view.MarkRadius) + 2), BoxStyle::Filled, true};
}

namespace {

// The reads of the three passes, each calling back with what its pass maps.
// The passes and MappedExtent share them, so that the extent covers exactly
// the points the passes map.

// The outline: the header line, the start point, then the points up to the
// one whose x is 1, which ends the outline and is not drawn.
template <class Start, class Point>
void ReadOutline(BoardScan& scan, Start&& start, Point&& point) {
  scan.SkipLine();  // the header line
  start(scan.ReadPoint());
  for (;;) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 1) return;
    point(p);
  }
}

// The part boxes: the box line after each name line, up to "2 2 2 2". The
// name line is kept in `name` when it is given.
template <class Box>
void ReadPartBoxes(BoardScan& scan, Box&& box, std::string* name = nullptr) {
  scan.SkipToSection(markers::kOutlineEnd);
  for (;;) {
    scan.ExpectMore();
    if (name) {
      scan.ReadLine(*name);
      if (*name == markers::kPartsEnd) return;
    } else if (scan.ReadLineEquals(markers::kPartsEnd)) {
      return;
    }
    box(scan.ReadBox());
  }
}

// Whether a box reaches into the picture.
bool InPicture(const ScreenBox& box, const Canvas& image) {
  const std::int64_t left = std::min(box.left, box.right), right = std::max(box.left, box.right);
  const std::int64_t upper = std::min(box.upper, box.lower), lower = std::max(box.upper, box.lower);
  return right >= 0 && lower >= 0 && left < image.width() && upper < image.height();
}

// The pin centres, up to "3 3 3 3", each with how many came before it; a
// point with a coordinate of 3 is passed over.
template <class Point>
void ReadPinCentres(BoardScan& scan, Point&& point) {
  scan.SkipToSection(markers::kPartsEnd);
  for (std::size_t index = 0;; ++index) {
    scan.ExpectMore();
    const BoardPoint p = scan.ReadPoint();
    if (p.x == 3 && p.y == 3) return;
    if (p.x == 3 || p.y == 3) continue;
    point(p, index);
  }
}

void StartPen(Canvas& image, Color pen) {
  image.setPenColor(pen);
  image.setPenWidth(1);
}

}  // namespace

void OutlinePass(const std::string& file, const PassView& pass, Canvas& image, Canvas* header) {
  image.setBrushColor(colors::kBlack);
  if (pass.overview) {
    image.fillRect(0, 0, design::kSideWidth, design::kSideHeight);
  } else {
    image.clear();
    if (header) {
      header->setBrushColor(colors::kBlack);
      header->clear();
    }
  }

  BoardScan scan(file);
  ReadOutline(
      scan,
      [&](BoardPoint start) {
        const PixelPoint s = pass.mapping.Map(start);
        StartPen(image, colors::kRed);
        image.moveTo(s.x, s.y);
      },
      [&](BoardPoint p) {
        const PixelPoint q = pass.mapping.Map(p);
        image.lineTo(q.x, q.y);
      });
}

void PartBoxPass(const std::string& file, const PassView& pass, Canvas& image, PassNames* names) {
  BoardScan scan(file);
  StartPen(image, colors::kOlive);
  std::string name;
  ReadPartBoxes(
      scan,
      [&](const BoardBox& board) {
        const ScreenBox box = pass.mapping.MapBox(board);
        if (pass.boxes == BoxStyle::Framed) {
          TraceFrame(image, box, pass.margin);
        } else {
          const std::int64_t m = pass.margin;
          image.rectangle(box.left - m, box.upper - m, box.right + m, box.lower + m);
        }
        if (names && InPicture(box, image)) names->KeepPart(box, name);
      },
      names ? &name : nullptr);
}

void PinPass(const std::string& file, const PassView& pass, Canvas& image) {
  BoardScan scan(file);
  PinPass(scan, pass, image);
}

void PinPass(BoardScan& scan, const PassView& pass, Canvas& image, PassNames* names) {
  StartPen(image, colors::kActiveCaption);
  ReadPinCentres(scan, [&](BoardPoint p, std::size_t index) {
    const PixelPoint drawn = pass.mapping.Map(p);
    DrawPinMarker(image, drawn, pass.radius);
    if (names) names->SeePin(index, p, drawn);
  });
}

void SkipPinCentres(BoardScan& scan) {
  ReadPinCentres(scan, [](BoardPoint, std::size_t) {});
}

BoardExtent MappedExtent(const std::string& file) {
  BoardExtent extent;
  auto add = [&](BoardPoint p) { extent.Add(p); };
  {
    BoardScan scan(file);
    ReadOutline(scan, add, add);
  }
  {
    BoardScan scan(file);
    ReadPartBoxes(scan, [&](const BoardBox& box) {
      extent.Add({box.x1, box.y1});
      extent.Add({box.x2, box.y2});
    });
  }
  BoardScan scan(file);
  ReadPinCentres(scan, [&](BoardPoint p, std::size_t) { extent.Add(p); });
  return extent;
}

}  // namespace vantrel
