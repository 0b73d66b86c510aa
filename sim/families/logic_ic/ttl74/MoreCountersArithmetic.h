#pragma once
// Evaluate functions of further 74 TTL counters, registers, shift registers,
// comparators and a parity generator (MoreCountersArithmetic.cpp).
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::ttl74 {

void hexRegisterWithEnable(LogicPins& pins, LogicState& state);
void quadRegisterWithEnableComplement(LogicPins& pins, LogicState& state);
void dualDecadeCounterSetNine(LogicPins& pins, LogicState& state);
void universalShiftRegisterBusSyncReset(LogicPins& pins, LogicState& state);
void busRegister10(LogicPins& pins, LogicState& state);
void busRegister9WithClearAndEnable(LogicPins& pins, LogicState& state);
void parityGeneratorWithIOPort(LogicPins& pins, LogicState& state);
void addressComparator12(LogicPins& pins, LogicState& state);
void addressComparator16(LogicPins& pins, LogicState& state);
void binaryCounter3StateAsyncLoad(LogicPins& pins, LogicState& state);
void identityComparator8ActiveHigh(LogicPins& pins, LogicState& state);
void decadeUpDownCounter3State(LogicPins& pins, LogicState& state);
void binaryUpDownCounter3State(LogicPins& pins, LogicState& state);

} // namespace quarvin::sim::ttl74
