#include "board/board_records.h"

namespace vantrel {

bool ReadPinRecord(BoardScan& scan, PinRecord& pin, bool keepFourth) {
  scan.ExpectMore();
  scan.ReadLine(pin.name);
  if (pin.name == markers::kPinRecordsEnd) return false;
  pin.position = scan.ReadPendingPoint();
  scan.ReadLine(pin.net);
  if (keepFourth) {
    scan.ReadLine(pin.fourth);
  } else {
    scan.SkipLine();
  }
  return true;
}

std::optional<std::string> FindPinLine(BoardScan& scan, std::string_view name) {
  scan.SkipToSection(markers::kPinsEnd);
  std::string wanted(1, ' ');
  wanted += name;
  std::string line;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(line);
    if (line == markers::kPinRecordsEnd) return std::nullopt;
    if (NameEquals(line, wanted)) return line;
  }
}

void ScanParts(const std::string& file, std::string_view name, PartsEnd end,
               const std::function<bool(const PartRecord&)>& found) {
  BoardScan scan(file);
  scan.SkipToSection(markers::kOutlineEnd);
  std::string line;
  for (;;) {
    scan.ExpectMore();
    scan.ReadLine(line);
    const bool atEnd = line == markers::kPartsEnd;
    if (atEnd && end == PartsEnd::BeforeName) return;
    if (NameEquals(line, name)) {
      const BoardBox box = scan.ReadBox();
      if (!found(PartRecord{line, box})) return;
    } else if (atEnd) {
      return;
    }
  }
}

std::optional<PartRecord> FindPart(const std::string& file, std::string_view name, PartsEnd end) {
  std::optional<PartRecord> part;
  ScanParts(file, name, end, [&](const PartRecord& p) {
    part = p;
    return false;
  });
  return part;
}

}  // namespace vantrel
