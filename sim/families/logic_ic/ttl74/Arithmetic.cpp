// Adders, magnitude and identity comparators, parity generator.
#include <bit>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

// '283: 4-bit binary full adder.
constexpr Bus<4> kAddendA = {5, 3, 14, 12};
constexpr Bus<4> kAddendB = {6, 2, 15, 11};
constexpr Bus<4> kSum = {4, 1, 13, 10};
constexpr int kCarryIn = 7, kCarryOut = 9;
constexpr unsigned kSumBits = 4;

// '85: 4-bit magnitude comparator with cascading inputs.
constexpr Bus<4> kCompareA = {10, 12, 13, 15};
constexpr Bus<4> kCompareB = {9, 11, 14, 1};
constexpr int kLessIn = 2, kEqualIn = 3, kGreaterIn = 4;
constexpr int kGreaterOut = 5, kEqualOut = 6, kLessOut = 7;

// '688: 8-bit identity comparator, P=Q output low when enabled and equal.
constexpr Bus<8> kIdentityP = {2, 4, 6, 8, 11, 13, 15, 17};
constexpr Bus<8> kIdentityQ = {3, 5, 7, 9, 12, 14, 16, 18};
constexpr int kIdentityEnable = 1, kIdentityEqual = 19;

// '280: 9-bit parity generator/checker.
constexpr Bus<9> kParityInputs = {8, 9, 10, 11, 12, 13, 1, 2, 4};
constexpr int kEvenOut = 5, kOddOut = 6;

} // namespace

void fullAdder4(LogicPins& pins, LogicState&) {
    const unsigned total = readBus(pins, kAddendA) + readBus(pins, kAddendB) + (pins.in(kCarryIn) ? 1U : 0U);
    driveBus(pins, kSum, total);
    pins.out(kCarryOut, (total >> kSumBits) & 1U);
}

void magnitudeComparator4(LogicPins& pins, LogicState&) {
    const unsigned a = readBus(pins, kCompareA), b = readBus(pins, kCompareB);
    if (a != b) {
        pins.out(kGreaterOut, a > b);
        pins.out(kLessOut, a < b);
        pins.out(kEqualOut, false);
        return;
    }
    // Equal words: the cascading inputs decide, as the data sheet's table
    // gives for all their combinations (A=B in high wins).
    const bool equalIn = pins.in(kEqualIn);
    pins.out(kEqualOut, equalIn);
    pins.out(kGreaterOut, !equalIn && !pins.in(kLessIn));
    pins.out(kLessOut, !equalIn && !pins.in(kGreaterIn));
}

void identityComparator8(LogicPins& pins, LogicState&) {
    const bool equal = readBus(pins, kIdentityP) == readBus(pins, kIdentityQ);
    pins.out(kIdentityEqual, !(equal && !pins.in(kIdentityEnable)));
}

void parityGenerator9(LogicPins& pins, LogicState&) {
    const bool odd = std::popcount(readBus(pins, kParityInputs)) % 2 != 0;
    pins.out(kEvenOut, !odd);
    pins.out(kOddOut, odd);
}

} // namespace quarvin::sim::ttl74
