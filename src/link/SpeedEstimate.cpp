#include "link/SpeedEstimate.h"

namespace quarvin {

namespace {

int millisecondPart(std::int64_t ms) { return static_cast<int>(((ms % 1000) + 1000) % 1000); }

struct Scale {
    int major;
    int minor;
    int divisor;
};

// Divisors by system version, for the one system family they were measured on.
constexpr const char* ScaledSystem = "Windows";
constexpr Scale Scales[] = {
    {4, 10, 50}, {4, 90, 50}, {3, 0, 250}, {4, 0, 250}, {5, 0, 250}, {5, 1, 300},
};

} // namespace

std::int32_t MhzFromLoopCount(std::int32_t count, const OsVersion& os) {
    if (os.systemName != ScaledSystem) return 0;
    for (const Scale& s : Scales)
        if (s.major == os.major && s.minor == os.minor) return count / s.divisor;
    return 0;
}

void EstimateSpeed(LinkState& link, SystemInfo& system, std::int64_t maxReads) {
    // Start at the beginning of a second, then count reads until 900 ms into it.
    for (std::int64_t i = 0; i < maxReads && millisecondPart(system.wallClockMs()) >= 50; ++i) {
    }
    std::int64_t count = 1;
    while (count < maxReads && millisecondPart(system.wallClockMs()) < 900) ++count;
    link.loopCount = static_cast<std::int32_t>(count);
    link.loopCountCopy = link.loopCount;
    link.mhz = MhzFromLoopCount(link.loopCount, system.osVersion());
}

} // namespace quarvin
