#pragma once
// The 2816A-class byte-write EEPROMs (2K x 8, 5 V, no software data
// protection, no page write), one row per sub-type, shared by the program and
// the virtual box. Both packages sit bottom-aligned with the JEDEC pins where
// the 28C parts have them: the 24-pin part's /WE (its pin 21) on socket pin 29,
// Vcc on 32; the 28-pin part's /WE on 33, Vcc on 34 and its RDY/BUSY output
// (pin 1) on socket pin 7, which the family never drives.
#include <array>
#include <cstdint>

namespace quarvin {

inline constexpr const char* kP2816FormClass = "TP2816x";

struct P2816Row {
    const char* name;
    std::uint32_t lastAddress; // device size - 1
    std::int8_t supplyPin;     // 32: 24-pin wiring, 34: 28-pin wiring
    std::int8_t writeEnablePin;
    const char* chip;          // the part the virtual box puts in the socket

    constexpr bool pin28() const { return supplyPin == 34; }
};

// The parts whose data sheets gave pinout, write cycle and polling: Microchip's
// 28C16A (DS11125G) and 28C17A (DS11127G). The Xicor X2816, Intel 2816A and
// Seeq 2816A wait for readable sheets (README).
inline constexpr std::array<P2816Row, 3> kP2816Rows{{
    {"???", 0, 0, 0, nullptr},
    {"28C16A (2K)", 0x7FF, 32, 29, "28C16A"},
    {"28C17A (2K)", 0x7FF, 34, 33, "28C17A"},
}};

} // namespace quarvin
