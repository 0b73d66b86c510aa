#pragma once
// The 2816A-class EEPROM operations: byte writes by pin steps, each followed
// by the part's write cycle, read back a page at a time; an erase that writes
// FF over the bytes that are not blank; and the flash memories' reads.
#include <array>
#include <cstdint>

#include "families/eeprom2816/P2816Rows.h"
#include "families/framework/MemoryJob.h"
#include "families/framework/Operation.h"

namespace quarvin {

using P2816Job = MemoryJob<P2816Row>;

// Microchip 28C16A (DS11125G) and 28C17A (DS11127G), "Features": "Fast Byte
// Write Time - 200 us or 1 ms": the longer of the two grades.
inline constexpr double kP2816WriteCycleMicroseconds = 1000.0;

// What the control lines do with the address: /CE low in both, /OE low to read,
// high to write (DS11127G 2.0, "Read: CE L, OE L, WE H"; "Byte Write: CE L,
// OE H, WE L", /WE pulsed by the write itself).
enum class P2816Cycle { Read, Write };

// The output ports for address a: A0..A10 on the JEDEC address pins, /WE high
// (the 24-pin part's /WE is on socket pin 29, the A11 line of the larger
// parts), no other line above A10 driven (pin 7 is the 28-pin part's RDY/BUSY
// output), /CE and /OE as the cycle wants them.
std::array<std::uint8_t, 5> P2816Ports(const P2816Row& row, std::uint32_t a, P2816Cycle cycle);
// Writes the ports in the JEDEC order 1, 3, 0, 4.
void SetP2816Address(LinkState& link, const P2816Row& row, std::uint32_t a, P2816Cycle cycle = P2816Cycle::Read);
// Socket pin 7 an input again: the 28-pin part's RDY/BUSY output sits there.
void ReleaseReadyBusyPin(LinkState& link);

OperationResult ReadP2816(const P2816Job& job);
OperationResult BlankCheckP2816(const P2816Job& job);
// writeWaitMicroseconds: the wait after each byte's write, the write cycle or
// longer ("Programe time").
OperationResult ProgramP2816(const P2816Job& job, double writeWaitMicroseconds = kP2816WriteCycleMicroseconds);
OperationResult VerifyP2816(const P2816Job& job);
OperationResult SumP2816(const P2816Job& job);
OperationResult EraseP2816(const P2816Job& job, double writeWaitMicroseconds = kP2816WriteCycleMicroseconds);

} // namespace quarvin
