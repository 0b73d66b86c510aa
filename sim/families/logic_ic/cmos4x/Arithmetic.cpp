// Adders, comparators and a parity generator of the 40 series.
#include <bit>

#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"

namespace quarvin::sim::cmos4x {

// 4-bit full adder with carry in (9) and carry out (14).
void cd4008(LogicPins& pins, LogicState&) {
    const unsigned sum = readBus(pins, {7, 5, 3, 1}) + readBus(pins, {6, 4, 2, 15}) + (pins.in(9) ? 1U : 0U);
    writeBus(pins, {10, 11, 12, 13, 14}, sum);
}

// 4-bit magnitude comparator; equal words pass the cascading inputs through.
void cd4063(LogicPins& pins, LogicState&) {
    const unsigned a = readBus(pins, {10, 12, 13, 15}), b = readBus(pins, {9, 11, 14, 1});
    const bool equal = a == b;
    pins.out(5, a > b || (equal && pins.in(4)));
    pins.out(6, equal && pins.in(3));
    pins.out(7, a < b || (equal && pins.in(2)));
}

// 4-bit magnitude comparator of the 4585 kind: equal words pass the A<B and A=B
// cascading inputs through; A>B out needs the A>B input high and neither other
// output high (a single part or a cascade ties that input high).
void mc14585(LogicPins& pins, LogicState&) {
    const unsigned a = readBus(pins, {10, 7, 2, 15}), b = readBus(pins, {11, 9, 1, 14});
    const bool less = a < b || (a == b && pins.in(5));
    const bool equal = a == b && pins.in(6);
    pins.out(12, less);
    pins.out(3, equal);
    pins.out(13, pins.in(4) && !less && !equal);
}


// NBCD adder: the binary sum of two digits and the carry, corrected by six when it
// passes nine (the data sheet's binary-to-NBCD code converter).
void mc14560(LogicPins& pins, LogicState&) {
    unsigned sum = readBus(pins, {15, 1, 3, 5}) + readBus(pins, {14, 2, 4, 6}) + (pins.in(7) ? 1U : 0U);
    const bool carry = sum > 9;
    if (carry) sum += 6;
    writeBus(pins, {13, 12, 11, 10}, sum & 0xF);
    pins.out(9, carry);
}

// 9's complementer: COMP high with COMP DISABLE low selects the complement of the
// digit (F1 = /A1, F2 = A2, F3 = A2 xor A3, F4 = none of A2..A4), Z high forces 0.
void mc14561(LogicPins& pins, LogicState&) {
    const bool a1 = pins.in(1), a2 = pins.in(2), a3 = pins.in(3), a4 = pins.in(4);
    const bool complement = pins.in(5) && !pins.in(6), zero = pins.in(9);
    const bool f[4] = {complement ? !a1 : a1, a2, complement ? a2 != a3 : a3, complement ? !(a2 || a3 || a4) : a4};
    const int outputs[4] = {13, 12, 11, 10};
    for (int i = 0; i < 4; ++i) pins.out(outputs[i], !zero && f[i]);
}


// Dual 5-input majority gate: Z is high when three or more of A..E agree with W
// (W high: a majority of ones, W low: a majority of zeros).
void mc14530(LogicPins& pins, LogicState&) {
    struct Half { std::initializer_list<int> inputs; int w, z; };
    for (const Half& h : {Half{{1, 2, 3, 4, 5}, 6, 7}, Half{{9, 10, 11, 12, 13}, 14, 15}}) {
        unsigned ones = 0;
        for (int pin : h.inputs) ones += pins.in(pin) ? 1U : 0U;
        pins.out(h.z, (ones >= 3) == pins.in(h.w));
    }
}

// Look-ahead carry generator with active-low generate and propagate inputs and
// group outputs, active-high carries.
void mc14582(LogicPins& pins, LogicState&) {
    const bool g0 = !pins.in(3), g1 = !pins.in(1), g2 = !pins.in(14), g3 = !pins.in(5);
    const bool p0 = !pins.in(4), p1 = !pins.in(2), p2 = !pins.in(15), p3 = !pins.in(6);
    const bool cn = pins.in(13);
    const bool cx = g0 || (p0 && cn);
    const bool cy = g1 || (p1 && cx);
    const bool cz = g2 || (p2 && cy);
    pins.out(12, cx);
    pins.out(11, cy);
    pins.out(9, cz);
    pins.out(10, !(g3 || (p3 && g2) || (p3 && p2 && g1) || (p3 && p2 && p1 && g0)));
    pins.out(7, !(p0 && p1 && p2 && p3));
}

// 4-bit ALU, the 74181 logic diagram in CMOS. Per bit a NOR of A, B.S0 and /B.S1
// and a NOR of A./B.S2 and A.B.S3 give the propagate and generate terms; their
// exclusive OR, with the internal carry unless M (logic mode) is high, is F. The
// carry input and output are active low, so are the group P and G; A=B is the AND
// of the F outputs. M gates only the carries into F, not Cn+4, P or G.
void mc14581(LogicPins& pins, LogicState&) {
    const unsigned a = readBus(pins, {2, 23, 21, 19}), b = readBus(pins, {1, 22, 20, 18});
    const bool s0 = pins.in(6), s1 = pins.in(5), s2 = pins.in(4), s3 = pins.in(3);
    const bool logic = pins.in(8);
    bool carry = !pins.in(7);
    bool allPropagate = true, groupGenerate = false;
    unsigned f = 0;
    for (int i = 0; i < 4; ++i) {
        const bool ai = (a >> i) & 1U, bi = (b >> i) & 1U;
        const bool p = ai || (bi && s0) || (!bi && s1);
        const bool g = (ai && !bi && s2) || (ai && bi && s3);
        const bool fi = (p != g) != (logic || carry);
        if (fi) f |= 1U << i;
        groupGenerate = g || (p && groupGenerate);
        allPropagate = allPropagate && p;
        carry = g || (p && carry);
    }
    writeBus(pins, {9, 10, 11, 13}, f);
    pins.out(14, f == 0xF);
    pins.out(15, !allPropagate);
    pins.out(16, !carry);
    pins.out(17, !groupGenerate);
}

// CD40101B (Intersil CD40101BMS pinout and truth table): 9-bit parity over D1..D9
// on 1 2 3 4 10 11 12 13 5. EVEN (9) is high for an even count of high inputs,
// ODD (6) for an odd one; INHIBIT (8) high takes both low.
void cd40101(LogicPins& pins, LogicState&) {
    const unsigned data = readBus(pins, {1, 2, 3, 4, 10, 11, 12, 13, 5});
    const bool odd = std::popcount(data) % 2 == 1, inhibit = pins.in(8);
    pins.out(9, !inhibit && !odd);
    pins.out(6, !inhibit && odd);
}

} // namespace quarvin::sim::cmos4x
