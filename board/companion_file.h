// Where the bottom side's file "jet.CON" of a board is found.
#pragma once

#include <string>

namespace vantrel {

inline constexpr const char* kCompanionName = "jet.CON";

// "jet.CON" in the folder of the chosen board file. Folders copied from other
// systems often spell it "JET.CON" or "jet.con": when the exact name is
// missing and exactly one file of the folder equals it ignoring ASCII case,
// that file is taken. Otherwise the exact name is returned, so that reading it
// reports "File not found".
std::string CompanionFile(const std::string& boardFile);

}  // namespace vantrel
