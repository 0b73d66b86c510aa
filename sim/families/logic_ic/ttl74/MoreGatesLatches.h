#pragma once
// More 74 models: the 20-pin hex drivers, the 4000-pinout HC gates, the exclusive NOR with inner
// outputs, the dual-enable bus transceivers, the dual addressable latch and
// the dual 4-bit latches and registers.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::ttl74 {

void hexNandDrivers(LogicPins& pins, LogicState& state);
void hexNorDrivers(LogicPins& pins, LogicState& state);
void hexOrDrivers(LogicPins& pins, LogicState& state);
void dualNor4OutputsOutside(LogicPins& pins, LogicState& state);
void tripleOr3CmosPinout(LogicPins& pins, LogicState& state);
void orNor8(LogicPins& pins, LogicState& state);
void octalDualEnableTransceiverAToB(LogicPins& pins, LogicState& state);
void octalDualEnableTransceiverAToBInverting(LogicPins& pins, LogicState& state);
void dualAddressableLatch(LogicPins& pins, LogicState& state);
void octalOpenCollectorDualEnableTransceiverAToB(LogicPins& pins, LogicState& state);
void dualLatch4WithClear(LogicPins& pins, LogicState& state);
void dualInvertingLatch4WithPreset(LogicPins& pins, LogicState& state);
void dualRegister4WithClear(LogicPins& pins, LogicState& state);
void dualInvertingRegister4WithPreset(LogicPins& pins, LogicState& state);

} // namespace quarvin::sim::ttl74
