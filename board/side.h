// The two sides of a board and the pairs of things the program keeps one of
// for each: the top side is drawn from the board file, the bottom side from
// "jet.CON" beside it.
#pragma once

namespace vantrel {

enum class Side { Top, Bottom };

inline constexpr Side kSides[] = {Side::Top, Side::Bottom};

inline constexpr Side Other(Side side) { return side == Side::Top ? Side::Bottom : Side::Top; }

// One T per side, indexed by Side: a top/bottom pair is one value, not twin
// fields chosen with a condition.
template <class T>
struct PerSide {
  T top;
  T bottom;

  T& operator[](Side side) { return side == Side::Top ? top : bottom; }
  const T& operator[](Side side) const { return side == Side::Top ? top : bottom; }
  bool operator==(const PerSide&) const = default;
};

}  // namespace vantrel
