#pragma once
// The sector layouts of the 29F and 39SF flash memories: which cells one sector
// erase clears and one sector protection keeps.
//  - Uniform: equal sectors (eight of 16 KiB on the Am29F010B, eight of 64 KiB on
//    the 29F040B parts, 4 KiB on the SST39SF parts).
//  - Boot block: 64 KiB sectors, except that the 64 KiB at the boot end is split
//    into a 16 KiB boot sector, two 8 KiB parameter sectors and a 32 KiB sector,
//    the boot sector outermost (Am29F002BT: ... 64K, 32K, 8K, 8K, 16K at the top;
//    Am29F002BB: 16K, 8K, 8K, 32K, 64K ... from address 0).
#include <cstdint>

namespace quarvin::sim {

enum class F29SectorLayout { Uniform, TopBoot, BottomBoot };

struct F29Sectors {
    F29SectorLayout layout;
    std::uint32_t uniformBytes; // sector size of a uniform layout; unused for boot blocks
};

struct SectorSpan {
    std::uint32_t first, last; // inclusive
    bool overlaps(std::uint32_t lo, std::uint32_t hi) const { return lo <= last && hi >= first; }
};

// The sector holding cell a of a part with partBytes cells.
SectorSpan SectorOf(const F29Sectors& sectors, std::uint32_t partBytes, std::uint32_t a);

} // namespace quarvin::sim
