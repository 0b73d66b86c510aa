#pragma once
// The 29F operations: the flash's own address encoding and command writes, the
// chip erase with its status polling, byte programming through the box's flash
// program command, and the reads.
#include <array>

#include "families/framework/ChipPresence.h"
#include "families/framework/MemoryJob.h"
#include "families/framework/Operation.h"
#include "families/flash29f/F29Rows.h"

namespace quarvin {

using F29Job = MemoryJob<F29Row>;

// Output ports 0, 1, 3 and 4 (index = port, port 2 unused) for address a
// (already OR-ed with the row's mask).
std::array<std::uint8_t, 5> EncodeF29Address(std::uint32_t a);
// Sets the address: ports 1, 3, 0, 4 in this order.
void SetF29Address(LinkState& link, const F29Row& row, std::uint32_t a);

// The 32-pin bus mode with the address pins 7 and 8 driven.
void ChooseF29BusMode(LinkState& link);

// One command write: address a, the byte on the data port, a /WE pulse with
// /CE low and /OE high.
void WriteF29Command(LinkState& link, const F29Row& row, std::uint32_t a, std::uint8_t d);
// The six-byte chip erase code: AA 55 80 AA 55 10 at 5555/2AAA.
void SendF29ChipErase(LinkState& link, const F29Row& row);
// The codes the software identification command gives, the socket powered up
// for it and quiet afterwards. Read only when the operation itself saw nothing
// that only a chip could have answered, so a present chip's stream gains nothing.
ChipCodes ReadF29Codes(LinkState& link, const F29Row& row);

OperationResult ReadF29(const F29Job& job);
OperationResult BlankCheckF29(const F29Job& job);
OperationResult EraseF29(const F29Job& job);
OperationResult ProgramF29(const F29Job& job);
OperationResult VerifyF29(const F29Job& job);
OperationResult SumF29(const F29Job& job);
OperationResult UnprotectF29(const F29Job& job);

} // namespace quarvin
