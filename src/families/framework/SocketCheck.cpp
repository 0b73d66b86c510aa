#include "families/framework/SocketCheck.h"

#include <algorithm>

#include "forms/Texts.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

std::vector<int> SetBits(std::uint64_t mask) {
    std::vector<int> pins;
    for (int k = 1; k <= 64; ++k)
        if (mask >> (k - 1) & 1) pins.push_back(k);
    return pins;
}

// The package pins of `pins` whose socket pins read high although the part
// should pull them low.
std::vector<int> Unanswered(const SocketCheckPlan& plan, const std::vector<int>& pins, SocketLevels read) {
    std::vector<int> open;
    for (int k : pins) {
        const int s = plan.socketPinOf(k, {});
        if (s && (read & SocketPinBit(s))) open.push_back(k);
    }
    return open;
}

std::vector<int> PinsPulledLow(const SocketCheckPlan& plan) {
    std::vector<int> pins = SetBits(plan.clamped);
    pins.insert(pins.end(), plan.groundPins.begin(), plan.groundPins.end());
    std::sort(pins.begin(), pins.end());
    return pins;
}

// The box side of the check: pins held low one set at a time, the 40 pins read.
class WireReader : public SocketReader {
public:
    explicit WireReader(LinkState& link) : link_(link) {}
    SocketLevels holdLowAndRead(const std::vector<int>& held) override {
        // The port bit goes low before the driver turns on: the unpowered part
        // never sees the pin driven high.
        for (int p : held) {
            PinLow(link_, p);
            SetPinLatch(link_, p, 0);
        }
        SocketLevels levels = 0;
        for (int n = 0; n < op::PortCount; ++n) {
            const std::uint8_t v = ReadPort(link_, n);
            for (int p = 1; p <= pin::Count; ++p) {
                const int index = pin::portIndex(p);
                if (index >= 0 && index / 8 == n && (v >> (index % 8) & 1)) levels |= SocketPinBit(p);
            }
        }
        SendByte(link_, op::ReadStatus);
        Delay(link_, tick::StatusRead);
        const std::uint8_t status = ReceiveByte(link_);
        if (status & pin::StatusPin20) levels |= SocketPinBit(pin::Ground);
        if (status & pin::StatusPin40) levels |= SocketPinBit(pin::Top);
        for (int p : held) SetPinLatch(link_, p, 1);
        return levels;
    }

private:
    LinkState& link_;
};

void SendLatch(LinkState& link, std::uint8_t opcode, std::uint8_t value) {
    SendByte(link, opcode);
    SendByte(link, value);
    Delay(link, tick::VccLatch);
}

// Every supply switch open, every pin an input: the part sees only the pull-ups.
void ReleaseSocket(LinkState& link) {
    RegisterImages& im = link.images;
    SetVppLevel(link, 0);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    im.vccGnd &= pin::VccGndLatchVccMask;
    SendLatch(link, op::WriteVccGndLatch, im.vccGnd);
    for (int n = 0; n < op::DirectionRegisterCount; ++n) {
        im.direction[static_cast<std::size_t>(n)] = 0xFF;
        WriteDirectionRegister(link, n, 0xFF);
    }
    im.control[0] = 0xFF;
    WriteControlRegister(link, 0, im.control[0]);
    im.control[1] |= reg::Control1Pin20 | reg::Control1Pin40;
    WriteControlRegister(link, 1, im.control[1]);
}

// The registers as the check found them: directions first, so that no pin is
// driven while a switch it met before is still open.
void RestoreSocket(LinkState& link, const RegisterImages& saved) {
    link.images = saved;
    for (int n = 0; n < op::DirectionRegisterCount; ++n) {
        std::uint8_t v = saved.direction[static_cast<std::size_t>(n)];
        if (n == 2) v |= reg::Direction2Unused;
        WriteDirectionRegister(link, n, v);
    }
    for (int n = 0; n < op::ControlRegisterCount; ++n)
        WriteControlRegister(link, n, saved.control[static_cast<std::size_t>(n)]);
    SendByte(link, op::WriteMode);
    SendByte(link, saved.mode);
    SendLatch(link, op::WriteVppLatchA, saved.vppA);
    SendLatch(link, op::WriteVppLatchB, saved.vppB);
    SendLatch(link, op::WriteVccLatchA, saved.vccA);
    SendLatch(link, op::WriteVccGndLatch, saved.vccGnd);
}

} // namespace

OperationResult JudgeSocket(const SocketCheckPlan& plan, SocketReader& reader) {
    if (!plan.refusal.empty()) return OperationResult::refused(plan.refusal);
    const Seat asPlaced{};
    const SocketLevels read = reader.holdLowAndRead(plan.heldPins(asPlaced));
    const SocketLevels expected = plan.expected(asPlaced);
    if (read == expected) return OperationResult::done(kSocketOkText);

    // The lows the part gave besides the pins held.
    SocketLevels held = 0;
    for (int s : plan.heldPins(asPlaced)) held |= SocketPinBit(s);
    const SocketLevels answered = ~read & kAllSocketPinsHigh & ~held;

    // The part's whole pattern at another seat: a few pins answering where the
    // row expects lows may be a part seated elsewhere, pulling only its ground.
    if (reader.holdLowAndRead(plan.heldPins({true, 0})) == plan.expected({true, 0}))
        return OperationResult::failed(kReversedText, 0);
    for (int rows = 1; rows <= plan.highestSeat(); ++rows)
        if (reader.holdLowAndRead(plan.heldPins({false, rows})) == plan.expected({false, rows}))
            return OperationResult::failed(TooHighMessage(rows), 0);

    if (!answered) {
        // Nothing answered: either no part, or its Vcc pin has no contact. Its
        // clamped pins held low pull its ground pin low through the diodes from
        // ground, without the Vcc pin.
        std::vector<int> clampedSockets;
        for (int k : SetBits(plan.clamped))
            if (const int s = plan.socketPinOf(k, asPlaced)) clampedSockets.push_back(s);
        const SocketLevels viaGround = reader.holdLowAndRead(clampedSockets);
        if (Unanswered(plan, plan.groundPins, viaGround).size() == plan.groundPins.size())
            return OperationResult::failed(kNoChipText, 0);
        return OperationResult::failed(BadContactMessage(plan.vccPins), 0);
    }
    // The part answers where the row places it, but not on every pin: the pins
    // that stayed high have no contact. Lows only where no pin should answer,
    // and no seat that explains them, fit no part of this row.
    const std::vector<int> open = Unanswered(plan, PinsPulledLow(plan), read);
    return OperationResult::failed(open.empty() ? QV_TEXT("The pins do not answer as the selected chip's")
                                                : BadContactMessage(open),
                                   0);
}

OperationResult CheckSocket(LinkState& link, const SocketCheckPlan& plan) {
    if (!plan.refusal.empty()) return OperationResult::refused(plan.refusal);
    const RegisterImages saved = link.images;
    ReleaseSocket(link);
    WireReader reader(link);
    const OperationResult result = JudgeSocket(plan, reader);
    // A part turned round or misplaced must not meet the supplies the start
    // switched: after a failure the socket stays released and unpowered.
    if (result.ok()) RestoreSocket(link, saved);
    return result;
}

} // namespace quarvin
