#pragma once
// The two-wire bus driven bit by bit from the PC: only the eight data bits of a
// byte sent to the part are shifted out by one box command (176). Acknowledge
// bits are clocked but not read; Verify is the check of what was written.
#include <cstdint>

#include "families/i2c_eeprom/I2cRows.h"
#include "link/commands/LinkState.h"
#include "link/commands/ReadAhead.h"

namespace quarvin::i2c {

// Delay ticks per millisecond of write-cycle wait.
inline constexpr int kTicksPerWaitMillisecond = 10;
// Settling wait after the power-up and before a read run.
inline constexpr int kSettleTicks = 100;

void PowerUp(LinkState& link, const I2cRow& row);
void StartCondition(LinkState& link, const I2cRow& row);
void StopCondition(LinkState& link, const I2cRow& row);
void SendBusByte(LinkState& link, std::uint8_t b);
void AcknowledgeClock(LinkState& link, const I2cRow& row);

// The byte at address a, by the row's addressing.
std::uint8_t RandomRead(LinkState& link, const I2cRow& row, std::uint32_t a);
// The same bytes on the wire, but the eight data bit reads (MSB first) go to
// `reads`, whose replies may come after the next addresses' reads were sent.
void RandomReadAhead(LinkState& link, const I2cRow& row, std::uint32_t a, PinReadsAhead& reads);
// Writes d to address a and waits the "Pro time".
void ByteWrite(LinkState& link, const I2cRow& row, std::uint32_t a, std::uint8_t d, int waitMilliseconds);

} // namespace quarvin::i2c
