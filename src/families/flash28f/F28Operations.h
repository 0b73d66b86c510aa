#pragma once
// The 28F operations: the bulk erase in rounds of erase and erase verify at
// address 0, byte programming through the box's 28F program command (pulse,
// program verify, read back), and the reads.
#include <array>

#include "families/flash28f/F28Rows.h"
#include "families/framework/MemoryJob.h"
#include "families/framework/Operation.h"

namespace quarvin {

using F28Job = MemoryJob<F28Row>;

// Sets the address (OR-ed with the row's mask): ports 0, 1, 3, 4 in this order.
void SetF28Address(LinkState& link, const F28Row& row, std::uint32_t a);

OperationResult ReadF28(const F28Job& job);
OperationResult BlankCheckF28(const F28Job& job);
OperationResult EraseF28(const F28Job& job);
OperationResult ProgramF28(const F28Job& job);
OperationResult VerifyF28(const F28Job& job);

} // namespace quarvin
