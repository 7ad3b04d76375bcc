// What the open/short search remembers between its passes, per slot (slot 1 is
// index 0): the net of the nail found for the slot and the pins found on that
// net. Lives in the Session for the whole run of the program; empty at start.
#pragma once

#include <string>

namespace vantrel {

struct OpenShortMemory {
  // The net-name line of the slot's nail: the bottom side's when the nail is
  // found there, else the top side's, else empty.
  std::string NailNet[3];
  // " " + name line of every pin record on the slot's net, top side first,
  // each side in file order.
  std::string NetPinList[3];
};

}  // namespace vantrel
