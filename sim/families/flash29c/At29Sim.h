#pragma once
#include "sim/SimFamily.h"

namespace quarvin::sim {

// The AT29C page-write flash families of the virtual box: the 32-pin parts
// ("TP29cx") and the AT29C256 ("TP29c256"), their parts and opcodes.
SimFamily At29cxSimFamily();
SimFamily At29c256SimFamily();

} // namespace quarvin::sim
