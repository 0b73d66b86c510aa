// Priority encoders: the highest-numbered input pulled low wins, and its number
// comes out inverted (all outputs high when no input is low).
#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr int kNoneLow = -1;

// The highest index in `inputs` whose pin is low.
template <std::size_t N>
int highestLow(const LogicPins& pins, const Bus<N>& inputs) {
    for (int i = static_cast<int>(N) - 1; i >= 0; --i)
        if (!pins.in(inputs[static_cast<std::size_t>(i)])) return i;
    return kNoneLow;
}

// '147: decimal 1..9 to BCD; input 0 is implied by all inputs high.
constexpr Bus<9> kDecimalInputs = {11, 12, 13, 1, 2, 3, 4, 5, 10}; // lines 1..9
constexpr Bus<4> kBcdOutputs = {9, 7, 6, 14};                      // A B C D

// '148: octal 0..7 to binary, with enable in, enable out and group select.
constexpr Bus<8> kOctalInputs = {10, 11, 12, 13, 1, 2, 3, 4};
constexpr Bus<3> kOctalOutputs = {9, 7, 6}; // A0 A1 A2
constexpr int kEnableIn = 5, kGroupSelect = 14, kEnableOut = 15;

} // namespace

void decimalPriorityEncoder(LogicPins& pins, LogicState&) {
    const int line = highestLow(pins, kDecimalInputs);
    const unsigned value = line == kNoneLow ? 0U : static_cast<unsigned>(line + 1);
    driveBus(pins, kBcdOutputs, ~value);
}

void octalPriorityEncoder(LogicPins& pins, LogicState&) {
    const bool enabled = !pins.in(kEnableIn);
    const int line = enabled ? highestLow(pins, kOctalInputs) : kNoneLow;
    const bool any = line != kNoneLow;
    driveBus(pins, kOctalOutputs, any ? ~static_cast<unsigned>(line) : ~0U);
    pins.out(kGroupSelect, !any);
    pins.out(kEnableOut, !(enabled && !any));
}

} // namespace quarvin::sim::ttl74
