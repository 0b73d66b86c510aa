#pragma once
// A logic IC in the socket: the pin handling every part shares, around the
// part's own evaluation (LogicPart). The part works only with Vcc switched to its
// V pin and ground to its G pin; unpowered or dead it lets every pin go. Inputs
// nothing drives read high. Push-pull outputs drive both levels, open-collector
// outputs only pull low, 3-state outputs can let go. A stuck pin (pin:N:0|1)
// holds its level whatever the part does. Flip-flops come up in a random state,
// the same for the same part, seed and power-up.
#include <cstdint>

#include "sim/Chip.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::sim {

class LogicChip : public Chip {
public:
    explicit LogicChip(const LogicPart& part, std::uint64_t seed = 0);
    int pinCount() const override { return pins_; }
    ChipRatings ratings() const override;
    PinMask unpoweredClamps() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return part_.name; }

    const LogicPart& part() const { return part_; }
    bool powered() const { return powered_; }
    const LogicState& state() const { return state_; }

private:
    // The levels the part's logic sees: its own level on the pins it drives, the
    // pin's level elsewhere.
    PinMask seenLevels(const ChipView& view) const;
    ChipDrive evaluate(PinMask levels, PinMask previous);
    void powerUp();
    ChipDrive withStuck(ChipDrive d) const;

    const LogicPart& part_;
    int pins_ = 0;
    int vccPin_ = 0, groundPin_ = 0;
    PinMask outputs_ = 0;        // O
    PinMask openCollector_ = 0;  // C
    PinMask threeState_ = 0;     // T
    std::uint64_t seed_;
    std::uint64_t powerUps_ = 0;

    bool powered_ = false;
    LogicState state_;
    PinMask seen_ = 0;           // levels of the last evaluation
    ChipDrive drive_;            // what the part drives since then
};

} // namespace quarvin::sim
