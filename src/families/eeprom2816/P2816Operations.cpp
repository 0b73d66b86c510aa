#include "families/eeprom2816/P2816Operations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "families/framework/JedecAddress.h"
#include "families/framework/MemorySteps.h"
#include "families/framework/ReadBackAfterAhead.h"
#include "families/framework/PageLoops.h"
#include "forms/HexText.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"

namespace quarvin {

namespace {

using namespace pin::eprom;

constexpr std::uint32_t kPage = 256;
// The 24-pin part's /WE sits on the socket pin of the larger parts' A11.
constexpr std::uint32_t kWriteEnableOnA11 = 1u << 11;
constexpr int kReadyBusySocketPin = 7;
constexpr int kLowAddressPort = 1;
constexpr int kControlPort = 3;
constexpr std::uint8_t PortBit(int socketPin) { return static_cast<std::uint8_t>(1u << (pin::portIndex(socketPin) & 7)); }
constexpr int kInput = 1;
constexpr std::uint8_t kErased = 0xFF;

using ByteWrite = std::pair<std::uint32_t, std::uint8_t>; // address, value

std::uint32_t AddressLines(const P2816Row& row, std::uint32_t a) {
    return (a & row.lastAddress) | (row.pin28() ? 0 : kWriteEnableOnA11);
}

int TicksFor(double microseconds) { return static_cast<int>(std::ceil(microseconds / LineCharMicroseconds)); }

SetPageAddress AddressSetter(LinkState& link, const P2816Row& row) {
    return [&link, &row](std::uint32_t a) { SetP2816Address(link, row, a); };
}

// From a quiet socket: Vcc, then the ports high (/CE, /OE, /WE inactive), ground
// and the supply's settling time. The data pins are rated "-0.6V to VCC +0.6V"
// (DS11127G 1.1): nothing goes high before the supply.
void PowerUpForWrites(LinkState& link, const P2816Row& row) {
    QuietSocket(link);
    ConnectVccThenPortsHigh(link, row.supplyPin);
    ConnectGround(link, pin::Ground);
    Delay(link, kPowerUpTicks);
}

// Byte writes within one 256-byte page, /OE high and /CE low: the address, the
// data, a /WE pulse (address taken as /WE falls, data as it rises; DS11127G
// 2.0 "Byte Write: CE L, OE H, WE L"), then the wait for the write cycle, in
// which the part takes no other write.
void WriteBytesOfPage(LinkState& link, const P2816Row& row, const std::vector<ByteWrite>& bytes, int waitTicks) {
    if (bytes.empty()) return;
    SetP2816Address(link, row, bytes.front().first, P2816Cycle::Write);
    SetDataWidth(link, kWriteBusMode);
    for (auto [a, value] : bytes) {
        WritePort(link, kLowAddressPort, P2816Ports(row, a, P2816Cycle::Write)[kLowAddressPort]);
        WritePort(link, DataPort, value);
        PinLow(link, row.writeEnablePin);
        PinHigh(link, row.writeEnablePin);
        Delay(link, waitTicks);
    }
}

// Reads n bytes from `a` (within one page) into `got`; `differs` ends the run
// at the first byte it flags. Returns how many came back.
std::size_t ReadBackPage(LinkState& link, const P2816Row& row, std::uint32_t a, std::uint8_t* got, std::uint32_t n,
                         const StopAtReply& differs) {
    SetDataWidth(link, kReadBusMode);
    SetP2816Address(link, row, a, P2816Cycle::Read);
    return ReadNextBytes(link, got, n, differs);
}

std::optional<OperationResult> NoDevice(const P2816Row& row, const char* what) {
    if (row.chip) return std::nullopt;
    return OperationResult::failed(std::string(what) + " (no device type selected)", 0);
}

} // namespace

std::array<std::uint8_t, 5> P2816Ports(const P2816Row& row, std::uint32_t a, P2816Cycle cycle) {
    std::array<std::uint8_t, 5> ports = EncodeJedecAddress(AddressLines(row, a), row.pin28());
    std::uint8_t& control = ports[kControlPort];
    control = static_cast<std::uint8_t>(control & ~PortBit(ChipEnable) & ~PortBit(OutputEnable));
    if (cycle == P2816Cycle::Write) control |= PortBit(OutputEnable);
    return ports;
}

void SetP2816Address(LinkState& link, const P2816Row& row, std::uint32_t a, P2816Cycle cycle) {
    const auto ports = P2816Ports(row, a, cycle);
    for (int n : kJedecPortOrder) WritePort(link, n, ports[static_cast<std::size_t>(n)]);
}

void ReleaseReadyBusyPin(LinkState& link) { SetPinLatch(link, kReadyBusySocketPin, kInput); }

OperationResult ReadP2816(const P2816Job& job) {
    return ReadBlocks(job.link, job.buffer, job.row.supplyPin, job.fields.length, job.row.lastAddress,
                      AddressSetter(job.link, job.row), job.hooks);
}

OperationResult BlankCheckP2816(const P2816Job& job) {
    return BlankCheckBlocks(job.link, job.row.supplyPin, job.fields.length, job.row.lastAddress,
                            AddressSetter(job.link, job.row), job.hooks);
}

namespace {

OperationResult WriteP2816(const P2816Job& job, double writeWaitMicroseconds) {
    LinkState& link = job.link;
    const P2816Row& row = job.row;
    if (auto none = NoDevice(row, "Programe Failured!")) return *none;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Programe Failured! (nothing to program)", s.device);
    job.hooks.say("Programming...", true);
    PowerUpForWrites(link, row);
    const int waitTicks = TicksFor(writeWaitMicroseconds);
    std::array<std::uint8_t, kPage> got{};
    // A page of byte writes, then its read-back: a byte that did not take is
    // found within the page it was written in.
    for (std::uint32_t done = 0; done < s.count;) {
        const std::uint32_t a = s.device + done;
        const std::uint32_t n = std::min(s.count - done, kPage - a % kPage);
        job.hooks.show(a, row.lastAddress);
        if (job.hooks.stop()) return StoppedPortsLow(link, a);
        const std::uint8_t* want = job.buffer.data() + s.buffer + done;
        std::vector<ByteWrite> bytes;
        for (std::uint32_t i = 0; i < n; ++i) bytes.emplace_back(a + i, want[i]);
        WriteBytesOfPage(link, row, bytes, waitTicks);
        const std::size_t read =
            ReadBackPage(link, row, a, got.data(), n, [&](std::size_t i, std::uint8_t v) { return v != want[i]; });
        const std::size_t last = read - 1;
        if (got[last] != want[last]) {
            const std::uint32_t at = a + static_cast<std::uint32_t>(last);
            job.hooks.show(at, row.lastAddress);
            PortsLowThenVccOff(link);
            return OperationResult::failed(Format("Programe Failured! at %06x", at), at);
        }
        done += n;
    }
    job.hooks.show(s.device + s.count - 1, row.lastAddress);
    PortsLowThenVccOff(link);
    return OperationResult::done("OK!", EndOfBufferNote(s));
}

} // namespace

// The page read-back above reads where the box was told to write; a lost
// address byte sent ahead writes and reads the same wrong place, so a Programe
// sent ahead also verifies the whole range before it says OK.
OperationResult ProgramP2816(const P2816Job& job, double writeWaitMicroseconds) {
    return ProgramReadBackWhenAhead(job.link, [&] { return WriteP2816(job, writeWaitMicroseconds); },
                                    [&] { return VerifyP2816(job); });
}

OperationResult VerifyP2816(const P2816Job& job) {
    LinkState& link = job.link;
    const P2816Row& row = job.row;
    if (auto refused = CheckFieldStarts(job.fields, row.lastAddress)) return *refused;
    const FieldSpan s = SpanOf(job.fields, row.lastAddress);
    if (s.count == 0) return OperationResult::failed("Failured! (nothing to verify)", s.device);
    job.hooks.say("Verify...", true);
    QuietSocket(link);
    PowerUpThenPortsHigh(link, row.supplyPin, true);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
    Delay(link, kSettleTicks);
    SetP2816Address(link, row, s.device);
    const VerifyRun run = VerifyPages(link, job.buffer, s, row.lastAddress, AddressSetter(link, row), job.hooks);
    return VerifyOutcome(link, run, s, row.lastAddress, job.hooks, [](const VerifyRun& bad) {
        return Format("%06x:Bad! (file=%02x,Device=%02x)", bad.address, bad.expected, bad.found);
    });
}

OperationResult SumP2816(const P2816Job& job) {
    LinkState& link = job.link;
    const P2816Row& row = job.row;
    job.hooks.say("Check sum...", true);
    QuietSocket(link);
    PowerUpThenPortsHigh(link, row.supplyPin, false);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
    const PageSum pages = SumPages(link, row.lastAddress, AddressSetter(link, row), job.hooks);
    return SumOutcomePortsLow(link, pages, "字节累加后的和 = ");
}

// The part clears each byte itself before it writes it ("Auto-Clear Before
// Write Operation", DS11125G "Features"), so erasing is writing FF; only the
// bytes that are not FF already are written, each write costing one of the
// part's "Minimum 10^4 Erase/Write Cycles". A blank check of the whole device
// follows.
OperationResult EraseP2816(const P2816Job& job, double writeWaitMicroseconds) {
    LinkState& link = job.link;
    const P2816Row& row = job.row;
    if (auto none = NoDevice(row, "Failured!")) return *none;
    job.hooks.say("Erase...", true);
    PowerUpForWrites(link, row);
    const int waitTicks = TicksFor(writeWaitMicroseconds);
    std::array<std::uint8_t, kPage> got{};
    for (std::uint32_t page = 0; page <= row.lastAddress; page += kPage) {
        job.hooks.show(page, row.lastAddress);
        if (job.hooks.stop()) return StoppedPortsLow(link, page);
        ReadBackPage(link, row, page, got.data(), kPage, {});
        std::vector<ByteWrite> used;
        for (std::uint32_t i = 0; i < kPage; ++i)
            if (got[i] != kErased) used.emplace_back(page + i, kErased);
        WriteBytesOfPage(link, row, used, waitTicks);
    }
    PortsLowThenVccOff(link);
    AddressFields whole = job.fields;
    whole.length = row.lastAddress;
    return BlankCheckP2816(P2816Job{link, row, job.buffer, whole, job.hooks});
}

} // namespace quarvin
