// Vpp, Vcc and ground switching and the Vpp and Vcc levels. The latches are
// write-only: each change is made on the image and the whole latch is sent,
// followed by the settling delay the switches need.
#include <array>
#include <iterator>
#include <span>
#include <vector>

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

struct VppRow {
    int millivolts;
    std::uint8_t code;
};

// Vpp generator codes by level; any other level switches Vpp off (code 0).
constexpr VppRow VppCodes[] = {
    {10000, 2}, {10800, 3}, {12000, 4}, {12500, 5}, {12700, 5}, {13000, 5},
    {13300, 8}, {13800, 9}, {14000, 9}, {14500, 9}, {16500, 9}, {21000, 7},
    {25000, 12},
};

// Bit of pin p in a latch whose bits are listed by pin, or -1.
int bitOf(std::span<const int> pins, int p) {
    for (std::size_t i = 0; i < pins.size(); ++i)
        if (pins[i] == p) return static_cast<int>(i);
    return -1;
}

std::uint8_t bitMask(int bit) { return static_cast<std::uint8_t>(1u << bit); }

void sendLatch(LinkState& link, std::uint8_t opcode, std::uint8_t v, int ticks) {
    SendByte(link, opcode);
    SendByte(link, v);
    Delay(link, ticks);
}

void sendVppLatches(LinkState& link) {
    sendLatch(link, op::WriteVppLatchA, link.images.vppA, tick::VppLatch);
    sendLatch(link, op::WriteVppLatchB, link.images.vppB, tick::VppLatch);
}

void openAllVpp(RegisterImages& im) {
    im.vppA = 0;
    im.vppB &= static_cast<std::uint8_t>(~pin::VppLatchBSwitchMask);
}

} // namespace

std::uint8_t VppCode(int millivolts) {
    for (const auto& row : VppCodes)
        if (row.millivolts == millivolts) return row.code;
    return 0;
}

void SetVppLevel(LinkState& link, int millivolts) { WriteVppCode(link, VppCode(millivolts)); }

void WriteVppCode(LinkState& link, std::uint8_t code) {
    auto& im = link.images;
    auto inverted = static_cast<std::uint8_t>(~code & reg::Control1VppCodeMask);
    im.control[1] = static_cast<std::uint8_t>((im.control[1] & ~reg::Control1VppCodeMask) | inverted);
    WriteControlRegister(link, 1, im.control[1]);
    im.mode &= static_cast<std::uint8_t>(~reg::ModeVppMask);
    SendByte(link, op::WriteMode);
    SendByte(link, im.mode);
}

void ConnectVpp(LinkState& link, int p) {
    auto& im = link.images;
    if (p == 0) {
        openAllVpp(im);
    } else if (int a = bitOf(pin::VppLatchAPins, p); a >= 0) {
        im.vppA |= bitMask(a);
    } else if (int b = bitOf(pin::VppLatchBPins, p); b >= 0) {
        im.vppB |= bitMask(b);
    }
    sendVppLatches(link);
}

void ReleaseVpp(LinkState& link, int p) {
    auto& im = link.images;
    if (p == 0) {
        openAllVpp(im);
    } else if (int a = bitOf(pin::VppLatchAPins, p); a >= 0) {
        im.vppA &= static_cast<std::uint8_t>(~bitMask(a));
    } else if (int b = bitOf(pin::VppLatchBReleasePins, p); b >= 0) {
        im.vppB &= static_cast<std::uint8_t>(~bitMask(b));
    }
    sendVppLatches(link);
}

// The pins whose Vcc switch the images show closed (a clear bit closes it).
static std::vector<int> switchedVccPins(const RegisterImages& im) {
    std::vector<int> pins;
    for (std::size_t i = 0; i < std::size(pin::VccLatchAPins); ++i)
        if (!(im.vccA & bitMask(static_cast<int>(i)))) pins.push_back(pin::VccLatchAPins[i]);
    for (std::size_t i = 0; i < std::size(pin::VccGndLatchVccPins); ++i)
        if (!(im.vccGnd & bitMask(static_cast<int>(i)))) pins.push_back(pin::VccGndLatchVccPins[i]);
    return pins;
}

std::vector<int> SwitchedVccPins(const LinkState& link) { return switchedVccPins(link.images); }

void PortsLowButSwitchedVcc(LinkState& link, int fedPin) {
    PortsLowButSwitchedVcc(link, fedPin != 0 ? std::vector<int>{fedPin} : std::vector<int>{});
}

void PortsLowButSwitchedVcc(LinkState& link, const std::vector<int>& kept) {
    std::array<std::uint8_t, op::PortCount> ports{};
    std::vector<int> held = switchedVccPins(link.images);
    held.insert(held.end(), kept.begin(), kept.end());
    for (int q : held)
        if (const int i = pin::portIndex(q); i >= 0) ports[i >> 3] |= static_cast<std::uint8_t>(1u << (i & 7));
    for (int n = 0; n < op::PortCount; ++n) WritePort(link, n, ports[n]);
}

void ConnectVcc(LinkState& link, int p) {
    auto& im = link.images;
    const std::vector<int> before = switchedVccPins(im);
    if (p == 0 && link.portsLowBeforeVccOff && !before.empty()) PortsLowButSwitchedVcc(link, link.keptHighAtVccOff);
    if (p != 0) PinHigh(link, p);
    im.vccA = 0xFF;
    im.vccGnd |= pin::VccGndLatchVccMask;
    if (int a = bitOf(pin::VccLatchAPins, p); a >= 0)
        im.vccA &= static_cast<std::uint8_t>(~bitMask(a));
    else if (int g = bitOf(pin::VccGndLatchVccPins, p); g >= 0)
        im.vccGnd &= static_cast<std::uint8_t>(~bitMask(g));
    sendLatch(link, op::WriteVccLatchA, im.vccA, tick::VccLatch);
    sendLatch(link, op::WriteVccGndLatch, im.vccGnd, tick::VccLatch);
    // The pin that was switched to Vcc was driven high to meet the switch; with
    // the switch open that driver alone would keep feeding the part, so it goes
    // low once the switch no longer holds the pin.
    for (int q : before)
        if (q != p) PinLow(link, q);
}

void ConnectGround(LinkState& link, int p) {
    auto& im = link.images;
    im.vccGnd &= pin::VccGndLatchVccMask;
    PinLow(link, p);
    if (int g = bitOf(pin::VccGndLatchGroundPins, p); g >= 0)
        im.vccGnd |= bitMask(g + pin::VccGndLatchGroundShift);
    sendLatch(link, op::WriteVccGndLatch, im.vccGnd, tick::VccLatch);
}

void SetVccLevel(LinkState& link, int level) {
    auto& im = link.images;
    if (level == reg::VccRaised)
        im.vppB &= static_cast<std::uint8_t>(~pin::VppLatchBNormalVcc);
    else
        im.vppB |= pin::VppLatchBNormalVcc;
    sendLatch(link, op::WriteVppLatchB, im.vppB, tick::VccLevel);
}

void ConnectVccSwitched(LinkState& link, int p) {
    // Only the box model matters, not the " from <port>" suffix of the text.
    bool fixedLevelBox = link.identification.compare(0, 8, "zomexv52") == 0;
    if (!fixedLevelBox) {
        if (p == 0) {
            SetVccLevel(link, 5);
            ConnectVcc(link, 0);
            return;
        }
        SetVccLevel(link, reg::VccRaised);
    }
    ConnectVcc(link, p);
}

} // namespace quarvin
