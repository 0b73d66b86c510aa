#pragma once
// The 24Cxx sub-types, one row each, shared by the program and the virtual box:
// the box puts the part a row names into its socket. The 8-pin part sits in
// socket pins 17..20 and 21..24, its pin 1 in socket pin 17.
#include <array>
#include <cstdint>

namespace quarvin {

// How a row's parts take a byte address.
enum class I2cAddressing {
    WordAndDirection, // X24C01: one byte, the 7-bit address and the R/W bit, no device address
    OneByte,          // device address with the block bits (address bits 8..10), then the low byte
    TwoBytes,         // device address 0xA0/0xA1, then address bits 8..15, then bits 0..7
};

struct I2cRow {
    const char* name;
    std::uint32_t lastAddress;
    std::int8_t sda, scl, vcc, ground;
    std::int8_t writeProtect, a0, a1, a2; // driven low while powered; 0 = none
    const char* chip;                     // the part the virtual box puts in the socket; nullptr for none

    constexpr I2cAddressing addressing() const {
        if (a2 == 0) return I2cAddressing::WordAndDirection;
        return lastAddress <= 2047 ? I2cAddressing::OneByte : I2cAddressing::TwoBytes;
    }
};

namespace i2c_rows {
constexpr I2cRow Standard(const char* name, std::uint32_t last, const char* chip) {
    return {name, last, 21, 22, 24, 20, 23, 17, 18, 19, chip};
}
} // namespace i2c_rows

// Row 0 is the placeholder for an unknown sub-type.
inline constexpr std::array<I2cRow, 12> kI2cRows{{
    {"???", 0, 21, 22, 24, 20, 23, 17, 18, 19, nullptr},
    i2c_rows::Standard("1: 24c01A  128x8", 0x7F, "24C01A"),
    i2c_rows::Standard("2: 24c02   256x8", 0xFF, "24C02"),
    i2c_rows::Standard("3: 24c04   512x8", 0x1FF, "24C04"),
    i2c_rows::Standard("4: 24c08   1024x8", 0x3FF, "24C08"),
    i2c_rows::Standard("5: 24c16   2048x8", 0x7FF, "24C16"),
    i2c_rows::Standard("6: 24c32   4kx8", 0xFFF, "24C32"),
    i2c_rows::Standard("7: 24c64   8kx8", 0x1FFF, "24C64"),
    i2c_rows::Standard("8: 24c128   16kx8", 0x3FFF, "24C128"),
    i2c_rows::Standard("9: 24c256   32kx8", 0x7FFF, "24C256"),
    i2c_rows::Standard("10: 24c512   64kx8", 0xFFFF, "24C512"),
    {"11: X24c01  128x8", 0x7F, 21, 22, 24, 20, 0, 0, 0, 0, "X24C01"},
}};

} // namespace quarvin
