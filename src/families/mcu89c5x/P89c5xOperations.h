#pragma once
// The 40-pin 8051 flash family's operations: read, erase, blank check,
// program (after the signature check), verify, lock bits and the signature, all
// over the whole code memory from address 0.
#include <array>
#include <cstdint>

#include "families/framework/McuCodeMemory.h"
#include "families/framework/Operation.h"
#include "families/mcu89c5x/P89c5xRows.h"

namespace quarvin {

enum class ProtectMode { NoMovc, NoRead, NoExternalCode }; // lock bit 1; 1 and 2; 1, 2 and 3
// Wait after each programmed byte: 1, 2 or 3 ms.
enum class ProgramSpeed { OneMs, TwoMs, ThreeMs };

using P89c5xJob = McuCodeJob<P89c5xRow>;

// Ground, Vcc and a reset pulse, then XTAL1 against XTAL2: the first step of
// every operation and of the run chain.
std::optional<OperationResult> CheckP89c5xPresence(LinkState& link);

OperationResult ReadP89c5x(const P89c5xJob& job);
OperationResult EraseP89c5x(const P89c5xJob& job);
OperationResult BlankP89c5x(const P89c5xJob& job);
OperationResult VerifyP89c5x(const P89c5xJob& job);
// The three signature bytes, first in the high byte of the result's value.
OperationResult IdP89c5x(const P89c5xJob& job);
OperationResult ProgramP89c5x(const P89c5xJob& job, ProgramSpeed speed);
OperationResult ProtectP89c5x(const P89c5xJob& job, ProtectMode mode);

} // namespace quarvin
