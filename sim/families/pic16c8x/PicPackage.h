#pragma once
// The pins of the PIC16 packages that take part in serial programming, and what
// the data sheets allow on them. Shared by the PIC16 chip models.
#include <array>

#include "sim/Chip.h"
#include "sim/ChipRatings.h"

namespace quarvin::sim {

struct PicPackagePins {
    int mclr, rb6, rb7;
    std::array<int, 2> vdd, vss;
};

// 18, 28 or 40 pins (anything else: 18).
PicPackagePins PicPinsOf(int pins);

// "Voltage on any pin with respect to VSS (except VDD, MCLR and RA4) -0.3 V to
// (VDD + 0.3 V); voltage on VDD with respect to VSS -0.3 to +7.5 V; voltage on
// MCLR with respect to VSS -0.3 to +14 V" (the PIC16F8x/87x/87xA data sheets).
ChipRatings PicRatings(int pins);

// The serial programming pins of the package; the others are left alone.
quarvin::Pinout PicPinLabels(int pins);

} // namespace quarvin::sim
