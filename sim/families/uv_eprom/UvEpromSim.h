#pragma once
// The UV EPROM family on the virtual box's side.
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily UvEpromSimFamily();

} // namespace quarvin::sim
