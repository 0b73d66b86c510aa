#pragma once
// What the 8051 flash microcontroller models share: the signature bytes they
// answer (a `signature` fault answers instead), the lock bits kept as the
// chip's extra state, and a lock bit's write, which takes one self-timed cycle.
#include <array>
#include <cstdint>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/SelfTimedCycle.h"

namespace quarvin::sim {

inline std::vector<std::uint8_t> McuSignature(const ChipFaults& faults, const std::array<std::uint8_t, 3>& own) {
    return faults.signature.empty() ? std::vector<std::uint8_t>(own.begin(), own.end()) : faults.signature;
}

// The byte on a 40-pin part's P0, P0.0 on pin p0Bit0 and P0.7 seven pins below.
inline std::uint8_t ReadPort0(const ChipView& v, int p0Bit0) {
    std::uint8_t data = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (v.high(p0Bit0 - bit)) data = static_cast<std::uint8_t>(data | (1u << bit));
    return data;
}

// Lock bit 1 in bit 0, lock bit 2 in bit 1, ...; `known` holds the bits the
// part has.
class McuLockBits {
public:
    explicit McuLockBits(std::uint8_t known) : known_(known) {}

    std::uint8_t bits() const { return bits_; }
    bool has(std::uint8_t bit) const { return (bits_ & bit) != 0; }
    void clear() { bits_ = 0; }
    // The extra state: one byte of known bits only.
    bool load(const std::vector<std::uint8_t>& state) {
        if (state.size() != 1 || (state[0] & ~known_) != 0) return false;
        bits_ = state[0];
        return true;
    }
    // A PROG pulse that fell at fallPs and rose at nowPs in a lock mode: lost
    // while the previous write cycle still ran at the fall, else it starts a
    // cycle of cyclePs and sets the bit. True when the bit was written.
    bool write(std::uint8_t bit, SelfTimedCycle& cycle, std::int64_t fallPs, std::int64_t nowPs, std::int64_t cyclePs,
               const ChipFaults& faults) {
        if (cycle.busy(fallPs)) return false;
        cycle.start(nowPs, cyclePs, faults, faults.eraseTimeFactor);
        bits_ = static_cast<std::uint8_t>(bits_ | bit);
        return true;
    }

private:
    std::uint8_t known_;
    std::uint8_t bits_ = 0;
};

} // namespace quarvin::sim
