#pragma once
// The 22V10 sub-types, one row each, shared by the program and the virtual box.
// The chip sits bottom-aligned in the 40-pin socket (chip pin k in socket pin
// k + 8) and is reached through its edit mode: fuse bits and then six address
// bits shifted in on one data pin, a strobe that loads or programs the row.
#include <array>
#include <cstdint>

namespace quarvin {

struct P22v10Row {
    const char* name;
    int vppMillivolts;
    int vppPin;                // socket pin of the edit voltage (chip pin 2)
    int vccPin;                // socket pin of the supply (chip pin 24)
    std::uint32_t fusesPerRow; // F: chip addresses of the fuse array
    std::uint32_t fuseRows;    // R: bits per chip address
    std::uint8_t routine;      // shift routine; only 3 exists
    const char* chip;          // the part the virtual box puts in the socket; nullptr for none

    constexpr bool shiftable() const { return routine == 3; }
    constexpr std::uint32_t arrayFuses() const { return fusesPerRow * fuseRows; }
};

// Chip addresses and rows of the edit mode.
namespace p22v10 {
constexpr int kSecurityAddress = 61;  // a "0" bit sets the security cell
constexpr int kBulkEraseAddress = 63; // the erase pulse at this address clears every cell
constexpr int kAddressBits = 6;       // shifted after the data, least significant first
constexpr int kArchitectureBits = 20; // S0/S1 of the ten output cells
// The bits of chip address F land at fuse F x R + 8 + k: the 64-bit user
// signature is bits 12..75 of that row (JEDEC fuses 5828..5891).
constexpr std::uint32_t kSignatureRowOffset = 8;
// JEDEC fuses of a 22V10 map: array, architecture, signature.
constexpr std::uint32_t kJedecFuses = 5892;
} // namespace p22v10

// Row 0 is the placeholder for an unknown sub-type.
inline constexpr std::array<P22v10Row, 4> kP22v10Rows{{
    {"0:   ", 0, 0, 0, 0, 0, 0, nullptr},
    {"1: 22V10  12V", 12000, 10, 32, 44, 132, 3, "GAL22V10"},
    {"2: 22V10B 12V", 12000, 10, 32, 44, 132, 3, "GAL22V10B"},
    {"3: 22V10B 12V", 12000, 10, 32, 44, 132, 3, "GAL22V10D"},
}};

} // namespace quarvin
