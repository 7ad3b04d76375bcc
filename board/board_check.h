// A check of a whole board file, made once when a board has opened: the
// first pictures read only the outline, the part boxes and the pin centres,
// so damage further on would otherwise show only at the first search.
//
// The check reads the file forward once, as the scans that come later read
// it: the start marker of the pin records ("3 3 3 3", as a whole line), every
// pin record whole with its position two numbers, the end marker "4 4 4 4",
// and every nail record whole with its position two numbers, up to
// "5 5 5 5". The board file needs that last marker (its nail scan and the net
// blocks' reader look for it); "jet.CON" may end without it, since its nail
// scan reads to the end of the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// What is wrong with a file, and on which line (counted from 1).
struct FileProblem {
  std::uint64_t line = 0;
  std::string message;

  bool operator==(const FileProblem&) const = default;
};

enum class FileRole { BoardFile, CompanionFile };

// The first problem of `file`, or nothing when it is whole. A file that
// cannot be opened or read is a problem too.
std::optional<FileProblem> CheckBoardFile(const std::string& file, FileRole role);

}  // namespace vantrel
