// What the main window says about the session besides its pictures: the
// window title and the status line under the pictures.
#pragma once

#include <string>

namespace vantrel {

struct Session;

// "demo.brd — top — Vantrel" while a board is open, else "Vantrel"; in UTF-8,
// the file name as the file system spells it.
std::string WindowTitle(const Session& s);

// The side shown, the zoom step and what the marks of the last search show,
// e.g. "Top side · zoom step 2 · Net GND: 6 pins on top, 3 on bottom", or
// "Device U99: not found" for a name found on neither side. Empty while no
// board is open. One character per byte, like the header lines, since it
// quotes the board files.
std::string StatusLine(const Session& s);

}  // namespace vantrel
