#include "link/serial/LatencyTimer.h"

#include <fstream>

namespace quarvin {

namespace {

constexpr int LowestMs = 1;

bool writeValue(const std::string& path, int ms) {
    std::ofstream out(path);
    out << ms << '\n';
    out.close();
    return static_cast<bool>(out);
}

} // namespace

LatencyTimer LatencyTimer::lower(const std::string& sysTtyDir, const std::string& ttyName) {
    LatencyTimer timer;
    if (ttyName.empty()) return timer;
    timer.path_ = sysTtyDir + "/" + ttyName + "/device/latency_timer";
    std::ifstream in(timer.path_);
    if (!(in >> timer.foundMs_)) return timer; // not a USB adapter with a timer
    if (timer.foundMs_ <= LowestMs) {
        timer.state_ = State::AlreadyLow;
        return timer;
    }
    in.close();
    timer.state_ = writeValue(timer.path_, LowestMs) ? State::Lowered : State::NotWritable;
    return timer;
}

void LatencyTimer::restore() {
    if (state_ != State::Lowered) return;
    writeValue(path_, foundMs_);
    state_ = State::AlreadyLow; // nothing more to restore
}

std::string LatencyTimer::advice() const {
    const std::string forGood =
        std::string("For good: the package's udev rule (/usr/lib/udev/rules.d/60-quarvin.rules) sets 1 ms when the "
                    "adapter is plugged in; without the package, as root: ") +
        LatencyUdevRuleCommand;
    switch (state_) {
    case State::Absent: return {};
    case State::AlreadyLow: return "USB adapter latency timer: " + std::to_string(foundMs_) + " ms.";
    case State::Lowered:
        return "USB adapter latency timer: 1 ms while the port is open (" + std::to_string(foundMs_) +
               " ms before, put back on close). " + forGood;
    case State::NotWritable: break;
    }
    return "USB adapter latency timer: " + std::to_string(foundMs_) +
           " ms (slow: this user may not lower it, every reply waited for can cost that long). " + forGood +
           " Once, until the adapter is plugged in again: echo 1 | sudo tee " + path_;
}

} // namespace quarvin
