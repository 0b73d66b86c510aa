#pragma once
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// The box's own commands: ports, pins, registers, latches, identify, status,
// delay tick and power off.
void installStandardOps(OpcodeTable& table);

} // namespace quarvin::sim
