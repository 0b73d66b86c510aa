#pragma once
// The MX29F flash memories (5 V, byte programming with the JEDEC command set,
// eight equal sectors), one row per sub-type, shared by the program and the
// virtual box. They are 29F rows: 32-pin JEDEC pinout, supply on socket pin
// 36, no programming voltage.
#include <array>
#include <cstdint>

#include "families/flash29f/F29Rows.h"

namespace quarvin {

inline constexpr const char* kMx29fFormClass = "TMx29fxxx1";

// MX29F040 data sheet (Macronix PM0538, rev. 2.0), "AC Characteristics":
// tAETC, the total erase time of the auto chip erase, 32 s max.
inline constexpr std::uint32_t kMx29fChipEraseMilliseconds = 32'000;

// Only the MX29F040: the MX29F001T/B and MX29F002T/B wait for their data
// sheets (README).
inline constexpr std::array<F29Row, 2> kMx29fRows{{
    {"-----", 0, 0, 0, 0, nullptr},
    {"MX29F040 (512K)", 0x7FFFF, 36, 0, 0, "MX29F040"},
}};

} // namespace quarvin
