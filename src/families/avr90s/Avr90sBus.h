#pragma once
// The AT90S parallel programming steps on the box: power-up into programming
// mode, loading command, address and data bytes (XA1/XA0 select, an XTAL1 pulse
// loads), reading the data port while OE is low, the RDY/BSY poll, and the word
// and fuse routines built from them.
#include <array>
#include <cstdint>
#include <functional>

#include "families/avr90s/Avr90sRows.h"
#include "link/commands/LinkState.h"

namespace quarvin {

class CommandsAhead;

// Vcc and ground, RESET and BS low, then the programming voltage on RESET.
void AvrPowerUp(LinkState& link, const Avr90sRow& row);

void AvrLoadCommand(LinkState& link, const Avr90sRow& row, std::uint8_t command);
void AvrLoadAddressByte(LinkState& link, const Avr90sRow& row, std::uint8_t v);
void AvrLoadDataByte(LinkState& link, const Avr90sRow& row, std::uint8_t v);

// The data port while OE is low (the 40-pin rows release pins 1..8 first).
std::uint8_t AvrReadDataByte(LinkState& link, const Avr90sRow& row);
// OE high; the 40-pin rows drive pins 1..8 again.
void AvrEndRead(LinkState& link, const Avr90sRow& row);

// RDY/BSY released and polled: true once it reads high.
bool AvrWaitReady(LinkState& link, const Avr90sRow& row);

// The flash word at byte address a (even); the data port in the read layout.
std::uint16_t AvrReadWord(LinkState& link, const Avr90sRow& row, std::uint32_t a);
// The same bytes on the wire, but the two data reads go out through `reads`
// and the word goes to onWord once both replies are in.
void AvrReadWordAhead(LinkState& link, const Avr90sRow& row, std::uint32_t a, CommandsAhead& reads,
                      std::function<void(std::uint16_t)> onWord);
// Programs low then high byte of the word at byte address a, each followed by
// the RDY/BSY wait (WaitReadyAhead); onBusy is called when the part stayed
// busy, at once when each reply is awaited (the high byte is then not sent),
// or when the poll's reply comes.
void AvrProgramWord(LinkState& link, const Avr90sRow& row, std::uint32_t a, std::uint16_t w, CommandsAhead& polls,
                    std::function<void()> onBusy);

// Reads the fuse and lock byte of a part in programming mode; Vpp off afterwards.
std::uint8_t AvrReadFuseByte(LinkState& link, const Avr90sRow& row);
// The first two signature bytes (maker, device), in programming mode.
std::array<std::uint8_t, 2> AvrReadSignature(LinkState& link, const Avr90sRow& row);

// Delay ticks (one character time each, 95.5 us) of the long WR pulses: chip
// erase wants 5..15 ms low, a fuse write 1.0..1.8 ms.
inline constexpr int kAvrChipEraseLowTicks = 104;
inline constexpr int kAvrFuseWriteLowTicks = 15;

} // namespace quarvin
