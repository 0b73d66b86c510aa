#include "families/sram/SramOperations.h"

#include <functional>
#include <optional>

#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "families/sram/SramAddress.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/commands/ReadAhead.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr int kDataPort = 2;
constexpr int kGroundPin = 20;
constexpr std::uint32_t kPage = 256;
// Pins the read raises before it starts: /PGM-position 35 and the 28/32-pin /WE.
constexpr int kReadHighPins[] = {35, 33};
// The test pattern: 91..100 first, then 1..100 over and over.
constexpr std::uint8_t kPatternStart = 90, kPatternTop = 100;

bool PageStart(std::uint32_t a) { return (a & (kPage - 1)) == 0; }

std::uint8_t NextPattern(std::uint8_t v) { return v >= kPatternTop ? 1 : static_cast<std::uint8_t>(v + 1); }

// A part powered with /CE and /WE low (the ports after a socket reset are all 0)
// writes the floating bus into a cell as soon as it comes up: both are raised
// before the supply is switched on, as the battery-backed modules ask
// (DS1245Y: "VCC slew from 0V to VTP (CE at VIH)", "CE, WE at VIH after Power-Up").
void Power(LinkState& link, const SramRow& row, bool wait) {
    PinHigh(link, ChipEnable);
    PinHigh(link, row.writeEnablePin);
    PowerUp(link, row.vccPin, wait);
}

// The modules ask the same of a power-down ("CE, WE at VIH before Power-Down",
// "VCC slew from VTP to 0V (CE at VIH)"): /CE and /WE stay high while the
// supply goes, every other line is taken low before it (a line high on a part
// without supply feeds it through its input diodes), and all of them once the
// supply is off.
template <class Run> OperationResult ControlsHighAcrossVccOff(const SramJob& job, Run run) {
    return KeptHighAroundVccOff(job.link, {ChipEnable, job.row.writeEnablePin}, run);
}

std::optional<OperationResult> NoDevice(const SramRow& row, const std::string& failure) {
    if (row.chip) return std::nullopt;
    return OperationResult::failed(failure + " (no device type selected)", 0);
}

// Power, block length and pulse count, bus mode, data bus driven, the start
// address with /WE and /OE high and /CE low: the set-up of Write and Test.
void BeginWrites(LinkState& link, const SramRow& row, std::uint32_t start) {
    Power(link, row, true);
    SetBlockLength(link, static_cast<std::uint8_t>(row.blockValue + 1));
    SetPulseCount(link, 1);
    SetBusMode(link, 0);
    SetDataWidth(link, kWriteBusMode);
    SetSramAddress(link, row, start);
    PinHigh(link, row.writeEnablePin);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
}

enum class WriteEnd { Done, Mismatch, Stopped };

struct WriteRun {
    WriteEnd end = WriteEnd::Done;
    std::uint32_t at = 0; // the last address handled, or where it ended
};

// Writes count bytes from device address start, byteAt(i) for the i-th, reading
// back the first byte of every page; polls the stop request after every byte.
WriteRun WriteBytes(const SramJob& job, std::uint32_t start, std::uint32_t count,
                    const std::function<std::uint8_t(std::uint32_t)>& byteAt) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    WriteRun run;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t a = start + i;
        run.at = a;
        if (PageStart(a)) {
            SetSramAddress(link, row, a);
            job.hooks.show(a, row.lastAddress);
            PinHigh(link, OutputEnable);
            PinLow(link, ChipEnable);
        }
        const std::uint8_t value = byteAt(i);
        WritePort(link, kDataPort, value);
        PinLow(link, row.writeEnablePin);
        PinHigh(link, row.writeEnablePin);
        if (PageStart(a)) {
            SetDataWidth(link, kReadBusMode);
            PinLow(link, OutputEnable);
            if (ReadPort(link, kDataPort) != value) {
                run.end = WriteEnd::Mismatch;
                return run;
            }
            SetDataWidth(link, kWriteBusMode);
            PinHigh(link, OutputEnable);
        }
        SendByte(link, op::AdvanceAddress);
        if (job.hooks.stop()) {
            run.end = WriteEnd::Stopped;
            return run;
        }
    }
    return run;
}

void EndWrites(LinkState& link) {
    PinLow(link, OutputEnable);
    PinHigh(link, ChipEnable);
}

// Where a page start of a read polls the stop request: Read before taking /CE
// and /OE low, Verify after.
enum class StopPoll { BeforeEnables, AfterEnables };

enum class ReadEnd { Done, Stopped, Refused };

struct ReadRun {
    ReadEnd end = ReadEnd::Done;
    // The last address read, the page start where the stop came, or the refused byte's.
    std::uint32_t at = 0;
};

// The i-th byte read (from 0) and its value; false ends the run there.
using TakeByte = std::function<bool(std::uint32_t i, std::uint8_t value)>;

// Reads the data port at count addresses from start, the box stepping the
// address after each; a page start sets the address, shows the progress and
// polls the stop request. The reads go out up to the link's read-ahead window
// before their replies are taken; each page's replies are all taken before the
// next page starts, so the progress and the stop see the bytes read so far.
// Once take refuses a byte no further read goes out; the reads on their way are
// answered and dropped. Every reply has been taken when it returns.
ReadRun ReadDataPort(const SramJob& job, std::uint32_t start, std::uint32_t count, StopPoll poll,
                     const TakeByte& take) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    ReadRun run{ReadEnd::Done, start};
    std::uint32_t taken = 0;
    PortReadsAhead reads(link, [&](std::uint8_t value) {
        if (run.end == ReadEnd::Done && !take(taken, value)) run = {ReadEnd::Refused, start + taken};
        ++taken;
    });
    const auto stops = [&](StopPoll here, std::uint32_t a) {
        if (poll != here || !job.hooks.stop()) return false;
        run = {ReadEnd::Stopped, a};
        return true;
    };
    for (std::uint32_t i = 0; i < count && run.end == ReadEnd::Done; ++i) {
        const std::uint32_t a = start + i;
        if (PageStart(a)) {
            reads.drain();
            if (run.end != ReadEnd::Done) break;
            SetSramAddress(link, row, a);
            job.hooks.show(a, row.lastAddress);
            if (stops(StopPoll::BeforeEnables, a)) break;
            PinLow(link, ChipEnable);
            PinLow(link, OutputEnable);
            if (stops(StopPoll::AfterEnables, a)) break;
        }
        run.at = a;
        reads.readPort(kDataPort);
        SendByte(link, op::AdvanceAddress);
    }
    reads.drain();
    return run;
}

// The shared page sums (sent ahead of their replies); a stop gives its page.
std::uint32_t SumPages(const SramJob& job, bool& stopped) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    const PageSum pages = quarvin::SumPages(
        link, row.lastAddress, [&](std::uint32_t a) { SetSramAddress(link, row, a); }, job.hooks);
    stopped = pages.stoppedAt.has_value();
    return stopped ? *pages.stoppedAt : pages.sum;
}

} // namespace

std::uint32_t SramTestPatternSum(std::uint32_t size) {
    std::uint32_t sum = 0;
    std::uint8_t v = kPatternStart;
    for (std::uint32_t i = 0; i < size; ++i) {
        v = NextPattern(v);
        sum += v;
    }
    return sum;
}

namespace {

OperationResult ReadSteps(const SramJob& job) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    if (auto none = NoDevice(row, "Read failured!")) return *none;
    job.hooks.say("Reading...", true);
    Power(link, row, true);
    SetDataWidth(link, kReadBusMode);
    SetBusMode(link, 0);
    SetSramAddress(link, row, 0);
    for (int p : kReadHighPins) PinHigh(link, p);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    const std::uint32_t last = std::min(job.fields.length, row.lastAddress);
    // Each byte is stored when its reply is taken: a lost link keeps the bytes read by then.
    const auto store = [&](std::uint32_t i, std::uint8_t value) {
        job.buffer[i] = value;
        return true;
    };
    const ReadRun run = ReadDataPort(job, 0, last + 1, StopPoll::BeforeEnables, store);
    if (run.end == ReadEnd::Stopped) {
        PowerDownAfterRead(link);
        return OperationResult::stopped(run.at);
    }
    job.hooks.show(last, row.lastAddress);
    WriteAllPorts(link, 255);
    SetSramAddress(link, row, last);
    return OperationResult::done("OK!");
}

OperationResult WriteSramBytes(const SramJob& job) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    constexpr const char* kFailed = "Programe Failured!";
    if (auto none = NoDevice(row, kFailed)) return *none;
    // A Device Start beyond the device writes nothing: that is no success.
    if (job.fields.deviceStart > row.lastAddress)
        return OperationResult::failed(Format("%s Device Start %x is beyond the device end %x", kFailed,
                                              job.fields.deviceStart, row.lastAddress),
                                       job.fields.deviceStart);
    if (job.fields.bufferStart >= kBufferSize)
        return OperationResult::failed(Format("%s Buffer Start %x is beyond the buffer", kFailed, job.fields.bufferStart),
                                       job.fields.deviceStart);
    const FieldSpan span = SpanOf(job.fields, row.lastAddress);
    job.hooks.say("Programming...", true);
    BeginWrites(link, row, span.device);
    const WriteRun run =
        WriteBytes(job, span.device, span.count, [&](std::uint32_t i) { return job.buffer[span.buffer + i]; });
    EndWrites(link);
    if (run.end != WriteEnd::Done) return OperationResult::failed(Format("%s at %06x", kFailed, run.at), run.at);
    job.hooks.show(run.at, row.lastAddress);
    return OperationResult::done("OK", EndOfBufferNote(span));
}

OperationResult VerifySteps(const SramJob& job) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    constexpr const char* kFailed = "Failured!";
    if (auto none = NoDevice(row, kFailed)) return *none;
    if (job.fields.deviceStart > row.lastAddress)
        return OperationResult::failed(Format("%s Device Start %x is beyond the device end %x", kFailed,
                                              job.fields.deviceStart, row.lastAddress),
                                       job.fields.deviceStart);
    if (job.fields.bufferStart >= kBufferSize)
        return OperationResult::failed(Format("%s Buffer Start %x is beyond the buffer", kFailed, job.fields.bufferStart),
                                       job.fields.deviceStart);
    const FieldSpan span = SpanOf(job.fields, row.lastAddress);
    job.hooks.say("Verify...", true);
    Power(link, row, true);
    SetDataWidth(link, kReadBusMode);
    PinHigh(link, row.writeEnablePin);
    SetBusMode(link, 0);
    SetSramAddress(link, row, span.device);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    std::uint8_t file = 0, device = 0;
    const auto matches = [&](std::uint32_t i, std::uint8_t value) {
        file = job.buffer[span.buffer + i];
        device = value;
        return device == file;
    };
    const ReadRun run = ReadDataPort(job, span.device, span.count, StopPoll::AfterEnables, matches);
    if (run.end == ReadEnd::Stopped) {
        PowerOffAfterFailure(link);
        return OperationResult::failed(Format("%s stopped at %06x", kFailed, run.at), run.at);
    }
    if (run.end == ReadEnd::Refused) {
        PowerOffAfterFailure(link);
        return OperationResult::failed(Format("%06x:Bad! (file=%02x,Device=%02x)", run.at, file, device), run.at);
    }
    job.hooks.show(run.at, row.lastAddress);
    return OperationResult::done("Verify OK", EndOfBufferNote(span));
}

OperationResult SumSteps(const SramJob& job) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    if (auto none = NoDevice(row, "Sum failured!")) return *none;
    job.hooks.say(QV_TEXT("Check sum..."), true);
    Power(link, row, false);
    SetDataWidth(link, kReadBusMode);
    bool stopped = false;
    const std::uint32_t sum = SumPages(job, stopped);
    ConnectVcc(link, 0);
    if (stopped) return OperationResult::stopped(sum);
    OperationResult r = OperationResult::done(Format("Sum = %08x", sum));
    r.value = sum;
    return r;
}

OperationResult TestSteps(const SramJob& job) {
    LinkState& link = job.link;
    const SramRow& row = job.row;
    constexpr const char* kFailed = QV_TEXT("Write failured!");
    if (auto none = NoDevice(row, kFailed)) return *none;
    job.hooks.say(QV_TEXT("Testing...(Ctrl+C to stop)"), true);
    BeginWrites(link, row, 0);
    std::uint8_t v = kPatternStart;
    std::uint32_t expected = 0;
    const WriteRun run = WriteBytes(job, 0, row.lastAddress + 1, [&](std::uint32_t) {
        v = NextPattern(v);
        expected += v;
        return v;
    });
    if (run.end != WriteEnd::Done) {
        ConnectVcc(link, 0);
        EndWrites(link);
        const char* why = run.end == WriteEnd::Stopped ? "stopped" : "at";
        return OperationResult::failed(Format("%s %s %06x", kFailed, why, run.at), run.at);
    }
    const OperationResult sum = SumSteps(job);
    job.hooks.show(row.lastAddress, row.lastAddress);
    EndWrites(link);
    if (!sum.ok()) return OperationResult::failed(Format("%s sum stopped at %06x", kFailed, sum.address), sum.address);
    if (sum.value != expected)
        return OperationResult::failed(Format("Bad device %08x!=%08x", expected, sum.value), 0);
    return OperationResult::done("OK!");
}

} // namespace

// Sum and Test switch the part off at their end, and every port goes low
// after it; Read, Programe and Verify do so when they stop or fail.
OperationResult ReadSram(const SramJob& job) {
    return ControlsHighAcrossVccOff(job, [&] { return ReadSteps(job); });
}
OperationResult VerifySram(const SramJob& job) {
    return ControlsHighAcrossVccOff(job, [&] { return VerifySteps(job); });
}
OperationResult SumSram(const SramJob& job) {
    return ControlsHighAcrossVccOff(job, [&] { return SumSteps(job); });
}
OperationResult TestSram(const SramJob& job) {
    return ControlsHighAcrossVccOff(job, [&] { return TestSteps(job); });
}
OperationResult WriteSram(const SramJob& job) {
    return ControlsHighAcrossVccOff(job, [&] {
        return ProgramReadBackWhenAhead(job.link, [&] { return WriteSramBytes(job); }, [&] { return VerifySteps(job); });
    });
}

void ShutDownSram(LinkState& link, const SramRow& row) {
    KeptHighAroundVccOff(link, {ChipEnable, row.writeEnablePin}, [&] { ShutDownSocket(link); });
}

} // namespace quarvin
