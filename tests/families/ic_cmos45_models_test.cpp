// Behaviour of the 45 CMOS chip models that their library entries cannot see:
// wiring between a part's own pins (4506 expand), a read address that only acts
// from the next clock edge (4580), and timer divisions past an entry's line time
// (4541).
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

// The 4580 multiport register takes its read addresses in on CLOCK rising; its
// library entry only reads a bus after a clock edge, so it cannot tell a latched
// read address from one that acts at once.
constexpr int kClock = 16, kWriteEnable = 15, kReadA0 = 13, kReadA1 = 14;
constexpr int kWrite0 = 8, kWrite1 = 9, kData0 = 20, kData1 = 19, kData2 = 18, kData3 = 17;
constexpr int kBusA[] = {4, 5, 6, 7};

// Pin levels as the box would leave them: every pin high but the ones listed.
std::uint64_t levelsWithLow(std::initializer_list<int> low) {
    std::uint64_t levels = ~std::uint64_t{0};
    for (int pin : low) levels &= ~pinBit(pin);
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

// The 4541 timer: the entry's line time only reaches the 2^8 and 2^10 divisions;
// the 2^13 and 2^16 stages and the single-transition output past a full period
// are checked on the model here.
enum TimerPin { kRs = 3, kMasterReset = 6, kOutput = 8, kInvertSelect = 9, kRecycle = 10, kA = 12, kB = 13 };

// A 4541 in a socket: every pin starts high (released).
class Timer4541 {
public:
    // The counter and latch start wherever the seed puts them; MR must clear them.
    explicit Timer4541(std::uint32_t seed) : state_{~std::uint64_t{seed}, {~seed}} { evaluate(); }

    void set(int pin, bool high) {
        levels_ = high ? (levels_ | pinBit(pin)) : (levels_ & ~pinBit(pin));
        evaluate();
    }
    void clocks(unsigned count) {
        for (unsigned i = 0; i < count; ++i) {
            set(kRs, false);
            set(kRs, true);
        }
    }
    bool output() const { return output_; }

private:
    void evaluate() {
        LogicPins pins(levels_, previous_);
        cmos45Part(41).evaluate(pins, state_);
        previous_ = levels_;
        output_ = (pins.drivenLevels() >> (kOutput - 1)) & 1U;
    }
    std::uint64_t levels_ = ~std::uint64_t{0};
    std::uint64_t previous_ = ~std::uint64_t{0};
    LogicState state_;
    bool output_ = false;
};

struct Division {
    bool a, b;
    unsigned stages; // the output changes after 2^(stages-1) clocks
};

// The data sheet's division table.
constexpr Division kDivisions[] = {{false, false, 13}, {false, true, 10}, {true, false, 8}, {true, true, 16}};

Timer4541 resetTimer(const Division& d, bool recycle, std::uint32_t seed) {
    Timer4541 timer(seed);
    timer.set(kA, d.a);
    timer.set(kB, d.b);
    timer.set(kRecycle, recycle);
    timer.set(kInvertSelect, false);
    timer.set(kMasterReset, true);
    timer.clocks(3); // the clock is stopped while MR is high
    timer.set(kMasterReset, false);
    return timer;
}

// After 2^(n-1) clocks the output rises; a full period later a recycling output
// has fallen again while a single-transition output stays high until MR.
TEST(Cmos45Timer4541, EachDivisionInBothModes) {
    for (const Division& d : kDivisions)
        for (bool recycle : {true, false}) {
            SCOPED_TRACE(testing::Message() << d.stages << (recycle ? " recycle" : " single"));
            Timer4541 timer = resetTimer(d, recycle, d.stages);
            const unsigned half = 1U << (d.stages - 1);
            timer.clocks(half - 1);
            EXPECT_FALSE(timer.output());
            timer.clocks(1);
            EXPECT_TRUE(timer.output());
            timer.set(kInvertSelect, true);
            EXPECT_FALSE(timer.output());
            timer.set(kInvertSelect, false);
            timer.clocks(half);
            EXPECT_EQ(timer.output(), !recycle);
            timer.set(kMasterReset, true);
            EXPECT_FALSE(timer.output());
        }
}

} // namespace
} // namespace quarvin::sim
