#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

SimFamily Pic16SimFamily();

} // namespace quarvin::sim
