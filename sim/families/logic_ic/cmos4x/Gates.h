#pragma once
// Packages of independent gates. Each gate is an operation, an output pin and up to
// eight input pins; one evaluation function serves every gate package, the pinout
// tables below describe the standard CMOS layouts.
#include <array>
#include <cstddef>

#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim::cmos4x {

enum class GateOp { And, Nand, Or, Nor, Xor, Xnor, Buffer, Invert };

struct Gate {
    GateOp op;
    int output;
    std::array<int, 8> inputs; // unused places hold 0
};

bool gateLevel(const LogicPins& pins, const Gate& gate);

template <const auto& Gates>
void evaluateGates(LogicPins& pins, LogicState&) {
    for (const Gate& gate : Gates) pins.out(gate.output, gateLevel(pins, gate));
}

// Four 2-input gates: 1,2->3  5,6->4  8,9->10  12,13->11 (VSS 7, VDD 14).
constexpr std::array<Gate, 4> quad2(GateOp op) {
    return {{{op, 3, {1, 2}}, {op, 4, {5, 6}}, {op, 10, {8, 9}}, {op, 11, {12, 13}}}};
}
// Three 3-input gates: 1,2,8->9  3,4,5->6  11,12,13->10.
constexpr std::array<Gate, 3> triple3(GateOp op) {
    return {{{op, 9, {1, 2, 8}}, {op, 6, {3, 4, 5}}, {op, 10, {11, 12, 13}}}};
}
// Two 4-input gates: 2..5->1  9..12->13 (pins 6 and 8 not connected).
constexpr std::array<Gate, 2> dual4(GateOp op) {
    return {{{op, 1, {2, 3, 4, 5}}, {op, 13, {9, 10, 11, 12}}}};
}
// One 8-input gate on 2..5 and 9..12 with its output on 13 and the inverse on 1.
constexpr std::array<Gate, 2> eight(GateOp op, GateOp inverse) {
    constexpr std::array<int, 8> inputs{2, 3, 4, 5, 9, 10, 11, 12};
    return {{{op, 13, inputs}, {inverse, 1, inputs}}};
}
// Six single-input gates in the 14-pin layout: 1->2 3->4 5->6 9->8 11->10 13->12.
constexpr std::array<Gate, 6> hex14(GateOp op) {
    return {{{op, 2, {1}}, {op, 4, {3}}, {op, 6, {5}}, {op, 8, {9}}, {op, 10, {11}}, {op, 12, {13}}}};
}
// Six single-input gates in the 16-pin layout with the supply on pin 1:
// 3->2 5->4 7->6 9->10 11->12 14->15.
constexpr std::array<Gate, 6> hex16(GateOp op) {
    return {{{op, 2, {3}}, {op, 4, {5}}, {op, 6, {7}}, {op, 10, {9}}, {op, 12, {11}}, {op, 15, {14}}}};
}

} // namespace quarvin::sim::cmos4x
