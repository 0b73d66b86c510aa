#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The logic IC tester's parts: every part of the three libraries, its class as
// sub-type. The tester needs only the box's standard commands.
SimFamily LogicIcSimFamily();

} // namespace quarvin::sim
