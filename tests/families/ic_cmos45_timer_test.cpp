// The 4541 programmable timer beyond its library entry: the entry's line time
// only reaches the 2^8 and 2^10 divisions, so the 2^13 and 2^16 stages, and the
// single-transition output past a full period, are checked on the model here.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {
namespace {

enum Pin { kRs = 3, kMasterReset = 6, kOutput = 8, kInvertSelect = 9, kRecycle = 10, kA = 12, kB = 13 };

const LogicPart& timer4541() {
    for (const LogicPart& part : Cmos45Parts())
        if (part.number == 41) return part;
    throw std::out_of_range("no 4541 in the 45 library");
}

// A 4541 in a socket: every pin starts high (released).
class Timer4541 {
public:
    // The counter and latch start wherever the seed puts them; MR must clear them.
    explicit Timer4541(std::uint32_t seed) : state_{~std::uint64_t{seed}, {~seed}} { evaluate(); }

    void set(int pin, bool high) {
        const std::uint64_t bit = std::uint64_t{1} << (pin - 1);
        levels_ = high ? (levels_ | bit) : (levels_ & ~bit);
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
        timer4541().evaluate(pins, state_);
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
