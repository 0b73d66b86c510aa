#include "families/flash29f/F29ToggleErase.h"

#include <cmath>

#include "families/framework/ChipPresence.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "forms/HexText.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr int kDq6Pin = 24; // I/O6 (chip pin 20) in the socket
// Between two toggle-bit reads: about 0.1 s of line time. Neither data sheet
// sets an interval (AT49F040, Rev. 0998D: "examining the toggle bit may begin
// at any time"; MX29F040, PM0538: "successive read cycles to any address cause
// Q6 to toggle").
constexpr int kPollTicks = kPowerUpTicks;

// One read cycle (/OE falling with /CE low) and the level of I/O6 in it.
bool ReadToggleBit(LinkState& link) {
    PinHigh(link, OutputEnable);
    PinLow(link, OutputEnable);
    return ReadPin(link, kDq6Pin);
}

int PollsFor(std::uint32_t milliseconds) {
    const double pollMicroseconds = kPollTicks * LineCharMicroseconds;
    return static_cast<int>(std::ceil(milliseconds * 1000.0 / pollMicroseconds)) + 1;
}

OperationResult EraseSteps(const F29Job& job, std::uint32_t eraseLimitMs) {
    LinkState& link = job.link;
    const F29Row& row = job.row;
    if (row.chip == nullptr) return OperationResult::failed("Failured! (no device type selected)", 0);
    // The AT49F040's outputs are rated "-0.6 V to Vcc + 0.6 V" ("Absolute
    // Maximum Ratings"): every port low until the supply is on, then the idle levels.
    PortsLowThenVccOff(link);
    ConnectGround(link, pin::Ground);
    ConnectVcc(link, row.supplyPin);
    Delay(link, kPowerUpTicks);
    WriteAllPorts(link, 255);
    ChooseF29BusMode(link);
    SetDataWidth(link, kWriteBusMode);
    // Chip Erase, 6 bus cycles (AT49F040 "Command Definition (in Hex)";
    // MX29F040 "Table 1", whose 555H/2AAH are the low bits of 5555/2AAA).
    SendF29ChipErase(link, row);
    SetDataWidth(link, kReadBusMode);
    // "Any address location may be used but the address should not vary."
    SetF29Address(link, row, row.lastAddress);
    PinLow(link, ChipEnable);
    // "During a program or erase operation, successive attempts to read data
    // from the device will result in I/O6 toggling ... Once the program cycle
    // has completed, I/O6 will stop toggling" (AT49F040; the MX29F040's Q6
    // "stops toggling" likewise). An empty socket never toggles; its codes
    // tell it from a part that finished at once.
    bool toggled = false;
    bool previous = ReadToggleBit(link);
    const int polls = PollsFor(eraseLimitMs);
    for (int n = 0; n < polls; ++n) {
        job.hooks.say(Format("Erase...%d", n), true);
        if (job.hooks.stop()) return StoppedPortsLow(link, 0);
        Delay(link, kPollTicks);
        const bool now = ReadToggleBit(link);
        if (now == previous) break;
        toggled = true;
        previous = now;
    }
    PinHigh(link, OutputEnable);
    PinHigh(link, ChipEnable);
    PortsLowThenVccOff(link);
    OperationResult blank = BlankCheckF29(job);
    if (blank.ok() && !toggled)
        if (auto noChip = FailUnlessCodesAnswer(ReadF29Codes(link, row), PresenceCheckedStep::Erase, 0))
            return *noChip;
    return blank;
}

} // namespace

OperationResult EraseF29ByToggleBit(const F29Job& job, std::uint32_t eraseLimitMs) {
    return EraseSteps(job, eraseLimitMs);
}

OperationResult BlankCheckF29Answered(const F29Job& job) {
    OperationResult blank = BlankCheckF29(job);
    if (blank.ok() && job.row.chip != nullptr)
        if (auto noChip = FailUnlessCodesAnswer(ReadF29Codes(job.link, job.row), PresenceCheckedStep::Blank, 0))
            return *noChip;
    return blank;
}

} // namespace quarvin
