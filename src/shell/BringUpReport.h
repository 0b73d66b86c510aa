#pragma once
// The bring-up report: what a user attaches to a question about a box that
// misbehaves. The program version, the port and its driver, the latency timer,
// the box's identification and board model, the device list it picks, the
// read-ahead probe, the socket's pin levels with nothing inserted (all drivers
// released, then each supply switch on alone for a few milliseconds) and the
// last lines of the report's own link trace.
#include <optional>
#include <string>

#include "link/commands/LinkState.h"
#include "link/serial/PortFacts.h"
#include "link/trace/MicroClock.h"

namespace quarvin {

struct BringUpFacts {
    std::string version;             // ProgramVersionLine()
    std::string written;             // when, as text
    std::string portName;            // as the user named it ("COM1", "/dev/ttyUSB0", "VBOX")
    std::optional<PortFacts> port;   // none for the embedded virtual box
    std::string programDir;          // where the device lists live, ending with '/'
};

// The program's version as the report gives it (one place to change).
std::string ProgramVersionLine();

// "2026-12-07 04:44:18 UTC": the machine's clock now.
std::string UtcNowText();

// How many trace lines the report ends with.
inline constexpr std::size_t ReportTraceLines = 48;

// Runs the checks on the link (connected or not) and returns the report. The box
// is left in its idle state; a link lost on the way ends the checks and says so.
std::string MakeBringUpReport(LinkState& link, const BringUpFacts& facts, const MicroClock& clock);

} // namespace quarvin
