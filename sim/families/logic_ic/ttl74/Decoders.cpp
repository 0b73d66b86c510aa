// Decoders: one output low for the selected line, all high otherwise (the
// '238: one output high, all low otherwise).
#include <cstdint>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr unsigned kNoLine = ~0U;

template <std::size_t N>
void driveOneLow(LogicPins& pins, const Bus<N>& outputs, unsigned selected) {
    for (std::size_t line = 0; line < N; ++line) pins.out(outputs[line], line != selected);
}

template <std::size_t N>
void driveOneHigh(LogicPins& pins, const Bus<N>& outputs, unsigned selected) {
    for (std::size_t line = 0; line < N; ++line) pins.out(outputs[line], line == selected);
}

// '42/'145: BCD to decimal; inputs 10..15 select no output.
constexpr Bus<4> kBcdInputs = {15, 14, 13, 12};
constexpr Bus<10> kDecimalOutputs = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11};
constexpr unsigned kDecimalLines = 10;

// '138 and '238: 3 to 8 with enables G1 (high), G2A and G2B (low).
constexpr Bus<3> kSelect138 = {1, 2, 3};
constexpr int kG2A = 4, kG2B = 5, kG1 = 6;
constexpr Bus<8> kOutputs138 = {15, 14, 13, 12, 11, 10, 9, 7};

// '237: the '238's decoder behind an address latch: transparent while LE is
// low, holding the address while it is high; the enables E1 (low) and E2
// (high) act directly on the outputs. The '137 is the same with its outputs
// active low (its enables named G2 and G1).
constexpr int kLatchEnable237 = 4, kE1 = 5, kE2 = 6;

// '131: the same pins with an address register that loads on the rising edge
// of CLK (pin 4) instead of a latch.
constexpr int kClock131 = 4;

unsigned enabledLine(const LogicPins& pins, unsigned address) {
    const bool enabled = !pins.in(kE1) && pins.in(kE2);
    return enabled ? address & 7U : kNoLine;
}

unsigned latchedLine(const LogicPins& pins, LogicState& state) {
    std::uint32_t& address = state.regs[0];
    if (!pins.in(kLatchEnable237)) address = readBus(pins, kSelect138);
    return enabledLine(pins, address);
}

// '139: two 2 to 4 decoders, each with an enable (low).
struct Decoder2To4 {
    int enable;
    Bus<2> select;
    Bus<4> outputs;
};
constexpr std::array<Decoder2To4, 2> kDual139 = {{{1, {2, 3}, {4, 5, 6, 7}}, {15, {14, 13}, {12, 11, 10, 9}}}};

// '155/'156: two 2 to 4 decoders sharing the address; the first enabled by 1C
// high and 1G low, the second by 2G and 2C both low.
constexpr Bus<2> kAddress155 = {13, 3};
constexpr int kEnable1C = 1, kEnable1G = 2, kEnable2G = 14, kEnable2C = 15;
constexpr Bus<4> kOutputs155First = {7, 6, 5, 4};
constexpr Bus<4> kOutputs155Second = {9, 10, 11, 12};

// '154: 4 to 16 with two enables (low).
constexpr Bus<4> kSelect154 = {23, 22, 21, 20};
constexpr int kG1Of154 = 18, kG2Of154 = 19;
constexpr Bus<16> kOutputs154 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17};

} // namespace

void bcdToDecimal(LogicPins& pins, LogicState&) {
    const unsigned value = readBus(pins, kBcdInputs);
    driveOneLow(pins, kDecimalOutputs, value < kDecimalLines ? value : kNoLine);
}

void decoder3To8(LogicPins& pins, LogicState&) {
    const bool enabled = pins.in(kG1) && !pins.in(kG2A) && !pins.in(kG2B);
    driveOneLow(pins, kOutputs138, enabled ? readBus(pins, kSelect138) : kNoLine);
}

void decoder3To8ActiveHigh(LogicPins& pins, LogicState&) {
    const bool enabled = pins.in(kG1) && !pins.in(kG2A) && !pins.in(kG2B);
    driveOneHigh(pins, kOutputs138, enabled ? readBus(pins, kSelect138) : kNoLine);
}

void latchedDecoder3To8ActiveHigh(LogicPins& pins, LogicState& state) {
    driveOneHigh(pins, kOutputs138, latchedLine(pins, state));
}

void latchedDecoder3To8(LogicPins& pins, LogicState& state) { driveOneLow(pins, kOutputs138, latchedLine(pins, state)); }

void registeredDecoder3To8(LogicPins& pins, LogicState& state) {
    std::uint32_t& address = state.regs[0];
    if (pins.rose(kClock131)) address = readBus(pins, kSelect138);
    driveOneLow(pins, kOutputs138, enabledLine(pins, address));
}

void dualDecoder2To4(LogicPins& pins, LogicState&) {
    for (const Decoder2To4& decoder : kDual139)
        driveOneLow(pins, decoder.outputs, pins.in(decoder.enable) ? kNoLine : readBus(pins, decoder.select));
}

void dualDecoderSharedAddress(LogicPins& pins, LogicState&) {
    const unsigned address = readBus(pins, kAddress155);
    const bool firstOn = pins.in(kEnable1C) && !pins.in(kEnable1G);
    const bool secondOn = !pins.in(kEnable2G) && !pins.in(kEnable2C);
    driveOneLow(pins, kOutputs155First, firstOn ? address : kNoLine);
    driveOneLow(pins, kOutputs155Second, secondOn ? address : kNoLine);
}

void decoder4To16(LogicPins& pins, LogicState&) {
    const bool enabled = !pins.in(kG1Of154) && !pins.in(kG2Of154);
    driveOneLow(pins, kOutputs154, enabled ? readBus(pins, kSelect154) : kNoLine);
}

} // namespace quarvin::sim::ttl74
