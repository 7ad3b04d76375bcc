#include "search/device_search.h"

#include "render/layer_passes.h"
#include "search/device_dialog.h"
#include "search/session.h"

namespace vantrel {

namespace {

std::string& HeaderLine(Session& s, int slot) {
  switch (slot) {
    case 0:
      return s.Label1;
    case 1:
      return s.Label2;
    default:
      return s.Label4;
  }
}

// Frames and labels the first device named `name` on the side's picture and
// writes its name line into the slot's header line. Returns whether it was
// found.
bool MarkDevice(Session& s, Side side, int slot, const std::string& name) {
  bool found = false;
  ScanDevices(s.FileOf(side), name, [&](const DeviceRecord& device) {
    const ViewState& v = s.view;
    const DevicePixels box = MapDevice(SideMapping::Of(v, side), device.box);
    const std::int64_t d = v.MarkMargin;
    const std::int64_t h = v.MarkRadius;
    Canvas& image = s.ImageOf(side);
    DrawDeviceFrame(image, box, d);
    DrawDeviceLabel(image, box.right + d - h + 3, box.upper - h - d, d + 4, device.name);
    HeaderLine(s, slot) = device.name;
    found = true;
    return false;  // the first device of the name only
  });
  return found;
}

}  // namespace

void ScanDevices(const std::string& file, const std::string& name,
                 const std::function<bool(const DeviceRecord&)>& found) {
  BoardScan scan(file);
  scan.SkipToSection(markers::kOutlineEnd);
  for (;;) {
    scan.ExpectMore();
    std::string line = scan.ReadLine();
    if (NameEquals(line, name)) {
      const BoardBox box = scan.ReadBox();
      if (!found(DeviceRecord{std::move(line), box})) return;
    } else if (line == markers::kPartsEnd) {
      return;
    }
  }
}

DevicePixels MapDevice(const SideMapping& mapping, const BoardBox& box) {
  const std::int64_t y1 = mapping.MapY(box.y1);
  const std::int64_t y2 = mapping.MapY(box.y2);
  const bool top = mapping.side() == Side::Top;
  return {mapping.MapX(box.x1), mapping.MapX(box.x2), top ? y2 : y1, top ? y1 : y2};
}

void DrawDeviceFrame(Canvas& image, const DevicePixels& box, std::int64_t margin) {
  const std::int64_t left = box.left - margin;
  const std::int64_t right = box.right + margin;
  const std::int64_t upper = box.upper - margin;
  const std::int64_t lower = box.lower + margin;
  image.setPenColor(colors::kWhite);
  image.moveTo(left, upper);
  image.lineTo(right, upper);
  image.lineTo(right, lower);
  image.lineTo(left, lower);
  image.lineTo(left, upper);
}

void DrawDeviceLabel(Canvas& image, std::int64_t x, std::int64_t y, std::int64_t points,
                     std::string_view name) {
  image.setBrushStyle(BrushStyle::Clear);
  image.setFontName("Times New Roman");
  image.setFontSize(CheckedInt32(points));
  image.setFontColor(colors::kRed);
  image.textOut(x, y, name);
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

void DrawDeviceOverview(const ViewState& view, Side side, const std::string& file, const DeviceRecord& device,
                        OverviewOrigin origin, Canvas& image) {
  const PassView pass = OverviewPassView(view, side, origin.x, origin.y);
  OutlinePass(file, pass, image, nullptr);
  PartBoxPass(file, pass, image);
  PinPass(file, pass, image);

  const DevicePixels box = MapDevice(pass.mapping, device.box);
  const std::int64_t d = view.MarkMargin;
  const std::int64_t h = view.MarkRadius;
  DrawDeviceFrame(image, box, d + 4);
  DrawDeviceLabel(image, box.right + d - h + 6, box.upper - h - d + 3, d + 8, device.name);
}

void MarkDevices(Session& s, Side side, const DeviceNames& names, DeviceForm form) {
  if (form == DeviceForm::Search) {
    RestoreHomeView(s.view);
    RunSidePasses(s, side, Variant::Dialog);
  }
  for (int slot = 0; slot < 3; ++slot) {
    if (names.slot[slot].empty()) continue;
    const bool found = MarkDevice(s, side, slot, names.slot[slot]);
    if (found && form == DeviceForm::Search) s.Image1Visible = side == Side::Top;
  }
}

DeviceNames DeviceNamesOf(const Session& s) {
  DeviceNames names;
  if (s.parts) {
    for (int slot = 0; slot < 3; ++slot) names.slot[slot] = s.parts->FieldText(slot + 1);
  }
  return names;
}

void RedrawDevice(Session& s) {
  if (!s.HasBoard()) return;
  const DeviceNames names = DeviceNamesOf(s);
  if (s.Image1Visible) {
    RunSidePasses(s, Side::Top, Variant::Main);
    MarkDevices(s, Side::Top, names, DeviceForm::Redraw);
  }
  if (!s.Image1Visible) {
    RunSidePasses(s, Side::Bottom, Variant::Main);
    MarkDevices(s, Side::Bottom, names, DeviceForm::Redraw);
  }
}

}  // namespace vantrel
