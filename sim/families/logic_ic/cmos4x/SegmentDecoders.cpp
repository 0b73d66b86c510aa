// BCD to seven-segment decoders without a latch.
#include "sim/families/logic_ic/cmos4x/Models.h"
#include "sim/families/logic_ic/cmos4x/PinBus.h"
#include "sim/families/logic_ic/cmos4x/SevenSegment.h"

namespace quarvin::sim::cmos4x {

// BCD to seven-segment decoder with ripple blanking. With ENABLE low, RBI low lights
// every segment (lamp test) and RBI high blanks them. With ENABLE high the code is
// shown, except that a zero is blanked while RBI is low; codes above 9 blank the
// display. RBO is low while RBI is low and the digit shows no number (a zero, or
// ENABLE low), so a chain of these suppresses leading zeros.
void mc14558(LogicPins& pins, LogicState&) {
    const unsigned code = readBus(pins, {7, 1, 2, 6});
    const bool enabled = pins.in(3), rippleIn = pins.in(5);
    unsigned segments = 0;
    if (!enabled) segments = rippleIn ? 0 : kAllSegments;
    else if (code < kDigitsWithoutTails.size() && (code != 0 || rippleIn)) segments = kDigitsWithoutTails[code];
    writeBus(pins, {13, 12, 11, 10, 9, 15, 14}, segments); // a..g
    pins.out(4, rippleIn || (enabled && code != 0));
}

} // namespace quarvin::sim::cmos4x
