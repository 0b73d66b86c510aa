#include "families/i2c_eeprom/I2cBus.h"

#include "families/framework/MemorySteps.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin::i2c {

namespace {

constexpr std::uint8_t kDeviceAddressWrite = 0xA0;
constexpr std::uint8_t kDeviceAddressRead = 0xA1;
constexpr int kPinDriven = 0;
constexpr int kPinReleased = 1;

// Address bits 8..10 in bits 1..3 of the device-address byte.
std::uint8_t BlockBits(std::uint32_t a) { return static_cast<std::uint8_t>((a >> 7) & 0x0E); }
std::uint8_t Low(std::uint32_t a) { return static_cast<std::uint8_t>(a & 0xFF); }

void SendWithAcknowledge(LinkState& link, const I2cRow& row, std::uint8_t b) {
    SendBusByte(link, b);
    AcknowledgeClock(link, row);
}

} // namespace

void PowerUp(LinkState& link, const I2cRow& row) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    WriteAllPorts(link, 0);
    Delay(link, kSettleTicks);
    // Vcc before the lines go high (the pins are rated against Vcc).
    ConnectVccThenPortsHigh(link, row.vcc);
    ConnectGround(link, row.ground);
    PinLow(link, row.a0);
    PinLow(link, row.a1);
    PinLow(link, row.a2);
    PinLow(link, row.writeProtect);
}

void StartCondition(LinkState& link, const I2cRow& row) {
    PinLow(link, row.sda);
    PinHigh(link, row.sda);
    PinHigh(link, row.scl);
    PinLow(link, row.sda);
    PinLow(link, row.scl);
}

void StopCondition(LinkState& link, const I2cRow& row) {
    PinLow(link, row.sda);
    PinHigh(link, row.scl);
    PinHigh(link, row.sda);
}

void SendBusByte(LinkState& link, std::uint8_t b) {
    SendByte(link, op::I2cCommand);
    SendByte(link, b);
}

void AcknowledgeClock(LinkState& link, const I2cRow& row) {
    PinHigh(link, row.sda);
    PinHigh(link, row.scl);
    PinLow(link, row.scl);
}

namespace {

// Eight clocks, SDA read while SCL is high.
void ReceiveBusBits(LinkState& link, const I2cRow& row, PinReadsAhead& reads) {
    for (int bit = 0; bit < 8; ++bit) {
        PinHigh(link, row.scl);
        reads.readPin(row.sda);
        PinLow(link, row.scl);
    }
}

} // namespace

std::uint8_t RandomRead(LinkState& link, const I2cRow& row, std::uint32_t a) {
    std::uint8_t value = 0;
    PinReadsAhead reads(link, [&](int level) { value = static_cast<std::uint8_t>((value << 1) | level); });
    RandomReadAhead(link, row, a, reads);
    reads.drain();
    return value;
}

void RandomReadAhead(LinkState& link, const I2cRow& row, std::uint32_t a, PinReadsAhead& reads) {
    SetPinLatch(link, row.sda, kPinDriven);
    std::uint8_t readByte = 0;
    switch (row.addressing()) {
    case I2cAddressing::WordAndDirection:
        StartCondition(link, row);
        readByte = static_cast<std::uint8_t>(a * 2 + 1);
        break;
    case I2cAddressing::OneByte:
        StartCondition(link, row);
        SendWithAcknowledge(link, row, static_cast<std::uint8_t>(kDeviceAddressWrite | BlockBits(a)));
        SendWithAcknowledge(link, row, Low(a));
        StartCondition(link, row);
        readByte = static_cast<std::uint8_t>(kDeviceAddressRead | BlockBits(a));
        break;
    case I2cAddressing::TwoBytes:
        StartCondition(link, row);
        SendWithAcknowledge(link, row, kDeviceAddressWrite);
        SendWithAcknowledge(link, row, static_cast<std::uint8_t>(a >> 8));
        SendWithAcknowledge(link, row, Low(a));
        StartCondition(link, row);
        readByte = kDeviceAddressRead;
        break;
    }
    SendWithAcknowledge(link, row, readByte);
    SetPinLatch(link, row.sda, kPinReleased);
    ReceiveBusBits(link, row, reads);
    // No acknowledge is given for the data byte: the part sees its ninth clock
    // with the line released, takes it as the end of the read and waits for
    // the next start.
    StopCondition(link, row);
    SetPinLatch(link, row.sda, kPinDriven);
}

void ByteWrite(LinkState& link, const I2cRow& row, std::uint32_t a, std::uint8_t d, int waitMilliseconds) {
    StartCondition(link, row);
    switch (row.addressing()) {
    case I2cAddressing::WordAndDirection:
        SendWithAcknowledge(link, row, static_cast<std::uint8_t>(a * 2));
        break;
    case I2cAddressing::OneByte:
        SendWithAcknowledge(link, row, static_cast<std::uint8_t>(kDeviceAddressWrite | BlockBits(a)));
        SendWithAcknowledge(link, row, Low(a));
        break;
    case I2cAddressing::TwoBytes:
        SendWithAcknowledge(link, row, kDeviceAddressWrite);
        SendWithAcknowledge(link, row, static_cast<std::uint8_t>((a >> 8) & 0xFF));
        SendWithAcknowledge(link, row, Low(a));
        break;
    }
    SendWithAcknowledge(link, row, d);
    StopCondition(link, row);
    Delay(link, kTicksPerWaitMillisecond * waitMilliseconds);
}

} // namespace quarvin::i2c
