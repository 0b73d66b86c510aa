#include "families/flash29ee/EE29Operations.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "families/framework/ChipPresence.h"
#include "families/framework/JedecAddress.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr std::uint32_t kReadBackEvery = 0x1000; // the first page of every 4 KiB is read back
constexpr std::uint32_t kBlankQuiet = 0xFFF;     // blank check reports every 16 pages
constexpr int kCommandSettleTicks = 200, kPageWriteTicks = 500;
constexpr int kLoadWindowTicks = 3; // about 290 us: a write starts 200 us after the last load
constexpr int kDq7Pin = 25;         // data line 7 on both wirings

enum class CommandAddress : std::uint32_t { Low = 0x2AAA, High = 0x5555 };
struct Command {
    CommandAddress at;
    std::uint8_t data;
};
constexpr Command kUnlock[] = {{CommandAddress::High, 0xAA}, {CommandAddress::Low, 0x55}};
constexpr std::uint8_t kProtectedWrite = 0xA0, kSixByte = 0x80, kProtectOff = 0x20, kChipErase = 0x10;

// The box applies the command address itself: 139 for 5555, 138 for 2AAA.
void CommandWrite(LinkState& link, Command c) {
    SendByte(link, c.at == CommandAddress::High ? op::JedecCmd5555 : op::JedecCmd2AAA);
    SendByte(link, c.data);
}

void SixByteCommand(LinkState& link, std::uint8_t last) {
    for (Command c : kUnlock) CommandWrite(link, c);
    CommandWrite(link, {CommandAddress::High, kSixByte});
    for (Command c : kUnlock) CommandWrite(link, c);
    CommandWrite(link, {CommandAddress::High, last});
}

SetPageAddress AddressSetter(LinkState& link, const EE29Row& row) {
    return [&link, &row](std::uint32_t a) { SetEE29Address(link, row, a); };
}

// Block length (256 goes out as 0), one pulse, and the wiring's bus mode.
void BlockWriteSetUp(LinkState& link, const EE29Row& row) {
    SetBlockLength(link, static_cast<std::uint8_t>(row.pageSize & 0xFF));
    SetPulseCount(link, 1);
    ChooseEE29BusMode(link, row);
}

// Powers the chip with its outputs on and reads page 0: the copy that Protect
// and Unprot write back.
std::vector<std::uint8_t> SavePageZero(LinkState& link, const EE29Row& row) {
    PowerUp(link, row.supplyPin, false);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    SetDataWidth(link, kReadBusMode);
    BlockWriteSetUp(link, row);
    SetEE29Address(link, row, 0);
    std::vector<std::uint8_t> page(row.pageSize);
    ReadNextBytes(link, page.data(), page.size());
    return page;
}

std::optional<OperationResult> NoDevice(const EE29Row& row, const char* what) {
    if (!row.placeholder()) return std::nullopt;
    return OperationResult::failed(std::string(what) + " (no device type selected)", 0);
}

bool HoldsOtherThanFf(const std::uint8_t* bytes, std::size_t n) {
    return std::any_of(bytes, bytes + n, [](std::uint8_t b) { return b != kEmptySocketByte; });
}

// Data protection off, then page 0 written back: the first step of Unprot,
// Erase and Programe. True when page 0 read a byte other than FF, which only a
// chip answers.
bool DataProtectionOff(LinkState& link, const EE29Row& row) {
    const std::vector<std::uint8_t> page = SavePageZero(link, row);
    SetDataWidth(link, kWriteBusMode);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
    SixByteCommand(link, kProtectOff);
    Delay(link, kCommandSettleTicks);
    WriteBackPage(link, 0, page, AddressSetter(link, row));
    Delay(link, kPageWriteTicks);
    ConnectVcc(link, 0);
    return HoldsOtherThanFf(page.data(), page.size());
}

// Whether a chip answers a page write: while it writes, the part reads DQ7 as
// the complement of the last byte loaded (low after FF) for milliseconds; an
// empty socket reads it high. The generic rows' parts have no codes to ask for,
// but every part writes pages. Used only after a step that read nothing but FF
// in page 0, with the data protection just turned off: page 0 is written with
// the FF it holds. The full power-up wait also passes the Winbond parts'
// power-on write lock. Leaves the socket off.
bool PageWriteShowsBusy(LinkState& link, const EE29Row& row) {
    PowerUp(link, row.supplyPin, true);
    BlockWriteSetUp(link, row);
    SetDataWidth(link, kWriteBusMode);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
    WriteBackPage(link, 0, std::vector<std::uint8_t>(row.pageSize, kEmptySocketByte), AddressSetter(link, row));
    Delay(link, kLoadWindowTicks);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link); // the block write ends with /CE high
    const bool busy = ReadPin(link, kDq7Pin) == 0;
    Delay(link, kPageWriteTicks);
    ConnectVcc(link, 0);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    return busy;
}

// What the failure says the check saw.
constexpr std::string_view kNeverBusy = "not busy in a page write";

// Reads the page at d back and compares it with the buffer from b; the address
// of the first byte that differs.
std::optional<std::uint32_t> PageDiffers(LinkState& link, const EE29Row& row, const MainBuffer& buffer,
                                         std::uint32_t d, std::uint32_t b) {
    PinLow(link, OutputEnable);
    SetDataWidth(link, kReadBusMode);
    SetEE29Address(link, row, d);
    std::vector<std::uint8_t> page(row.pageSize);
    const std::size_t got = ReadNextBytes(link, page.data(), page.size(), [&](std::size_t i, std::uint8_t v) {
        return v != buffer[b + static_cast<std::uint32_t>(i)];
    });
    if (got == 0 || page[got - 1] == buffer[b + static_cast<std::uint32_t>(got) - 1]) return std::nullopt;
    return d + static_cast<std::uint32_t>(got) - 1;
}

} // namespace

void SetEE29Address(LinkState& link, const EE29Row& row, std::uint32_t a) {
    WriteJedecAddress(link, a | row.highAddressMask(), row.pin28());
}

void ChooseEE29BusMode(LinkState& link, const EE29Row& row) {
    if (!row.placeholder()) ChooseJedecBusMode(link, row.pin28());
}

namespace {

OperationResult ReadSteps(const EE29Job& job) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    job.hooks.say("Reading...", true);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    SetEE29Address(link, row, 0);
    PinHigh(link, ProgramEnable);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    // Bounded by the device: Length alone could run past its end.
    const std::uint32_t count = std::min(job.fields.length, row.lastAddress) + 1;
    if (auto stoppedAt = ReadPages(link, job.buffer, count, row.lastAddress, 0, AddressSetter(link, row), job.hooks))
        return StoppedPoweredOff(link, *stoppedAt);
    PowerDownAfterRead(link);
    job.hooks.show(count - 1, row.lastAddress);
    return OperationResult::done("OK!");
}

OperationResult BlankCheckSteps(const EE29Job& job) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    job.hooks.say("Verify...", true);
    Delay(link, kSettleTicks);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    // Blocks up to Length, at least the first.
    const auto end = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{job.fields.length} + 1, 0xFFFFFF00u));
    const BlankRun run = BlankPages(link, end, row.lastAddress, kBlankQuiet, AddressSetter(link, row), job.hooks);
    if (run.stopped) return StoppedPoweredOff(link, *run.used);
    if (run.used) {
        const std::uint32_t used = FirstUsedAddress(link, *run.used, AddressSetter(link, row));
        PowerOffAfterFailure(link);
        return OperationResult::failed(Format("%06x: Not blank ", used), used);
    }
    job.hooks.show(end - 1, row.lastAddress);
    PowerDownAfterRead(link);
    return OperationResult::done("Blank OK");
}

OperationResult UnprotectSteps(const EE29Job& job) {
    if (auto none = NoDevice(job.row, "Failured!")) return *none;
    job.hooks.say("Unprotect...", true);
    DataProtectionOff(job.link, job.row);
    return OperationResult::done("OK!");
}

OperationResult ProtectSteps(const EE29Job& job) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Protect...", true);
    const std::vector<std::uint8_t> page = SavePageZero(link, row);
    PinHigh(link, OutputEnable);
    SetDataWidth(link, kWriteBusMode);
    SetEE29Address(link, row, 0);
    for (Command c : kUnlock) CommandWrite(link, c);
    CommandWrite(link, {CommandAddress::High, kProtectedWrite});
    WriteBackPage(link, 0, page, AddressSetter(link, row));
    Delay(link, kPageWriteTicks);
    PinLow(link, OutputEnable);
    PinHigh(link, ChipEnable);
    ConnectVcc(link, 0);
    return OperationResult::done("OK!");
}

OperationResult EraseSteps(const EE29Job& job) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Erase...", true);
    const bool chipAnswered = DataProtectionOff(link, row);
    ConnectGround(link, pin::Ground);
    ChooseEE29BusMode(link, row);
    SetDataWidth(link, kWriteBusMode);
    ConnectVcc(link, 0);
    WriteAllPorts(link, 0);
    Delay(link, kSettleTicks);
    ConnectVcc(link, row.supplyPin);
    Delay(link, kSettleTicks);
    SetEE29Address(link, row, 0);
    SixByteCommand(link, kChipErase);
    Delay(link, kPageWriteTicks);
    PowerDownAfterProgram(link);
    WriteAllPorts(link, 0);
    if (!chipAnswered && !PageWriteShowsBusy(link, row))
        return NoChipAnswered(PresenceCheckedStep::Erase, kNeverBusy, 0);
    // Nothing is read back here: Blank tells whether the chip is erased.
    return OperationResult::doneUnchecked("Finished");
}

OperationResult ProgramSteps(const EE29Job& job, int speedIndex) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    if (auto none = NoDevice(row, "Programe Failured!")) return *none;
    AddressFields f = job.fields;
    AlignFieldsToPages(row.pageMask(), f);
    if (auto refused = CheckFieldStarts(f, row.lastAddress)) return *refused;
    if (std::uint64_t{f.bufferStart} + row.pageSize > kBufferSize)
        return OperationResult::failed(QV_TEXT("Programe Failured! (no whole page left in the buffer)"), f.deviceStart);
    bool chipAnswered = DataProtectionOff(link, row);
    job.hooks.say("Programming...", true);
    PowerUp(link, row.supplyPin, true);
    Delay(link, kSettleTicks);
    BlockWriteSetUp(link, row);
    const int waitTicks = kSettleTicks * (std::clamp(speedIndex, 0, 2) + 1);
    const std::uint64_t end = std::uint64_t{f.deviceStart} + f.length;
    std::uint32_t d = f.deviceStart, b = f.bufferStart, written = 0, pages = 0, wanted = 0;
    for (std::uint64_t x = d; x <= row.lastAddress && x < end; x += row.pageSize) ++wanted;
    while (written < f.length && d <= row.lastAddress) {
        if (std::uint64_t{b} + row.pageSize > kBufferSize) break;
        SetDataWidth(link, kWriteBusMode);
        SetEE29Address(link, row, d);
        SendByte(link, op::BlockWrite);
        WriteBlock(link, job.buffer.data() + b, row.pageSize);
        Delay(link, waitTicks);
        job.hooks.show(d + row.pageSize - 1, row.lastAddress);
        ++pages;
        if (d % kReadBackEvery == 0) {
            if (auto bad = PageDiffers(link, row, job.buffer, d, b)) {
                job.hooks.show(*bad, row.lastAddress);
                ConnectVcc(link, 0);
                PinLow(link, OutputEnable);
                PinLow(link, ChipEnable);
                return OperationResult::failed(Format("Programe Failured! at %06x", *bad), *bad);
            }
            // The page read back as the buffer has it: an answer if it holds other than FF.
            chipAnswered = chipAnswered || HoldsOtherThanFf(job.buffer.data() + b, row.pageSize);
        }
        if (job.hooks.stop()) return StoppedPoweredOff(link, d);
        d += row.pageSize;
        b += row.pageSize;
        if (d >= end) break;
        written += row.pageSize;
    }
    ConnectVcc(link, 0);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    if (!chipAnswered && !PageWriteShowsBusy(link, row))
        return NoChipAnswered(PresenceCheckedStep::Program, kNeverBusy, f.deviceStart);
    const std::string note = pages < wanted ? Format("%u of %u pages: end of buffer", pages, wanted) : std::string();
    return OperationResult::done("Finished", note);
}

OperationResult VerifySteps(const EE29Job& job) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Failured! (nothing to verify)", s.device);
    job.hooks.say("Verify...(Ctrl+C to stop)", true);
    PowerUp(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    SetEE29Address(link, row, s.device);
    const VerifyRun run = VerifyPages(link, job.buffer, s, row.lastAddress, AddressSetter(link, row), job.hooks);
    return VerifyOutcome(link, run, s, row.lastAddress, job.hooks, [](const VerifyRun& bad) {
        return Format("%06x:Bad =%02x,器件=%02x)", bad.address, bad.expected, bad.found);
    });
}

OperationResult SumSteps(const EE29Job& job) {
    LinkState& link = job.link;
    const EE29Row& row = job.row;
    job.hooks.say("Check sum...", true);
    PowerUp(link, row.supplyPin, false);
    SetDataWidth(link, kReadBusMode);
    const PageSum pages = SumPages(link, row.lastAddress, AddressSetter(link, row), job.hooks);
    return SumOutcome(link, pages, "字节累加后的和 = ");
}

} // namespace

// The SST parts rate their pins "-0.5 V to VDD + 0.5 V": the ports go low
// before each Vcc off, and every operation ends with them low.
OperationResult ReadEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return ReadSteps(job); });
}
OperationResult BlankCheckEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return BlankCheckSteps(job); });
}
OperationResult UnprotectEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return UnprotectSteps(job); });
}
OperationResult ProtectEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return ProtectSteps(job); });
}
OperationResult EraseEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return EraseSteps(job); });
}
OperationResult ProgramEE29(const EE29Job& job, int speedIndex) {
    return ProgramReadBackWhenAhead(
        job.link, [&] { return PortsLowAroundVccOff(job.link, [&] { return ProgramSteps(job, speedIndex); }); },
        [&] { return VerifyEE29(job); });
}
OperationResult VerifyEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return VerifySteps(job); });
}
OperationResult SumEE29(const EE29Job& job) {
    return PortsLowAroundVccOff(job.link, [&] { return SumSteps(job); });
}

} // namespace quarvin
