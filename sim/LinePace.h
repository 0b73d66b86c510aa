#pragma once
// Holds bytes for the host until the time the line clock gives them, in wall
// time, so that quarvin-sim answers at the pace of a real line and sleeps
// meanwhile. Line-clock time 0 is the wall time the pace starts at.
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace quarvin::sim {

class LinePace {
public:
    using Clock = std::chrono::steady_clock;
    // A run of queued bytes is written in slices at least this far apart, so that
    // a long run of replies costs a wake-up per slice rather than one per byte.
    // The last byte of the run still goes at its time: a host waiting for it does
    // not wait longer.
    static constexpr Clock::duration BurstSlice = std::chrono::milliseconds(1);

    explicit LinePace(Clock::time_point start) : start_(start) {}

    // The line-clock time at which the host is ready to send the bytes read at
    // `readAt`. A byte is never early: it leaves the host no sooner than it was
    // read here, so a late wake-up makes the line slower, never faster.
    std::int64_t hostReadyPs(Clock::time_point readAt) const { return psAt(readAt); }
    // A byte that reaches the host at line-clock time `duePs` (not before the
    // bytes queued already).
    void push(std::uint8_t byte, std::int64_t duePs);
    // Appends to `out` the bytes due by `now`.
    void takeDue(Clock::time_point now, std::vector<std::uint8_t>& out);
    // When the next bytes are to be written; none while nothing is queued.
    std::optional<Clock::time_point> nextWrite() const;

    Clock::time_point wallAt(std::int64_t ps) const;
    std::int64_t psAt(Clock::time_point t) const;

private:
    struct Due {
        std::uint8_t byte;
        std::int64_t ps;
    };
    Clock::time_point start_;
    std::deque<Due> queue_;
    std::optional<Clock::time_point> sliceAt_; // last write of a run still queued
};

} // namespace quarvin::sim
