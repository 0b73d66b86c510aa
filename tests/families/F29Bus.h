#pragma once
// Pin-level JEDEC command writes to a 29F part on the virtual box, for tests
// that drive the chip model without a dialog.
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "families/flash29f/F29Operations.h"
#include "link/commands/LinkOps.h"

namespace quarvin::test {

// Write cycles, one a pair of address and data.
inline void F29CommandWrites(LinkState& l, const F29Row& row,
                             std::initializer_list<std::pair<std::uint32_t, std::uint8_t>> writes) {
    for (auto [a, d] : writes) WriteF29Command(l, row, a, d);
}

// Supply, ground and the write bus mode, as the family's command writes need.
inline void F29PowerForWrites(LinkState& l) {
    ConnectGround(l, 20);
    ConnectVcc(l, 36);
    ChooseF29BusMode(l);
    SetDataWidth(l, 15);
}

} // namespace quarvin::test
