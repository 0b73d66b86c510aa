#pragma once
// The AT49F operations. Read, Blank, Programe, Verify and Sum are the 29F
// family's (same pinout, command codes and DATA polling); the chip erase is
// the family's own: it takes up to 10 s and shows its end on the toggle bit
// only (the data sheet defines DATA polling for the program cycle alone).
#include <cstdint>

#include "families/flash29f/F29Operations.h"

namespace quarvin {

// AT49F040 data sheet (Rev. 0998D), "Program Cycle Characteristics": tEC,
// the erase cycle time, 10 seconds max.
inline constexpr std::uint32_t kAt49fChipEraseMilliseconds = 10'000;

// Chip erase, then the blank check. The toggle bit is polled for up to
// eraseLimitMs; tests shorten it to show that less than tEC fails.
OperationResult EraseAt49(const F29Job& job, std::uint32_t eraseLimitMs = kAt49fChipEraseMilliseconds);

} // namespace quarvin
