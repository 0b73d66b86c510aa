#pragma once
// The window's bring-up tools: Test > "Serial adapter loopback" and
// Help > "Bring-up report".
#include <functional>
#include <string>

#include "link/commands/LinkState.h"
#include "link/trace/MicroClock.h"
#include "platform/Platform.h"

namespace quarvin {

inline constexpr const char* ReportFileName = "quarvin-report.txt";

// Runs the loopback test on the link's port (the box unplugged, TX joined to
// RX) and shows the result. A port the link held is given up: the box is not
// on it during the test, so the link counts as lost until Reconnect. While it
// runs, `show` is given the step under way (and again every few hundredths of
// a second, so that the window can see its stop keys) and `stop` is asked:
// a stop ends the test at once with "stopped".
void AdapterLoopbackClick(LinkState& link, PortOpener& opener, Prompts& prompts, const MicroClock& clock,
                          StopRequest* stop = nullptr, const std::function<void(const std::string&)>& show = {});

// Asks for the file and writes the bring-up report of the link's box into it.
void BringUpReportClick(LinkState& link, const Platform& platform, const std::string& programDir,
                        const MicroClock& clock);

} // namespace quarvin
