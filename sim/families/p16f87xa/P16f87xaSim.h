#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily P16f87xaSimFamily();

} // namespace quarvin::sim
