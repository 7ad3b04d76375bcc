// The names a search dialog's field offers as the user types: the names its
// search looks for that the board's two files hold and that contain the
// typed text:
//   - open/short: the first line of each record of the nail sections;
//   - device: the name lines of the part sections;
//   - component pin: the pin records' name lines, without their opening blank;
//   - net: the pin records' net lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search/highlight_mode.h"

namespace vantrel {

struct Session;

// Names for a search of `kind` that contain `typed`, ignoring the case of ASCII letters:
// those that begin with it first, each group in file order, the board file
// before "jet.CON"; a name that differs from an earlier one only in case is
// left out, and so is an empty name. At most `limit` names. Each call scans
// the files afresh and keeps no more than it returns; nothing without a
// board. Raises BoardError as the scans do.
std::vector<std::string> NameSuggestions(const Session& s, SearchKind kind, std::string_view typed,
                                         std::size_t limit = 50);

}  // namespace vantrel
