#pragma once
// Progress of a running operation on stderr: a bar with the address and the
// percentage redrawn in place on a terminal, otherwise one line per tenth, so
// that a log file stays short.
#include <cstdint>
#include <ostream>
#include <string>

namespace quarvin::cli {

class ProgressDisplay {
public:
    ProgressDisplay(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}
    void begin(const std::string& operation);
    void status(const std::string& text);
    void show(std::uint32_t address, std::uint32_t last);
    // Ends the bar's line when one was drawn.
    void end();

private:
    std::ostream& err_;
    bool terminal_;
    std::string operation_;
    std::string status_;
    int tenthsShown_ = 0;
    bool barDrawn_ = false;
};

} // namespace quarvin::cli
