#include "sim/ops/SdpPageLatch.h"

#include <initializer_list>

namespace quarvin::sim {

namespace {

constexpr std::uint32_t kCommandMask = 0x7FFF;

bool Starts(const std::vector<PageLoad>& loads, std::initializer_list<PageLoad> prefix, std::uint32_t lines) {
    if (loads.size() < prefix.size()) return false;
    const std::uint32_t mask = kCommandMask & lines;
    std::size_t i = 0;
    for (const PageLoad& p : prefix) {
        if ((loads[i].first & mask) != (p.first & mask) || loads[i].second != p.second) return false;
        ++i;
    }
    return true;
}

bool SixByte(const std::vector<PageLoad>& loads, std::uint8_t last, std::uint32_t lines) {
    return loads.size() == 6 && Starts(loads,
                                       {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80}, {0x5555, 0xAA}, {0x2AAA, 0x55},
                                        {0x5555, last}},
                                       lines);
}

} // namespace

DecodedPage DecodePageLoads(const std::vector<PageLoad>& loads, std::uint32_t lines, bool protectionOn) {
    if (SixByte(loads, 0x20, lines)) return {PageCommand::ProtectionOff, 0};
    if (SixByte(loads, 0x10, lines)) return {PageCommand::ChipErase, 0};
    if (Starts(loads, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}}, lines)) return {PageCommand::ProtectedWrite, 3};
    if (!protectionOn) return {PageCommand::PlainWrite, 0};
    return {PageCommand::Ignored, 0};
}

void StorePageLoads(std::vector<std::uint8_t>& cells, const std::vector<PageLoad>& loads, std::size_t from,
                    std::uint32_t pageSize, const std::function<bool(std::uint32_t)>& blocked) {
    const std::uint32_t pageMask = ~(pageSize - 1);
    std::uint32_t page = 0;
    bool first = true;
    for (std::size_t i = from; i < loads.size(); ++i) {
        const auto [a, d] = loads[i];
        if (first) page = a & pageMask, first = false;
        if ((a & pageMask) != page || blocked(a)) continue;
        cells[a] = d;
    }
}

} // namespace quarvin::sim
