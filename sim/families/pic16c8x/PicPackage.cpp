#include "sim/families/pic16c8x/PicPackage.h"

#include "sim/PinLabels.h"

namespace quarvin::sim {

PicPackagePins PicPinsOf(int pins) {
    switch (pins) {
    case 28: return {1, 27, 28, {20, 20}, {8, 19}};
    case 40: return {1, 39, 40, {11, 32}, {12, 31}};
    default: return {4, 12, 13, {14, 14}, {5, 5}};
    }
}

ChipRatings PicRatings(int pins) {
    const PicPackagePins p = PicPinsOf(pins);
    ChipRatings r = ProgrammableRatings(p.vdd[0], p.vss[0], rating::Signal7V, UnpoweredInputs::Forbidden, p.mclr,
                                        rating::Vpp14V);
    r.supplyMaxMillivolts = 7500;
    r.supply |= pinBit(p.vdd[1]);
    r.ground |= pinBit(p.vss[1]);
    return r;
}

quarvin::Pinout PicPinLabels(int pins) {
    const PicPackagePins p = PicPinsOf(pins);
    PinLabels labels(pins);
    labels.pin(p.mclr, "MCLR/VPP", PinRole::Vpp).pin(p.rb6, "RB6", PinRole::Clock).pin(p.rb7, "RB7", PinRole::Data);
    for (int pin : p.vdd) labels.pin(pin, "VDD", PinRole::Vcc);
    for (int pin : p.vss) labels.pin(pin, "VSS", PinRole::Ground);
    return labels.take();
}

} // namespace quarvin::sim
