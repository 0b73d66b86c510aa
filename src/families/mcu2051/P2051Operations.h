#pragma once
// The 20-pin 8051 flash family's operations. The chip has no address pins: a
// rising reset clears its address counter and each XTAL1 pulse advances it, so
// every operation walks the code memory from 0 in order.
#include <cstdint>
#include <optional>

#include "families/framework/McuSteps.h"
#include "families/framework/Operation.h"
#include "families/mcu2051/P2051Pins.h"
#include "families/mcu2051/P2051Rows.h"

namespace quarvin {

class Prompts;

// RDY/BSY (P3.1) polled after each byte: 200 tries of one tick each; sent
// ahead, the byte write cycle's longest time by the data sheet (tWC, 2.0 ms).
inline constexpr ReadyPolling kP2051ByteWriteReady{p2051pin::ReadyBusy, 200, 1, 2000.0};

struct P2051Job {
    LinkState& link;
    const P2051Row& row;
    MainBuffer& buffer;
    const OperationHooks& hooks;
    Prompts* prompts = nullptr;  // the "No any file opened!" box
    bool fileOpen = true;        // whether a hex window holds a file to program
    // The RDY/BSY wait after each programmed byte (a test shortens it).
    ReadyPolling byteWriteReady = kP2051ByteWriteReady;
};

// The failure flag a failed erase leaves (the erase check read a programmed byte).
inline constexpr int kEraseFailedFlag = 2;

// Ground, Vcc and a reset pulse, then XTAL1 against XTAL2.
std::optional<OperationResult> CheckP2051Presence(LinkState& link);
// Powers the chip with the address counter at 0 and PROG high; the start
// operation leaves it so.
void PrepareP2051(LinkState& link);

OperationResult ReadP2051(const P2051Job& job);
// Failed with kEraseFailedFlag in the result's value when address 0 does not read 0xFF.
OperationResult EraseP2051(const P2051Job& job);
OperationResult BlankP2051(const P2051Job& job);
// Refused with the "No any file opened!" box when no file is open.
OperationResult ProgramP2051(const P2051Job& job);
OperationResult VerifyP2051(const P2051Job& job);
// Both lock bits, then 129 reads that must all give 0xFF.
OperationResult SecrityP2051(const P2051Job& job);
// The three signature bytes, first in the high byte of the result's value.
OperationResult IdP2051(const P2051Job& job);

} // namespace quarvin
