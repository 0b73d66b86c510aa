// 8-bit magnitude comparators with P>Q and P=Q outputs ('682, '684).
#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

// ON Semiconductor SN74LS682/D (connection diagram and function table): words P
// and Q on alternate pins, P>Q (1) and P=Q (19) outputs active low; with P < Q
// both are high.
constexpr Bus<8> kWordP = {2, 4, 6, 8, 11, 13, 15, 17};
constexpr Bus<8> kWordQ = {3, 5, 7, 9, 12, 14, 16, 18};
constexpr int kGreaterOut = 1, kEqualOut = 19;

} // namespace

void magnitudeComparator8(LogicPins& pins, LogicState&) {
    const unsigned p = readBus(pins, kWordP), q = readBus(pins, kWordQ);
    pins.out(kGreaterOut, !(p > q));
    pins.out(kEqualOut, p != q);
}

} // namespace quarvin::sim::ttl74
