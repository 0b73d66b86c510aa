#pragma once
// Finding the box at program start: the start question, the search over the
// serial ports, the identify handshake and the idle state; the same search again
// on Reconnect; and the link's one-word status. Whatever happens the program ends
// up connected or in soft-run mode; nothing here ends the process.
#include <functional>
#include <string>
#include <vector>

#include "link/commands/LinkState.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

inline constexpr const char* StartQuestion =
    QV_TEXT("Swicth on power，and connect RS232 cable\n\nConnecting?\n\n<Yes> to connect\n<No> to run only soft");
inline constexpr const char* NoBoxMessage = QV_TEXT("Bad COM\n1 No QUARVIN\n2 or No Power on");
inline constexpr const char* SettingsRefusedMessage = QV_TEXT("set Com bad");
inline constexpr const char* TimeoutsRefusedMessage = "SetCommTimeouts failed";
inline constexpr const char* SoftRunStatus = QV_TEXT("Soft run only");
inline constexpr const char* SearchCancelledStatus = QV_TEXT("Search cancelled: soft run only");

// The link as the status bar shows it (besides the port name when connected).
inline constexpr const char* VirtualBoxLinkText = QV_TEXT("virtual box");
inline constexpr const char* SoftRunLinkText = QV_TEXT("soft run");
inline constexpr const char* LostLinkText = QV_TEXT("link lost");

// The identifications of the boxes this program drives.
inline constexpr const char* AcceptedBoxes[] = {
    "pemrav13", "quarvinc", "quarvin+", "zomexv51", "zomexv52",
};

struct LinkEnvironment {
    Prompts* prompts = nullptr;
    SystemInfo* system = nullptr;   // clock for the identify time-out and the speed estimate
    PortOpener* opener = nullptr;
    std::string programDir;         // where the port file lives
    std::function<void(const std::string&)> status; // the link dialog's status field
    // The search's progress ("Looking for the box on COM1 ..."), told before each
    // port and again while a port's reply is awaited; returns false when the user
    // cancelled the search. None: the search cannot be cancelled.
    std::function<bool(const std::string&)> searching = {};
};

// How often a silent port's wait is interrupted to tell the progress and hear a cancel.
inline constexpr int SearchPollMs = 100;

// Opens the named port and identifies the box: 1 and connected when it answered
// with an accepted identification, else 0 with the port closed (also when the
// search was cancelled while the reply was awaited).
int OpenPort(LinkState& link, const LinkEnvironment& env, const std::string& name);

// The ports tried for a saved port name, in order: the saved name, then COM1 to
// COM4; a saved virtual box ("VBOX") comes after the real ports instead, so that a
// box attached later is not hidden behind it. Each name once: a silent port costs
// its identify time-out once per search.
std::vector<std::string> PortSearchOrder(const std::string& saved);

// The box's resting state after the handshake: no voltages, ports low, clock off,
// socket shut down. A lost link throws LinkLost.
void SendIdleState(LinkState& link);

// The whole start-up: question, port search, speed estimate, port file, idle state.
void RunLinkStartup(LinkState& link, const LinkEnvironment& env);

// Reconnect: the start-up without its question. Connected: the lost flag is
// cleared. No box: the no-box message, soft-run mode, and a link that was
// connected until now counts as lost. True when connected.
bool ReconnectLink(LinkState& link, const LinkEnvironment& env);

// The port name, "virtual box", "soft run" or "link lost".
std::string LinkStatusText(const LinkState& link);
bool IsVirtualBoxLink(const LinkState& link);

} // namespace quarvin
