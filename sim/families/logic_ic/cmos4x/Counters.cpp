// Counters of the 40 and 45 series.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"

#include <array>

namespace quarvin::sim::cmos4x {
namespace {

// Johnson counters with decoded outputs (4017, 4022): RESET high clears at once;
// the count advances on CLOCK rising while CLOCK INHIBIT is low, or on INHIBIT
// falling while CLOCK is high. CARRY OUT is high for the first half of the cycle.
struct JohnsonPins {
    int clock, inhibit, reset, carry;
    std::initializer_list<int> decoded; // output 0 first
};

void johnson(LogicPins& pins, LogicState& state, unsigned modulus, const JohnsonPins& p) {
    unsigned& count = state.regs[0];
    count %= modulus; // the data sheet's gating steers any stray power-up state into the cycle
    const bool edge = (pins.rose(p.clock) && !pins.in(p.inhibit)) || (pins.fell(p.inhibit) && pins.in(p.clock));
    if (pins.in(p.reset)) count = 0;
    else if (edge) count = (count + 1) % modulus;
    unsigned index = 0;
    for (int pin : p.decoded) pins.out(pin, index++ == count);
    pins.out(p.carry, count < modulus / 2);
}

// Ripple binary counters: advance on CLOCK falling, RESET high clears.
void ripple(LogicPins& pins, LogicState& state, int clock, int reset, unsigned stages,
            std::initializer_list<std::pair<int, int>> outputs /* {pin, stage number} */) {
    unsigned& count = state.regs[0];
    if (pins.in(reset)) count = 0;
    else if (pins.fell(clock)) count = (count + 1) & ((1U << stages) - 1);
    for (auto [pin, stage] : outputs) pins.out(pin, (count >> (stage - 1)) & 1U);
}

} // namespace

void cd4017(LogicPins& pins, LogicState& state) {
    johnson(pins, state, 10, {14, 13, 15, 12, {3, 2, 4, 7, 10, 1, 5, 6, 9, 11}});
}

void cd4022(LogicPins& pins, LogicState& state) {
    johnson(pins, state, 8, {14, 13, 15, 12, {2, 1, 3, 7, 11, 4, 5, 10}});
}

void cd4024(LogicPins& pins, LogicState& state) {
    ripple(pins, state, 1, 2, 7, {{12, 1}, {11, 2}, {9, 3}, {6, 4}, {5, 5}, {4, 6}, {3, 7}});
}

void cd4020(LogicPins& pins, LogicState& state) {
    ripple(pins, state, 10, 11, 14,
           {{9, 1}, {7, 4}, {5, 5}, {4, 6}, {6, 7}, {13, 8}, {12, 9}, {14, 10}, {15, 11}, {1, 12}, {2, 13}, {3, 14}});
}

void cd4040(LogicPins& pins, LogicState& state) {
    ripple(pins, state, 10, 11, 12,
           {{9, 1}, {7, 2}, {6, 3}, {5, 4}, {3, 5}, {2, 6}, {4, 7}, {13, 8}, {12, 9}, {14, 10}, {15, 11}, {1, 12}});
}

// Presettable up/down counters sharing one layout: PRESET ENABLE 1, Q 6 11 14 2,
// P 4 12 13 3, /CARRY IN 5, /CARRY OUT 7, U/D 10, CLOCK 15. Pin 9 is BINARY/DECADE
// on the 4029 and RESET on the 4510 and 4516.
void presettableUpDown(LogicPins& pins, LogicState& state, unsigned modulus, bool pin9IsReset) {
    unsigned& count = state.regs[0];
    count %= 16;
    if (!pin9IsReset) modulus = pins.in(9) ? 16 : 10;
    const bool up = pins.in(10), carryIn = !pins.in(5);
    if (pin9IsReset && pins.in(9)) count = 0;
    else if (pins.in(1)) count = readBus(pins, {4, 12, 13, 3});
    else if (pins.rose(15) && carryIn) count = up ? (count + 1) % modulus : (count + modulus - 1) % modulus;
    writeBus(pins, {6, 11, 14, 2}, count);
    const bool terminal = up ? count == modulus - 1 : count == 0;
    pins.out(7, !(carryIn && terminal));
}

void cd4029(LogicPins& pins, LogicState& state) { presettableUpDown(pins, state, 16, false); }
void mc14510(LogicPins& pins, LogicState& state) { presettableUpDown(pins, state, 10, true); }
void mc14516(LogicPins& pins, LogicState& state) { presettableUpDown(pins, state, 16, true); }

// Dual up counters (4518 BCD, 4520 binary): each advances on CLOCK rising with
// ENABLE high or on ENABLE falling with CLOCK low; RESET high clears.
void dualUpCounter(LogicPins& pins, LogicState& state, unsigned modulus) {
    struct Half { int clock, enable, reset; std::initializer_list<int> q; };
    const Half halves[2] = {{1, 2, 7, {3, 4, 5, 6}}, {9, 10, 15, {11, 12, 13, 14}}};
    for (int i = 0; i < 2; ++i) {
        const Half& h = halves[i];
        unsigned& count = state.regs[static_cast<std::size_t>(i)];
        count %= 16;
        const bool edge = (pins.rose(h.clock) && pins.in(h.enable)) || (pins.fell(h.enable) && !pins.in(h.clock));
        if (pins.in(h.reset)) count = 0;
        else if (edge) count = (count + 1) % (count < modulus ? modulus : 16);
        writeBus(pins, h.q, count);
    }
}

void mc14518(LogicPins& pins, LogicState& state) { dualUpCounter(pins, state, 10); }
void mc14520(LogicPins& pins, LogicState& state) { dualUpCounter(pins, state, 16); }

// Synchronous 4-bit counters in the 161 layout: /CLEAR 1 (at once, or at the clock
// on the 40162/40163), CLOCK 2, P 3..6, ENABLE P 7, /LOAD 9, ENABLE T 10,
// Q 14 13 12 11, RIPPLE CARRY 15.
void synchronousCounter(LogicPins& pins, LogicState& state, unsigned modulus, bool syncClear) {
    unsigned& count = state.regs[0];
    count %= 16;
    const bool clear = !pins.in(1), clock = pins.rose(2), enableT = pins.in(10);
    if (clear && (!syncClear || clock)) count = 0;
    else if (clock && !clear) {
        if (!pins.in(9)) count = readBus(pins, {3, 4, 5, 6});
        else if (pins.in(7) && enableT) count = (count + 1) % (count < modulus ? modulus : 16);
    }
    writeBus(pins, {14, 13, 12, 11}, count);
    pins.out(15, enableT && count == modulus - 1);
}

// CD4060B (TI SCHS049C, Harris, logic diagram Fig. 1): fourteen ripple stages
// clocked by the oscillator input PHI I (11), stages 4..10 and 12..14 brought out.
// The oscillator's two inverters drive /PHI O (10) = not PHI I and PHI O (9) =
// PHI I. RESET also disables the oscillator; the sheet gives no pin 9/10 level
// for that case, so the model keeps following PHI I and the entry does not look.
void cd4060(LogicPins& pins, LogicState& state) {
    constexpr int kPhiIn = 11, kPhiOut = 9, kPhiOutInverted = 10, kReset = 12;
    ripple(pins, state, kPhiIn, kReset, 14,
           {{7, 4}, {5, 5}, {4, 6}, {6, 7}, {14, 8}, {13, 9}, {15, 10}, {1, 12}, {2, 13}, {3, 14}});
    pins.out(kPhiOut, pins.in(kPhiIn));
    pins.out(kPhiOutInverted, !pins.in(kPhiIn));
}

void cd40160(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, 10, false); }
void cd40161(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, 16, false); }
void cd40162(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, 10, true); }
void cd40163(LogicPins& pins, LogicState& state) { synchronousCounter(pins, state, 16, true); }

// Up/down counters with separate clocks in the 193 layout: UP 5, DOWN 4 (each
// counts on its rising edge while the other is high), /LOAD 11 and CLEAR 14 at
// once, P 15 1 10 9, Q 3 2 6 7, /CARRY 12 and /BORROW 13 follow the low clock.
void upDownCounter(LogicPins& pins, LogicState& state, unsigned modulus) {
    unsigned& count = state.regs[0];
    count %= 16;
    if (pins.in(14)) count = 0;
    else if (!pins.in(11)) count = readBus(pins, {15, 1, 10, 9});
    else if (pins.rose(5) && pins.in(4)) count = (count + 1) % (count < modulus ? modulus : 16);
    else if (pins.rose(4) && pins.in(5)) count = count == 0 ? modulus - 1 : (count - 1) % 16;
    writeBus(pins, {3, 2, 6, 7}, count);
    pins.out(12, !(!pins.in(5) && count == modulus - 1));
    pins.out(13, !(!pins.in(4) && count == 0));
}

void cd40192(LogicPins& pins, LogicState& state) { upDownCounter(pins, state, 10); }
void cd40193(LogicPins& pins, LogicState& state) { upDownCounter(pins, state, 16); }

// Presettable down counters (4522 BCD, 4526 binary): RESET 10 clears and PRESET
// ENABLE 3 loads P 5 11 14 2 at once; the count goes down on CLOCK 6 rising with
// INHIBIT 4 low, or on INHIBIT falling with CLOCK high. Q 7 9 15 1. The "0" output
// (12) is high at count zero with CASCADE FEEDBACK 13 high; while RESET is high,
// PRESET ENABLE high also raises it.
void downCounter(LogicPins& pins, LogicState& state, unsigned modulus) {
    unsigned& count = state.regs[0];
    count %= 16;
    const bool reset = pins.in(10), preset = pins.in(3);
    const bool edge = (pins.rose(6) && !pins.in(4)) || (pins.fell(4) && pins.in(6));
    if (reset) count = 0;
    else if (preset) count = readBus(pins, {5, 11, 14, 2});
    else if (edge) count = count == 0 ? modulus - 1 : count - 1; // preset codes above 9 count down in binary
    writeBus(pins, {7, 9, 15, 1}, count);
    pins.out(12, count == 0 && (pins.in(13) || (reset && preset)));
}

// CD4018B (TI SCHS028C, Harris, Fig. 1 logic diagram and Fig. 2 stage detail):
// five Johnson stages with buffered inverted outputs /Q1..5 on 5 4 6 11 13. The
// internal clock is CLOCK 14 OR RESET 15 OR PRESET ENABLE 10, so the stages take
// their D inputs on CLOCK rising while both are low. RESET or PRESET ENABLE high
// steer every stage through its jam gate NAND(/RESET, JAM n) at once: RESET clears
// to all zeros, PRESET ENABLE alone loads JAM 1..5 (2 3 7 9 12). D1 is DATA 1, D2
// Q1, D4 Q3, D5 Q4; the anti-lock gate feeds D3 = NOR(/Q2, /Q1 AND /Q3), that is
// Q2 AND (Q1 OR Q3).
void cd4018(LogicPins& pins, LogicState& state) {
    constexpr int kData = 1, kPresetEnable = 10, kClock = 14, kReset = 15;
    constexpr std::array<int, 5> kJam{2, 3, 7, 9, 12};
    constexpr std::array<int, 5> kInvertedQ{5, 4, 6, 11, 13};
    const auto previous = [&](int pin) { return pins.in(pin) != (pins.rose(pin) || pins.fell(pin)); };
    unsigned& q = state.regs[0]; // Q1 in bit 0
    q &= 0x1FU;
    const bool reset = pins.in(kReset), preset = pins.in(kPresetEnable);
    const bool clockWasHigh = previous(kClock) || previous(kReset) || previous(kPresetEnable);
    const auto stage = [&](int n) { return (q >> (n - 1)) & 1U; };
    if (reset || preset) {
        q = 0;
        if (!reset)
            for (int n = 1; n <= 5; ++n) q |= static_cast<unsigned>(pins.in(kJam[n - 1])) << (n - 1);
    } else if (pins.in(kClock) && !clockWasHigh) {
        const unsigned d3 = stage(2) & (stage(1) | stage(3));
        q = static_cast<unsigned>(pins.in(kData)) | stage(1) << 1 | d3 << 2 | stage(3) << 3 | stage(4) << 4;
    }
    for (int n = 1; n <= 5; ++n) pins.out(kInvertedQ[n - 1], !stage(n));
}

void mc14522(LogicPins& pins, LogicState& state) { downCounter(pins, state, 10); }
void mc14526(LogicPins& pins, LogicState& state) { downCounter(pins, state, 16); }

} // namespace quarvin::sim::cmos4x
