#pragma once
// The serial adapter loopback test: with the box unplugged and the adapter's TX
// joined to its RX, every byte sent must come back, unchanged and once. It sends
// all 256 byte values (a port that is not raw eats XON/XOFF and line ends), then
// bursts of 1 to 4096 bytes with a quiet pause after each, then the same bursts
// back to back; it counts lost, changed and extra bytes, measures single-byte
// round trips and the throughput. What it says tells a bad adapter from a bad box.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/serial/Transport.h"
#include "link/trace/MicroClock.h"

namespace quarvin {

struct LoopbackCounts {
    std::size_t sent = 0, received = 0;
    std::size_t lost = 0, changed = 0, extra = 0;
    bool clean() const { return lost == 0 && changed == 0 && extra == 0 && received == sent; }
    LoopbackCounts& operator+=(const LoopbackCounts& o);
};

// The fewest lost, changed and extra bytes that turn `sent` into `received`.
LoopbackCounts CompareEcho(const std::vector<std::uint8_t>& sent, const std::vector<std::uint8_t>& received);

struct LoopbackSettings {
    int quietMs = 200;           // no byte for this long: the rest of a burst is not coming
    std::size_t inFlight = 256;  // bytes sent ahead of their echoes, below any receive buffer
    int latencySamples = 32;
    std::size_t largestBurst = 4096;
    // Asked before every write and after every inFlight echoes: true ends the
    // test there (Ctrl+C, Stop, Esc). Empty: never.
    std::function<bool()> stopRequested;
    // Told the phase or burst about to run, so that a window can show it (and
    // see its stop keys meanwhile).
    std::function<void(const std::string& step)> status;
};

struct LoopbackPhase {
    std::string name;
    LoopbackCounts counts;
};

struct LoopbackReport {
    std::vector<LoopbackPhase> phases;
    LoopbackCounts total;
    // Single-byte round trips that came back right, in microseconds.
    std::vector<std::int64_t> roundTripsUs;
    double bytesPerSecond = 0; // of the back-to-back bursts, echoes received over the time taken
    bool writeFailed = false;  // the port refused bytes: the test stopped there
    bool stopped = false;      // the user stopped it: nothing is judged

    bool nothingCameBack() const { return total.received == 0; }
    bool passed() const { return !stopped && !writeFailed && total.clean() && !roundTripsUs.empty(); }
};

LoopbackReport RunLoopback(Transport& port, const MicroClock& clock, const LoopbackSettings& settings = {});

// The result as the command line and the window show it, with the verdict.
std::string DescribeLoopback(const LoopbackReport& report);

} // namespace quarvin
