#pragma once
// The 93Cxx family on the virtual box's side: chip models only, the family
// uses no box commands of its own.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily MicrowireSimFamily();

} // namespace quarvin::sim
