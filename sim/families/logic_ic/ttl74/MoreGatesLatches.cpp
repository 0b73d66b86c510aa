// More 74 gates, latches, registers and bus transceivers, each drawn from its
// data sheet's pin description and function table.
#include "sim/families/logic_ic/ttl74/MoreGatesLatches.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "sim/families/logic_ic/ttl74/PinBus.h"

namespace quarvin::sim::ttl74 {
namespace {

template <std::size_t N>
bool anyHigh(const LogicPins& pins, const std::array<int, N>& inputs) {
    for (int pin : inputs)
        if (pins.in(pin)) return true;
    return false;
}

// '804/'805/'832: six 2-input drivers in 20 pins: gates 1..3 on pins 1, 2 -> 3,
// 4, 5 -> 6, 7, 8 -> 9; gates 4..6 on pins 12, 13 -> 11, 15, 16 -> 14,
// 18, 19 -> 17.
struct Gate2 {
    int a;
    int b;
    int output;
};
constexpr std::array<Gate2, 6> kHexDrivers = {{
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {12, 13, 11}, {15, 16, 14}, {18, 19, 17},
}};

enum class Gate2Op { Nand, Nor, Or };

bool combine(Gate2Op op, bool a, bool b) {
    switch (op) {
    case Gate2Op::Nand: return !(a && b);
    case Gate2Op::Nor: return !(a || b);
    case Gate2Op::Or: return a || b;
    }
    return false;
}

void driveHexDrivers(LogicPins& pins, Gate2Op op) {
    for (const Gate2& gate : kHexDrivers) pins.out(gate.output, combine(op, pins.in(gate.a), pins.in(gate.b)));
}

// '4002: 1Y on pin 1 from 1A..1D (pins 2..5), 2Y on pin 13 from 2A..2D
// (pins 9..12); pins 6 and 8 are not connected.
constexpr std::array<int, 4> kNor4First = {2, 3, 4, 5};
constexpr std::array<int, 4> kNor4Second = {9, 10, 11, 12};

// '4075: gate 1 on pins 3, 4, 5 -> 6, gate 2 on pins 1, 2, 8 -> 9, gate 3 on
// pins 11, 12, 13 -> 10.
struct Or3 {
    std::array<int, 3> inputs;
    int output;
};
constexpr std::array<Or3, 3> kTripleOr3 = {{{{3, 4, 5}, 6}, {{1, 2, 8}, 9}, {{11, 12, 13}, 10}}};

// '4078: eight inputs on pins 2..5 and 9..12; the OR output on pin 1, the NOR
// output on pin 13.
constexpr std::array<int, 8> kEightInputs = {2, 3, 4, 5, 9, 10, 11, 12};
constexpr int kOrOutput = 1;
constexpr int kNorOutput = 13;

// '620/'621/'623: GAB (pin 1, active high) lets A1..A8 (pins 2..9) drive
// B1..B8 (pins 18..11); GBA (pin 19, active low) would drive the A side, which
// the entries hold as inputs (GBA released), so the model only drives or lets
// go the B side. On the '621 the B side is open collector.
constexpr int kEnableAToB = 1;
constexpr std::array<int, 8> kSideA = {2, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<int, 8> kSideB = {18, 17, 16, 15, 14, 13, 12, 11};

enum class BSide { ThreeState, OpenCollector };

void driveDualEnableAToB(LogicPins& pins, bool inverting, BSide side) {
    const bool enabled = pins.in(kEnableAToB);
    for (std::size_t i = 0; i < kSideA.size(); ++i) {
        if (enabled)
            pins.out(kSideB[i], pins.in(kSideA[i]) != inverting);
        else if (side == BSide::OpenCollector)
            pins.out(kSideB[i], true); // an open collector that is off only stops pulling low
        else
            pins.release(kSideB[i]);
    }
}

// '256: two 4-bit addressable latches sharing A0, A1 (pins 1, 2), E/ (pin 14)
// and CL/ (pin 15); Da (pin 3) feeds Q0a..Q3a (pins 4..7), Db (pin 13) feeds
// Q0b..Q3b (pins 9..12). CL/ low clears every latch but the addressed pair,
// which follows D while E/ is low (demultiplexing); CL/ high and E/ low let the
// addressed pair follow D; E/ high holds.
constexpr Bus<2> kLatchAddress = {1, 2};
constexpr int kLatchEnable = 14;
constexpr int kLatchClear = 15;
struct LatchHalf {
    int data;
    Bus<4> outputs;
    int firstBit; // where its four latches sit in the model memory
};
constexpr std::array<LatchHalf, 2> kLatchHalves = {{{3, {4, 5, 6, 7}, 0}, {13, {9, 10, 11, 12}, 4}}};

// '873/'874/'876/'880: two 4-bit latches ('873, '880) or rising-edge
// registers ('874, '876) with 3-state outputs, true ('873, '874) or inverting
// ('876, '880). Half 1: CLR/ or PRE/ pin 1, OE/ pin 2, D on pins 3..6, Q1..Q4
// on pins 22..19, LE or CLK pin 23; half 2: D on pins 7..10, OE/ pin 11, CLR/
// or PRE/ pin 13, LE or CLK pin 14, Q1..Q4 on pins 18..15. CLR/ (PRE/ on the
// inverting parts) low drives the outputs low whatever LE or CLK does; OE/
// high turns the outputs off without touching the stored bits.
struct DualQuadHalf {
    int clear;
    int outputEnable;
    int load; // LE or CLK
    Bus<4> data;
    Bus<4> outputs;
    unsigned firstBit;
};
constexpr std::array<DualQuadHalf, 2> kDualQuadHalves = {{
    {1, 2, 23, {3, 4, 5, 6}, {22, 21, 20, 19}, 0},
    {13, 11, 14, {7, 8, 9, 10}, {18, 17, 16, 15}, 4},
}};
constexpr unsigned kQuadMask = 0xF;

enum class Storage { Latch, RisingEdgeRegister };
enum class Output { True, Inverting };

void evaluateDualQuad(LogicPins& pins, LogicState& state, Storage storage, Output output) {
    // The stored bits are the output levels: an inverting part stores /D, and
    // its preset stores the low the outputs then show.
    for (const DualQuadHalf& half : kDualQuadHalves) {
        const std::uint64_t mask = std::uint64_t{kQuadMask} << half.firstBit;
        unsigned data = readBus(pins, half.data);
        if (output == Output::Inverting) data = ~data & kQuadMask;
        const bool loading = storage == Storage::Latch ? pins.in(half.load) : pins.rose(half.load);
        if (!pins.in(half.clear))
            state.bits &= ~mask;
        else if (loading)
            state.bits = (state.bits & ~mask) | (std::uint64_t{data} << half.firstBit);
        driveBus3State(pins, half.outputs, static_cast<unsigned>((state.bits & mask) >> half.firstBit),
                       !pins.in(half.outputEnable));
    }
}

} // namespace

void dualLatch4WithClear(LogicPins& pins, LogicState& state) {
    evaluateDualQuad(pins, state, Storage::Latch, Output::True);
}

void dualInvertingLatch4WithPreset(LogicPins& pins, LogicState& state) {
    evaluateDualQuad(pins, state, Storage::Latch, Output::Inverting);
}

void dualRegister4WithClear(LogicPins& pins, LogicState& state) {
    evaluateDualQuad(pins, state, Storage::RisingEdgeRegister, Output::True);
}

void dualInvertingRegister4WithPreset(LogicPins& pins, LogicState& state) {
    evaluateDualQuad(pins, state, Storage::RisingEdgeRegister, Output::Inverting);
}

void dualAddressableLatch(LogicPins& pins, LogicState& state) {
    const int address = static_cast<int>(readBus(pins, kLatchAddress));
    const bool enabled = !pins.in(kLatchEnable);
    const bool clearing = !pins.in(kLatchClear);
    for (const LatchHalf& half : kLatchHalves) {
        for (int i = 0; i < 4; ++i) {
            const int bit = half.firstBit + i;
            if (enabled && i == address)
                setStateBit(state, bit, pins.in(half.data));
            else if (clearing)
                setStateBit(state, bit, false);
            pins.out(half.outputs[static_cast<std::size_t>(i)], stateBit(state, bit));
        }
    }
}

void hexNandDrivers(LogicPins& pins, LogicState&) { driveHexDrivers(pins, Gate2Op::Nand); }
void hexNorDrivers(LogicPins& pins, LogicState&) { driveHexDrivers(pins, Gate2Op::Nor); }
void hexOrDrivers(LogicPins& pins, LogicState&) { driveHexDrivers(pins, Gate2Op::Or); }

void dualNor4OutputsOutside(LogicPins& pins, LogicState&) {
    pins.out(1, !anyHigh(pins, kNor4First));
    pins.out(13, !anyHigh(pins, kNor4Second));
}

void tripleOr3CmosPinout(LogicPins& pins, LogicState&) {
    for (const Or3& gate : kTripleOr3) pins.out(gate.output, anyHigh(pins, gate.inputs));
}

void orNor8(LogicPins& pins, LogicState&) {
    const bool any = anyHigh(pins, kEightInputs);
    pins.out(kOrOutput, any);
    pins.out(kNorOutput, !any);
}

void octalDualEnableTransceiverAToB(LogicPins& pins, LogicState&) {
    driveDualEnableAToB(pins, false, BSide::ThreeState);
}

void octalDualEnableTransceiverAToBInverting(LogicPins& pins, LogicState&) {
    driveDualEnableAToB(pins, true, BSide::ThreeState);
}

void octalOpenCollectorDualEnableTransceiverAToB(LogicPins& pins, LogicState&) {
    driveDualEnableAToB(pins, false, BSide::OpenCollector);
}

} // namespace quarvin::sim::ttl74
