// The USB adapter's latency timer: lowered to 1 ms while the port is open and put
// back on close; left alone where there is none or it is already low.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "link/serial/LatencyTimer.h"

namespace quarvin::test {
namespace {

TEST(LatencyTimer, LowersAndRestoresOnlyATimerAboveOneMs) {
    const auto root = std::filesystem::temp_directory_path() / ("quarvin_tty_" + std::to_string(::getpid()));
    // The advice names the timer in force; where it was higher, how to keep it at 1 ms.
    struct Row { const char* found; LatencyTimer::State state; const char* whileOpen; const char* advice; bool rule; };
    const Row rows[] = {
        {"16\n", LatencyTimer::State::Lowered, "1\n", "latency timer: 1 ms while the port is open (16 ms before", true},
        {"1\n", LatencyTimer::State::AlreadyLow, "1\n", "latency timer: 1 ms.", false},
        {nullptr, LatencyTimer::State::Absent, nullptr, "", false}, // a built-in port: no timer
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.found ? r.found : "none");
        std::filesystem::remove_all(root);
        const auto file = root / "ttyUSB3/device/latency_timer";
        std::filesystem::create_directories(file.parent_path());
        if (r.found) std::ofstream(file) << r.found;
        LatencyTimer timer = LatencyTimer::lower(root.string(), "ttyUSB3");
        EXPECT_EQ(timer.state(), r.state);
        const std::string advice = timer.advice();
        EXPECT_EQ(advice.empty(), !*r.advice);
        EXPECT_NE(advice.find(r.advice), std::string::npos) << advice;
        EXPECT_EQ(advice.find("ATTR{latency_timer}=\"1\"") != std::string::npos, r.rule) << advice;
        auto content = [&] {
            std::ifstream in(file);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        if (r.whileOpen) {
            EXPECT_EQ(content(), r.whileOpen);
        }
        timer.restore();
        if (r.found) {
            EXPECT_EQ(content(), r.found) << "the value found is back after close";
        }
    }
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace quarvin::test
