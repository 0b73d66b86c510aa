#pragma once
// The 29EE page-write flash memories (5 V, whole-page writes with JEDEC
// software data protection), one row per sub-type, shared by the program and
// the virtual box. The 28-pin type has its supply on socket pin 34, the 32-pin
// types on 36; the supply pin also picks the address wiring and the bus mode.
#include <array>
#include <cstdint>

namespace quarvin {

struct EE29Row {
    const char* name;           // row label
    std::uint32_t lastAddress;  // device size - 1
    std::uint32_t pageSize;     // bytes of one page write
    std::int8_t supplyPin;      // 34: 28-pin wiring, 36: 32-pin wiring, 0: none
    const char* chip;           // the part the virtual box puts in the socket

    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
    constexpr std::uint32_t pageMask() const { return pageSize - 1; }
    constexpr bool pin28() const { return supplyPin == 34; }
    constexpr bool placeholder() const { return chip == nullptr; }
};

inline constexpr std::array<EE29Row, 8> kEE29Rows{{
    {"-----", 0, 1, 0, nullptr},
    {"29ee256 (32K)", 0x7FFF, 64, 34, "29EE256"},
    {"29ee257 (32K)", 0x7FFF, 64, 36, "29EE257"},
    {"29ee512 (64K)", 0xFFFF, 128, 36, "SST29EE512"},
    {"29ee010 (128K)", 0x1FFFF, 128, 36, "SST29EE010"},
    {"29ee020 (256K)", 0x3FFFF, 128, 36, "SST29EE020"},
    {"29ee040 (512K)", 0x7FFFF, 256, 36, "W29C040"},
    {"29ee040A (512K)", 0x7FFFF, 256, 36, "29EE040A"},
}};

} // namespace quarvin
