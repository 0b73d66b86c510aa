#pragma once
// The latency timer of a USB serial adapter (sysfs: <tty dir>/<name>/device/
// latency_timer): how long the adapter holds replies back before it sends a
// packet that is not full. Lowered to 1 ms while the port is open.
#include <string>

namespace quarvin {

class LatencyTimer {
public:
    enum class State { Absent, AlreadyLow, Lowered, NotWritable };

    // sysTtyDir is "/sys/class/tty" on a running system; ttyName e.g. "ttyUSB0".
    static LatencyTimer lower(const std::string& sysTtyDir, const std::string& ttyName);
    // Puts the value back that lower() found, when it changed it.
    void restore();

    State state() const { return state_; }
    int foundMs() const { return foundMs_; }
    // For the link diagnostics when the timer could not be lowered (else empty).
    std::string advice() const;

private:
    State state_ = State::Absent;
    int foundMs_ = 0;
    std::string path_;
};

} // namespace quarvin
