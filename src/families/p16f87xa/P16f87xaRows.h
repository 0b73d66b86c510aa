#pragma once
// The sub-type rows of the PIC16F87xA family, shared by the dialog and the
// virtual box. Pins are socket pins: a 28-pin part sits at the bottom of the
// socket (MCLR 1 on socket pin 7), a 40-pin part fills it.
#include <array>
#include <cstdint>
#include <string_view>

#include "families/pic16c8x/Pic16Rows.h"

namespace quarvin {

// Configuration word bit 13, CP (DS39589B Register 3-1).
inline constexpr std::uint16_t kCp87xa = 0x2000;

inline constexpr std::array<Pic16Row, 5> kP16f87xaRows = {{
    {"Exit", 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
    {"1: PIC16F873A (4K)", 4096, 8191, 7, 26, 25, 33, 34, kCp87xa, "PIC16F873A"},
    {"2: PIC16F874A (4K)", 4096, 8191, 1, 32, 31, 39, 40, kCp87xa, "PIC16F874A"},
    {"3: PIC16F876A (8K)", 8192, 16383, 7, 26, 25, 33, 34, kCp87xa, "PIC16F876A"},
    {"4: PIC16F877A (8K)", 8192, 16383, 1, 32, 31, 39, 40, kCp87xa, "PIC16F877A"},
}};

// Device ID word 0x2006 (DS39589B Table 3-1): the DEV bits above four revision bits.
inline constexpr std::uint16_t kP16f87xaDevMask = 0x3FF0;

constexpr std::uint16_t P16f87xaDeviceId(const Pic16Row& row) {
    struct Id {
        const char* chip;
        std::uint16_t id;
    };
    constexpr Id kIds[] = {
        {"PIC16F873A", 0x0E40}, {"PIC16F874A", 0x0E60}, {"PIC16F876A", 0x0E00}, {"PIC16F877A", 0x0E20}};
    for (const Id& i : kIds)
        if (row.chip && std::string_view(row.chip) == i.chip) return i.id;
    return 0;
}

} // namespace quarvin
