// Shift registers. The register is regs[0] with QA in bit 0; a shift towards
// QH (or QD) moves every bit one place up and takes the serial input into QA.
#include <cstddef>
#include <cstdint>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr unsigned kByte = 0xFF;
constexpr unsigned kNibble = 0xF;
constexpr unsigned kTopOfEight = 7;
constexpr unsigned kTopOfFour = 3;

unsigned shiftedUp(unsigned value, bool serial, unsigned mask) { return ((value << 1) | (serial ? 1U : 0U)) & mask; }

// '164: serial in (A and B), eight parallel outputs, clear low.
namespace sipo164 {
constexpr int kSerialA = 1, kSerialB = 2, kClock = 8, kClear = 9;
constexpr Bus<8> kQ = {3, 4, 5, 6, 10, 11, 12, 13};
} // namespace sipo164

// '165: parallel load while SH/LD is low (asynchronous), shift on the rising
// edge of CLK OR CLK INH.
namespace piso165 {
constexpr int kShiftLoad = 1, kClock = 2, kQHBar = 7, kQH = 9, kSerial = 10, kClockInhibit = 15;
constexpr Bus<8> kData = {11, 12, 13, 14, 3, 4, 5, 6};
} // namespace piso165

// '166: like the '165 but the load is clocked and there is a clear.
namespace piso166 {
constexpr int kSerial = 1, kClockInhibit = 6, kClock = 7, kClear = 9, kQH = 13, kShiftLoad = 15;
constexpr Bus<8> kData = {2, 3, 4, 5, 10, 11, 12, 14};
} // namespace piso166

// One clock of a universal register ('194, '198): S1 S0 = 11 load, 01 shift
// towards the top output, 10 towards QA, 00 hold.
unsigned universalStep(unsigned reg, bool s0, bool s1, unsigned parallel, bool rightIn, bool leftIn, unsigned mask) {
    if (s0 && s1) return parallel;
    if (s0) return shiftedUp(reg, rightIn, mask);
    if (s1) return ((reg & mask) >> 1) | (leftIn ? (mask + 1) >> 1 : 0U);
    return reg;
}

// QA after a shift clock of a J-K-bar register ('195, '199): J K-bar = 01 hold,
// 00 low, 11 high, 10 toggle.
bool jkFirstStage(bool j, bool kBar, bool a) {
    const bool k = !kBar;
    return (j && k) ? !a : j ? true : k ? false : a;
}

// The '165/'166 gate CLK with CLK INH (an OR), so either pin can make the edge.
bool gatedClockRose(const LogicPins& pins, int clock, int inhibit) {
    const bool now = pins.in(clock) || pins.in(inhibit);
    const bool before = previousLevel(pins, clock) || previousLevel(pins, inhibit);
    return now && !before;
}

// The pins of a universal register with a clear, parallel inputs and outputs.
template <std::size_t N>
struct UniversalRegisterPins {
    int clear, s0, s1, clock, shiftRightIn, shiftLeftIn;
    Bus<N> data;
    Bus<N> q;
};

// '194: universal 4-bit: S1 S0 = 00 hold, 01 shift right (towards QD), 10 shift left, 11 load.
constexpr UniversalRegisterPins<4> kUniversal194 = {1, 9, 10, 11, 2, 7, {3, 4, 5, 6}, {15, 14, 13, 12}};

// '198: the '194's modes over eight bits, serial inputs on pins 2 (right) and 22 (left).
constexpr UniversalRegisterPins<8> kUniversal198 = {
    13, 1, 23, 11, 2, 22, {3, 5, 7, 9, 15, 17, 19, 21}, {4, 6, 8, 10, 14, 16, 18, 20}};

// '299: the '198's modes over eight 3-state I/O pins: they drive the register
// while OE1 and OE2 are low and S1 S0 is not 11; a load (S1 S0 = 11) reads them.
// Q0 and Q7 are always driven.
namespace universal299 {
constexpr int kS0 = 1, kOutputEnable1 = 2, kOutputEnable2 = 3, kQ0 = 8, kReset = 9, kShiftRightIn = 11, kClock = 12,
              kQ7 = 17, kShiftLeftIn = 18, kS1 = 19;
constexpr Bus<8> kIO = {7, 13, 6, 14, 5, 15, 4, 16};
} // namespace universal299

// '195: 4-bit with J-K-bar serial input into QA and clocked parallel load.
namespace jk195 {
constexpr int kClear = 1, kJ = 2, kKBar = 3, kShiftLoad = 9, kClock = 10, kQDBar = 11;
constexpr Bus<4> kData = {4, 5, 6, 7};
constexpr Bus<4> kQ = {15, 14, 13, 12};
} // namespace jk195

// '199: the '195's J-K-bar serial input over eight bits, its clock gated by
// CLK INH as the '165's is.
namespace jk199 {
constexpr int kKBar = 1, kJ = 2, kClockInhibit = 11, kClock = 13, kClear = 14, kShiftLoad = 23;
constexpr Bus<8> kData = {3, 5, 7, 9, 16, 18, 20, 22};
constexpr Bus<8> kQ = {4, 6, 8, 10, 15, 17, 19, 21};
} // namespace jk199

// '597: input flip-flops (STCP rising) feeding a shift register: PL low
// copies them into it, MR low (PL high) clears it, SHCP rising shifts DS in.
namespace inputLatch597 {
constexpr int kSerialOut = 9, kReset = 10, kShiftClock = 11, kStorageClock = 12, kParallelLoad = 13, kSerial = 14;
constexpr Bus<8> kData = {15, 1, 2, 3, 4, 5, 6, 7};
} // namespace inputLatch597

// '95: 4-bit, shift right on clock 1 while the mode is low, parallel load on
// clock 2 while it is high; both on falling edges.
namespace parallel95 {
constexpr int kSerial = 1, kMode = 6, kLoadClock = 8, kShiftClock = 9;
constexpr Bus<4> kData = {2, 3, 4, 5};
constexpr Bus<4> kQ = {13, 12, 11, 10};
} // namespace parallel95

// '595: shift register with clear, a storage register and 3-state outputs.
namespace sipo595 {
constexpr int kSerialOut = 9, kShiftClear = 10, kShiftClock = 11, kStorageClock = 12, kOutputEnable = 13,
              kSerial = 14;
constexpr Bus<8> kQ = {15, 1, 2, 3, 4, 5, 6, 7};
} // namespace sipo595

template <std::size_t N>
void clockUniversalRegister(LogicPins& pins, LogicState& state, const UniversalRegisterPins<N>& p, unsigned mask) {
    std::uint32_t& reg = state.regs[0];
    if (!pins.in(p.clear)) {
        reg = 0;
    } else if (pins.rose(p.clock)) {
        reg = universalStep(reg, pins.in(p.s0), pins.in(p.s1), readBus(pins, p.data), pins.in(p.shiftRightIn),
                            pins.in(p.shiftLeftIn), mask);
    }
    driveBus(pins, p.q, reg);
}

} // namespace

void serialInParallelOut(LogicPins& pins, LogicState& state) {
    using namespace sipo164;
    std::uint32_t& reg = state.regs[0];
    if (!pins.in(kClear)) reg = 0;
    else if (pins.rose(kClock)) reg = shiftedUp(reg, pins.in(kSerialA) && pins.in(kSerialB), kByte);
    driveBus(pins, kQ, reg);
}

void parallelInSerialOut(LogicPins& pins, LogicState& state) {
    using namespace piso165;
    std::uint32_t& reg = state.regs[0];
    if (!pins.in(kShiftLoad)) reg = readBus(pins, kData);
    else if (gatedClockRose(pins, kClock, kClockInhibit)) reg = shiftedUp(reg, pins.in(kSerial), kByte);
    const bool h = (reg >> kTopOfEight) & 1U;
    pins.out(kQH, h);
    pins.out(kQHBar, !h);
}

void parallelInSerialOutClear(LogicPins& pins, LogicState& state) {
    using namespace piso166;
    std::uint32_t& reg = state.regs[0];
    if (!pins.in(kClear)) reg = 0;
    else if (gatedClockRose(pins, kClock, kClockInhibit))
        reg = pins.in(kShiftLoad) ? shiftedUp(reg, pins.in(kSerial), kByte) : readBus(pins, kData);
    pins.out(kQH, (reg >> kTopOfEight) & 1U);
}

void parallelAccessShiftRegister(LogicPins& pins, LogicState& state) {
    using namespace parallel95;
    std::uint32_t& reg = state.regs[0];
    if (pins.in(kMode)) {
        if (pins.fell(kLoadClock)) reg = readBus(pins, kData);
    } else if (pins.fell(kShiftClock)) {
        reg = shiftedUp(reg, pins.in(kSerial), kNibble);
    }
    driveBus(pins, kQ, reg);
}

void universalShiftRegister(LogicPins& pins, LogicState& state) {
    clockUniversalRegister(pins, state, kUniversal194, kNibble);
}

void universalShiftRegister8(LogicPins& pins, LogicState& state) {
    clockUniversalRegister(pins, state, kUniversal198, kByte);
}

void universalShiftRegisterBus(LogicPins& pins, LogicState& state) {
    using namespace universal299;
    std::uint32_t& reg = state.regs[0];
    const bool s0 = pins.in(kS0), s1 = pins.in(kS1);
    if (!pins.in(kReset)) {
        reg = 0;
    } else if (pins.rose(kClock)) {
        reg = universalStep(reg, s0, s1, readBus(pins, kIO), pins.in(kShiftRightIn), pins.in(kShiftLeftIn), kByte);
    }
    const bool drive = !pins.in(kOutputEnable1) && !pins.in(kOutputEnable2) && !(s0 && s1);
    driveBus3State(pins, kIO, reg, drive);
    pins.out(kQ0, reg & 1U);
    pins.out(kQ7, (reg >> kTopOfEight) & 1U);
}

void jkShiftRegister(LogicPins& pins, LogicState& state) {
    using namespace jk195;
    std::uint32_t& reg = state.regs[0];
    if (!pins.in(kClear)) {
        reg = 0;
    } else if (pins.rose(kClock)) {
        if (!pins.in(kShiftLoad)) {
            reg = readBus(pins, kData);
        } else {
            reg = shiftedUp(reg, jkFirstStage(pins.in(kJ), pins.in(kKBar), reg & 1U), kNibble);
        }
    }
    driveBus(pins, kQ, reg);
    pins.out(kQDBar, !((reg >> kTopOfFour) & 1U));
}

void jkShiftRegister8(LogicPins& pins, LogicState& state) {
    using namespace jk199;
    std::uint32_t& reg = state.regs[0];
    if (!pins.in(kClear)) {
        reg = 0;
    } else if (gatedClockRose(pins, kClock, kClockInhibit)) {
        reg = pins.in(kShiftLoad) ? shiftedUp(reg, jkFirstStage(pins.in(kJ), pins.in(kKBar), reg & 1U), kByte)
                                  : readBus(pins, kData);
    }
    driveBus(pins, kQ, reg);
}

void shiftRegisterWithInputLatch(LogicPins& pins, LogicState& state) {
    using namespace inputLatch597;
    std::uint32_t& shift = state.regs[0];
    std::uint32_t& input = state.regs[1];
    if (pins.rose(kStorageClock)) input = readBus(pins, kData);
    if (!pins.in(kParallelLoad)) shift = input;
    else if (!pins.in(kReset)) shift = 0;
    else if (pins.rose(kShiftClock)) shift = shiftedUp(shift, pins.in(kSerial), kByte);
    pins.out(kSerialOut, (shift >> kTopOfEight) & 1U);
}

void shiftRegisterWithOutputLatch(LogicPins& pins, LogicState& state) {
    using namespace sipo595;
    std::uint32_t& shift = state.regs[0];
    std::uint32_t& storage = state.regs[1];
    // With both clocks rising together the storage register takes the word
    // from before the shift.
    const unsigned beforeShift = shift;
    if (!pins.in(kShiftClear)) shift = 0;
    else if (pins.rose(kShiftClock)) shift = shiftedUp(shift, pins.in(kSerial), kByte);
    if (pins.rose(kStorageClock)) storage = beforeShift;
    driveBus3State(pins, kQ, storage, !pins.in(kOutputEnable));
    pins.out(kSerialOut, (shift >> kTopOfEight) & 1U);
}

} // namespace quarvin::sim::ttl74
