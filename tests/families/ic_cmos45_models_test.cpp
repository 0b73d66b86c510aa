// Properties of the 45 CMOS chip models that their test vectors cannot see
// because they need wiring between the part's own pins.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {
namespace {

const LogicPart& cmos45Part(int number) {
    for (const LogicPart& part : Cmos45Parts())
        if (part.number == number) return part;
    throw std::out_of_range("no such 45 part");
}

std::uint64_t pinBit(int pin) { return std::uint64_t{1} << (pin - 1); }

// The MC14506UB data sheet's expand example: gate B's output (7) wired to gate A's
// EXPAND input (5) makes gate A one 4-wide, 2-input AND-OR-INVERT gate over the
// AND inputs of both gates. INHIBIT (6), DISABLE (14) and EXPAND B (13) stay low,
// low and high.
TEST(Cmos45Models, Mc14506GateBIntoExpandAMakesAFourWideAoi) {
    const LogicPart& part = cmos45Part(6);
    const int andInputs[8] = {1, 2, 3, 4, 9, 10, 11, 12}; // A.B and C.D of gate A, then of gate B
    for (unsigned combination = 0; combination < 256; ++combination) {
        std::uint64_t levels = pinBit(13) | pinBit(16);
        for (int k = 0; k < 8; ++k)
            if ((combination >> k) & 1U) levels |= pinBit(andInputs[k]);
        LogicState state;
        LogicPins gateB(levels, levels);
        part.evaluate(gateB, state);
        ASSERT_TRUE(gateB.drivenMask() & pinBit(7));
        if (gateB.drivenLevels() & pinBit(7)) levels |= pinBit(5);
        LogicPins gateA(levels, levels);
        part.evaluate(gateA, state);

        bool anyTerm = false;
        for (int term = 0; term < 4; ++term) anyTerm = anyTerm || ((combination >> (2 * term)) & 3U) == 3U;
        EXPECT_EQ((gateA.drivenLevels() & pinBit(15)) != 0, !anyTerm) << "AND inputs " << combination;
    }
}

} // namespace
} // namespace quarvin::sim
