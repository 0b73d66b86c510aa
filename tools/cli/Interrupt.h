#pragma once
// Ctrl+C while operations run: the first asks the running operation to stop at
// its next progress point; the second ends the run at once, once the socket has
// been powered down. SIGTERM and SIGHUP (a closed terminal) end it as the second
// Ctrl+C does, but what the run must write (--out, the chip image) is written.
namespace quarvin::cli {

void InstallInterruptHandler();
bool StopRequested(); // Ctrl+C at least once
bool QuitRequested(); // Ctrl+C twice, SIGTERM or SIGHUP
bool Terminated();    // SIGTERM or SIGHUP

// Thrown out of a running operation after the second Ctrl+C.
struct QuitNow {};

} // namespace quarvin::cli
