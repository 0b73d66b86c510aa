#pragma once
// The 28C parallel EEPROMs (page writes, JEDEC software data protection), one
// row per sub-type, shared by the program and the virtual box.
#include <array>
#include <cstdint>

namespace quarvin {

struct E28Row {
    const char* name;           // row label
    std::uint32_t lastAddress;  // device size - 1
    std::uint32_t pageSize;     // bytes of one page write
    std::int8_t supplyPin;      // 34: 28-pin wiring, 36: 32-pin wiring
    std::int8_t writeEnablePin; // 33 or 35
    const char* chip;           // the part the virtual box puts in the socket

    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
    constexpr std::uint32_t pageMask() const { return pageSize - 1; }
    constexpr bool pin28() const { return supplyPin == 34; }
};

inline constexpr std::array<E28Row, 9> kE28Rows{{
    {"???", 0, 64, 0, 0, nullptr},
    {"28C256 (32K)", 0x7FFF, 64, 34, 33, "AT28C256"},
    {"28C257 (32K)", 0x7FFF, 64, 36, 35, "28C257"},
    {"28C512 (64K)", 0xFFFF, 128, 36, 35, "28C512"},
    {"28C010 (128K)", 0x1FFFF, 128, 36, 35, "AT28C010"},
    {"28C020 (256K)", 0x3FFFF, 128, 36, 35, "28C020"},
    {"28C040 (512K)", 0x7FFFF, 256, 36, 35, "AT28C040"},
    {"28C040A (512K)", 0x7FFFF, 256, 36, 35, "28C040A"},
    {"28C64B (8K)", 0x1FFF, 64, 34, 33, "AT28C64B"},
}};

} // namespace quarvin
