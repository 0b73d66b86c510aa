// Decoders: one output low for the selected line, all high otherwise.
#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr unsigned kNoLine = ~0U;

template <std::size_t N>
void driveOneLow(LogicPins& pins, const Bus<N>& outputs, unsigned selected) {
    for (std::size_t line = 0; line < N; ++line) pins.out(outputs[line], line != selected);
}

// '42/'145: BCD to decimal; inputs 10..15 select no output.
constexpr Bus<4> kBcdInputs = {15, 14, 13, 12};
constexpr Bus<10> kDecimalOutputs = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11};
constexpr unsigned kDecimalLines = 10;

// '138: 3 to 8 with enables G1 (high), G2A and G2B (low).
constexpr Bus<3> kSelect138 = {1, 2, 3};
constexpr int kG2A = 4, kG2B = 5, kG1 = 6;
constexpr Bus<8> kOutputs138 = {15, 14, 13, 12, 11, 10, 9, 7};

// '139: two 2 to 4 decoders, each with an enable (low).
struct Decoder2To4 {
    int enable;
    Bus<2> select;
    Bus<4> outputs;
};
constexpr std::array<Decoder2To4, 2> kDual139 = {{{1, {2, 3}, {4, 5, 6, 7}}, {15, {14, 13}, {12, 11, 10, 9}}}};

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

void dualDecoder2To4(LogicPins& pins, LogicState&) {
    for (const Decoder2To4& decoder : kDual139)
        driveOneLow(pins, decoder.outputs, pins.in(decoder.enable) ? kNoLine : readBus(pins, decoder.select));
}

void decoder4To16(LogicPins& pins, LogicState&) {
    const bool enabled = !pins.in(kG1Of154) && !pins.in(kG2Of154);
    driveOneLow(pins, kOutputs154, enabled ? readBus(pins, kSelect154) : kNoLine);
}

} // namespace quarvin::sim::ttl74
