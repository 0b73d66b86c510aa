#pragma once
// Box-side block writes of the page-write memories (28C EEPROM, 29EE flash):
// 131 sets the block length, 136 loads the block that follows into the chip
// from the current address on, 146 does the same after the software data
// protection prefix; 148 after a six-byte command.
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// 131, 136 and 146.
void installPageWriteOps(OpcodeTable& table);
// 148: the six-byte command AA/5555 55/2AAA 80/5555 AA/5555 55/2AAA v/5555 (v
// its first argument), then a block of the set length, all at the box's pace
// (the AT29C data protection off, whose page must follow the code inside the
// byte-load window).
void installSixByteBlockWriteOp(OpcodeTable& table);

} // namespace quarvin::sim
