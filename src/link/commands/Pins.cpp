// Ports, pin levels and pin directions. Pin directions live in write-only
// registers, so every change is made on the image in the link state and the whole
// image is sent.
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

bool validPort(int n) { return n >= 0 && n < op::PortCount; }

// Pins 0..40 have an opcode; pin 0 is a real (if odd) request of the families.
bool hasPinOpcode(int p) { return p >= 0 && p <= pin::Count; }

std::uint8_t withBit(std::uint8_t v, int bit, bool set) {
    auto mask = static_cast<std::uint8_t>(1u << bit);
    return set ? static_cast<std::uint8_t>(v | mask) : static_cast<std::uint8_t>(v & ~mask);
}

// Where a pin's direction bit lives: a direction register or a control register.
struct DirectionBit {
    bool control = false;
    int reg = -1;
    int bit = 0;
};

DirectionBit directionBit(int p) {
    if (p >= 1 && p <= 8) return {true, 0, p - 1};
    if (p == pin::Ground) return {true, 1, 7};
    if (p == pin::Top) return {true, 1, 6};
    if (p >= 9 && p <= 16) return {false, 1, p - 9};
    if (p >= 17 && p <= 19) return {false, 3, p - 17};
    if (p >= 21 && p <= 25) return {false, 3, p - 21 + 3};
    if (p >= 26 && p <= 31) return {false, 0, p - 26};
    if (p >= 32 && p <= 33) return {false, 4, p - 32};
    if (p >= 34 && p <= 39) return {false, 2, p - 34};
    return {};
}

// Sends a direction register's image; register 2 always goes out with its two
// pinless bits set.
void sendDirectionImage(LinkState& link, int n) {
    std::uint8_t v = link.images.direction[static_cast<std::size_t>(n)];
    if (n == 2) v |= reg::Direction2Unused;
    WriteDirectionRegister(link, n, v);
}

void setDirectionImage(LinkState& link, int n, std::uint8_t v) {
    link.images.direction[static_cast<std::size_t>(n)] = v;
    WriteDirectionRegister(link, n, v);
}

} // namespace

std::uint8_t ReadPort(LinkState& link, int n) {
    if (!validPort(n)) return 0;
    SendByte(link, static_cast<std::uint8_t>(op::ReadPortBase + n));
    return ReceiveByte(link);
}

void WritePort(LinkState& link, int n, std::uint8_t v) {
    if (!validPort(n)) return;
    SendByte(link, static_cast<std::uint8_t>(op::WritePortBase + n));
    SendByte(link, v);
}

void WriteAllPorts(LinkState& link, std::uint8_t v) {
    for (int n = 0; n < op::PortCount; ++n) WritePort(link, n, v);
}

void PinHigh(LinkState& link, int p) {
    if (hasPinOpcode(p)) SendByte(link, static_cast<std::uint8_t>(op::PinHighBase + p));
}

void PinLow(LinkState& link, int p) {
    if (hasPinOpcode(p)) SendByte(link, static_cast<std::uint8_t>(op::PinLowBase + p));
}

void SetPin(LinkState& link, int level, int p) {
    if (level != 0)
        PinHigh(link, p);
    else
        PinLow(link, p);
}

int ReadPin(LinkState& link, int p) {
    if (p == pin::Ground || p == pin::Top) {
        SendByte(link, op::ReadStatus);
        Delay(link, tick::StatusRead);
        std::uint8_t s = ReceiveByte(link);
        return (s & (p == pin::Ground ? pin::StatusPin20 : pin::StatusPin40)) ? 1 : 0;
    }
    int index = pin::portIndex(p);
    if (index < 0) return 0;
    std::uint8_t v = ReadPort(link, index >> 3);
    return (v >> (index & 7)) & 1;
}

void SetPinLatch(LinkState& link, int p, int dir) {
    DirectionBit d = directionBit(p);
    if (d.reg < 0) return;
    auto& images = link.images;
    if (d.control) {
        auto& image = images.control[static_cast<std::size_t>(d.reg)];
        image = withBit(image, d.bit, dir != 0);
        WriteControlRegister(link, d.reg, image);
    } else {
        auto& image = images.direction[static_cast<std::size_t>(d.reg)];
        image = withBit(image, d.bit, dir != 0);
        sendDirectionImage(link, d.reg);
    }
}

int PinLatch(const LinkState& link, int p) {
    const DirectionBit d = directionBit(p);
    if (d.reg < 0) return 0;
    const std::uint8_t image = d.control ? link.images.control[static_cast<std::size_t>(d.reg)]
                                         : link.images.direction[static_cast<std::size_t>(d.reg)];
    return (image >> d.bit) & 1;
}

void WriteDirectionRegister(LinkState& link, int n, std::uint8_t v) {
    if (n < 0 || n >= op::DirectionRegisterCount) return;
    SendByte(link, static_cast<std::uint8_t>(op::WriteDirectionBase + n));
    SendByte(link, v);
}

void WriteControlRegister(LinkState& link, int n, std::uint8_t v) {
    if (n < 0 || n >= op::ControlRegisterCount) return;
    SendByte(link, static_cast<std::uint8_t>(op::WriteControlBase + n));
    SendByte(link, v);
}

void SetDataWidth(LinkState& link, int mode) {
    auto& dir = link.images.direction;
    switch (mode) {
    case reg::Width12:  // pins 17..19, 21..25 read
        setDirectionImage(link, 3, 0xFF);
        break;
    case reg::Width9:   // pins 17..19, 21 driven, 22..25 and 26..29 read
        setDirectionImage(link, 3, 0xF0);
        setDirectionImage(link, 0, 0x0F);
        SetPinLatch(link, 13, 1);
        break;
    case reg::Width7:   // pins 32..39 read
        setDirectionImage(link, 2, 0x7F);
        setDirectionImage(link, 4, 0x03);
        break;
    case reg::Width15:  // every data bus candidate driven
        setDirectionImage(link, 3, 0x00);
        setDirectionImage(link, 0, static_cast<std::uint8_t>(dir[0] & 0xF0));
        setDirectionImage(link, 2, static_cast<std::uint8_t>(dir[2] & 0x80));
        setDirectionImage(link, 4, static_cast<std::uint8_t>(dir[4] & 0xFC));
        SetPinLatch(link, 13, 0);
        break;
    default:
        break;
    }
}

void ReadPortsPage(LinkState& link, std::uint8_t* dest) {
    for (int i = 0; i < 256; ++i) {
        auto index = static_cast<std::uint8_t>(ReadPort(link, 4) * 4);
        std::uint8_t byte = link.bitReverse[index];
        std::uint8_t s = ReadPort(link, 3);
        if (s & 0x80) byte |= 0x40;
        if (s & 0x40) byte |= 0x80;
        if (dest) dest[i] = byte;
        ++link.lowAddressCounter;
        WritePort(link, 0, link.lowAddressCounter);
    }
}

} // namespace quarvin
