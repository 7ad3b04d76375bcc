// Names drawn on the board when the view shows them (View › Names on the
// board): each part's name centred on its box and, once a pin marker is at
// least kPinNamePixels device pixels across, each pin's designator (its name
// after the part's, "A1" of "U1.A1") beside the pin. They are drawn over the
// layers and under every mark, in a colour that no mark uses, in an upright
// sans face; a name that would overlap one drawn before it is left out, part
// names going first. Coordinates are design pixels of the picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/layer_passes.h"

namespace vantrel {

inline constexpr Color kNameColour = 0x80FF80;  // a light green
inline constexpr int kPinNamePixels = 12;

// A part's name and its box as the picture shows it.
struct PartName {
  std::string text;
  ScreenBox box;
};

// Draws names without overlaps on one picture.
class NamePlacer {
 public:
  explicit NamePlacer(Canvas& image);

  // Draws `text` centred on (x, y), or, with `beside`, starting at x and
  // centred on row y; nothing when it would overlap a name drawn before or
  // lies wholly outside the picture. Returns whether it drew.
  bool Place(std::int64_t x, std::int64_t y, std::string_view text, bool beside = false);

 private:
  struct Box {
    std::int64_t left, top, right, bottom;
  };
  bool Overlaps(const Box& box) const;
  std::vector<std::size_t>& CellOf(std::int64_t x, std::int64_t y);

  Canvas& image_;
  std::vector<Box> drawn_;
  // The names drawn, by the cells of a coarse grid over the picture they touch.
  std::vector<std::vector<std::size_t>> cells_;
};

// The part names of the parts whose boxes reach into the picture, as the
// part-box pass over `file` meets them.
std::vector<PartName> PartNamesInView(const std::string& file, const PassView& pass, const Canvas& image);

// Whether pin names show: the marker, 2 x radius + 1 design pixels across,
// spans kPinNamePixels device pixels at `deviceScale`.
bool PinNamesShown(const PassView& pass, double deviceScale);

// The part names, then the pins' designators from the pin records of `file`
// when they show.
void DrawBoardNames(const std::string& file, const PassView& pass, Canvas& image,
                    const std::vector<PartName>& parts, double deviceScale);

}  // namespace vantrel
