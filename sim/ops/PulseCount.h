#pragma once
// Opcode 132: the number of program pulses the byte-program opcodes give
// (the EPROM variants 140..144 and the 28F flash's 137).
#include <cstdint>

#include "sim/OpcodeTable.h"

namespace quarvin::sim {

struct PulseCountState {
    std::uint8_t count = 1;
};

void installPulseCountOp(OpcodeTable& table);

} // namespace quarvin::sim
