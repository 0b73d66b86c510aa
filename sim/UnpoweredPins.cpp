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
#include "sim/Chip.h"
#include "sim/ChipRatings.h"

namespace quarvin::sim {

PinMask Chip::unpoweredClamps() const {
    const ChipRatings r = ratings();
    if (!r.declared() || r.supply == 0) return 0;
    const int pins = pinCount();
    PinMask clamped = pins >= 64 ? ~PinMask{0} : (PinMask{1} << pins) - 1;
    clamped &= ~(r.supply | r.ground | r.vpp | r.id);
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
