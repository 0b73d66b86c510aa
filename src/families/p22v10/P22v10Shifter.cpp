#include "families/p22v10/P22v10Shifter.h"

#include "families/p22v10/P22v10Rows.h"
#include "link/commands/LinkOps.h"
#include "link/commands/ReadAhead.h"

namespace quarvin::p22v10 {

namespace {

// Socket pins (chip pin + 8).
constexpr int kProgramSelectPin = 11; // chip pin 3, high during program pulses
constexpr int kEraseStrobePin = 12;   // chip pin 4
constexpr int kClockPin = 18;         // chip pin 10
constexpr int kDataInPin = 19;        // chip pin 11
constexpr int kStrobePin = 21;        // chip pin 13, active low
constexpr int kDataOutPin = 22;       // chip pin 14

// Port images (port 1 = pins 9..16, port 2 = pins 17, 18, 19, 21..25, bit 0 first).
constexpr std::uint8_t kRowPort1 = 2;           // pin 10
constexpr std::uint8_t kArchitecturePort1 = 130; // pins 10, 16 (chip pin 8)
constexpr std::uint8_t kArchitectureProgramPort1 = 134; // and pin 11
constexpr std::uint8_t kErasePort1 = 234;
constexpr std::uint8_t kWritePort2 = 24;  // pins 21, 22
constexpr std::uint8_t kReadPort2 = 56;   // pins 21, 22, 23
constexpr std::uint8_t kStrobeLowPort2 = 48;
constexpr std::uint8_t kErasePort2 = 61;
constexpr std::uint8_t kDataInBit = 4; // pin 19 in port 2

// Strobe low for a row load (about 0.1 ms), a row program pulse (about 33 ms),
// the architecture row's load and program pulses, the erase strobe.
constexpr int kLoadTicks = 1;
constexpr int kProgramTicks = 350;
constexpr int kArchitectureLoadTicks = 10;
constexpr int kArchitectureProgramTicks = 100;
constexpr int kEraseGapTicks = 10;
constexpr int kEraseStrobeTicks = 350;
// The erase shifts a whole row of ones before its address.
constexpr int kEraseClocks = 132;

void SetPorts(LinkState& link, std::uint8_t port1, std::uint8_t port2) {
    WritePort(link, 1, port1);
    WritePort(link, 3, 0);
    WritePort(link, 2, port2);
}

} // namespace

void P22v10Shifter::clockPulse() {
    PinHigh(link_, kClockPin);
    PinLow(link_, kClockPin);
}

void P22v10Shifter::sendBit(bool high) {
    if (high)
        PinHigh(link_, kDataInPin);
    else
        PinLow(link_, kDataInPin);
    clockPulse();
}

RowBits P22v10Shifter::shiftBitsOut(int count) {
    RowBits bits;
    bits.reserve(static_cast<std::size_t>(count));
    // The bit reads go out ahead of their replies, the clock pulses between them.
    PinReadsAhead reads(link_, [&bits](int level) { bits.push_back(RowBitChar(level != 0)); });
    for (int k = 0; k < count; ++k) {
        reads.readPin(kDataOutPin);
        clockPulse();
    }
    reads.drain();
    return bits;
}

void P22v10Shifter::sendAddress(std::uint8_t image, int address) {
    for (int k = 0; k < kAddressBits; ++k) {
        const bool high = ((address >> k) & 1) != 0;
        WritePort(link_, 2, static_cast<std::uint8_t>(high ? image | kDataInBit : image & ~kDataInBit));
        clockPulse();
    }
}

RowBits P22v10Shifter::shiftOut(int address, int count) {
    SetPorts(link_, kRowPort1, kReadPort2);
    sendAddress(kReadPort2, address);
    PinLow(link_, kStrobePin);
    Delay(link_, kLoadTicks);
    PinHigh(link_, kStrobePin);
    SetPinLatch(link_, kDataOutPin, 1);
    return shiftBitsOut(count);
}

void P22v10Shifter::shiftIn(int address, const RowBits& bits, int count) {
    SetPorts(link_, kRowPort1, kWritePort2);
    for (int k = 0; k < count; ++k) sendBit(k < static_cast<int>(bits.size()) && RowBitHigh(bits[static_cast<std::size_t>(k)]));
    sendAddress(kWritePort2, address);
    PinHigh(link_, kProgramSelectPin);
    PinLow(link_, kStrobePin);
    Delay(link_, kProgramTicks);
    PinHigh(link_, kStrobePin);
    PinLow(link_, kProgramSelectPin);
}

RowBits P22v10Shifter::readArchitecture() {
    SetPorts(link_, kArchitecturePort1, kReadPort2);
    WritePort(link_, 2, kStrobeLowPort2);
    Delay(link_, kArchitectureLoadTicks);
    WritePort(link_, 2, kReadPort2);
    return shiftBitsOut(kArchitectureBits);
}

void P22v10Shifter::programArchitecture(const RowBits& bits) {
    SetPorts(link_, kArchitecturePort1, kReadPort2);
    for (int k = 0; k < kArchitectureBits; ++k)
        sendBit(k < static_cast<int>(bits.size()) && RowBitHigh(bits[static_cast<std::size_t>(k)]));
    WritePort(link_, 1, kArchitectureProgramPort1);
    WritePort(link_, 2, kStrobeLowPort2);
    Delay(link_, kArchitectureProgramTicks);
    WritePort(link_, 2, kReadPort2);
    WritePort(link_, 1, kArchitecturePort1);
}

void P22v10Shifter::bulkErase() {
    SetPorts(link_, kErasePort1, kErasePort2);
    for (int k = 0; k < kEraseClocks; ++k) clockPulse();
    for (int k = 0; k < kAddressBits; ++k) sendBit(((kBulkEraseAddress >> k) & 1) != 0);
    PinHigh(link_, kProgramSelectPin);
    PinLow(link_, kStrobePin);
    Delay(link_, kProgramTicks);
    PinHigh(link_, kStrobePin);
    PinLow(link_, kProgramSelectPin);
    Delay(link_, kEraseGapTicks);
    PinHigh(link_, kEraseStrobePin);
    Delay(link_, kEraseStrobeTicks);
    PinLow(link_, kEraseStrobePin);
}

} // namespace quarvin::p22v10
