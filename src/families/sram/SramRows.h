#pragma once
// The static RAM tester's sub-types: one row per device size and socket wiring,
// shared by the program and the virtual box.
#include <array>
#include <cstdint>

namespace quarvin {

struct SramRow {
    const char* name;
    std::uint32_t lastAddress; // device size - 1
    std::uint32_t blockValue;  // handed to the box's block length command as value + 1
    std::int8_t vccPin;        // 32: 24-pin part, 34: 28-pin, 36: 32-pin
    std::int8_t writeEnablePin;
    const char* chip;          // the part the virtual box puts in the socket

    // Address lines above the device stay high.
    constexpr std::uint32_t highAddressMask() const { return chip ? ~lastAddress : 0; }
};

inline constexpr std::array<SramRow, 9> kSramRows{{
    {"???", 0, 0, 0, 0, nullptr},
    {"DS1220AB (2Kx8)", 0x7FF, 0, 32, 29, "DS1220AB"},
    {"DS1225AB/AD (8Kx8)", 0x1FFF, 0, 34, 33, "DS1225AB"},
    {"W24129 (16Kx8)", 0x3FFF, 0, 34, 33, "W24129A"},
    {"DS1230Y/AB (32Kx8)", 0x7FFF, 63, 34, 33, "DS1230Y"},
    {"62512 (64Kx8)", 0xFFFF, 127, 36, 33, "W24512A"},
    {"DS1245Y (128Kx8)", 0x1FFFF, 127, 36, 33, "DS1245Y"},
    {"DS1249 (256Kx8)", 0x3FFFF, 127, 36, 33, "DS1249Y"},
    {"DS1250Y (512Kx8)", 0x7FFFF, 127, 36, 33, "DS1250Y"},
}};

} // namespace quarvin
