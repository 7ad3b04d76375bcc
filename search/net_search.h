// The net search: marks every pin of one net on both sides with a white disc
// and lists the pins in the first header line.
//
// A pin belongs to the net when its net line equals the typed text with ASCII
// letters folded to one case; nothing is trimmed. Each side's marking step
// scans its own file (the board file for the top side, "jet.CON" for the
// bottom side) and rewrites the first header line as
//   net line of the last matching pin, 2 blanks, then " " + name line per pin
// so that the bottom side's result is what stays. The view and the side shown
// never change. Errors of a scan stop the search where they arose.
#pragma once

#include <string>

namespace vantrel {

struct Session;

// The marking step of a side draws a white disc on every pin of the net and
// then writes the first header line; an empty text reads, draws and writes
// nothing.
//
// The dialog's OK: the six layer passes with filled boxes (both outlines,
// both part-box passes, both pin passes), the top and the bottom marking
// step, then HighlightMode hmNet. With no board chosen it does nothing and returns
// false.
bool NetSearch(Session& s, const std::string& text);

// The hmNet branch of Redraw: the top side's layer passes and marking step,
// then the bottom side's, with the text that the dialog's field holds now.
// With no board chosen it does nothing.
void RedrawNet(Session& s, const std::string& text);

}  // namespace vantrel
