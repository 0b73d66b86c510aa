#pragma once
// The core tests run a second time under AddressSanitizer and
// UndefinedBehaviorSanitizer, about four times slower. That run looks for memory
// and undefined-behaviour faults, which any few cases of a sweep reach as well as
// all of them; the sweeps that repeat one check over hundreds of cases therefore
// run every case in the optimised build and every third case under the
// sanitizers. The build defines QUARVIN_SANITIZED for the sanitizer run.
#include <cstddef>

namespace quarvin::test {

#ifdef QUARVIN_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

inline constexpr std::size_t kSanitizedStride = 3;

// Counts the cases of one sweep and says which of them run in this build: all,
// or under the sanitizers the first and every third after it.
class SweepSample {
public:
    bool take() { return !kSanitized || count_++ % kSanitizedStride == 0; }

private:
    std::size_t count_ = 0;
};

// A case count for this build: all of them, or a third (at least one).
constexpr unsigned SampledCount(unsigned cases) {
    return kSanitized ? (cases + kSanitizedStride - 1) / kSanitizedStride : cases;
}

} // namespace quarvin::test
