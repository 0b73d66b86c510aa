#pragma once
// Installers of the accelerated opcodes, one per group, each in its own file.
// installFamilyOps (FamilyOps.cpp) calls them all when a box is made.
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

void installFamilyOps(OpcodeTable& table);

// 128 read next byte, 147 advance the address.
void installAddressOps(OpcodeTable& table);

// 128 read next byte with a /CE strobe (replaces the plain read above), 129 page
// blank check, 130 page sum, 132 pulse count, 140..144 EPROM byte program.
void installEpromOps(OpcodeTable& table);

} // namespace quarvin::sim
