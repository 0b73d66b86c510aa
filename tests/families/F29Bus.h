#pragma once
// Pin-level JEDEC command writes to a 29F part on the virtual box, for tests
// that drive the chip model without a dialog.
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "families/flash29f/F29Operations.h"
#include "link/commands/LinkOps.h"

namespace quarvin::test {

// One write cycle: address, /OE high, data, /CE and /WE low, /WE and /CE high.
inline void F29CommandWrite(LinkState& l, const F29Row& row, std::uint32_t a, std::uint8_t d) {
    SetF29Address(l, row, a);
    PinHigh(l, 28);
    WritePort(l, 2, d);
    PinLow(l, 26);
    PinLow(l, 35);
    PinHigh(l, 35);
    PinHigh(l, 26);
}

inline void F29CommandWrites(LinkState& l, const F29Row& row,
                             std::initializer_list<std::pair<std::uint32_t, std::uint8_t>> writes) {
    for (auto [a, d] : writes) F29CommandWrite(l, row, a, d);
}

// Supply, ground and the write bus mode, as the family's command writes need.
inline void F29PowerForWrites(LinkState& l) {
    ConnectGround(l, 20);
    ConnectVcc(l, 36);
    ChooseF29BusMode(l);
    SetDataWidth(l, 15);
}

} // namespace quarvin::test
