#pragma once
// The 29F parallel flash memories (JEDEC command set, 5 V only), one row per
// sub-type, shared by the program and the virtual box. Every type is a 32-pin
// part with its pin 1 in socket pin 5.
#include <array>
#include <cstdint>

namespace quarvin {

struct F29Row {
    const char* name;              // row label
    std::uint32_t lastAddress;     // device size - 1
    std::int8_t supplyPin;         // socket pin with Vcc (36), 0 for the placeholder
    std::int8_t eraseVppPin;       // socket pin that gets 12 V during Erase, 0 = none
    std::int32_t programMillivolts; // SetVppLevel at the start of Programe
    const char* chip;              // the part the virtual box puts in the socket

    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
};

// Rows 6 to 9 (boot-block types with RESET# on their pin 1) get 12 V there for
// the erase, which lifts a sector protection while it lasts; rows 10 to 13 have
// address bit 18 on that pin, so nothing is connected to it. Rows 12 and 13 have
// no address bit 19 on the socket: their upper half is not reachable.
inline constexpr std::array<F29Row, 14> kF29Rows{{
    {"???", 0, 0, 0, 0, nullptr},
    {"29f256", 0x7FFF, 36, 0, 50000, "29F256"},
    {"29f512", 0xFFFF, 36, 0, 50000, "29F512"},
    {"29f010", 0x1FFFF, 36, 0, 50000, "Am29F010B"},
    {"29f020", 0x3FFFF, 36, 0, 50000, "SST39SF020A"},
    {"29f040", 0x7FFFF, 36, 0, 50000, "Am29F040B"},
    {"29f001 BX-T ", 0x1FFFF, 36, 5, 50000, "29F001T"},
    {"29f001 BX-B ", 0x1FFFF, 36, 5, 12000, "29F001B"},
    {"29f002 Bx-T ", 0x3FFFF, 36, 5, 12000, "Am29F002BT"},
    {"29f002 Bx-B ", 0x3FFFF, 36, 5, 12000, "Am29F002BB"},
    {"29f004 Bx-T ", 0x7FFFF, 36, 0, 12000, "29F004T"},
    {"29f004 Bx-B ", 0x7FFFF, 36, 0, 12000, "29F004B"},
    {"29f008 Bx-T ", 0xFFFFF, 36, 0, 12000, "29F008T"},
    {"29f008 Bx-B ", 0xFFFFF, 36, 0, 12000, "29F008B"},
}};

inline constexpr int kF29EraseVppMillivolts = 12000;

} // namespace quarvin
