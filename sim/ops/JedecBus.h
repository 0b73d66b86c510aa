#pragma once
// Box-side steps of the JEDEC memories (flash and EEPROM with 5555/2AAA command
// writes): the bus mode that says where /WE sits, a write cycle of the box at an
// address of the command range, and the command loads of opcodes 138 and 139.
#include <cstdint>

#include "sim/OpcodeTable.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim {

// Opcode 135's setting: 0x80 = 32-pin wiring (/WE on pin 35), 0x40 = 28-pin
// wiring (/WE on pin 33), 0x20 = the 32-pin address wiring with /WE on pin 7
// (a 28-pin part with /WE on its pin 1 and A14 on its pin 27).
struct BusModeState {
    std::uint8_t mode = 0x80;
    bool pin28() const { return mode == 0x40; }
    int writeEnablePin() const { return mode == 0x20 ? 7 : pin28() ? 33 : 35; }
};

// Puts A0..A14 of `a` on the address pins of the bus mode's wiring; higher
// lines stay as they are.
void SetCommandAddress(SocketBus& bus, std::uint16_t a, bool pin28);
// One write cycle with the address on the socket: data driven, /CE low, /WE
// pulsed low, /CE high (/OE is the caller's to keep high).
void WriteCycle(SocketBus& bus, int writeEnablePin, std::uint8_t data);

// 135: the bus mode.
void installBusModeOp(OpcodeTable& table);
// 138 and 139: one command load at 2AAA or 5555 on the bus mode's wiring, /OE
// held high for it; the host's address lines (and /CE, /OE) are put back after.
void installCommandLoadOps(OpcodeTable& table);

} // namespace quarvin::sim
