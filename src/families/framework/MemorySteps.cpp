#include "families/framework/MemorySteps.h"


#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {
constexpr int kGroundPin = 20;
} // namespace

void PowerUp(LinkState& link, int vccPin, bool wait) {
    ConnectVcc(link, vccPin);
    ConnectGround(link, kGroundPin);
    if (wait) Delay(link, kPowerUpTicks);
}

void PowerDownAfterRead(LinkState& link) {
    WriteAllPorts(link, 255);
    ConnectVcc(link, 0);
}

void PowerDownAfterProgram(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
}

void PowerDownAfterFlashProgram(LinkState& link) {
    PinLow(link, pin::eprom::OutputEnable);
    ConnectVpp(link, 0);
    QuietSocket(link);
}

void PowerOffAfterFailure(LinkState& link) { ConnectVcc(link, 0); }

void PowerOffPinFed(LinkState& link, int supplyPin) {
    ConnectVcc(link, 0);
    PinLow(link, supplyPin);
}

void PortsLowThenPinFedOff(LinkState& link, int supplyPin) {
    PortsLowButSwitchedVcc(link, supplyPin);
    PowerOffPinFed(link, supplyPin);
}

void QuietSocket(LinkState& link) {
    ConnectVpp(link, 0);
    PortsLowThenVccOff(link);
    Delay(link, 10);
}

void ConnectVccThenPortsHigh(LinkState& link, int vccPin) {
    ConnectVcc(link, vccPin);
    WriteAllPorts(link, 255);
}

void PortsLowThenVccOff(LinkState& link) {
    PortsLowButSwitchedVcc(link);
    ConnectVcc(link, 0);
}

void PowerUpThenPortsHigh(LinkState& link, int vccPin, bool wait) {
    ConnectVccThenPortsHigh(link, vccPin);
    ConnectGround(link, kGroundPin);
    if (wait) Delay(link, kPowerUpTicks);
}

void PowerDownAfterReadPortsLow(LinkState& link) {
    WriteAllPorts(link, 255);
    PortsLowThenVccOff(link);
}

void PowerDownAfterProgramPortsLow(LinkState& link) {
    ConnectVpp(link, 0);
    PortsLowThenVccOff(link);
}

void EnableOutputs(LinkState& link) {
    PinLow(link, pin::eprom::ChipEnable);
    PinLow(link, pin::eprom::OutputEnable);
}

void PortsLowIfSent(LinkState& link, std::uint64_t bytesSentBefore) {
    if (link.bytesSent != bytesSentBefore && !link.lost) WriteAllPorts(link, 0);
}

void PortsLowIfSentUnpowered(LinkState& link, std::uint64_t bytesSentBefore) {
    if (SwitchedVccPins(link).empty()) PortsLowIfSent(link, bytesSentBefore);
}

} // namespace quarvin
