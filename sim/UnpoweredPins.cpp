// What an unpowered part's pins do when the box holds its Vcc pin low and lets
// the others rise to its pull-ups.
//
// CMOS parts protect every input with a diode to each rail, and every output's
// p-channel transistor brings the junction of its drain with the n-well, which
// sits on Vcc: a pin pulled up while Vcc is held at 0 V conducts into the
// supply and reads low (the data sheets' "input voltage -0.5 V to Vcc + 0.5 V"
// and the output clamp currents). The same diodes from the ground rail, and the
// junction of the substrate (ground) with the n-well (Vcc), make the ground pin
// read low too. Pins built for a voltage above Vcc (Vpp, the A9 identification
// input, RST/VPP, MCLR/VPP) carry no diode to Vcc: at 12 V with Vcc at 5 V it
// would conduct. Pins the data sheet marks NC are not bonded.
//
// Only what a data sheet shows counts. A pin rated against Vcc ("Vcc + 0.6 V")
// has the diode; a pin rated only against ground ("-0.6 V to +6.25 V",
// whatever Vcc is) may have none: the AT28C64B even specifies 10 uA of input
// leakage at "VIN = 0 V to VCC + 1 V", which a diode to Vcc could not hold.
// Such a pin is tested only where the pin description ties it to Vcc (an
// internal pull-up); a part whose data sheet was not at hand has no pin tested.
#include "sim/Chip.h"
#include "sim/ChipRatings.h"

namespace quarvin::sim {

PinMask Chip::unpoweredClamps() const {
    const ChipRatings r = ratings();
    if (!r.declared() || r.supply == 0 || !r.unpoweredPinsConfirmed) return 0;
    const int pins = pinCount();
    PinMask clamped = pins >= 64 ? ~PinMask{0} : (PinMask{1} << pins) - 1;
    clamped &= ~(r.supply | r.ground | r.vpp | r.id);
    if (r.unpoweredInputs == UnpoweredInputs::Tolerated) clamped &= r.vccRelative | r.pulledUpToVcc;
    const quarvin::Pinout labels = pinLabels();
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const PinLabel& l = labels[k];
        const bool rail = l.role == PinRole::Vcc || l.role == PinRole::Ground || l.role == PinRole::Vpp;
        const bool unbonded = l.role == PinRole::Unused && (l.name.empty() || l.name == "NC" || l.name == "DU");
        if (rail || unbonded) clamped &= ~pinBit(static_cast<int>(k) + 1);
    }
    return clamped;
}

} // namespace quarvin::sim
