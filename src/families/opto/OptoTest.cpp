#include "families/opto/OptoTest.h"

#include <vector>

#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kDriven = 0, kInput = 1;
constexpr int kNoGround = 0;

// A channel's collector with its LED lit and dark, as the replies bring them.
struct CollectorLevels {
    int lit = 1, dark = 0; // a channel whose reads never came fails
    // The lit LED pulls the collector low and the dark one lets it go.
    bool pass() const { return lit == 0 && dark != 0; }
};

// Lights the channel's LED, reads its collector, darkens it and reads again.
// Waiting for each reply, a collector the lit LED did not pull low ends the
// channel there (false); ahead, both reads go out before their replies are in,
// and the next channel's steps follow them.
bool ProbeChannel(LinkState& link, CommandsAhead& reads, const OptoChannelPins& c, CollectorLevels& levels) {
    SetPinLatch(link, c.anode, kDriven);
    SetPinLatch(link, c.cathode, kDriven);
    SetPinLatch(link, c.emitter, kDriven);
    SetPinLatch(link, c.collector, kInput);
    PinLow(link, c.cathode);
    PinLow(link, c.emitter);
    PinHigh(link, c.anode);
    reads.readPin(c.collector, [&levels](int level) { levels.lit = level; });
    if (!reads.ahead() && levels.lit != 0) return false;
    PinLow(link, c.anode);
    reads.readPin(c.collector, [&levels](int level) { levels.dark = level; });
    return true;
}

} // namespace

// Waiting for each reply, the first channel that fails ends the test. Ahead,
// every channel's steps and reads go out together (no step depends on a
// reading) and the readings are judged in channel order once all are in: the
// same channel fails, with one reply wait for the whole package instead of one
// per channel.
OperationResult TestOptocoupler(LinkState& link, const OptoPackage& package) {
    ConnectGround(link, kNoGround);
    std::vector<CollectorLevels> levels(package.channels.size());
    {
        CommandsAhead reads(link);
        for (std::size_t i = 0; i < package.channels.size(); ++i) {
            if (!ProbeChannel(link, reads, package.channels[i], levels[i])) break;
            if (!reads.ahead() && !levels[i].pass()) break;
        }
        reads.drain();
    }
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (!levels[i].pass()) return OperationResult::failed(kOptoBad, static_cast<std::uint32_t>(i + 1));
    return OperationResult::done(kOptoGood);
}

} // namespace quarvin
