#pragma once
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

// The box's own commands: ports, pins, registers, latches, identify, status,
// delay tick and power off.
void installStandardOps(OpcodeTable& table);

// 128 read next byte, 147 advance the address: the plain memory reads that
// families may replace with their own.
void installAddressOps(OpcodeTable& table);

} // namespace quarvin::sim
