#pragma once
// The serial EEPROM command of the box (176): eight bits, most significant
// first, on socket pin 21 (SDA), each with a high-low pulse on pin 22 (SCL).
#include "sim/OpcodeTable.h"

namespace quarvin::sim {

void installI2cOps(OpcodeTable& table);

} // namespace quarvin::sim
