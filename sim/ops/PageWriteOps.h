#pragma once
// Box-side block writes of the page-write memories (28C EEPROM, 29EE flash):
// 131 sets the block length, 136 loads the block that follows into the chip
// from the current address on, 146 does the same after the software data
// protection prefix.
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// 131, 136 and 146.
void installPageWriteOps(OpcodeTable& table);

} // namespace quarvin::sim
