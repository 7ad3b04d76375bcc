// What the pictures highlight, and the four searches that set it.
//
// HighlightMode tells Redraw what to re-apply after the board's layers. Its
// values are fixed numbers (the batch runner writes them into its state), 4
// is never set. SearchKind names the four searches wherever the program
// speaks of them: their dialogs, menu items, the names their fields offer and
// the mode each one sets.
#pragma once

namespace vantrel {

enum class HighlightMode : int {
  hmNone = 0,
  hmBoard = 1,
  hmOpenShort = 2,
  hmCompPin = 3,
  hmDevice = 5,
  hmNet = 6,
  hmPoint = 7,
};

enum class SearchKind {
  OpenShort,  // up to three nails and the pins on their nets
  CompPin,    // one component pin
  Device,     // up to three devices (parts)
  Net,        // one net
};

inline constexpr SearchKind kSearchKinds[] = {SearchKind::OpenShort, SearchKind::CompPin, SearchKind::Device,
                                              SearchKind::Net};

// One T per search, indexed by SearchKind.
template <class T>
struct PerSearch {
  T items[4]{};

  T& operator[](SearchKind kind) { return items[static_cast<int>(kind)]; }
  const T& operator[](SearchKind kind) const { return items[static_cast<int>(kind)]; }
};

// The mode a search sets when its dialog's OK completes.
constexpr HighlightMode ModeOf(SearchKind kind) {
  switch (kind) {
    case SearchKind::OpenShort: return HighlightMode::hmOpenShort;
    case SearchKind::CompPin: return HighlightMode::hmCompPin;
    case SearchKind::Device: return HighlightMode::hmDevice;
    case SearchKind::Net: return HighlightMode::hmNet;
  }
  return HighlightMode::hmNone;
}

// What a search is started by: its dialog's OK (or Enter in a field), or the
// redraw that repeats it while its mode is active. The two differ in a few
// points that each search states.
enum class Trigger { DialogOk, Redraw };

}  // namespace vantrel
