// The records of a board file as the scans meet them, read with the rules of
// board_scan.h. Two kinds of scan use them:
//   - record scans walk the pin records record by record (ReadPinRecord);
//   - line scans look a name up by comparing every line of a section with it
//     and take the lines after the first that matches as the rest of the
//     record (FindPinLine, ScanParts), so a position or net line that happens
//     to equal the name is taken for a name line.
// A section whose closing marker never comes ends in "Read beyond end of file".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "board/board_scan.h"

namespace vantrel {

// One record of the pin records (after "3 3 3 3"): name line (a blank, the
// part's name, ".", the pin's designator), position line, net line and a
// fourth line of free text.
struct PinRecord {
  std::string name;
  PendingPoint position;  // converted when asked for: most records are passed over
  std::string net;
  std::string fourth;

  BoardPoint at() const { return position.Value(); }
};

// Reads the next pin record into `pin`, reusing its strings; false, having
// read the marker, at "4 4 4 4". The fourth line is kept only when asked for.
bool ReadPinRecord(BoardScan& scan, PinRecord& pin, bool keepFourth = false);

// Skips to the pin records and reads them line by line up to "4 4 4 4" for the
// first line that is one blank followed by `name`, ASCII case folded; returns
// that line as the file holds it, with the scan standing on the line after it.
std::optional<std::string> FindPinLine(BoardScan& scan, std::string_view name);

// A part as the part section holds it: the name line, as the file spells it,
// and the box line after it, in board units.
struct PartRecord {
  std::string name;
  BoardBox box;
};

// Which comes first when a line is both the end marker and the name looked for.
enum class PartsEnd { BeforeName, AfterName };

// Scans the part section of `file` for lines equal to `name` (NameEquals) and
// hands each, with the box read from the line after it, to `found`; goes on
// after the box line while `found` returns true, and ends at "2 2 2 2".
void ScanParts(const std::string& file, std::string_view name, PartsEnd end,
               const std::function<bool(const PartRecord&)>& found);

// The first part of the name, or nothing.
std::optional<PartRecord> FindPart(const std::string& file, std::string_view name, PartsEnd end);

}  // namespace vantrel
