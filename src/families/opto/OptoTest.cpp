#include "families/opto/OptoTest.h"

#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

constexpr int kDriven = 0, kInput = 1;
constexpr int kNoGround = 0;

// True when the lit LED pulls the collector low and the dark one lets it go.
bool ChannelPasses(LinkState& link, const OptoChannelPins& c) {
    SetPinLatch(link, c.anode, kDriven);
    SetPinLatch(link, c.cathode, kDriven);
    SetPinLatch(link, c.emitter, kDriven);
    SetPinLatch(link, c.collector, kInput);
    PinLow(link, c.cathode);
    PinLow(link, c.emitter);
    PinHigh(link, c.anode);
    if (ReadPin(link, c.collector) != 0) return false;
    PinLow(link, c.anode);
    return ReadPin(link, c.collector) != 0;
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
