#pragma once
// The address encoding of the JEDEC memories (29F flash, 28C EEPROM, 28F
// flash): four output ports written in the order 1, 3, 0, 4 (the 28F flash:
// 0, 1, 3, 4), port 2 (the data pins) left alone. 32-pin parts take address bits 0..18, 28-pin parts bits 0..14 with A14
// on socket pins 7 and 38 and pins 26 and 33 idling high.
#include <array>
#include <cstdint>

#include "link/commands/LinkState.h"

namespace quarvin {

// Output ports by index (port 2 unused) for a, which already carries the row's
// high-address mask.
std::array<std::uint8_t, 5> EncodeJedecAddress(std::uint32_t a, bool pin28);

// The order the four ports go out in.
using PortOrder = std::array<int, 4>;
inline constexpr PortOrder kJedecPortOrder{1, 3, 0, 4};
inline constexpr PortOrder kAscendingPortOrder{0, 1, 3, 4};

void WriteJedecAddress(LinkState& link, std::uint32_t a, bool pin28, const PortOrder& order = kJedecPortOrder);

// The bus mode of the wiring (28- or 32-pin), with socket pins 7 and 8 driven
// again: both carry address lines (A14/A12 or A15/A12), and the box's bus mode
// leaves them as inputs.
void ChooseJedecBusMode(LinkState& link, bool pin28);

} // namespace quarvin
