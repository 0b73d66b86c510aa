#pragma once
// A monotonic clock in microseconds. The link trace and the adapter loopback
// take one as a function, so that tests can hand them a clock they step by hand.
#include <chrono>
#include <cstdint>
#include <functional>

namespace quarvin {

using MicroClock = std::function<std::int64_t()>;

// The machine's monotonic clock.
inline MicroClock SteadyMicroClock() {
    return [] {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

} // namespace quarvin
