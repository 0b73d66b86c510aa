#pragma once
// The 93Cxx sub-types, one row each, shared by the program and the virtual box.
// The 8-pin part sits in socket pins 17..20 and 21..24, its pin 1 in socket pin
// 17: CS 17, SK 18, DI 19, DO 20, GND 21, ORG 22, pin 7 on 23, Vcc 24.
#include <array>
#include <cstdint>

namespace quarvin {

namespace pin::microwire {
constexpr int ChipSelect = 17;
constexpr int Clock = 18;
constexpr int DataIn = 19;
constexpr int DataOut = 20;
constexpr int Ground = 21;
constexpr int Organisation = 22;
constexpr int HeldHigh = 23;
constexpr int Supply = 24;
} // namespace pin::microwire

struct MicrowireRow {
    const char* name;
    std::int8_t addressBits;  // address bits sent in an instruction
    std::int8_t dataBits;     // 8 or 16 per location
    std::uint32_t lastAddress; // last location (byte or word)
    const char* chip;          // the part the virtual box puts in the socket; nullptr for none

    constexpr bool wordWide() const { return dataBits == 16; }
    // The last buffer offset the row fills: x16 word w takes bytes 2w (low) and 2w+1 (high).
    constexpr std::uint32_t lastBufferAddress() const { return wordWide() ? 2 * (lastAddress + 1) - 1 : lastAddress; }
};

// Row 0 is the placeholder for an unknown sub-type.
inline constexpr std::array<MicrowireRow, 10> kMicrowireRows{{
    {"???", 0, 8, 0, nullptr},
    {"1: 93c46    128x8", 7, 8, 0x7F, "93C46"},
    {"2: 93c56  256x8", 9, 8, 0xFF, "93C56"},
    {"3: 93c66    512x8", 9, 8, 0x1FF, "93C66"},
    {"4: 93c46    64x16", 6, 16, 0x3F, "93C46"},
    {"5: 93c56  128x16", 8, 16, 0x7F, "93C56"},
    {"6: 93c66    256x16", 8, 16, 0xFF, "93C66"},
    {"7: 93c57  256x8", 8, 8, 0xFF, "93C57"},
    {"8: 93c86   2Kx8", 11, 8, 0x7FF, "93C86"},
    {"9: 93c86   1Kx16", 10, 16, 0x3FF, "93C86"},
}};

} // namespace quarvin
