#include "link/LinkStartup.h"

#include <algorithm>
#include <cstring>

#include "link/FastLinkSettings.h"
#include "link/PortFile.h"
#include "link/SpeedEstimate.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/serial/PortNames.h"

namespace quarvin {

namespace {

constexpr int IdentifyLength = 9;
constexpr int IdentifyTextLength = 8;
constexpr int ReadIntervalMs = 2000;           // longest gap between two bytes
constexpr int ReadPerByteMs = 1000;            // the whole read: this much per requested byte
constexpr int ReadConstantMs = 1000;           // plus this much

const char* const RealPorts[] = {"COM1", "COM2", "COM3", "COM4"};

void showStatus(const LinkEnvironment& env, const std::string& text) {
    if (env.status) env.status(text);
}

void message(const LinkEnvironment& env, const char* text) {
    if (env.prompts) env.prompts->message(text);
}

constexpr int Cancelled = -2;

std::string searchText(const std::string& name) { return "Looking for the box on " + name + " ..."; }

// One byte within waitMs. While a search can be cancelled, the wait goes in short
// slices between which the progress is told; Cancelled when the user stopped it.
// A clock that does not move ends the wait after one slice.
int readWithin(Transport& port, const LinkEnvironment& env, int waitMs, const std::string& name) {
    if (!env.searching || !env.system) return port.readByte(waitMs);
    const std::int64_t deadline = env.system->wallClockMs() + waitMs;
    for (;;) {
        const std::int64_t before = env.system->wallClockMs();
        const auto slice = static_cast<int>(std::min<std::int64_t>(deadline - before, SearchPollMs));
        const int b = port.readByte(slice);
        if (b >= 0) return b;
        if (!env.searching(searchText(name))) return Cancelled;
        const std::int64_t now = env.system->wallClockMs();
        if (now >= deadline || now == before) return -1;
    }
}

// Reads up to n bytes within the time-outs of the identify reply; returns how
// many arrived. The first byte may take the whole total time-out; each later one
// at most the interval time-out after the one before it, within the total.
int readReply(Transport& port, const LinkEnvironment& env, std::uint8_t* dest, int n, const std::string& name) {
    const int total = ReadPerByteMs * n + ReadConstantMs;
    const std::int64_t start = env.system ? env.system->wallClockMs() : 0;
    for (int i = 0; i < n; ++i) {
        int left = total;
        if (env.system) left = total - static_cast<int>(env.system->wallClockMs() - start);
        if (left <= 0) return i;
        const int b = readWithin(port, env, i == 0 ? left : std::min(left, ReadIntervalMs), name);
        if (b < 0 || b > 0xFF) return i;
        dest[i] = static_cast<std::uint8_t>(b);
    }
    return n;
}

bool accepted(const std::string& id) {
    return std::any_of(std::begin(AcceptedBoxes), std::end(AcceptedBoxes),
                       [&](const char* a) { return id == a; });
}

void closePort(std::unique_ptr<Transport>& port) {
    if (port) port->close();
    port.reset();
}

} // namespace

void SendIdleState(LinkState& link) {
    SetVppLevel(link, 0);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    ConnectGround(link, 0);
    WriteAllPorts(link, 0);
    SetClockMode(link, 0);
    SetPinLatch(link, 7, 1);
    SetPinLatch(link, 8, 1);
    ShutDownSocket(link);
}

int OpenPort(LinkState& link, const LinkEnvironment& env, const std::string& name) {
    link.connected = 0;
    closePort(link.port);
    if (!env.opener) return 0;

    OpenedPort opened = env.opener->open(name);
    switch (opened.status) {
    case OpenStatus::CannotOpen:
        closePort(opened.transport);
        return 0;
    case OpenStatus::SettingsRefused:
        closePort(opened.transport);
        message(env, SettingsRefusedMessage);
        return 0;
    case OpenStatus::TimeoutsRefused:
        message(env, TimeoutsRefusedMessage);
        break;
    case OpenStatus::Opened:
        break;
    }
    if (!opened.transport) return 0;
    Transport& port = *opened.transport;
    port.purge();

    std::uint8_t reply[IdentifyLength] = {};
    const std::uint8_t identify = op::Identify;
    bool answered = port.write(&identify, 1) &&
                    readReply(port, env, reply, IdentifyLength, name) == IdentifyLength;
    if (answered) {
        // The text ends at the first zero byte; the ninth byte is not part of it.
        std::size_t len = 0;
        while (len < IdentifyTextLength && reply[len] != 0) ++len;
        std::string id(reinterpret_cast<const char*>(reply), len);
        showStatus(env, id);
        if (accepted(id)) {
            link.savedPortName = name;
            link.identification = id + " from " + name;
            showStatus(env, link.identification);
            link.port = std::move(opened.transport);
            link.connected = 1;
            link.readAheadWindow = ReadAheadWindowFor(link.port->lineKind(), env.programDir);
            return 1;
        }
    }
    showStatus(env, SoftRunStatus);
    closePort(opened.transport);
    return 0;
}

std::vector<std::string> PortSearchOrder(const std::string& saved) {
    std::vector<std::string> order;
    if (saved != VirtualBoxPortName) order.push_back(saved);
    for (const char* port : RealPorts)
        if (port != saved) order.push_back(port);
    if (saved == VirtualBoxPortName) order.push_back(saved);
    return order;
}

namespace {

// The port search from the port file's name; then the speed estimate, the port
// file and the idle state. False (after the no-box message) when no box answered.
bool connectBox(LinkState& link, const LinkEnvironment& env) {
    link.savedPortName = readPortFile(env.programDir).value_or("COM1");
    bool found = false;
    bool cancelled = false;
    for (const std::string& name : PortSearchOrder(link.savedPortName)) {
        if (env.searching && !env.searching(searchText(name))) {
            cancelled = true;
            break;
        }
        if ((found = OpenPort(link, env, name) == 1)) break;
        // A cancel heard while the port was awaited ends the search at once.
        if ((cancelled = env.searching && !env.searching(searchText(name)))) break;
    }
    if (cancelled) {
        showStatus(env, SearchCancelledStatus);
        return false;
    }
    if (!found) {
        message(env, NoBoxMessage);
        return false;
    }
    link.lost = false;
    if (env.system) EstimateSpeed(link, *env.system);
    writePortFile(env.programDir, link.savedPortName); // a read-only directory is no reason to stop
    try {
        SendIdleState(link);
    } catch (const LinkLost&) {
        // Already reported; the program carries on in soft-run mode.
    }
    return link.connected == 1;
}

} // namespace

void RunLinkStartup(LinkState& link, const LinkEnvironment& env) {
    link.connected = 0;
    if (env.prompts) link.prompts = env.prompts;
    if (env.prompts && env.prompts->askYesNo(StartQuestion)) connectBox(link, env);
    link.changed();
}

bool ReconnectLink(LinkState& link, const LinkEnvironment& env) {
    const bool hadBox = link.connected == 1;
    if (env.prompts) link.prompts = env.prompts;
    const bool connected = connectBox(link, env);
    if (!connected && hadBox) link.lost = true; // the box that answered until now is gone
    link.changed();
    return connected;
}

bool IsVirtualBoxLink(const LinkState& link) {
    return link.connected == 1 && link.savedPortName == VirtualBoxPortName;
}

std::string LinkStatusText(const LinkState& link) {
    if (link.lost) return LostLinkText;
    if (link.connected != 1) return SoftRunLinkText;
    return IsVirtualBoxLink(link) ? VirtualBoxLinkText : link.savedPortName;
}

} // namespace quarvin
