#pragma once
// Power steps that the parallel memory families share: the supply and ground at
// the start, and what is switched off after a read, a programming run or a failure.
#include "link/commands/LinkState.h"

namespace quarvin {

// SetDataWidth arguments of the memory dialogs.
inline constexpr int kReadBusMode = 12;
inline constexpr int kWriteBusMode = 15;
// Delay ticks: about 95 ms for the supply to settle, about 10 ms for the pins.
inline constexpr int kPowerUpTicks = 1000;
inline constexpr int kSettleTicks = 100;

// Vcc to the supply pin, ground to socket pin 20, then the settling wait if asked.
void PowerUp(LinkState& link, int vccPin, bool wait);
// After reading: every port high, Vcc off.
void PowerDownAfterRead(LinkState& link);
// After programming (done, failed or stopped): Vpp off, Vcc off.
void PowerDownAfterProgram(LinkState& link);
// After a flash programmed byte by byte: /OE low, Vpp off, the socket quiet,
// Vcc off, then /OE and /CE low.
void PowerDownAfterFlashProgram(LinkState& link);

// A read-type step that failed or was stopped: Vcc off.
void PowerOffAfterFailure(LinkState& link);
// Everything off and every port low, then every port high: the socket at rest
// before a flash operation powers it.
void QuietSocket(LinkState& link);
// /CE, then /OE low: the memory drives its data pins.
void EnableOutputs(LinkState& link);

} // namespace quarvin
