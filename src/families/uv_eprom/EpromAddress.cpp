#include "families/uv_eprom/EpromAddress.h"

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

// Where the address bits above A7 go: port image byte and bit. Bits with two
// entries drive two socket pins so that 28- and 32-pin types both see them.
struct AddressLine {
    int bit;
    int port;
    std::uint8_t mask;
};
constexpr AddressLine kHighLines[] = {
    {8, 3, 0x20},  {9, 3, 0x10},  {10, 3, 0x02}, {11, 3, 0x08}, {12, 0, 0x80}, {12, 4, 0x20},
    {13, 3, 0x40}, {14, 3, 0x80}, {15, 0, 0x40}, {15, 4, 0x10}, {16, 0, 0x20}, {17, 4, 0x01},
    {18, 4, 0x02}, {19, 0, 0x10},
};
// The 28-pin types have no lines above A15.
constexpr int kLastBit28Pin = 15;

constexpr std::array<std::uint8_t, 5> kBase24And32Pin{0x0F, 0x00, 0xFF, 0x01, 0x00};
constexpr std::array<std::uint8_t, 5> kBase28Pin{0x1F, 0x00, 0xFF, 0x01, 0x02};

} // namespace

std::array<std::uint8_t, 5> EncodeEpromAddress(std::uint32_t a, int supplyPin) {
    const bool pin28 = supplyPin == Supply28;
    std::array<std::uint8_t, 5> ports = pin28 ? kBase28Pin : kBase24And32Pin;
    // A0 on socket pin 16 (port 1 bit 7) down to A7 on pin 9 (bit 0).
    for (int b = 0; b < 8; ++b)
        if (a & (1u << b)) ports[LowAddressPort] |= static_cast<std::uint8_t>(0x80 >> b);
    for (const AddressLine& line : kHighLines) {
        if (pin28 && line.bit > kLastBit28Pin) continue;
        if (a & (1u << line.bit)) ports[static_cast<std::size_t>(line.port)] |= line.mask;
    }
    return ports;
}

void SetEpromAddress(LinkState& link, const EpromRow& row, std::uint32_t a) {
    const auto ports = EncodeEpromAddress(a | row.highAddressMask(), row.supplyPin);
    for (std::size_t n = 0; n < ports.size(); ++n) WritePort(link, static_cast<int>(n), ports[n]);
}

std::uint8_t EpromPulseCount(const EpromRow& row, int proTimeIndex) {
    if (proTimeIndex < 0) proTimeIndex = 0;
    int count = row.pulseBase * (proTimeIndex + 1);
    if (count > 255) count = 255;
    return static_cast<std::uint8_t>(count & 0xFF);
}

} // namespace quarvin
