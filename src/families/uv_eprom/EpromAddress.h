#pragma once
// Putting an address on the socket for a UV EPROM row, and the row's program
// pulse count.
#include <array>
#include <cstdint>

#include "families/uv_eprom/EpromRows.h"
#include "link/commands/LinkState.h"

namespace quarvin {

// The five output port bytes that put address a (already OR-ed with the row's
// high-address mask) on the socket for a row with the given supply pin.
std::array<std::uint8_t, 5> EncodeEpromAddress(std::uint32_t a, int supplyPin);

// Sets the full address: the row's encoding of a with the high lines driven
// high, then output ports 0..4 in this order.
void SetEpromAddress(LinkState& link, const EpromRow& row, std::uint32_t a);

// Program pulse count for a row and the "Pro time" index: base x (index + 1),
// at most 255, its low byte sent.
std::uint8_t EpromPulseCount(const EpromRow& row, int proTimeIndex);

} // namespace quarvin
