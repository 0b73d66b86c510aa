#include "sim/families/opto/OptoChip.h"

#include "sim/PinLabels.h"

#include "sim/ChipRatings.h"

namespace quarvin::sim {

const std::vector<OptoType>& OptoTypes() {
    // Pinouts of the data sheets: single channels A, K on 1, 2; the multi-channel
    // parts put the LEDs on the left side and each transistor's emitter and
    // collector opposite, last channel first.
    static const std::vector<OptoType> types = {
        {"PC817", 4, {{1, 2, 4, 3}}},
        {"4N35", 6, {{1, 2, 5, 4}}},
        {"CNY17", 6, {{1, 2, 5, 4}}},
        {"PC827", 8, {{1, 2, 8, 7}, {3, 4, 6, 5}}},
        {"PC847", 16, {{1, 2, 16, 15}, {3, 4, 14, 13}, {5, 6, 12, 11}, {7, 8, 10, 9}}},
    };
    return types;
}

ChipDrive OptoChip::update(const ChipView& v) {
    ChipDrive out;
    if (faults().dead) return out;
    for (std::size_t i = 0; i < type_.channels.size(); ++i) {
        const OptoChannel& c = type_.channels[i];
        bool lit = v.high(c.anode) && v.low(c.cathode) && (v.driven & pinBit(c.anode)) != 0;
        bool conducts = lit;
        for (const OptoFault& f : faults().opto) {
            if (f.channel != static_cast<int>(i + 1)) continue;
            if (f.kind == OptoFault::Kind::Open || f.kind == OptoFault::Kind::Dead) conducts = false;
            if (f.kind == OptoFault::Kind::Short) conducts = true;
        }
        if (conducts) out.drive(c.collector, v.high(c.emitter));
    }
    return out;
}

// Sharp PC817 Series (PC817, PC827, PC847), "Absolute Maximum Ratings": input
// "Reverse voltage VR 6 V", output "Collector-emitter voltage VCEO 35 V;
// Emitter-collector voltage VECO 6 V". No supply pin: 6 V is the lowest
// rating; the collector takes far more, so a supply on it is allowed. The 4N35,
// CNY17 and CE2 data sheets were not at hand: the PC817's figures stand for
// them, unconfirmed.
ChipRatings OptoChip::ratings() const {
    ChipRatings r = SupplyRatings(0, 0, 6000, UnpoweredInputs::Tolerated);
    for (const OptoChannel& c : type_.channels) r.vccAllowed |= pinBit(c.collector) | pinBit(c.emitter);
    return r;
}

// Each channel's LED (anode, cathode) and transistor (collector, emitter),
// numbered by channel where the package has several.
quarvin::Pinout OptoChip::pinLabels() const {
    PinLabels labels(type_.pins);
    for (std::size_t i = 0; i < type_.channels.size(); ++i) {
        const OptoChannel& c = type_.channels[i];
        const std::string n = type_.channels.size() > 1 ? std::to_string(i + 1) : "";
        labels.pin(c.anode, "A" + n, PinRole::Control).pin(c.cathode, "K" + n, PinRole::Control);
        labels.pin(c.collector, "C" + n, PinRole::Data).pin(c.emitter, "E" + n, PinRole::Data);
    }
    return labels.take();
}

} // namespace quarvin::sim
