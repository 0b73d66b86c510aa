#include "shell/BringUpReport.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <vector>

#include "catalogue/Categories.h"
#include "link/LinkStartup.h"
#include "link/ReadAheadProbe.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/trace/TracingTransport.h"
#include "shell/Version.h"

namespace quarvin {

namespace {

// Levels of socket pins 1..40 (index 0 unused).
using SocketLevels = std::array<int, pin::Count + 1>;

enum class Supply { Vcc, Vpp, Ground };

struct SupplySwitch {
    Supply supply;
    int pin;
};

// About three milliseconds: the switch settles, and nothing stays powered long.
constexpr int SupplyOnTicks = 32;
// The ground switch that GetBoardModel finds missing on board model a.
constexpr int BoardAMissingGroundPin = 31;
// The lowest Vpp the box makes: nothing in the socket needs more to show the switch works.
constexpr int TestVppMillivolts = 10000;

std::vector<SupplySwitch> SupplySwitches() {
    std::vector<SupplySwitch> switches;
    for (int p : pin::VccLatchAPins) switches.push_back({Supply::Vcc, p});
    for (int p : pin::VccGndLatchVccPins) switches.push_back({Supply::Vcc, p});
    for (int p : pin::VppLatchAPins) switches.push_back({Supply::Vpp, p});
    for (int p : pin::VppLatchBPins) switches.push_back({Supply::Vpp, p});
    for (int p : pin::VccGndLatchGroundPins) switches.push_back({Supply::Ground, p});
    return switches;
}

const char* SupplyName(Supply s) {
    switch (s) {
    case Supply::Vcc: return "Vcc";
    case Supply::Vpp: return "Vpp";
    case Supply::Ground: return "Ground";
    }
    return "";
}

SocketLevels ReadSocket(LinkState& link) {
    SocketLevels levels{};
    std::array<std::uint8_t, 5> ports{};
    for (int n = 0; n < 5; ++n) ports[static_cast<std::size_t>(n)] = ReadPort(link, n);
    for (int p = 1; p <= pin::Count; ++p) {
        const int index = pin::portIndex(p);
        levels[static_cast<std::size_t>(p)] =
            index < 0 ? ReadPin(link, p) : (ports[static_cast<std::size_t>(index >> 3)] >> (index & 7)) & 1;
    }
    return levels;
}

// "11111 11111 11111 11111 11111 11111 11111 11111": pins 1..40 in groups of five.
std::string LevelText(const SocketLevels& levels) {
    std::string text;
    for (int p = 1; p <= pin::Count; ++p) {
        text += static_cast<char>('0' + levels[static_cast<std::size_t>(p)]);
        if (p % 5 == 0 && p < pin::Count) text += ' ';
    }
    return text;
}

std::string PinList(const std::vector<int>& pins) {
    std::string text;
    for (int p : pins) text += (text.empty() ? "" : ",") + std::to_string(p);
    return text;
}

void Switch(LinkState& link, const SupplySwitch& s, bool on) {
    switch (s.supply) {
    case Supply::Vcc: ConnectVcc(link, on ? s.pin : 0); break;
    case Supply::Vpp:
        SetVppLevel(link, on ? TestVppMillivolts : 0);
        if (on) ConnectVpp(link, s.pin);
        else ReleaseVpp(link, s.pin);
        break;
    case Supply::Ground: ConnectGround(link, on ? s.pin : 0); break;
    }
}

// What the reading with one supply on says about its switch. With nothing in
// the socket the released pins float high on their pull-ups: a ground switch
// must pull its pin low; a Vcc or Vpp pin must stay high; no other pin may move.
std::string Judge(const SupplySwitch& s, const SocketLevels& released, const SocketLevels& on) {
    const int level = on[static_cast<std::size_t>(s.pin)];
    std::string verdict;
    if (s.supply == Supply::Ground)
        verdict = level == 0 ? "ok" : "pin stays high: the ground switch does not work";
    else
        verdict = level == 1 ? "ok" : "pin reads low: the switch or the pin is faulty";
    std::vector<int> moved;
    for (int p = 1; p <= pin::Count; ++p)
        if (p != s.pin && on[static_cast<std::size_t>(p)] != released[static_cast<std::size_t>(p)]) moved.push_back(p);
    if (!moved.empty()) verdict += (verdict == "ok" ? "" : ";") + std::string(" other pins changed: ") + PinList(moved);
    return verdict;
}

std::string BoardModelText(char model) {
    switch (model) {
    case 'a': return "a (no ground switch on pin 31)";
    case 'b': return "b (identifies as pemrav13)";
    case 'c': return "c";
    default: return std::string(1, model);
    }
}

std::string ProbeText(const ReadAheadProbeResult& probe) {
    switch (probe.verdict) {
    case ProbeVerdict::Measured:
        return "window " + std::to_string(probe.window) + " (largest window the box kept up with: " +
               std::to_string(probe.largestPassed) + ")";
    case ProbeVerdict::PinsDoNotReadBack: return "socket pins 1-4 and 40 do not read back";
    case ProbeVerdict::NoBox: break;
    }
    return "not run (no box)";
}

void PortSection(std::ostream& out, const LinkState& link, const BringUpFacts& f) {
    out << "Port\n  name: " << f.portName << '\n';
    if (!f.port) {
        out << "  device: the embedded virtual box\n";
    } else {
        out << "  device: " << f.port->device << '\n';
        out << "  driver: " << (f.port->driver.empty() ? "unknown" : f.port->driver) << '\n';
        out << "  latency timer: "
            << (f.port->latencyMs ? std::to_string(*f.port->latencyMs) + " ms as found" : std::string("none"))
            << '\n';
    }
    const std::string advice = link.port ? link.port->portAdvice() : std::string();
    if (!advice.empty()) out << "  advice: " << advice << '\n';
}

// The checks that talk to the box; throws LinkLost as any operation does.
void BoxSections(std::ostream& out, LinkState& link, const BringUpFacts& f, LinkTrace& trace, std::string& stage) {
    // Each stage labels its part of the trace, and names the check a lost link ended.
    auto enter = [&](const char* name) {
        stage = name;
        trace.setOperation(name);
    };
    enter("board model");
    out << "\nBox\n  identification: " << link.identification << '\n';
    const char model = GetBoardModel(link);
    out << "  board model: " << BoardModelText(model) << '\n';
    const std::string list = DeviceListFileName(model);
    out << "  device list: " << list
        << (std::filesystem::exists(f.programDir + list) ? " (present)" : " (missing from the program folder)") << '\n';

    enter("read-ahead probe");
    out << "  read-ahead probe: " << ProbeText(ProbeReadAhead(link)) << '\n';

    enter("socket");
    SendIdleState(link);
    for (int p = 1; p <= pin::Count; ++p) SetPinLatch(link, p, 1);
    const SocketLevels released = ReadSocket(link);
    out << "\nSocket with nothing inserted (pins 1..40, 1 high, 0 low)\n";
    out << "  all drivers released   " << LevelText(released) << '\n';
    std::vector<int> low;
    for (int p = 1; p <= pin::Count; ++p)
        if (released[static_cast<std::size_t>(p)] == 0) low.push_back(p);
    if (!low.empty()) {
        // A part in the socket (or a short) holds pins low: no supply goes on.
        out << "  pins low with every driver released: " << PinList(low)
            << "\n  supplies not switched: take any part out of the socket and run the report again\n";
        return;
    }
    int faults = 0;
    for (const SupplySwitch& s : SupplySwitches()) {
        char label[32];
        std::snprintf(label, sizeof label, "%-6s on pin %-2d", SupplyName(s.supply), s.pin);
        if (s.supply == Supply::Ground && s.pin == BoardAMissingGroundPin && model == 'a') {
            out << "  " << label << "       (board model a has no such switch)\n";
            continue;
        }
        Switch(link, s, true);
        Delay(link, SupplyOnTicks);
        const SocketLevels on = ReadSocket(link);
        Switch(link, s, false);
        const std::string verdict = Judge(s, released, on);
        if (verdict != "ok") ++faults;
        out << "  " << label << "       " << LevelText(on) << "  " << verdict << '\n';
    }
    out << "  switches: " << (faults == 0 ? std::string("every one behaves") : std::to_string(faults) + " faulty")
        << '\n';
}

} // namespace

std::string ProgramVersionLine() { return VersionLine("quarvin"); }

std::string UtcNowText() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &tm);
    return text;
}

std::string MakeBringUpReport(LinkState& link, const BringUpFacts& facts, const MicroClock& clock) {
    std::ostringstream out;
    out << "QUARVIN bring-up report\n";
    out << "program: " << facts.version << '\n';
    out << "written: " << facts.written << "\n\n";
    PortSection(out, link, facts);

    if (link.connected != 1 || !link.port) {
        out << "\nBox\n  no box answered on " << facts.portName
            << ": check the box's power, the cable, and the port name; then run the adapter loopback test\n";
        return out.str();
    }

    auto sink = std::make_unique<MemoryTraceSink>();
    const MemoryTraceSink& lines = *sink;
    auto trace = std::make_shared<LinkTrace>(std::move(sink), clock);
    auto owned = std::make_unique<TracingTransport>(std::move(link.port), trace);
    TracingTransport* tracing = owned.get();
    link.port = std::move(owned);

    std::string stage;
    try {
        BoxSections(out, link, facts, *trace, stage);
        trace->setOperation("idle state");
        SendIdleState(link);
    } catch (const LinkLost&) {
        out << "\n  the link was lost during the " << stage << " check\n";
    }
    trace->stop();
    // The port goes back as it was, unless the link was lost on the way.
    if (link.port.get() == tracing) link.port = tracing->release();

    const auto& all = lines.lines();
    const std::size_t first = all.size() > ReportTraceLines ? all.size() - ReportTraceLines : 0;
    out << "\nLink trace (last " << (all.size() - first) << " of " << all.size() << " lines)\n";
    for (std::size_t i = first; i < all.size(); ++i) out << "  " << all[i] << '\n';
    return out.str();
}

} // namespace quarvin
