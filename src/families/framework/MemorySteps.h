#pragma once
// Power steps that the parallel memory families share: the supply and ground at
// the start, and what is switched off after a read, a programming run or a failure.
#include "families/framework/Operation.h"
#include "link/commands/LinkState.h"

#include <type_traits>
#include <vector>

namespace quarvin {

// SetDataWidth arguments of the memory dialogs.
inline constexpr int kReadBusMode = 12;
inline constexpr int kWriteBusMode = 15;
// Delay ticks: about 95 ms for the supply to settle, about 10 ms for the pins.
inline constexpr int kPowerUpTicks = 1000;
inline constexpr int kSettleTicks = 100;

// Vcc to the supply pin, ground to socket pin 20, then the settling wait if asked.
void PowerUp(LinkState& link, int vccPin, bool wait);
// After reading: every port high, Vcc off.
void PowerDownAfterRead(LinkState& link);
// After programming (done, failed or stopped): Vpp off, Vcc off.
void PowerDownAfterProgram(LinkState& link);
// After a flash programmed byte by byte: /OE low, Vpp off, the socket quiet
// (every port low, then Vcc off).
void PowerDownAfterFlashProgram(LinkState& link);

// A read-type step that failed or was stopped: Vcc off.
void PowerOffAfterFailure(LinkState& link);
// A part fed from a logic pin (the serial EEPROMs): the Vcc latches off and
// that pin low, or its driver alone keeps the part powered.
void PowerOffPinFed(LinkState& link, int supplyPin);
// The same for a part rated against Vcc on its signal pins: every port low
// but the supply pin, which still holds the part up, then the Vcc latches off
// and that pin low, so no line is high on a part without supply.
void PortsLowThenPinFedOff(LinkState& link, int supplyPin);
// Vpp off, every port low, then Vcc off, and a short wait: the socket at rest
// before a flash operation powers it and after it ends. The flash parts rate
// their signal pins against Vcc, so the ports go high only with the supply
// (PowerUpThenPortsHigh, ConnectVccThenPortsHigh).
void QuietSocket(LinkState& link);
// The Vcc switch on `vccPin` closed, then every port high. A part rated
// "Vcc + 0.5 V" on its signal pins must have its supply before any of them
// goes high, or it is fed through its input protection diodes.
void ConnectVccThenPortsHigh(LinkState& link, int vccPin);
// Every port low but the pins the Vcc switches hold, then Vcc off (ConnectVcc
// takes the old supply pin low once its switch is open): no signal pin is high
// while the part has no supply, and no port drives against the closed switch.
void PortsLowThenVccOff(LinkState& link);
// PowerUp with every port high once Vcc is on, before ground and the wait.
void PowerUpThenPortsHigh(LinkState& link, int vccPin, bool wait);
// PowerDownAfterRead and PowerDownAfterProgram with every port low before Vcc
// goes.
void PowerDownAfterReadPortsLow(LinkState& link);
void PowerDownAfterProgramPortsLow(LinkState& link);
// /CE, then /OE low: the memory drives its data pins.
void EnableOutputs(LinkState& link);

// Every port low, once an operation that sent anything has ended: the
// power-downs above leave the ports high, which suits parts rated against
// ground but feeds a part rated "Vcc + 0.5 V" through its input diodes for as
// long as it stays in the socket. Only for families whose every operation ends
// with the supply off (a low port would fight a closed Vcc switch).
// Every port low if anything was sent since `bytesSentBefore` and the link still stands.
void PortsLowIfSent(LinkState& link, std::uint64_t bytesSentBefore);
template <class Run> OperationResult EndWithPortsLow(LinkState& link, Run run) {
    const std::uint64_t before = link.bytesSent;
    OperationResult result = run();
    PortsLowIfSent(link, before);
    return result;
}
// EndWithPortsLow for parts rated "Vcc + 0.5 V" on their signal pins: for the
// length of the run every Vcc switch opens only after the ports went low (but
// the pins the switches hold), so no signal pin is high while the part has no
// supply, whichever step powers it down.
template <class Run> OperationResult PortsLowAroundVccOff(LinkState& link, Run run) {
    const bool was = link.portsLowBeforeVccOff;
    link.portsLowBeforeVccOff = true;
    OperationResult result = EndWithPortsLow(link, run);
    link.portsLowBeforeVccOff = was;
    return result;
}

// For parts whose data sheet wants some controls inactive (high) while the
// supply switches, the battery-backed modules' /CE and /WE: for the length of
// the run every Vcc switch opens only after the other ports went low, the pins
// of `keptHigh` staying high, and once the run has ended with the supply off
// every port goes low. A run that ends with the part powered keeps its ports.
void PortsLowIfSentUnpowered(LinkState& link, std::uint64_t bytesSentBefore);
template <class Run> auto KeptHighAroundVccOff(LinkState& link, std::vector<int> keptHigh, Run run) {
    struct Restore {
        LinkState& link;
        bool was;
        std::vector<int> kept;
        ~Restore() {
            link.portsLowBeforeVccOff = was;
            link.keptHighAtVccOff = std::move(kept);
        }
    } restore{link, link.portsLowBeforeVccOff, std::move(link.keptHighAtVccOff)};
    link.portsLowBeforeVccOff = true;
    link.keptHighAtVccOff = std::move(keptHigh);
    const std::uint64_t before = link.bytesSent;
    if constexpr (std::is_void_v<decltype(run())>) {
        run();
        PortsLowIfSentUnpowered(link, before);
    } else {
        auto result = run();
        PortsLowIfSentUnpowered(link, before);
        return result;
    }
}

} // namespace quarvin
