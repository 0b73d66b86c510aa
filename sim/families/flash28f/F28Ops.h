#pragma once
// The 28F flash opcodes, carried out as the pin steps they stand for on a
// 32-pin part (/CE on socket pin 26, /OE on 28, /WE on 35).
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// 132 the pulse count; 133 (a, b) two writes at the current address; 137 (d)
// up to pulse-count rounds of 40, d, 10 us, C0, 6 us and a read, until the byte
// reads back as d, then the last read as the reply and the address one further.
void installF28Ops(OpcodeTable& table);

} // namespace quarvin::sim
