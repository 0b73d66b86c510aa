#pragma once
// The 28C EEPROM operations: page writes through the box's protected block
// write with a read-back of each page, software data protection on and off,
// the chip erase, and the reads.
#include <array>

#include "families/framework/MemoryJob.h"
#include "families/framework/PageWriteFamily.h"
#include "families/eeprom28c/E28Rows.h"

namespace quarvin {

using E28Job = MemoryJob<E28Row>;

// Output ports 0, 1, 3, 4 (index = port) for address a, OR-ed with the row's mask.
std::array<std::uint8_t, 5> EncodeE28Address(std::uint32_t a, bool pin28);
void SetE28Address(LinkState& link, const E28Row& row, std::uint32_t a);
// The bus mode of the row, with socket pins 7 and 8 driven again.
void ChooseE28BusMode(LinkState& link, const E28Row& row);

OperationResult ReadE28(const E28Job& job);
OperationResult BlankCheckE28(const E28Job& job);
// speedIndex: "Programe time" 0..2, the wait after each page (100, 200, 300 ticks).
OperationResult ProgramE28(const E28Job& job, int speedIndex);
OperationResult VerifyE28(const E28Job& job);
OperationResult SumE28(const E28Job& job);
OperationResult UnprotectE28(const E28Job& job);
OperationResult ProtectE28(const E28Job& job);
OperationResult EraseE28(const E28Job& job);

inline constexpr PageWriteOperations<E28Job> kE28Operations{ReadE28,   BlankCheckE28, ProgramE28,
                                                             VerifyE28, SumE28,        EraseE28,
                                                             ProtectE28, UnprotectE28};

} // namespace quarvin
