#pragma once
// Progress of a running operation on stderr: a bar with the address and the
// percentage redrawn in place on a terminal, otherwise one line per tenth, so
// that a log file stays short; with --json a line {"op":..,"done":..,"total":..}
// at most ten times a second; nothing for the boxes of a gang without --json.
#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace quarvin::cli {

enum class ProgressStyle { Bar, Lines, Json, Silent };

class ProgressDisplay {
public:
    ProgressDisplay(std::ostream& err, bool terminal)
        : err_(err), style_(terminal ? ProgressStyle::Bar : ProgressStyle::Lines) {}
    ProgressDisplay(std::ostream& err, ProgressStyle style, std::string port = {})
        : err_(err), style_(style), port_(std::move(port)) {}
    void begin(const std::string& operation);
    void status(const std::string& text);
    void show(std::uint32_t address, std::uint32_t last);
    // Ends the bar's line when one was drawn.
    void end();
    // Where notes that are not progress go (stderr).
    std::ostream& stream() { return err_; }

private:
    std::ostream& err_;
    ProgressStyle style_;
    std::string port_; // named in the JSON lines of a gang's boxes
    std::string operation_;
    std::string status_;
    int tenthsShown_ = 0;
    bool barDrawn_ = false;
    std::chrono::steady_clock::time_point lastJson_{};
    bool jsonShown_ = false;
};

} // namespace quarvin::cli
