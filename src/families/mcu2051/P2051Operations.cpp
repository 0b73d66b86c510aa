#include "families/mcu2051/P2051Operations.h"

#include "families/mcu2051/P2051Pins.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "platform/Platform.h"
#include "forms/Texts.h"

namespace quarvin {

namespace socket = p2051pin;

namespace {

constexpr int kProgrammingMillivolts = 12000;
constexpr int kSupplyTicks = 1000;
constexpr int kResetTicks = 100;
constexpr int kEraseTicks = 5000;
constexpr int kLockPulseTicks = 500;
constexpr int kSignatureSettleTicks = 5000;
constexpr int kCheckReads = 129;

constexpr std::uint32_t kReadProgressEvery = 16;
constexpr std::uint32_t kVerifyProgressEvery = 32;
constexpr std::uint32_t kProgramProgressMask = 0x3F;

void Mode(LinkState& link, const P2051Mode& m) {
    SetPin(link, m.p33, socket::P33);
    SetPin(link, m.p34, socket::P34);
    SetPin(link, m.p35, socket::P35);
    SetPin(link, m.p37, socket::P37);
}

// One XTAL1 pulse: the chip's address counter advances by one.
void NextAddress(LinkState& link) {
    PinHigh(link, socket::Xtal1);
    PinLow(link, socket::Xtal1);
}

// Powered, read-code mode, P1 as inputs: the start of Read, Blank and Verify.
void ReadSetup(LinkState& link) {
    PrepareP2051(link);
    Mode(link, kP2051ReadCode);
    SetDataWidth(link, socket::DataBusIn);
}

// The byte at address 0, 129 times; true when every read gave 0xFF. The reads
// go out ahead of their replies; none is sent after one that was not 0xFF.
bool ReadsErased(LinkState& link) {
    CommandsAhead reads(link);
    bool erased = true;
    for (int i = 0; i < kCheckReads && erased; ++i)
        reads.send({op::SerialRead}, 1, 0, [&erased](std::uint16_t v) { erased = erased && v == 0xFF; });
    reads.drain();
    return erased;
}

// The byte's write: P1 driven with d and a PROG pulse under 12 V. The part is
// busy from PROG's rise until RDY/BSY reads high; returns the link's byte count
// at that rise.
std::uint64_t StartByteWrite(LinkState& link, std::uint8_t d) {
    PinHigh(link, socket::P34);
    ConnectVpp(link, socket::RstVpp);
    DriveSerialMcuBus(link, d);
    PinLow(link, socket::Prog);
    PinHigh(link, socket::Prog);
    const std::uint64_t started = link.bytesSent;
    ConnectVpp(link, 0);
    PinLow(link, socket::P34);
    return started;
}

void WriteLockBit(LinkState& link, std::uint8_t modePort) {
    PrepareP2051(link);
    ConnectVpp(link, socket::RstVpp);
    SetDataWidth(link, socket::DataBusOut);
    WritePort(link, 3, 0xFF);
    WritePort(link, socket::ModePort, modePort);
    WritePort(link, 1, 0xFF);
    PinLow(link, socket::Prog);
    Delay(link, kLockPulseTicks);
    PinHigh(link, socket::Prog);
    ConnectVpp(link, 0);
}

// Vpp off first, then Vcc: the part is not left powered when Programe reports.
void SwitchOffAfterProgramming(LinkState& link) {
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
}

OperationResult StoppedAfterRead(LinkState& link, std::uint32_t a) {
    ConnectVcc(link, 0);
    return OperationResult::stopped(a);
}

} // namespace

std::optional<OperationResult> CheckP2051Presence(LinkState& link) {
    ConnectGround(link, socket::Ground);
    ConnectVcc(link, socket::Vcc);
    PinHigh(link, socket::RstVpp);
    PinLow(link, socket::RstVpp);
    return CheckPresence(link, socket::Xtal1, socket::Xtal2);
}

void PrepareP2051(LinkState& link) {
    SetVppLevel(link, kProgrammingMillivolts);
    Delay(link, kSupplyTicks);
    SetDataWidth(link, socket::DataBusIn);
    SetPinLatch(link, socket::Xtal2, 1);
    SetPinLatch(link, socket::Xtal1, 0);
    ConnectGround(link, socket::Ground);
    ConnectVcc(link, 0);
    PinLow(link, socket::Vcc);
    ConnectVcc(link, socket::Vcc);
    PinLow(link, socket::RstVpp);
    PinLow(link, socket::Xtal1);
    Delay(link, kResetTicks);
    PinHigh(link, socket::RstVpp);
    PinHigh(link, socket::Prog);
}

namespace {

// The code memory from address 0 through the row's end: the data port read,
// then the clock pulse on XTAL1 that steps the part's address counter.
McuReadRun ReadCode(const P2051Job& job, std::uint32_t progressEvery,
                    const std::function<bool(std::uint32_t a, std::uint8_t v)>& take) {
    McuReadLoop loop;
    loop.last = job.row.lastAddress;
    loop.rowLast = job.row.lastAddress;
    loop.progressEvery = progressEvery;
    return ReadMcuBytes(
        job.link, loop, job.hooks, op::SerialRead, [&job](std::uint32_t) { NextAddress(job.link); }, take);
}

} // namespace

OperationResult ReadP2051(const P2051Job& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP2051Presence(link)) return *refusal;
    job.hooks.say("Reading...", true);
    PrepareP2051(link);
    SetDataWidth(link, socket::DataBusIn);
    Mode(link, kP2051ReadCode);
    const std::uint32_t last = job.row.lastAddress;
    StagedRead read(last);
    const McuReadRun run = ReadCode(job, kReadProgressEvery, [&](std::uint32_t n, std::uint8_t v) {
        read[n] = v;
        return true;
    });
    read.commit(job.buffer, run);
    if (run.end == McuReadRun::End::Stopped) return StoppedAfterRead(link, run.at);
    job.hooks.show(last, last);
    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    return OperationResult::done("Finished");
}

OperationResult EraseP2051(const P2051Job& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP2051Presence(link)) return *refusal;
    job.hooks.say("Erase...", true);
    PrepareP2051(link);
    PinHigh(link, socket::Prog);
    Mode(link, kP2051WriteCode);
    SetVppLevel(link, kProgrammingMillivolts);
    Delay(link, kSupplyTicks);
    ConnectVpp(link, socket::RstVpp);
    Delay(link, kSupplyTicks);

    SetDataWidth(link, socket::DataBusOut);
    // The preparation switches Vcc off and on again: the 12 V on RST/Vpp goes
    // first, as the part's data sheet asks (Vcc on before Vpp, off after it).
    ConnectVpp(link, 0);
    PrepareP2051(link);
    Mode(link, kP2051ChipErase);
    PinHigh(link, socket::RstVpp);
    ConnectVpp(link, socket::RstVpp);
    PinLow(link, socket::Prog);
    Delay(link, kEraseTicks);
    PinHigh(link, socket::Prog);

    ConnectVpp(link, 0);
    ConnectVcc(link, 0);
    Delay(link, kSupplyTicks);
    PrepareP2051(link);
    Mode(link, kP2051ReadCode);
    SetDataWidth(link, socket::DataBusIn);
    const bool erased = ReadsErased(link);
    ConnectVcc(link, 0);
    if (erased) return OperationResult::done("Finished");
    OperationResult failed = OperationResult::failed("Error!", 0);
    failed.value = kEraseFailedFlag;
    return failed;
}

OperationResult BlankP2051(const P2051Job& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP2051Presence(link)) return *refusal;
    job.hooks.say("Blanking...", true);
    ReadSetup(link);
    const std::uint32_t last = job.row.lastAddress;
    const McuReadRun run =
        ReadCode(job, kReadProgressEvery, [](std::uint32_t, std::uint8_t byte) { return byte == 0xFF; });
    if (run.end == McuReadRun::End::Stopped) return StoppedAfterRead(link, run.at);
    // Like Read, Blank ends with the part switched off, whatever it found.
    ConnectVcc(link, 0);
    if (run.end == McuReadRun::End::Rejected) {
        job.hooks.show(run.at, last);
        return OperationResult::failed("Not blank!", run.at);
    }
    job.hooks.show(last, last);
    return OperationResult::done("Blank OK!");
}

static OperationResult WriteP2051(const P2051Job& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP2051Presence(link)) return *refusal;
    if (!job.fileOpen) {
        if (job.prompts) job.prompts->message(kNoFileOpenedText);
        return OperationResult::refused(kNoFileOpenedText);
    }
    job.hooks.say("Programming...", true);
    PrepareP2051(link);
    SetDataWidth(link, socket::DataBusOut);
    SetPinLatch(link, socket::ReadyBusy, 1);
    PinHigh(link, socket::Prog);
    Mode(link, kP2051WriteCode);
    const std::uint32_t last = job.row.lastAddress;
    CommandsAhead polls(link);
    McuRejects busy;
    for (std::uint32_t n = 0; n <= last && !busy.any(); ++n) {
        if ((n & kProgramProgressMask) == kProgramProgressMask) {
            job.hooks.show(n, last);
            if (job.hooks.stop()) {
                polls.drain();
                if (busy.any()) break;
                SwitchOffAfterProgramming(link);
                return OperationResult::stopped(n);
            }
        }
        const std::uint8_t d = job.buffer[n];
        if (d != 0xFF) {
            const std::uint64_t started = StartByteWrite(link, d);
            WaitReadyAhead(link, polls, job.byteWriteReady, started, [&busy, n](bool ready) {
                if (!ready) busy.reject(n);
            });
            if (busy.any()) break;
        }
        NextAddress(link);
    }
    polls.drain();
    SwitchOffAfterProgramming(link);
    if (busy.any()) {
        // A part that never signalled ready reads as the byte plus one, so that
        // the message shows a difference.
        const std::uint32_t n = *busy.first();
        const std::uint8_t d = job.buffer[n];
        return OperationResult::failed(
            Format("%04x:Bad! (file=%02x,Device=%02x)", n, d, static_cast<std::uint8_t>(d + 1)), n);
    }
    return OperationResult::done("OK");
}

OperationResult VerifyP2051(const P2051Job& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP2051Presence(link)) return *refusal;
    job.hooks.say("Verify...", true);
    PrepareP2051(link);
    Mode(link, kP2051ReadCode);
    SetDataWidth(link, socket::DataBusIn);
    const std::uint32_t last = job.row.lastAddress;
    std::uint8_t device = 0;
    const McuReadRun run = ReadCode(job, kVerifyProgressEvery, [&](std::uint32_t n, std::uint8_t v) {
        device = v;
        return v == job.buffer[n];
    });
    if (run.end == McuReadRun::End::Stopped) return StoppedAfterRead(link, run.at);
    if (run.end == McuReadRun::End::Rejected) {
        const std::uint32_t n = run.at;
        job.hooks.show(n, last);
        ConnectVcc(link, 0);
        return OperationResult::failed(Format("%04x:Bad! (file=%02x,Device=%02x)", n, job.buffer[n], device), n);
    }
    job.hooks.show(last, last);
    ConnectVcc(link, 0);
    return OperationResult::done("Verify OK");
}

OperationResult SecrityP2051(const P2051Job& job) {
    LinkState& link = job.link;
    if (auto refusal = CheckP2051Presence(link)) return *refusal;
    job.hooks.say(QV_TEXT("Secrity..."), true);
    PrepareP2051(link);
    WriteLockBit(link, socket::LockBit1ModePort);
    WriteLockBit(link, socket::LockBit2ModePort);
    PrepareP2051(link);
    SetDataWidth(link, socket::DataBusIn);
    const bool locked = ReadsErased(link);
    ConnectVcc(link, 0);
    if (locked) return OperationResult::done("Secrity OK");
    return OperationResult::failed(QV_TEXT("加密失败！"), 0);
}

OperationResult IdP2051(const P2051Job& job) {
    LinkState& link = job.link;
    PrepareP2051(link);
    SetDataWidth(link, socket::DataBusIn);
    Delay(link, kSignatureSettleTicks);
    Mode(link, kP2051ReadSignature);
    // No step depends on a nibble read: ahead, the six reads, the address
    // steps and the power-off go out together, with one reply wait at the end.
    std::uint8_t low[3] = {}, high[3] = {};
    {
        CommandsAhead reads(link);
        const auto readPort = [&reads](int port, std::uint8_t& into) {
            reads.send({static_cast<std::uint8_t>(op::ReadPortBase + port)}, 1, 0,
                       [&into](std::uint16_t value) { into = static_cast<std::uint8_t>(value); });
        };
        for (int i = 0; i < 3; ++i) {
            if (i > 0) NextAddress(link);
            readPort(socket::LowNibblePort, low[i]);
            readPort(socket::HighNibblePort, high[i]);
        }
        ConnectVcc(link, 0);
        reads.confirmSent();
        reads.drain();
    }
    std::uint8_t bytes[3] = {};
    for (int i = 0; i < 3; ++i) bytes[i] = static_cast<std::uint8_t>((low[i] >> 4) | (high[i] << 4));
    OperationResult r = OperationResult::done(Format("%02x,%02x,%02x", bytes[0], bytes[1], bytes[2]));
    r.value = std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
    return r;
}

OperationResult ProgramP2051(const P2051Job& job) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP2051(job); }, [&] { return VerifyP2051(job); });
}

} // namespace quarvin
