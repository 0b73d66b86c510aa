// Multi-bit latches and D registers: a data bus, a latch enable or clock, and an
// optional clear or output enable. The stored word lives in regs[0].
#include <cstdint>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr int kOutputEnable = 1; // '373, '374, '533, '573, '574: low drives the outputs
constexpr int kClearOrGate = 1;  // '273: clear (low); '377: clock enable (low)
constexpr int kClockOrLatch = 11; // clock ('374, '574, '273, '377) or latch enable ('373, '533, '573)

// '273, '373, '374, '377, '533, '534: data and outputs interleaved along both sides.
constexpr Bus<8> kInterleavedD = {3, 4, 7, 8, 13, 14, 17, 18};
constexpr Bus<8> kInterleavedQ = {2, 5, 6, 9, 12, 15, 16, 19};
// '563, '564, '573, '574: data on one side, outputs on the other.
constexpr Bus<8> kFlowThroughD = {2, 3, 4, 5, 6, 7, 8, 9};
constexpr Bus<8> kFlowThroughQ = {19, 18, 17, 16, 15, 14, 13, 12};

std::uint32_t& word(LogicState& state) { return state.regs[0]; }

enum class Outputs { True, Inverted };

void transparentLatch(LogicPins& pins, LogicState& state, const Bus<8>& d, const Bus<8>& q,
                      Outputs outputs = Outputs::True) {
    if (pins.in(kClockOrLatch)) word(state) = readBus(pins, d);
    const unsigned shown = outputs == Outputs::Inverted ? ~word(state) : word(state);
    driveBus3State(pins, q, shown, !pins.in(kOutputEnable));
}

void edgeRegister3State(LogicPins& pins, LogicState& state, const Bus<8>& d, const Bus<8>& q,
                        Outputs outputs = Outputs::True) {
    if (pins.rose(kClockOrLatch)) word(state) = readBus(pins, d);
    const unsigned shown = outputs == Outputs::Inverted ? ~word(state) : word(state);
    driveBus3State(pins, q, shown, !pins.in(kOutputEnable));
}

// '174/'175: clock on pin 9, clear on pin 1.
constexpr int kSmallClear = 1;
constexpr int kSmallClock = 9;
constexpr Bus<6> kHexD = {3, 4, 6, 11, 13, 14};
constexpr Bus<6> kHexQ = {2, 5, 7, 10, 12, 15};
constexpr Bus<4> kQuadD = {4, 5, 12, 13};
constexpr Bus<4> kQuadQ = {2, 7, 10, 15};
constexpr Bus<4> kQuadQBar = {3, 6, 11, 14};

template <std::size_t N>
unsigned clockedWithClear(LogicPins& pins, LogicState& state, int clear, int clock, const Bus<N>& d) {
    if (!pins.in(clear)) word(state) = 0;
    else if (pins.rose(clock)) word(state) = readBus(pins, d);
    return word(state);
}

// '173: 4-bit register, clear high, loads while both data enables are low,
// outputs on while both output controls are low.
namespace quad173 {
constexpr int kOutputControlM = 1, kOutputControlN = 2, kClock = 7, kDataEnable1 = 9, kDataEnable2 = 10,
              kClear = 15;
constexpr Bus<4> kD = {14, 13, 12, 11};
constexpr Bus<4> kQ = {3, 4, 5, 6};
} // namespace quad173

// '259: 8-bit addressable latch. Clear low empties every latch but the one
// addressed while enabled, which follows D (the 1-of-8 demultiplexer mode).
namespace addressable259 {
constexpr int kData = 13, kEnable = 14, kClear = 15;
constexpr Bus<3> kAddress = {1, 2, 3};
constexpr Bus<8> kQ = {4, 5, 6, 7, 9, 10, 11, 12};
} // namespace addressable259

} // namespace

void octalLatch(LogicPins& pins, LogicState& state) { transparentLatch(pins, state, kInterleavedD, kInterleavedQ); }
void octalInvertingLatch(LogicPins& pins, LogicState& state) {
    transparentLatch(pins, state, kInterleavedD, kInterleavedQ, Outputs::Inverted);
}
void octalLatchFlowThrough(LogicPins& pins, LogicState& state) { transparentLatch(pins, state, kFlowThroughD, kFlowThroughQ); }
void octalRegister(LogicPins& pins, LogicState& state) { edgeRegister3State(pins, state, kInterleavedD, kInterleavedQ); }
void octalInvertingRegister(LogicPins& pins, LogicState& state) {
    edgeRegister3State(pins, state, kInterleavedD, kInterleavedQ, Outputs::Inverted);
}
void octalRegisterFlowThrough(LogicPins& pins, LogicState& state) { edgeRegister3State(pins, state, kFlowThroughD, kFlowThroughQ); }
void octalInvertingLatchFlowThrough(LogicPins& pins, LogicState& state) {
    transparentLatch(pins, state, kFlowThroughD, kFlowThroughQ, Outputs::Inverted);
}
void octalInvertingRegisterFlowThrough(LogicPins& pins, LogicState& state) {
    edgeRegister3State(pins, state, kFlowThroughD, kFlowThroughQ, Outputs::Inverted);
}

void octalRegisterWithClear(LogicPins& pins, LogicState& state) {
    driveBus(pins, kInterleavedQ, clockedWithClear(pins, state, kClearOrGate, kClockOrLatch, kInterleavedD));
}

// '377: the clock only loads while pin 1 is low.
void octalRegisterWithEnable(LogicPins& pins, LogicState& state) {
    if (!pins.in(kClearOrGate) && pins.rose(kClockOrLatch)) word(state) = readBus(pins, kInterleavedD);
    driveBus(pins, kInterleavedQ, word(state));
}

void quadRegister3State(LogicPins& pins, LogicState& state) {
    using namespace quad173;
    if (pins.in(kClear)) word(state) = 0;
    else if (pins.rose(kClock) && !pins.in(kDataEnable1) && !pins.in(kDataEnable2)) word(state) = readBus(pins, kD);
    driveBus3State(pins, kQ, word(state), !pins.in(kOutputControlM) && !pins.in(kOutputControlN));
}

void addressableLatch(LogicPins& pins, LogicState& state) {
    using namespace addressable259;
    const bool enabled = !pins.in(kEnable);
    const unsigned addressed = 1U << readBus(pins, kAddress);
    std::uint32_t& latches = word(state);
    if (!pins.in(kClear)) latches &= enabled ? addressed : 0U;
    if (enabled) latches = pins.in(kData) ? (latches | addressed) : (latches & ~addressed);
    driveBus(pins, kQ, latches);
}

void hexRegisterWithClear(LogicPins& pins, LogicState& state) {
    driveBus(pins, kHexQ, clockedWithClear(pins, state, kSmallClear, kSmallClock, kHexD));
}

void quadRegisterWithClear(LogicPins& pins, LogicState& state) {
    const unsigned value = clockedWithClear(pins, state, kSmallClear, kSmallClock, kQuadD);
    driveBus(pins, kQuadQ, value);
    driveBus(pins, kQuadQBar, ~value);
}

} // namespace quarvin::sim::ttl74
