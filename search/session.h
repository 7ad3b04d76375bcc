// The program's process-wide state, owned by the main window and read and
// written by every search: the view, the highlight mode, the two file names,
// the pictures of the main window and the texts of its header lines, the
// overview window's pictures, and what the searches remember between passes.
//
// Pictures and header texts live here, not in widgets, so that every search
// runs without a window; the windows show them after each handler. What the
// search dialogs' fields hold is not here: the windows hand it to each search
// and to Redraw as SearchTexts.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "board/view_state.h"
#include "render/image_canvas.h"
#include "render/layer_passes.h"

namespace vantrel {

enum HighlightModeValue : int {
  hmNone = 0,
  hmBoard = 1,
  hmOpenShort = 2,
  hmCompPin = 3,
  hmDevice = 5,
  hmNet = 6,
  hmPoint = 7,
};

// The names typed into a dialog's three fields; [0] is slot 1.
using SlotNames = std::array<std::string, 3>;

// What the search dialogs' fields hold at the moment of a redraw.
struct SearchTexts {
  SlotNames nails;      // the open/short dialog's Edit1 to Edit3
  std::string compPin;  // the component pin dialog's Edit1
  SlotNames devices;    // the device dialog's Edit1 to Edit3
  std::string net;      // the net dialog's Edit1
};

// The point inquiry's memory; never cleared while the program runs.
struct PointMemory {
  std::string PointTopPin;     // name line of the pin last hit on the top side
  std::string PointBottomPin;  // the same on the bottom side
  std::string PointNet;        // net line of the pin last hit on either side
};

// The component pin search's memory: set when a pin is found, left as it was
// when none is.
struct CompPinMemory {
  std::string CompPinNet;       // net line of the pin last found by OK, first 20 characters
  std::string CompPinFourth;    // its fourth line, first 20 characters
  std::string RedrawPinNet;     // whole net line of the pin last found by a redraw
  std::string RedrawPinFourth;  // its whole fourth line
};

// The open/short search's memory, per slot.
struct OpenShortMemory {
  // The net-name line of the slot's nail: the bottom side's when the nail is
  // found there, else the top side's, else empty.
  std::array<std::string, 3> NailNet;
  // " " + name line of every pin record on the slot's net, each side in file
  // order; NetPinList is the top side's followed by the bottom side's.
  std::array<std::string, 3> NetPinsTop;
  std::array<std::string, 3> NetPinsBottom;

  std::string NetPinList(int slot) const { return NetPinsTop[slot] + NetPinsBottom[slot]; }
};

// What the marks of the last search or point inquiry show, for the status
// line: the search (its highlight mode), the names it looked for, and per
// side which of them were found and how many pins were marked. Each side's
// steps write only their own side's half, so that the halves of a split
// operation write apart, and clear it first, so that a replay counts afresh.
struct Findings {
  int mode = hmNone;
  SlotNames names;                             // by slot; the point inquiry's pin in [0]
  std::array<std::array<bool, 3>, 2> found{};  // [side][slot]
  std::array<std::int64_t, 2> pinsMarked{};    // [side]
  std::string net;                             // the point inquiry's pin's net

  static int Index(Side side) { return side == Side::Top ? 0 : 1; }
  // A new search of `mode` for `names`, nothing found yet.
  void Begin(int searchMode, SlotNames looked) {
    *this = Findings{};
    mode = searchMode;
    names = std::move(looked);
  }
  void ClearSide(Side side) {
    found[Index(side)] = {};
    pinsMarked[Index(side)] = 0;
  }
  void Found(Side side, int slot) { found[Index(side)][slot] = true; }
  void PinMarked(Side side) { ++pinsMarked[Index(side)]; }
};

// The device overview window's two pictures (its Image1 for the top side,
// Image2 for the bottom side) and the origin of its drawing.
struct OverviewPictures {
  static constexpr int kWidth = 287;
  static constexpr int kHeight = 215;
  ImageCanvas top{kWidth, kHeight};
  ImageCanvas bottom{kWidth, kHeight};
  bool topDrawn = false;  // a picture never drawn shows nothing
  bool bottomDrawn = false;
  std::optional<Side> shown;  // the picture the last overview pass chose
  std::int32_t OverviewOriginX = 0;
  std::int32_t OverviewOriginY = 0;
  // What each picture was last drawn from: the view of that moment and device
  // 1's name, so that it can be drawn again at another size.
  struct Drawing {
    ViewState view;
    std::string name;
  };
  std::optional<Drawing> topDrawing;
  std::optional<Drawing> bottomDrawing;

  ImageCanvas& of(Side side) { return side == Side::Top ? top : bottom; }
  std::optional<Drawing>& drawingOf(Side side) { return side == Side::Top ? topDrawing : bottomDrawing; }
};

struct Session {
  ViewState view;
  int HighlightMode = hmNone;
  std::string BoardFile;      // empty until a board has been chosen
  std::string CompanionFile;  // "jet.CON" beside the board file

  ImageCanvas topImage{design::kSideWidth, design::kSideHeight};       // Image1
  ImageCanvas bottomImage{design::kSideWidth, design::kSideHeight};    // Image2
  ImageCanvas headerImage{design::kSideWidth, design::kHeaderHeight};  // Image3
  bool topShown = false;  // Image1 is visible, so the top side is shown

  // The three header lines, as bytes of the board files: Label1, Label2 and
  // Label4 of the main window.
  std::array<std::string, 3> header;

  // The last pointer position over either side picture (PointerX, PointerY).
  std::int32_t PointerX = 0;
  std::int32_t PointerY = 0;

  PointMemory point;
  CompPinMemory compPin;
  OpenShortMemory openShort;
  OverviewPictures overview;
  Findings findings;

  // Called after every handler so that the windows show the new state.
  std::function<void()> changed;

  bool HasBoard() const { return !BoardFile.empty(); }
  const std::string& FileOf(Side side) const { return side == Side::Top ? BoardFile : CompanionFile; }
  ImageCanvas& ImageOf(Side side) { return side == Side::Top ? topImage : bottomImage; }
  // Empties the header lines and lets go of their memory: on a large net a
  // line can hold a whole list of pins.
  void ClearHeader() {
    for (std::string& line : header) std::string().swap(line);
  }
};

// The order in which an operation runs the six layer passes.
enum class PassOrder {
  SideAfterSide,  // top outline, boxes, pins, then the same for the bottom
  LayerByLayer,   // both outlines, both box passes, both pin passes
};

// The three layer passes of one side, in their order; the outline pass
// clears the header strip too.
void RunSidePasses(Session& s, Side side, Variant variant);
// The six layer passes in the given order.
void RunLayerPasses(Session& s, Variant variant, PassOrder order);

// For the split form of an operation (side_tasks.h): the three layer passes
// of one side without touching the header strip, which the merge then clears
// once as both outline passes would have (ClearHeaderPicture).
void RunSidePassesApart(Session& s, Side side, Variant variant);
void ClearHeaderPicture(Session& s);
// The six layer passes, both sides at once where that pays.
void DrawLayers(Session& s, Variant variant, PassOrder order);

// A header line made of `parts`, each but the last followed by `gap`.
std::string JoinHeader(std::initializer_list<std::string_view> parts, std::string_view gap);

}  // namespace vantrel
