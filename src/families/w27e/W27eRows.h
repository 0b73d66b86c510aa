#pragma once
// The electrically erasable EPROMs (W27E series), one row per sub-type, shared
// by the program and the virtual box. They read and program like UV EPROMs
// (same socket wiring and address encoding) and erase in the socket with 14 V
// on Vpp and A9 while the type's erase strobe is held.
#include <array>
#include <cstdint>

#include "families/uv_eprom/EpromRows.h"

namespace quarvin {

struct W27eRow {
    const char* name;          // row label
    std::uint32_t lastAddress; // device size - 1
    std::int8_t supplyPin;     // socket pin with Vcc; 34 selects the 28-pin address encoding
    std::int8_t vppPin;        // socket pin with Vpp for programming and erasing
    std::int8_t pulsePin;      // socket pin pulsed low for the erase; 0 = none (/CE held low does it)
    const char* chip;          // the part the virtual box puts in the socket; nullptr for none

    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
    // /PGM types program with /PGM pulses, the others with /CE pulses.
    constexpr EpromProgramCommand program() const {
        return pulsePin == 35 ? EpromProgramCommand::ProgramPinLow : EpromProgramCommand::ChipEnableLowOeVpp;
    }
    // The row as the EPROM operations see it: one pulse, every byte checked.
    constexpr EpromRow asEprom() const {
        return EpromRow{name, lastAddress, supplyPin, vppPin, kProgramMillivolts, 1, program(), true, chip};
    }

    static constexpr int kProgramMillivolts = 12000;
    static constexpr int kEraseMillivolts = 14000;
};

// Row 0 is the placeholder for an unknown sub-type. The W27E040 takes Vpp on its
// pin 1 (socket pin 5), as its data sheet has it; /OE is a plain input there.
inline constexpr std::array<W27eRow, 6> kW27eRows{{
    {.name = "???", .lastAddress = 0, .supplyPin = 0, .vppPin = 0, .pulsePin = 0, .chip = nullptr},
    {.name = "W27e512 (64Kx8)", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .pulsePin = 0, .chip = "W27E512"},
    {.name = "W27e010 (128Kx8)", .lastAddress = 0x1FFFF, .supplyPin = 36, .vppPin = 5, .pulsePin = 35, .chip = "W27E010"},
    {.name = "W27e020 (256Kx8)", .lastAddress = 0x3FFFF, .supplyPin = 36, .vppPin = 5, .pulsePin = 35, .chip = "W27E020"},
    {.name = "W27e040 (512Kx8)", .lastAddress = 0x7FFFF, .supplyPin = 36, .vppPin = 5, .pulsePin = 28, .chip = "W27E040"},
    {.name = "W27e256  (32Kx8)", .lastAddress = 0x7FFF, .supplyPin = 34, .vppPin = 7, .pulsePin = 28, .chip = "W27E257"},
}};

} // namespace quarvin
