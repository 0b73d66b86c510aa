#pragma once
// The 22V10 edit-mode sequences on the wire: Shift out and Shift in of a row
// (data bits, then the six address bits, least significant first), the
// architecture row read and program (chip pin 8 high), and the bulk erase.
#include "families/framework/PldSteps.h"
#include "link/commands/LinkState.h"

namespace quarvin::p22v10 {

class P22v10Shifter {
public:
    explicit P22v10Shifter(LinkState& link) : link_(link) {}

    // Loads the row at the address and shifts count bits out, bit 0 first.
    RowBits shiftOut(int address, int count);
    // Shifts count bits (bit 0 first) and the address in, then the program pulse.
    void shiftIn(int address, const RowBits& bits, int count);
    RowBits readArchitecture();
    // The first kArchitectureBits bits of bits.
    void programArchitecture(const RowBits& bits);
    // 132 clocks of ones, address 63, the program pulse and the erase strobe.
    void bulkErase();

private:
    void clockPulse();
    // count bits of the data out pin, a clock pulse after each.
    RowBits shiftBitsOut(int count);
    void sendAddress(std::uint8_t image, int address);
    void sendBit(bool high);

    LinkState& link_;
};

} // namespace quarvin::p22v10
