#pragma once
// Writing down a chip model's pinout for the placement picture: every pin starts
// without a name and unused (a pin the programming mode leaves alone), and the
// model names the pins it knows.
#include <string>
#include <vector>

#include "families/placement/PinRole.h"

namespace quarvin::sim {

class PinLabels {
public:
    explicit PinLabels(int pins) : labels_(static_cast<std::size_t>(pins)) {
        for (PinLabel& l : labels_) l.role = PinRole::Unused;
    }
    // Chip pin `pin` (1-based); pins outside the package (0: none) are ignored.
    PinLabels& pin(int pin, std::string name, PinRole role);
    // PREFIX0, PREFIX1, ... on the chip pins given, bit 0 first; 0 entries are skipped.
    PinLabels& bus(const std::string& prefix, PinRole role, const std::vector<int>& pins);
    Pinout take() { return std::move(labels_); }

private:
    Pinout labels_;
};

// A byte-wide memory's pins (chip pins): A0.., DQ0..DQ7, /CE, /OE, /WE, Vcc, ground.
struct ByteWidePins {
    int pins;
    std::vector<int> address; // A0 first
    std::vector<int> data;    // DQ0 first
    int vcc, ground, chipEnable, outputEnable, writeEnable;
};
Pinout ByteWidePinLabels(const ByteWidePins& p);

} // namespace quarvin::sim
