#include "families/flash29f/F29Operations.h"

#include <algorithm>
#include <array>

#include "families/framework/ChipPresence.h"
#include "families/framework/JedecAddress.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "families/framework/ProgramLoop.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/BoxTimes.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr std::uint32_t kPage = 256;
constexpr std::uint32_t kProgressPages = 4096;
constexpr int kDq6Pin = 24, kDq7Pin = 25, kA9Pin = 30;
constexpr int kWriteEnable = ProgramEnable; // /WE of the 32-pin flash: socket pin 35
constexpr int kEraseAttempts = 20, kStatusWaits = 10;

constexpr std::uint32_t kUnlockAddress1 = 0x5555, kUnlockAddress2 = 0x2AAA;
constexpr std::uint8_t kUnlockData1 = 0xAA, kUnlockData2 = 0x55;
constexpr std::uint8_t kIdentifyCommand = 0x90, kResetCommand = 0xF0;

} // namespace

void WriteF29Command(LinkState& link, const F29Row& row, std::uint32_t a, std::uint8_t d) {
    SetF29Address(link, row, a);
    PinHigh(link, OutputEnable);
    WritePort(link, DataPort, d);
    PinLow(link, ChipEnable);
    PinLow(link, kWriteEnable);
    PinHigh(link, kWriteEnable);
    PinHigh(link, ChipEnable);
}

void SendF29ChipErase(LinkState& link, const F29Row& row) {
    for (auto [a, d] : {std::pair{0x5555u, 0xAA}, {0x2AAAu, 0x55}, {0x5555u, 0x80}, {0x5555u, 0xAA},
                        {0x2AAAu, 0x55}, {0x5555u, 0x10}})
        WriteF29Command(link, row, a, static_cast<std::uint8_t>(d));
}

ChipCodes ReadF29Codes(LinkState& link, const F29Row& row) {
    QuietSocket(link);
    ConnectGround(link, pin::Ground);
    ConnectVccThenPortsHigh(link, row.supplyPin);
    Delay(link, kPowerUpTicks);
    ChooseF29BusMode(link);
    SetDataWidth(link, kWriteBusMode);
    WriteF29Command(link, row, kUnlockAddress1, kUnlockData1);
    WriteF29Command(link, row, kUnlockAddress2, kUnlockData2);
    WriteF29Command(link, row, kUnlockAddress1, kIdentifyCommand);
    SetDataWidth(link, kReadBusMode);
    SetF29Address(link, row, 0);
    EnableOutputs(link);
    const std::uint8_t maker = ReadPort(link, DataPort);
    SetF29Address(link, row, 1);
    const std::uint8_t device = ReadPort(link, DataPort);
    SetDataWidth(link, kWriteBusMode);
    WriteF29Command(link, row, 0, kResetCommand);
    QuietSocket(link);
    return {maker, device};
}

void ChooseF29BusMode(LinkState& link) {
    // The 32-pin bus mode leaves socket pins 7 and 8 as inputs, and pin 8 is
    // address bit 12 of these parts: undriven, it would read high and every
    // write (the unlock at 2AAA included) would land 4 KiB off. Both are driven
    // again, as the 28C family does after its bus mode.
    ChooseJedecBusMode(link, false);
}

namespace {

void ChooseBusMode(LinkState& link) { ChooseF29BusMode(link); }

bool Placeholder(const F29Row& row) { return row.chip == nullptr; }

} // namespace

std::array<std::uint8_t, 5> EncodeF29Address(std::uint32_t a) { return EncodeJedecAddress(a, false); }

void SetF29Address(LinkState& link, const F29Row& row, std::uint32_t a) {
    WriteJedecAddress(link, a | row.highAddressMask(), false);
}

namespace {

OperationResult ReadSteps(const F29Job& job) {
    return ReadBlocks(
        job.link, job.buffer, job.row.supplyPin, job.fields.length, job.row.lastAddress,
        [&](std::uint32_t a) { SetF29Address(job.link, job.row, a); }, job.hooks);
}

OperationResult BlankCheckSteps(const F29Job& job) {
    return BlankCheckBlocks(
        job.link, job.row.supplyPin, job.fields.length, job.row.lastAddress,
        [&](std::uint32_t a) { SetF29Address(job.link, job.row, a); }, job.hooks);
}

OperationResult EraseSteps(const F29Job& job) {
    LinkState& link = job.link;
    const F29Row& row = job.row;
    if (Placeholder(row)) return OperationResult::failed("Failured! (no device type selected)", 0);
    QuietSocket(link);
    Delay(link, kSettleTicks);
    // Ground first: after the start or a Sum nothing else grounds the chip.
    ConnectGround(link, pin::Ground);
    ConnectVccThenPortsHigh(link, row.supplyPin);
    if (row.eraseVppPin) {
        SetVppLevel(link, kF29EraseVppMillivolts);
        ConnectVpp(link, row.eraseVppPin);
    }
    ChooseBusMode(link);
    SetF29Address(link, row, 0);
    Delay(link, kSettleTicks);
    // A chip erasing shows DQ7 low; an empty socket reads it high at once and
    // then blank everywhere, which must not pass for an erased chip.
    bool sawBusy = false;
    for (int n = 0; n < kEraseAttempts; ++n) {
        job.hooks.say(Format("Erase...%d", n), true);
        if (job.hooks.stop()) {
            ConnectVpp(link, 0);
            return StoppedPortsLow(link, 0);
        }
        SetDataWidth(link, kWriteBusMode);
        PinHigh(link, OutputEnable);
        SendF29ChipErase(link, row);
        Delay(link, kPowerUpTicks);
        SetDataWidth(link, kReadBusMode);
        PinLow(link, OutputEnable);
        PinLow(link, ChipEnable);
        for (int w = 0; w < kStatusWaits; ++w) {
            Delay(link, kPowerUpTicks);
            if (ReadPin(link, kDq6Pin)) break;
        }
        if (ReadPin(link, kDq7Pin)) break;
        sawBusy = true;
    }
    ConnectVpp(link, 0);
    if (row.eraseVppPin) SetVppLevel(link, 0);
    PortsLowThenVccOff(link);
    OperationResult blank = BlankCheckSteps(job);
    // A fast part may finish before the first status read: its codes tell it
    // from an empty socket.
    if (blank.ok() && !sawBusy)
        if (auto noChip = FailUnlessCodesAnswer(ReadF29Codes(link, row), PresenceCheckedStep::Erase, 0))
            return *noChip;
    return blank;
}

} // namespace

// The SST parts rate their pins "-0.5 V to Vdd + 0.5 V": every operation
// raises the ports only once the supply is on and takes them low before it goes.
OperationResult ReadF29(const F29Job& job) { return ReadSteps(job); }
OperationResult BlankCheckF29(const F29Job& job) { return BlankCheckSteps(job); }
OperationResult EraseF29(const F29Job& job) { return EraseSteps(job); }

static OperationResult WriteF29(const F29Job& job) {
    LinkState& link = job.link;
    const F29Row& row = job.row;
    if (Placeholder(row)) return OperationResult::failed("Programe Failured! (no device type selected)", 0);
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed(QV_TEXT("Programe Failured! (nothing to program)"), s.device);
    job.hooks.say("Programming...", true);
    QuietSocket(link);
    ConnectGround(link, pin::Ground);
    SetVppLevel(link, row.programMillivolts);
    ConnectVccThenPortsHigh(link, row.supplyPin);
    PinHigh(link, kWriteEnable);
    Delay(link, kPowerUpTicks);
    ChooseBusMode(link);
    SetDataWidth(link, kWriteBusMode);
    SetF29Address(link, row, s.device);
    job.hooks.show(s.device, row.lastAddress);
    // Only a chip reads back a byte other than FF; a run of FF bytes alone
    // succeeds on an empty socket too.
    const ProgramCommand command{op::ProgramFlash, boxtime::F29ProgramPollLimitMicroseconds,
                                 [](std::uint8_t wanted, std::uint8_t back) { return back != wanted; }};
    const ProgramRun run = ProgramBytes(
        link, job.buffer, s, row.lastAddress, kPage, command, [&](std::uint32_t a) { SetF29Address(link, row, a); },
        job.hooks);
    if (run.end == ProgramRun::End::Stopped) return StoppedPortsLow(link, run.address);
    if (run.end == ProgramRun::End::Failed) {
        PortsLowThenVccOff(link);
        PinLow(link, OutputEnable);
        PinLow(link, ChipEnable);
        return OperationResult::failed(Format("Programe Failured! at %06x", run.address), run.address);
    }
    const bool chipAnswered = std::any_of(job.buffer.data() + s.buffer, job.buffer.data() + s.buffer + s.count,
                                          [](std::uint8_t d) { return d != kEmptySocketByte; });
    job.hooks.show(s.device + s.count - 1, row.lastAddress);
    PowerDownAfterFlashProgram(link);
    if (!chipAnswered)
        if (auto noChip =
                FailUnlessCodesAnswer(ReadF29Codes(link, row), PresenceCheckedStep::Program, s.device))
            return *noChip;
    return OperationResult::done("OK!", EndOfBufferNote(s));
}

namespace {

OperationResult VerifySteps(const F29Job& job) {
    LinkState& link = job.link;
    const F29Row& row = job.row;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed(QV_TEXT("Failured! (nothing to verify)"), s.device);
    job.hooks.say("Verify...", true);
    QuietSocket(link);
    ChooseBusMode(link);
    PowerUpThenPortsHigh(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
    Delay(link, kSettleTicks);
    SetF29Address(link, row, s.device);
    // Runs of reads up to each page end; a run ends early at the first byte that
    // differs. Reads already sent past it only read the device, which is powered
    // down right after, so they change neither the result nor the message.
    std::array<std::uint8_t, kPage> page{};
    for (std::uint32_t i = 0; i < s.count;) {
        const std::uint32_t a = s.device + i;
        if (a % kPage == 0) SetF29Address(link, row, a);
        const std::uint32_t n = std::min(s.count - i, kPage - a % kPage);
        const std::size_t got = ReadNextBytes(link, page.data(), n, [&](std::size_t k, std::uint8_t v) {
            return v != job.buffer[s.buffer + i + static_cast<std::uint32_t>(k)];
        });
        const std::uint32_t last = i + static_cast<std::uint32_t>(got) - 1;
        const std::uint32_t lastAddress = s.device + last;
        if (page[got - 1] != job.buffer[s.buffer + last]) {
            PortsLowThenVccOff(link);
            return OperationResult::failed(Format("%06x: Bad!", lastAddress), lastAddress);
        }
        if (lastAddress % kPage == kPage - 1) {
            job.hooks.show(lastAddress, row.lastAddress);
            if (job.hooks.stop()) return StoppedPortsLow(link, lastAddress);
        }
        i = last + 1;
    }
    job.hooks.show(s.device + s.count - 1, row.lastAddress);
    PowerDownAfterReadPortsLow(link);
    return OperationResult::done("Verify OK", EndOfBufferNote(s));
}

OperationResult SumSteps(const F29Job& job) {
    LinkState& link = job.link;
    const F29Row& row = job.row;
    job.hooks.say("Check sum", true);
    PowerUp(link, row.supplyPin, false);
    SetDataWidth(link, kReadBusMode);
    const PageSum pages = SumPages(
        link, row.lastAddress, [&](std::uint32_t a) { SetF29Address(link, row, a); }, job.hooks);
    return SumOutcomePortsLow(link, pages, "字节累加后的和 = ");
}

} // namespace

OperationResult VerifyF29(const F29Job& job) { return VerifySteps(job); }
OperationResult SumF29(const F29Job& job) { return SumSteps(job); }

OperationResult UnprotectF29(const F29Job& job) {
    LinkState& link = job.link;
    const F29Row& row = job.row;
    if (Placeholder(row)) return OperationResult::failed("Failured! (no device type selected)", 0);
    job.hooks.say(QV_TEXT("Unprotect Chip..."), true);
    // The chip is grounded before it is powered, and powered before the
    // address sets any pin high.
    ConnectGround(link, pin::Ground);
    ConnectVcc(link, row.supplyPin);
    SetF29Address(link, row, 0);
    WritePort(link, DataPort, 0);
    SetVppLevel(link, kF29EraseVppMillivolts);
    Delay(link, kSettleTicks);
    PinLow(link, ChipEnable);
    PinHigh(link, kA9Pin);
    ConnectVpp(link, kA9Pin);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    Delay(link, 120);
    PinHigh(link, ChipEnable);
    Delay(link, kSettleTicks);
    ConnectVpp(link, 0);
    SetVppLevel(link, 0);
    // A9, /CE and the address pins set above would feed the unpowered part.
    PortsLowThenVccOff(link);
    return OperationResult::done("Finished");
}

OperationResult ProgramF29(const F29Job& job) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteF29(job); }, [&] { return VerifyF29(job); });
}

} // namespace quarvin
