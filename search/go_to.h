// Moving the view to what was found, and fitting the whole board.
//
// GoToResult follows a search run from the board browser: the side that
// shows the result is centred on it (a device's box centre, a pin, a nail,
// or the bounding box of a net's pins) and zoomed in by the "+" steps, never
// out, until the part box or the net's box spans at least a quarter of the
// picture's width or height, or the zoom limit is reached. FitBoard is the
// fit key: the whole outline in the picture with a margin, centred, at the
// largest scale of the "+"/"-" ladder at which it fits. Both work in design
// pixels of the side pictures and leave the redraw to the caller.
#pragma once

#include "search/session.h"

namespace vantrel {

// After the mode's search ran from the browser with `texts`: returns whether
// the view moved.
bool GoToResult(Session& s, const SearchTexts& texts);

// Returns whether the view moved.
bool FitBoard(Session& s);

}  // namespace vantrel
