// Redraw, which repaints both pictures from the board files and re-applies the
// highlight of the last search, and the other operations of the main window
// on the session: opening and closing a board, the reset key and the side key.
// The windows call these and show the session afterwards; each runs inside
// the error handler, and an error stops it where it arose.
#pragma once

#include <string>

#include "search/session.h"

namespace vantrel {

// Switches on HighlightMode: nothing for hmNone (and 4), the six layer passes
// for hmBoard, and for a search mode the passes of that search's redraw form
// over what its dialog's fields hold now. Never changes the mode; only the
// component pin branch moves the view (it recentres on the pin).
void Redraw(Session& s, const SearchTexts& texts);

// Opening a board file, after the window has shown the pictures: its
// companion is "jet.CON" beside it, the top side is shown, the home view is
// computed from its outline, the six layer passes run (both outlines, both box
// passes, both pin passes) and the mode becomes hmBoard.
void OpenBoard(Session& s, const std::string& boardFile);

// The check made once a board has opened (board/board_check.h): each file
// read forward once to its end, the two sides at once on a large board; what
// would stop a later scan becomes a warning of the document. Raises nothing.
void CheckBoardFiles(Session& s);

// Closing the board: the home view, the top side hidden, hmNone. The pictures
// keep what they show until the next open draws over them.
void CloseBoard(Session& s);

// The reset key "/": the home view, hmBoard, the six layer passes (top side,
// then bottom side) and an empty header. The side shown does not change.
// Before any board was chosen there is nothing to read, and it does nothing.
void ResetView(Session& s);

// Turns the pictures to `orientation` (the keys "R" and "M") and redraws
// them, the overview's too: every pass, mark and label follows the turn.
void TurnView(Session& s, Orientation orientation, const SearchTexts& texts);

// The side key "0": shows the other side, empties the header unless the mode
// is hmPoint, and redraws.
void TurnOver(Session& s, const SearchTexts& texts);

}  // namespace vantrel
