#include "sim/ops/ProtectedRanges.h"

namespace quarvin::sim {

std::vector<std::uint8_t> SaveProtectedRanges(const ChipFaults& faults) {
    std::vector<std::uint8_t> out;
    for (const AddressRange& r : faults.protect)
        for (std::uint32_t v : {r.first, r.last})
            for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
    return out;
}

bool LoadProtectedRanges(ChipFaults& faults, const std::vector<std::uint8_t>& state) {
    if (state.size() % 8 != 0) return false;
    std::vector<AddressRange> ranges;
    for (std::size_t i = 0; i < state.size(); i += 8) {
        std::uint32_t v[2] = {0, 0};
        for (int k = 0; k < 2; ++k)
            for (int b = 0; b < 4; ++b) v[k] |= std::uint32_t{state[i + 4 * k + b]} << (8 * b);
        ranges.push_back({v[0], v[1]});
    }
    faults.protect = std::move(ranges);
    return true;
}

} // namespace quarvin::sim
