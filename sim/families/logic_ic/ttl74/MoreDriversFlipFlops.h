#pragma once
// More 74 models: the dual J-K flip-flop with common clock and clear, the
// 3-state priority encoder, the push-pull exclusive NOR in the '86 layout and
// the open-collector octal drivers.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::ttl74 {

void dualJkCommonClockClear(LogicPins& pins, LogicState& state);
void octalPriorityEncoderThreeState(LogicPins& pins, LogicState& state);
void octalOpenCollectorInvertingDriver(LogicPins& pins, LogicState& state);
void octalOpenCollectorDriverMixedEnables(LogicPins& pins, LogicState& state);
void octalOpenCollectorDriver(LogicPins& pins, LogicState& state);

} // namespace quarvin::sim::ttl74
