#include "search/go_to.h"

#include <algorithm>
#include <optional>

#include "board/board_records.h"
#include "render/layer_passes.h"
#include "search/comp_pin_search.h"

namespace vantrel {

namespace {

// Margin kept round the outline by the fit key, in design pixels.
constexpr double kFitMargin = 16;

// What the view goes to: a point to centre, and the box whose size sets the
// zoom, in board units.
struct Target {
  BoardPoint centre;
  std::optional<BoardBox> box;
};

BoardBox BoxAround(const BoardExtent& e) { return {e.minX, e.maxX, e.minY, e.maxY}; }

BoardPoint CentreOf(const BoardBox& b) { return {(b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2}; }

// The bounding box of the pins of `net` in `file`; nothing when it has none,
// or is no net at all.
std::optional<BoardBox> NetBox(const std::string& file, const std::string& net) {
  if (net.empty()) return std::nullopt;
  BoardScan scan(file);
  scan.SkipToSection(markers::kPinsEnd);
  BoardExtent extent;
  bool any = false;
  PinRecord pin;
  while (ReadPinRecord(scan, pin)) {
    if (!NameEquals(pin.net, net)) continue;
    extent.Add(pin.at());
    any = true;
  }
  return any ? std::optional(BoxAround(extent)) : std::nullopt;
}

std::optional<Target> PinTarget(const std::string& file, const std::string& text) {
  if (text.empty()) return std::nullopt;
  BoardScan scan(file);
  if (!FindPinLine(scan, text)) return std::nullopt;
  Target target{scan.ReadPoint(), std::nullopt};
  if (const std::optional<std::string> part = PartNameOf(text)) {
    if (const std::optional<PartRecord> record = FindPart(file, *part, PartsEnd::BeforeName)) {
      target.box = record->box;
    }
  }
  return target;
}

// The nail named `name` as its search finds it on the side, and its net's pins.
std::optional<Target> NailTarget(const std::string& file, Side side, const std::string& name) {
  if (name.empty()) return std::nullopt;
  BoardScan scan(file);
  scan.SkipToSection(markers::kPinRecordsEnd);
  std::string line;
  for (;;) {
    if (side == Side::Top) scan.ExpectMore();
    scan.ReadLine(line);
    if (NameEquals(line, name)) break;
    if (side == Side::Top ? line == markers::kNailsEnd : scan.AtEnd()) return std::nullopt;
  }
  Target target{scan.ReadPoint(), std::nullopt};
  if (std::optional<BoardBox> box = NetBox(file, scan.ReadLine())) {
    BoardExtent extent;
    extent.Add(target.centre);
    extent.Add({box->x1, box->y1});
    extent.Add({box->x2, box->y2});
    target.box = BoxAround(extent);
  }
  return target;
}

std::optional<Target> TargetOn(const Session& s, Side side, const SearchTexts& texts) {
  const std::string& file = s.FileOf(side);
  switch (s.highlight.mode) {
    case HighlightMode::hmDevice: {
      const std::optional<PartRecord> part = FindPart(file, texts.devices[0], PartsEnd::AfterName);
      if (!part || texts.devices[0].empty()) return std::nullopt;
      return Target{CentreOf(part->box), part->box};
    }
    case HighlightMode::hmCompPin: return PinTarget(file, texts.compPin);
    case HighlightMode::hmOpenShort: return NailTarget(file, side, texts.nails[0]);
    case HighlightMode::hmNet: {
      const std::optional<BoardBox> box = NetBox(file, texts.net);
      if (!box) return std::nullopt;
      return Target{CentreOf(*box), box};
    }
    default: return std::nullopt;
  }
}

// How much of the picture's width and height a box of w x h board units
// spans at the view's scale, as the picture shows it turned.
std::pair<double, double> Spans(const ViewState& v, double w, double h) {
  const double across = std::abs(w) * v.Scale, down = std::abs(h) * v.Scale;
  const bool sideways = v.orientation.quarterTurns % 2 == 1;
  return {(sideways ? down : across) / design::kSideWidth, (sideways ? across : down) / design::kSideHeight};
}

// Both sides' origins put board point p at the middle of the pictures.
void CentreOn(ViewState& v, BoardPoint p) {
  const double scale = v.Scale;
  v.TopOriginX = v.BottomOriginX = RoundToInt32(design::kCentreX - scale * p.x);
  v.TopOriginY = RoundToInt32(design::kMiddleRow + scale * p.y);
  v.BottomOriginY = RoundToInt32(design::kMiddleRow - scale * p.y);
}

}  // namespace

bool GoToResult(Session& s, const SearchTexts& texts) {
  if (!s.document.HasFiles()) return false;
  Side side = s.view.shown;
  std::optional<Target> target = TargetOn(s, side, texts);
  if (!target && s.highlight.mode == HighlightMode::hmNet) {
    target = TargetOn(s, Other(side), texts);
    if (target) side = Other(side);
  }
  if (!target) return false;
  ViewState v = s.view;
  v.shown = side;
  if (target->box) {
    const BoardBox& b = *target->box;
    for (;;) {
      const auto [across, down] = Spans(v, b.x2 - b.x1, b.y2 - b.y1);
      if (std::max(across, down) >= 0.25 || !StepZoom(v, Zoom::In)) break;
    }
  }
  CentreOn(v, target->centre);
  const bool moved = !(v == s.view);
  s.view = v;
  return moved;
}

bool FitBoard(Session& s) {
  if (!s.document.HasFiles()) return false;
  ViewState v = s.view;
  RestoreHomeView(v);
  const double w = v.ExtentMaxX - v.ExtentMinX, h = v.ExtentMaxY - v.ExtentMinY;
  const auto fits = [&](const ViewState& at) {
    const auto [across, down] = Spans(at, w, h);
    return across * design::kSideWidth + 2 * kFitMargin <= design::kSideWidth &&
           down * design::kSideHeight + 2 * kFitMargin <= design::kSideHeight;
  };
  // Out by the "-" steps while the outline does not fit, else in while the
  // next step still fits.
  while (!fits(v) && StepZoom(v, Zoom::Out)) {
  }
  for (ViewState next = v; fits(v) && StepZoom(next, Zoom::In) && fits(next);) v = next;
  CentreOnBoard(v);
  const bool moved = !(v == s.view);
  s.view = v;
  return moved;
}

}  // namespace vantrel
