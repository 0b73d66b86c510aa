#include "families/uv_eprom/EpromOperations.h"

#include <algorithm>
#include <array>

#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "families/framework/ProgramLoop.h"
#include "families/uv_eprom/EpromAddress.h"
#include "families/uv_eprom/EpromPulses.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr std::uint32_t kPage = 256;
constexpr std::uint32_t kProgressPages = 4096; // blank check and sum report every 16 pages
constexpr std::uint32_t kVerifyPoll = 512;

// The last address a run reached, for the final progress.
std::uint32_t LastHandled(const FieldSpan& s) {
    const std::uint32_t end = s.device + s.count;
    return end == 0 ? 0 : end - 1;
}

} // namespace

OperationResult ReadEprom(const EpromJob& job) {
    LinkState& link = job.link;
    const EpromRow& row = job.row;
    job.hooks.say("Reading...", job.texts.repaintReading);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    SetEpromAddress(link, row, 0);
    // Always from device address 0 into buffer offset 0; Length bounds the count.
    const std::uint32_t count = std::min(job.fields.length, row.lastAddress) + 1;
    const auto setAddress = [&](std::uint32_t a) { SetEpromAddress(link, row, a); };
    if (auto stoppedAt = ReadPages(link, job.buffer, count, row.lastAddress, kPage - 1, setAddress, job.hooks))
        return StoppedPoweredOff(link, *stoppedAt);
    // The last index read, or one past the device when Length covers it all.
    const std::uint32_t i = job.fields.length <= row.lastAddress ? job.fields.length : row.lastAddress + 1;
    job.hooks.show(i, row.lastAddress);
    PowerDownAfterRead(link);
    return OperationResult::done("OK!");
}

OperationResult BlankCheckEprom(const EpromJob& job) {
    LinkState& link = job.link;
    const EpromRow& row = job.row;
    job.hooks.say("Blank...", true);
    Delay(link, kSettleTicks);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    SetEpromAddress(link, row, job.fields.deviceStart);
    const BlankRun run = BlankPages(
        link, row.lastAddress + 1, row.lastAddress, kProgressPages - 1,
        [&](std::uint32_t a) { SetEpromAddress(link, row, a); }, job.hooks);
    if (run.stopped) {
        PowerOffAfterFailure(link);
        return OperationResult::stopped(*run.used);
    }
    if (run.used) {
        const std::uint32_t used = FirstUsedAddress(link, *run.used, [&](std::uint32_t a) { SetEpromAddress(link, row, a); });
        PowerOffAfterFailure(link);
        return OperationResult::failed(Format("%06x: Not blank ", used), used);
    }
    job.hooks.show(row.lastAddress, row.lastAddress);
    PowerDownAfterRead(link);
    return OperationResult::done("Blank OK");
}

static OperationResult WriteEprom(const EpromJob& job, const EpromProgramOptions& options) {
    LinkState& link = job.link;
    const EpromRow& row = job.row;
    // The placeholder row has no program command; sending its 0 would power the
    // box down in the middle of the sequence.
    if (row.program == EpromProgramCommand::None)
        return OperationResult::refused("Programe Failured! (no device type selected)");
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;

    SetPulseCount(link, EpromPulseCount(row, options.proTimeIndex));
    SetVppLevel(link, row.vppMillivolts);
    job.hooks.say("Programming...", true);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kWriteBusMode);
    SetEpromAddress(link, row, job.fields.deviceStart);
    PinHigh(link, ProgramEnable);
    PinLow(link, OutputEnable);
    PinHigh(link, ChipEnable);
    // The 2716 takes its program pulse on /CE, which idles low.
    if (row.vppPin == Pin24Vpp) PinLow(link, ChipEnable);
    ConnectVpp(link, row.vppPin);

    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (auto ended = ProgramEpromBytes(link, row, job.buffer, s, EpromPulseCount(row, options.proTimeIndex),
                                       row.readBackCheck && options.checkEachByte, job.hooks))
        return *ended;
    job.hooks.show(LastHandled(s), row.lastAddress);
    PowerDownAfterProgram(link);
    return OperationResult::done("OK!", EndOfBufferNote(s));
}

std::optional<OperationResult> ProgramEpromBytes(LinkState& link, const EpromRow& row, const MainBuffer& buffer,
                                                 const FieldSpan& span, int pulses, bool checkEachByte,
                                                 const OperationHooks& hooks) {
    ProgramCommand command{static_cast<std::uint8_t>(row.program), pulses * ProgramPulseMicroseconds(row.program),
                           nullptr};
    if (checkEachByte) command.fails = [](std::uint8_t wanted, std::uint8_t back) { return back != wanted; };
    const ProgramRun run = ProgramBytes(
        link, buffer, span, row.lastAddress, kPage, command, [&](std::uint32_t a) { SetEpromAddress(link, row, a); },
        hooks);
    if (run.end == ProgramRun::End::Done) return std::nullopt;
    PowerDownAfterProgram(link);
    if (run.end == ProgramRun::End::Stopped) return OperationResult::stopped(run.address);
    return OperationResult::failed(Format("Programe Failured! at %06x", run.address), run.address);
}

OperationResult VerifyEprom(const EpromJob& job) {
    LinkState& link = job.link;
    const EpromRow& row = job.row;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    job.hooks.say(job.texts.verifying, true);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    SetEpromAddress(link, row, job.fields.deviceStart);
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    std::array<std::uint8_t, kPage> page{};
    std::uint32_t i = 0;
    while (i < s.count) {
        const std::uint32_t a = s.device + i;
        if (a % kPage == 0) SetEpromAddress(link, row, a);
        // One run of reads up to the next page start or through the next progress
        // point, whichever comes first, so that address settings and stop polls
        // fall between runs exactly where the byte-by-byte loop had them.
        const std::uint32_t nextPoll = (i + kVerifyPoll - 1) / kVerifyPoll * kVerifyPoll;
        const std::uint32_t end = std::min({s.count, i + (kPage - a % kPage), nextPoll + 1});
        // The run ends at the first byte that differs. With read-ahead a few reads
        // past it may already be on their way; they only read the device and move
        // its low address, and the socket is powered down right after, so they
        // change neither the result nor the message.
        const std::size_t got = ReadNextBytes(link, page.data(), end - i, [&](std::size_t k, std::uint8_t v) {
            return v != job.buffer[s.buffer + i + static_cast<std::uint32_t>(k)];
        });
        const std::uint32_t last = i + static_cast<std::uint32_t>(got) - 1;
        const std::uint32_t lastAddress = s.device + last;
        if (last % kVerifyPoll == 0) {
            job.hooks.show(lastAddress, row.lastAddress);
            if (job.hooks.stop()) {
                PowerOffAfterFailure(link);
                return OperationResult::stopped(lastAddress);
            }
        }
        const std::uint8_t v = page[got - 1];
        const std::uint8_t want = job.buffer[s.buffer + last];
        if (v != want) {
            PowerOffAfterFailure(link);
            return OperationResult::failed(Format("%06x:Bad! (file=%02x,Device=%02x)", lastAddress, want, v),
                                           lastAddress);
        }
        i = last + 1;
    }
    job.hooks.show(LastHandled(s), row.lastAddress);
    PowerDownAfterRead(link);
    return OperationResult::done("Verify OK", EndOfBufferNote(s));
}

OperationResult SumEprom(const EpromJob& job) {
    LinkState& link = job.link;
    const EpromRow& row = job.row;
    job.hooks.say(job.texts.summing, true);
    PowerUp(link, row.supplyPin, false);
    SetDataWidth(link, kReadBusMode);
    const PageSum pages = SumPages(
        link, row.lastAddress, [&](std::uint32_t a) { SetEpromAddress(link, row, a); }, job.hooks);
    return SumOutcome(link, pages, "Sum = ");
}

OperationResult ProgramEprom(const EpromJob& job, const EpromProgramOptions& options) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteEprom(job, options); }, [&] { return VerifyEprom(job); });
}

} // namespace quarvin
