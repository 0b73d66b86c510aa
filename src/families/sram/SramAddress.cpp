#include "families/sram/SramAddress.h"

#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

// Port images with no address line set: /CE (pin 26) and the 28/32-pin /WE
// (pin 33) high, /OE (pin 28) low.
constexpr std::uint8_t kPort0Idle = 0x0F, kPort3Idle = 0x81, kPort4Idle = 0xCC;

struct HighLine {
    int bit;                     // address bit A8..A18
    std::array<int, 2> ports;    // port numbers (-1: none)
    std::array<std::uint8_t, 2> masks;
};

constexpr HighLine kHighLines[] = {
    {8, {3, -1}, {0x20, 0}},    {9, {3, -1}, {0x10, 0}},    {10, {3, -1}, {0x02, 0}},
    {11, {3, -1}, {0x08, 0}},   {12, {0, 4}, {0x80, 0x20}}, {13, {3, -1}, {0x40, 0}},
    {14, {0, 4}, {0x40, 0x10}}, {15, {4, -1}, {0x02, 0}},   {16, {0, -1}, {0x20, 0}},
    {17, {4, -1}, {0x01, 0}},   {18, {0, -1}, {0x10, 0}},
};

constexpr int kPortOrder[] = {1, 3, 0, 4};

} // namespace

std::array<std::uint8_t, 5> EncodeSramAddress(const SramRow& row, std::uint32_t a) {
    const std::uint32_t line = a | row.highAddressMask();
    std::array<std::uint8_t, 5> ports{kPort0Idle, 0, 0, kPort3Idle, kPort4Idle};
    std::uint8_t low = 0;
    for (int b = 0; b < 8; ++b)
        if (line >> b & 1) low = static_cast<std::uint8_t>(low | (0x80u >> b));
    ports[1] = low;
    for (const HighLine& h : kHighLines) {
        if (!(line >> h.bit & 1)) continue;
        for (std::size_t i = 0; i < h.ports.size(); ++i)
            if (h.ports[i] >= 0) ports[static_cast<std::size_t>(h.ports[i])] |= h.masks[i];
    }
    return ports;
}

void SetSramAddress(LinkState& link, const SramRow& row, std::uint32_t a) {
    const auto ports = EncodeSramAddress(row, a);
    for (int n : kPortOrder) WritePort(link, n, ports[static_cast<std::size_t>(n)]);
}

} // namespace quarvin
