#include "families/microwire_eeprom/MicrowireBus.h"

#include "link/commands/LinkOps.h"

namespace quarvin::microwire {

namespace {

using namespace pin::microwire;

constexpr int kPort = 2;
constexpr std::uint8_t kChipSelectBit = 0x01;
constexpr std::uint8_t kDataInBit = 0x04;
constexpr std::uint8_t kOrganisationBit = 0x10;
constexpr std::uint8_t kBaseImage = 0xE4; // data in and pins 23..25 high
constexpr int kPinDriven = 0;
constexpr int kPinInput = 1;

// Start bit and opcode, three bits.
constexpr std::uint32_t kReadInstruction = 0b110;
constexpr std::uint32_t kWriteInstruction = 0b101;
// Start bit, opcode 0 0 and the two bits that pick the special instruction.
constexpr std::uint32_t kSpecialInstruction = 0b10000;
constexpr int kSpecialSelectBits = 2;

} // namespace

std::uint8_t MicrowirePort::base() const {
    return static_cast<std::uint8_t>(kBaseImage | (row_.wordWide() ? kOrganisationBit : 0));
}

void MicrowirePort::powerUp() {
    // The supply (pin 24, fed by its logic driver) before data in and chip
    // select go high: the 93LC46 rates its pins against Vcc.
    ConnectVcc(link_, Supply);
    image_ = kBaseImage;
    WritePort(link_, kPort, image_);
    image_ = base();
    ConnectVpp(link_, 0);
    WriteAllPorts(link_, 255);
    SetPinLatch(link_, DataIn, kPinDriven);
    SetPinLatch(link_, DataOut, kPinInput);
    PinHigh(link_, HeldHigh);
    PinHigh(link_, Organisation);
    PinLow(link_, Clock);
    PinHigh(link_, ChipSelect);
    ConnectGround(link_, Ground);
    Delay(link_, kSettleTicks);
}

void MicrowirePort::shiftOut(std::uint32_t value, int bits) {
    for (int b = bits - 1; b >= 0; --b) {
        if ((value >> b) & 1) image_ = static_cast<std::uint8_t>(image_ | kDataInBit);
        else image_ = static_cast<std::uint8_t>(image_ & ~kDataInBit);
        WritePort(link_, kPort, image_);
        PinHigh(link_, Clock);
        PinLow(link_, Clock);
    }
}

std::uint16_t MicrowirePort::readWord(std::uint32_t a) {
    std::uint16_t value = 0;
    PinReadsAhead reads(link_, [&](int level) { value = static_cast<std::uint16_t>((value << 1) | level); });
    readWordAhead(a, reads);
    reads.drain();
    return value;
}

void MicrowirePort::readWordAhead(std::uint32_t a, PinReadsAhead& reads) {
    image_ = base();
    PinLow(link_, ChipSelect);
    image_ = static_cast<std::uint8_t>(image_ | kChipSelectBit);
    shiftOut(kReadInstruction, 3);
    shiftOut(a, row_.addressBits);
    for (int bit = 0; bit < row_.dataBits; ++bit) {
        PinHigh(link_, Clock);
        PinLow(link_, Clock);
        reads.readPin(DataOut);
    }
    PinHigh(link_, ChipSelect);
}

void MicrowirePort::writeWord(std::uint32_t a, std::uint16_t d, int waitUnits) {
    image_ = base();
    WritePort(link_, kPort, image_);
    image_ = static_cast<std::uint8_t>(image_ | kChipSelectBit);
    shiftOut(kWriteInstruction, 3);
    shiftOut(a, row_.addressBits);
    shiftOut(d, row_.dataBits);
    // Chip select falling starts the part's write cycle; its ready signal is
    // not polled, the wait covers it.
    WritePort(link_, kPort, static_cast<std::uint8_t>(image_ & ~kChipSelectBit));
    Delay(link_, kTicksPerWaitUnit * waitUnits);
}

void MicrowirePort::deselect() { PinLow(link_, ChipSelect); }

void MicrowirePort::special(Special m) {
    PinLow(link_, ChipSelect);
    image_ = static_cast<std::uint8_t>(image_ | kChipSelectBit);
    shiftOut(kSpecialInstruction + static_cast<std::uint32_t>(m), 5);
    shiftOut(0, row_.addressBits - kSpecialSelectBits);
    PinHigh(link_, ChipSelect);
}

} // namespace quarvin::microwire
