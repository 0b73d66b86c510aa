#include "families/framework/JedecAddress.h"

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

struct AddressLine {
    int bit, port;
    std::uint8_t mask;
};
// Bits 8..13 are the same for both wirings; 14 up differ.
constexpr AddressLine kCommonLines[] = {
    {8, 3, 0x20}, {9, 3, 0x10}, {10, 3, 0x02}, {11, 3, 0x08}, {12, 0, 0x80}, {12, 4, 0x20}, {13, 3, 0x40},
};
constexpr AddressLine kLines32Pin[] = {
    {14, 3, 0x80}, {15, 0, 0x40}, {15, 4, 0x10}, {16, 0, 0x20}, {17, 4, 0x01}, {18, 0, 0x10},
};
constexpr AddressLine kLines28Pin[] = {{14, 0, 0x40}, {14, 4, 0x10}};

constexpr std::array<std::uint8_t, 5> kBase32Pin{0x0F, 0x00, 0x00, 0x01, 0x02};
constexpr std::array<std::uint8_t, 5> kBase28Pin{0x1F, 0x00, 0x00, 0x81, 0x02};

constexpr int kA15Pin = 7, kA12Pin = 8;

} // namespace

std::array<std::uint8_t, 5> EncodeJedecAddress(std::uint32_t a, bool pin28) {
    std::array<std::uint8_t, 5> ports = pin28 ? kBase28Pin : kBase32Pin;
    // A0 on socket pin 16 (port 1 bit 7) down to A7 on pin 9 (bit 0).
    for (int b = 0; b < 8; ++b)
        if (a & (1u << b)) ports[1] |= static_cast<std::uint8_t>(0x80 >> b);
    const auto put = [&](const AddressLine& line) {
        if (a & (1u << line.bit)) ports[static_cast<std::size_t>(line.port)] |= line.mask;
    };
    for (const AddressLine& line : kCommonLines) put(line);
    if (pin28)
        for (const AddressLine& line : kLines28Pin) put(line);
    else
        for (const AddressLine& line : kLines32Pin) put(line);
    return ports;
}

void WriteJedecAddress(LinkState& link, std::uint32_t a, bool pin28, const PortOrder& order) {
    const auto ports = EncodeJedecAddress(a, pin28);
    for (int n : order) WritePort(link, n, ports[static_cast<std::size_t>(n)]);
}

void ChooseJedecBusMode(LinkState& link, bool pin28) {
    SetBusMode(link, pin28 ? reg::Bus28Pin : reg::Bus32Pin);
    SetPinLatch(link, kA15Pin, 0);
    SetPinLatch(link, kA12Pin, 0);
}

} // namespace quarvin
