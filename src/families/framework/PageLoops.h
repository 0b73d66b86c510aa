#pragma once
// The page loops the parallel memories share: reading from address 0 in runs
// of one page, comparing a range with the buffer, blank-checking and summing
// the device's 256-byte pages, and writing a saved page back through the box's
// block write. The family puts the address on the socket; the loop sends the
// reads, reports progress, polls Stop.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "families/framework/Operation.h"

namespace quarvin {

using SetPageAddress = std::function<void(std::uint32_t address)>;

// Reads `count` bytes from device address 0 into the buffer from offset 0: at
// each page start the address, progress (the page start plus `progressAhead`)
// and the stop poll, then the page's reads as one run. A page reaches the buffer
// once all its replies are in. Returns the page start a stop ended it at.
std::optional<std::uint32_t> ReadPages(LinkState& link, MainBuffer& buffer, std::uint32_t count,
                                       std::uint32_t lastAddress, std::uint32_t progressAhead,
                                       const SetPageAddress& setAddress, const OperationHooks& hooks);

// A read-type step ended by a stop: Vcc off, "Stopped at" the address.
OperationResult StoppedPoweredOff(LinkState& link, std::uint32_t at);
// The same for a part rated against Vcc on its signal pins: every port low
// before Vcc goes (PortsLowThenVccOff).
OperationResult StoppedPortsLow(LinkState& link, std::uint32_t at);

// The read of the parallel flash memories: from a quiet socket the supply on
// vccPin, the outputs enabled and one read at address 0, then ReadPages up to
// Length (bounded by the device and the buffer); every port low, then Vcc off
// at the end.
OperationResult ReadBlocks(LinkState& link, MainBuffer& buffer, int vccPin, std::uint32_t length,
                           std::uint32_t lastAddress, const SetPageAddress& setAddress, const OperationHooks& hooks);

struct PageSum {
    std::uint32_t sum = 0;                 // 32-bit sum of the page sums
    std::optional<std::uint32_t> stoppedAt; // the page a stop ended it at
};

// The end of a Sum by SumPages: a stop powers the socket off; else Vcc off and
// the sum, in hex after `label`, as the message and the value.
OperationResult SumOutcome(LinkState& link, const PageSum& pages, const std::string& label);
// SumOutcome with every port low before Vcc goes, on a stop too.
OperationResult SumOutcomePortsLow(LinkState& link, const PageSum& pages, const std::string& label);

// The blank check of the parallel flash memories: from a quiet socket the supply
// on vccPin and the outputs enabled, then 256-byte blocks from address 0 while a
// block starts at or below Length (blocks past the top wrap onto the device);
// progress every 16 blocks. "%06x: Not blank!" names the first used block.
// Every port goes low before Vcc at each end.
OperationResult BlankCheckBlocks(LinkState& link, int vccPin, std::uint32_t length, std::uint32_t lastAddress,
                                 const SetPageAddress& setAddress, const OperationHooks& hooks);

// Sums every page of the device from address 0; progress every 16 pages.
PageSum SumPages(LinkState& link, std::uint32_t lastAddress, const SetPageAddress& setAddress,
                 const OperationHooks& hooks);

// How a comparison of the device with the buffer ended.
struct VerifyRun {
    enum class End { Matched, Differs, Stopped };
    End end = End::Matched;
    std::uint32_t address = 0; // the differing byte or the page a stop ended it at
    std::uint8_t expected = 0; // the buffer's byte there
    std::uint8_t found = 0;    // the device's byte there
};

// Compares span.count device bytes from span.device (whose address the caller
// has set) with the buffer from span.buffer. At each 256-byte page start: the
// address, the page's first read, then progress and the stop poll; the rest of
// the page goes as one run of reads that ends at the first difference. Reads
// already sent past a difference only read the device, so the result is that
// of reading byte by byte.
VerifyRun VerifyPages(LinkState& link, const MainBuffer& buffer, const FieldSpan& span, std::uint32_t lastAddress,
                      const SetPageAddress& setAddress, const OperationHooks& hooks);

// The end of a verify by VerifyPages: a stop or a difference powers the socket
// off (the difference's message from `differs`); a match shows progress at the
// span's last byte, powers down after the read and says "Verify OK" with the
// end-of-buffer note.
OperationResult VerifyOutcome(LinkState& link, const VerifyRun& run, const FieldSpan& span, std::uint32_t lastAddress,
                              const OperationHooks& hooks, const std::function<std::string(const VerifyRun&)>& differs);

// After a page's blank check failed: the page read again, the address of its
// first byte that is not 0xFF (the page start when every byte now reads 0xFF).
std::uint32_t FirstUsedAddress(LinkState& link, std::uint32_t page, const SetPageAddress& setAddress);

struct BlankRun {
    std::optional<std::uint32_t> used; // the first page that is not blank, or where a stop came
    bool stopped = false;
};

// Blank-checks the 256-byte pages from address 0 below `end`; progress and the
// stop poll at the pages whose address has no bits of `quietMask` set (0: every
// page, 0xFFF: every 16th).
BlankRun BlankPages(LinkState& link, std::uint32_t end, std::uint32_t lastAddress, std::uint32_t quietMask,
                    const SetPageAddress& setAddress, const OperationHooks& hooks);

// Writes a saved page back at `at` through the box's block write: the address,
// the block length (256 goes out as 0), the block write command and the page's
// bytes one command byte each.
void WriteBackPage(LinkState& link, std::uint32_t at, const std::vector<std::uint8_t>& page,
                   const SetPageAddress& setAddress);

} // namespace quarvin
