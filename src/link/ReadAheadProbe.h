#pragma once
// The read-ahead probe of the link diagnostics: reads a known pin state a few
// thousand times with growing windows of unanswered reads and finds the largest
// window the box keeps up with, every reply right and in order.
#include <functional>

#include "link/commands/LinkState.h"

namespace quarvin {

enum class ProbeVerdict {
    Measured,          // window 1 read the known state; `window` is the pick
    PinsDoNotReadBack, // even one read at a time did not see the driven pins
    NoBox,             // soft-run: nothing was sent
};

struct ReadAheadProbeResult {
    ProbeVerdict verdict = ProbeVerdict::NoBox;
    int largestPassed = 1; // the largest window whose every reply came right and in order
    int window = 1;        // the window to use: largestPassed halved for margin, at least 1
};

// Runs the probe on a connected link and leaves the box in its idle state. A box
// that stops answering is a lost link: the lost-link message, soft-run mode and
// LinkLost, as for any other operation. `trying` hears each window before it runs.
ReadAheadProbeResult ProbeReadAhead(LinkState& link, const std::function<void(int window)>& trying = {});

} // namespace quarvin
