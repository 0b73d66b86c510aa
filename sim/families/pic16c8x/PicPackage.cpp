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

// Microchip PIC16F84A (DS35007B), "Absolute Maximum Ratings": "Voltage on any
// pin with respect to VSS (except VDD, MCLR, and RA4) -0.3V to (VDD + 0.3V);
// Voltage on VDD with respect to VSS -0.3 to +7.5V; Voltage on MCLR with
// respect to VSS -0.3 to +14V; Voltage on RA4 with respect to VSS -0.3 to
// +8.5V"; "Input clamp current, IIK (VI < 0 or VI > VDD) +-20 mA". PIC16F87X
// (DS30292C) gives the same, MCLR "0 to +14 V". RB6 and RB7 clamp to VDD when
// the part is unpowered; MCLR/VPP has no diode to VDD, and RA4, the open-drain
// pin rated to 8.5 V, has none either (the model does not name it, so the
// socket check leaves it alone). The data sheets of the PIC16C84, PIC16F83 and
// PIC16F84 were not at hand: the PIC16F84A's figures stand for them.
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
