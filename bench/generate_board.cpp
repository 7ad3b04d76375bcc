// vantrel-genboard FOLDER PINS [SEED]: writes FOLDER/board.brd and its jet.CON.
#include <cstdlib>
#include <iostream>

#include "testing/board_generator.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: vantrel-genboard FOLDER PINS [SEED]\n";
    return 2;
  }
  vantrel::GeneratorOptions options;
  options.pinsPerSide = std::atoi(argv[2]);
  if (argc > 3) options.seed = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  vantrel::WriteBoardPair(argv[1], "board.brd", options);
  return 0;
}
