// Shift registers of the 40 and 45 series.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"

namespace quarvin::sim::cmos4x {

// Dual 4-bit serial-in parallel-out: each half shifts DATA into Q1 on CLOCK rising;
// RESET high clears it.
void cd4015(LogicPins& pins, LogicState& state) {
    struct Half { int clock, data, reset; std::initializer_list<int> q; };
    const Half halves[2] = {{9, 7, 6, {5, 4, 3, 2}}, {1, 15, 14, {13, 12, 11, 10}}};
    for (std::size_t i = 0; i < 2; ++i) {
        const Half& h = halves[i];
        unsigned& reg = state.regs[i];
        if (pins.in(h.reset)) reg = 0;
        else if (pins.rose(h.clock)) reg = ((reg << 1) | (pins.in(h.data) ? 1U : 0U)) & 0xF;
        writeBus(pins, h.q, reg);
    }
}

// 8-stage parallel-in serial-out (4014 loads at the clock, 4021 at once while
// PARALLEL/SERIAL is high). Stage 1 takes SERIAL IN when shifting; Q6, Q7, Q8 are out.
static void parallelInSerialOut(LogicPins& pins, LogicState& state, bool asyncLoad) {
    unsigned& reg = state.regs[0];
    const bool load = pins.in(9);
    if (load && (asyncLoad || pins.rose(10))) reg = readBus(pins, {7, 6, 5, 4, 13, 14, 15, 1});
    else if (!load && pins.rose(10)) reg = ((reg << 1) | (pins.in(11) ? 1U : 0U)) & 0xFF;
    writeBus(pins, {2, 12, 3}, reg >> 5);
}

void cd4014(LogicPins& pins, LogicState& state) { parallelInSerialOut(pins, state, false); }
void cd4021(LogicPins& pins, LogicState& state) { parallelInSerialOut(pins, state, true); }

// 8-stage shift and store register: DATA shifts in on CLOCK rising; the storage
// latches follow the shift stages while STROBE is high; OUTPUT ENABLE high drives
// Q1..Q8. QS is stage 8; Q'S takes stage 8 on CLOCK falling for cascading.
void cd4094(LogicPins& pins, LogicState& state) {
    unsigned& shift = state.regs[0];
    unsigned& store = state.regs[1];
    unsigned& qsPrime = state.regs[2];
    if (pins.rose(3)) shift = ((shift << 1) | (pins.in(2) ? 1U : 0U)) & 0xFF;
    if (pins.fell(3)) qsPrime = (shift >> 7) & 1U;
    if (pins.in(1)) store = shift;
    writeBus3(pins, {4, 5, 6, 7, 14, 13, 12, 11}, store, pins.in(15));
    pins.out(9, (shift >> 7) & 1U);
    pins.out(10, qsPrime & 1U);
}

// 4-bit bidirectional universal shift register in the 194 layout: /CLEAR 1,
// SHIFT RIGHT IN 2, P 3..6, SHIFT LEFT IN 7, S0 9, S1 10, CLOCK 11, Q 15 14 13 12.
void cd40194(LogicPins& pins, LogicState& state) {
    unsigned& reg = state.regs[0]; // bit 0 is Q0
    if (!pins.in(1)) {
        reg = 0;
    } else if (pins.rose(11)) {
        const unsigned mode = readBus(pins, {9, 10});
        if (mode == 1) reg = ((reg << 1) | (pins.in(2) ? 1U : 0U)) & 0xF;
        else if (mode == 2) reg = (reg >> 1) | (pins.in(7) ? 8U : 0U);
        else if (mode == 3) reg = readBus(pins, {3, 4, 5, 6});
    }
    writeBus(pins, {15, 14, 13, 12}, reg);
}

} // namespace quarvin::sim::cmos4x
