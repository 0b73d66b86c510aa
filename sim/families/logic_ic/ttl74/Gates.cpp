// The plain gates: each part is one logic function repeated over a pin layout.
// Open-collector versions share the push-pull part's function; the pin letter
// 'C' makes the chip release the pin where the function gives high.
#include <array>
#include <cstddef>

#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

enum class GateOp { And, Nand, Or, Nor, Xor, Xnor, Buffer, Invert };

constexpr int kMaxGateInputs = 13;

struct GatePins {
    int output;
    std::array<int, kMaxGateInputs> inputs; // the first inputCount are used
    int inputCount;
};

template <std::size_t N>
using GateLayout = std::array<GatePins, N>;

bool combine(GateOp op, const LogicPins& pins, const GatePins& gate) {
    bool all = true, any = false, odd = false;
    for (int i = 0; i < gate.inputCount; ++i) {
        const bool level = pins.in(gate.inputs[static_cast<std::size_t>(i)]);
        all = all && level;
        any = any || level;
        odd = odd != level;
    }
    switch (op) {
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

template <std::size_t N>
void applyGates(LogicPins& pins, GateOp op, const GateLayout<N>& layout) {
    for (const GatePins& gate : layout) pins.out(gate.output, combine(op, pins, gate));
}

// Quad 2-input, output on the third pin of each group ('00, '08, '32, '86 ...).
constexpr GateLayout<4> kQuad2 = {{
    {3, {1, 2}, 2}, {6, {4, 5}, 2}, {8, {9, 10}, 2}, {11, {12, 13}, 2},
}};
// Quad 2-input, output first in each group ('01, '02, '28, '33).
constexpr GateLayout<4> kQuad2OutputFirst = {{
    {1, {2, 3}, 2}, {4, {5, 6}, 2}, {10, {8, 9}, 2}, {13, {11, 12}, 2},
}};
// Quad 2-input with the outputs of gates 1/2 and 3/4 side by side on pins 3, 4
// and 10, 11, each gate's inputs on its outer side ('7266).
constexpr GateLayout<4> kQuad2OutputsInside = {{
    {3, {1, 2}, 2}, {4, {5, 6}, 2}, {10, {8, 9}, 2}, {11, {12, 13}, 2},
}};
// Hex single-input ('04, '05, '06, '07, '14, '16, '17).
constexpr GateLayout<6> kHex = {{
    {2, {1}, 1}, {4, {3}, 1}, {6, {5}, 1}, {8, {9}, 1}, {10, {11}, 1}, {12, {13}, 1},
}};
// Triple 3-input ('10, '11, '12, '15, '27).
constexpr GateLayout<3> kTriple3 = {{
    {12, {1, 2, 13}, 3}, {6, {3, 4, 5}, 3}, {8, {9, 10, 11}, 3},
}};
// Dual 4-input, pins 3 and 11 not connected ('20, '21, '22, '40).
constexpr GateLayout<2> kDual4 = {{
    {6, {1, 2, 4, 5}, 4}, {8, {9, 10, 12, 13}, 4},
}};
// Dual 5-input, outputs on pins 5 and 6 ('260).
constexpr GateLayout<2> kDual5 = {{
    {5, {1, 2, 3, 12, 13}, 5}, {6, {4, 8, 9, 10, 11}, 5},
}};
// Single 8-input ('30).
constexpr GateLayout<1> kSingle8 = {{
    {8, {1, 2, 3, 4, 5, 6, 11, 12}, 8},
}};
// Single 13-input, 16 pins, output on pin 9 ('133).
constexpr GateLayout<1> kSingle13 = {{
    {9, {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15}, 13},
}};

// AND-OR-INVERT gates: the output is low when all inputs of any one AND group
// are high.
constexpr int kMaxAndGroups = 4;
constexpr int kInside = 0; // an AND group's output feeds the NOR inside the part

struct AndOrInvertPins {
    int output;
    std::array<GatePins, kMaxAndGroups> groups; // the first groupCount are used
    int groupCount;
};

void andOrInvert(LogicPins& pins, const AndOrInvertPins& gate) {
    bool any = false;
    for (int g = 0; g < gate.groupCount; ++g) any = any || combine(GateOp::And, pins, gate.groups[static_cast<std::size_t>(g)]);
    pins.out(gate.output, !any);
}

// 'LS51: 1Y = not(1A.1B.1C + 1D.1E.1F), 2Y = not(2A.2B + 2C.2D).
constexpr std::array<AndOrInvertPins, 2> kDualAoi51 = {{
    {8, {{{kInside, {1, 12, 13}, 3}, {kInside, {9, 10, 11}, 3}}}, 2},
    {6, {{{kInside, {2, 3}, 2}, {kInside, {4, 5}, 2}}}, 2},
}};
// 'S64/'S65: Y = not(ABCD + EF + GHI + JK).
constexpr AndOrInvertPins kAoi4232 = {
    8, {{{kInside, {1, 11, 12, 13}, 4}, {kInside, {2, 3}, 2}, {kInside, {4, 5, 6}, 3}, {kInside, {9, 10}, 2}}}, 4};

} // namespace

void dualAndOrInvert(LogicPins& pins, LogicState&) {
    for (const AndOrInvertPins& gate : kDualAoi51) andOrInvert(pins, gate);
}
void andOrInvert4232(LogicPins& pins, LogicState&) { andOrInvert(pins, kAoi4232); }

void quadNand(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nand, kQuad2); }
void quadNandOutputFirst(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nand, kQuad2OutputFirst); }
void quadNor(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nor, kQuad2OutputFirst); }
void quadAnd(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::And, kQuad2); }
void quadOr(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Or, kQuad2); }
void quadXor(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Xor, kQuad2); }
void quadXnor(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Xnor, kQuad2); }
void quadXnorOutputsInside(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Xnor, kQuad2OutputsInside); }
void hexInverter(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Invert, kHex); }
void hexBuffer(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Buffer, kHex); }
void tripleNand3(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nand, kTriple3); }
void tripleAnd3(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::And, kTriple3); }
void tripleNor3(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nor, kTriple3); }
void dualNand4(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nand, kDual4); }
void dualAnd4(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::And, kDual4); }
void dualNor5(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nor, kDual5); }
void nand8(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nand, kSingle8); }
void nand13(LogicPins& pins, LogicState&) { applyGates(pins, GateOp::Nand, kSingle13); }

} // namespace quarvin::sim::ttl74
