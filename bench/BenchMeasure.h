#pragma once
// Measuring one operation through the in-process virtual box: the line time the
// box's clock gives it, the host CPU time it took here, and what its command
// stream alone costs on the line. Prints "name value unit" lines.
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

#include <vector>

#include "buffer/DocumentHost.h"
#include "families/framework/Operation.h"
#include "link/commands/LinkOps.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::bench {

inline double ClockSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline double CpuSeconds() { return ClockSeconds(CLOCK_PROCESS_CPUTIME_ID); }

inline void Print(const std::string& name, double value, const char* unit) {
    std::printf("%s %.6g %s\n", name.c_str(), value, unit);
}

struct Measured {
    double lineSeconds;
    double cpuSeconds;
    // One character time for every byte sent to the box, delay ticks included;
    // replies travel the other way at the same time.
    double streamSeconds;
    // One character time for every reply; a reply the host waits for adds it to the line time.
    double replySeconds;
};

inline Measured Measure(const sim::Box& box, const std::function<void()>& run) {
    const double line0 = box.clock().nowSeconds();
    const std::uint64_t out0 = box.clock().bytesToBox(), in0 = box.clock().bytesToHost();
    const double cpu0 = CpuSeconds();
    run();
    const double cpu = CpuSeconds() - cpu0;
    const double line = box.clock().nowSeconds() - line0;
    const double charSeconds = static_cast<double>(sim::LineClock::CharPs) * 1e-12;
    return {line, cpu, static_cast<double>(box.clock().bytesToBox() - out0) * charSeconds,
            static_cast<double>(box.clock().bytesToHost() - in0) * charSeconds};
}

inline void PrintMeasured(const std::string& base, const Measured& m) {
    Print(base + "_line_time", m.lineSeconds, "s");
    Print(base + "_host_cpu", m.cpuSeconds, "s");
    Print(base + "_cpu_share", 100.0 * m.cpuSeconds / m.lineSeconds, "%");
    Print(base + "_stream_cost", m.streamSeconds, "s");
    Print(base + "_reply_cost", m.replySeconds, "s");
    Print(base + "_line_over_stream", m.lineSeconds / m.streamSeconds, "ratio");
}

// The documents of a family dialog run without windows: a buffer and the end
// address a hex window would own.
struct HexWindowDocs : DocumentHost {
    MainBuffer buf;
    std::int32_t end = -1;
    MainBuffer& buffer() override { return buf; }
    void New() override {}
    bool hasHexWindow() const override { return true; }
    void setEndAddress(std::int32_t e) override { end = e; }
    std::int32_t endAddress() const override { return end; }
    void refreshHexWindow() override {}
};

// One operation to measure and the name its lines carry.
struct MeasuredOp {
    const char* name;
    std::function<OperationResult()> run;
};

// Measures each operation in turn, prints its lines, and its message on stderr.
inline void MeasureAll(const sim::Box& box, const std::string& label, const std::vector<MeasuredOp>& ops) {
    for (const MeasuredOp& op : ops) {
        OperationResult result;
        const Measured m = Measure(box, [&] { result = op.run(); });
        PrintMeasured(label + "_" + op.name, m);
        std::fprintf(stderr, "%s_%s: %s\n", label.c_str(), op.name, result.message.c_str());
    }
}

// A box with a blank part of a family's row, a link to it with the socket reset
// as the family's start operation does, and a buffer for the data.
struct ChipBench {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    LinkState link;
    std::unique_ptr<MainBuffer> buffer = std::make_unique<MainBuffer>();
    OperationHooks hooks;
    std::shared_ptr<sim::Chip> chip;

    ChipBench(const char* dialogClass, int subType) {
        chip = sim::OfferForSubType(dialogClass, subType)->make();
        box->insert(chip);
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.connected = 1;
        ResetSocket(link);
    }
};

} // namespace quarvin::bench
