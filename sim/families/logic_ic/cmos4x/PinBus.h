#pragma once
// Groups of pins read or written as one binary number, least significant pin first.
#include <initializer_list>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::cmos4x {

inline unsigned readBus(const LogicPins& pins, std::initializer_list<int> bus) {
    unsigned value = 0, weight = 1;
    for (int pin : bus) {
        if (pins.in(pin)) value |= weight;
        weight <<= 1;
    }
    return value;
}

inline void writeBus(LogicPins& pins, std::initializer_list<int> bus, unsigned value) {
    for (int pin : bus) {
        pins.out(pin, value & 1U);
        value >>= 1;
    }
}

// A 3-state bus: driven with value while enabled, released otherwise.
inline void writeBus3(LogicPins& pins, std::initializer_list<int> bus, unsigned value, bool enabled) {
    for (int pin : bus) {
        if (enabled) pins.out(pin, value & 1U); else pins.release(pin);
        value >>= 1;
    }
}

} // namespace quarvin::sim::cmos4x
