#pragma once
// The data bus opcodes of the microcontroller families, carried out on the
// socket pins: 160 reads and 161 drives pins 32..39 (a 40-pin part's P0, P0.0
// on pin 39); 165 reads and 166 drives pins 22..29 (a 20-pin part's P1, P1.0 on
// pin 22). The drives set levels only: the caller makes the pins outputs first
// (SetDataWidth), as on the bench.
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

void installMcuDataOps(OpcodeTable& table);

// Modelled time the box takes between setting or sampling the pins and
// answering: the data must be stable at the pins by then.
inline constexpr double kMcuBusSettleMicroseconds = 1.0;

} // namespace quarvin::sim
