#pragma once
// The AT29C page-write flash memories (5 V, whole-page writes with software
// data protection), one table per dialog, shared by the program and the
// virtual box: the 32-pin parts ("TP29cx") sit like the 29EE 32-pin types
// (supply on socket pin 36, /WE on 35); the AT29C256 ("TP29c256") is a 28-pin
// part in the EPROM order, /WE on its pin 1 (socket pin 7) and A14 on its pin
// 27 (socket pin 33), which the 32-pin address wiring reaches with A15 held
// high as its /WE and the supply on socket pin 34.
#include <array>
#include <cstdint>

#include "link/commands/Opcodes.h"

namespace quarvin {

inline constexpr const char* kAt29cxFormClass = "TP29cx";
inline constexpr const char* kAt29c256FormClass = "TP29c256";

struct At29Row {
    const char* name;           // row label
    std::uint32_t lastAddress;  // device size - 1
    std::uint32_t pageSize;     // bytes of one page ("sector") write
    std::int8_t supplyPin;      // socket pin of Vcc, 0: none
    std::uint8_t busMode;       // where the box's write cycles pulse /WE
    const char* chip;           // the part the virtual box puts in the socket

    // Address lines above the device stay high: on the AT29C256 A15's socket
    // pin is /WE, which idles high.
    constexpr std::uint32_t highAddressMask() const { return ~lastAddress; }
    constexpr std::uint32_t pageMask() const { return pageSize - 1; }
    constexpr bool placeholder() const { return chip == nullptr; }
};

// Page sizes: AT29C040A data sheet (doc 0333) "2048 sectors (256 bytes/sector)";
// AT29C256 (doc 0046) "internal address and data latches for 64 bytes".
inline constexpr std::array<At29Row, 2> kAt29cxRows{{
    {"-----", 0, 1, 0, 0, nullptr},
    {"AT29C040A (512K)", 0x7FFFF, 256, 36, reg::Bus32Pin, "AT29C040A"},
}};

inline constexpr std::array<At29Row, 2> kAt29c256Rows{{
    {"-----", 0, 1, 0, 0, nullptr},
    {"AT29C256 (32K)", 0x7FFF, 64, 34, reg::Bus28PinWeOnPin1, "AT29C256"},
}};

} // namespace quarvin
