// More 74 flip-flops, encoders, gates and drivers, each drawn from its data
// sheet's pin list and function table.
#include "sim/families/logic_ic/ttl74/MoreDriversFlipFlops.h"

#include <array>
#include <cstddef>

#include "sim/families/logic_ic/ttl74/PinBus.h"

namespace quarvin::sim::ttl74 {
namespace {

// '114: two J-K flip-flops sharing CLR/ (pin 1) and CLK (pin 13). Flip-flop
// 1: K 2, J 3, PRE/ 4, Q 5, Q/ 6; flip-flop 2: Q/ 8, Q 9, PRE/ 10, J 11, K 12.
constexpr int kCommonClear = 1;
constexpr int kCommonClock = 13;
struct JkPins {
    int j;
    int k;
    int preset;
    int q;
    int qBar;
};
constexpr std::array<JkPins, 2> kJkPair = {{{3, 2, 4, 5, 6}, {11, 12, 10, 9, 8}}};

// '348: inputs 0..7 on pins 10..13 and 1..4 (7 has the highest priority), all
// active low; EI/ pin 5; A0 A1 A2 (3-state, active low) on pins 9, 7, 6; GS/
// pin 14, EO/ pin 15.
constexpr Bus<8> kEncoderInputs = {10, 11, 12, 13, 1, 2, 3, 4};
constexpr Bus<3> kEncoderOutputs = {9, 7, 6};
constexpr int kEncoderEnableIn = 5;
constexpr int kEncoderGroupSignal = 14;
constexpr int kEncoderEnableOut = 15;

// '756/'757/'760: the '240 pins. Group 1: enable pin 1 (active low), A on
// pins 2, 4, 6, 8 -> Y on 18, 16, 14, 12; group 2: enable pin 19, A on 11,
// 13, 15, 17 -> Y on 9, 7, 5, 3.
constexpr int kGroup1Enable = 1;
constexpr int kGroup2Enable = 19;
struct Buffer {
    int a;
    int y;
};
constexpr std::array<Buffer, 4> kGroup1 = {{{2, 18}, {4, 16}, {6, 14}, {8, 12}}};
constexpr std::array<Buffer, 4> kGroup2 = {{{11, 9}, {13, 7}, {15, 5}, {17, 3}}};

enum class Polarity { True, Inverting };
enum class EnableLevel { Low, High };

// An open collector that is off only stops pulling low, which is what driving
// it high means; a disabled group lets every output go.
void driveOpenCollectorGroup(LogicPins& pins, const std::array<Buffer, 4>& group, bool enabled, Polarity polarity) {
    for (const Buffer& buffer : group) {
        const bool level = pins.in(buffer.a) != (polarity == Polarity::Inverting);
        pins.out(buffer.y, !enabled || level);
    }
}

void driveOpenCollectorOctal(LogicPins& pins, EnableLevel group2Enable, Polarity polarity) {
    const bool group1On = !pins.in(kGroup1Enable);
    const bool group2On = pins.in(kGroup2Enable) == (group2Enable == EnableLevel::High);
    driveOpenCollectorGroup(pins, kGroup1, group1On, polarity);
    driveOpenCollectorGroup(pins, kGroup2, group2On, polarity);
}

} // namespace

// PRE/ low sets and CLR/ low clears at once; both low drive Q and Q/ high
// together (the data sheet leaves the state after both go high at once open;
// the model keeps the set state). With both high, a falling CLK edge loads J,
// K: 0 0 holds, 1 0 sets, 0 1 clears, 1 1 toggles.
void dualJkCommonClockClear(LogicPins& pins, LogicState& state) {
    const bool clear = !pins.in(kCommonClear);
    const bool clockFell = pins.fell(kCommonClock);
    for (std::size_t i = 0; i < kJkPair.size(); ++i) {
        const JkPins& ff = kJkPair[i];
        const int bit = static_cast<int>(i);
        const bool preset = !pins.in(ff.preset);
        bool q = stateBit(state, bit);
        if (preset || clear) {
            q = preset;
        } else if (clockFell) {
            const bool j = pins.in(ff.j), k = pins.in(ff.k);
            if (j && k) q = !q;
            else if (j || k) q = j;
        }
        setStateBit(state, bit, q);
        pins.out(ff.q, q);
        pins.out(ff.qBar, preset && clear ? true : !q);
    }
}

// EI/ high turns A0..A2 off and holds GS/ and EO/ high. EI/ low: the highest
// input pulled low comes out on A0..A2 inverted, GS/ low, EO/ high; no input
// low turns A0..A2 off, GS/ high, EO/ low.
void octalPriorityEncoderThreeState(LogicPins& pins, LogicState&) {
    const bool enabled = !pins.in(kEncoderEnableIn);
    int highest = -1;
    for (int i = static_cast<int>(kEncoderInputs.size()) - 1; enabled && i >= 0 && highest < 0; --i)
        if (!pins.in(kEncoderInputs[static_cast<std::size_t>(i)])) highest = i;
    const bool active = highest >= 0;
    driveBus3State(pins, kEncoderOutputs, ~static_cast<unsigned>(highest), active);
    pins.out(kEncoderGroupSignal, !active);
    pins.out(kEncoderEnableOut, !(enabled && !active));
}

// '756: inverting, both enables active low.
void octalOpenCollectorInvertingDriver(LogicPins& pins, LogicState&) {
    driveOpenCollectorOctal(pins, EnableLevel::Low, Polarity::Inverting);
}

// '757: true outputs, group 1 enabled low, group 2 enabled high.
void octalOpenCollectorDriverMixedEnables(LogicPins& pins, LogicState&) {
    driveOpenCollectorOctal(pins, EnableLevel::High, Polarity::True);
}

// '760: true outputs, both enables active low.
void octalOpenCollectorDriver(LogicPins& pins, LogicState&) {
    driveOpenCollectorOctal(pins, EnableLevel::Low, Polarity::True);
}

} // namespace quarvin::sim::ttl74
