#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The 29EE page-write flash family of the virtual box: its parts and opcodes.
SimFamily EE29SimFamily();

} // namespace quarvin::sim
