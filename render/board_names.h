// Names drawn on the board when the view shows them (View › Names on the
// board): each part's name centred on its box and, once a pin marker is at
// least kPinNamePixels device pixels across, each pin's designator (its name
// after the part's, "A1" of "U1.A1") beside the pin. They are drawn over the
// layers and under every mark, in a colour that no mark uses, in an upright
// sans face; a name that would overlap one kept before it is left out, part
// names going first. Coordinates are design pixels of the picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_scan.h"
#include "render/canvas.h"
#include "render/layer_passes.h"

namespace vantrel {

inline constexpr Color kNameColour = 0x80FF80;  // a light green
inline constexpr int kPinNamePixels = 12;

// The names of one picture: kept while the passes meet them, each only when
// it overlaps none kept before and reaches into the picture, then drawn.
class NamePlacer : public PassNames {
 public:
  // `pinRadius`: the pin markers' radius, which pin names keep clear of.
  NamePlacer(std::int64_t width, std::int64_t height, std::int32_t pinRadius = 0);

  // `text` centred on (x, y), or, with `beside`, starting at x and centred
  // on row y; returns whether it was kept.
  bool Keep(std::int64_t x, std::int64_t y, std::string_view text, bool beside = false);
  void KeepPart(const ScreenBox& box, std::string_view name) override;
  // Notes a pin centre drawn near enough the picture for its name to show.
  void SeePin(std::size_t index, BoardPoint at, PixelPoint drawn) override;
  // Keeps the designators of the pins, reading on from where the pin pass
  // left `scan` (given the names) at the pin records of `file`.
  void KeepPinNames(BoardScan& scan, const std::string& file, const PassView& pass);
  // Draws every name kept.
  void Draw(Canvas& image) const;

 private:
  struct Box {
    std::int64_t left, top, right, bottom;
  };
  struct Name {
    std::int64_t x, y;
    std::string text;
  };
  struct SeenPin {
    std::size_t index;
    BoardPoint at;
    PixelPoint drawn;
  };
  bool Overlaps(const Box& box) const;
  std::size_t CellIndex(std::int64_t x, std::int64_t y) const;
  bool NearPicture(PixelPoint drawn) const;
  void KeepPinName(PixelPoint drawn, std::string_view name);
  bool KeepSeenPinNames(BoardScan& scan);
  void KeepEveryPinName(BoardScan& scan, const PassView& pass);

  std::int64_t width_;
  std::int64_t height_;
  std::int32_t pinRadius_;
  std::vector<Box> boxes_;
  std::vector<Name> names_;
  // The names kept, by the cells of a coarse grid over the picture they touch.
  std::vector<std::vector<std::size_t>> cells_;
  std::vector<SeenPin> seen_;
};

// Whether pin names show: the marker, 2 x radius + 1 design pixels across,
// spans kPinNamePixels device pixels at `deviceScale`.
bool PinNamesShown(const PassView& pass, double deviceScale);

}  // namespace vantrel
