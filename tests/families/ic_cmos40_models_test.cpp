// Behaviour of the added 40 series models that their library entries leave
// unchecked: the CD4006B's half-clock-delayed output between clock edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {
namespace {

const LogicPart& cmos40Part(int number) {
    for (const LogicPart& part : Cmos40Parts())
        if (part.number == number) return part;
    throw std::out_of_range("no such 40 part");
}

std::uint64_t pinBit(int pin) { return std::uint64_t{1} << (pin - 1); }

// D1 (1) runs through four stages to D1+4 (13) on CLOCK (3) falling; D1+4' (2)
// takes D1+4 only while CLOCK is high, so it changes half a clock later.
TEST(Cmos40Models, Cd4006DelayedOutputChangesHalfAClockAfterD1Plus4) {
    const LogicPart& part = cmos40Part(6);
    struct Step { bool clock, d1, plus4, plus4Delayed; };
    const Step steps[] = {
        // four falling edges with D1 high fill section 1 with ones
        {true, true, false, false}, {false, true, false, false}, {true, true, false, false},
        {false, true, false, false}, {true, true, false, false}, {false, true, false, false},
        {true, true, false, false}, {false, true, true, false}, // D1+4 rises on the 4th fall...
        {true, false, true, true},                               // ...D1+4' on the next rise
        {false, false, true, true}, {true, false, true, true}, {false, false, true, true},
        {true, false, true, true}, {false, false, true, true}, {true, false, true, true},
        {false, false, false, true},                             // the zero arrives on a fall
        {true, false, false, false},                             // and passes on the rise
    };
    LogicState state; // every stage low
    std::uint64_t previous = 0;
    int index = 0;
    for (const Step& s : steps) {
        std::uint64_t levels = 0;
        if (s.clock) levels |= pinBit(3);
        if (s.d1) levels |= pinBit(1);
        LogicPins pins(levels, previous);
        part.evaluate(pins, state);
        EXPECT_EQ((pins.drivenLevels() & pinBit(13)) != 0, s.plus4) << "step " << index;
        EXPECT_EQ((pins.drivenLevels() & pinBit(2)) != 0, s.plus4Delayed) << "step " << index;
        previous = levels;
        ++index;
    }
}

} // namespace
} // namespace quarvin::sim
