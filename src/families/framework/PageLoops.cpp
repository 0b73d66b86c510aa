#include "families/framework/PageLoops.h"

#include <algorithm>
#include <array>
#include <optional>

#include "families/framework/MemorySteps.h"
#include "forms/HexText.h"
#include "link/commands/BoxTimes.h"
#include "link/commands/CommandsAhead.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {
constexpr std::uint32_t kPage = 256;
constexpr std::uint8_t kBlankByte = 0xFF; // what an erased byte reads
constexpr std::uint32_t kProgressPages = 4096; // sums report every 16 pages
} // namespace

std::optional<std::uint32_t> ReadPages(LinkState& link, MainBuffer& buffer, std::uint32_t count,
                                       std::uint32_t lastAddress, std::uint32_t progressAhead,
                                       const SetPageAddress& setAddress, const OperationHooks& hooks) {
    std::array<std::uint8_t, kPage> page{};
    for (std::uint32_t start = 0; start < count; start += kPage) {
        setAddress(start);
        hooks.show(start + progressAhead, lastAddress);
        if (hooks.stop()) return start;
        const std::uint32_t n = std::min(kPage, count - start);
        ReadNextBytes(link, page.data(), n);
        std::copy_n(page.begin(), n, &buffer[start]);
    }
    return std::nullopt;
}

OperationResult StoppedPoweredOff(LinkState& link, std::uint32_t at) {
    PowerOffAfterFailure(link);
    return OperationResult::stopped(at);
}

OperationResult StoppedPortsLow(LinkState& link, std::uint32_t at) {
    PortsLowThenVccOff(link);
    return OperationResult::stopped(at);
}

OperationResult ReadBlocks(LinkState& link, MainBuffer& buffer, int vccPin, std::uint32_t length,
                           std::uint32_t lastAddress, const SetPageAddress& setAddress, const OperationHooks& hooks) {
    hooks.say("Reading...", true);
    QuietSocket(link);
    PowerUpThenPortsHigh(link, vccPin, true);
    SetDataWidth(link, kReadBusMode);
    setAddress(0);
    EnableOutputs(link);
    ReadPort(link, pin::eprom::DataPort);
    const std::uint32_t count = std::min({length, lastAddress, static_cast<std::uint32_t>(kBufferSize - 1)}) + 1;
    if (auto stoppedAt = ReadPages(link, buffer, count, lastAddress, 0, setAddress, hooks))
        return StoppedPortsLow(link, *stoppedAt);
    hooks.show(count - 1, lastAddress);
    PortsLowThenVccOff(link);
    return OperationResult::done("OK!");
}

OperationResult BlankCheckBlocks(LinkState& link, int vccPin, std::uint32_t length, std::uint32_t lastAddress,
                                 const SetPageAddress& setAddress, const OperationHooks& hooks) {
    hooks.say(QV_TEXT("Blank..."), true);
    Delay(link, kSettleTicks);
    QuietSocket(link);
    PowerUpThenPortsHigh(link, vccPin, true);
    SetDataWidth(link, kReadBusMode);
    EnableOutputs(link);
    // The blocks that start at or below Length.
    const std::uint32_t end = length == 0xFFFFFFFFu ? length : length + 1;
    const BlankRun run = BlankPages(link, end, lastAddress, kProgressPages - 1, setAddress, hooks);
    if (run.stopped) return StoppedPortsLow(link, *run.used);
    if (run.used) {
        const std::uint32_t used = FirstUsedAddress(link, *run.used, setAddress);
        PortsLowThenVccOff(link);
        return OperationResult::failed(Format("%06x: Not blank!", used), used);
    }
    hooks.show(length | (kPage - 1), lastAddress);
    PowerDownAfterReadPortsLow(link);
    return OperationResult::done(QV_TEXT("Blank OK"));
}

PageSum SumPages(LinkState& link, std::uint32_t lastAddress, const SetPageAddress& setAddress,
                 const OperationHooks& hooks) {
    PageSum result;
    // The page sums go out ahead of their replies; the line waits out each
    // page's loop in the box instead of each reply.
    CommandsAhead sums(link);
    for (std::uint32_t p = 0; p <= lastAddress; p += kPage) {
        setAddress(p);
        if (p % kProgressPages == 0) {
            hooks.show(p | (kProgressPages - 1), lastAddress);
            if (hooks.stop()) {
                sums.drain();
                result.stoppedAt = p;
                return result;
            }
        }
        sums.send({op::SumPage}, 2, boxtime::PageLoopMicroseconds, [&result](std::uint16_t pageSum) { result.sum += pageSum; });
    }
    sums.drain();
    return result;
}

namespace {
OperationResult SumEnd(const PageSum& pages, const std::string& label) {
    if (pages.stoppedAt) return OperationResult::stopped(*pages.stoppedAt);
    OperationResult r = OperationResult::done(label + Format("%08x", pages.sum));
    r.value = pages.sum;
    return r;
}
} // namespace

OperationResult SumOutcome(LinkState& link, const PageSum& pages, const std::string& label) {
    ConnectVcc(link, 0);
    return SumEnd(pages, label);
}

OperationResult SumOutcomePortsLow(LinkState& link, const PageSum& pages, const std::string& label) {
    PortsLowThenVccOff(link);
    return SumEnd(pages, label);
}

OperationResult VerifyOutcome(LinkState& link, const VerifyRun& run, const FieldSpan& span, std::uint32_t lastAddress,
                              const OperationHooks& hooks, const std::function<std::string(const VerifyRun&)>& differs) {
    if (run.end == VerifyRun::End::Stopped) return StoppedPoweredOff(link, run.address);
    if (run.end == VerifyRun::End::Differs) {
        PowerOffAfterFailure(link);
        return OperationResult::failed(differs(run), run.address);
    }
    hooks.show(span.device + span.count - 1, lastAddress);
    PowerDownAfterRead(link);
    return OperationResult::done("Verify OK", EndOfBufferNote(span));
}

VerifyRun VerifyPages(LinkState& link, const MainBuffer& buffer, const FieldSpan& span, std::uint32_t lastAddress,
                      const SetPageAddress& setAddress, const OperationHooks& hooks) {
    std::array<std::uint8_t, kPage> page{};
    for (std::uint32_t i = 0; i < span.count;) {
        const std::uint32_t a = span.device + i;
        const bool pageStart = a % kPage == 0;
        if (pageStart) setAddress(a);
        const std::uint32_t n = pageStart ? 1 : std::min(span.count - i, kPage - a % kPage);
        const std::size_t got = ReadNextBytes(link, page.data(), n, [&](std::size_t k, std::uint8_t v) {
            return v != buffer[span.buffer + i + static_cast<std::uint32_t>(k)];
        });
        const std::uint32_t last = i + static_cast<std::uint32_t>(got) - 1;
        if (pageStart) {
            hooks.show(a, lastAddress);
            if (hooks.stop()) return {VerifyRun::End::Stopped, a, 0, 0};
        }
        const std::uint8_t found = page[got - 1], expected = buffer[span.buffer + last];
        if (found != expected) return {VerifyRun::End::Differs, span.device + last, expected, found};
        i = last + 1;
    }
    return {};
}

std::uint32_t FirstUsedAddress(LinkState& link, std::uint32_t page, const SetPageAddress& setAddress) {
    setAddress(page);
    std::array<std::uint8_t, kPage> bytes{};
    const std::size_t read =
        ReadNextBytes(link, bytes.data(), kPage, [](std::size_t, std::uint8_t v) { return v != kBlankByte; });
    return read > 0 && bytes[read - 1] != kBlankByte ? page + static_cast<std::uint32_t>(read - 1) : page;
}

BlankRun BlankPages(LinkState& link, std::uint32_t end, std::uint32_t lastAddress, std::uint32_t quietMask,
                    const SetPageAddress& setAddress, const OperationHooks& hooks) {
    // The page checks go out ahead of their replies; the first page found used
    // ends the run, and a stop counts only once the pages before it are known
    // blank, as when each reply is waited for.
    CommandsAhead checks(link);
    std::optional<std::uint32_t> used;
    for (std::uint32_t a = 0; a < end && !used; a += kPage) {
        setAddress(a);
        if ((a & quietMask) == 0) {
            hooks.show(a, lastAddress);
            if (hooks.stop()) {
                checks.drain();
                if (used) break;
                return {a, true};
            }
        }
        // The second reply is 0 for a page that is not blank.
        checks.send({op::BlankPage}, 2, boxtime::PageLoopMicroseconds, [&used, a](std::uint16_t replies) {
            if (!used && (replies >> 8) == 0) used = a;
        });
        if (a > 0xFFFFFFFFu - kPage) break;
    }
    checks.drain();
    if (used) return {used, false};
    return {};
}

void WriteBackPage(LinkState& link, std::uint32_t at, const std::vector<std::uint8_t>& page,
                   const SetPageAddress& setAddress) {
    setAddress(at);
    SetBlockLength(link, static_cast<std::uint8_t>(page.size() & 0xFF));
    SendByte(link, op::BlockWrite);
    for (std::uint8_t b : page) SendByte(link, b);
}

} // namespace quarvin
