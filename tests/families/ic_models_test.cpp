// Behaviour of the logic chip models that their library entries cannot see: the
// box reads a released pin and a pin driven high alike, so which pins a model
// drives and when its 3-state outputs let go are checked on the model; so are
// wiring between a part's own pins (4506 expand), a read address that acts from
// the next clock edge (4580), a half-clock delayed output (4006) and timer
// divisions past an entry's line time (4541).
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/SimFamily.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {
namespace {

std::uint64_t pinBit(int pin) { return std::uint64_t{1} << (pin - 1); }

std::uint64_t pinsOfKind(const LogicPart& part, std::string_view kinds) {
    std::uint64_t mask = 0;
    const std::string_view letters = part.pinKinds;
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (kinds.find(letters[i]) != std::string_view::npos) mask |= pinBit(static_cast<int>(i) + 1);
    return mask;
}

std::uint64_t maskOf(const std::vector<int>& pins) {
    std::uint64_t mask = 0;
    for (int pin : pins) mask |= pinBit(pin);
    return mask;
}

const LogicPart& partNumbered(const std::vector<LogicPart>& parts, int number) {
    for (const LogicPart& part : parts)
        if (part.number == number) return part;
    throw std::out_of_range("no part " + std::to_string(number));
}

const LogicPart& partNamed(const char* name) {
    for (const auto* parts : {&Ttl74Parts(), &Cmos40Parts(), &Cmos45Parts()})
        for (const LogicPart& part : *parts)
            if (SamePartName(part.name, name)) return part;
    throw std::out_of_range(name);
}

// The pins a freshly powered model drives with the listed inputs low, every other pin high.
std::uint64_t drivenWithLow(const LogicPart& part, const std::vector<int>& low) {
    const std::uint64_t levels = ~maskOf(low);
    LogicState state{};
    LogicPins pins(levels, levels);
    part.evaluate(pins, state);
    return pins.drivenMask();
}

// Random input sequences: a model drives only its output pins, and its push-pull
// and open-collector outputs always. (The compiler refuses supplies off the
// corner pins the box can power, and the pin letters are the source's.)
TEST(Ttl74Models, DriveOnlyTheirOutputs) {
    constexpr int kSteps = 300;
    std::mt19937_64 rng(74);
    for (const LogicPart& part : Ttl74Parts()) {
        SCOPED_TRACE(part.name);
        const std::uint64_t inputs = pinsOfKind(part, "I");
        const std::uint64_t outputs = pinsOfKind(part, "OCT");
        const std::uint64_t alwaysDriven = pinsOfKind(part, "OC");
        LogicState state{rng(), {}};
        std::uint64_t previous = ~std::uint64_t{0};
        for (int step = 0; step < kSteps; ++step) {
            const std::uint64_t levels = (rng() & inputs) | ~inputs;
            LogicPins pins(levels, previous);
            part.evaluate(pins, state);
            previous = levels;
            if ((pins.drivenMask() & ~outputs) != 0 || (pins.drivenMask() & alwaysDriven) != alwaysDriven) {
                ADD_FAILURE() << "drives " << std::hex << pins.drivenMask() << ", outputs " << outputs;
                break;
            }
        }
    }
}

// 3-state outputs release on their enables; the pins still driven belong to an
// enabled group or are not 3-state.
struct OffCase {
    std::vector<int> numbers; // 74 parts with the same pins
    std::vector<int> lowInputs; // all other inputs high
    std::vector<int> released;
    std::vector<int> driven;
};

const std::vector<OffCase> kOffCases = {
    {{125}, {}, {3, 6, 8, 11}, {}},
    {{126}, {1, 4, 10, 13}, {3, 6, 8, 11}, {}},
    {{240}, {}, {18, 16, 14, 12, 9, 7, 5, 3}, {}},
    {{241}, {19}, {18, 16, 14, 12, 9, 7, 5, 3}, {}},
    {{241}, {1}, {}, {18, 16, 14, 12, 9, 7, 5, 3}},
    {{244}, {19}, {18, 16, 14, 12}, {9, 7, 5, 3}},
    {{541}, {19}, {18, 17, 16, 15, 14, 13, 12, 11}, {}},
    {{365, 366}, {15}, {3, 5, 7, 9, 11, 13}, {}},
    {{367}, {15}, {3, 5, 7, 9}, {11, 13}},
    {{368}, {1}, {11, 13}, {3, 5, 7, 9}},
    {{640}, {1, 19}, {11, 12, 13, 14, 15, 16, 17, 18}, {}}, // enabled B to A: the B side lets go
    {{640}, {19}, {}, {11, 12, 13, 14, 15, 16, 17, 18}},
    {{373, 374, 534, 533}, {}, {2, 5, 6, 9, 12, 15, 16, 19}, {}},
    {{573, 574, 563}, {}, {12, 13, 14, 15, 16, 17, 18, 19}, {}},
    {{564}, {1}, {}, {12, 13, 14, 15, 16, 17, 18, 19}},
    {{595}, {}, {15, 1, 2, 3, 4, 5, 6, 7}, {9}},
    {{173}, {2}, {3, 4, 5, 6}, {}},
    {{670}, {}, {6, 7, 9, 10}, {}},
    {{189}, {2, 3}, {5, 7, 9, 11}, {}},
    {{189}, {}, {5, 7, 9, 11}, {}},
    {{251}, {}, {5, 6}, {}},
    {{253, 353}, {1}, {9}, {7}},
    {{257, 258}, {}, {4, 7, 9, 12}, {}},
    {{623}, {1}, {11, 12, 13, 14, 15, 16, 17, 18}, {}}, // GAB low; GBA/ high
    {{620}, {}, {}, {11, 12, 13, 14, 15, 16, 17, 18}},
    {{873}, {2}, {15, 16, 17, 18}, {19, 20, 21, 22}}, // each half has its own OE/
    {{873}, {11}, {19, 20, 21, 22}, {15, 16, 17, 18}},
    {{323}, {}, {4, 5, 6, 7, 13, 14, 15, 16}, {8, 17}}, // S1 S0 = 11: the I/O pins are inputs
    {{323}, {1, 2, 3}, {}, {4, 5, 6, 7, 13, 14, 15, 16}},
    {{323}, {1, 3}, {4, 5, 6, 7, 13, 14, 15, 16}, {8, 17}},
    {{568, 561}, {}, {13, 14, 15, 16}, {18, 19}},
    {{569}, {17}, {}, {13, 14, 15, 16}},
    {{874}, {2}, {15, 16, 17, 18}, {19, 20, 21, 22}}, // each half has its own enable
    {{821}, {}, {14, 15, 16, 17, 18, 19, 20, 21, 22, 23}, {}},
    {{823}, {}, {15, 16, 17, 18, 19, 20, 21, 22, 23}, {}},
    {{286}, {}, {6}, {5}},    // XMIT/ high: the parity I/O pin is an input
    {{286}, {3}, {}, {5, 6}}, // XMIT/ low: it drives the parity
    {{348}, {}, {6, 7, 9}, {14, 15}},  // EI/ high
    {{348}, {5}, {6, 7, 9}, {14, 15}}, // EI/ low, no input low: nothing to encode
    {{348}, {5, 12}, {}, {6, 7, 9}},
};

TEST(LogicModels, ThreeStateOutputsReleaseWhenDisabled) {
    for (const OffCase& c : kOffCases)
        for (int number : c.numbers) {
            const LogicPart& part = partNumbered(Ttl74Parts(), number);
            SCOPED_TRACE(part.name);
            const std::uint64_t driven = drivenWithLow(part, c.lowInputs);
            EXPECT_EQ(driven & maskOf(c.released), 0u);
            EXPECT_EQ(driven & maskOf(c.driven), maskOf(c.driven));
        }
    // CMOS parts: the inputs that disable every 3-state output, and those that
    // enable them all again.
    const struct {
        const char* part;
        std::vector<int> lowWhenDisabled, lowWhenEnabled; // the other inputs are high
    } cmos[] = {
        {"CD4043B", {5}, {}},            // ENABLE low
        {"CD4044B", {5}, {}},
        {"CD4076B", {15}, {1, 2}},       // M or N high (RESET held low only when enabled)
        {"CD4094B", {15}, {}},           // OUTPUT ENABLE low
        {"MC14502B", {}, {4}},           // DISABLE high
        {"MC14503B", {}, {1, 15}},       // DISABLE A and B high
        {"MC14506UB", {}, {14}},         // DISABLE high
        {"CD4508B", {}, {3, 15}},
        {"MC14512B", {}, {15}},
        {"MC14580B", {3, 21}, {}},       // 3-STATE A and B low
        {"HEF40240B", {}, {1, 19}},      // EOA and EOB high
        {"HEF40244B", {}, {1, 19}},
        {"HEF40245B", {}, {19}},        // EO high (DR high: A to B)
        {"HEF40098B", {}, {1, 15}},      // 1OE and 2OE high
        {"CD40104B", {1}, {}},           // OUTPUT ENABLE low
        {"CD40257B", {}, {15}},          // OUTPUT DISABLE high
    };
    for (const auto& c : cmos) {
        SCOPED_TRACE(c.part);
        const LogicPart& part = partNamed(c.part);
        const std::uint64_t threeState = pinsOfKind(part, "T");
        EXPECT_EQ(drivenWithLow(part, c.lowWhenDisabled) & threeState, 0u);
        EXPECT_EQ(drivenWithLow(part, c.lowWhenEnabled) & threeState, threeState);
    }
}

// D1 (1) runs through four stages to D1+4 (13) on CLOCK (3) falling; D1+4' (2)
// takes D1+4 only while CLOCK is high, so it changes half a clock later. The
// CD4006B's entry checks D1+4' only with CLOCK high.
TEST(CmosModels, Cd4006DelayedOutputChangesHalfAClockAfterD1Plus4) {
    const LogicPart& part = partNamed("CD4006B");
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
        const std::uint64_t levels = (s.clock ? pinBit(3) : 0) | (s.d1 ? pinBit(1) : 0);
        LogicPins pins(levels, previous);
        part.evaluate(pins, state);
        EXPECT_EQ((pins.drivenLevels() & pinBit(13)) != 0, s.plus4) << "step " << index;
        EXPECT_EQ((pins.drivenLevels() & pinBit(2)) != 0, s.plus4Delayed) << "step " << index;
        previous = levels;
        ++index;
    }
}

// The MC14506UB data sheet's expand example: gate B's output (7) wired to gate A's
// EXPAND input (5) makes gate A one 4-wide, 2-input AND-OR-INVERT gate over the
// AND inputs of both gates. INHIBIT (6), DISABLE (14) and EXPAND B (13) stay low,
// low and high.
TEST(Cmos45Models, Mc14506GateBIntoExpandAMakesAFourWideAoi) {
    const LogicPart& part = partNumbered(Cmos45Parts(), 6);
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
    const LogicPart& part_ = partNumbered(Cmos45Parts(), 80);
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
        partNumbered(Cmos45Parts(), 41).evaluate(pins, state_);
        previous_ = levels_;
        output_ = (pins.drivenLevels() >> (kOutput - 1)) & 1U;
    }
    std::uint64_t levels_ = ~std::uint64_t{0};
    std::uint64_t previous_ = ~std::uint64_t{0};
    LogicState state_;
    bool output_ = false;
};

// After 2^(n-1) clocks the output rises; a full period later a recycling output
// has fallen again while a single-transition output stays high until MR.
TEST(Cmos45Timer4541, EachDivisionInBothModes) {
    // The data sheet's division table: A, B and the stages n.
    const struct { bool a, b; unsigned stages; } divisions[] = {{false, false, 13}, {false, true, 10}, {true, false, 8}, {true, true, 16}};
    for (const auto& d : divisions)
        for (bool recycle : {true, false}) {
            SCOPED_TRACE(testing::Message() << d.stages << (recycle ? " recycle" : " single"));
            Timer4541 timer(d.stages);
            for (const auto& [pin, high] : {std::pair{kA, d.a}, {kB, d.b}, {kRecycle, recycle}, {kInvertSelect, false}})
                timer.set(pin, high);
            timer.set(kMasterReset, true);
            timer.clocks(3); // the clock is stopped while MR is high
            timer.set(kMasterReset, false);
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
