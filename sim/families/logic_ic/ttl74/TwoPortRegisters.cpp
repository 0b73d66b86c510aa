// Quad 2-port registers ('398 with Q and /Q, '399 with Q only): a common select
// picks port 0 (low) or port 1 (high) for each of four D flip-flops, loaded on the
// clock's rising edge. Motorola SN54/74LS398, SN54/74LS399 (FAST and LS TTL data
// 5-557: connection diagrams, function description) and MC54/74F398 (logic symbol
// pin numbers, function table). The '298 is the same function loaded on the
// clock's falling edge, in a 16-pin package: ON Semiconductor SN74LS298/D
// (connection diagram, logic symbol pin numbers) and Fairchild DM74LS298
// (truth table: S low takes I0, high I1, at the HIGH-to-LOW clock edge).
#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

struct TwoPortPins {
    int select, clock;
    Bus<4> port0, port1, q;
};

constexpr TwoPortPins k398{1, 11, {4, 7, 14, 17}, {5, 6, 15, 16}, {2, 9, 12, 19}};
constexpr Bus<4> k398QBar = {3, 8, 13, 18};
constexpr TwoPortPins k399{1, 9, {3, 6, 11, 14}, {4, 5, 12, 13}, {2, 7, 10, 15}};

constexpr TwoPortPins k298{10, 11, {3, 4, 9, 7}, {2, 1, 5, 6}, {15, 14, 13, 12}};

unsigned loadTwoPort(LogicPins& pins, LogicState& state, const TwoPortPins& p, bool fallingEdge = false) {
    unsigned& word = state.regs[0];
    if (fallingEdge ? pins.fell(p.clock) : pins.rose(p.clock)) word = readBus(pins, pins.in(p.select) ? p.port1 : p.port0);
    driveBus(pins, p.q, word);
    return word;
}

} // namespace

void quadTwoPortRegisterComplement(LogicPins& pins, LogicState& state) {
    driveBus(pins, k398QBar, ~loadTwoPort(pins, state, k398));
}

void quadTwoPortRegister(LogicPins& pins, LogicState& state) { loadTwoPort(pins, state, k399); }

void quadTwoPortRegisterFallingEdge(LogicPins& pins, LogicState& state) { loadTwoPort(pins, state, k298, true); }

} // namespace quarvin::sim::ttl74
