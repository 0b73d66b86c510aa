#pragma once
// A self-timed write cycle of a chip model: busy from its start for as long as the
// part's data sheet says (stretched by a `slow:` fault where the part takes it),
// or for ever under the `busy` fault.
#include <cstdint>

#include "sim/Chip.h"

namespace quarvin::sim {

class SelfTimedCycle {
public:
    bool busy(std::int64_t nowPs) const { return forever_ || nowPs < untilPs_; }
    void start(std::int64_t nowPs, std::int64_t lastingPs, const ChipFaults& faults, double timeFactor = 1.0) {
        untilPs_ = nowPs + static_cast<std::int64_t>(static_cast<double>(lastingPs) * timeFactor);
        if (faults.busyForever) forever_ = true;
    }

private:
    std::int64_t untilPs_ = 0;
    bool forever_ = false;
};

} // namespace quarvin::sim
