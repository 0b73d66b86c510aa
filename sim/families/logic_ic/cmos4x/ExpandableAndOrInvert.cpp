// Dual 2-wide, 2-input AND-OR-INVERT gate with expand inputs, a common inhibit and
// a common 3-state output disable (MC14506UB).
#include "sim/families/logic_ic/cmos4x/Models.h"

namespace quarvin::sim::cmos4x {
namespace {

struct ExpandableGate {
    int a, b, c, d, expand, z;
};

constexpr ExpandableGate kGateA{1, 2, 3, 4, 5, 15};
constexpr ExpandableGate kGateB{9, 10, 11, 12, 13, 7};
constexpr int kInhibit = 6;
constexpr int kDisable = 14;

// Z = not (A·B + C·D + not EXPAND + INHIBIT). EXPAND counts when low, so another
// gate's output wired to it adds that gate's AND terms to this one (gate B into
// EXPAND A gives one 4-wide AOI); held or left high it adds nothing.
bool outputLevel(const LogicPins& pins, const ExpandableGate& gate, bool inhibit) {
    const bool firstTerm = pins.in(gate.a) && pins.in(gate.b);
    const bool secondTerm = pins.in(gate.c) && pins.in(gate.d);
    const bool expanded = !pins.in(gate.expand);
    return !(firstTerm || secondTerm || expanded || inhibit);
}

} // namespace

void mc14506(LogicPins& pins, LogicState&) {
    const bool inhibit = pins.in(kInhibit), disabled = pins.in(kDisable);
    for (const ExpandableGate& gate : {kGateA, kGateB}) {
        if (disabled) pins.release(gate.z);
        else pins.out(gate.z, outputLevel(pins, gate, inhibit));
    }
}

} // namespace quarvin::sim::cmos4x
