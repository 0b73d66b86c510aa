#pragma once
// The UV EPROM family's box opcodes: read next byte with a /CE strobe, page blank
// check and sum, the pulse count and the five program-byte variants.
#include <cstdint>

#include "families/uv_eprom/EpromRows.h"
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

void installEpromOps(OpcodeTable& table);

// Modelled program pulse width of each variant, in picoseconds.
std::int64_t EpromPulseWidthPs(EpromProgramCommand command);

} // namespace quarvin::sim
