#pragma once
// The AT89S5x family's operations in the parallel programming mode: read,
// chip erase, blank check, program (after the signature check), verify, lock
// bits and the signature, over the whole code memory from address 0.
#include <array>
#include <cstdint>

#include "families/framework/McuCodeMemory.h"
#include "families/framework/Operation.h"
#include "families/mcu89c5x/P89c5xOperations.h"
#include "families/mcu89s5x/P89s5xRows.h"

namespace quarvin {

using P89s5xJob = McuCodeJob<P89s5xRow>;

// Ground, Vcc and a reset pulse, then XTAL1 against XTAL2.
std::optional<OperationResult> CheckP89s5xPresence(LinkState& link);

OperationResult ReadP89s5x(const P89s5xJob& job);
OperationResult EraseP89s5x(const P89s5xJob& job);
OperationResult BlankP89s5x(const P89s5xJob& job);
OperationResult VerifyP89s5x(const P89s5xJob& job);
// The three signature bytes, first in the high byte of the result's value.
OperationResult IdP89s5x(const P89s5xJob& job);
OperationResult ProgramP89s5x(const P89s5xJob& job, ProgramSpeed speed);
OperationResult ProtectP89s5x(const P89s5xJob& job, ProtectMode mode);

// The wait after the erase pulse, in delay ticks; tests shorten it.
int P89s5xEraseTicks();
void SetP89s5xEraseTicksForTest(int ticks);

} // namespace quarvin
