// Read and Verify of a whole 27C512 through the virtual box with its UART model,
// one read at a time against read-ahead, behind a USB adapter of 0, 1 and 16 ms
// latency. Line time from the box's own clock; host CPU time beside it.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "link/FastLinkSettings.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

constexpr int k27C512 = 14; // the UV EPROM row of the 27C512

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void Print(const std::string& name, double value, const char* unit) {
    std::printf("%s %.6g %s\n", name.c_str(), value, unit);
}

struct Figures {
    double lineSeconds = 0;
    double cpuSeconds = 0;
    std::string message;
};

// One operation on a fresh box; latencyMs < 0: a plain RS-232 line.
Figures Measure(const char* operation, int window, double latencyMs) {
    sim::BoxConfig config;
    if (latencyMs >= 0) {
        config.usb.attached = true;
        config.usb.latencyMs = latencyMs;
    }
    auto box = std::make_shared<sim::Box>(config);
    auto chip = sim::OfferForSubType("TP27x", k27C512)->make();
    auto& cells = chip->memory();
    for (std::size_t a = 0; a < cells.size(); ++a) cells[a] = static_cast<std::uint8_t>(a * 31 + (a >> 8));
    box->insert(chip);
    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    link.readAheadWindow = window;
    auto buffer = std::make_unique<MainBuffer>();
    std::copy(cells.begin(), cells.end(), buffer->data());
    auto session = Families().at("TP27x").makeSession();
    SelectionState selection;
    selection.subType = k27C512;
    const OperationHooks hooks;
    const std::uint32_t last = session->lastAddress(k27C512);
    SessionJob job{link, *buffer, selection, AddressFields{0, 0, last}, hooks, nullptr, {}};
    session->start(link);
    const double line0 = box->clock().nowSeconds();
    const double cpu0 = CpuSeconds();
    const OperationResult r = RunGuarded(link, [&] { return session->run(operation, job); });
    Figures f;
    f.cpuSeconds = CpuSeconds() - cpu0;
    f.lineSeconds = box->clock().nowSeconds() - line0;
    f.message = r.message;
    std::size_t overruns = 0;
    for (const auto& e : box->errors()) overruns += e.kind == sim::BoxError::Kind::Overrun;
    if (overruns) f.message += " (box overruns: " + std::to_string(overruns) + ")";
    return f;
}

} // namespace

int main() {
    struct Line { const char* op; const char* name; int window; double latencyMs; };
    const Line lines[] = {
        {"read", "fastlink_read64k_window1_lat0", 1, -1},
        {"read", "fastlink_read64k_lat0", DefaultReadAheadWindow, -1},
        {"read", "fastlink_read64k_window1_lat1", 1, 1},
        {"read", "fastlink_read64k_lat1", DefaultReadAheadWindow, 1},
        {"read", "fastlink_read64k_window1_lat16", 1, 16},
        {"read", "fastlink_read64k_lat16", DefaultReadAheadWindow, 16},
        {"verify", "fastlink_verify64k_window1_lat0", 1, -1},
        {"verify", "fastlink_verify64k_lat0", DefaultReadAheadWindow, -1},
        {"verify", "fastlink_verify64k_window1_lat1", 1, 1},
        {"verify", "fastlink_verify64k_lat1", DefaultReadAheadWindow, 1},
        {"verify", "fastlink_verify64k_window1_lat16", 1, 16},
        {"verify", "fastlink_verify64k_lat16", DefaultReadAheadWindow, 16},
    };
    double worstShare = 0;
    for (const Line& l : lines) {
        const Figures f = Measure(l.op, l.window, l.latencyMs);
        Print(l.name, f.lineSeconds, "s");
        std::fprintf(stderr, "%s: %s, host CPU %.3f s\n", l.name, f.message.c_str(), f.cpuSeconds);
        if (l.window != 1) worstShare = std::max(worstShare, 100.0 * f.cpuSeconds / f.lineSeconds);
    }
    Print("fastlink_read_ahead_window", DefaultReadAheadWindow, "replies");
    Print("fastlink_host_cpu_share", worstShare, "%");
    return 0;
}
