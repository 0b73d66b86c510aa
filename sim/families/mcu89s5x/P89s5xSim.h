#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The AT89S5x family on the virtual box: the data bus opcodes, the short
// strobe and one part per row.
SimFamily P89s5xSimFamily();

} // namespace quarvin::sim
