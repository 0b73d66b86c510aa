// Counters: the synchronous presettable '160..'163, the up/down '169, '668,
// '669, '190..'193, the ripple '196, '197, '290, '293, '390, '393 and the
// 8-bit '590 with its output register. Counts live in LogicState::regs, QA in bit 0.
#include <array>
#include <cstdint>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr unsigned kNibble = 0xF;
constexpr unsigned kBitA = 1, kBitB = 2, kBitC = 4, kBitD = 8;
constexpr unsigned kLastDecimal = 9;
constexpr unsigned kLastBinary = 15;

enum class Modulus { Decade, Binary };

unsigned lastCount(Modulus modulus) { return modulus == Modulus::Decade ? kLastDecimal : kLastBinary; }

// One step up. The decade parts' toggle logic (B toggles on A and not D, C on A
// and B, D on A, B and C or on A and D) also says where states 10..15 go.
unsigned countUp(unsigned count, Modulus modulus) {
    count &= kNibble;
    if (modulus == Modulus::Binary) return (count + 1) & kNibble;
    const bool a = count & kBitA, b = count & kBitB, c = count & kBitC, d = count & kBitD;
    unsigned toggles = kBitA;
    if (a && !d) toggles |= kBitB;
    if (a && b) toggles |= kBitC;
    if ((a && b && c) || (a && d)) toggles |= kBitD;
    return count ^ toggles;
}

unsigned countDown(unsigned count, Modulus modulus) {
    count &= kNibble;
    if (count == 0) return lastCount(modulus);
    return count - 1;
}

// The decade parts flag 9 by QA and QD alone, as their gating does.
bool atLast(unsigned count, Modulus modulus) {
    count &= kNibble;
    if (modulus == Modulus::Decade) return (count & (kBitA | kBitD)) == (kBitA | kBitD);
    return count == kLastBinary;
}

unsigned countStep(unsigned count, bool up, Modulus modulus) {
    return up ? countUp(count, modulus) : countDown(count, modulus);
}

// The end of the count in its direction: the last count going up, 0 going down.
bool atEnd(unsigned count, bool up, Modulus modulus) { return up ? atLast(count, modulus) : (count & kNibble) == 0; }

// '160..'163.
namespace sync16x {
constexpr int kClear = 1, kClock = 2, kEnableP = 7, kLoad = 9, kEnableT = 10, kRippleCarry = 15;
constexpr Bus<4> kData = {3, 4, 5, 6};
constexpr Bus<4> kQ = {14, 13, 12, 11};
} // namespace sync16x

enum class Clear { Asynchronous, Synchronous };

void synchronousCounter(LogicPins& pins, LogicState& state, Modulus modulus, Clear clear) {
    using namespace sync16x;
    std::uint32_t& count = state.regs[0];
    const bool clearLow = !pins.in(kClear);
    if (clear == Clear::Asynchronous && clearLow) {
        count = 0;
    } else if (pins.rose(kClock)) {
        if (clearLow) count = 0;
        else if (!pins.in(kLoad)) count = readBus(pins, kData);
        else if (pins.in(kEnableP) && pins.in(kEnableT)) count = countUp(count, modulus);
    }
    driveBus(pins, kQ, count);
    pins.out(kRippleCarry, pins.in(kEnableT) && atLast(count, modulus));
}

// '169, '668, '669: synchronous load and count on the rising clock, enables active low,
// ripple carry low while T is low at the end of the count in either direction.
namespace upDown169 {
constexpr int kUp = 1, kClock = 2, kEnableP = 7, kLoad = 9, kEnableT = 10, kRippleCarry = 15;
constexpr Bus<4> kData = {3, 4, 5, 6};
constexpr Bus<4> kQ = {14, 13, 12, 11};
} // namespace upDown169

void synchronousUpDownCounter(LogicPins& pins, LogicState& state, Modulus modulus) {
    using namespace upDown169;
    std::uint32_t& count = state.regs[0];
    const bool up = pins.in(kUp);
    const bool enableT = !pins.in(kEnableT);
    if (pins.rose(kClock)) {
        if (!pins.in(kLoad)) count = readBus(pins, kData);
        else if (!pins.in(kEnableP) && enableT) count = countStep(count, up, modulus);
    }
    driveBus(pins, kQ, count);
    pins.out(kRippleCarry, !(enableT && atEnd(count, up, modulus)));
}

// '190/'191: one clock, direction input, asynchronous load.
namespace upDown19x {
constexpr int kEnable = 4, kDown = 5, kLoad = 11, kMaxMin = 12, kRippleClock = 13, kClock = 14;
constexpr Bus<4> kData = {15, 1, 10, 9};
constexpr Bus<4> kQ = {3, 2, 6, 7};
} // namespace upDown19x

void upDownCounter(LogicPins& pins, LogicState& state, Modulus modulus) {
    using namespace upDown19x;
    std::uint32_t& count = state.regs[0];
    const bool down = pins.in(kDown);
    const bool enabled = !pins.in(kEnable);
    if (!pins.in(kLoad)) count = readBus(pins, kData);
    else if (enabled && pins.rose(kClock)) count = countStep(count, !down, modulus);
    const bool terminal = atEnd(count, !down, modulus);
    driveBus(pins, kQ, count);
    pins.out(kMaxMin, terminal);
    pins.out(kRippleClock, !(enabled && terminal && !pins.in(kClock)));
}

// '192/'193: separate up and down clocks, clear (high) and load (low).
namespace dualClock19x {
constexpr int kDownClock = 4, kUpClock = 5, kLoad = 11, kCarry = 12, kBorrow = 13, kClear = 14;
constexpr Bus<4> kData = {15, 1, 10, 9};
constexpr Bus<4> kQ = {3, 2, 6, 7};
} // namespace dualClock19x

void dualClockCounter(LogicPins& pins, LogicState& state, Modulus modulus) {
    using namespace dualClock19x;
    std::uint32_t& count = state.regs[0];
    const bool up = pins.in(kUpClock), down = pins.in(kDownClock);
    if (pins.in(kClear)) count = 0;
    else if (!pins.in(kLoad)) count = readBus(pins, kData);
    else if (pins.rose(kUpClock) && down) count = countUp(count, modulus);
    else if (pins.rose(kDownClock) && up) count = countDown(count, modulus);
    driveBus(pins, kQ, count);
    pins.out(kCarry, !(!up && atLast(count, modulus)));
    pins.out(kBorrow, !(!down && (count & kNibble) == 0));
}

// Ripple counters: a divide-by-2 stage (QA on clock A) and a divide-by-5 or -8
// stage (QB..QD on clock B), both on falling edges.
unsigned divideBy5Step(unsigned count) {
    // QB: J = not QD, K = 1; QD: J = QB and QC, K = 1; QC toggles when QB falls.
    const bool b = count & kBitB, c = count & kBitC, d = count & kBitD;
    const bool nextB = !d && !b;
    const bool nextD = (b && c) && !d;
    const bool nextC = (b && !nextB) ? !c : c;
    return (count & kBitA) | (nextB ? kBitB : 0) | (nextC ? kBitC : 0) | (nextD ? kBitD : 0);
}

unsigned divideBy8Step(unsigned count) { return (count & kBitA) | ((count + kBitB) & (kBitB | kBitC | kBitD)); }

struct RipplePins {
    int clockA, clockB; // clockB 0: B is clocked by QA inside the part ('393)
    Bus<4> q;
};

enum class Stages { TwoAndFive, TwoAndEight, Sixteen };

unsigned rippleStep(const LogicPins& pins, const RipplePins& ripple, unsigned count, Stages stages) {
    count &= kNibble;
    if (stages == Stages::Sixteen) return pins.fell(ripple.clockA) ? (count + 1) & kNibble : count;
    if (pins.fell(ripple.clockA)) count ^= kBitA;
    if (pins.fell(ripple.clockB)) count = stages == Stages::TwoAndFive ? divideBy5Step(count) : divideBy8Step(count);
    return count;
}

namespace ripple29x {
constexpr int kSet9A = 1, kSet9B = 3, kReset0A = 12, kReset0B = 13;
constexpr RipplePins kPins = {10, 11, {9, 5, 4, 8}};
constexpr unsigned kNine = kBitA | kBitD;
} // namespace ripple29x

// '290/'293: gated reset to 0 (both R0 high), '290 also set to 9 (both R9 high, first).
void rippleCounter29x(LogicPins& pins, LogicState& state, Stages stages) {
    using namespace ripple29x;
    std::uint32_t& count = state.regs[0];
    const bool set9 = stages == Stages::TwoAndFive && pins.in(kSet9A) && pins.in(kSet9B);
    if (set9) count = kNine;
    else if (pins.in(kReset0A) && pins.in(kReset0B)) count = 0;
    else count = rippleStep(pins, kPins, count, stages);
    driveBus(pins, kPins.q, count);
}

// '196/'197: master reset (low) first, then parallel load (low, transparent
// while it lasts), else the two sections count on falling clocks.
namespace ripple19x {
constexpr int kLoad = 1, kReset = 13;
constexpr RipplePins kPins = {8, 6, {5, 9, 2, 12}};
constexpr Bus<4> kData = {4, 10, 3, 11};
} // namespace ripple19x

void presettableRippleCounter(LogicPins& pins, LogicState& state, Stages stages) {
    using namespace ripple19x;
    std::uint32_t& count = state.regs[0];
    if (!pins.in(kReset)) count = 0;
    else if (!pins.in(kLoad)) count = readBus(pins, kData);
    else count = rippleStep(pins, kPins, count, stages);
    driveBus(pins, kPins.q, count);
}

// '390/'393: two counters, each with its own clear (high).
struct DualRipple {
    int clear;
    RipplePins pins;
};
constexpr std::array<DualRipple, 2> kDual390 = {{{2, {1, 4, {3, 5, 6, 7}}}, {14, {15, 12, {13, 11, 10, 9}}}}};
constexpr std::array<DualRipple, 2> kDual393 = {{{2, {1, 0, {3, 4, 5, 6}}}, {12, {13, 0, {11, 10, 9, 8}}}}};

void dualRipple(LogicPins& pins, LogicState& state, const std::array<DualRipple, 2>& halves, Stages stages) {
    for (std::size_t i = 0; i < halves.size(); ++i) {
        std::uint32_t& count = state.regs[i];
        count = pins.in(halves[i].clear) ? 0 : rippleStep(pins, halves[i].pins, count, stages);
        driveBus(pins, halves[i].pins.q, count);
    }
}

} // namespace

void decadeCounterAsyncClear(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, Modulus::Decade, Clear::Asynchronous); }
void binaryCounterAsyncClear(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, Modulus::Binary, Clear::Asynchronous); }
void decadeCounterSyncClear(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, Modulus::Decade, Clear::Synchronous); }
void binaryCounterSyncClear(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, Modulus::Binary, Clear::Synchronous); }
void decadeSynchronousUpDownCounter(LogicPins& pins, LogicState& state) { synchronousUpDownCounter(pins, state, Modulus::Decade); }
void binarySynchronousUpDownCounter(LogicPins& pins, LogicState& state) { synchronousUpDownCounter(pins, state, Modulus::Binary); }
void decadeUpDownCounter(LogicPins& pins, LogicState& state) { upDownCounter(pins, state, Modulus::Decade); }
void binaryUpDownCounter(LogicPins& pins, LogicState& state) { upDownCounter(pins, state, Modulus::Binary); }
void decadeDualClockCounter(LogicPins& pins, LogicState& state) { dualClockCounter(pins, state, Modulus::Decade); }
void binaryDualClockCounter(LogicPins& pins, LogicState& state) { dualClockCounter(pins, state, Modulus::Binary); }
void decadeRippleCounter(LogicPins& pins, LogicState& state) { rippleCounter29x(pins, state, Stages::TwoAndFive); }
void binaryRippleCounter(LogicPins& pins, LogicState& state) { rippleCounter29x(pins, state, Stages::TwoAndEight); }
void presettableDecadeRippleCounter(LogicPins& pins, LogicState& state) { presettableRippleCounter(pins, state, Stages::TwoAndFive); }
void presettableBinaryRippleCounter(LogicPins& pins, LogicState& state) { presettableRippleCounter(pins, state, Stages::TwoAndEight); }
void dualDecadeRippleCounter(LogicPins& pins, LogicState& state) { dualRipple(pins, state, kDual390, Stages::TwoAndFive); }
void dualBinaryRippleCounter(LogicPins& pins, LogicState& state) { dualRipple(pins, state, kDual393, Stages::Sixteen); }

// '590: an 8-bit binary counter (CCLK rising while CCKEN is low; CCLR low
// clears it) feeding a storage register (RCLK rising) with 3-state outputs
// (OE low). RCO is low while the counter holds 255.
namespace counter590 {
constexpr int kRippleCarry = 9, kCounterClear = 10, kCounterClock = 11, kCounterEnable = 12, kRegisterClock = 13,
              kOutputEnable = 14;
constexpr Bus<8> kQ = {15, 1, 2, 3, 4, 5, 6, 7};
constexpr unsigned kByte = 0xFF;
} // namespace counter590

void binaryCounterWithOutputRegister(LogicPins& pins, LogicState& state) {
    using namespace counter590;
    std::uint32_t& count = state.regs[0];
    std::uint32_t& stored = state.regs[1];
    // With both clocks rising together the register takes the count from
    // before the step: the counter stays one ahead of the register.
    const unsigned before = count & kByte;
    if (!pins.in(kCounterClear)) count = 0;
    else if (pins.rose(kCounterClock) && !pins.in(kCounterEnable)) count = (count + 1) & kByte;
    if (pins.rose(kRegisterClock)) stored = before;
    driveBus3State(pins, kQ, stored, !pins.in(kOutputEnable));
    pins.out(kRippleCarry, (count & kByte) != kByte);
}

} // namespace quarvin::sim::ttl74
