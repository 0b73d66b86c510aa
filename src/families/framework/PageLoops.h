#pragma once
// The page loops the parallel memories share: reading from address 0 in runs
// of one page, and summing the device's 256-byte page sums. The family puts the
// address on the socket; the loop sends the reads, reports progress, polls Stop.
#include <cstdint>
#include <functional>
#include <optional>

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

struct PageSum {
    std::uint32_t sum = 0;                 // 32-bit sum of the page sums
    std::optional<std::uint32_t> stoppedAt; // the page a stop ended it at
};

// The blank check of the parallel flash memories: from a quiet socket the supply
// on vccPin and the outputs enabled, then 256-byte blocks from address 0 while a
// block starts at or below Length (blocks past the top wrap onto the device);
// progress every 16 blocks. "%06x: Not blank!" names the first used block.
OperationResult BlankCheckBlocks(LinkState& link, int vccPin, std::uint32_t length, std::uint32_t lastAddress,
                                 const SetPageAddress& setAddress, const OperationHooks& hooks);

// Sums every page of the device from address 0; progress every 16 pages.
PageSum SumPages(LinkState& link, std::uint32_t lastAddress, const SetPageAddress& setAddress,
                 const OperationHooks& hooks);

} // namespace quarvin
