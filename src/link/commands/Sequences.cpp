// Socket sequences built from the link operations: reset, shut-down, power-down,
// the device presence check, the ground switch probe and the loop-back test.
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

// Made while compiling and bounded by the table's own size: an index past its
// end stops the build instead of writing beyond the link state.
constexpr auto kBitReverse = [] {
    decltype(LinkState::bitReverse) table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        int r = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (i & (1u << bit)) r |= 0x80 >> bit;
        table[i] = static_cast<std::uint8_t>(r);
    }
    return table;
}();

} // namespace

void BuildBitReverseTable(LinkState& link) { link.bitReverse = kBitReverse; }

void ResetSocket(LinkState& link) {
    for (int p = 1; p <= pin::Count; ++p) SetPinLatch(link, p, 0);
    SetVppLevel(link, 0);
    WriteAllPorts(link, 0);
    ConnectGround(link, pin::Ground);
    SetClockMode(link, 0);
}

void ShutDownSocket(LinkState& link) {
    BuildBitReverseTable(link);
    ConnectVcc(link, 0);
    ConnectClock(link, 0);
    ConnectGround(link, 0);
    SetVppLevel(link, 0);
}

void PowerDown(LinkState& link) {
    SetVppLevel(link, 0);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    ConnectClock(link, 0);
    SendByte(link, op::PowerOff);
}

int CheckDeviceInSocket(LinkState& link, int a, int b) {
    ConnectClock(link, 0);
    SetPinLatch(link, a, 0);
    SetPinLatch(link, b, 1);
    PinLow(link, a);
    Delay(link, tick::DeviceCheck);
    // Pin b must follow pin a both ways, twice, for a device to be there.
    for (int pass = 0; pass < 2; ++pass) {
        PinLow(link, a);
        int low = ReadPin(link, b);
        PinHigh(link, a);
        int high = ReadPin(link, b);
        if (low == high) {
            ConnectVcc(link, 0);
            bool go = link.prompts &&
                      link.prompts->askYesCancel(QV_TEXT("No any device on programmer!\n\nContinue?"));
            return go ? 1 : 0;
        }
    }
    ConnectVcc(link, 0);
    return 1;
}

int ProbeGroundSwitch(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    Delay(link, tick::GroundProbe);
    SetPinLatch(link, 31, 1);
    ConnectGround(link, 31);
    int r = ReadPin(link, 31);
    ConnectGround(link, 0);
    return r == 0 ? 1 : 0;
}

char GetBoardModel(LinkState& link) {
    if (ProbeGroundSwitch(link) == 0) return 'a';
    // The identification carries " from <port>" after the box's 8-character name.
    return link.identification.compare(0, 8, "pemrav13") == 0 ? 'b' : 'c';
}

int TestLinkLoop(LinkState& link) {
    SetPinLatch(link, pin::LoopTest, 0);
    for (int pass = 0; pass < 101; ++pass) {
        PinHigh(link, pin::LoopTest);
        if (ReadPin(link, pin::LoopTest) == 0) return 0;
        PinLow(link, pin::LoopTest);
        if (ReadPin(link, pin::LoopTest) == 1) return 0;
    }
    return 1;
}

} // namespace quarvin
