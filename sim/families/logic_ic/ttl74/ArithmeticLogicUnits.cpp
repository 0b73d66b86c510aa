// Arithmetic logic units, read in active-high terms: pins A, B and F carry the
// data, the carry pins are active low (Cn high: no carry in).
#include <array>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

// '181: 4-bit ALU / function generator with look-ahead outputs.
namespace alu181 {
constexpr int kS3 = 3, kS2 = 4, kS1 = 5, kS0 = 6, kCarryIn = 7, kMode = 8;
constexpr int kEqual = 14, kPropagate = 15, kCarryOut = 16, kGenerate = 17;
constexpr Bus<4> kA = {2, 23, 21, 19};
constexpr Bus<4> kB = {1, 22, 20, 18};
constexpr Bus<4> kF = {9, 10, 11, 13};
constexpr int kBits = 4;
} // namespace alu181

} // namespace

// The logic diagram's gates, bit by bit: each bit's first stage gives
// propagate P = A + B.S0 + B'.S1 and generate G = A.B.S3 + A.B'.S2; the half sum
// is P xor G, and F is the half sum xor a term that is the carry into the bit in
// arithmetic mode (M low) and forced high in logic mode (M high).
void aluFunctionGenerator(LogicPins& pins, LogicState&) {
    using namespace alu181;
    const bool s0 = pins.in(kS0), s1 = pins.in(kS1), s2 = pins.in(kS2), s3 = pins.in(kS3);
    const bool logicMode = pins.in(kMode);
    bool carry = !pins.in(kCarryIn);
    bool allPropagate = true, groupGenerate = false, allEqual = true;
    for (int i = 0; i < kBits; ++i) {
        const bool a = pins.in(kA[i]), b = pins.in(kB[i]);
        const bool propagate = a || (b && s0) || (!b && s1);
        const bool generate = (a && b && s3) || (a && !b && s2);
        const bool halfSum = propagate != generate;
        const bool carryTerm = logicMode || carry;
        const bool f = halfSum != carryTerm;
        pins.out(kF[i], f);
        allEqual = allEqual && f;
        groupGenerate = generate || (propagate && groupGenerate);
        allPropagate = allPropagate && propagate;
        carry = generate || (propagate && carry);
    }
    pins.out(kPropagate, !allPropagate);
    pins.out(kGenerate, !groupGenerate);
    pins.out(kCarryOut, !carry);
    pins.out(kEqual, allEqual);
}

} // namespace quarvin::sim::ttl74
