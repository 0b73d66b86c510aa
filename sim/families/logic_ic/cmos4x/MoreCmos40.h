#pragma once
// More 40 series parts: the quad true/complement buffer, the presettable
// 8-stage down counters and the shift registers (universal with 3-state
// outputs, 18-stage in four sections, 64-stage).
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::cmos4x {

void cd4041(LogicPins&, LogicState&);   // quad true/complement buffer
void cd40102(LogicPins&, LogicState&);  // 2-decade BCD presettable down counter
void cd40103(LogicPins&, LogicState&);  // 8-bit binary presettable down counter
void cd40104(LogicPins&, LogicState&);  // 4-bit universal shift register, 3-state
void cd4006(LogicPins&, LogicState&);   // 18-stage static shift register in four sections
void cd4031(LogicPins&, LogicState&);   // 64-stage static shift register

} // namespace quarvin::sim::cmos4x
