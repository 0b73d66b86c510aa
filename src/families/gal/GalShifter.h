#pragma once
// Write row and Read row of the GAL dialog: the chip address on six pins,
// the row bits clocked in or out one at a time on the clock pin, and the
// strobe that programs (program/verify select high) or loads the row.
#include "families/framework/PldSteps.h"
#include "families/gal/GalRows.h"
#include "link/commands/LinkState.h"

namespace quarvin::gal {

class GalShifter {
public:
    GalShifter(LinkState& link, const GalRow& row) : link_(link), row_(row) {}

    // Shifts the first count bits in and programs them at the address.
    void writeRow(int address, const RowBits& bits, int count);
    // Loads the row at the address and shifts count bits out, bit 0 first.
    RowBits readRow(int address, int count);

private:
    LinkState& link_;
    const GalRow& row_;
};

} // namespace quarvin::gal
