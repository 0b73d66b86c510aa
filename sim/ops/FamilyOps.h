#pragma once
// Installers of the accelerated opcodes, one per group, each in its own file.
// installFamilyOps (FamilyOps.cpp) calls them all when a box is made.
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

void installFamilyOps(OpcodeTable& table);

// 128 read next byte, 147 advance the address.
void installAddressOps(OpcodeTable& table);

} // namespace quarvin::sim
