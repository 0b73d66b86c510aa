// Single-bit flip-flops: D and J-K types with asynchronous preset and clear, and
// S-R latches. Each one's bit is one bit of LogicState::bits.
#include <array>
#include <cstddef>

#include "sim/families/logic_ic/ttl74/PinBus.h"
#include "sim/families/logic_ic/ttl74/Ttl74Models.h"

namespace quarvin::sim::ttl74 {
namespace {

constexpr int kNoPin = 0;

enum class Edge { Rising, Falling };
enum class DataInputs { D, JK, JKBar }; // JKBar: the '109's and '276's J and inverted K

struct FlipFlopPins {
    int clock;
    int j;  // D input on D types
    int k;  // K, or K-bar; unused on D types
    int preset;
    int clear;
    int q;
    int qBar; // kNoPin on parts without it ('276)
};

void driveOutputs(LogicPins& pins, const FlipFlopPins& ff, bool q, bool qBar) {
    pins.out(ff.q, q);
    if (ff.qBar != kNoPin) pins.out(ff.qBar, qBar);
}

bool nextState(const LogicPins& pins, const FlipFlopPins& ff, DataInputs inputs, bool current) {
    const bool j = pins.in(ff.j);
    if (inputs == DataInputs::D) return j;
    const bool k = inputs == DataInputs::JKBar ? !pins.in(ff.k) : pins.in(ff.k);
    if (j && k) return !current;
    if (j) return true;
    if (k) return false;
    return current;
}

template <std::size_t N>
void flipFlops(LogicPins& pins, LogicState& state, const std::array<FlipFlopPins, N>& flipFlops, Edge edge,
               DataInputs inputs) {
    for (std::size_t i = 0; i < N; ++i) {
        const FlipFlopPins& ff = flipFlops[i];
        const int index = static_cast<int>(i);
        const bool preset = ff.preset != kNoPin && !pins.in(ff.preset);
        const bool clear = ff.clear != kNoPin && !pins.in(ff.clear);
        if (preset && clear) {
            // Both asynchronous inputs low: both outputs high, a state that does
            // not persist when they are released.
            driveOutputs(pins, ff, true, true);
            continue;
        }
        if (preset) setStateBit(state, index, true);
        else if (clear) setStateBit(state, index, false);
        else if (edge == Edge::Rising ? pins.rose(ff.clock) : pins.fell(ff.clock))
            setStateBit(state, index, nextState(pins, ff, inputs, stateBit(state, index)));
        driveOutputs(pins, ff, stateBit(state, index), !stateBit(state, index));
    }
}

//                                               clock  J/D  K      preset  clear   Q   Q-bar
constexpr std::array<FlipFlopPins, 2> kDual74 = {{{3, 2, kNoPin, 4, 1, 5, 6}, {11, 12, kNoPin, 10, 13, 9, 8}}};
constexpr std::array<FlipFlopPins, 2> kDual107 = {{{12, 1, 4, kNoPin, 13, 3, 2}, {9, 8, 11, kNoPin, 10, 5, 6}}};
constexpr std::array<FlipFlopPins, 2> kDual109 = {{{4, 2, 3, 5, 1, 6, 7}, {12, 14, 13, 11, 15, 10, 9}}};
constexpr std::array<FlipFlopPins, 2> kDual112 = {{{1, 3, 2, 4, 15, 5, 6}, {13, 11, 12, 10, 14, 9, 7}}};
// '113: the '112's flip-flops with a preset and no clear, in 14 pins.
constexpr std::array<FlipFlopPins, 2> kDual113 = {{{1, 3, 2, 4, kNoPin, 5, 6}, {13, 11, 12, 10, kNoPin, 9, 8}}};
// '276: preset (pin 11) and clear (pin 1) common to all four.
constexpr std::array<FlipFlopPins, 4> kQuad276 = {{
    {3, 2, 4, 11, 1, 5, kNoPin}, {8, 9, 7, 11, 1, 6, kNoPin}, {13, 12, 14, 11, 1, 15, kNoPin}, {18, 19, 17, 11, 1, 16, kNoPin},
}};

// '279: four latches of two cross-coupled NAND gates. S low sets, R low
// resets; both low hold Q high for as long as they last.
struct SrLatchPins {
    int reset;
    std::array<int, 2> set; // the second is kNoPin on single-S latches
    int q;
};
constexpr std::array<SrLatchPins, 4> kQuad279 = {{
    {1, {2, 3}, 4}, {5, {6, kNoPin}, 7}, {10, {11, 12}, 9}, {14, {15, kNoPin}, 13},
}};

} // namespace

void quadSrLatch(LogicPins& pins, LogicState& state) {
    for (std::size_t i = 0; i < kQuad279.size(); ++i) {
        const SrLatchPins& latch = kQuad279[i];
        bool set = false;
        for (int pin : latch.set) set = set || (pin != kNoPin && !pins.in(pin));
        const int index = static_cast<int>(i);
        if (set) setStateBit(state, index, true);
        else if (!pins.in(latch.reset)) setStateBit(state, index, false);
        pins.out(latch.q, stateBit(state, index));
    }
}

void dualDFlipFlop(LogicPins& pins, LogicState& state) { flipFlops(pins, state, kDual74, Edge::Rising, DataInputs::D); }
void dualJkWithClear(LogicPins& pins, LogicState& state) { flipFlops(pins, state, kDual107, Edge::Falling, DataInputs::JK); }
void dualJkBarRising(LogicPins& pins, LogicState& state) { flipFlops(pins, state, kDual109, Edge::Rising, DataInputs::JKBar); }
void dualJkFalling(LogicPins& pins, LogicState& state) { flipFlops(pins, state, kDual112, Edge::Falling, DataInputs::JK); }
void dualJkPresetFalling(LogicPins& pins, LogicState& state) { flipFlops(pins, state, kDual113, Edge::Falling, DataInputs::JK); }
void quadJkBarFalling(LogicPins& pins, LogicState& state) { flipFlops(pins, state, kQuad276, Edge::Falling, DataInputs::JKBar); }

} // namespace quarvin::sim::ttl74
