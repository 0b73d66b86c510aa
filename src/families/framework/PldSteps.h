#pragma once
// Steps the logic device families share: the socket set-up of their start, the
// edit-mode power-up and power-down, the row bit buffer and the fuse map in the
// main buffer (one "0"/"1" byte per fuse).
#include <cstdint>
#include <string>

#include "buffer/MainBuffer.h"
#include "families/framework/Operation.h"
#include "link/commands/LinkState.h"

namespace quarvin {

inline constexpr int kPldGroundPin = 20;
// Logic devices run from 5 V.
inline constexpr int kPldVccLevel = 5;
// Fuses the dialogs set to "1" before a read and when they create the PLD window.
inline constexpr std::uint32_t kPldFilledFuses = 6000;
// Delay ticks between the Vpp level and the supplies at power-up (about 10 ms).
inline constexpr int kPldSupplySettleTicks = 100;

struct PldSupply {
    int vppMillivolts = 0;
    int vppPin = 0;
    int vccPin = 0;
};

// The start operation's socket: ground, the 5 V supply level and the row's Vpp level.
void PldPrepareSocket(LinkState& link, int vppMillivolts);
// Every port high, ground, the Vpp level, a wait, Vcc, then the edit voltage.
void PldPowerUp(LinkState& link, const PldSupply& supply);
// The edit voltage off first, then Vcc: never Vpp on an unpowered chip.
void PldPowerDown(LinkState& link);

// Operations that only send (program, erase, secure) ask the box for a port
// once at their end, so that a box that stopped answering is found before the
// operation says it is done.
void ConfirmBoxAnswers(LinkState& link);

// The bits of one chip address, bit 0 first, as the characters "0"/"1".
// Shifting sends "0" and NUL as a low data pin, everything else as high.
using RowBits = std::string;
inline bool RowBitHigh(char c) { return c != '0' && c != '\0'; }
inline char RowBitChar(bool high) { return high ? '1' : '0'; }

// Fuses 0 .. kPldFilledFuses - 1 of the map set to "1".
void FillFuseMap(MainBuffer& buffer);

// "Communication error!" and friends come from RunGuarded; what a refused
// sub-type row without a shift routine says.
inline constexpr const char* kPldBadRowText = "Bad!";

} // namespace quarvin
