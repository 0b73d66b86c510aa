#include "sim/LineClock.h"

#include <algorithm>

namespace quarvin::sim {

std::int64_t LineClock::hostSends() {
    const std::int64_t start = std::max(host_, rxFree_);
    rxFree_ = start + CharPs;
    ++toBox_;
    return rxFree_;
}

bool LineClock::receiveBufferHasRoom(std::int64_t arrivedPs, std::size_t capacity) {
    while (!takenAt_.empty() && takenAt_.front() <= arrivedPs) takenAt_.pop_front();
    return takenAt_.size() < capacity;
}

std::int64_t LineClock::boxStarts(std::int64_t arrivedPs) {
    box_ = std::max(box_, arrivedPs);
    takenAt_.push_back(box_);
    return box_;
}

std::int64_t LineClock::boxReplies() {
    // The transmitter holds one byte beside the one it is shifting out: the box
    // waits until the byte before has started.
    box_ = std::max(box_, txFree_ - CharPs);
    const std::int64_t start = std::max(txFree_, box_);
    txFree_ = start + CharPs;
    ++toHost_;
    return txFree_;
}

std::int64_t LineClock::nowPs() const {
    return std::max({host_, rxFree_, box_, txFree_});
}

} // namespace quarvin::sim
