#pragma once
// Chip faults as the command lines name them:
//   stuck:ADDR:MASK:VALUE  the bits of MASK read as VALUE at ADDR (hexadecimal)
//   noprogram:ADDR         the cell at ADDR will not program
//   protect:FIRST:LAST     cells FIRST..LAST are in protected sectors (flash)
//   slow:FACTOR            erase and write cycles take FACTOR times as long
//   empty                  the socket looks empty
//   busy                   the first self-timed write or erase cycle never ends
#include <string>

#include "sim/Chip.h"

namespace quarvin::sim {

// Adds the named fault to `faults`; the error text, empty when understood.
std::string AddChipFault(ChipFaults& faults, const std::string& text);

inline constexpr const char* kChipFaultForms =
    "stuck:ADDR:MASK:VALUE, noprogram:ADDR, protect:FIRST:LAST, slow:FACTOR, empty or busy";

} // namespace quarvin::sim
