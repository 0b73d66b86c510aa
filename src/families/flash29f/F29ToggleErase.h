#pragma once
// Steps of the flash families that run the 29F operations on parts of their
// own (AT49F, MX29F): a chip erase whose end shows on the toggle bit, and a
// blank check that tells a blank part from an empty socket by its codes.
#include <cstdint>

#include "families/flash29f/F29Operations.h"

namespace quarvin {

// Chip erase (AA 55 80 AA 55 10), the toggle bit polled for up to
// eraseLimitMs (the data sheet's longest chip erase), then the blank check.
OperationResult EraseF29ByToggleBit(const F29Job& job, std::uint32_t eraseLimitMs);

// The blank check; when it passes (every byte FF, as an empty socket reads),
// the codes must answer too.
OperationResult BlankCheckF29Answered(const F29Job& job);

} // namespace quarvin
