// Read and Verify of a whole 27C512 and Read of a whole 29F040 through the
// virtual box with its UART model, one read at a time against read-ahead, on a
// plain line and behind a USB adapter of 0, 1 and 16 ms latency. Line time from
// the box's own clock; host CPU time and its share of the line time beside it.
// Last, the window the link diagnostics' read-ahead probe picks on the virtual box.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "BenchMeasure.h"
#include "families/flash29f/F29Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "link/FastLinkSettings.h"
#include "link/LinkStartup.h"
#include "link/ReadAheadProbe.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

struct Part {
    const char* dialogClass;
    int subType;
};
constexpr Part k27C512{UvEpromDialog::kFormClass, 14};
constexpr Part k29F040{F29Dialog::kFormClass, 5};

// A plain RS-232 line: no USB adapter.
constexpr double kNoAdapter = -1;

struct Figures {
    bench::Measured measured;
    std::string message;
};

// One operation on a fresh box holding a chip full of a known pattern, with the
// buffer holding the same bytes (so that Verify passes).
Figures Measure(const Part& part, const char* operation, int window, double latencyMs) {
    sim::BoxConfig config;
    if (latencyMs != kNoAdapter) {
        config.usb.attached = true;
        config.usb.latencyMs = latencyMs;
    }
    auto box = std::make_shared<sim::Box>(config);
    auto chip = sim::OfferForSubType(part.dialogClass, part.subType)->make();
    auto& cells = chip->memory();
    for (std::size_t a = 0; a < cells.size(); ++a) cells[a] = static_cast<std::uint8_t>(a * 31 + (a >> 8));
    box->insert(chip);
    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    link.readAheadWindow = window;
    auto buffer = std::make_unique<MainBuffer>();
    std::copy(cells.begin(), cells.end(), buffer->data());
    auto session = Families().at(part.dialogClass).makeSession();
    SelectionState selection;
    selection.subType = part.subType;
    const OperationHooks hooks;
    const std::uint32_t last = session->lastAddress(part.subType);
    SessionJob job{link, *buffer, selection, AddressFields{0, 0, last}, hooks, nullptr, {}};
    session->start(link);
    Figures f;
    OperationResult result;
    f.measured = bench::Measure(*box, [&] { result = RunGuarded(link, [&] { return session->run(operation, job); }); });
    f.message = result.message;
    std::size_t overruns = 0;
    for (const auto& e : box->errors()) overruns += e.kind == sim::BoxError::Kind::Overrun;
    if (overruns) f.message += " (box overruns: " + std::to_string(overruns) + ")";
    return f;
}

// The read-ahead probe of the link diagnostics on the virtual box as shipped:
// the window it picks and how long it takes on the line.
void MeasureProbe() {
    auto box = std::make_shared<sim::Box>();
    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    SendIdleState(link);
    ReadAheadProbeResult result;
    const bench::Measured m = bench::Measure(*box, [&] { result = ProbeReadAhead(link); });
    bench::Print("fastlink_probe_window", result.window, "replies");
    bench::Print("fastlink_probe_line_time", m.lineSeconds, "s");
}

} // namespace

int main() {
    struct Line { Part part; const char* op; const char* name; int window; double latencyMs; };
    const int ahead = DefaultReadAheadWindow;
    const Line lines[] = {
        {k27C512, "read", "fastlink_read64k_window1_lat0", 1, kNoAdapter},
        {k27C512, "read", "fastlink_read64k_lat0", ahead, kNoAdapter},
        {k27C512, "read", "fastlink_read64k_window1_lat1", 1, 1},
        {k27C512, "read", "fastlink_read64k_lat1", ahead, 1},
        {k27C512, "read", "fastlink_read64k_window1_lat16", 1, 16},
        {k27C512, "read", "fastlink_read64k_lat16", ahead, 16},
        {k27C512, "verify", "fastlink_verify64k_window1_lat0", 1, kNoAdapter},
        {k27C512, "verify", "fastlink_verify64k_lat0", ahead, kNoAdapter},
        {k27C512, "verify", "fastlink_verify64k_window1_lat1", 1, 1},
        {k27C512, "verify", "fastlink_verify64k_lat1", ahead, 1},
        {k27C512, "verify", "fastlink_verify64k_window1_lat16", 1, 16},
        {k27C512, "verify", "fastlink_verify64k_lat16", ahead, 16},
        {k29F040, "read", "fastlink_read29f040_window1_lat0", 1, kNoAdapter},
        {k29F040, "read", "fastlink_read29f040_lat0", ahead, kNoAdapter},
        {k29F040, "read", "fastlink_read29f040_window1_lat1", 1, 1},
        {k29F040, "read", "fastlink_read29f040_lat1", ahead, 1},
        {k29F040, "read", "fastlink_read29f040_window1_lat16", 1, 16},
        {k29F040, "read", "fastlink_read29f040_lat16", ahead, 16},
    };
    double worstShare = 0;
    for (const Line& l : lines) {
        const Figures f = Measure(l.part, l.op, l.window, l.latencyMs);
        const double share = 100.0 * f.measured.cpuSeconds / f.measured.lineSeconds;
        bench::Print(l.name, f.measured.lineSeconds, "s");
        bench::Print(std::string(l.name) + "_cpu_share", share, "%");
        std::fprintf(stderr, "%s: %s, host CPU %.3f s\n", l.name, f.message.c_str(), f.measured.cpuSeconds);
        if (l.window != 1) worstShare = std::max(worstShare, share);
    }
    bench::Print("fastlink_read_ahead_window", DefaultReadAheadWindow, "replies");
    MeasureProbe();
    bench::Print("fastlink_host_cpu_share", worstShare, "%");
    return 0;
}
