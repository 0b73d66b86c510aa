// Decoders, encoders and data selectors of the 40 and 45 series.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"
#include "sim/families/logic_ic/cmos4x/SevenSegment.h"

namespace quarvin::sim::cmos4x {

// BCD to decimal: the output of the input code goes high, codes 10..15 select none.
void cd4028(LogicPins& pins, LogicState&) {
    const unsigned code = readBus(pins, {10, 13, 12, 11});
    unsigned index = 0;
    for (int pin : {3, 14, 2, 15, 1, 6, 7, 4, 9, 5}) pins.out(pin, index++ == code);
}

// BCD to seven-segment latch/decoder/driver. /LT low lights every segment, /BI low
// blanks them, LE high holds the latched code; codes above 9 blank the display
// (6 and 9 are drawn without tails).
void mc14511(LogicPins& pins, LogicState& state) {
    if (!pins.in(5)) state.regs[0] = readBus(pins, {7, 1, 2, 6});
    const unsigned code = state.regs[0] & 0xF;
    unsigned segments = code < kDigitsWithoutTails.size() ? kDigitsWithoutTails[code] : 0;
    if (!pins.in(4)) segments = 0;
    if (!pins.in(3)) segments = kAllSegments;
    writeBus(pins, {13, 12, 11, 10, 9, 15, 14}, segments); // a..g
}

// BCD to seven-segment latch/decoder/driver for liquid crystals. LD high lets the
// code through, low holds it; BI high or a code above 9 blanks the digit; PH high
// inverts every output (the LCD backplane phase). 6 and 9 are drawn with tails.
void mc14543(LogicPins& pins, LogicState& state) {
    static constexpr unsigned kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (pins.in(1)) state.regs[0] = readBus(pins, {5, 3, 2, 4});
    const unsigned code = state.regs[0] & 0xF;
    unsigned segments = (code < 10 && !pins.in(7)) ? kSegments[code] : 0;
    if (pins.in(6)) segments ^= 0x7F;
    writeBus(pins, {9, 10, 11, 12, 13, 15, 14}, segments); // a..g
}

// 4-bit latch and 4-to-16 decoder: STROBE high lets the address through, INHIBIT
// high deselects every output. The 4514's selected output is high, the 4515's low.
static void latchedDecoder16(LogicPins& pins, LogicState& state, bool activeLow) {
    if (pins.in(1)) state.regs[0] = readBus(pins, {2, 3, 21, 22});
    const unsigned selected = pins.in(23) ? 16U : state.regs[0] & 0xF;
    unsigned index = 0;
    for (int pin : {11, 9, 10, 8, 7, 6, 5, 4, 18, 17, 20, 19, 14, 13, 16, 15})
        pins.out(pin, (index++ == selected) != activeLow);
}

void mc14514(LogicPins& pins, LogicState& state) { latchedDecoder16(pins, state, false); }
void mc14515(LogicPins& pins, LogicState& state) { latchedDecoder16(pins, state, true); }

// Dual 1-of-4 decoder with active-low enables: 4555 outputs high when selected,
// 4556 low.
static void dualDecoder4(LogicPins& pins, bool activeLow) {
    struct Half { int enable; std::initializer_list<int> address, outputs; };
    const Half halves[2] = {{1, {2, 3}, {4, 5, 6, 7}}, {15, {14, 13}, {12, 11, 10, 9}}};
    for (const Half& h : halves) {
        const unsigned selected = pins.in(h.enable) ? 4U : readBus(pins, h.address);
        unsigned index = 0;
        for (int pin : h.outputs) pins.out(pin, (index++ == selected) != activeLow);
    }
}

void mc14555(LogicPins& pins, LogicState&) { dualDecoder4(pins, false); }
void mc14556(LogicPins& pins, LogicState&) { dualDecoder4(pins, true); }

// 8-input priority encoder: D7 has the highest priority; E IN low forces every
// output low; E OUT is high when enabled with no input high, GS when one is.
void mc14532(LogicPins& pins, LogicState&) {
    const unsigned inputs = readBus(pins, {10, 11, 12, 13, 1, 2, 3, 4});
    const bool enabled = pins.in(5);
    unsigned highest = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (inputs & (1U << i)) highest = i;
    writeBus(pins, {9, 7, 6}, enabled ? highest : 0);
    pins.out(14, enabled && inputs != 0);
    pins.out(15, enabled && inputs == 0);
}

// 8-channel data selector: INHIBIT high forces Z low, DISABLE high releases it.
void mc14512(LogicPins& pins, LogicState&) {
    const unsigned address = readBus(pins, {11, 12, 13});
    const unsigned data = readBus(pins, {1, 2, 3, 4, 5, 6, 7, 9});
    const bool z = !pins.in(10) && ((data >> address) & 1U);
    if (pins.in(15)) pins.release(14); else pins.out(14, z);
}

// Quad AND/OR selectors in one layout: control 9 picks the inputs 6 4 2 15,
// control 14 the inputs 7 5 3 1, outputs 10..13, neither control gives 0. With
// both controls high the 4019's AND-OR gives the OR of the pair, the 4519 their
// exclusive NOR.
static void andOrSelect(LogicPins& pins, bool xnorWhenBoth) {
    const bool a = pins.in(9), b = pins.in(14);
    struct Bit { int x, y, z; };
    for (const Bit& bit : {Bit{6, 7, 10}, Bit{4, 5, 11}, Bit{2, 3, 12}, Bit{15, 1, 13}}) {
        const bool x = pins.in(bit.x), y = pins.in(bit.y);
        pins.out(bit.z, a && b && xnorWhenBoth ? x == y : (a && x) || (b && y));
    }
}

void cd4019(LogicPins& pins, LogicState&) { andOrSelect(pins, false); }
void mc14519(LogicPins& pins, LogicState&) { andOrSelect(pins, true); }

// 12-bit parity tree: Q is the exclusive OR of D0..D11 and W.
void mc14531(LogicPins& pins, LogicState&) {
    unsigned ones = 0;
    for (int pin : {7, 6, 5, 4, 3, 2, 1, 15, 14, 13, 12, 11, 10}) ones += pins.in(pin) ? 1U : 0U;
    pins.out(9, ones & 1U);
}

// Strobed hex inverter with 3-state outputs: INHIBIT high forces the outputs low,
// OUTPUT DISABLE high releases them.
void mc14502(LogicPins& pins, LogicState&) {
    const bool inhibit = pins.in(12), disabled = pins.in(4);
    struct Buffer { int d, q; };
    for (const Buffer& b : {Buffer{3, 5}, Buffer{6, 7}, Buffer{1, 2}, Buffer{10, 9}, Buffer{13, 11}, Buffer{15, 14}}) {
        if (disabled) pins.release(b.q);
        else pins.out(b.q, !inhibit && !pins.in(b.d));
    }
}

// Hex 3-state buffer: DISABLE A releases buffers 1..4, DISABLE B buffers 5 and 6.
void mc14503(LogicPins& pins, LogicState&) {
    struct Buffer { int in, out, disable; };
    for (const Buffer& b : {Buffer{2, 3, 1}, Buffer{4, 5, 1}, Buffer{6, 7, 1}, Buffer{10, 9, 1},
                            Buffer{12, 11, 15}, Buffer{14, 13, 15}}) {
        if (pins.in(b.disable)) pins.release(b.out); else pins.out(b.out, pins.in(b.in));
    }
}


// Dual 4-channel data selector: address A (14) and B (2) pick X0..X3 for Z and
// Y0..Y3 for W; a high STROBE holds its output low.
void mc14539(LogicPins& pins, LogicState&) {
    const unsigned address = readBus(pins, {14, 2});
    const unsigned x = readBus(pins, {6, 5, 4, 3}), y = readBus(pins, {10, 11, 12, 13});
    pins.out(7, !pins.in(1) && ((x >> address) & 1U));
    pins.out(9, !pins.in(15) && ((y >> address) & 1U));
}

// CD40147B (Intersil CD40147BMS pinout and description): priority encoder with
// active-low inputs 0..9 on 15 11 12 13 1 2 3 4 5 10 and active-low BCD outputs
// A B C D on 9 7 6 14. The highest input held low is encoded; with none low the
// code is 15 (all four outputs low), with only 0 low it is 0 (all high).
void cd40147(LogicPins& pins, LogicState&) {
    constexpr int kInputs[] = {15, 11, 12, 13, 1, 2, 3, 4, 5, 10};
    unsigned code = 15;
    for (unsigned line = 0; line < 10; ++line)
        if (!pins.in(kInputs[line])) code = line;
    writeBus(pins, {9, 7, 6, 14}, ~code);
}

} // namespace quarvin::sim::cmos4x
