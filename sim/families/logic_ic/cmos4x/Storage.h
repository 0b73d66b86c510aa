#pragma once
// Small accessors for a model's memory: one flip-flop per bit of LogicState::bits,
// wider registers and counters in LogicState::regs.
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::cmos4x {

inline bool stateBit(const LogicState& state, int index) { return (state.bits >> index) & 1U; }

inline void setStateBit(LogicState& state, int index, bool value) {
    const std::uint64_t mask = std::uint64_t{1} << index;
    state.bits = value ? (state.bits | mask) : (state.bits & ~mask);
}

} // namespace quarvin::sim::cmos4x
