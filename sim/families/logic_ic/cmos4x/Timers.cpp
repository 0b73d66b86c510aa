// Programmable timers of the 45 series, run from an external clock in place of
// their own RC oscillator.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/Storage.h"

namespace quarvin::sim::cmos4x {
namespace {

// 4541 pins. RTC (1) and CTC (2) are the oscillator's resistor and capacitor
// terminals; with an external clock on RS (3) they are left open.
enum Pin4541 { kRs = 3, kMasterReset = 6, kOutput = 8, kInvertSelect = 9, kRecycle = 10, kA = 12, kB = 13 };

constexpr unsigned kStages4541 = 16;
constexpr unsigned kStageMask4541 = (1U << kStages4541) - 1;
constexpr unsigned kNinthStage = 1U << 8;
constexpr int kSingleTransitionLatch = 0; // the RS flip-flop of the single-transition mode

// The counter stage the time-select inputs route to the output: A B = 00 -> 13,
// 01 -> 10, 10 -> 8 (stage 16 fed straight from the clock, see below), 11 -> 16.
unsigned selectedStage4541(bool a, bool b) {
    if (a) return 16;
    return b ? 10 : 13;
}

} // namespace

// 4541: MASTER RESET high clears the counter and the single-transition latch and
// stops the clock. Otherwise the 16-stage counter advances on RS rising. With A
// high and B low, stages 1 to 8 are passed by: the clock drives stage 9 directly,
// so stage 16 gives the 2^8 division. In recycle mode (MODE high) the output
// follows the selected stage, a square wave of period 2^n clocks; in single
// transition mode (MODE low) a latch set by the selected stage's first high keeps
// the output changed after 2^(n-1) clocks until the next reset. Q/Q SELECT high
// inverts the output, so it starts high after a reset.
// AUTO RESET only acts while the supply comes up; the model's random power-up
// state stands for a part with it disabled, and the vectors reset with MR.
void mc14541(LogicPins& pins, LogicState& state) {
    unsigned& count = state.regs[0];
    count &= kStageMask4541;
    const bool a = pins.in(kA), b = pins.in(kB);
    if (pins.in(kMasterReset)) {
        count = 0;
        setStateBit(state, kSingleTransitionLatch, false);
    } else if (pins.rose(kRs)) {
        const bool bypassFirstEight = a && !b;
        count = (count + (bypassFirstEight ? kNinthStage : 1U)) & kStageMask4541;
    }
    const bool stageHigh = (count >> (selectedStage4541(a, b) - 1)) & 1U;
    if (stageHigh) setStateBit(state, kSingleTransitionLatch, true);
    const bool level = pins.in(kRecycle) ? stageHigh : stateBit(state, kSingleTransitionLatch);
    pins.out(kOutput, level != pins.in(kInvertSelect));
}

} // namespace quarvin::sim::cmos4x
