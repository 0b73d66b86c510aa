// Long static shift registers of the 45 series. Their stages live in the eight
// 32-bit registers of LogicState, seen as one row of 256 stages, and are clocked in
// sections of any length by one helper.
#include "sim/families/logic_ic/cmos4x/Models.h"

namespace quarvin::sim::cmos4x {
namespace {

constexpr int kStagesPerRegister = 32;

bool stage(const LogicState& state, int index) {
    return (state.regs[static_cast<std::size_t>(index / kStagesPerRegister)] >> (index % kStagesPerRegister)) & 1U;
}

void setStage(LogicState& state, int index, bool level) {
    std::uint32_t& reg = state.regs[static_cast<std::size_t>(index / kStagesPerRegister)];
    const std::uint32_t mask = std::uint32_t{1} << (index % kStagesPerRegister);
    reg = level ? (reg | mask) : (reg & ~mask);
}

// A run of stages clocked as one shift register: `in` enters the first, each stage
// takes the one before it, and what the last stage held comes back.
struct Section {
    int first;
    int length;

    bool last(const LogicState& state) const { return stage(state, first + length - 1); }

    bool shift(LogicState& state, bool in) const {
        const bool out = last(state);
        for (int k = first + length - 1; k > first; --k) setStage(state, k, stage(state, k - 1));
        setStage(state, first, in);
        return out;
    }

    void clear(LogicState& state) const {
        for (int k = first; k < first + length; ++k) setStage(state, k, false);
    }
};

} // namespace

// 1-to-64 stage variable-length register: L1 2, L2 1, L4 15, L8 14, L16 13, L32 12,
// MASTER RESET 3, CP0 4, /CP1 5, DB 6, DA 7, A/B 9, Q 10, /Q 11. Data passes a 32-,
// 16-, 8-, 4-, 2- and 1-stage section, each taken into the path by its L input or
// bypassed (it keeps clocking either way), and then an output stage: the length is
// the sum of the enabled L subscripts plus one. A/B high takes DA, low DB. The
// register shifts on CP0 rising while /CP1 is low or on /CP1 falling while CP0 is
// high; MASTER RESET high clears every stage at once.
void mc14557(LogicPins& pins, LogicState& state) {
    struct Selectable { Section section; int selectPin; };
    static constexpr Selectable kSections[] = {
        {{0, 32}, 12}, {{32, 16}, 13}, {{48, 8}, 14}, {{56, 4}, 15}, {{60, 2}, 1}, {{62, 1}, 2}};
    static constexpr Section kOutputStage{63, 1};
    const bool clock = (pins.rose(4) && !pins.in(5)) || (pins.fell(5) && pins.in(4));
    if (pins.in(3)) {
        for (const Selectable& s : kSections) s.section.clear(state);
        kOutputStage.clear(state);
    } else if (clock) {
        bool data = pins.in(9) ? pins.in(7) : pins.in(6);
        for (const Selectable& s : kSections) {
            const bool passed = s.section.shift(state, data);
            if (pins.in(s.selectPin)) data = passed;
        }
        kOutputStage.shift(state, data);
    }
    const bool q = kOutputStage.last(state);
    pins.out(10, q);
    pins.out(11, !q);
}

} // namespace quarvin::sim::cmos4x
