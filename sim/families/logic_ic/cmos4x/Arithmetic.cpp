// Adders and comparators of the 40 series.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"

namespace quarvin::sim::cmos4x {

// 4-bit full adder with carry in (9) and carry out (14).
void cd4008(LogicPins& pins, LogicState&) {
    const unsigned sum = readBus(pins, {7, 5, 3, 1}) + readBus(pins, {6, 4, 2, 15}) + (pins.in(9) ? 1U : 0U);
    writeBus(pins, {10, 11, 12, 13, 14}, sum);
}

// 4-bit magnitude comparator; equal words pass the cascading inputs through.
void cd4063(LogicPins& pins, LogicState&) {
    const unsigned a = readBus(pins, {10, 12, 13, 15}), b = readBus(pins, {9, 11, 14, 1});
    const bool equal = a == b;
    pins.out(5, a > b || (equal && pins.in(4)));
    pins.out(6, equal && pins.in(3));
    pins.out(7, a < b || (equal && pins.in(2)));
}

} // namespace quarvin::sim::cmos4x
