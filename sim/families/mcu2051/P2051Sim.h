#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The 20-pin 8051 flash family on the virtual box: the P1 bus opcodes and one
// part per row.
SimFamily P2051SimFamily();

} // namespace quarvin::sim
