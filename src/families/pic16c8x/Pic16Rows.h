#pragma once
// The sub-type rows of the PIC16C8x serial programming family, shared by the
// dialog and the virtual box. Pins are socket pins; each row names the part the
// virtual box puts in its socket.
#include <array>
#include <cstdint>

namespace quarvin {

struct Pic16Row {
    const char* name;
    std::uint32_t words;
    std::uint32_t lastByteAddress; // word w at buffer bytes 2w (low) and 2w+1 (high)
    std::int8_t mclrPin;
    std::int8_t vccPin;
    std::int8_t groundPin;
    std::int8_t clockPin;
    std::int8_t dataPin;
    std::uint16_t codeProtectBits; // the configuration bits that protect this part's code
    const char* chip;              // nullptr for the placeholder
};

// Code-protect bits of the configuration word: one bit on the 16C84, bits 13..4
// on the 16F83/84(A), CP1:CP0 twice on the 16F87x.
inline constexpr std::uint16_t kCpOneBit = 0x0010;
inline constexpr std::uint16_t kCpField = 0x3FF0;
inline constexpr std::uint16_t kCp87x = 0x3030;

inline constexpr std::array<Pic16Row, 11> kPic16Rows = {{
    {"Exit", 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
    {"1: PIC16C83 (.5k)", 512, 1023, 15, 25, 16, 23, 24, kCpOneBit, "PIC16C8x-0.5k"},
    {"2: PIC16C/F84 (1k)", 1024, 2047, 15, 25, 16, 23, 24, kCpOneBit, "PIC16C84"},
    {"3: PIC16C/F86 (2k)", 2048, 4095, 15, 25, 16, 23, 24, kCpField, "PIC16x86-2k"},
    {"4: PIC16F83 (.5k)", 512, 1023, 15, 25, 16, 23, 24, kCpField, "PIC16F83"},
    {"5: PIC16F84 (1k)", 1024, 2047, 15, 25, 16, 23, 24, kCpField, "PIC16F84A"},
    {"6: PIC1FC86 (2k)", 2048, 4095, 15, 25, 16, 23, 24, kCpField, "PIC16x86-2k"},
    {"7:PIC16F873 (4K)", 4096, 8191, 7, 26, 25, 33, 34, kCp87x, "PIC16F873"},
    {"8: PIC16F874 (4K)", 4096, 8191, 1, 32, 31, 39, 38, kCp87x, "PIC16F874"},
    {"9:PIC16F876 (8K)", 8192, 16383, 7, 26, 25, 33, 34, kCp87x, "PIC16F876"},
    {"10: PIC16F877 (8K)", 8192, 16383, 1, 32, 31, 39, 38, kCp87x, "PIC16F877"},
}};

// The package the Vcc pin implies, and the pins the box clocks the serial frames
// on: RB6/RB7 of that package.
enum class Pic16Package { None, Dip18, Dip28, Dip40 };

constexpr Pic16Package PackageOf(const Pic16Row& row) {
    switch (row.vccPin) {
    case 25: return Pic16Package::Dip18;
    case 26: return Pic16Package::Dip28;
    case 32: return Pic16Package::Dip40;
    default: return Pic16Package::None;
    }
}

struct Pic16SerialPins {
    int clock = 0; // RB6
    int data = 0;  // RB7
};

constexpr Pic16SerialPins SerialPinsOf(Pic16Package package) {
    switch (package) {
    case Pic16Package::Dip18: return {23, 24};
    case Pic16Package::Dip28: return {33, 34};
    case Pic16Package::Dip40: return {39, 40};
    case Pic16Package::None: break;
    }
    return {};
}

// The box's serial engine takes the package from the pin that carries Vcc.
constexpr Pic16Package PackageOfVccPin(int vccPin) {
    return vccPin == 25 ? Pic16Package::Dip18
         : vccPin == 26 ? Pic16Package::Dip28
         : vccPin == 32 ? Pic16Package::Dip40
                        : Pic16Package::None;
}

constexpr const char* PackageText(Pic16Package package) {
    switch (package) {
    case Pic16Package::Dip18: return "Pack:DIP18";
    case Pic16Package::Dip28: return "Pack:DIP28";
    case Pic16Package::Dip40: return "Pack:DIP40";
    case Pic16Package::None: break;
    }
    return "";
}

// The chips' serial commands (6 bits).
namespace piccmd {
constexpr std::uint8_t LoadConfiguration = 0;
constexpr std::uint8_t ProtectClearA = 1;
constexpr std::uint8_t LoadProgramData = 2;
constexpr std::uint8_t LoadDataMemory = 3;
constexpr std::uint8_t ReadProgramData = 4;
constexpr std::uint8_t ReadDataMemory = 5;
constexpr std::uint8_t IncrementAddress = 6;
constexpr std::uint8_t ProtectClearB = 7;
constexpr std::uint8_t BeginProgramming = 8;
constexpr std::uint8_t BulkEraseProgram = 9;
constexpr std::uint8_t BulkEraseData = 11;
} // namespace piccmd

inline constexpr std::uint16_t kPicWordMask = 0x3FFF;
inline constexpr std::uint32_t kPicConfigSpace = 0x2000;
inline constexpr std::uint32_t kPicConfigWordAddress = 0x2007;
inline constexpr int kPicIdWords = 4;

} // namespace quarvin
