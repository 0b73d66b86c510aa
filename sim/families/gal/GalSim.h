#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The GAL16V8/20V8 parts; the family has no box opcodes of its own.
SimFamily GalSimFamily();

} // namespace quarvin::sim
