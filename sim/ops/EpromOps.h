#pragma once
#include <cstdint>

#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// Modelled program pulse width of each variant, in picoseconds.
std::int64_t EpromPulseWidthPs(std::uint8_t opcode);

} // namespace quarvin::sim
