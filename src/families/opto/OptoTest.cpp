#include "families/opto/OptoTest.h"

#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kDriven = 0, kInput = 1;
constexpr int kNoGround = 0;

// True when the lit LED pulls the collector low and the dark one lets it go.
// Waiting for each reply, a collector the lit LED did not pull low ends the
// channel there; ahead, the LED goes dark and the collector is read again
// before the first reply is in, and the replies alone decide.
bool ChannelPasses(LinkState& link, const OptoChannelPins& c) {
    SetPinLatch(link, c.anode, kDriven);
    SetPinLatch(link, c.cathode, kDriven);
    SetPinLatch(link, c.emitter, kDriven);
    SetPinLatch(link, c.collector, kInput);
    PinLow(link, c.cathode);
    PinLow(link, c.emitter);
    PinHigh(link, c.anode);
    CommandsAhead reads(link);
    int lit = 1, dark = 0;
    reads.readPin(c.collector, [&lit](int level) { lit = level; });
    if (!reads.ahead() && lit != 0) return false;
    PinLow(link, c.anode);
    reads.readPin(c.collector, [&dark](int level) { dark = level; });
    reads.drain();
    return lit == 0 && dark != 0;
}

} // namespace

OperationResult TestOptocoupler(LinkState& link, const OptoPackage& package) {
    ConnectGround(link, kNoGround);
    for (std::size_t i = 0; i < package.channels.size(); ++i)
        if (!ChannelPasses(link, package.channels[i]))
            return OperationResult::failed(kOptoBad, static_cast<std::uint32_t>(i + 1));
    return OperationResult::done(kOptoGood);
}

} // namespace quarvin
