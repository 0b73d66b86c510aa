#pragma once
// The 29F flash family on the virtual box's side: its parts, the bus mode and
// the flash program command.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily F29SimFamily();

} // namespace quarvin::sim
