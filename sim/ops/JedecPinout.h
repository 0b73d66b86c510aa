#pragma once
// The JEDEC byte-wide memory pinouts of the 28- and 32-pin packages as a chip
// model sees them: supply, ground, /CE, /OE, /WE, the address pins A0.. and the
// data pins DQ0..DQ7 around the ground pin.
#include <cstdint>

#include "sim/Chip.h"
#include "families/placement/PinRole.h"

namespace quarvin::sim {

struct JedecPinout {
    int pins; // 28 or 32
    int vcc, ground, chipEnable, outputEnable, writeEnable;
    const int* address; // chip pin of A0, A1, ...
    int addressLines;   // how many the package has

    // The address on the first `bits` lines.
    std::uint32_t addressOf(const ChipView& v, int bits) const;
    std::uint8_t dataOf(const ChipView& v) const;
    void driveData(ChipDrive& out, std::uint8_t value) const;
    int a9() const { return address[9]; }
    int dataPin(int bit) const;
    // The pin names of a part with `lines` address lines on this pinout.
    quarvin::Pinout labels(int lines) const;
    int a0() const { return address[0]; }
};

// The 28-pin pinout (A14 on pin 1, /WE on 27) or the 32-pin one (A17 on 30, A18 on 1).
const JedecPinout& JedecPinoutOf(int pins);

} // namespace quarvin::sim
