// What the program works on, one piece per owner:
//   - the document: which board file is chosen, its "jet.CON", and whether
//     the board is open in the window;
//   - the view: where the board lies in the pictures and which side is shown
//     (board/view_state.h);
//   - the highlight: the mode Redraw re-applies, what the marks of its last
//     run show and what the searches remember from one run to the next;
//   - the pictures: the two sides, the header strip and its three lines, the
//     overview window's pictures.
// Each piece starts, and resets, from its own definition. The pictures and
// the header lines live here rather than in widgets, so that every operation
// runs without a window; the windows show them after each handler. What the
// search dialogs' fields hold is not here: the windows hand it to each
// operation as SearchTexts.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "board/board_error.h"
#include "board/companion_file.h"
#include "board/side.h"
#include "board/view_state.h"
#include "render/image_canvas.h"
#include "search/highlight_mode.h"
#include "search/side_runner.h"

namespace vantrel {

// The names typed into a dialog's three fields; [0] is slot 1.
using SlotNames = std::array<std::string, 3>;

// What the search dialogs' fields hold at the moment of an operation.
struct SearchTexts {
  SlotNames nails;      // the open/short dialog's Edit1 to Edit3
  std::string compPin;  // the component pin dialog's Edit1
  SlotNames devices;    // the device dialog's Edit1 to Edit3
  std::string net;      // the net dialog's Edit1
};

// An error met in a board file, and where: the file, the side it describes
// (none for a file that is neither of the board's), the line (counted from 1;
// 0 when reading had not begun) and the error's text.
struct FileError {
  std::string file;
  std::optional<Side> side;
  std::uint64_t line = 0;
  std::string message;

  bool operator==(const FileError&) const = default;
};

struct Document {
  std::string BoardFile;                       // empty until a board has been chosen
  std::string CompanionFile = kCompanionName;  // "jet.CON" beside the board file
  // The board is shown: from the start of an open, also one that stopped at
  // an error, to a close. A closed board's files stay chosen: a search dialog
  // left open still works on them.
  bool BoardOpen = false;
  // Why the last open stopped, until the board is read whole or another opens.
  std::optional<FileError> OpenFailed{};
  // What would stop a later scan that none has met yet: found by the check
  // made when the board opened.
  std::vector<FileError> Warnings{};

  bool HasFiles() const { return !BoardFile.empty(); }
  const std::string& FileOf(Side side) const { return side == Side::Top ? BoardFile : CompanionFile; }
  // The error `e` met in one of the files; reads the file again up to where
  // it stopped, to count the line.
  FileError ErrorOf(const BoardError& e) const;
};

// What the marks shown found, for the status line: the search that made them
// (none: the point inquiry), the texts it ran with, and per side which of
// them were found and how many pins were marked.
struct Findings {
  Findings() = default;
  Findings(std::optional<SearchKind> by, SlotNames looked) : search(by), names(std::move(looked)) {}

  std::optional<SearchKind> search;
  SlotNames names;  // by slot; the point inquiry's pin in [0]
  PerSide<std::array<bool, 3>> found{};
  PerSide<std::int64_t> pinsMarked{};
  std::string net;  // the point inquiry's pin's net
};

// The point inquiry's memory; never cleared while the program runs.
struct PointMemory {
  PerSide<std::string> PointPin;  // PointTopPin, PointBottomPin: name line of the pin last hit on each side
  std::string PointNet;           // net line of the pin last hit on either side
};

// The component pin search's memory: set when a pin is found.
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
};

// What each search remembers from one run to the next.
struct SearchMemory {
  PointMemory point;
  CompPinMemory compPin;
  OpenShortMemory openShort;
};

struct Highlight {
  HighlightMode mode = HighlightMode::hmNone;
  // What the marks shown found; nothing while they are not a whole run of a
  // search: the plain board, or after a search's OK stopped at an error.
  std::optional<Findings> findings;
  SearchMemory memory;

  // A search's OK that ran to its end: its mode and what its marks show.
  void Set(HighlightMode searchMode, Findings found) {
    mode = searchMode;
    findings = std::move(found);
  }
};

// The device overview window's pictures, Image1 for the top side and Image2
// for the bottom side, and what they were last drawn from.
struct OverviewPictures {
  static constexpr int kWidth = 287;
  static constexpr int kHeight = 215;

  // What a picture was drawn from: the view of that moment and device 1's
  // name, so that it can be drawn again at another size.
  struct Drawing {
    ViewState view;
    std::string name;
  };
  // Where a drawing puts board point (0, 0): OverviewOriginX, OverviewOriginY.
  struct Origin {
    std::int32_t x = 0;
    std::int32_t y = 0;
  };
  struct State {
    std::optional<Side> shown;                 // the picture the last overview pass chose
    Origin origin;                             // of the last drawing
    PerSide<std::optional<Drawing>> drawings;  // a picture never drawn shows nothing
  };

  PerSide<ImageCanvas> pictures{{kWidth, kHeight}, {kWidth, kHeight}};
  State state;

  bool Drawn(Side side) const { return state.drawings[side].has_value(); }
};

// The main window's pictures: Image1 (top side) and Image2 (bottom side), the
// header strip Image3 behind the header lines, the lines themselves (Label1,
// Label2 and Label4, as bytes of the board files), and the overview's.
struct Pictures {
  // Labels drawn from cached glyphs, or each through QPainter (render/image_canvas.h).
  explicit Pictures(bool labelGlyphs = true);

  PerSide<ImageCanvas> sides{{design::kSideWidth, design::kSideHeight},
                             {design::kSideWidth, design::kSideHeight}};
  ImageCanvas strip{design::kSideWidth, design::kHeaderHeight};
  std::array<std::string, 3> header;
  OverviewPictures overview;

  // Empties the header lines and lets go of their memory: on a large net a
  // line can hold a whole list of pins.
  void ClearHeader();
  // Clears the strip as an outline pass does.
  void ClearStrip();
};

// How the program core runs, chosen by whoever owns the session.
struct CoreOptions {
  SidesMode sides = SidesMode::BySize;
  // Labels drawn from cached glyphs (render/label_glyphs.h), or each through
  // QPainter, which the tests compare against.
  bool labelGlyphs = true;
};

struct Session {
  explicit Session(const CoreOptions& options = {});

  Document document;
  ViewState view;
  Highlight highlight;
  Pictures pictures;
  SideRunner runner;

  const std::string& FileOf(Side side) const { return document.FileOf(side); }
  ImageCanvas& PictureOf(Side side) { return pictures.sides[side]; }
  const ImageCanvas& PictureOf(Side side) const { return pictures.sides[side]; }
  bool TopShown() const { return view.shown == Side::Top; }
};

// A search's OK: `mark` runs the search, recording what it finds in the
// findings of `names`; once it has run to its end the highlight takes its
// mode and those findings, and until then shows none. Does nothing and
// returns false while no board is chosen.
bool RunSearch(Session& s, SearchKind kind, const SlotNames& names,
               const std::function<void(Findings&)>& mark);
// A redraw of the active search: its findings found anew.
void RunRedraw(Session& s, SearchKind kind, const SlotNames& names,
               const std::function<void(Findings&)>& mark);

// A header line made of `parts`, each but the last followed by `gap`.
std::string JoinHeader(std::initializer_list<std::string_view> parts, std::string_view gap);

}  // namespace vantrel
