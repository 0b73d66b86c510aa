#pragma once
// Whether a small part is powered. Serial EEPROMs draw so little current that
// the box may feed them from logic pins: a supply pin driven high stands for
// Vcc as a switched supply does, a ground pin driven low for ground. A pin left
// to the box's pull-up powers nothing.
#include "sim/Chip.h"

namespace quarvin::sim {

inline bool SupplyPresent(const ChipView& v, int vccPin, int groundPin) {
    const bool vcc = v.hasVcc(vccPin) || ((v.driven & pinBit(vccPin)) && v.high(vccPin));
    const bool ground = v.hasGround(groundPin) || ((v.driven & pinBit(groundPin)) && v.low(groundPin));
    return vcc && ground;
}

} // namespace quarvin::sim
