// The clock generator and the commands that run a whole byte or page step inside
// the box.
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

void SetClockMode(LinkState& link, int mode) {
    auto& im = link.images;
    im.control[1] &= static_cast<std::uint8_t>(~reg::Control1ClockMask);
    WriteControlRegister(link, 1, im.control[1]);
    auto inverted = static_cast<std::uint8_t>(((~mode) << reg::ModeClockShift) & reg::ModeClockMask);
    im.mode = static_cast<std::uint8_t>((im.mode & ~reg::ModeClockMask) | inverted);
    SendByte(link, op::WriteMode);
    SendByte(link, im.mode);
    Delay(link, tick::ClockMode);
}

void ConnectClock(LinkState& link, int p) {
    if (p == 0)
        SetClockMode(link, 0);
    else if (p == pin::ClockPinMode1)
        SetClockMode(link, 1);
    else if (p == pin::ClockPinMode2)
        SetClockMode(link, 2);
}

std::uint8_t ReadNextByte(LinkState& link) {
    SendByte(link, op::ReadNext);
    return ReceiveByte(link);
}

int BlankCheckPage(LinkState& link) {
    SendByte(link, op::BlankPage);
    ReceiveByte(link); // not examined
    return ReceiveByte(link) != 0 ? 1 : 0;
}

std::uint16_t SumPage(LinkState& link) {
    SendByte(link, op::SumPage);
    std::uint8_t low = ReceiveByte(link);
    std::uint8_t high = ReceiveByte(link);
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint8_t ProgramByte(LinkState& link, std::uint8_t opcode, std::uint8_t v) {
    SendByte(link, opcode);
    SendByte(link, v);
    return ReceiveByte(link);
}

void SetBlockLength(LinkState& link, std::uint8_t length) {
    SendByte(link, op::BlockLength);
    SendByte(link, length);
}

void SetPulseCount(LinkState& link, std::uint8_t count) {
    SendByte(link, op::PulseCount);
    SendByte(link, count);
}

void SendDeviceCommand(LinkState& link, std::uint8_t a, std::uint8_t b) {
    SendByte(link, op::DeviceCommand);
    SendByte(link, a);
    SendByte(link, b);
}

void SetBusMode(LinkState& link, std::uint8_t mode) {
    SendByte(link, op::BusMode);
    SendByte(link, mode);
    if (mode == reg::Bus28Pin) {
        SetClockMode(link, 0);
        SetPinLatch(link, 7, 1);
        SetPinLatch(link, 8, 1);
    } else if (mode == reg::Bus32Pin) {
        SetClockMode(link, reg::ClockModeBus);
        SetPinLatch(link, 7, 0);
        SetPinLatch(link, 8, 1);
    } else {
        SetClockMode(link, reg::ClockModeBus);
        SetPinLatch(link, 7, 0);
        SetPinLatch(link, 8, 0);
    }
}

std::uint8_t ReadDataByte(LinkState& link) {
    SendByte(link, op::ReadData);
    return ReceiveByte(link);
}

void WriteDataByte(LinkState& link, std::uint8_t v) {
    SendByte(link, op::WriteData);
    SendByte(link, v);
}

} // namespace quarvin
