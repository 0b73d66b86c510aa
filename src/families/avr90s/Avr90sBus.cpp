#include "families/avr90s/Avr90sBus.h"

#include <memory>

#include "families/framework/McuSteps.h"
#include "families/framework/MemorySteps.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

constexpr int kGroundPin = 20;
constexpr int kDataPort = 0; // pins 1..8 of the 40-pin rows
constexpr std::uint8_t kPinsReleased = 0xFF;
constexpr std::uint8_t kPinsDriven = 0x00;
constexpr int kResetLowTicks = 1;
constexpr int kProgrammingEntryTicks = 2000;
constexpr int kReadyTries = 20;
constexpr int kReadyTicksPerTry = 10;
// The longest WR low to RDY/BSY high of a flash byte write: tWLRH 0.5 min,
// 0.7 typ, 0.9 max ms in the AT90S1200 data sheet (0838H-AVR-03/02), Table 17
// "Parallel Programming Characteristics", TA = 25 C +-10%, VCC = 5 V +-10%.
constexpr double kLongestByteWriteMicroseconds = 900.0;

bool ReadsThroughPort0(const Avr90sRow& row) { return row.readBusMode == avrbus::Port0; }

// Control register 0 holds the directions of pins 1..8; its image stays in step.
void SetPort0Directions(LinkState& link, std::uint8_t directions) {
    if (link.images.control[0] == directions) return;
    link.images.control[0] = directions;
    WriteControlRegister(link, 0, directions);
}

// One byte on the data port, loaded by an XTAL1 pulse.
void LoadByte(LinkState& link, const Avr90sRow& row, std::uint8_t v) {
    if (ReadsThroughPort0(row)) {
        WritePort(link, kDataPort, v);
        SetPort0Directions(link, kPinsDriven);
    } else {
        DriveSerialMcuBus(link, v);
    }
    PinHigh(link, row.xtal1);
    PinLow(link, row.xtal1);
}

void LoadAddress(LinkState& link, const Avr90sRow& row, std::uint32_t a) {
    const std::uint32_t word = a / 2;
    AvrLoadAddressByte(link, row, static_cast<std::uint8_t>(word & 0xFF));
    PinHigh(link, row.bs);
    AvrLoadAddressByte(link, row, static_cast<std::uint8_t>((word >> 8) & 0xFF));
}

// Returns the link's byte count at WR's fall, where a self-timed write begins.
std::uint64_t WritePulse(LinkState& link, const Avr90sRow& row) {
    PinLow(link, row.wr);
    const std::uint64_t started = link.bytesSent;
    PinHigh(link, row.wr);
    return started;
}

} // namespace

void AvrPowerUp(LinkState& link, const Avr90sRow& row) {
    SetVppLevel(link, static_cast<int>(row.vppMillivolts));
    ConnectGround(link, kGroundPin);
    // The row's Vcc pin: pin 30 is ALE, an output, on the 40-pin parts. The
    // ports go high only once it is on: "voltage on any pin except RESET with
    // respect to ground -1.0 V to Vcc + 0.5 V".
    ConnectVccThenPortsHigh(link, row.vccPin);
    SetDataWidth(link, avrbus::DriveAll);
    PinLow(link, row.oe);
    PinHigh(link, row.wr);
    PinHigh(link, row.rdyBsy);
    SetPinLatch(link, row.rdyBsy, 1);
    PinLow(link, row.xtal1);
    PinLow(link, row.xa0);
    PinLow(link, row.xa1);
    ConnectVcc(link, row.vccPin);
    ConnectGround(link, kGroundPin);
    // RESET and BS low before 12 V reach RESET: the part then enters
    // programming mode.
    PinLow(link, row.reset);
    PinLow(link, row.bs);
    Delay(link, kResetLowTicks);
    ConnectVpp(link, row.vppPin);
    PinHigh(link, row.reset);
    Delay(link, kProgrammingEntryTicks);
}

void AvrLoadCommand(LinkState& link, const Avr90sRow& row, std::uint8_t command) {
    PinLow(link, row.xa0);
    PinHigh(link, row.xa1);
    LoadByte(link, row, command);
}

void AvrLoadAddressByte(LinkState& link, const Avr90sRow& row, std::uint8_t v) {
    PinLow(link, row.xa0);
    PinLow(link, row.xa1);
    LoadByte(link, row, v);
}

void AvrLoadDataByte(LinkState& link, const Avr90sRow& row, std::uint8_t v) {
    PinHigh(link, row.xa0);
    PinLow(link, row.xa1);
    LoadByte(link, row, v);
}

std::uint8_t AvrReadDataByte(LinkState& link, const Avr90sRow& row) {
    if (!ReadsThroughPort0(row)) return ReadSerialMcuBus(link);
    SetPort0Directions(link, kPinsReleased);
    return ReadPort(link, kDataPort);
}

void AvrEndRead(LinkState& link, const Avr90sRow& row) {
    PinHigh(link, row.oe);
    if (ReadsThroughPort0(row)) SetPort0Directions(link, kPinsDriven);
}

bool AvrWaitReady(LinkState& link, const Avr90sRow& row) {
    SetPinLatch(link, row.rdyBsy, 1);
    return WaitPinHigh(link, row.rdyBsy, kReadyTries, kReadyTicksPerTry);
}

namespace {

// AvrReadDataByte's bytes, its reply going to onByte when taken.
void SendDataRead(LinkState& link, const Avr90sRow& row, CommandsAhead& reads, CommandsAhead::OnReply onByte) {
    if (!ReadsThroughPort0(row)) return reads.send({op::SerialRead}, 1, 0, std::move(onByte));
    SetPort0Directions(link, kPinsReleased);
    reads.send({static_cast<std::uint8_t>(op::ReadPortBase + kDataPort)}, 1, 0, std::move(onByte));
}

} // namespace

void AvrReadWordAhead(LinkState& link, const Avr90sRow& row, std::uint32_t a, CommandsAhead& reads,
                      std::function<void(std::uint16_t)> onWord) {
    SetDataWidth(link, avrbus::DriveAll);
    PinHigh(link, row.oe);
    PinLow(link, row.bs);
    AvrLoadCommand(link, row, avrcmd::ReadFlash);
    LoadAddress(link, row, a);
    SetDataWidth(link, row.readBusMode);
    PinLow(link, row.bs);
    PinLow(link, row.oe);
    auto low = std::make_shared<std::uint16_t>(0);
    SendDataRead(link, row, reads, [low](std::uint16_t v) { *low = v; });
    PinHigh(link, row.bs);
    SendDataRead(link, row, reads, [low, onWord = std::move(onWord)](std::uint16_t high) {
        onWord(static_cast<std::uint16_t>(high << 8 | *low));
    });
    AvrEndRead(link, row);
    SetDataWidth(link, avrbus::DriveAll);
}

std::uint16_t AvrReadWord(LinkState& link, const Avr90sRow& row, std::uint32_t a) {
    std::uint16_t word = 0;
    CommandsAhead reads(link);
    AvrReadWordAhead(link, row, a, reads, [&word](std::uint16_t w) { word = w; });
    reads.drain();
    return word;
}

void AvrProgramWord(LinkState& link, const Avr90sRow& row, std::uint32_t a, std::uint16_t w, CommandsAhead& polls,
                    std::function<void()> onBusy) {
    const ReadyPolling polling{row.rdyBsy, kReadyTries, kReadyTicksPerTry, kLongestByteWriteMicroseconds};
    // Sent ahead, the polls' replies come after this returns: the callback owns what it uses.
    auto busy = std::make_shared<bool>(false);
    const auto ready = [busy, onBusy = std::move(onBusy)](bool isReady) {
        if (isReady) return;
        *busy = true;
        onBusy();
    };
    SetDataWidth(link, avrbus::DriveAll);
    PinHigh(link, row.oe);
    PinLow(link, row.bs);
    AvrLoadCommand(link, row, avrcmd::WriteFlash);
    LoadAddress(link, row, a);
    PinLow(link, row.bs);
    // BS low at the WR pulse writes the low byte of the word, high the high byte.
    AvrLoadDataByte(link, row, static_cast<std::uint8_t>(w & 0xFF));
    std::uint64_t started = WritePulse(link, row);
    SetPinLatch(link, row.rdyBsy, 1);
    WaitReadyAhead(link, polls, polling, started, ready);
    if (*busy) return;
    AvrLoadDataByte(link, row, static_cast<std::uint8_t>(w >> 8));
    PinHigh(link, row.bs);
    started = WritePulse(link, row);
    SetPinLatch(link, row.rdyBsy, 1);
    WaitReadyAhead(link, polls, polling, started, ready);
}

std::uint8_t AvrReadFuseByte(LinkState& link, const Avr90sRow& row) {
    SetDataWidth(link, avrbus::DriveAll);
    PinHigh(link, row.oe);
    PinLow(link, row.bs);
    AvrLoadCommand(link, row, avrcmd::ReadFusesAndLocks);
    PinHigh(link, row.bs);
    PinLow(link, row.oe);
    SetDataWidth(link, row.readBusMode);
    const std::uint8_t byte = AvrReadDataByte(link, row);
    AvrEndRead(link, row);
    ConnectVpp(link, 0);
    return byte;
}

std::array<std::uint8_t, 2> AvrReadSignature(LinkState& link, const Avr90sRow& row) {
    std::array<std::uint8_t, 2> bytes{};
    SetDataWidth(link, avrbus::DriveAll);
    PinHigh(link, row.oe);
    PinLow(link, row.bs);
    AvrLoadCommand(link, row, avrcmd::ReadSignature);
    // Both reads go out before their replies are taken: nothing sent depends on them.
    CommandsAhead reads(link);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        AvrLoadAddressByte(link, row, static_cast<std::uint8_t>(i));
        SetDataWidth(link, row.readBusMode);
        PinLow(link, row.oe);
        SendDataRead(link, row, reads, [&bytes, i](std::uint16_t v) { bytes[i] = static_cast<std::uint8_t>(v); });
        AvrEndRead(link, row);
        SetDataWidth(link, avrbus::DriveAll);
    }
    reads.drain();
    return bytes;
}

} // namespace quarvin
