#include "sim/families/logic_ic/cmos4x/MoreCmos40.h"

#include "sim/families/logic_ic/cmos4x/PinBus.h"

namespace quarvin::sim::cmos4x {

// CD4041UB: four buffers, each with a true and a complement output.
// Pins (input, true, complement): A 3/1/2, B 6/4/5, C 10/9/8, D 13/11/12.
void cd4041(LogicPins& pins, LogicState&) {
    struct Unit { int in, trueOut, complementOut; };
    constexpr Unit units[] = {{3, 1, 2}, {6, 4, 5}, {10, 9, 8}, {13, 11, 12}};
    for (const Unit& u : units) {
        pins.out(u.trueOut, pins.in(u.in));
        pins.out(u.complementOut, !pins.in(u.in));
    }
}

namespace {

// The CD40102B/CD40103B pins: CLOCK 1, CLEAR 2, CARRY IN/COUNTER ENABLE 3,
// JAM J0-J3 on 4-7 and J4-J7 on 10-13, ASYNCHRONOUS PRESET ENABLE 9,
// CARRY OUT/ZERO DETECT 14, SYNCHRONOUS PRESET ENABLE 15; every control
// input and the output are active low.
enum DownCounterPin { Clock = 1, Clear = 2, CarryIn = 3, AsyncPreset = 9, ZeroDetect = 14, SyncPreset = 15 };

unsigned jamInputs(const LogicPins& pins) { return readBus(pins, {4, 5, 6, 7, 10, 11, 12, 13}); }

// One count down in two BCD decades: 00 goes to 99.
unsigned bcdDecrement(unsigned count) {
    unsigned units = count & 0xFU, tens = (count >> 4) & 0xFU;
    if (units != 0) return (tens << 4) | (units - 1);
    return ((tens == 0 ? 9U : tens - 1) << 4) | 9U;
}

// CLEAR wins over everything and sets the maximum count; the asynchronous preset
// loads the JAM inputs at once; otherwise a rising CLOCK loads them (synchronous
// preset, whatever CARRY IN says) or counts down while CARRY IN is low. The
// output goes low at count zero while CARRY IN is low.
void presettableDownCounter(LogicPins& pins, LogicState& state, unsigned maximum, unsigned (*decrement)(unsigned)) {
    unsigned& count = state.regs[0];
    if (!pins.in(Clear)) {
        count = maximum;
    } else if (!pins.in(AsyncPreset)) {
        count = jamInputs(pins);
    } else if (pins.rose(Clock)) {
        if (!pins.in(SyncPreset)) count = jamInputs(pins);
        else if (!pins.in(CarryIn)) count = decrement(count);
    }
    count &= 0xFFU;
    pins.out(ZeroDetect, !(count == 0 && !pins.in(CarryIn)));
}

unsigned binaryDecrement(unsigned count) { return (count - 1) & 0xFFU; }

} // namespace

void cd40102(LogicPins& pins, LogicState& state) { presettableDownCounter(pins, state, 0x99, bcdDecrement); }
void cd40103(LogicPins& pins, LogicState& state) { presettableDownCounter(pins, state, 0xFF, binaryDecrement); }

// CD40104B: OUTPUT ENABLE 1 (low releases Q0-Q3), SHIFT RIGHT in 2, D0-D3 on
// 3-6, SHIFT LEFT in 7, S0 9, S1 10, CLOCK 11, Q3..Q0 on 12..15. On CLOCK rising
// the mode S1 S0 picks: 00 clear, 01 shift towards Q3 (Q0 takes SHIFT RIGHT),
// 10 shift towards Q0 (Q3 takes SHIFT LEFT), 11 parallel load.
void cd40104(LogicPins& pins, LogicState& state) {
    unsigned& reg = state.regs[0]; // bit 0 is Q0
    if (pins.rose(11)) {
        switch (readBus(pins, {9, 10})) {
        case 0: reg = 0; break;
        case 1: reg = ((reg << 1) | (pins.in(2) ? 1U : 0U)) & 0xFU; break;
        case 2: reg = (reg >> 1) | (pins.in(7) ? 8U : 0U); break;
        default: reg = readBus(pins, {3, 4, 5, 6}); break;
        }
    }
    writeBus3(pins, {15, 14, 13, 12}, reg, pins.in(1));
}

namespace {

// One section of the CD4006B: a shift register of `length` stages kept in bits
// first..first+length-1 of the state, the first stage in bit `first`.
struct Section { int first, length, dataPin; };

bool stage(unsigned reg, const Section& s, int k) { return (reg >> (s.first + k - 1)) & 1U; }

void shiftSection(unsigned& reg, const Section& s, bool data) {
    const unsigned mask = ((1U << s.length) - 1U) << s.first;
    const unsigned shifted = ((reg & mask) << 1) | (data ? 1U << s.first : 0U);
    reg = (reg & ~mask) | (shifted & mask);
}

} // namespace

// CD4006B: four sections on one CLOCK (3), shifting on its falling edge.
// D1 (1) feeds four stages out on D1+4 (13); D2 (4) four stages out on D2+4 (11)
// and a fifth on D2+5 (12); D3 (5) four stages on D3+4 (10); D4 (6) four stages
// on D4+4 (8) and a fifth on D4+5 (9). D1+4' (2) is D1+4 through a latch that
// passes while CLOCK is high and holds while it is low, half a clock behind.
void cd4006(LogicPins& pins, LogicState& state) {
    constexpr Section s1{0, 4, 1}, s2{4, 5, 4}, s3{9, 4, 5}, s4{13, 5, 6};
    unsigned& reg = state.regs[0];
    unsigned& latch = state.regs[1];
    if (pins.fell(3))
        for (const Section& s : {s1, s2, s3, s4}) shiftSection(reg, s, pins.in(s.dataPin));
    if (pins.in(3)) latch = stage(reg, s1, 4);
    pins.out(13, stage(reg, s1, 4));
    pins.out(2, latch & 1U);
    pins.out(11, stage(reg, s2, 4));
    pins.out(12, stage(reg, s2, 5));
    pins.out(10, stage(reg, s3, 4));
    pins.out(8, stage(reg, s4, 4));
    pins.out(9, stage(reg, s4, 5));
}

// CD4031B: 64 stages shifting on CLOCK (2) rising; the first stage takes DATA IN
// (15) while MODE CONTROL (10) is low and RECIRCULATE IN (1) while it is high.
// Q (6) and /Q (7) show the 64th stage; the delayed clock output (9) follows
// CLOCK. The half-stage output is not modelled.
void cd4031(LogicPins& pins, LogicState& state) {
    std::uint32_t& low = state.regs[0];  // stages 1..32, stage 1 in bit 0
    std::uint32_t& high = state.regs[1]; // stages 33..64
    if (pins.rose(2)) {
        const bool data = pins.in(10) ? pins.in(1) : pins.in(15);
        high = (high << 1) | (low >> 31);
        low = (low << 1) | (data ? 1U : 0U);
    }
    const bool last = (high >> 31) & 1U;
    pins.out(6, last);
    pins.out(7, !last);
    pins.out(9, pins.in(2));
}

} // namespace quarvin::sim::cmos4x
