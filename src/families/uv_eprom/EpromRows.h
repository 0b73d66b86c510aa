#pragma once
// The UV EPROM sub-types, one row each, shared by the program and the virtual
// box: the box side puts the part a row names into its socket, rated for the
// row's programming voltage.
#include <array>
#include <cstdint>

namespace quarvin {

// The box's program-byte commands: each gives the set number of pulses on the
// pin its types program with, reads the byte back and advances the address.
enum class EpromProgramCommand : std::uint8_t {
    None = 0,                 // the placeholder row: no program command
    ProgramPinLow = 140,      // 32-pin types with /PGM: /PGM pulsed low
    ChipEnableLowOeVpp = 141, // types whose /OE doubles as Vpp: /CE pulsed low
    ProgramPinLow28 = 142,    // 2764 and 27128: /PGM (socket pin 33) pulsed low
    ChipEnableLow = 143,      // 27C256 and 27C040: /CE pulsed low, /OE high
    ChipEnableHigh = 144,     // 2716: /CE-PGM pulsed high
};

struct EpromRow {
    const char* name;            // row label
    std::uint32_t lastAddress;   // device size - 1
    std::int8_t supplyPin;       // socket pin with Vcc; 34 selects the 28-pin address encoding
    std::int8_t vppPin;          // socket pin with Vpp while programming
    std::int32_t vppMillivolts;  // programming voltage
    std::int8_t pulseBase;       // pulses for "1 time"; signed
    EpromProgramCommand program; // the box's program-byte command
    bool readBackCheck;          // the byte the box reads back is compared
    const char* chip;            // the part the virtual box puts in the socket; nullptr for none
    // Address lines above the device are driven high.
    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
};

// Row 0 is the placeholder for an unknown sub-type.
inline constexpr std::array<EpromRow, 22> kEpromRows{{
    {.name = "???", .lastAddress = 0, .supplyPin = 0, .vppPin = 0, .vppMillivolts = 0, .pulseBase = 4, .program = EpromProgramCommand::None, .readBackCheck = false, .chip = nullptr},
    {.name = "2716    12.7v", .lastAddress = 0x7FF, .supplyPin = 32, .vppPin = 29, .vppMillivolts = 12500, .pulseBase = 10, .program = EpromProgramCommand::ChipEnableHigh, .readBackCheck = false, .chip = "2716"},
    {.name = "2716    21v", .lastAddress = 0x7FF, .supplyPin = 32, .vppPin = 29, .vppMillivolts = 21000, .pulseBase = 10, .program = EpromProgramCommand::ChipEnableHigh, .readBackCheck = false, .chip = "2716"},
    {.name = "2716    25v", .lastAddress = 0x7FF, .supplyPin = 32, .vppPin = 29, .vppMillivolts = 25000, .pulseBase = 10, .program = EpromProgramCommand::ChipEnableHigh, .readBackCheck = false, .chip = "2716"},
    {.name = "2732    12.7v", .lastAddress = 0xFFF, .supplyPin = 32, .vppPin = 28, .vppMillivolts = 12500, .pulseBase = 10, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = false, .chip = "2732"},
    {.name = "2732    21v", .lastAddress = 0xFFF, .supplyPin = 32, .vppPin = 28, .vppMillivolts = 21000, .pulseBase = 10, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = false, .chip = "2732"},
    {.name = "2732    25v", .lastAddress = 0xFFF, .supplyPin = 32, .vppPin = 28, .vppMillivolts = 25000, .pulseBase = 10, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = false, .chip = "2732"},
    {.name = "2764    12.7v", .lastAddress = 0x1FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = 10, .program = EpromProgramCommand::ProgramPinLow28, .readBackCheck = true, .chip = "2764"},
    {.name = "2764    21v", .lastAddress = 0x1FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 21000, .pulseBase = 10, .program = EpromProgramCommand::ProgramPinLow28, .readBackCheck = true, .chip = "2764"},
    {.name = "2764    25v", .lastAddress = 0x1FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 25000, .pulseBase = 10, .program = EpromProgramCommand::ProgramPinLow28, .readBackCheck = true, .chip = "2764"},
    {.name = "27128   12.7v", .lastAddress = 0x3FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = 10, .program = EpromProgramCommand::ProgramPinLow28, .readBackCheck = true, .chip = "27128"},
    {.name = "27128   21v", .lastAddress = 0x3FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 21000, .pulseBase = 10, .program = EpromProgramCommand::ProgramPinLow28, .readBackCheck = true, .chip = "27128"},
    {.name = "27128   25v", .lastAddress = 0x3FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 25000, .pulseBase = 10, .program = EpromProgramCommand::ProgramPinLow28, .readBackCheck = true, .chip = "27128"},
    {.name = "27c256   12.7v", .lastAddress = 0x7FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ChipEnableLow, .readBackCheck = true, .chip = "27C256"},
    {.name = "27c512   12.7v", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = true, .chip = "27C512"},
    {.name = "27c513   12.7v", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = true, .chip = "27C513"},
    {.name = "27010   12.7v", .lastAddress = 0x1FFFF, .supplyPin = 36, .vppPin = 5, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ProgramPinLow, .readBackCheck = true, .chip = "27C010"},
    {.name = "27020   12.7v", .lastAddress = 0x3FFFF, .supplyPin = 36, .vppPin = 5, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ProgramPinLow, .readBackCheck = true, .chip = "27C020"},
    {.name = "27040   12.7v", .lastAddress = 0x7FFFF, .supplyPin = 36, .vppPin = 5, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ChipEnableLow, .readBackCheck = false, .chip = "27C040"},
    {.name = "27080   12.7v", .lastAddress = 0xFFFFF, .supplyPin = 36, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = 1, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = true, .chip = "27C080"},
    {.name = "ST27256   12.7v", .lastAddress = 0x7FFF, .supplyPin = 34, .vppPin = 7, .vppMillivolts = 12700, .pulseBase = -12, .program = EpromProgramCommand::ChipEnableLow, .readBackCheck = true, .chip = "27C256"},
    {.name = "ST27512   12.7v", .lastAddress = 0xFFFF, .supplyPin = 34, .vppPin = 28, .vppMillivolts = 12700, .pulseBase = -12, .program = EpromProgramCommand::ChipEnableLowOeVpp, .readBackCheck = true, .chip = "27C512"},
}};

} // namespace quarvin
