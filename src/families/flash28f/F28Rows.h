#pragma once
// The 28F bulk-erase flash memories (erase with an erase-verify command, 12 V
// programming), one row per sub-type, shared by the program and the virtual box.
// Every type is a 32-pin part with its pin 1 (Vpp) in socket pin 5.
#include <array>
#include <cstdint>

namespace quarvin {

// How a row's part takes its commands.
enum class F28CommandSet {
    None,           // placeholder and empty rows: no part
    EraseVerify,    // 20+20 erase, A0 erase verify, 40 program, C0 program verify
    StatusRegister, // 20+D0 block erase, 40 program, status reads: our sequences cannot work
};

// The supply pins every row's part takes.
namespace f28pin {
constexpr int Supply = 36; // the part's pin 32
constexpr int Vpp = 5;     // the part's pin 1
} // namespace f28pin

struct F28Row {
    const char* name;               // row label
    std::uint32_t lastAddress;      // device size - 1
    std::int32_t programMillivolts; // SetVppLevel at the start of Programe
    F28CommandSet commandSet;
    const char* chip;               // the part the virtual box puts in the socket

    bool hasPart() const { return commandSet != F28CommandSet::None; }
    // Every address line above the device's size driven high; 0 for rows without a part.
    constexpr std::uint32_t highAddressMask() const {
        return commandSet == F28CommandSet::None ? 0 : ~lastAddress;
    }
};

// Rows 11 to 14 ask for 5000 mV, which the Vpp generator does not have: they
// program with Vpp off. Rows 13 to 15 have no A19 on the socket, and a 32-pin
// part with Vpp on its pin 1 has no pin for A18 either (rows 6, 11 and 12): those
// parts show their lower 256 KiB again above it.
inline constexpr std::array<F28Row, 16> kF28Rows{{
    {"???", 0, 0, F28CommandSet::None, nullptr},
    {"i28f256", 0x7FFF, 12000, F28CommandSet::EraseVerify, "28F256A"},
    {"i28f257", 0x7FFF, 12000, F28CommandSet::EraseVerify, "28F257"},
    {"i28f512", 0xFFFF, 12000, F28CommandSet::EraseVerify, "28F512"},
    {"i28f010", 0x1FFFF, 12000, F28CommandSet::EraseVerify, "28F010"},
    {"i28f020", 0x3FFFF, 12000, F28CommandSet::EraseVerify, "28F020"},
    {"i28f040", 0x7FFFF, 12000, F28CommandSet::EraseVerify, "28F040"},
    {"", 0, 0, F28CommandSet::None, nullptr},
    {"", 0, 0, F28CommandSet::None, nullptr},
    {"", 0, 0, F28CommandSet::None, nullptr},
    {"", 0, 0, F28CommandSet::None, nullptr},
    {"28f004 BX-T", 0x7FFFF, 5000, F28CommandSet::StatusRegister, "28F004BX-T"},
    {"28f004 Bx-B", 0x7FFFF, 5000, F28CommandSet::StatusRegister, "28F004BX-B"},
    {"28f008 Bx-T ", 0xFFFFF, 5000, F28CommandSet::StatusRegister, "28F008BX-T"},
    {"28f008 Bx-B ", 0xFFFFF, 5000, F28CommandSet::StatusRegister, "28F008BX-B"},
    {"28f008SA", 0xFFFFF, 12000, F28CommandSet::StatusRegister, "28F008SA"},
}};

// Erase sets 12 V whatever the row's programming level.
inline constexpr int kF28EraseMillivolts = 12000;
// Program pulses the box gives a byte, and erase rounds before the blank check.
inline constexpr int kF28PulseCount = 10;
inline constexpr int kF28EraseRounds = 10;

} // namespace quarvin
