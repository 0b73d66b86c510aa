// AND-OR-INVERT gates of the 40 series without 3-state outputs: the dual 4085
// and the expandable 4-wide 4086.
#include "sim/families/logic_ic/cmos4x/Models.h"

namespace quarvin::sim::cmos4x {
namespace {

struct AndPair {
    int a, b;
};

bool anyPairHigh(const LogicPins& pins, std::initializer_list<AndPair> pairs) {
    for (const AndPair& pair : pairs)
        if (pins.in(pair.a) && pins.in(pair.b)) return true;
    return false;
}

} // namespace

// CD4085B (Harris CD4085BMS, functional diagram): E = not (INHIBIT + A·B + C·D),
// gate 1 A1 1, B1 2, C1 12, D1 13, INHIBIT 1 10, E1 3; gate 2 A2 5, B2 6, C2 8,
// D2 9, INHIBIT 2 11, E2 4.
void cd4085(LogicPins& pins, LogicState&) {
    pins.out(3, !(anyPairHigh(pins, {{1, 2}, {12, 13}}) || pins.in(10)));
    pins.out(4, !(anyPairHigh(pins, {{5, 6}, {8, 9}}) || pins.in(11)));
}

// CD4086B (ST HCF4086B pin description, Philips HEF4086B logic equation): output J
// (3) = not (A·B + C·D + E·F + G·H + INHIBIT/EXP + not ENABLE/EXP), inputs A..H on
// 1 2 12 13 5 6 8 9, INHIBIT/EXP 10, ENABLE/EXP 11.
void cd4086(LogicPins& pins, LogicState&) {
    const bool anyTerm = anyPairHigh(pins, {{1, 2}, {12, 13}, {5, 6}, {8, 9}});
    pins.out(3, !(anyTerm || pins.in(10) || !pins.in(11)));
}

} // namespace quarvin::sim::cmos4x
