// The 2 x 2-bit parallel multiplier, drawn in the data sheet as four multiplier
// cells: each adds its partial product Xi.Yj to a sum input and a carry input.
#include "sim/families/logic_ic/cmos4x/Models.h"

namespace quarvin::sim::cmos4x {
namespace {

struct CellOut {
    bool sum, carry;
};

CellOut multiplierCell(bool x, bool y, bool sumIn, bool carryIn) {
    const bool product = x && y;
    return {product != (sumIn != carryIn), (product && sumIn) || (product && carryIn) || (sumIn && carryIn)};
}

} // namespace

// S + 4.C0 = X.Y + K + M. The X0 row of cells adds M0 and M1 with K0 as its carry
// and passes its carry out on C0; the X1 row adds the X0 row's sum and M2 with K1
// as its carry, its carry out is C1 (S3). A lone part ties C0 to M2, which makes
// S = X.Y + K + M1M0; in a larger array C0 and the sums feed the next parts.
void mc14554(LogicPins& pins, LogicState&) {
    const bool x0 = pins.in(14), x1 = pins.in(13), y0 = pins.in(15), y1 = pins.in(1);
    const CellOut c00 = multiplierCell(x0, y0, pins.in(2), pins.in(12));   // weight 1: M0, K0
    const CellOut c01 = multiplierCell(x0, y1, pins.in(3), c00.carry);     // weight 2: M1
    const CellOut c10 = multiplierCell(x1, y0, c01.sum, pins.in(10));      // weight 2: K1
    const CellOut c11 = multiplierCell(x1, y1, pins.in(5), c10.carry);     // weight 4: M2
    pins.out(11, c00.sum);   // S0
    pins.out(9, c10.sum);    // S1
    pins.out(7, c11.sum);    // S2
    pins.out(6, c11.carry);  // S3 (C1)
    pins.out(4, c01.carry);  // C0
}

} // namespace quarvin::sim::cmos4x
