#pragma once
// The 29F flash family on the virtual box's side: its parts, the bus mode and
// the flash program command.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily F29SimFamily();

// The bus mode and the flash program command (145), for the families whose
// parts program as the 29F parts do.
void installF29Ops(OpcodeTable& t);

} // namespace quarvin::sim
