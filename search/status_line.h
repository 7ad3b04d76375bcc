// What the main window says about the session besides its pictures: the
// window title and the status line under the pictures.
#pragma once

#include <string>

namespace vantrel {

struct FileError;
struct Session;

// "demo.brd — top — Vantrel" while a board is open, "demo.brd — cannot be
// read — Vantrel" after its open stopped at an error, else "Vantrel"; in
// UTF-8, the file name as the file system spells it.
std::string WindowTitle(const Session& s);

// "b.brd (the board file, top side), line 12: Invalid numeric input", with
// the file's name.
std::string DescribeFileError(const FileError& error);

// The side shown, the zoom step, how the pictures are turned, what the marks of the last search show and
// what the files hold that would stop a later scan, e.g. "Top side · zoom
// step 2 · Net GND: 6 pins on top, 3 on bottom", or "Device U99: not found"
// for a name found on neither side; after an open that stopped, "Cannot be
// read: " and where and why. Empty while no board is open. One character per
// byte, like the header lines, since it quotes the board files.
std::string StatusLine(const Session& s);

}  // namespace vantrel
