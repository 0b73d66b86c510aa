#pragma once
// The W27E family on the virtual box's side: its parts. It programs with the
// EPROM family's opcodes.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily W27eSimFamily();

} // namespace quarvin::sim
