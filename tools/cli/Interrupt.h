#pragma once
// Ctrl+C while operations run: the first asks the running operation to stop at
// its next progress point; the second ends the run at once, once the socket has
// been powered down.
namespace quarvin::cli {

void InstallInterruptHandler();
bool StopRequested(); // Ctrl+C at least once
bool QuitRequested(); // Ctrl+C twice

// Thrown out of a running operation after the second Ctrl+C.
struct QuitNow {};

} // namespace quarvin::cli
