#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The optocoupler tester's parts, one or more per package; no opcodes of its own.
SimFamily OptoSimFamily();

} // namespace quarvin::sim
