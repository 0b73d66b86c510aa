#pragma once
// The 24Cxx family on the virtual box's side.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily I2cEepromSimFamily();

} // namespace quarvin::sim
