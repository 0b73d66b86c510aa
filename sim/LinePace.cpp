#include "sim/LinePace.h"

#include <algorithm>

namespace quarvin::sim {

LinePace::Clock::time_point LinePace::wallAt(std::int64_t ps) const {
    return start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(ps / 1000));
}

std::int64_t LinePace::psAt(Clock::time_point t) const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t - start_).count() * 1000;
}

void LinePace::push(std::uint8_t byte, std::int64_t duePs) {
    if (!queue_.empty()) duePs = std::max(duePs, queue_.back().ps);
    queue_.push_back({byte, duePs});
}

void LinePace::takeDue(Clock::time_point now, std::vector<std::uint8_t>& out) {
    if (queue_.empty() || wallAt(queue_.front().ps) > now) return;
    while (!queue_.empty() && wallAt(queue_.front().ps) <= now) {
        out.push_back(queue_.front().byte);
        queue_.pop_front();
    }
    if (queue_.empty()) sliceAt_.reset();
    else sliceAt_ = now;
}

std::optional<LinePace::Clock::time_point> LinePace::nextWrite() const {
    if (queue_.empty()) return std::nullopt;
    const Clock::time_point due = wallAt(queue_.front().ps);
    if (!sliceAt_) return due;
    return std::min(std::max(due, *sliceAt_ + BurstSlice), wallAt(queue_.back().ps));
}

} // namespace quarvin::sim
