#pragma once
// A rough processor speed figure: how often the wall clock can be read within
// most of one second, scaled by a factor that depends on the operating system.
#include "link/commands/LinkState.h"
#include "platform/Platform.h"

namespace quarvin {

// Clock reads allowed per phase: far more than any machine manages in a second,
// and a bound when the clock does not move.
inline constexpr std::int64_t MaxClockReads = 200'000'000;

// Fills the loop count, its copy and the MHz figure of the link state.
void EstimateSpeed(LinkState& link, SystemInfo& system, std::int64_t maxReads = MaxClockReads);

// The MHz figure for a loop count on an operating system version; 0 for systems
// without a known scale (this includes every Linux version).
std::int32_t MhzFromLoopCount(std::int32_t count, const OsVersion& os);

} // namespace quarvin
