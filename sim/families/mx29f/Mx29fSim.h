#pragma once
// The MX29F flash family on the virtual box's side: its parts (29F chip
// models with the MX29F040's codes, times and ratings) and the 29F family's
// bus mode and flash program command.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily Mx29fSimFamily();

} // namespace quarvin::sim
