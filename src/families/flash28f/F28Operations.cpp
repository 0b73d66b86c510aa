#include "families/flash28f/F28Operations.h"

#include <algorithm>

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

namespace quarvin {

namespace {

using namespace pin::eprom;

// The sequences name their pins: Vcc on socket pin 36, Vpp on pin 5 (the
// part's pin 1), /WE on pin 35.
constexpr int kSupplyPin = f28pin::Supply, kVppPin = f28pin::Vpp, kWriteEnable = ProgramEnable;
constexpr std::uint32_t kPage = 256;
constexpr std::uint32_t kProgramProgressMask = 0x3FF; // Programe reports every 1 KiB
constexpr std::uint8_t kEraseSetup = 0x20, kEraseConfirm = 0x20, kEraseVerify = 0xA0, kIdentify = 0x90;
constexpr std::uint8_t kErased = 0xFF;
constexpr int kEraseWaitTicks = 2000; // about 0.19 s of erasing a round
constexpr std::uint32_t kMakerCodeAddress = 0, kDeviceCodeAddress = 1;

// Rows 11 to 15 take the status-register commands, which our erase and program
// sequences do not send: their failures say so.
std::string WithCommandSetNote(const F28Row& row, std::string message) {
    if (row.commandSet == F28CommandSet::StatusRegister)
        message += " (this type takes status-register commands, which this erase and programming do not send)";
    return message;
}

OperationResult StoppedProgramming(LinkState& link, std::uint32_t a) {
    PowerDownAfterProgramPortsLow(link);
    return OperationResult::stopped(a);
}

// A command written by hand at the address on the socket: data on the pins, a
// /WE pulse inside /CE with /OE high, then /OE low again.
void WriteCommand(LinkState& link, std::uint8_t command) {
    WritePort(link, DataPort, command);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
    PinLow(link, kWriteEnable);
    PinHigh(link, kWriteEnable);
    PinHigh(link, ChipEnable);
    PinLow(link, OutputEnable);
}

// The codes the identifier command gives, on the wiring Erase and Programe use:
// these parts take commands only with 12 V on Vpp (their pin 1, socket pin 5),
// which every row with a part has in the same place. Read only when the step
// saw nothing that only a chip could have answered, so a used chip's stream
// gains nothing. Switching the supply off takes the part out of the identifier
// mode, and the socket is left off.
ChipCodes ReadIdentifierCodes(LinkState& link, const F28Row& row) {
    QuietSocket(link);
    SetVppLevel(link, kF28EraseMillivolts);
    ConnectGround(link, pin::Ground);
    ConnectVccThenPortsHigh(link, kSupplyPin);
    ConnectVpp(link, kVppPin);
    Delay(link, kPowerUpTicks);
    SetDataWidth(link, kWriteBusMode);
    SetF28Address(link, row, kMakerCodeAddress);
    WriteCommand(link, kIdentify);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
    const std::uint8_t maker = ReadPort(link, DataPort);
    SetF28Address(link, row, kDeviceCodeAddress);
    const std::uint8_t device = ReadPort(link, DataPort);
    QuietSocket(link);
    return {maker, device};
}

} // namespace

void SetF28Address(LinkState& link, const F28Row& row, std::uint32_t a) {
    WriteJedecAddress(link, a | row.highAddressMask(), false, kAscendingPortOrder);
}

OperationResult ReadF28(const F28Job& job) {
    return ReadBlocks(
        job.link, job.buffer, kSupplyPin, job.fields.length, job.row.lastAddress,
        [&](std::uint32_t a) { SetF28Address(job.link, job.row, a); }, job.hooks);
}

OperationResult BlankCheckF28(const F28Job& job) {
    return BlankCheckBlocks(
        job.link, kSupplyPin, job.fields.length, job.row.lastAddress,
        [&](std::uint32_t a) { SetF28Address(job.link, job.row, a); }, job.hooks);
}

OperationResult EraseF28(const F28Job& job) {
    LinkState& link = job.link;
    const F28Row& row = job.row;
    // Without a part the sequence would put 12 V on pin 5 of whatever sits there.
    if (!row.hasPart()) return OperationResult::failed("Failured! (no device type selected)", 0);
    job.hooks.say("Erase...", true);
    SetPulseCount(link, kF28PulseCount);
    ConnectGround(link, pin::Ground);
    SetVppLevel(link, kF28EraseMillivolts);
    ConnectVcc(link, kSupplyPin);
    ConnectVpp(link, kVppPin);
    SetDataWidth(link, kWriteBusMode);
    ConnectGround(link, pin::Ground);
    SetF28Address(link, row, 0);
    // A used byte at address 0 is a chip's answer; an empty socket reads FF in
    // the first round and blank everywhere after, as a blank chip does.
    bool blankInFirstRound = false;
    for (int round = 0; round < kF28EraseRounds; ++round) {
        if (job.hooks.stop()) return StoppedProgramming(link, 0);
        SetDataWidth(link, kWriteBusMode);
        SendDeviceCommand(link, kEraseSetup, kEraseConfirm);
        Delay(link, kEraseWaitTicks);
        // The erase-verify command stops the erase; the byte at address 0 then
        // reads back with the erase margin.
        WriteCommand(link, kEraseVerify);
        SetDataWidth(link, kReadBusMode);
        PinLow(link, ChipEnable);
        if (ReadPort(link, DataPort) == kErased) {
            blankInFirstRound = round == 0;
            break;
        }
    }
    PowerDownAfterProgramPortsLow(link);
    OperationResult blank = BlankCheckF28(job);
    if (!blank.ok()) blank.message = WithCommandSetNote(row, blank.message);
    if (blank.ok() && blankInFirstRound)
        if (auto noChip = FailUnlessCodesAnswer(ReadIdentifierCodes(link, row), PresenceCheckedStep::Erase, 0))
            return *noChip;
    return blank;
}

static OperationResult WriteF28(const F28Job& job) {
    LinkState& link = job.link;
    const F28Row& row = job.row;
    if (!row.hasPart()) return OperationResult::failed("Programe Failured! (no device type selected)", 0);
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Programe Failured! (nothing to program)", s.device);
    job.hooks.say("Programming...", true);
    QuietSocket(link);
    SetPulseCount(link, kF28PulseCount);
    SetVppLevel(link, row.programMillivolts);
    ConnectVccThenPortsHigh(link, kSupplyPin);
    PinHigh(link, kWriteEnable);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
    ConnectVpp(link, kVppPin);
    ConnectGround(link, pin::Ground);
    Delay(link, kPowerUpTicks);
    SetDataWidth(link, kWriteBusMode);
    SetF28Address(link, row, s.device);
    job.hooks.show(s.device, row.lastAddress);
    PinLow(link, ChipEnable);
    PinHigh(link, OutputEnable);
    // Only a chip reads back a byte other than FF; a run of FF bytes alone
    // succeeds on an empty socket too.
    // The box pulses until the byte reads back right or its pulses run out,
    // and answers with the last read: anything else is a byte that did not take.
    const ProgramCommand command{op::Program28F,
                                 kF28PulseCount * (boxtime::F28ProgramPulseMicroseconds + boxtime::F28VerifySettleMicroseconds),
                                 [](std::uint8_t wanted, std::uint8_t back) { return back != wanted; }};
    const ProgramRun run = ProgramBytes(
        link, job.buffer, s, row.lastAddress, kPage, command, [&](std::uint32_t a) { SetF28Address(link, row, a); },
        job.hooks, ProgramPolls{true, kProgramProgressMask});
    if (run.end == ProgramRun::End::Stopped) return StoppedProgramming(link, run.address);
    if (run.end == ProgramRun::End::Failed) {
        PowerDownAfterProgramPortsLow(link);
        return OperationResult::failed(WithCommandSetNote(row, Format("Programe Failured! at %06x", run.address)),
                                       run.address);
    }
    const bool chipAnswered = std::any_of(job.buffer.data() + s.buffer, job.buffer.data() + s.buffer + s.count,
                                          [](std::uint8_t d) { return d != kEmptySocketByte; });
    job.hooks.show(s.device + s.count - 1, row.lastAddress);
    PowerDownAfterFlashProgram(link);
    if (!chipAnswered)
        if (auto noChip =
                FailUnlessCodesAnswer(ReadIdentifierCodes(link, row), PresenceCheckedStep::Program, s.device))
            return *noChip;
    return OperationResult::done("OK", EndOfBufferNote(s));
}

OperationResult VerifyF28(const F28Job& job) {
    LinkState& link = job.link;
    const F28Row& row = job.row;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Failured! (nothing to verify)", s.device);
    job.hooks.say("Verify...", true);
    QuietSocket(link);
    PowerUpThenPortsHigh(link, kSupplyPin, true);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
    Delay(link, kSettleTicks);
    SetF28Address(link, row, s.device);
    // The address goes out again at each 256-byte device page; progress and the
    // stop poll come after the first byte of each 256 compared. The reads between
    // two of these points go as one run, which ends early at a difference; reads
    // already sent past it only read the device, which is powered down right after.
    std::array<std::uint8_t, kPage> got{};
    for (std::uint32_t i = 0; i < s.count;) {
        const std::uint32_t a = s.device + i;
        if (a % kPage == 0) SetF28Address(link, row, a);
        const bool pollAfterFirst = i % kPage == 0;
        const std::uint32_t n =
            pollAfterFirst ? 1 : std::min({s.count - i, kPage - a % kPage, kPage - i % kPage});
        const std::size_t read = ReadNextBytes(link, got.data(), n, [&](std::size_t k, std::uint8_t v) {
            return v != job.buffer[s.buffer + i + static_cast<std::uint32_t>(k)];
        });
        const std::uint32_t last = i + static_cast<std::uint32_t>(read) - 1;
        const std::uint32_t at = s.device + last;
        if (pollAfterFirst) {
            job.hooks.show(at, row.lastAddress);
            if (job.hooks.stop()) {
                PortsLowThenVccOff(link);
                return OperationResult::stopped(at);
            }
        }
        const std::uint8_t file = job.buffer[s.buffer + last], device = got[read - 1];
        if (device != file) {
            PortsLowThenVccOff(link);
            return OperationResult::failed(Format("%06x:Bad! (file=%02x,Device=%02x)", at, file, device), at);
        }
        i = last + 1;
    }
    job.hooks.show(s.device + s.count - 1, row.lastAddress);
    PowerDownAfterReadPortsLow(link);
    return OperationResult::done("Verify OK", EndOfBufferNote(s));
}

OperationResult ProgramF28(const F28Job& job) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteF28(job); }, [&] { return VerifyF28(job); });
}

} // namespace quarvin
