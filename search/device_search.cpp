#include "search/device_search.h"

#include <exception>
#include <optional>
#include <vector>

#include "board/board_error.h"
#include "render/layer_passes.h"
#include "render/marks.h"
#include "search/layers.h"

namespace vantrel {

namespace {

// Frames and labels the first device named `name` on the side's picture and
// writes its name line into the slot's header line. Returns whether it was
// found.
bool MarkDevice(Session& s, Side side, int slot, const std::string& name) {
  const std::optional<PartRecord> device = FindPart(s.FileOf(side), name, PartsEnd::AfterName);
  if (!device) return false;
  const ViewState& v = s.view;
  const ScreenBox box = SideMapping::Of(v, side).MapBox(device->box);
  const std::int64_t margin = v.MarkMargin;
  const std::int64_t radius = v.MarkRadius;
  Canvas& image = s.PictureOf(side);
  image.setPenColor(colors::kWhite);
  TraceFrame(image, box, margin);
  WriteMarkLabel(image, box.right + margin - radius + 3, box.upper - radius - margin, margin + 4,
                 colors::kRed, device->name);
  s.pictures.header[slot] = device->name;
  return true;
}

// Whether the overview of `device` at `pass` maps every point of `extent` and
// the device's box into pixel range.
bool MapsInRange(const PassView& pass, const BoardExtent& extent, const BoardBox& device) {
  const SideMapping& m = pass.mapping;
  return m.MapsInRange(extent.minX, extent.minY) && m.MapsInRange(extent.maxX, extent.maxY) &&
         m.MapsInRange(device.x1, device.y1) && m.MapsInRange(device.x2, device.y2);
}

// Draws every device named `name` in turn on the side's overview picture, so
// that the last one stays in view, calling `drawn` after each.
//
// Each drawing clears the whole picture first, so the picture shows the last
// drawing alone; one before it shows only if it fails part way, and then the
// run ends there. The first and the last drawings are made; the first proves
// that the file reads cleanly, and after it a drawing can fail only where its
// origin carries a mapped point out of the pixel range, which the extremes of
// what the passes map tell without drawing. So a board with thousands of
// parts of one name costs two drawings, not thousands.
void DrawOverview(Session& s, Side side, const ViewState& view, const std::string& name,
                  const std::function<void()>& drawn) {
  OverviewPictures& overview = s.pictures.overview;
  const std::string& file = s.FileOf(side);
  std::vector<PartRecord> devices;
  std::exception_ptr scanError;  // raised after the devices read before it are drawn
  try {
    ScanParts(file, name, PartsEnd::AfterName, [&](const PartRecord& device) {
      devices.push_back(device);
      return true;
    });
  } catch (const BoardError&) {
    scanError = std::current_exception();
  }

  struct Skipped {
    const PartRecord* device;
    OverviewOrigin origin;
  };
  std::optional<Skipped> skipped;  // the drawing the picture should show, not made
  std::optional<BoardExtent> extent;
  for (const PartRecord& device : devices) {
    OverviewOrigin origin;
    try {
      origin = OverviewOriginOf(view, side, device.box);
    } catch (const BoardError&) {
      if (skipped)
        DrawDeviceOverview(view, side, file, *skipped->device, skipped->origin, overview.pictures[side]);
      throw;
    }
    overview.state.origin = origin;
    overview.state.drawings[side] = OverviewPictures::Drawing{view, name};
    bool draw = &device == &devices.front() || &device == &devices.back();
    if (!draw) {
      if (!extent) extent = MappedExtent(file);
      draw = !MapsInRange(OverviewPassView(view, side, origin.x, origin.y), *extent, device.box);
    }
    if (draw) {
      skipped.reset();
      DrawDeviceOverview(view, side, file, device, origin, overview.pictures[side]);
    } else {
      skipped = Skipped{&device, origin};
    }
    if (side == Side::Top) drawn();
  }
  if (scanError) std::rethrow_exception(scanError);
}

}  // namespace

void MarkDevices(Session& s, Side side, const SlotNames& names, Trigger trigger, Findings* findings) {
  if (trigger == Trigger::DialogOk) {
    RestoreHomeView(s.view);
    DrawSideLayers(s, side, BoxStyle::Filled);
  }
  for (int slot = 0; slot < 3; ++slot) {
    if (names[slot].empty()) continue;
    const bool found = MarkDevice(s, side, slot, names[slot]);
    if (!found || trigger != Trigger::DialogOk) continue;
    s.view.shown = side;
    if (findings) findings->found[side][slot] = true;
  }
}

OverviewOrigin OverviewOriginOf(const ViewState& view, Side side, const BoardBox& box) {
  const double k = static_cast<double>(view.Scale) + 100;
  const double x1 = k * box.x1;
  const double x2 = k * box.x2;
  // The box's upper and lower edge on screen, before the origin is added.
  const double u = side == Side::Top ? -k * box.y2 : k * box.y1;
  const double w = side == Side::Top ? -k * box.y1 : k * box.y2;
  return {RoundToInt32(kOverviewCentreX - x1 - (x2 - x1) / 2),
          RoundToInt32(kOverviewCentreY - u - (w - u) / 2)};
}

void DrawDeviceOverview(const ViewState& view, Side side, const std::string& file, const PartRecord& device,
                        OverviewOrigin origin, Canvas& image) {
  const PassView pass = OverviewPassView(view, side, origin.x, origin.y);
  OutlinePass(file, pass, image, nullptr);
  PartBoxPass(file, pass, image);
  PinPass(file, pass, image);

  const ScreenBox box = pass.mapping.MapBox(device.box);
  const std::int64_t margin = view.MarkMargin;
  const std::int64_t radius = view.MarkRadius;
  image.setPenColor(colors::kWhite);
  TraceFrame(image, box, margin + 4);
  WriteMarkLabel(image, box.right + margin - radius + 6, box.upper - radius - margin + 3, margin + 8,
                 colors::kRed, device.name);
}

void ShowDeviceOverview(Session& s, Side side, const std::string& name, const OverviewWindowCalls& window) {
  auto show = [&] {
    if (window.show) window.show();
  };
  if (name.empty()) {
    if (side == Side::Bottom) show();
    return;
  }
  s.pictures.overview.state.shown = side;
  if (window.placeForSearch) window.placeForSearch();
  DrawOverview(s, side, s.view, name, show);
  if (side == Side::Bottom) show();
}

void RedrawOverviewPictures(Session& s) {
  for (const Side side : kSides) {
    if (const std::optional<OverviewPictures::Drawing> drawing = s.pictures.overview.state.drawings[side]) {
      DrawOverview(s, side, drawing->view, drawing->name, [] {});
    }
  }
}

bool DeviceSearch(Session& s, const SlotNames& names, const OverviewWindowCalls& window) {
  return RunSearch(s, SearchKind::Device, names, [&](Findings& findings) {
    s.pictures.ClearHeader();
    MarkDevices(s, Side::Top, names, Trigger::DialogOk, &findings);
    MarkDevices(s, Side::Bottom, names, Trigger::DialogOk, &findings);
    ShowDeviceOverview(s, s.view.shown, names[0], window);
  });
}

void RedrawDevice(Session& s, const SlotNames& names) {
  if (!s.document.HasFiles()) return;
  const Side side = s.view.shown;
  DrawSideLayers(s, side, BoxStyle::Framed);
  MarkDevices(s, side, names, Trigger::Redraw, nullptr);
}

}  // namespace vantrel
