#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The AT90S family on the box side: the data port opcodes and one part per row.
SimFamily Avr90sSimFamily();

} // namespace quarvin::sim
