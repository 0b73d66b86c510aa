#pragma once
// How the static RAM tester puts an address on the socket: A0..A7 on port 1 in
// reverse bit order, the higher lines spread over ports 0, 3 and 4, every line
// above the device held high.
#include <array>
#include <cstdint>

#include "families/sram/SramRows.h"
#include "link/commands/LinkState.h"

namespace quarvin {

// Output ports 0..4 for address a of the row (port 2, the data bus, is 0 and
// never written by the address).
std::array<std::uint8_t, 5> EncodeSramAddress(const SramRow& row, std::uint32_t a);
// Writes the ports in the order 1, 3, 0, 4.
void SetSramAddress(LinkState& link, const SramRow& row, std::uint32_t a);

} // namespace quarvin
