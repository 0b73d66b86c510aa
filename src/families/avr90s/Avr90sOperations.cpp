#include "families/avr90s/Avr90sOperations.h"

#include <functional>

#include "families/avr90s/Avr90sBus.h"
#include "families/framework/McuSteps.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr std::uint16_t kErasedWord = 0xFFFF;
constexpr std::uint32_t kCheckLastByte = 128; // the erase and lock checks read words 0..64
constexpr int kEraseSettleTicks = 2000;
constexpr int kPowerOffTicks = 1000;

constexpr std::uint32_t kReadProgressEvery = 16;
constexpr std::uint32_t kVerifyProgressEvery = 32;
constexpr std::uint32_t kProgramProgressEvery = 64;

// Vpp off before Vcc, and every port low before Vcc goes: a port high on the
// unpowered part would feed it through its input diodes ("voltage on any pin
// except RESET -1.0 V to Vcc + 0.5 V").
void PowerOff(LinkState& link) {
    ConnectVpp(link, 0);
    PortsLowThenVccOff(link);
}

OperationResult Stopped(LinkState& link, std::uint32_t a) {
    PowerOff(link);
    return OperationResult::stopped(a);
}

// A part answers with the maker's code and the row's device code; an empty
// socket reads its pull-ups (ff ff).
std::optional<OperationResult> CheckPart(const Avr90sJob& job) {
    const auto sig = AvrReadSignature(job.link, job.row);
    if (sig[0] == kAvrMakerCode && sig[1] == job.row.deviceCode) return std::nullopt;
    PowerOff(job.link);
    if (sig[0] == 0xFF && sig[1] == 0xFF) return OperationResult::failed(QV_TEXT("No chip! (signature reads ff ff)"), 0);
    return OperationResult::failed(Format("Wrong chip! (signature %02x %02x, %s has %02x %02x)", sig[0], sig[1],
                                          job.row.chip, kAvrMakerCode, job.row.deviceCode),
                                   0);
}

// Powered up in programming mode with the signature checked.
std::optional<OperationResult> Enter(const Avr90sJob& job) {
    AvrPowerUp(job.link, job.row);
    return CheckPart(job);
}

std::uint16_t BufferWord(const MainBuffer& buf, std::uint32_t a) {
    return static_cast<std::uint16_t>(buf[a] | buf[a + 1] << 8);
}

// Reads words 0..64 after a power-up, ahead of their replies; the first that
// is not erased, if any.
std::optional<std::uint32_t> FirstUnerasedInCheck(const Avr90sJob& job) {
    AvrPowerUp(job.link, job.row);
    SetDataWidth(job.link, job.row.readBusMode);
    std::optional<std::uint32_t> first;
    CommandsAhead reads(job.link);
    for (std::uint32_t a = 0; a <= kCheckLastByte; a += 2)
        AvrReadWordAhead(job.link, job.row, a, reads, [&first, a](std::uint16_t w) {
            if (w != kErasedWord && !first) first = a;
        });
    reads.drain();
    return first;
}

// Command, data byte, a WR pulse of lowTicks (0: one command's time) and the
// RDY/BSY poll.
bool WriteByteCommand(const Avr90sJob& job, std::uint8_t command, std::uint8_t data, int lowTicks) {
    LinkState& link = job.link;
    PinHigh(link, job.row.oe);
    PinLow(link, job.row.bs);
    AvrLoadCommand(link, job.row, command);
    AvrLoadDataByte(link, job.row, data);
    PinLow(link, job.row.wr);
    Delay(link, lowTicks);
    PinHigh(link, job.row.wr);
    return AvrWaitReady(link, job.row);
}

// The flash words below the last byte address, each to take(a, w) in order
// (false ends the run there), with progress and the stop poll every
// progressEvery bytes; the word reads go out ahead of their replies.
McuReadRun ReadFlashWords(const Avr90sJob& job, std::uint32_t progressEvery,
                          const std::function<bool(std::uint32_t a, std::uint16_t w)>& take) {
    McuReadLoop loop;
    loop.last = job.row.lastByteAddress;
    loop.rowLast = job.row.lastByteAddress;
    loop.step = 2;
    loop.progressEvery = progressEvery;
    loop.read = [&](std::uint32_t a, CommandsAhead& reads, McuRejects& rejects) {
        AvrReadWordAhead(job.link, job.row, a, reads, [&take, &rejects, a](std::uint16_t w) {
            if (!rejects.any() && !take(a, w)) rejects.reject(a);
        });
    };
    return RunMcuReads(job.link, loop, job.hooks);
}

// Reads the flash word by word below the last byte address and compares each
// with expected(a): progress and the stop poll every progressEvery bytes (a
// stop powers the part off). The first word that differs fails with failText
// at its address; either end shows progress, then powerDown.
OperationResult CheckFlashWords(const Avr90sJob& job, std::uint32_t progressEvery,
                                const std::function<std::uint16_t(std::uint32_t)>& expected, const char* failText,
                                void (*powerDown)(LinkState&)) {
    LinkState& link = job.link;
    const std::uint32_t last = job.row.lastByteAddress;
    job.hooks.say("Verify...", true);
    if (auto refusal = Enter(job)) return *refusal;
    SetDataWidth(link, job.row.readBusMode);
    std::uint16_t differing = 0;
    const McuReadRun run = ReadFlashWords(job, progressEvery, [&](std::uint32_t a, std::uint16_t w) {
        if (w == expected(a)) return true;
        differing = w;
        return false;
    });
    if (run.end == McuReadRun::End::Stopped) return Stopped(link, run.at);
    if (run.end == McuReadRun::End::Rejected) {
        job.hooks.show(run.at, last);
        powerDown(link);
        // The byte that differs: the high byte of the word when the low one matches.
        const bool lowMatches = (differing & 0xFF) == (expected(run.at) & 0xFF);
        return OperationResult::failed(failText, lowMatches ? run.at + 1 : run.at);
    }
    job.hooks.show(last, last);
    powerDown(link);
    return OperationResult::done(QV_TEXT("OK!"));
}

} // namespace

std::uint8_t AvrLockByte(AvrProtectMode mode) {
    switch (mode) {
    case AvrProtectMode::NoVerify: return 0;
    case AvrProtectMode::NoProgram: return avrlock::LockBit2;
    case AvrProtectMode::NotUsed: return avrlock::LockBit1;
    case AvrProtectMode::None: break;
    }
    return avrlock::LockBit1 | avrlock::LockBit2;
}

AvrProtectMode AvrProtectModeOf(std::uint8_t fuseByte) { return static_cast<AvrProtectMode>(fuseByte >> 6 & 3); }

std::uint8_t AvrFuseWriteByte(const AvrFuses& fuses) {
    return static_cast<std::uint8_t>((fuses.internalRc ? 0 : avrfuse::ClockFuse) | (fuses.onLineLoad ? 0 : avrfuse::Spien));
}

AvrFuses AvrFusesOf(std::uint8_t fuseByte) {
    return {(fuseByte & avrfuse::ClockFuse) == 0, (fuseByte & avrfuse::Spien) == 0};
}

OperationResult ReadAvr(const Avr90sJob& job) {
    LinkState& link = job.link;
    const std::uint32_t last = job.row.lastByteAddress;
    job.hooks.say(QV_TEXT("Reading..."), true);
    if (auto refusal = Enter(job)) return *refusal;
    SetDataWidth(link, job.row.readBusMode);
    StagedRead read(last);
    const McuReadRun run = ReadFlashWords(job, kReadProgressEvery, [&](std::uint32_t a, std::uint16_t w) {
        read[a] = static_cast<std::uint8_t>(w & 0xFF);
        read[a + 1] = static_cast<std::uint8_t>(w >> 8);
        return true;
    });
    read.commit(job.buffer, run);
    if (run.end == McuReadRun::End::Stopped) return Stopped(link, run.at);
    job.hooks.show(last, last);
    ConnectVpp(link, 0);
    AvrPowerUp(link, job.row);
    const std::uint8_t fuses = AvrReadFuseByte(link, job.row);
    PowerOff(link);
    OperationResult r = OperationResult::done("OK");
    r.value = fuses;
    return r;
}

OperationResult EraseAvr(const Avr90sJob& job) {
    LinkState& link = job.link;
    job.hooks.say(QV_TEXT("Erase..."), true);
    if (auto refusal = Enter(job)) return *refusal;
    ConnectVpp(link, job.row.vppPin);
    SetDataWidth(link, avrbus::DriveAll);
    PinHigh(link, job.row.oe);
    AvrLoadCommand(link, job.row, avrcmd::ChipErase);
    // Chip erase runs while WR is low; it shows nothing on RDY/BSY.
    PinLow(link, job.row.wr);
    Delay(link, kAvrChipEraseLowTicks);
    PinHigh(link, job.row.wr);
    Delay(link, kEraseSettleTicks);
    PowerOff(link);
    Delay(link, kPowerOffTicks);
    const std::optional<std::uint32_t> bad = FirstUnerasedInCheck(job);
    PowerOff(link);
    if (bad) return OperationResult::failed("Bad!", *bad);
    return OperationResult::done("OK");
}

OperationResult BlankAvr(const Avr90sJob& job) {
    return CheckFlashWords(
        job, kReadProgressEvery, [](std::uint32_t) { return kErasedWord; }, "No Blank!", PowerOff);
}

static OperationResult WriteAvr(const Avr90sJob& job) {
    LinkState& link = job.link;
    const std::uint32_t last = job.row.lastByteAddress;
    job.hooks.say(QV_TEXT("Programe..."), true);
    if (auto refusal = Enter(job)) return *refusal;
    // Lock bit 1 makes the part ignore every write while RDY/BSY still pulses:
    // without this look Program would end "OK!" having written nothing.
    if ((AvrReadFuseByte(link, job.row) & avrfuse::LockBit1) == 0) {
        PowerOff(link);
        return OperationResult::failed(kAvrProgramLockedText, 0);
    }
    AvrPowerUp(link, job.row);
    CommandsAhead polls(link);
    McuRejects busy;
    for (std::uint32_t a = 0; a < last && !busy.any(); a += 2) {
        if (a % kProgramProgressEvery == 0) {
            job.hooks.show(a, last);
            if (job.hooks.stop()) {
                polls.drain();
                if (busy.any()) break;
                return Stopped(link, a);
            }
        }
        const std::uint16_t w = BufferWord(job.buffer, a);
        if (w == kErasedWord) continue;
        AvrProgramWord(link, job.row, a, w, polls, [&busy, a] { busy.reject(a); });
    }
    polls.drain();
    if (busy.any()) {
        // No 12 V left on RESET of a part that does not answer.
        job.hooks.show(*busy.first(), last);
        PowerOff(link);
        return OperationResult::failed(kAvrProgramFailedText, *busy.first());
    }
    job.hooks.show(last, last);
    PowerOff(link);
    return OperationResult::done("OK!");
}

OperationResult VerifyAvr(const Avr90sJob& job) {
    return CheckFlashWords(
        job, kVerifyProgressEvery, [&](std::uint32_t a) { return BufferWord(job.buffer, a); }, "Bad!", PowerOff);
}

OperationResult ProtectAvr(const Avr90sJob& job, AvrProtectMode mode) {
    LinkState& link = job.link;
    if (auto refusal = Enter(job)) return *refusal;
    AvrPowerUp(link, job.row);
    const bool ready = WriteByteCommand(job, avrcmd::WriteLocks, AvrLockByte(mode), 0);
    ConnectVpp(link, 0);
    if (!ready) {
        PowerOff(link);
        return OperationResult::failed("Bad!", 0);
    }
    if (mode != AvrProtectMode::NoVerify) {
        // The other items end without a word of their own.
        PowerOff(link);
        return OperationResult::done({});
    }
    // With both lock bits the flash must read erased. Vpp goes off too: 12 V
    // left on RESET of an unpowered part keeps the next power-up from
    // entering programming mode.
    const std::optional<std::uint32_t> readable = FirstUnerasedInCheck(job);
    PowerOff(link);
    if (readable) return OperationResult::failed("Bad!", *readable);
    return OperationResult::done("OK!");
}

OperationResult ReadAvrFuses(const Avr90sJob& job) {
    if (auto refusal = Enter(job)) return *refusal;
    const std::uint8_t byte = AvrReadFuseByte(job.link, job.row);
    PowerOff(job.link);
    OperationResult r = OperationResult::done(Format("Config=%02x", byte));
    r.value = byte;
    return r;
}

OperationResult ProgramAvrFuses(const Avr90sJob& job, const AvrFuses& fuses) {
    LinkState& link = job.link;
    job.hooks.say(QV_TEXT("Programe Fuse..."), true);
    if (auto refusal = Enter(job)) return *refusal;
    // The fuse write runs while WR is low; it shows nothing on RDY/BSY, so the
    // fuses are read back: a part whose lock bit 1 is programmed keeps its old
    // ones.
    const std::uint8_t wanted = AvrFuseWriteByte(fuses);
    const bool ready = WriteByteCommand(job, avrcmd::WriteFuses, wanted, kAvrFuseWriteLowTicks);
    const std::uint8_t got = ready ? AvrReadFuseByte(link, job.row) : 0;
    PowerOff(link);
    constexpr std::uint8_t kFuseBits = avrfuse::Spien | avrfuse::ClockFuse;
    if (!ready || (got & kFuseBits) != (wanted & kFuseBits)) return OperationResult::failed("Bad!", 0);
    return OperationResult::done("Programe Fuse...");
}

OperationResult ProgramAvr(const Avr90sJob& job) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteAvr(job); }, [&] { return VerifyAvr(job); });
}

} // namespace quarvin
