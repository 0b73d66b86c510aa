#include "sim/families/flash29f/F29Sectors.h"

#include <array>

namespace quarvin::sim {

namespace {

constexpr std::uint32_t kKiB = 1024;
constexpr std::uint32_t kMainSector = 64 * kKiB;
// The boot end's 64 KiB, from the boot sector inwards.
constexpr std::array<std::uint32_t, 4> kBootEnd{16 * kKiB, 8 * kKiB, 8 * kKiB, 32 * kKiB};

SectorSpan Aligned(std::uint32_t a, std::uint32_t size) {
    const std::uint32_t first = a / size * size;
    return {first, first + size - 1};
}

// Offset inside the boot end, counted from its outer edge.
SectorSpan BootEndSector(std::uint32_t offset) {
    std::uint32_t start = 0;
    for (std::uint32_t size : kBootEnd) {
        if (offset < start + size) return {start, start + size - 1};
        start += size;
    }
    return {start, kMainSector - 1};
}

} // namespace

SectorSpan SectorOf(const F29Sectors& sectors, std::uint32_t partBytes, std::uint32_t a) {
    switch (sectors.layout) {
    case F29SectorLayout::Uniform: return Aligned(a, sectors.uniformBytes);
    case F29SectorLayout::BottomBoot:
        if (a >= kMainSector) return Aligned(a, kMainSector);
        return BootEndSector(a);
    case F29SectorLayout::TopBoot: {
        const std::uint32_t bootEnd = partBytes - kMainSector;
        if (a < bootEnd) return Aligned(a, kMainSector);
        // Mirror the bottom layout: offsets counted down from the top.
        const SectorSpan s = BootEndSector(partBytes - 1 - a);
        return {partBytes - 1 - s.last, partBytes - 1 - s.first};
    }
    }
    return {a, a};
}

} // namespace quarvin::sim
