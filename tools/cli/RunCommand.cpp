// run and compare: device operations without a window, with the families' own
// code; with --repeat one chip after the other.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

#include "BoxRun.h"
#include "Commands.h"
#include "Interrupt.h"
#include "ProductionOutput.h"

namespace quarvin::cli {

namespace {

// --repeat: waits until the user has put the next chip in and pressed Enter; the
// line typed, or nothing at the end of the input or after Ctrl+C.
std::optional<std::string> WaitForNextChip(std::ostream& err, bool virtualBox) {
    err << "Take the chip out, put the next one in and press Enter (Ctrl+C ends)"
        << (virtualBox ? "; on the virtual box a line of --fault texts gives the next chip its faults" : "") << '\n'
        << std::flush;
    std::string line;
    for (;;) {
        if (StopRequested()) return std::nullopt;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&input, 1, 200);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        if (ready < 0) return std::nullopt;
        char c;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        if (c == '\n') return line;
        line += c;
    }
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

} // namespace

int RunCommand(const Options& o, std::ostream& out, std::ostream& err) {
    std::mutex lock;
    const SerialSetup serial = OpenSerialCounter(o);
    if (!serial.error.empty()) {
        err << "quarvin-cli: " << serial.error << '\n';
        return static_cast<int>(ExitCode::Usage);
    }
    const auto log = OpenRunLog(o, out, err, lock);
    const ProgressStyle style = o.json                        ? ProgressStyle::Json
                                : ::isatty(STDERR_FILENO) == 1 ? ProgressStyle::Bar
                                                              : ProgressStyle::Lines;
    BoxRun box(o, {o.port, 0, log.get(), serial.counter.get(), style}, out, err);
    if (const auto failed = box.prepare()) return FinishRun(o, out, *failed);
    if (!o.repeat) return FinishRun(o, out, box.runChip().exit);

    // One chip after the other, until Ctrl+C or the end of the input.
    std::ostream& text = o.json ? err : out;
    Tally tally;
    for (std::vector<std::string> faults;;) {
        const ChipReport chip = box.runChip(faults);
        // A chip the box could not take (a fault text it does not know) is not counted.
        if (chip.exit != ExitCode::Usage) {
            tally.add(chip.exit);
            text << tally.line() << '\n' << std::flush;
        }
        if (chip.quit || chip.exit == ExitCode::LinkLost || StopRequested()) break;
        const auto next = WaitForNextChip(err, box.onVirtualBox());
        if (!next) break;
        faults = Words(*next);
    }
    return FinishRun(o, out, tally.exit());
}

} // namespace quarvin::cli
