#include "shell/BringUpCommands.h"

#include <fstream>

#include "link/Loopback.h"
#include "link/serial/PortFacts.h"
#include "link/serial/PortNames.h"
#include "shell/BringUpReport.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {
// How often a running loopback test gives the window a chance to paint and to see Esc or Stop.
constexpr std::int64_t kShowEveryUs = 50000;
} // namespace

void AdapterLoopbackClick(LinkState& link, PortOpener& opener, Prompts& prompts, const MicroClock& clock,
                          StopRequest* stop, const std::function<void(const std::string&)>& show) {
    const std::string name = link.savedPortName;
    if (name == VirtualBoxPortName) {
        prompts.message("The loopback test needs a serial port; the virtual box is not an adapter.");
        return;
    }
    if (!prompts.askYesCancel("Serial adapter loopback on " + name +
                              "\n\nUnplug the box and join the adapter's TX to its RX (pins 2 and 3 of its "
                              "9-pin plug).\n\nStart the test?"))
        return;
    const PortFacts facts = FactsOfPort(name);
    std::unique_ptr<Transport> port = std::move(link.port);
    const bool linkHadPort = port != nullptr;
    if (linkHadPort) {
        link.connected = 0;
        link.lost = true;
        link.changed();
    } else {
        port = opener.open(name).transport;
        if (!port) {
            prompts.message(QV_TEXT("Can't open ") + name + " (no such port, busy, or no permission)");
            return;
        }
    }
    if (stop) stop->clear();
    std::string step;
    std::int64_t shownAt = clock();
    LoopbackSettings settings;
    settings.status = [&](const std::string& now) {
        step = "Loopback: " + now;
        shownAt = clock();
        if (show) show(step);
    };
    settings.stopRequested = [&] {
        if (show && clock() - shownAt >= kShowEveryUs) {
            shownAt = clock();
            show(step);
        }
        return stop && stop->stopRequested();
    };
    const LoopbackReport report = RunLoopback(*port, clock, settings);
    if (show) show("");
    port->close();
    std::string text = DescribePort(name, facts) + "\n" + DescribeLoopback(report);
    if (linkHadPort) text += "\nPlug the box back in and use Option > Reconnect.";
    prompts.message(text, "Serial adapter loopback");
}

void BringUpReportClick(LinkState& link, const Platform& platform, const std::string& programDir,
                        const MicroClock& clock) {
    if (!platform.prompts->askYesCancel("Take any part out of the socket: the report switches each supply on "
                                        "for a moment.\n\nMake the bring-up report?"))
        return;
    const auto path = platform.files->saveName(
        {"Bring-up report", programDir, ReportFileName, "Text file (*.txt)|*.TXT", 1, "txt"});
    if (!path) return;
    const std::string name = link.savedPortName;
    std::optional<PortFacts> facts;
    if (name != VirtualBoxPortName) facts = FactsOfPort(name);
    const std::string text = MakeBringUpReport(link, {ProgramVersionLine(), UtcNowText(), name, facts, programDir}, clock);
    std::ofstream file(*path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    platform.prompts->message(file ? "Report written to " + *path : "Can't write this file: " + *path);
}

} // namespace quarvin
