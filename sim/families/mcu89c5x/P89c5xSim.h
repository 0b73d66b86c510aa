#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The 40-pin 8051 flash family on the virtual box: the data bus opcodes and one
// part per row.
SimFamily P89c5xSimFamily();

} // namespace quarvin::sim
