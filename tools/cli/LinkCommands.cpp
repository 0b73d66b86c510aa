// loopback, report and trace-check: the tools for a first bring-up of a real box.
#include <fstream>

#include "Commands.h"
#include "Connection.h"
#include "Console.h"
#include "OperationRunner.h"
#include "Interrupt.h"
#include "TraceFile.h"
#include "link/Loopback.h"
#include "link/serial/PortFacts.h"
#include "link/serial/PosixSerial.h"
#include "link/trace/TraceSummary.h"
#include "link/trace/TracingTransport.h"
#include "shell/BringUpReport.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::cli {

namespace {

constexpr const char* DefaultReportFile = "quarvin-report.txt";

int Exit(ExitCode code) { return static_cast<int>(code); }

} // namespace

int LoopbackCommand(const Options& o, std::ostream& out, std::ostream& err) {
    const std::string& name = *o.port;
    if (name == sim::VirtualPortName) {
        err << "quarvin-cli: the virtual box is not an adapter; quarvin-sim --loopback serves a looped-back terminal\n";
        return Exit(ExitCode::Usage);
    }
    const TraceFile traceFile = OpenTraceFile(o.trace);
    if (!traceFile.error.empty()) {
        err << "quarvin-cli: " << traceFile.error << '\n';
        return Exit(ExitCode::Usage);
    }
    // Ctrl+C from here on ends the test at its next write or echo wait, with "stopped".
    InstallInterruptHandler();
    // Read before opening: the open lowers the latency timer while the port is in use.
    const PortFacts facts = FactsOfPort(name);
    PosixPortOpener ports;
    TracingPortOpener traced(ports, traceFile.trace);
    PortOpener& opener = traceFile.trace ? static_cast<PortOpener&>(traced) : ports;
    TraceStep(traceFile.trace, "loopback");
    OpenedPort port = opener.open(name);
    if (!port.transport) {
        err << "quarvin-cli: cannot open " << name << " (no such port, busy, or no permission)\n";
        return Exit(ExitCode::LinkLost);
    }
    out << DescribePort(name, facts) << '\n' << std::flush;
    LoopbackSettings settings;
    settings.stopRequested = StopRequested;
    const LoopbackReport report = RunLoopback(*port.transport, SteadyMicroClock(), settings);
    port.transport->close();
    out << DescribeLoopback(report) << std::flush;
    return Exit(report.passed() ? ExitCode::Ok : ExitCode::Failed);
}

int ReportCommand(const Options& o, std::ostream& out, std::ostream& err) {
    const TraceFile traceFile = OpenTraceFile(o.trace);
    if (!traceFile.error.empty()) {
        err << "quarvin-cli: " << traceFile.error << '\n';
        return Exit(ExitCode::Usage);
    }
    const auto& trace = traceFile.trace;
    const bool virtualBox = o.port && *o.port == sim::VirtualPortName;
    std::optional<PortFacts> facts;
    if (o.port && !virtualBox) facts = FactsOfPort(*o.port);

    ConsolePrompts prompts(err, false);
    ConsoleSystemInfo system;
    Connection connection;
    LinkState& link = connection.link;
    TraceStep(trace, "connect");
    const ConnectResult connected = Connect(connection, {o.port, false, o.dir, trace}, prompts, system);
    const std::string portName = o.port.value_or(link.savedPortName);
    if (!o.port && !connection.onVirtualBox()) facts = FactsOfPort(portName);

    std::string dir = o.dir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    TraceStep(trace, "report");
    const std::string text =
        MakeBringUpReport(link, {ProgramVersionLine(), UtcNowText(), portName, facts, dir}, SteadyMicroClock());
    TraceStep(trace, "power down");
    if (link.connected) PowerDownSocket(link);

    const std::string path = o.output.empty() ? DefaultReportFile : o.output;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        err << "quarvin-cli: Can't write this file: " << path << '\n' << text;
        return Exit(ExitCode::Failed);
    }
    out << "report written to " << path << '\n';
    if (connected != ConnectResult::Connected) {
        err << "quarvin-cli: no box answered" << (o.port ? " on " + *o.port : std::string()) << '\n';
        return Exit(ExitCode::LinkLost);
    }
    return Exit(link.lost ? ExitCode::LinkLost : ExitCode::Ok);
}

int TraceCheckCommand(const Options& o, std::ostream& out, std::ostream& err) {
    std::ifstream in(o.input, std::ios::binary);
    if (!in) {
        err << "quarvin-cli: cannot read " << o.input << '\n';
        return Exit(ExitCode::Failed);
    }
    const TraceSummary summary = ReadTrace(in);
    out << DescribeTrace(summary);
    // Lines that are not a trace's are worth a warning status, as bad records are for convert.
    return summary.badLines > 0 || !summary.headerSeen ? 2 : 0;
}

} // namespace quarvin::cli
