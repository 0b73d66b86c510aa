#pragma once
// Chip faults as the command lines name them:
//   stuck:ADDR:MASK:VALUE  the bits of MASK read as VALUE at ADDR (hexadecimal)
//   noprogram:ADDR         the cell at ADDR will not program
//   protect:FIRST:LAST     cells FIRST..LAST are in protected sectors (flash)
//   slow:FACTOR            erase and write cycles take FACTOR times as long
//   empty                  the socket looks empty
//   busy                   the first self-timed write or erase cycle never ends
//   short:A:B              address lines A and B (decimal bit numbers) wired together
//   leak:ADDR:US           the cell at ADDR reverts US microseconds after a write
//   pin:N:0|1              the output on chip pin N is stuck low or high
//   dead                   the chip is powered but does nothing
//   opto:CH:open|short|dead  optocoupler channel CH (from 1) fails
//   nocontact:PIN          the socket contact of chip pin PIN is open
//   reversed               the part sits turned by 180 degrees
//   offset:N               the part sits N rows higher than its row places it
#include <string>

#include "sim/Chip.h"

namespace quarvin::sim {

// Adds the named fault to `faults`; the error text, empty when understood.
std::string AddChipFault(ChipFaults& faults, const std::string& text);

// The chip's faults that name a cell it does not have (a fault that would never
// show), a pin it does not have or a seat higher than the socket's top row;
// "" when every fault fits the chip. Chips without memory cells (logic parts)
// are not checked for addresses.
std::string FaultOutsideChip(const Chip& chip);

inline constexpr const char* kChipFaultForms =
    "stuck:ADDR:MASK:VALUE, noprogram:ADDR, protect:FIRST:LAST, slow:FACTOR, short:A:B, leak:ADDR:US, "
    "pin:N:0|1, opto:CH:open|short|dead, nocontact:PIN, offset:N, empty, busy, dead or reversed";

} // namespace quarvin::sim
