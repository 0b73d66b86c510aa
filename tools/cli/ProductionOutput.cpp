#include "ProductionOutput.h"

#include <algorithm>

#include "shell/RunLog.h"

namespace quarvin::cli {

void Tally::add(ExitCode chip) {
    if (chip == ExitCode::Ok) ++done_;
    else ++failed_;
    linkLost_ = linkLost_ || chip == ExitCode::LinkLost;
}

std::string Tally::line() const {
    return "tally: " + std::to_string(done_ + failed_) + " chips, " + std::to_string(done_) + " done, " +
           std::to_string(failed_) + " failed";
}

ExitCode Tally::exit() const {
    if (linkLost_) return ExitCode::LinkLost;
    return failed_ || !done_ ? ExitCode::Failed : ExitCode::Ok;
}

void PrintGangTable(const std::vector<BoxRow>& rows, bool json, std::ostream& out) {
    if (json) {
        for (const BoxRow& r : rows)
            out << "{\"box\":" << r.box << ",\"port\":" << JsonString(r.port) << ",\"serial\":"
                << (r.serial.empty() ? "null" : JsonString(r.serial)) << ",\"result\":" << JsonString(r.result)
                << ",\"message\":" << JsonString(r.message) << "}\n";
        out << std::flush;
        return;
    }
    std::size_t portWidth = 4, serialWidth = 6, resultWidth = 6;
    for (const BoxRow& r : rows) {
        portWidth = std::max(portWidth, r.port.size());
        serialWidth = std::max(serialWidth, r.serial.size());
        resultWidth = std::max(resultWidth, r.result.size());
    }
    const auto pad = [](const std::string& s, std::size_t width) {
        return s + std::string(std::max(width, s.size()) - s.size() + 2, ' ');
    };
    out << pad("box", 3) << pad("port", portWidth) << pad("serial", serialWidth) << pad("result", resultWidth)
        << "message\n";
    for (const BoxRow& r : rows)
        out << pad(std::to_string(r.box), 3) << pad(r.port, portWidth) << pad(r.serial.empty() ? "-" : r.serial, serialWidth)
            << pad(r.result, resultWidth) << r.message << '\n';
    out << std::flush;
}

ExitCode GangExit(const std::vector<ExitCode>& boxes) {
    const auto any = [&](ExitCode c) { return std::find(boxes.begin(), boxes.end(), c) != boxes.end(); };
    if (any(ExitCode::LinkLost)) return ExitCode::LinkLost;
    if (any(ExitCode::Usage)) return ExitCode::Usage;
    // A box that did only part of its range has not done its chip either.
    return std::all_of(boxes.begin(), boxes.end(), [](ExitCode c) { return c == ExitCode::Ok; }) ? ExitCode::Ok
                                                                                                : ExitCode::Failed;
}

int FinishRun(const Options& o, std::ostream& out, ExitCode exit) {
    if (o.json) out << "{\"exit\":" << static_cast<int>(exit) << "}\n" << std::flush;
    return static_cast<int>(exit);
}

} // namespace quarvin::cli
