#include "sim/LineClock.h"

#include <algorithm>

namespace quarvin::sim {

std::int64_t LineClock::hostSends() {
    const std::int64_t start = std::max(host_, rxFree_);
    rxFree_ = start + CharPs;
    ++toBox_;
    return rxFree_;
}

std::int64_t LineClock::boxStarts(std::int64_t arrivedPs) {
    box_ = std::max(box_, arrivedPs);
    return box_;
}

std::int64_t LineClock::boxReplies() {
    const std::int64_t start = std::max(txFree_, box_);
    txFree_ = start + CharPs;
    ++toHost_;
    return txFree_;
}

std::int64_t LineClock::nowPs() const {
    return std::max({host_, rxFree_, box_, txFree_});
}

} // namespace quarvin::sim
