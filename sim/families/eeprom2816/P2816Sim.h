#pragma once
// The 2816A-class EEPROM family on the virtual box's side: its parts. The
// family's sequences are pin steps and the box's common reads: no opcodes.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily P2816SimFamily();

} // namespace quarvin::sim
