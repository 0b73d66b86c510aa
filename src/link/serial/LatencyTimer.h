#pragma once
// The latency timer of a USB serial adapter (sysfs: <tty dir>/<name>/device/
// latency_timer): how long the adapter holds replies back before it sends a
// packet that is not full. Lowered to 1 ms while the port is open.
#include <string>

namespace quarvin {

// The udev rule that makes every adapter's timer 1 ms when it is plugged in,
// and the commands that install it (as root).
inline constexpr const char* LatencyUdevRuleCommand =
    "echo 'ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", ATTR{latency_timer}=\"1\"' "
    "> /etc/udev/rules.d/99-quarvin-latency.rules && udevadm control --reload-rules && udevadm trigger";

class LatencyTimer {
public:
    enum class State { Absent, AlreadyLow, Lowered, NotWritable };

    // sysTtyDir is "/sys/class/tty" on a running system; ttyName e.g. "ttyUSB0".
    static LatencyTimer lower(const std::string& sysTtyDir, const std::string& ttyName);
    // Puts the value back that lower() found, when it changed it.
    void restore();

    State state() const { return state_; }
    int foundMs() const { return foundMs_; }
    // For the link diagnostics: the timer in force and how to make it 1 ms for
    // good; empty where there is no timer.
    std::string advice() const;

private:
    State state_ = State::Absent;
    int foundMs_ = 0;
    std::string path_;
};

} // namespace quarvin
