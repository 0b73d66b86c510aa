#include "families/flash29c/At29Operations.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "families/framework/JedecAddress.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr std::uint32_t kReadBackEvery = 0x1000; // the first page of every 4 KiB is read back
constexpr std::uint32_t kQuietBlocks = 0xFFF;    // blank check and erase report every 16 blocks
constexpr std::uint32_t kBlock = 0x100;          // the box's blank-check block
// AT29C256 "Software Data Protection Disable Algorithm": AA/5555 55/2AAA
// 80/5555 AA/5555 55/2AAA 20/5555, then the page's data.
constexpr std::uint8_t kProtectionOff = 0x20;
constexpr std::uint8_t kErased = 0xFF;
// AT29C256 and AT29C040A "Operating Modes", product identification (hardware):
// /CE and /OE low, /WE high, A1.. low, A9 at VH = 12.0 V +- 0.5 V, A0 low for
// the maker code and high for the device code.
constexpr int kIdMillivolts = 12000;
constexpr int kA9SocketPin = 30; // chip pin 24 of the 28-pin part, 26 of the 32-pin one

SetPageAddress AddressSetter(LinkState& link, const At29Row& row) {
    return [&link, &row](std::uint32_t a) { SetAt29Address(link, row, a); };
}

void ChooseBusMode(LinkState& link, const At29Row& row) {
    if (row.busMode == reg::Bus32Pin) ChooseJedecBusMode(link, false);
    else SetBusMode(link, row.busMode); // drives socket pins 7 (/WE) and 8 (A12) itself
}

// Block length (256 goes out as 0), one pulse, and the wiring's bus mode.
void BlockWriteSetUp(LinkState& link, const At29Row& row) {
    SetBlockLength(link, static_cast<std::uint8_t>(row.pageSize & 0xFF));
    SetPulseCount(link, 1);
    ChooseBusMode(link, row);
}

// The supply on, its wait (which also passes the parts' 5 ms power-on write
// lock-out), the data pins as inputs and the outputs enabled.
void PowerUpForReading(LinkState& link, const At29Row& row) {
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
}

// Released data pins, the supply off, then every pin low: no pin is left
// driven high on the unpowered part.
void SocketAtRest(LinkState& link) {
    SetDataWidth(link, kReadBusMode);
    ConnectVcc(link, 0);
    WriteAllPorts(link, 0);
}

// The page at `at` read into `page`; the outputs enabled, the supply on.
void ReadPage(LinkState& link, const At29Row& row, std::uint32_t at, std::vector<std::uint8_t>& page) {
    SetDataWidth(link, kReadBusMode);
    PinLow(link, OutputEnable);
    SetAt29Address(link, row, at);
    ReadNextBytes(link, page.data(), page.size());
}

// The data bus driven and /OE high: the box's write cycles may follow.
void ReadyForLoads(LinkState& link) {
    SetDataWidth(link, kWriteBusMode);
    PinHigh(link, OutputEnable);
}

// Page 0 rewritten with its own contents after the box's `opcode` (146, or 148
// with the disable code), then the program cycle's wait; the supply stays on.
// Nothing when page 0 then reads as saved, else the failure.
std::optional<OperationResult> RewritePageZero(const At29Job& job, std::uint8_t opcode) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    PowerUpForReading(link, row);
    BlockWriteSetUp(link, row);
    std::vector<std::uint8_t> saved(row.pageSize);
    ReadPage(link, row, 0, saved);
    ReadyForLoads(link);
    SetAt29Address(link, row, 0);
    SendByte(link, opcode);
    if (opcode == op::SixByteBlockWrite) SendByte(link, kProtectionOff);
    WriteBlock(link, saved.data(), saved.size());
    Delay(link, job.timing.pageWriteTicks);
    std::vector<std::uint8_t> now(row.pageSize);
    ReadPage(link, row, 0, now);
    const auto differs = std::mismatch(saved.begin(), saved.end(), now.begin());
    if (differs.first == saved.end()) return std::nullopt;
    const auto at = static_cast<std::uint32_t>(differs.first - saved.begin());
    SocketAtRest(link);
    return OperationResult::failed(Format("Failured! page 0 changed at %06x (was %02x, now %02x)", at, *differs.first,
                                          *differs.second),
                                   at);
}

std::optional<OperationResult> NoDevice(const At29Row& row, const char* what) {
    if (!row.placeholder()) return std::nullopt;
    return OperationResult::failed(std::string(what) + " (no device type selected)", 0);
}

// One page of the buffer (or of FF) written at d with the box's block write,
// then the wait for the program cycle.
void WritePage(LinkState& link, const At29Row& row, std::uint32_t d, const std::uint8_t* bytes, int waitTicks) {
    ReadyForLoads(link);
    SetAt29Address(link, row, d);
    SendByte(link, op::BlockWrite);
    WriteBlock(link, bytes, row.pageSize);
    Delay(link, waitTicks);
}

// Reads the page at d back and compares it with the buffer from b; the address
// of the first byte that differs.
std::optional<std::uint32_t> PageDiffers(LinkState& link, const At29Row& row, const MainBuffer& buffer,
                                         std::uint32_t d, std::uint32_t b) {
    SetDataWidth(link, kReadBusMode);
    PinLow(link, OutputEnable);
    SetAt29Address(link, row, d);
    std::vector<std::uint8_t> page(row.pageSize);
    const std::size_t got = ReadNextBytes(link, page.data(), page.size(), [&](std::size_t i, std::uint8_t v) {
        return v != buffer[b + static_cast<std::uint32_t>(i)];
    });
    if (got == 0 || page[got - 1] == buffer[b + static_cast<std::uint32_t>(got) - 1]) return std::nullopt;
    return d + static_cast<std::uint32_t>(got) - 1;
}

// Protect and Unprot: page 0 rewritten after the box's command for it.
OperationResult ProtectionStep(const At29Job& job, const char* status, std::uint8_t opcode) {
    if (auto none = NoDevice(job.row, "Failured!")) return *none;
    job.hooks.say(status, true);
    if (auto failed = RewritePageZero(job, opcode)) return *failed;
    SocketAtRest(job.link);
    return OperationResult::done("OK!");
}

OperationResult StoppedAtRest(LinkState& link, std::uint32_t at) {
    SocketAtRest(link);
    return OperationResult::stopped(at);
}

} // namespace

void SetAt29Address(LinkState& link, const At29Row& row, std::uint32_t a) {
    WriteJedecAddress(link, a | row.highAddressMask(), false);
}

OperationResult ReadAt29(const At29Job& job) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Reading...", true);
    PowerUpForReading(link, row);
    const std::uint32_t count = std::min(job.fields.length, row.lastAddress) + 1;
    if (auto stoppedAt = ReadPages(link, job.buffer, count, row.lastAddress, 0, AddressSetter(link, row), job.hooks))
        return StoppedAtRest(link, *stoppedAt);
    SocketAtRest(link);
    job.hooks.show(count - 1, row.lastAddress);
    return OperationResult::done("OK!");
}

OperationResult BlankCheckAt29(const At29Job& job) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Verify...", true);
    PowerUpForReading(link, row);
    const auto end = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{job.fields.length} + 1, 0xFFFFFF00u));
    const BlankRun run = BlankPages(link, end, row.lastAddress, kQuietBlocks, AddressSetter(link, row), job.hooks);
    if (run.stopped) return StoppedAtRest(link, *run.used);
    if (run.used) {
        const std::uint32_t used = FirstUsedAddress(link, *run.used, AddressSetter(link, row));
        SocketAtRest(link);
        return OperationResult::failed(Format("%06x: Not blank ", used), used);
    }
    job.hooks.show(end - 1, row.lastAddress);
    SocketAtRest(link);
    return OperationResult::done("Blank OK");
}

OperationResult UnprotectAt29(const At29Job& job) { return ProtectionStep(job, "Unprotect...", op::SixByteBlockWrite); }

OperationResult ProtectAt29(const At29Job& job) { return ProtectionStep(job, "Protect...", op::BlockWrite2); }

// A page write erases its page, so pages of FF erase the part: only the
// 256-byte blocks that do not check blank are written.
OperationResult EraseAt29(const At29Job& job) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Erase...", true);
    if (auto failed = RewritePageZero(job, op::SixByteBlockWrite)) return *failed;
    const std::vector<std::uint8_t> blank(row.pageSize, kErased);
    for (std::uint32_t a = 0; a <= row.lastAddress; a += kBlock) {
        SetDataWidth(link, kReadBusMode);
        PinLow(link, OutputEnable);
        SetAt29Address(link, row, a);
        if (!BlankCheckPage(link))
            for (std::uint32_t p = a; p < a + kBlock; p += row.pageSize)
                WritePage(link, row, p, blank.data(), job.timing.pageWriteTicks);
        if ((a & kQuietBlocks) == 0) {
            job.hooks.show(a | kQuietBlocks, row.lastAddress);
            if (job.hooks.stop()) return StoppedAtRest(link, a);
        }
    }
    SocketAtRest(link);
    // Nothing is read back here: Blank tells whether the part is erased.
    return OperationResult::doneUnchecked("Finished");
}

static OperationResult WriteAt29(const At29Job& job, int speedIndex) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    if (auto none = NoDevice(row, "Programe Failured!")) return *none;
    AddressFields f = job.fields;
    AlignFieldsToPages(row.pageMask(), f);
    if (auto refused = CheckFieldStarts(f, row.lastAddress)) return *refused;
    if (std::uint64_t{f.bufferStart} + row.pageSize > kBufferSize)
        return OperationResult::failed(QV_TEXT("Programe Failured! (no whole page left in the buffer)"), f.deviceStart);
    if (auto failed = RewritePageZero(job, op::SixByteBlockWrite)) return *failed;
    job.hooks.say("Programming...", true);
    const int waitTicks = job.timing.pageWriteTicks * (std::clamp(speedIndex, 0, 2) + 1);
    const std::uint64_t end = std::uint64_t{f.deviceStart} + f.length;
    std::uint32_t d = f.deviceStart, b = f.bufferStart, pages = 0, wanted = 0;
    for (std::uint64_t x = d; x <= row.lastAddress && x < end; x += row.pageSize) ++wanted;
    while (pages < wanted && std::uint64_t{b} + row.pageSize <= kBufferSize) {
        WritePage(link, row, d, job.buffer.data() + b, waitTicks);
        job.hooks.show(d + row.pageSize - 1, row.lastAddress);
        ++pages;
        if (d % kReadBackEvery == 0) {
            if (auto bad = PageDiffers(link, row, job.buffer, d, b)) {
                job.hooks.show(*bad, row.lastAddress);
                SocketAtRest(link);
                return OperationResult::failed(Format("Programe Failured! at %06x", *bad), *bad);
            }
        }
        if (job.hooks.stop()) return StoppedAtRest(link, d);
        d += row.pageSize;
        b += row.pageSize;
    }
    SocketAtRest(link);
    const std::string note = pages < wanted ? Format("%u of %u pages: end of buffer", pages, wanted) : std::string();
    return OperationResult::done("Finished", note);
}

OperationResult VerifyAt29(const At29Job& job) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Failured! (nothing to verify)", s.device);
    job.hooks.say("Verify...(Ctrl+C to stop)", true);
    PowerUpForReading(link, row);
    SetAt29Address(link, row, s.device);
    const VerifyRun run = VerifyPages(link, job.buffer, s, row.lastAddress, AddressSetter(link, row), job.hooks);
    if (run.end != VerifyRun::End::Matched) SetDataWidth(link, kReadBusMode);
    const OperationResult result = VerifyOutcome(link, run, s, row.lastAddress, job.hooks, [](const VerifyRun& bad) {
        return Format("%06x:Bad =%02x,器件=%02x)", bad.address, bad.expected, bad.found);
    });
    WriteAllPorts(link, 0);
    return result;
}

std::string ReadAt29Codes(LinkState& link, const At29Row& row) {
    if (row.placeholder()) return {};
    PowerUpForReading(link, row);
    SetAt29Address(link, row, 0);
    SetVppLevel(link, kIdMillivolts);
    ConnectVpp(link, kA9SocketPin);
    Delay(link, kSettleTicks);
    std::uint8_t codes[2] = {};
    ReadNextBytes(link, codes, 2); // the read steps A0 from low to high
    ConnectVpp(link, 0);
    SetVppLevel(link, 0);
    SocketAtRest(link);
    return Format("%02x,%02x", codes[0], codes[1]);
}

OperationResult SumAt29(const At29Job& job) {
    LinkState& link = job.link;
    const At29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Check sum...", true);
    PowerUpForReading(link, row);
    const PageSum pages = SumPages(link, row.lastAddress, AddressSetter(link, row), job.hooks);
    const OperationResult result = SumOutcome(link, pages, "字节累加后的和 = ");
    WriteAllPorts(link, 0);
    return result;
}

OperationResult ProgramAt29(const At29Job& job, int speedIndex) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteAt29(job, speedIndex); }, [&] { return VerifyAt29(job); });
}

} // namespace quarvin
