#pragma once
// Small helpers the 74 TTL models share: reading a group of input pins as a
// number, driving a group of outputs from one, and the model memory as bits.
#include <array>
#include <cstddef>
#include <cstdint>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::ttl74 {

// Pins of a bus, least significant bit first.
template <std::size_t N>
using Bus = std::array<int, N>;

template <std::size_t N>
unsigned readBus(const LogicPins& pins, const Bus<N>& bus) {
    unsigned value = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (pins.in(bus[i])) value |= 1U << i;
    return value;
}

template <std::size_t N>
void driveBus(LogicPins& pins, const Bus<N>& bus, unsigned value) {
    for (std::size_t i = 0; i < N; ++i) pins.out(bus[i], (value >> i) & 1U);
}

// A 3-state bus: driven while enabled, released otherwise.
template <std::size_t N>
void driveBus3State(LogicPins& pins, const Bus<N>& bus, unsigned value, bool enabled) {
    if (enabled) {
        driveBus(pins, bus, value);
        return;
    }
    for (int pin : bus) pins.release(pin);
}

// A pin's level before the change that triggered this evaluation.
inline bool previousLevel(const LogicPins& pins, int pin) {
    if (pins.rose(pin)) return false;
    if (pins.fell(pin)) return true;
    return pins.in(pin);
}

inline bool stateBit(const LogicState& state, int index) { return (state.bits >> index) & 1U; }

inline void setStateBit(LogicState& state, int index, bool value) {
    const std::uint64_t mask = std::uint64_t{1} << index;
    state.bits = value ? (state.bits | mask) : (state.bits & ~mask);
}

} // namespace quarvin::sim::ttl74
