#include "shell/About.h"

#include "shell/ShellTexts.h"

namespace quarvin {

namespace {
// The README's opening paragraph.
constexpr const char* kWhatItIs =
    "The Linux control program for the QUARVIN universal device programmer: a box with a "
    "40-pin socket on an RS-232 line. The box only executes a small byte command set; every "
    "device algorithm runs in this program. With it you read, blank-check, erase, program, "
    "verify, sum and lock memories and microcontrollers, test logic ICs and static RAMs, and "
    "edit a 4 MiB data buffer as a hex dump or a fuse map.";
} // namespace

std::string AboutText() {
    return "QUARVIN desktop " + ProgramVersion() + "\n\n" + kWhatItIs + "\n\n" + std::string(shell::kWelcomeTo) +
           "\n" + std::string(shell::kWebAddress);
}

} // namespace quarvin
