#include "Interrupt.h"

#include <signal.h>

#include <csignal>

namespace quarvin::cli {

namespace {

volatile std::sig_atomic_t interrupts = 0;

volatile std::sig_atomic_t terminated = 0;

void onInterrupt(int) {
    if (interrupts < 2) interrupts = interrupts + 1;
}

void onTerminate(int) {
    terminated = 1;
    interrupts = 2;
}

} // namespace

void InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    // A serial read interrupted by Ctrl+C carries on; the stop is seen at the
    // operation's next progress point.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    action.sa_handler = onTerminate;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

bool StopRequested() { return interrupts >= 1; }
bool QuitRequested() { return interrupts >= 2; }
bool Terminated() { return terminated != 0; }

} // namespace quarvin::cli
