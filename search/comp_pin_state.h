// What the component pin search remembers from one run to the next. Set when a
// pin is found, left as it was when none is, and never cleared while the
// program runs.
#pragma once

#include <string>

namespace vantrel {

struct CompPinMemory {
  std::string CompPinNet;       // net line of the pin last found by OK, first 20 characters
  std::string CompPinFourth;    // its fourth line, first 20 characters
  std::string RedrawPinNet;     // whole net line of the pin last found by a redraw
  std::string RedrawPinFourth;  // its whole fourth line
};

}  // namespace vantrel
