#pragma once
// More 40 series parts: the quad true/complement buffer, the presettable
// 8-stage down counters and the universal shift register with 3-state outputs.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::cmos4x {

void cd4041(LogicPins&, LogicState&);   // quad true/complement buffer
void cd40102(LogicPins&, LogicState&);  // 2-decade BCD presettable down counter
void cd40103(LogicPins&, LogicState&);  // 8-bit binary presettable down counter
void cd40104(LogicPins&, LogicState&);  // 4-bit universal shift register, 3-state

} // namespace quarvin::sim::cmos4x
