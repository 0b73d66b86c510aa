#pragma once
// The 28C EEPROM family on the virtual box's side: its parts, the block length
// and the two block writes.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily E28SimFamily();

} // namespace quarvin::sim
