// Link operations through the in-process virtual box and through quarvin-sim on a
// pseudo-terminal: host CPU time per operation (median of many batches) beside
// the line time the same operation takes on the box's clock.
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/commands/LinkOps.h"
#include "link/serial/PosixSerial.h"
#include "sim/Box.h"
#include "sim/SimProcess.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/uv_eprom/EpromChip.h"
#include "sim/ops/SocketBus.h"

using namespace quarvin;

namespace {

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Op {
    const char* name;
    int bytes; // on the line, both ways
    std::function<void(LinkState&)> run;
};

std::vector<Op> operations() {
    return {
        {"read_pin", 2, [](LinkState& l) { ReadPin(l, 5); }},
        {"read_pin20", 5, [](LinkState& l) { ReadPin(l, 20); }},
        {"write_port", 2, [](LinkState& l) { WritePort(l, 1, 0x55); }},
        {"pin_high", 1, [](LinkState& l) { PinHigh(l, 9); }},
        {"read_next_byte", 2, [](LinkState& l) { ReadNextByte(l); }},
        {"connect_vcc", 24, [](LinkState& l) { ConnectVcc(l, 34); }},
    };
}

struct Timing {
    double cpuPerOp;
    double wallPerOp;
};

Timing measure(LinkState& link, const Op& op, int perBatch, int batches) {
    std::vector<double> cpu, wall;
    for (int b = 0; b < batches; ++b) {
        const double c0 = cpuSeconds(), w0 = wallSeconds();
        for (int i = 0; i < perBatch; ++i) op.run(link);
        cpu.push_back((cpuSeconds() - c0) / perBatch);
        wall.push_back((wallSeconds() - w0) / perBatch);
    }
    return {median(cpu), median(wall)};
}

void line(const std::string& name, double value, const char* unit) {
    std::printf("%s %.6g %s\n", name.c_str(), value, unit);
}

constexpr double CharSeconds = 11.0 / 115200.0;

// The address of a 32-pin EPROM spread over the five ports.
std::array<std::uint8_t, 5> epromAddress(std::uint32_t a) {
    std::array<std::uint8_t, 5> p{0x0F, 0x00, 0xFF, 0x01, 0x00};
    p[1] = sim::reverseBits(static_cast<std::uint8_t>(a));
    struct Bit { int bit, port; std::uint8_t mask; };
    static constexpr Bit bits[] = {
        {8, 3, 0x20}, {9, 3, 0x10}, {10, 3, 0x02}, {11, 3, 0x08}, {12, 0, 0x80}, {12, 4, 0x20},
        {13, 3, 0x40}, {14, 3, 0x80}, {15, 0, 0x40}, {15, 4, 0x10}, {16, 0, 0x20}, {17, 4, 0x01},
        {18, 4, 0x02}, {19, 0, 0x10},
    };
    for (const auto& b : bits)
        if (a >> b.bit & 1) p[b.port] |= b.mask;
    return p;
}

// Reads a whole 27C080 through the in-process box the way the EPROM family does.
void benchEpromRead() {
    const sim::EpromType* type = sim::FindEpromType("27C080");
    if (!type) return;
    auto box = std::make_shared<sim::Box>();
    auto chip = std::make_shared<sim::EpromChip>(*type, 12700);
    for (std::size_t i = 0; i < chip->cells().size(); ++i)
        chip->cells()[i] = static_cast<std::uint8_t>(i * 31 + (i >> 8));
    box->insert(chip);
    LinkState link;
    link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    link.connected = 1;
    ResetSocket(link);
    PinLow(link, 26);
    PinLow(link, 28);
    ConnectVcc(link, 36);
    ConnectGround(link, 20);
    SetDataWidth(link, 12);
    box->clock().reset();
    const std::uint64_t before = box->clock().bytesToBox();
    std::size_t wrong = 0;
    const double c0 = cpuSeconds();
    for (std::uint32_t a = 0; a < chip->cells().size(); ++a) {
        if (a % 256 == 0) {
            const auto ports = epromAddress(a);
            for (int n = 0; n < 5; ++n) WritePort(link, n, ports[n]);
        }
        if (ReadNextByte(link) != chip->cells()[a]) ++wrong;
    }
    const double cpu = cpuSeconds() - c0;
    const double commands = static_cast<double>(box->clock().bytesToBox() - before);
    line("eprom_read_1mib_host_cpu", cpu, "s");
    line("eprom_read_1mib_line", box->clock().nowSeconds(), "s");
    line("eprom_read_1mib_wrong_bytes", static_cast<double>(wrong), "bytes");
    line("box_bytes_per_host_second", commands / cpu, "bytes/s");
}

} // namespace

int main() {
    // In-process.
    {
        auto box = std::make_shared<sim::Box>();
        LinkState link;
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.connected = 1;
        ResetSocket(link);
        for (const auto& op : operations()) {
            const Timing t = measure(link, op, 2000, 31);
            box->clock().reset();
            const int n = 100;
            for (int i = 0; i < n; ++i) op.run(link);
            line(std::string("vbox_") + op.name + "_host_cpu", t.cpuPerOp * 1e6, "us");
            line(std::string("vbox_") + op.name + "_line", box->clock().nowSeconds() / n * 1e6, "us");
        }
        box->clock().reset();
        Delay(link, 10000);
        line("delay_10000_line", box->clock().nowSeconds(), "s");
        line("delay_10000_line_chars", box->clock().nowSeconds() / CharSeconds, "chars");
    }
    benchEpromRead();

    // Through the pseudo-terminal.
    sim::SimProcess simProcess(QUARVIN_BINARY_DIR "/sim/quarvin-sim", {});
    OpenedPort port;
    if (!simProcess.path().empty()) port = openSerialDevice(simProcess.path());
    if (port.status != OpenStatus::Opened || !port.transport) {
        line("pty_available", 0, "bool");
        return 0;
    }
    LinkState link;
    link.port = std::move(port.transport);
    link.connected = 1;
    ResetSocket(link);
    double worstPerByte = 0;
    for (const auto& op : operations()) {
        const Timing t = measure(link, op, 200, 15);
        const double perByte = t.cpuPerOp / op.bytes;
        worstPerByte = std::max(worstPerByte, perByte);
        line(std::string("pty_") + op.name + "_host_cpu", t.cpuPerOp * 1e6, "us");
        line(std::string("pty_") + op.name + "_wall", t.wallPerOp * 1e6, "us");
        line(std::string("pty_") + op.name + "_host_cpu_per_byte", perByte * 1e6, "us");
    }
    if (link.connected == 0) {
        line("pty_link_lost", 1, "bool");
        return 1;
    }
    const double goal = 0.05 * CharSeconds;
    line("pty_host_cpu_per_byte_worst", worstPerByte * 1e6, "us");
    line("pty_goal_per_byte", goal * 1e6, "us");
    line("pty_goal_met", worstPerByte <= goal ? 1 : 0, "bool");
    link.port->close();
    return 0;
}
