// Arithmetic logic units and their look-ahead carry generator, read in
// active-high terms: pins A, B and F carry the data; the ALU's carry pins are
// active low (Cn high: no carry in), the generator's carries active high.
#include <array>
#include <cstddef>

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
} // namespace alu181

// '182: look-ahead carry across four ALUs; generate and propagate inputs and
// outputs active low.
namespace carry182 {
constexpr Bus<4> kGenerate = {3, 1, 14, 5};
constexpr Bus<4> kPropagate = {4, 2, 15, 6};
constexpr int kCarryIn = 13, kPropagateOut = 7, kGenerateOut = 10;
constexpr Bus<3> kCarries = {12, 11, 9}; // Cn+x, Cn+y, Cn+z
} // namespace carry182

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
    for (std::size_t i = 0; i < kA.size(); ++i) {
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

// The logic diagram's AND-OR gates: each carry is the generate of its stage or
// its propagate with the carry below it.
void lookAheadCarryGenerator(LogicPins& pins, LogicState&) {
    using namespace carry182;
    bool carry = pins.in(kCarryIn);
    bool groupGenerate = false, allPropagate = true;
    for (std::size_t i = 0; i < kGenerate.size(); ++i) {
        const bool generate = !pins.in(kGenerate[i]);
        const bool propagate = !pins.in(kPropagate[i]);
        carry = generate || (propagate && carry);
        groupGenerate = generate || (propagate && groupGenerate);
        allPropagate = allPropagate && propagate;
        if (i < kCarries.size()) pins.out(kCarries[i], carry);
    }
    pins.out(kGenerateOut, !groupGenerate);
    pins.out(kPropagateOut, !allPropagate);
}

} // namespace quarvin::sim::ttl74
