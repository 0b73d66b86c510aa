#pragma once
// The box's serial programming opcodes of the PIC families, carried out as clock
// and data edges on RB6/RB7 of the package the Vcc switch implies (Vcc on 25:
// 23/24, on 26: 33/34, on 32: 39/40). 168 clocks out a 6-bit command, 169 a
// command and then a 16-clock read frame with the data pin released, 170 a
// command and a 16-bit write frame; bits go out LSB first, the chip latches them
// on the falling clock edge.
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

void installPicSerialOps(OpcodeTable& table);

// Half a clock period of the serial engine, and its wait between a command and
// its data frame (the chips ask for at least 1 us).
inline constexpr double kPicClockHalfMicroseconds = 1.0;
inline constexpr double kPicCommandToDataMicroseconds = 2.0;

} // namespace quarvin::sim
