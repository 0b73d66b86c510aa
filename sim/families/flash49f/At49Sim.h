#pragma once
// The AT49F flash family on the virtual box's side: its parts, and the 29F
// family's bus mode and flash program command.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily At49fSimFamily();

} // namespace quarvin::sim
