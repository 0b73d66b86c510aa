#include "families/eeprom28c/E28Operations.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "families/framework/JedecAddress.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/PageLoops.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "forms/HexText.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr int kSupply32 = 36;
constexpr int kEraseSettleTicks = 10000, kCommandSettleTicks = 200, kPageWriteTicks = 500;
// The wait after a page of FF bytes: about 10.5 ms, above the 10 ms longest
// write cycle of the parts' data sheets.
constexpr int kBlankPageWaitTicks = 110;
constexpr std::uint8_t kErased = 0xFF;

using Command = std::pair<std::uint32_t, std::uint8_t>;
constexpr Command kUnlock[] = {{0x5555, 0xAA}, {0x2AAA, 0x55}};
constexpr std::uint8_t kProtectedWrite = 0xA0, kSixByte = 0x80, kProtectOff = 0x20, kChipErase = 0x10;

// Block length as the box takes it: 256 is sent as 0.
std::uint8_t PageByte(const E28Row& row) { return static_cast<std::uint8_t>(row.pageSize & 0xFF); }

void CommandWrite(LinkState& link, const E28Row& row, std::uint32_t a, std::uint8_t d) {
    WritePort(link, DataPort, d);
    SetE28Address(link, row, a);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
    PinLow(link, row.writeEnablePin);
    PinHigh(link, row.writeEnablePin);
    PinHigh(link, ChipEnable);
    PinLow(link, OutputEnable);
}

void SixByteCommand(LinkState& link, const E28Row& row, std::uint8_t last) {
    for (auto [a, d] : kUnlock) CommandWrite(link, row, a, d);
    CommandWrite(link, row, 0x5555, kSixByte);
    for (auto [a, d] : kUnlock) CommandWrite(link, row, a, d);
    CommandWrite(link, row, 0x5555, last);
}

std::vector<std::uint8_t> SavePageZero(LinkState& link, const E28Row& row) {
    SetDataWidth(link, kReadBusMode);
    SetBlockLength(link, PageByte(row));
    SetPulseCount(link, 1);
    SetE28Address(link, row, 0);
    std::vector<std::uint8_t> page(row.pageSize);
    ReadNextBytes(link, page.data(), page.size());
    return page;
}

void RewritePageZero(LinkState& link, const E28Row& row, const std::vector<std::uint8_t>& page) {
    WriteBackPage(link, 0, page, [&](std::uint32_t a) { SetE28Address(link, row, a); });
}

// One page through the box's protected page write (the protection prefix and
// the loads at the box's own pace), then the wait for the write cycle.
void WritePageProtected(LinkState& link, const E28Row& row, std::uint32_t a, const std::uint8_t* bytes,
                        int waitTicks) {
    SetE28Address(link, row, a);
    SendByte(link, op::BlockWrite2);
    WriteBlock(link, bytes, row.pageSize);
    Delay(link, waitTicks);
}

// Reads page 0 again and compares it with what was saved: the check after the
// rewrite of Protect and Unprot.
std::optional<OperationResult> PageZeroChanged(LinkState& link, const E28Row& row, const std::vector<std::uint8_t>& page) {
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    SetE28Address(link, row, 0);
    std::vector<std::uint8_t> now(page.size());
    const std::size_t got = ReadNextBytes(link, now.data(), now.size(),
                                          [&](std::size_t i, std::uint8_t v) { return v != page[i]; });
    if (got == 0) return std::nullopt;
    const auto i = static_cast<std::uint32_t>(got - 1);
    if (now[i] != page[i]) {
        ConnectVcc(link, 0);
        return OperationResult::failed(Format("Failured! page 0 changed at %06x (was %02x, now %02x)", i, page[i], now[i]), i);
    }
    return std::nullopt;
}

std::optional<OperationResult> NoDevice(const E28Row& row, const char* what) {
    if (row.chip) return std::nullopt;
    return OperationResult::failed(std::string(what) + " (no device type selected)", 0);
}

// Blank check over [0, end) in pages; the first page that is not blank.
std::optional<std::uint32_t> FirstUsedPage(LinkState& link, const E28Row& row, std::uint32_t end,
                                           const OperationHooks& hooks, bool& stopped) {
    const BlankRun run = BlankPages(
        link, end, row.lastAddress, 0, [&](std::uint32_t a) { SetE28Address(link, row, a); }, hooks);
    stopped = run.stopped;
    return run.used;
}

// The blank check of the whole device, the chip powered and its bus mode chosen.
std::optional<std::uint32_t> FirstUsedPageOfDevice(LinkState& link, const E28Row& row, const OperationHooks& hooks,
                                                   bool& stopped) {
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    return FirstUsedPage(link, row, row.lastAddress + 1, hooks, stopped);
}

} // namespace

std::array<std::uint8_t, 5> EncodeE28Address(std::uint32_t a, bool pin28) { return EncodeJedecAddress(a, pin28); }

void SetE28Address(LinkState& link, const E28Row& row, std::uint32_t a) {
    WriteJedecAddress(link, a | row.highAddressMask(), row.pin28());
}

void ChooseE28BusMode(LinkState& link, const E28Row& row) { ChooseJedecBusMode(link, row.supplyPin != kSupply32); }

OperationResult ReadE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    job.hooks.say("Reading...", true);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    PowerUp(link, row.supplyPin, false);
    ChooseE28BusMode(link, row);
    Delay(link, kPowerUpTicks);
    SetDataWidth(link, kReadBusMode);
    SetE28Address(link, row, 0);
    PinHigh(link, ProgramEnable);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    const std::uint32_t count = std::min(job.fields.length, row.lastAddress) + 1;
    if (auto stoppedAt = ReadPages(
            link, job.buffer, count, row.lastAddress, 0, [&](std::uint32_t a) { SetE28Address(link, row, a); }, job.hooks))
        return StoppedPoweredOff(link, *stoppedAt);
    PowerDownAfterRead(link);
    return OperationResult::done("OK!");
}

OperationResult BlankCheckE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    job.hooks.say("Blank...", true);
    Delay(link, kSettleTicks);
    PowerUp(link, row.supplyPin, true);
    ChooseE28BusMode(link, row);
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    bool stopped = false;
    const std::uint64_t end = std::uint64_t{job.fields.length} + 1;
    if (auto used = FirstUsedPage(link, row, static_cast<std::uint32_t>(std::min<std::uint64_t>(end, 0xFFFFFF00u)),
                                  job.hooks, stopped)) {
        if (stopped) return StoppedPoweredOff(link, *used);
        const std::uint32_t first = FirstUsedAddress(link, *used, [&](std::uint32_t a) { SetE28Address(link, row, a); });
        PowerOffAfterFailure(link);
        return OperationResult::failed(Format("%06x: Not blank!", first), first);
    }
    PowerDownAfterRead(link);
    return OperationResult::done("Blank OK");
}

static OperationResult WriteE28(const E28Job& job, int speedIndex) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    if (auto none = NoDevice(row, "Programe Failured!")) return *none;
    AddressFields f = job.fields;
    AlignFieldsToPages(row.pageMask(), f);
    if (auto refused = CheckFieldStarts(f, row.lastAddress)) return *refused;
    job.hooks.say("Programming...", true);
    PowerUp(link, row.supplyPin, true);
    Delay(link, kSettleTicks);
    SetBlockLength(link, PageByte(row));
    SetPulseCount(link, 1);
    ChooseE28BusMode(link, row);
    std::uint32_t d = f.deviceStart, b = f.bufferStart;
    const int waitTicks = kSettleTicks * (std::clamp(speedIndex, 0, 2) + 1);
    // Each page's read-back goes out ahead of its replies and its bytes are
    // compared as they come back, while the next page is written; the first
    // byte that differs ends the run.
    CommandsAhead readBacks(link);
    std::optional<std::uint32_t> differs;
    for (std::uint32_t count = 0; count < f.length && !differs; count += row.pageSize) {
        if (d > row.lastAddress || b + row.pageSize > kBufferSize) break;
        SetDataWidth(link, kWriteBusMode);
        WritePageProtected(link, row, d, job.buffer.data() + b, waitTicks);
        PinLow(link, OutputEnable);
        job.hooks.show(d + row.pageSize - 1, row.lastAddress);
        SetDataWidth(link, kReadBusMode);
        SetE28Address(link, row, d);
        for (std::uint32_t i = 0; i < row.pageSize && !differs; ++i)
            readBacks.send({op::ReadNext}, 1, 0, [&differs, &job, b, d, i](std::uint16_t v) {
                if (!differs && v != job.buffer[b + i]) differs = d + i;
            });
        if (differs) break;
        if (job.hooks.stop()) {
            readBacks.drain();
            if (differs) break;
            ConnectVcc(link, 0);
            return OperationResult::stopped(d);
        }
        d += row.pageSize;
        b += row.pageSize;
        if (d == f.deviceStart + f.length) break;
    }
    readBacks.drain();
    if (differs) {
        job.hooks.show(*differs, row.lastAddress);
        ConnectVcc(link, 0);
        PinLow(link, OutputEnable);
        PinLow(link, ChipEnable);
        return OperationResult::failed(Format("Programe Failured! at %06x", *differs), *differs);
    }
    ConnectVcc(link, 0);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    return OperationResult::done("OK!");
}

OperationResult VerifyE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Failured! (nothing to verify)", s.device);
    job.hooks.say("Verify...", true);
    PowerUp(link, row.supplyPin, false);
    ChooseE28BusMode(link, row);
    Delay(link, kPowerUpTicks);
    SetDataWidth(link, kReadBusMode);
    PinLow(link, ChipEnable);
    PinLow(link, OutputEnable);
    Delay(link, kSettleTicks);
    SetE28Address(link, row, s.device);
    const VerifyRun run = VerifyPages(
        link, job.buffer, s, row.lastAddress, [&](std::uint32_t a) { SetE28Address(link, row, a); }, job.hooks);
    return VerifyOutcome(link, run, s, row.lastAddress, job.hooks, [](const VerifyRun& bad) {
        return Format("%06x:Bad! (file=%02x,Device=%02x)", bad.address, bad.expected, bad.found);
    });
}

OperationResult SumE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    job.hooks.say("Check sum...", true);
    PowerUp(link, row.supplyPin, false);
    ChooseE28BusMode(link, row);
    SetDataWidth(link, kReadBusMode);
    const PageSum pages = SumPages(
        link, row.lastAddress, [&](std::uint32_t a) { SetE28Address(link, row, a); }, job.hooks);
    return SumOutcome(link, pages, "字节累加后的和 = ");
}

OperationResult UnprotectE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say(QV_TEXT("Unprotect..."), true);
    PowerUp(link, row.supplyPin, false);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    const std::vector<std::uint8_t> page = SavePageZero(link, row);
    SetDataWidth(link, kWriteBusMode);
    ChooseE28BusMode(link, row);
    PinHigh(link, OutputEnable);
    PinLow(link, ChipEnable);
    SixByteCommand(link, row, kProtectOff);
    Delay(link, kCommandSettleTicks);
    RewritePageZero(link, row, page);
    Delay(link, kPageWriteTicks);
    if (auto changed = PageZeroChanged(link, row, page)) return *changed;
    ConnectVcc(link, 0);
    return OperationResult::done("OK!");
}

OperationResult ProtectE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say(QV_TEXT("Protect..."), true);
    PowerUp(link, row.supplyPin, false);
    PinLow(link, OutputEnable);
    PinLow(link, ChipEnable);
    const std::vector<std::uint8_t> page = SavePageZero(link, row);
    PinHigh(link, OutputEnable);
    SetDataWidth(link, kWriteBusMode);
    ChooseE28BusMode(link, row);
    SetE28Address(link, row, 0);
    for (auto [a, d] : kUnlock) CommandWrite(link, row, a, d);
    CommandWrite(link, row, 0x5555, kProtectedWrite);
    RewritePageZero(link, row, page);
    Delay(link, kPageWriteTicks);
    PinLow(link, OutputEnable);
    PinHigh(link, ChipEnable);
    if (auto changed = PageZeroChanged(link, row, page)) return *changed;
    ConnectVcc(link, 0);
    return OperationResult::done("OK!");
}

OperationResult EraseE28(const E28Job& job) {
    LinkState& link = job.link;
    const E28Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Erase...", true);
    const OperationResult unprotected = UnprotectE28(job);
    if (!unprotected.ok()) return unprotected;
    job.hooks.say("Erase...", true);
    ConnectGround(link, pin::Ground);
    // The ports go low before the data pins become outputs and Vcc goes, and
    // high again only once it is back: the data pins are outputs, "all output
    // voltages with respect to ground -0.6 V to Vcc + 0.6 V".
    PortsLowThenVccOff(link);
    SetDataWidth(link, kWriteBusMode);
    Delay(link, kSettleTicks);
    PinHigh(link, kSupply32);
    ConnectVccThenPortsHigh(link, row.supplyPin);
    Delay(link, kSettleTicks);
    SetE28Address(link, row, 0);
    Delay(link, kEraseSettleTicks);
    SixByteCommand(link, row, kChipErase);
    Delay(link, kPageWriteTicks);
    PortsLowThenVccOff(link);
    // The erase is checked: a blank check of the whole device.
    PowerUp(link, row.supplyPin, true);
    ChooseE28BusMode(link, row);
    bool stopped = false;
    std::optional<std::uint32_t> used = FirstUsedPageOfDevice(link, row, job.hooks, stopped);
    if (used && !stopped) {
        // The command sequence did not reach the chip (its loads came a pin step
        // apart): every page is written with FF bytes instead, through the box's
        // protected page write, which keeps to the part's load timing.
        SetBlockLength(link, PageByte(row));
        SetPulseCount(link, 1);
        SetDataWidth(link, kWriteBusMode);
        const std::vector<std::uint8_t> blank(row.pageSize, kErased);
        for (std::uint32_t a = 0; a <= row.lastAddress; a += row.pageSize) {
            job.hooks.show(a, row.lastAddress);
            if (job.hooks.stop()) return StoppedPoweredOff(link, a);
            WritePageProtected(link, row, a, blank.data(), kBlankPageWaitTicks);
        }
        PinLow(link, OutputEnable);
        used = FirstUsedPageOfDevice(link, row, job.hooks, stopped);
    }
    if (used) {
        if (stopped) return StoppedPoweredOff(link, *used);
        const std::uint32_t first = FirstUsedAddress(link, *used, [&](std::uint32_t a) { SetE28Address(link, row, a); });
        PowerOffAfterFailure(link);
        return OperationResult::failed(Format("Erase failed: %06x not blank", first), first);
    }
    PowerDownAfterRead(link);
    return OperationResult::done("OK");
}

OperationResult ProgramE28(const E28Job& job, int speedIndex) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteE28(job, speedIndex); }, [&] { return VerifyE28(job); });
}

} // namespace quarvin
