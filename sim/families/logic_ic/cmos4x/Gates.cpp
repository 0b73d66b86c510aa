#include "sim/families/logic_ic/cmos4x/Gates.h"

namespace quarvin::sim::cmos4x {

bool gateLevel(const LogicPins& pins, const Gate& gate) {
    bool all = true, any = false, odd = false;
    for (int pin : gate.inputs) {
        if (pin == 0) break;
        const bool level = pins.in(pin);
        all = all && level;
        any = any || level;
        odd = odd != level;
    }
    switch (gate.op) {
    case GateOp::And: return all;
    case GateOp::Nand: return !all;
    case GateOp::Or: return any;
    case GateOp::Nor: return !any;
    case GateOp::Xor: return odd;
    case GateOp::Xnor: return !odd;
    case GateOp::Buffer: return all;
    case GateOp::Invert: return !all;
    }
    return false;
}

} // namespace quarvin::sim::cmos4x
