#pragma once
// Drives a serial memory chip model pin by pin, with time, as a bus master
// would: the chip tests of the 24Cxx and 93Cxx models build their bus steps on it.
#include <memory>

#include "sim/Chip.h"

namespace quarvin::test {

template <class Chip>
struct SerialPinDriver {
    std::shared_ptr<Chip> chip;
    sim::ChipView view;
    sim::ChipDrive drive;

    SerialPinDriver(std::shared_ptr<Chip> part, sim::PinMask high) : chip(std::move(part)) {
        view.driven = ~sim::PinMask{0};
        view.level = high;
        step();
    }
    void set(int pin, bool high) {
        if (high) view.level |= sim::pinBit(pin);
        else view.level &= ~sim::pinBit(pin);
        step();
    }
    void step() { drive = chip->update(view); }
    void waitUs(std::int64_t us) {
        view.nowPs += us * 1'000'000;
        step();
    }
    // The level the chip's output gives a pin: its own, or the pull-up's high.
    bool reads(int pin) const {
        const sim::PinMask bit = sim::pinBit(pin);
        return !(drive.enable & bit) || (drive.level & bit);
    }
};

} // namespace quarvin::test
