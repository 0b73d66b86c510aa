// The 4580 multiport register takes its read addresses in on CLOCK rising. Its
// library entry only reads a bus after a clock edge, so that entry cannot tell a
// latched read address from one that acts at once; this checks the model does
// what the part's data sheet says.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {
namespace {

const LogicPart& cmos45Part(int number) {
    for (const LogicPart& part : Cmos45Parts())
        if (part.number == number) return part;
    throw std::out_of_range("no such 45 part");
}

constexpr int kClock = 16, kWriteEnable = 15, kReadA0 = 13, kReadA1 = 14;
constexpr int kWrite0 = 8, kWrite1 = 9, kData0 = 20, kData1 = 19, kData2 = 18, kData3 = 17;
constexpr int kBusA[] = {4, 5, 6, 7};

// Pin levels as the box would leave them: every pin high but the ones listed.
std::uint64_t levelsWithLow(std::initializer_list<int> low) {
    std::uint64_t levels = ~std::uint64_t{0};
    for (int pin : low) levels &= ~(std::uint64_t{1} << (pin - 1));
    return levels;
}

class Multiport {
public:
    // Applies new input levels and returns the word on bus A.
    unsigned apply(std::uint64_t levels) {
        LogicPins pins(levels, previous_);
        part_.evaluate(pins, state_);
        previous_ = levels;
        unsigned word = 0, weight = 1;
        for (int pin : kBusA) {
            if ((pins.drivenLevels() >> (pin - 1)) & 1U) word |= weight;
            weight <<= 1;
        }
        return word;
    }
    // The inputs with CLOCK low, then CLOCK rising; returns the word on bus A.
    unsigned clock(std::uint64_t levels) {
        apply(levels & levelsWithLow({kClock}));
        return apply(levels);
    }

private:
    const LogicPart& part_ = cmos45Part(80);
    LogicState state_{};
    std::uint64_t previous_ = ~std::uint64_t{0};
};

TEST(Cmos45Multiport, AReadAddressActsFromTheNextClockEdge) {
    Multiport chip;
    chip.clock(levelsWithLow({kWrite0, kWrite1, kData1, kData3})); // word 0 = 0101
    chip.clock(levelsWithLow({kData0, kData2}));                   // word 3 = 1010
    const std::uint64_t readWord0 = levelsWithLow({kWriteEnable, kReadA0, kReadA1});
    const std::uint64_t readWord3 = levelsWithLow({kWriteEnable});
    EXPECT_EQ(chip.clock(readWord0), 0x5U);
    // Address 3 on the inputs with CLOCK low: bus A keeps word 0 until CLOCK rises.
    EXPECT_EQ(chip.apply(readWord3 & levelsWithLow({kClock})), 0x5U);
    EXPECT_EQ(chip.apply(readWord3), 0xAU);
    // CLOCK falling takes no address in.
    EXPECT_EQ(chip.apply(readWord0 & levelsWithLow({kClock})), 0xAU);
}

} // namespace
} // namespace quarvin::sim
