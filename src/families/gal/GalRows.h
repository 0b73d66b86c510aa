#pragma once
// The GAL16V8 and GAL20V8 sub-types, one row each, shared by the program and
// the virtual box. The chip is reached through its edit mode: the edit voltage
// on chip pin 2, a row address on six pins, serial data clocked in or out and
// a strobe that loads or programs the addressed row.
#include <array>
#include <cstdint>
#include <utility>

namespace quarvin {

// How the dialog shifts a row: through the 20-pin or the 24-pin socket
// wiring. A row without one (the 22V10A row) is refused.
enum class GalShift : std::uint8_t { None = 0, Pins20 = 1, Pins24 = 2, Wide22V10 = 3 };

// JEDEC fuses after the array: XOR, signature, AC1, product term disable, SYN, AC0.
inline constexpr std::uint32_t kGalFusesAfterArray = 146;

struct GalRow {
    const char* name;
    int vppMillivolts;
    int vppPin;          // socket pin of the edit voltage (chip pin 2)
    int vccPin;          // socket pin of the supply
    std::uint32_t fusesPerRow; // F: chip addresses of the fuse array
    std::uint32_t fuseRows;    // R: bits per chip address
    GalShift shift;
    const char* chip;    // the part the virtual box puts in the socket; nullptr for none

    constexpr bool shiftable() const { return shift == GalShift::Pins20 || shift == GalShift::Pins24; }
    constexpr std::uint32_t arrayFuses() const { return fusesPerRow * fuseRows; }
    // The fuses of the device's JEDEC map (the QF count); 0 for rows without a part.
    constexpr std::uint32_t jedecFuses() const { return chip ? arrayFuses() + kGalFusesAfterArray : 0; }
};

// Chip addresses of the edit mode.
namespace gal_address {
constexpr int Architecture = 60; // the 82-bit architecture row
constexpr int Security = 61;     // a "0" bit sets the security cell
constexpr int BulkErase = 63;    // a "1" bit erases every cell
} // namespace gal_address

inline constexpr int kGalArchitectureBits = 82;
// The user signature of chip address F lands at fuse F x R + 8 + k.
inline constexpr std::uint32_t kGalSignatureOffset = 8;

// The architecture row bits that stand in the fuse map, as (row bit, fuse
// offset from F x R): the XOR bits, AC1, SYN and AC0. Row bits 9..72 (the
// product term disable bits) are written as "1" and not read back.
inline constexpr std::array<std::pair<int, int>, 18> kGalArchitectureMap{{
    {0, 0}, {1, 1}, {2, 2}, {3, 3},       // XOR of outputs 19..16 (20V8: 22..19)
    {78, 4}, {79, 5}, {80, 6}, {81, 7},   // XOR of the other four outputs
    {5, 72}, {6, 73}, {7, 74}, {8, 75},   // AC1 of the first four macrocells
    {73, 76}, {74, 77}, {75, 78}, {76, 79}, // AC1 of the other four
    {77, 144},                            // SYN
    {4, 145},                             // AC0
}};

// Row 0 is the placeholder for an unknown sub-type; row 7 has no shift routine.
inline constexpr std::array<GalRow, 10> kGalRows{{
    {"0:   ", 0, 0, 0, 0, 0, GalShift::None, nullptr},
    {"1: 16V8 16.5V", 16500, 12, 30, 32, 64, GalShift::Pins20, "GAL16V8"},
    {"2: 16V8A 12.5V", 12500, 12, 30, 32, 64, GalShift::Pins20, "GAL16V8A"},
    {"3: 16V8B/D 14V", 14000, 12, 30, 32, 64, GalShift::Pins20, "GAL16V8B"},
    {"4: 20V8 16.5V", 16500, 10, 32, 40, 64, GalShift::Pins24, "GAL20V8"},
    {"5: 20V8A 16.5V", 16500, 10, 32, 40, 64, GalShift::Pins24, "GAL20V8A"},
    {"6: 20V8B 12.5V", 14000, 10, 32, 40, 64, GalShift::Pins24, "GAL20V8B"},
    {"7: 22V10A 12V", 12000, 10, 32, 44, 132, GalShift::Wide22V10, nullptr},
    {"8: AT16V8 12.0V", 12500, 12, 30, 32, 64, GalShift::Pins20, "ATF16V8B"},
    {"9: AT20V8 12.0V", 12000, 10, 32, 40, 64, GalShift::Pins24, "ATF20V8B"},
}};

} // namespace quarvin
