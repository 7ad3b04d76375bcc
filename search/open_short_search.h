// The open/short search: up to three nail names, one per slot. Each named nail
// is looked up in the nail section of the board file (top side) and of
// "jet.CON" (bottom side) and marked where found; then every pin record on the
// nail's net is marked on both sides, and one header line per slot lists them.
//
// Slot colours: 1 white, 2 red, 3 yellow; one header line per slot. A slot
// takes part only when its name is not empty. Names match board lines by
// NameEquals (whole line, ASCII case folded, nothing trimmed).
//
// Each pass exists in two forms: the dialog form, run by the dialog's OK, and
// the redraw form, run by Redraw while the mode is hmOpenShort. Only the dialog
// form changes the side shown, and it separates the parts of slot 1's header
// line by two blanks instead of one.
//
// Marks are a disc of radius H = MarkRadius in the slot's colour and the label
// beside it (render/marks.h), shift 0 for a nail and 3 for a pin.
//
// The passes raise BoardError as the scans do and stop where the error arose;
// what they drew and wrote up to then stays. The caller must have a board file.
#pragma once

#include "search/session.h"

namespace vantrel {

enum class PassForm { Dialog, Redraw };

// Empties the header; for each named slot scans the board file's nail section
// up to "5 5 5 5", empties the slot's NailNet and, at the first line with the
// name, marks the nail, keeps its net and (dialog form) shows the top side.
void MarkNailsTop(Session& s, const SlotNames& names, PassForm form);
// Empties the header; for each named slot scans "jet.CON" from its nail
// section to the end of the file (the net blocks are compared too) and, at the
// first line with the name, marks the nail, replaces the slot's NailNet and
// (dialog form) shows the bottom side.
void MarkNailsBottom(Session& s, const SlotNames& names, PassForm form);
// Empties the three NetPinLists; for each named slot marks every pin record of
// the board file on the slot's NailNet and lists its name line.
void MarkNetPinsTop(Session& s, const SlotNames& names, PassForm form);
// The same over "jet.CON", appending to the lists; then writes each named
// slot's header line: "$", name, separator, NailNet, separator, NetPinList.
void MarkNetPinsBottom(Session& s, const SlotNames& names, PassForm form);

// The four passes in their order.
void RunOpenShortPasses(Session& s, const SlotNames& names, PassForm form);

// The dialog's OK: empties the header, runs the layer passes of the dialog
// (both outlines, both box passes, both pin passes) and the four passes in
// their dialog form, then sets hmOpenShort. With no board chosen it does
// nothing and returns false.
bool OpenShortSearch(Session& s, const SlotNames& names);

// The hmOpenShort branch of Redraw: the six layer passes (main variant, top
// side then bottom side), then the four passes in their redraw form over the
// names the dialog's fields hold now. Does nothing while no board is chosen.
void RedrawOpenShort(Session& s, const SlotNames& names);

}  // namespace vantrel
