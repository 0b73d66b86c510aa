#include "families/gal/GalShifter.h"

#include "link/commands/LinkOps.h"
#include "link/commands/ReadAhead.h"

namespace quarvin::gal {

namespace {

struct PortBit {
    int port;
    int bit;
};

// How one socket wiring reaches the chip's edit-mode pins (ports as the box
// numbers them: port 1 = pins 9..16, port 2 = pins 17, 18, 19, 21..25,
// port 3 = pins 26..33, bit 0 first).
struct Wiring {
    std::array<PortBit, 6> address; // chip address bits 0..5
    int heldHighBit;                // port 2 bit kept high (the data out pin)
    int dataOutPin;                 // socket pin read for the row bits
    int programSelectBit;           // port 3 bit: 1 programs, 0 verifies
    bool dataStartsHigh;            // the first port 2 image has the data bit set
    bool latchOnWrite;              // the data out pin is made an input before writing
    bool portTwoBeforeThree;        // Write row writes port 2 before port 3
};

// Port 2 bits common to both wirings.
constexpr int kClockBit = 1;  // pin 18
constexpr int kDataInBit = 2; // pin 19
constexpr int kStrobeBit = 3; // pin 21, active low

constexpr Wiring kPins20{{{{3, 2}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {2, 0}}}, 4, 22, 3, true, true, false};
constexpr Wiring kPins24{{{{3, 3}, {1, 2}, {1, 3}, {1, 4}, {1, 7}, {2, 0}}}, 5, 23, 4, false, false, true};

constexpr std::uint8_t bitOf(int b) { return static_cast<std::uint8_t>(1u << b); }

const Wiring& WiringOf(const GalRow& row) { return row.shift == GalShift::Pins24 ? kPins24 : kPins20; }

struct Images {
    std::array<std::uint8_t, 4> port{}; // ports 0..3; only 1, 2 and 3 are written
};

Images AddressImages(const Wiring& w, int address) {
    Images im;
    for (int k = 0; k < 6; ++k)
        if ((address >> k) & 1) im.port[static_cast<std::size_t>(w.address[static_cast<std::size_t>(k)].port)] |=
            bitOf(w.address[static_cast<std::size_t>(k)].bit);
    im.port[2] |= static_cast<std::uint8_t>(bitOf(kStrobeBit) | bitOf(w.heldHighBit));
    return im;
}

void ClockPulse(LinkState& link, std::uint8_t image) {
    WritePort(link, 2, static_cast<std::uint8_t>(image | bitOf(kClockBit)));
    WritePort(link, 2, image);
}

} // namespace

void GalShifter::writeRow(int address, const RowBits& bits, int count) {
    if (!row_.shiftable()) return;
    const Wiring& w = WiringOf(row_);
    Images im = AddressImages(w, address);
    im.port[3] |= bitOf(w.programSelectBit);
    std::uint8_t image = im.port[2];
    if (w.dataStartsHigh) image |= bitOf(kDataInBit);
    WritePort(link_, 1, im.port[1]);
    if (w.portTwoBeforeThree) {
        WritePort(link_, 2, image);
        WritePort(link_, 3, im.port[3]);
    } else {
        WritePort(link_, 3, im.port[3]);
        WritePort(link_, 2, image);
    }
    if (w.latchOnWrite) SetPinLatch(link_, w.dataOutPin, 1);
    for (int k = 0; k < count; ++k) {
        const bool high = k < static_cast<int>(bits.size()) && RowBitHigh(bits[static_cast<std::size_t>(k)]);
        image = high ? static_cast<std::uint8_t>(image | bitOf(kDataInBit))
                     : static_cast<std::uint8_t>(image & ~bitOf(kDataInBit));
        WritePort(link_, 2, image);
        ClockPulse(link_, image);
    }
    // The program pulse: strobe low for about 10 ms.
    WritePort(link_, 2, static_cast<std::uint8_t>(image & ~bitOf(kStrobeBit)));
    Delay(link_, kPldSupplySettleTicks);
    WritePort(link_, 2, image);
}

RowBits GalShifter::readRow(int address, int count) {
    RowBits bits;
    if (!row_.shiftable()) return bits;
    const Wiring& w = WiringOf(row_);
    const Images im = AddressImages(w, address);
    const std::uint8_t image = im.port[2];
    WritePort(link_, 1, im.port[1]);
    WritePort(link_, 3, im.port[3]);
    WritePort(link_, 2, image);
    // Strobe low with program/verify select low loads the row.
    WritePort(link_, 2, static_cast<std::uint8_t>(image & ~bitOf(kStrobeBit)));
    WritePort(link_, 2, image);
    SetPinLatch(link_, w.dataOutPin, 1);
    bits.reserve(static_cast<std::size_t>(count));
    // The bit reads go out ahead of their replies, the clock pulses between them.
    PinReadsAhead reads(link_, [&bits](int level) { bits.push_back(RowBitChar(level != 0)); });
    for (int k = 0; k < count; ++k) {
        reads.readPin(w.dataOutPin);
        ClockPulse(link_, image);
    }
    reads.drain();
    return bits;
}

} // namespace quarvin::gal
