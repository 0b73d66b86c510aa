#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The GAL22V10 parts; the family has no box opcodes of its own.
SimFamily P22v10SimFamily();

} // namespace quarvin::sim
