#pragma once
// The 32-pin JEDEC byte-wide flash pinout (package pin numbers) that the 29F,
// AT49F and MX29F parts share, and their data bus: the byte a write cycle
// latches and the byte a read drives.
#include <cstdint>

#include "sim/Chip.h"

namespace quarvin::sim::flash32 {

inline constexpr int Vcc = 32, Ground = 16, ChipEnable = 22, OutputEnable = 24, WriteEnable = 31;
// A0 to A18; the smaller parts use the first address bits.
inline constexpr int AddressPins[] = {12, 11, 10, 9, 8, 7, 6, 5, 27, 26, 23, 25, 4, 28, 29, 3, 2, 30, 1};
inline constexpr int DataPins[] = {13, 14, 15, 17, 18, 19, 20, 21};
inline constexpr int A0 = 0, A1 = 1, A9 = 9;

inline std::uint8_t DataIn(const ChipView& v) {
    std::uint8_t d = 0;
    for (int b = 0; b < 8; ++b)
        if (v.high(DataPins[b])) d = static_cast<std::uint8_t>(d | (1u << b));
    return d;
}

inline void DriveData(ChipDrive& out, std::uint8_t value) {
    for (int b = 0; b < 8; ++b) out.drive(DataPins[b], (value >> b) & 1);
}

} // namespace quarvin::sim::flash32
