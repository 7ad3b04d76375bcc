// The program's process-wide state, owned by the main window and shared with
// the search dialogs: the view, the highlight mode, the two file names, the
// pictures of the main window and the texts of its header lines, and what the
// searches remember between passes.
//
// Pictures and header texts live here, not in widgets, so that every pass runs
// without a window; the windows show them after each handler.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "board/view_state.h"
#include "render/image_canvas.h"
#include "render/layer_passes.h"
#include "search/comp_pin_state.h"
#include "search/open_short_memory.h"

namespace vantrel {

class TFrm_Nail;
class TFrm_Comp;
class TFrm_Parts;
class Tfrm_Net;
class TForm8;

enum HighlightModeValue : int {
  hmNone = 0,
  hmBoard = 1,
  hmOpenShort = 2,
  hmCompPin = 3,
  hmDevice = 5,
  hmNet = 6,
  hmPoint = 7,
};

// The order in which an operation runs the six layer passes.
enum class PassOrder {
  SideAfterSide,  // top outline, boxes, pins, then the same for the bottom
  LayerByLayer,   // both outlines, both box passes, both pin passes
};

struct Session {
  ViewState view;
  int HighlightMode = hmNone;
  std::string BoardFile;      // empty until a board has been chosen
  std::string CompanionFile;  // "jet.CON" beside the board file

  ImageCanvas Image1{kSideImageWidth, kSideImageHeight};  // top side
  ImageCanvas Image2{kSideImageWidth, kSideImageHeight};  // bottom side
  ImageCanvas Image3{kSideImageWidth, 50};                // header strip
  bool Image1Visible = false;                             // the top side is shown

  // Header lines, as bytes of the board files.
  std::string Label1;
  std::string Label2;
  std::string Label4;

  // The windows, created once at start.
  TFrm_Nail* nail = nullptr;
  TFrm_Comp* comp = nullptr;
  TFrm_Parts* parts = nullptr;
  Tfrm_Net* net = nullptr;
  TForm8* overview = nullptr;

  // Point inquiry.
  std::string PointTopPin;
  std::string PointBottomPin;
  std::string PointNet;
  std::int32_t PointerX = 0;
  std::int32_t PointerY = 0;

  // Component pin and net search.
  CompPinMemory compPin;

  // Open/short search.
  OpenShortMemory openShort;

  // Called after every handler so that the windows show the new state.
  std::function<void()> changed;

  bool HasBoard() const { return !BoardFile.empty(); }
  const std::string& FileOf(Side side) const { return side == Side::Top ? BoardFile : CompanionFile; }
  ImageCanvas& ImageOf(Side side) { return side == Side::Top ? Image1 : Image2; }
  void ClearHeader() { Label1.clear(), Label2.clear(), Label4.clear(); }
};

// The three layer passes of one side, in their order.
void RunSidePasses(Session& s, Side side, Variant variant);
// The six layer passes in the given order.
void RunLayerPasses(Session& s, Variant variant, PassOrder order);

}  // namespace vantrel
