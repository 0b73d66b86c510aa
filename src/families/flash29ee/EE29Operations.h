#pragma once
// The 29EE page-write flash operations: whole pages loaded through the box's
// block write, JEDEC command writes through the box's command-load opcodes,
// software data protection on and off (each rewriting page 0 with its own
// contents), the chip erase, and the reads.
#include "families/framework/MemoryJob.h"
#include "families/framework/PageWriteFamily.h"
#include "families/flash29ee/EE29Rows.h"

namespace quarvin {

using EE29Job = MemoryJob<EE29Row>;

void SetEE29Address(LinkState& link, const EE29Row& row, std::uint32_t a);
// The bus mode of the row's wiring (nothing for the placeholder row).
void ChooseEE29BusMode(LinkState& link, const EE29Row& row);

OperationResult ReadEE29(const EE29Job& job);
OperationResult BlankCheckEE29(const EE29Job& job);
// speedIndex: "Pro time" 0..2, the wait after each page (100, 200, 300 ticks).
OperationResult ProgramEE29(const EE29Job& job, int speedIndex);
OperationResult VerifyEE29(const EE29Job& job);
OperationResult SumEE29(const EE29Job& job);
OperationResult UnprotectEE29(const EE29Job& job);
OperationResult ProtectEE29(const EE29Job& job);
OperationResult EraseEE29(const EE29Job& job);

inline constexpr PageWriteOperations<EE29Job> kEE29Operations{ReadEE29,   BlankCheckEE29, ProgramEE29,
                                                               VerifyEE29, SumEE29,        EraseEE29,
                                                               ProtectEE29, UnprotectEE29};

} // namespace quarvin
