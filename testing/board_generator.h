// Deterministic synthetic boards of any size for benchmarks and soak tests.
// The files obey every rule of the board format: markers only as markers, no
// outline coordinate equal to 1, no pin centre coordinate equal to 3, pins
// inside their parts, nets shared by both sides. Three large nets hold a few
// percent of all pins each; nails T1, T2 and T3 sit on GND, +3V3 and +5V.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

struct GeneratorOptions {
  int pinsPerSide = 1000;
  std::uint32_t seed = 1;
};

// The whole text of the top (.brd) or bottom (jet.CON) file.
std::string GenerateBoardText(const GeneratorOptions& options, bool bottom);
// Writes FOLDER/brdName and FOLDER/jet.CON, creating the folder.
void WriteBoardPair(const std::string& folder, const std::string& brdName, const GeneratorOptions& options);

}  // namespace vantrel
