// Every operation of one representative part per family (and per bus where
// families differ by it) through the virtual box's UART model: on a plain line
// waiting for every reply, and behind a USB adapter with a latency timer of 0, 1
// and 16 ms with the read-ahead window the link diagnostics give the virtual box.
// Each operation runs on a fresh box whose part went through the operations
// before it (erase, blank, program, verify, read, ...), as a user runs them.
// Prints the line time on the box's clock, its ratio to the plain line and the
// host CPU share (the program's own and with the virtual box's); then the
// whole-device figures and the worst ratios and shares.
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchMeasure.h"
#include "BoxCpuTransport.h"
#include "BenchPlatform.h"
#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "link/FastLinkSettings.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace {

using namespace quarvin;

// One part of a family and the range its operations run over (0: the whole device).
struct Row {
    const char* label;
    const char* dialogClass;
    const char* rowName;   // the sub-type's name or part
    std::uint32_t length;  // bytes (words) from address 0
    const char* part = nullptr; // the part in the socket when the row names none (logic IC class)
    int subType = -1;           // where rows share their part's name (93Cxx x8 and x16)
    const char* listItem = nullptr; // the type chosen in the logic IC tester's list (its first when none)
    const char* onlyOperation = nullptr; // the row's one operation, where the others are another row's
};

// A line to the box: a plain RS-232 line or a USB adapter with this latency timer.
struct Line {
    const char* label;
    bool adapter;
    double latencyMs;
};
constexpr Line kPlain{"plain", false, 0};
constexpr Line kUsb0{"usb0", true, 0};
constexpr Line kUsb1{"usb1", true, 1};
constexpr Line kUsb16{"usb16", true, 16};

int SubTypeOf(const FamilyEntry& family, const std::string& name) {
    const auto rows = family.subTypes();
    for (int i = family.firstSubType; i < static_cast<int>(rows.size()); ++i)
        if (rows[static_cast<std::size_t>(i)].name == name || rows[static_cast<std::size_t>(i)].chip == name) return i;
    return -1;
}

// The order a user runs them in, so that each finds the part as it expects it.
int RunOrder(const std::string& op) {
    static const std::map<std::string, int> order = {{"erase", 0}, {"unprotect", 1}, {"blank", 2},
                                                     {"program", 3}, {"verify", 4}, {"read", 5}, {"sum", 6}};
    const auto it = order.find(op);
    return it == order.end() ? 10 : it->second;
}

// Operations that end the part's use for the others (a set lock) or that wait
// on the user: left out.
bool Skipped(const std::string& op) { return op == "auto" || op == "lock" || op == "protect"; }

// What one operation measured: its line time, the host's CPU shares (the
// program's own, and with the in-process virtual box's, which a real box does
// itself) and its message.
struct OpFigures {
    double lineSeconds = 0;
    bench::CpuShares cpu;
    std::string message;
};

// Runs a row's operations in order on one box and measures each.
std::map<std::string, OpFigures> RunRow(const Row& row, const Line& line, const std::vector<std::string>& ops,
                                        int window) {
    std::map<std::string, OpFigures> figures;
    const FamilyEntry& family = Families().at(row.dialogClass);
    const int subType = row.subType >= 0 ? row.subType : SubTypeOf(family, row.rowName);
    if (subType < 0) {
        std::fprintf(stderr, "%s: no row %s among:", row.label, row.rowName);
        for (const SubTypeSummary& r : family.subTypes()) std::fprintf(stderr, " [%s|%s]", r.name.c_str(), r.chip.c_str());
        std::fprintf(stderr, "\n");
        return figures;
    }
    sim::BoxConfig config;
    config.usb.attached = line.adapter;
    config.usb.latencyMs = line.latencyMs;
    auto box = std::make_shared<sim::Box>(config);
    const sim::ChipOffer* offer = row.part ? sim::FindOffer(row.part) : sim::OfferForSubType(row.dialogClass, subType);
    if (!offer) {
        std::fprintf(stderr, "%s: no part\n", row.label);
        return figures;
    }
    box->insert(offer->make());
    bench::BenchPlatform platform;
    LinkState link;
    link.prompts = &platform.prompts;
    const auto boxCpu = std::make_shared<bench::BoxCpu>();
    link.port = std::make_unique<bench::BoxCpuTransport>(box, boxCpu);
    link.connected = 1;
    link.readAheadWindow = window;
    auto session = family.makeSession();
    // A logic device's buffer is its fuse map, "0" or "1" for each fuse: other
    // bytes do not program, and Verify would stop at the first fuse.
    const bool fuseMap = session->fuseGeometry(subType).has_value();
    auto buffer = std::make_unique<MainBuffer>();
    std::mt19937 gen(24);
    std::generate(buffer->data(), buffer->data() + 0x80000, [&] {
        return static_cast<std::uint8_t>(fuseMap ? '0' + (gen() & 1) : gen());
    });
    session->setProgramDir(std::string(QUARVIN_BINARY_DIR) + "/data/");
    SelectionState selection;
    selection.subType = subType;
    if (row.listItem) {
        const std::string refused = session->setControl(selection, "ListBox1", row.listItem);
        if (!refused.empty()) std::fprintf(stderr, "%s: %s\n", row.label, refused.c_str());
    }
    const OperationHooks hooks;
    const std::uint32_t last = session->lastAddress(subType);
    const std::uint32_t length = row.length ? std::min(row.length, last + 1) : last + 1;
    SessionJob job{link, *buffer, selection, AddressFields{0, 0, length}, hooks, &platform.prompts, {}};
    session->start(link);
    for (const std::string& op : ops) {
        if (!link.connected) break;
        OperationResult result;
        const double boxBefore = boxCpu->seconds;
        const bench::Measured m =
            bench::Measure(*box, [&] { result = RunGuarded(link, [&] { return session->run(op, job); }); });
        OpFigures& f = figures[op];
        f.lineSeconds = m.lineSeconds;
        f.cpu = bench::SharesOf(m.cpuSeconds, boxCpu->seconds - boxBefore, m.lineSeconds);
        f.message = result.message;
        std::size_t overruns = 0;
        for (const auto& e : box->errors()) overruns += e.kind == sim::BoxError::Kind::Overrun;
        if (overruns) f.message += " (box overruns: " + std::to_string(overruns) + ")";
    }
    return figures;
}

std::vector<std::string> OperationsOf(const Row& row) {
    std::vector<std::string> ops;
    for (const auto& info : Families().at(row.dialogClass).makeSession()->operations())
        if (!Skipped(info.name) && (!row.onlyOperation || info.name == row.onlyOperation)) ops.push_back(info.name);
    std::stable_sort(ops.begin(), ops.end(), [](const auto& a, const auto& b) { return RunOrder(a) < RunOrder(b); });
    return ops;
}

struct Worst {
    double usb16 = 0, usb1 = 0;
    // The largest CPU shares and the lines they were measured on.
    double cpu = 0, cpuWithBox = 0;
    std::string cpuAt, cpuWithBoxAt;
};

// The table: one line per operation and line, ratios to the plain line.
void Table(const std::vector<Row>& rows, Worst& worst) {
    const Line adapters[] = {kUsb0, kUsb1, kUsb16};
    for (const Row& row : rows) {
        const auto ops = OperationsOf(row);
        const auto plain = RunRow(row, kPlain, ops, 1);
        for (const std::string& op : ops) {
            const auto p = plain.find(op);
            // An operation that sends nothing (no detection for the row) has no line time.
            if (p == plain.end() || p->second.lineSeconds <= 0) continue;
            const std::string base = std::string("wire_") + row.label + "_" + op;
            bench::Print(base + "_plain", p->second.lineSeconds, "s");
            std::fprintf(stderr, "%s plain: %s (cpu %.2f%%, with the virtual box %.2f%%)\n", base.c_str(),
                         p->second.message.c_str(), p->second.cpu.program, p->second.cpu.withBox);
        }
        for (const Line& line : adapters) {
            const auto got = RunRow(row, line, ops, DefaultReadAheadWindow);
            for (const std::string& op : ops) {
                const auto p = plain.find(op), g = got.find(op);
                if (p == plain.end() || g == got.end() || p->second.lineSeconds <= 0) continue;
                const std::string base = std::string("wire_") + row.label + "_" + op + "_" + line.label;
                const double ratio = g->second.lineSeconds / std::max(p->second.lineSeconds, 1e-9);
                bench::Print(base, g->second.lineSeconds, "s");
                bench::Print(base + "_ratio", ratio, "ratio");
                const bench::CpuShares& cpu = g->second.cpu;
                std::fprintf(stderr, "%s: %s (cpu %.2f%%, with the virtual box %.2f%%)\n", base.c_str(),
                             g->second.message.c_str(), cpu.program, cpu.withBox);
                if (g->second.message != p->second.message)
                    std::fprintf(stderr, "%s: MESSAGE DIFFERS from plain line: %s\n", base.c_str(),
                                 p->second.message.c_str());
                if (line.latencyMs == 16) worst.usb16 = std::max(worst.usb16, ratio);
                if (line.latencyMs == 1) worst.usb1 = std::max(worst.usb1, ratio);
                if (cpu.program > worst.cpu) worst.cpu = cpu.program, worst.cpuAt = base;
                if (cpu.withBox > worst.cpuWithBox) worst.cpuWithBox = cpu.withBox, worst.cpuWithBoxAt = base;
            }
        }
    }
}

// One whole-device operation at 16 ms, after the operations a user runs before it.
void WholeDevice(const char* name, const Row& row, const std::string& op) {
    std::vector<std::string> ops;
    for (const std::string& o : OperationsOf(row))
        if (RunOrder(o) < RunOrder(op)) ops.push_back(o);
    ops.push_back(op);
    const auto got = RunRow(row, kUsb16, ops, DefaultReadAheadWindow);
    const auto it = got.find(op);
    if (it == got.end()) return;
    bench::Print(name, it->second.lineSeconds, "s");
    std::fprintf(stderr, "%s: %s\n", name, it->second.message.c_str());
}

// The largest CPU shares: the program's own (the process's less the time
// inside the virtual box's writes) and the program's with the box's.
void PrintCpu(const Worst& worst) {
    bench::Print("wire_worst_cpu_share", worst.cpu, "%");
    bench::Print("wire_worst_cpu_share_with_vbox", worst.cpuWithBox, "%");
    std::fprintf(stderr, "largest shares at %s and %s\n", worst.cpuAt.c_str(), worst.cpuWithBoxAt.c_str());
}

} // namespace

int main(int argc, char** argv) {
    // A label as the argument runs that row's table only.
    const std::string only = argc > 1 ? argv[1] : "";
    const std::vector<Row> rows = {
        {"27c512", "TP27x", "27C512", 0x400},
        {"w27e512", "TPW27x", "W27E512", 0x400},
        {"28c256", "TP28cx", "AT28C256", 0x400},
        {"29f010", "TP29fxxx", "Am29F010B", 0x400},
        {"29ee010", "TP29e", "SST29EE010", 0x400},
        {"28f010", "TPi28fxxx", "28F010", 0x400},
        {"24c256", "TP24c0x", "24C256", 0},
        {"93c66x8", "TP93cxx", "93C66", 0, nullptr, 3},
        {"93c66x16", "TP93cxx", "93C66", 0, nullptr, 6},
        {"at89c52", "TP89c5x", "AT89C52", 0},
        {"at89c2051", "TP2051x", "AT89C2051", 0},
        {"pic16f84a", "TP16c8x", "PIC16F84A", 0},
        {"at90s2313", "TAT90sx", "AT90S2313", 0},
        {"gal16v8", "TGALx", "GAL16V8", 0},
        {"22v10", "TP22V10x", "GAL22V10", 0},
        {"ds1225", "TDsRAM", "DS1225AB", 0},
        {"ic74", "TICTestx", "74xxx", 0, "74LS138"}, // "Founction" of the first type, which it fails
        {"ic74own", "TICTestx", "74xxx", 0, "74LS138", -1, "74xx138", "test"},
        {"opto4n35", "TTestLedx", "4N35", 0},
        {"optopc847", "TTestLedx", "PC847", 0}, // four channels
    };
    std::vector<Row> chosen;
    for (const Row& r : rows)
        if (only.empty() || only == r.label) chosen.push_back(r);
    Worst worst;
    Table(chosen, worst);
    if (!only.empty()) {
        PrintCpu(worst);
        return 0;
    }
    WholeDevice("usb16_program_27c512", {"27c512", "TP27x", "27C512", 0}, "program");
    WholeDevice("usb16_blank_27c512", {"27c512", "TP27x", "27C512", 0}, "blank");
    WholeDevice("usb16_program_24c256", rows[6], "program");
    WholeDevice("usb16_read_pic16f877", {"pic16f877", "TP16c8x", "PIC16F877", 0}, "read");
    WholeDevice("usb16_program_at89c52", rows[9], "program");
    bench::Print("usb16_worst_ratio", worst.usb16, "ratio");
    bench::Print("usb1_worst_ratio", worst.usb1, "ratio");
    PrintCpu(worst);
    return 0;
}
