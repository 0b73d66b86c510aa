#pragma once
// The in-process virtual box as a transport that adds up the CPU time spent
// inside its writes: there the box executes the bytes, simulating the socket,
// its chip models and the electrical referee, work a real box does on its own
// processor. Taking that time from the process's CPU time leaves the program's
// own share. Reads, pauses and purges only pop a queue or move the model clock:
// left untimed, they count as the program's, as do the clock readings' halves
// outside the writes.
#include <cstdint>
#include <memory>

#include "BenchMeasure.h"
#include "link/serial/PacedLine.h"
#include "link/serial/Transport.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::bench {

inline double ThreadCpuSeconds() { return ClockSeconds(CLOCK_THREAD_CPUTIME_ID); }

// CPU seconds spent inside the box's writes so far; shared, as a lost link
// drops the transport.
struct BoxCpu {
    double seconds = 0;
};

class BoxCpuTransport final : public Transport, public PacedLine {
public:
    BoxCpuTransport(std::shared_ptr<sim::Box> box, std::shared_ptr<BoxCpu> cpu)
        : inner_(std::move(box)), cpu_(std::move(cpu)) {}

    LineKind lineKind() const override { return inner_.lineKind(); }
    bool write(const std::uint8_t* data, std::size_t n) override {
        const double start = ThreadCpuSeconds();
        const bool written = inner_.write(data, n);
        cpu_->seconds += ThreadCpuSeconds() - start;
        return written;
    }
    int readByte(int timeoutMs) override { return inner_.readByte(timeoutMs); }
    bool quiet(double microseconds) override { return inner_.quiet(microseconds); }
    bool canPace() const override { return inner_.canPace(); }
    void purge() override { inner_.purge(); }
    void close() override { inner_.close(); }

private:
    sim::VirtualBoxTransport inner_;
    std::shared_ptr<BoxCpu> cpu_;
};

// CPU shares of one operation in percent of its line time: the program's own
// (the process's less the time inside the box's writes) and the program's with
// the box's. Both hold the clock readings around the writes, which only the
// measuring adds (the program's the half of each pair outside the write), so
// both are upper bounds.
struct CpuShares {
    double program = 0, withBox = 0;
};

inline CpuShares SharesOf(double processSeconds, double boxSeconds, double lineSeconds) {
    if (lineSeconds <= 0) return {};
    return {100.0 * (processSeconds - boxSeconds) / lineSeconds, 100.0 * processSeconds / lineSeconds};
}

} // namespace quarvin::bench
