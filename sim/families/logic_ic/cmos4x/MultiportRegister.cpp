// The 4 x 4 multiport register of the 45 series: one write port, two read ports.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"

namespace quarvin::sim::cmos4x {
namespace {

constexpr unsigned kWordBits = 4;
constexpr unsigned kWordMask = (1U << kWordBits) - 1;

unsigned word(const LogicState& state, unsigned address) { return (state.regs[0] >> (address * kWordBits)) & kWordMask; }

void setWord(LogicState& state, unsigned address, unsigned value) {
    const unsigned shift = address * kWordBits;
    state.regs[0] = (state.regs[0] & ~(kWordMask << shift)) | ((value & kWordMask) << shift);
}

} // namespace

// Four 4-bit words: D0..D3 20 19 18 17, write address W0 8, W1 9, read address A
// R0A 13, R1A 14, read address B R0B 11, R1B 10, WRITE ENABLE 15, CLOCK 16. On
// CLOCK rising the three addresses are taken in and, with WRITE ENABLE high, D is
// stored in the word at the write address (low leaves every word as it is). Bus A
// (Q0A..Q3A 4 5 6 7) and bus B (Q0B..Q3B 22 23 2 1) show the words at their read
// addresses while 3-STATE A (3) and 3-STATE B (21) are high and let go when low.
void mc14580(LogicPins& pins, LogicState& state) {
    std::uint32_t& readAddresses = state.regs[1]; // bus A in bits 0-1, bus B in bits 2-3
    if (pins.rose(16)) {
        readAddresses = readBus(pins, {13, 14}) | (readBus(pins, {11, 10}) << 2);
        if (pins.in(15)) setWord(state, readBus(pins, {8, 9}), readBus(pins, {20, 19, 18, 17}));
    }
    writeBus3(pins, {4, 5, 6, 7}, word(state, readAddresses & 3U), pins.in(3));
    writeBus3(pins, {22, 23, 2, 1}, word(state, (readAddresses >> 2) & 3U), pins.in(21));
}

} // namespace quarvin::sim::cmos4x
