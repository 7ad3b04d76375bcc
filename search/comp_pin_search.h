// The component pin search: finds one pin by its name on each side, centres
// that side's view on it, marks it, frames its part, and writes the pin's net,
// its fourth line and the items of its net's block into the first header line.
//
// The top side is searched in the board file, the bottom side in "jet.CON";
// a pin that only one file holds is shown on that side only. A pin is found on
// the first line of the pin records that is one blank followed by the typed
// text, ignoring the case of ASCII letters; every line of the section is
// compared, not only the name lines. A found pin lands at design pixel
// (kCentreX, kPinTargetY). Errors of a scan stop the steps where they arose;
// what was drawn and set before stays.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "search/highlight_mode.h"

namespace vantrel {

struct Session;

// The dialog's OK and the main window's redraw (Trigger) differ in three
// points: OK draws the side's passes with filled boxes, keeps the net and
// fourth line cut to 20 characters in CompPinNet/CompPinFourth and shows the
// side where the pin was found; the redraw draws framed boxes, keeps them
// whole in RedrawPinNet/RedrawPinFourth and leaves the side shown alone.
//
// Centring step of a side: its origin such that the first pin matching the
// text falls on the pin target; nothing without a match or with an empty
// text. Marking step: at the first pin matching the text, the side redrawn,
// a white disc on the pin, its name line in red beside it, its net and
// fourth line remembered, its part framed in white. Without a match (or with
// an empty text) the side keeps its picture and the memory is unchanged.

// The part a pin name belongs to: the characters before the first "." among
// the first 20 characters of the text; nothing when they hold no ".".
std::optional<std::string> PartNameOf(std::string_view text);

// Header step: empties the three header lines, then, when the board file's
// net blocks hold one headed by CompPinNet, writes into the first line
//   text, 4 blanks, net, 4 blanks, "$", fourth line, 4 blanks, items
// where net and fourth line are CompPin* for OK and RedrawPin* for a redraw,
// and items are the block's item lines, each followed by a blank, cut to 20.
void WriteCompPinHeader(Session& s, const std::string& text, Trigger trigger);

// The dialog's OK: top centring, top marking, bottom centring, bottom marking,
// header, then HighlightMode hmCompPin. With no board chosen it does nothing
// and returns false.
bool CompPinSearch(Session& s, const std::string& text);

// The hmCompPin branch of Redraw: the six layer passes (top side, then bottom
// side), then the same steps with the text that the dialog's field holds now.
// With no board chosen it does nothing.
void RedrawCompPin(Session& s, const std::string& text);

}  // namespace vantrel
