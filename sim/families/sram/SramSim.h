#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The static RAM tester's parts. Its opcodes are the box's own and the memory
// families' (page sum, advance, block length, pulse count, bus mode).
SimFamily SramSimFamily();

} // namespace quarvin::sim
