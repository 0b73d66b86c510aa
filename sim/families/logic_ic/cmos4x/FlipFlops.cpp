// Flip-flops and latches of the 40 and 45 series.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"
#include "sim/families/logic_ic/cmos4x/Storage.h"

namespace quarvin::sim::cmos4x {
namespace {

struct FlipFlopPins {
    int clock, set, reset, q, qBar, j, k; // a D flip-flop has its data on j and no k
};

// Set and reset act at once and win over the clock; both high drive Q and /Q high.
void flipFlop(LogicPins& pins, LogicState& state, int index, const FlipFlopPins& f) {
    bool q = stateBit(state, index);
    const bool set = pins.in(f.set), reset = pins.in(f.reset);
    if (set || reset) {
        q = set;
    } else if (pins.rose(f.clock)) {
        const bool j = pins.in(f.j);
        q = f.k == 0 ? j : (j && !q) || (!pins.in(f.k) && q);
    }
    setStateBit(state, index, q);
    pins.out(f.q, (set && reset) || q);
    pins.out(f.qBar, (set && reset) || !q);
}

} // namespace

void cd4013(LogicPins& pins, LogicState& state) {
    flipFlop(pins, state, 0, {3, 6, 4, 1, 2, 5, 0});
    flipFlop(pins, state, 1, {11, 8, 10, 13, 12, 9, 0});
}

void cd4027(LogicPins& pins, LogicState& state) {
    flipFlop(pins, state, 0, {13, 9, 12, 15, 14, 10, 11});
    flipFlop(pins, state, 1, {3, 7, 4, 1, 2, 6, 5});
}

// Hex D flip-flop with common clock and clear (/CLR 1, CLK 9).
void cd40174(LogicPins& pins, LogicState& state) {
    if (!pins.in(1)) state.regs[0] = 0;
    else if (pins.rose(9)) state.regs[0] = readBus(pins, {3, 4, 6, 11, 13, 14});
    writeBus(pins, {2, 5, 7, 10, 12, 15}, state.regs[0]);
}

// Quad D flip-flop with Q and /Q, common clock and clear.
void cd40175(LogicPins& pins, LogicState& state) {
    if (!pins.in(1)) state.regs[0] = 0;
    else if (pins.rose(9)) state.regs[0] = readBus(pins, {4, 5, 12, 13});
    writeBus(pins, {2, 7, 10, 15}, state.regs[0]);
    writeBus(pins, {3, 6, 11, 14}, ~state.regs[0]);
}

// Quad clocked D latch: transparent while CLOCK equals POLARITY.
void cd4042(LogicPins& pins, LogicState& state) {
    if (pins.in(5) == pins.in(6)) state.regs[0] = readBus(pins, {4, 7, 13, 14});
    writeBus(pins, {2, 10, 11, 1}, state.regs[0]);
    writeBus(pins, {3, 9, 12, 15}, ~state.regs[0]);
}

// Quad D register: data disable G1/G2 hold the flip-flops, output disable M/N
// release the outputs, RESET clears at once.
void cd4076(LogicPins& pins, LogicState& state) {
    if (pins.in(15)) state.regs[0] = 0;
    else if (pins.rose(7) && !pins.in(9) && !pins.in(10)) state.regs[0] = readBus(pins, {14, 13, 12, 11});
    writeBus3(pins, {3, 4, 5, 6}, state.regs[0], !pins.in(1) && !pins.in(2));
}

// Quad set-reset latch with 3-state outputs on a common ENABLE (pin 5). The 4043
// has NOR latches (S, R active high), the 4044 NAND latches (/S, /R active low);
// with both active the 4043's S and the 4044's /R dominate.
struct SrLatchPins { int s, r, q; };

static void srLatches(LogicPins& pins, LogicState& state, const std::array<SrLatchPins, 4>& latches,
                      bool activeLow) {
    for (int i = 0; i < 4; ++i) {
        const SrLatchPins& l = latches[static_cast<std::size_t>(i)];
        const bool set = pins.in(l.s) != activeLow, reset = pins.in(l.r) != activeLow;
        if (set && reset) setStateBit(state, i, !activeLow);
        else if (set || reset) setStateBit(state, i, set);
        if (pins.in(5)) pins.out(l.q, stateBit(state, i)); else pins.release(l.q);
    }
}

void cd4043(LogicPins& pins, LogicState& state) {
    srLatches(pins, state, {{{4, 3, 2}, {6, 7, 9}, {12, 11, 10}, {14, 15, 1}}}, false);
}

void cd4044(LogicPins& pins, LogicState& state) {
    srLatches(pins, state, {{{3, 4, 13}, {7, 6, 9}, {12, 11, 10}, {15, 14, 1}}}, true);
}

// 8-bit addressable latch: /E low writes DATA into the addressed bit, CLEAR high
// zeroes the others (and, with /E high, all of them).
void cd4099(LogicPins& pins, LogicState& state) {
    const bool enabled = !pins.in(4), clear = pins.in(2);
    const unsigned address = readBus(pins, {5, 6, 7});
    unsigned latches = clear ? 0 : state.regs[0];
    if (enabled) {
        const unsigned bit = 1U << address;
        latches = pins.in(3) ? (latches | bit) : (latches & ~bit);
    }
    state.regs[0] = latches;
    writeBus(pins, {9, 10, 11, 12, 13, 14, 15, 1}, latches);
}


// Dual 4-bit latch: STROBE high lets the data through, RESET high clears the latch,
// OUTPUT DISABLE high releases the outputs.
void mc14508(LogicPins& pins, LogicState& state) {
    struct Half { int reset, strobe, disable; std::initializer_list<int> d, q; };
    const Half halves[2] = {{1, 2, 3, {4, 6, 8, 10}, {5, 7, 9, 11}},
                            {13, 14, 15, {16, 18, 20, 22}, {17, 19, 21, 23}}};
    for (std::size_t i = 0; i < 2; ++i) {
        const Half& h = halves[i];
        unsigned& latch = state.regs[i];
        if (pins.in(h.reset)) latch = 0;
        else if (pins.in(h.strobe)) latch = readBus(pins, h.d);
        writeBus3(pins, h.q, latch, !pins.in(h.disable));
    }
}

// CD4095B (Intersil CD4095BMS pinout and functional diagram, ST HCF4095B truth
// tables): J-K master-slave flip-flop with J = J1·J2·J3 (3 4 5) and
// K = K1·K2·K3 (11 10 9), taken on CLOCK (12) rising; SET (13) and RESET (2) act
// at once. Q is pin 8 and /Q pin 6 as the functional diagram draws them. The
// truth table's row for SET and RESET both high reads Q and /Q low in the text at
// hand; the model follows it and the entry does not check that row.
void cd4095(LogicPins& pins, LogicState& state) {
    constexpr int kClock = 12, kSet = 13, kReset = 2, kQ = 8, kQBar = 6;
    const bool set = pins.in(kSet), reset = pins.in(kReset);
    bool q = stateBit(state, 0);
    if (set != reset) {
        q = set;
    } else if (!set && pins.rose(kClock)) {
        const bool j = pins.in(3) && pins.in(4) && pins.in(5);
        const bool k = pins.in(11) && pins.in(10) && pins.in(9);
        q = (j && !q) || (!k && q);
    }
    setStateBit(state, 0, q);
    pins.out(kQ, !(set && reset) && q);
    pins.out(kQBar, !(set && reset) && !q);
}

} // namespace quarvin::sim::cmos4x
