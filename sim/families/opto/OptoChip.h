#pragma once
// Phototransistor optocouplers at pin level. No supply: an LED lights while its
// anode is high and its cathode low, and a lit channel's transistor pulls the
// collector to the emitter's level. Faults: opto:CH:open (the transistor never
// conducts), short (it always conducts), dead (the LED never lights).
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

struct OptoChannel {
    int anode, cathode, collector, emitter; // chip pins
};

struct OptoType {
    const char* name;
    int pins;
    std::vector<OptoChannel> channels; // channel 1 first
};

const std::vector<OptoType>& OptoTypes();

class OptoChip : public Chip {
public:
    explicit OptoChip(const OptoType& type) : type_(type) {}
    int pinCount() const override { return type_.pins; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }

private:
    const OptoType& type_;
};

} // namespace quarvin::sim
