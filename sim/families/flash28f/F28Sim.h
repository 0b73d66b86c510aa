#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The 28F flash family: opcodes 132, 133 and 137, one part per row with a part.
SimFamily F28SimFamily();

} // namespace quarvin::sim
