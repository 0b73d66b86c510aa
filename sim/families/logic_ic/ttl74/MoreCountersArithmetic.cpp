// Further 74 TTL counters, shift registers, registers, comparators and a parity
// generator, each written from the data sheet named above its pins.
#include "sim/families/logic_ic/ttl74/MoreCountersArithmetic.h"

#include <array>
#include <bit>

#include "sim/families/logic_ic/ttl74/PinBus.h"

namespace quarvin::sim::ttl74 {
namespace {

// '378/'379 (TI SDLS167, connection diagrams, logic symbols and function
// table): each flip-flop takes D on a rising CLK edge while G/ is low and
// holds otherwise; G/ gates the clock, so it never loads on its own.
namespace enable378 {
constexpr int kEnable = 1, kClock = 9;
constexpr Bus<6> kD = {3, 4, 6, 11, 13, 14};
constexpr Bus<6> kQ = {2, 5, 7, 10, 12, 15};
} // namespace enable378

namespace enable379 {
constexpr int kEnable = 1, kClock = 9;
constexpr Bus<4> kD = {4, 5, 12, 13};
constexpr Bus<4> kQ = {2, 7, 10, 15};
constexpr Bus<4> kQBar = {3, 6, 11, 14};
} // namespace enable379

bool clockEnabledEdge(const LogicPins& pins, int clock, int enableBar) {
    return pins.rose(clock) && !pins.in(enableBar);
}

// '490 (TI SDLS125A and Motorola SN54/74LS490, connection diagram, logic
// diagram and clear/set-to-9 table): each half is a BCD ripple counter that
// counts on the falling clock edge; CLR high clears it, SET9 high sets it to
// 9 (both asynchronous). The table gives no row with both high; clear is
// taken first here and the entry never drives both.
struct DecadeHalf {
    int clock, clear, setNine;
    Bus<4> q; // QA..QD
};
constexpr std::array<DecadeHalf, 2> kHalves490 = {{{1, 2, 4, {3, 5, 6, 7}}, {15, 14, 12, {13, 11, 10, 9}}}};
constexpr unsigned kNine = 9;

// '323 (Motorola SN54/74LS323 and TI SDAS267A, connection diagrams, pin
// names): the '299's modes over the same pins (S1 S0 = 11 loads from the I/O
// pins and turns them off, 01 shifts right from DS0 into Q0, 10 shifts left
// from DS7 into Q7, 00 holds; the I/O pins drive while OE1/ and OE2/ are low),
// but SR/ low clears the register on a rising clock edge only.
namespace sync323 {
constexpr int kS0 = 1, kOutputEnable1 = 2, kOutputEnable2 = 3, kQ0 = 8, kSyncReset = 9, kShiftRightIn = 11,
              kClock = 12, kQ7 = 17, kShiftLeftIn = 18, kS1 = 19;
constexpr Bus<8> kIO = {7, 13, 6, 14, 5, 15, 4, 16};
constexpr unsigned kByteMask = 0xFFU, kTopBit = 0x80U;
} // namespace sync323

// '568/'569 (TI SDAS229A, SN74ALS568A/569A, April 1982, revised January 1995:
// pinout and description; Motorola SN54/74LS569A the same pins): ACLR/ low
// clears at once; on a rising CLK, SCLR/ low clears, else LOAD/ low loads A..D,
// else ENP/ and ENT/ low count (U/D high up, low down). OE/ high turns QA..QD
// off, counting goes on. RCO/ is low while ENT/ is low and the count is at its
// end (maximum counting up, zero counting down); CCO/ is low while the clock is
// low, the counter counts (both enables low, no clear or load) and RCO/ is low.
namespace updown568 {
constexpr int kUpDown = 1, kClock = 2, kEnableP = 7, kAsyncClear = 8, kSyncClear = 9, kLoad = 11, kEnableT = 12,
              kOutputEnable = 17, kClockedCarry = 18, kRippleCarry = 19;
constexpr Bus<4> kData = {3, 4, 5, 6};
constexpr Bus<4> kQ = {16, 15, 14, 13};
constexpr unsigned kDecadeModulus = 10, kBinaryModulus = 16;
} // namespace updown568

void upDownCounter3State(LogicPins& pins, LogicState& state, unsigned modulus) {
    using namespace updown568;
    std::uint32_t& count = state.regs[0];
    const unsigned top = modulus - 1;
    const bool up = pins.in(kUpDown);
    const bool enabled = !pins.in(kEnableP) && !pins.in(kEnableT);
    if (!pins.in(kAsyncClear)) {
        count = 0;
    } else if (pins.rose(kClock)) {
        // States above the top come only from power-up; they step to 0 going up.
        if (!pins.in(kSyncClear)) count = 0;
        else if (!pins.in(kLoad)) count = readBus(pins, kData);
        else if (enabled) count = up ? (count >= top ? 0 : count + 1) : (count == 0 ? top : count - 1);
    }
    const bool atEnd = up ? count == top : count == 0;
    const bool rippleCarryLow = !pins.in(kEnableT) && atEnd;
    const bool counting = enabled && pins.in(kLoad) && pins.in(kSyncClear) && pins.in(kAsyncClear);
    driveBus3State(pins, kQ, count, !pins.in(kOutputEnable));
    pins.out(kRippleCarry, !rippleCarryLow);
    pins.out(kClockedCarry, !(rippleCarryLow && counting && !pins.in(kClock)));
}

// '518 (TI SDAS224B, SN74ALS518/520/521, June 1982, revised November 1995:
// pinout and function table): the '521's pins, but its P=Q output (pin 19,
// open collector) lets go (high) while G/ is low and P equals Q, and pulls low
// otherwise.
namespace identity518 {
constexpr int kEnable = 1, kEqualOut = 19;
constexpr Bus<8> kWordP = {2, 4, 6, 8, 11, 13, 15, 17};
constexpr Bus<8> kWordQ = {3, 5, 7, 9, 12, 14, 16, 18};
} // namespace identity518

// '561 (TI SDAS225A, SN74ALS561A, December 1982, revised January 1995: pinout
// and description): ACLR/ low clears and ALOAD/ low loads A..D at once (the
// clear first); on a rising CLK, SCLR/ low clears, else SLOAD/ low loads, else
// ENP and ENT high count. OE/ high turns QA..QD off. RCO is high while ENT is
// high at 15; CCO is high while the clock is low, RCO is high and ENP and ENT
// are high.
namespace load561 {
constexpr int kAsyncLoad = 1, kClock = 2, kEnableP = 7, kAsyncClear = 8, kSyncClear = 9, kSyncLoad = 11,
              kEnableT = 12, kOutputEnable = 17, kClockedCarry = 18, kRippleCarry = 19;
constexpr Bus<4> kData = {3, 4, 5, 6};
constexpr Bus<4> kQ = {16, 15, 14, 13};
constexpr unsigned kTop = 15;
} // namespace load561

// '679 and '677 (TI SDAS003C, SN74ALS679, and SDAS012C, SN74ALS677A, June 1982,
// revised January 1995: pinouts and function tables): Y is low while G/ is
// low and every address input A1..An is at the level the 4-bit P inputs ask
// for, high otherwise. For P = 0..11 and 15, inputs A1..AP must be low and
// the rest high; the '679's table gives its own rows for P = 12..14 (A9 low
// for P = 9..11 and 13..15, A10 for 10, 11, 14, 15, A11 for 11 and 15, A12 for
// 12..15). The '677's text shows P = 0..9 only; it is modelled by the same
// rule, and its entry drives no other P.
struct AddressComparatorPins {
    int enable, out;
    Bus<4> p;
};
constexpr AddressComparatorPins k679 = {19, 18, {14, 15, 16, 17}};
constexpr Bus<12> kAddress679 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
constexpr AddressComparatorPins k677 = {23, 22, {18, 19, 20, 21}};
constexpr Bus<16> kAddress677 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17};

// Whether address input `bit` (1-based) of the '679 must be low for P.
bool mustBeLow679(unsigned p, int bit) {
    constexpr unsigned kA9 = 0xEE00U, kA10 = 0xCC00U, kA11 = 0x8800U, kA12 = 0xF000U; // masks over P
    switch (bit) {
    case 9: return (kA9 >> p) & 1U;
    case 10: return (kA10 >> p) & 1U;
    case 11: return (kA11 >> p) & 1U;
    case 12: return (kA12 >> p) & 1U;
    default: return p >= static_cast<unsigned>(bit);
    }
}

template <std::size_t N, typename Rule>
void addressComparator(LogicPins& pins, const AddressComparatorPins& c, const Bus<N>& address, Rule mustBeLow) {
    const unsigned p = readBus(pins, c.p);
    bool match = !pins.in(c.enable);
    for (std::size_t i = 0; i < N && match; ++i)
        match = pins.in(address[i]) != mustBeLow(p, static_cast<int>(i) + 1);
    pins.out(c.out, !match);
}

// '821 (TI SDAS230A, SN74AS821A, December 1983, revised August 1995: pinout
// and description): ten D flip-flops loading on CLK rising, outputs driven
// while OE/ is low; OE/ leaves the flip-flops alone.
namespace bus821 {
constexpr int kOutputEnable = 1, kClock = 13;
constexpr Bus<10> kD = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr Bus<10> kQ = {23, 22, 21, 20, 19, 18, 17, 16, 15, 14};
} // namespace bus821

// '823 (TI SDAS231A, SN74AS823A, June 1984, revised August 1995: pinout and
// description): nine D flip-flops loading on CLK rising while CLKEN/ is low,
// CLR/ low clears them at once, outputs driven while OE/ is low.
namespace bus823 {
constexpr int kOutputEnable = 1, kClear = 11, kClock = 13, kClockEnable = 14;
constexpr Bus<9> kD = {2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr Bus<9> kQ = {23, 22, 21, 20, 19, 18, 17, 16, 15};
} // namespace bus823

// '286 (TI SDAS050B, SN74AS286, December 1983, revised December 1994: pinout
// and function table): with XMIT/ low the PARITY I/O pin drives high for an
// even number of high inputs A..I, low for an odd one, and PARITY ERROR is
// high; with XMIT/ high the I/O pin is an input and PARITY ERROR is low when
// the nine inputs and the I/O pin together hold an odd number of highs.
namespace parity286 {
constexpr int kTransmit = 3, kParityError = 5, kParityIO = 6;
constexpr Bus<9> kData = {8, 9, 10, 11, 12, 13, 1, 2, 4};
} // namespace parity286

} // namespace

void hexRegisterWithEnable(LogicPins& pins, LogicState& state) {
    using namespace enable378;
    std::uint32_t& word = state.regs[0];
    if (clockEnabledEdge(pins, kClock, kEnable)) word = readBus(pins, kD);
    driveBus(pins, kQ, word);
}

void quadRegisterWithEnableComplement(LogicPins& pins, LogicState& state) {
    using namespace enable379;
    std::uint32_t& word = state.regs[0];
    if (clockEnabledEdge(pins, kClock, kEnable)) word = readBus(pins, kD);
    driveBus(pins, kQ, word);
    driveBus(pins, kQBar, ~word);
}

void dualDecadeCounterSetNine(LogicPins& pins, LogicState& state) {
    for (std::size_t half = 0; half < kHalves490.size(); ++half) {
        const DecadeHalf& h = kHalves490[half];
        std::uint32_t& count = state.regs[half];
        // States above 9 come only from power-up and are not in the data
        // sheet; the entry clears first, and here they step to 0.
        if (pins.in(h.clear)) count = 0;
        else if (pins.in(h.setNine)) count = kNine;
        else if (pins.fell(h.clock)) count = (count >= kNine) ? 0 : count + 1;
        driveBus(pins, h.q, count);
    }
}

void universalShiftRegisterBusSyncReset(LogicPins& pins, LogicState& state) {
    using namespace sync323;
    std::uint32_t& reg = state.regs[0];
    const bool s0 = pins.in(kS0), s1 = pins.in(kS1);
    if (pins.rose(kClock)) {
        if (!pins.in(kSyncReset)) reg = 0;
        else if (s0 && s1) reg = readBus(pins, kIO);
        else if (s0) reg = ((reg << 1) | (pins.in(kShiftRightIn) ? 1U : 0U)) & kByteMask;
        else if (s1) reg = ((reg & kByteMask) >> 1) | (pins.in(kShiftLeftIn) ? kTopBit : 0U);
    }
    const bool drive = !pins.in(kOutputEnable1) && !pins.in(kOutputEnable2) && !(s0 && s1);
    driveBus3State(pins, kIO, reg, drive);
    pins.out(kQ0, reg & 1U);
    pins.out(kQ7, (reg & kTopBit) != 0);
}

void busRegister10(LogicPins& pins, LogicState& state) {
    using namespace bus821;
    std::uint32_t& word = state.regs[0];
    if (pins.rose(kClock)) word = readBus(pins, kD);
    driveBus3State(pins, kQ, word, !pins.in(kOutputEnable));
}

void busRegister9WithClearAndEnable(LogicPins& pins, LogicState& state) {
    using namespace bus823;
    std::uint32_t& word = state.regs[0];
    if (!pins.in(kClear)) word = 0;
    else if (pins.rose(kClock) && !pins.in(kClockEnable)) word = readBus(pins, kD);
    driveBus3State(pins, kQ, word, !pins.in(kOutputEnable));
}

void parityGeneratorWithIOPort(LogicPins& pins, LogicState&) {
    using namespace parity286;
    const bool oddData = std::popcount(readBus(pins, kData)) % 2 == 1;
    if (!pins.in(kTransmit)) {
        pins.out(kParityIO, !oddData);
        pins.out(kParityError, true);
        return;
    }
    pins.release(kParityIO);
    pins.out(kParityError, oddData != pins.in(kParityIO));
}

void addressComparator12(LogicPins& pins, LogicState&) {
    addressComparator(pins, k679, kAddress679, mustBeLow679);
}

void addressComparator16(LogicPins& pins, LogicState&) {
    addressComparator(pins, k677, kAddress677, [](unsigned p, int bit) { return p >= static_cast<unsigned>(bit); });
}

void binaryCounter3StateAsyncLoad(LogicPins& pins, LogicState& state) {
    using namespace load561;
    std::uint32_t& count = state.regs[0];
    const bool enabled = pins.in(kEnableP) && pins.in(kEnableT);
    if (!pins.in(kAsyncClear)) {
        count = 0;
    } else if (!pins.in(kAsyncLoad)) {
        count = readBus(pins, kData);
    } else if (pins.rose(kClock)) {
        if (!pins.in(kSyncClear)) count = 0;
        else if (!pins.in(kSyncLoad)) count = readBus(pins, kData);
        else if (enabled) count = (count + 1) & kTop;
    }
    const bool rippleCarry = pins.in(kEnableT) && (count & kTop) == kTop;
    driveBus3State(pins, kQ, count, !pins.in(kOutputEnable));
    pins.out(kRippleCarry, rippleCarry);
    pins.out(kClockedCarry, rippleCarry && enabled && !pins.in(kClock));
}

void identityComparator8ActiveHigh(LogicPins& pins, LogicState&) {
    using namespace identity518;
    pins.out(kEqualOut, !pins.in(kEnable) && readBus(pins, kWordP) == readBus(pins, kWordQ));
}

void decadeUpDownCounter3State(LogicPins& pins, LogicState& state) {
    upDownCounter3State(pins, state, updown568::kDecadeModulus);
}

void binaryUpDownCounter3State(LogicPins& pins, LogicState& state) {
    upDownCounter3State(pins, state, updown568::kBinaryModulus);
}

} // namespace quarvin::sim::ttl74
