#pragma once
// The protected address ranges of a flash part (the protect fault) as a chip
// image keeps them: 8 bytes a range, first and last address, little-endian.
#include <cstdint>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

std::vector<std::uint8_t> SaveProtectedRanges(const ChipFaults& faults);
// False (and nothing changed) when the bytes are not whole ranges.
bool LoadProtectedRanges(ChipFaults& faults, const std::vector<std::uint8_t>& state);

} // namespace quarvin::sim
