#include "board/board_check.h"

#include <string_view>

#include "board/board_error.h"
#include "board/board_scan.h"

namespace vantrel {

namespace {

// Which part of the file a scan was reading, for the message.
enum class Part { PinRecordsStart, PinRecord, PinRecordsEnd, Nail, NailsEnd };

std::string Describe(Part part, const std::string& error) {
  switch (part) {
    case Part::PinRecordsStart: return error + ": no \"3 3 3 3\" line opens the pin records";
    case Part::PinRecord: return error + " in a pin record";
    case Part::PinRecordsEnd: return error + ": no \"4 4 4 4\" line closes the pin records";
    case Part::Nail: return error + " in a nail record";
    case Part::NailsEnd: return error + ": no \"5 5 5 5\" line closes the nail records";
  }
  return error;
}

// Reads the records of a section of `size` lines, the position on the
// second, up to the line `end`; at the end of the file the section is cut,
// unless `endOptional`. Sets `part` to what is being read.
void CheckRecords(BoardScan& scan, std::string_view end, bool endOptional, Part record, Part closing,
                  Part& part) {
  for (;;) {
    part = closing;
    if (endOptional && scan.AtEnd()) return;
    scan.ExpectMore();
    if (scan.ReadLineEquals(end)) return;
    part = record;
    scan.ReadPendingPoint();
    scan.SkipLine();  // the net
    scan.SkipLine();  // the fourth line
  }
}

}  // namespace

std::optional<FileProblem> CheckBoardFile(const std::string& file, FileRole role) {
  Part part = Part::PinRecordsStart;
  try {
    BoardScan scan(file);
    scan.SkipToSection(markers::kPinsEnd);
    CheckRecords(scan, markers::kPinRecordsEnd, false, Part::PinRecord, Part::PinRecordsEnd, part);
    CheckRecords(scan, markers::kNailsEnd, role == FileRole::CompanionFile, Part::Nail, Part::NailsEnd, part);
  } catch (const BoardError& e) {
    std::uint64_t line = 0;
    if (e.where() && e.where()->bytesRead) line = LineOfLastByte(file, *e.where()->bytesRead);
    const bool opened = e.where() && e.where()->bytesRead;
    return FileProblem{line, opened ? Describe(part, e.what()) : e.what()};
  }
  return std::nullopt;
}

}  // namespace vantrel
