// The open/short search: up to three nail names, one per slot. Each named nail
// is looked up in the nail section of the board file (top side) and of
// "jet.CON" (bottom side) and marked where found; then every pin record on the
// nail's net is marked on both sides, and one header line per slot lists them.
//
// Slot colours: 1 white, 2 red, 3 yellow; one header line per slot. A slot
// takes part only when its name is not empty. Names match board lines by
// NameEquals (whole line, ASCII case folded, nothing trimmed).
//
// The search runs in two phases: the nail passes (MarkNailsTop, then
// MarkNailsBottom) after the layer passes, then the net-pin passes
// (MarkNetPinsTop, then MarkNetPinsBottom). The top nail pass scans the board
// file's nail section up to "5 5 5 5", empties each named slot's NailNet and,
// at the first line with the name, marks the nail and keeps its net; the
// bottom one scans "jet.CON" from its nail section to the end of the file
// (the net blocks are compared too) and replaces the net where it finds the
// nail. Both empty the header first. The net-pin passes mark every pin
// record on a slot's NailNet, the top one after emptying the lists, the
// bottom one appending to them; then each named slot's header line reads
//   "$", name, separator, NailNet, separator, NetPinList.
// The dialog's OK (Trigger::DialogOk) shows the side of each nail it finds
// and separates the parts of slot 1's line by two blanks; the redraw leaves
// the side shown alone and uses one blank.
//
// Marks are a disc of radius H = MarkRadius in the slot's colour and the label
// beside it (render/marks.h), shift 0 for a nail and 3 for a pin.
//
// The passes raise BoardError as the scans do and stop where the error arose;
// what they drew and wrote up to then stays. The caller must have a board file.
#pragma once

#include "search/session.h"

namespace vantrel {

// The dialog's OK: empties the header, runs the layer passes of the dialog
// (both outlines, both box passes, both pin passes) and the four passes in
// their dialog form, then sets hmOpenShort. With no board chosen it does
// nothing and returns false.
bool OpenShortSearch(Session& s, const SlotNames& names);

// The hmOpenShort branch of Redraw: the six layer passes (framed boxes, top
// side then bottom side), then the four passes in their redraw form over the
// names the dialog's fields hold now. Does nothing while no board is chosen.
void RedrawOpenShort(Session& s, const SlotNames& names);

}  // namespace vantrel
