#pragma once
// What a pin of a part in the socket does for the family's sequences, and the
// name its data sheet gives it. Shared by the program and the virtual box's chip
// models (header only: the models list their pinouts with it).
#include <cstdint>
#include <string>
#include <vector>

namespace quarvin {

enum class PinRole {
    Unused,  // no part pin there, or a pin the sequences leave alone (NC)
    Vcc,
    Ground,
    Vpp,     // the programming or edit voltage
    Clock,
    Data,
    Address,
    Control,
    Unknown, // a part pin whose job the program does not know (no pinout)
};

// One package pin: its data sheet name and its role.
struct PinLabel {
    std::string name;
    PinRole role = PinRole::Unknown;
};

// A part's pins in package order (element k-1 is pin k); empty when not known.
using Pinout = std::vector<PinLabel>;

// The part that stands for a device row, and its pinout.
struct PartPinout {
    std::string part; // empty: no part known
    Pinout pins;
    // Pins (bit k-1: pin k) that the unpowered part clamps to its Vcc pin through
    // its protection diodes: they read low through the box's pull-ups while Vcc
    // is held low. The socket check expects them there.
    std::uint64_t unpoweredClamps = 0;
};

} // namespace quarvin
