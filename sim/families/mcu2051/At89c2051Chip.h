#pragma once
// 20-pin 8051 flash microcontrollers (1, 2 or 4 KiB) in their programming
// mode. There are no address pins: a rising RST clears the internal address
// counter, and each XTAL1 high-low pulse advances it. P3.3, P3.4, P3.5 and P3.7
// select the mode; data is on P1. With 12 V on RST/VPP a P3.2 (PROG) low pulse
// programs the byte on P1 (a cell only loses ones) or writes a lock bit, and in
// the erase mode a pulse of 10 ms or more erases the code and the lock bits. A
// byte write is self-timed (1.2 ms) with P3.1 low while it runs; a pulse while
// busy is lost. Lock bit 1 blocks programming, lock bit 2 also reads (0xFF).
// XTAL2 is XTAL1 inverted whenever the chip is powered.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/McuLockBits.h"
#include "sim/ops/SelfTimedCycle.h"

namespace quarvin::sim {

struct At89c2051Type {
    const char* name;
    std::uint32_t size;
    std::array<std::uint8_t, 3> signature;
};

const At89c2051Type* FindAt89c2051Type(const std::string& name);

class At89c2051Chip : public Chip {
public:
    explicit At89c2051Chip(const At89c2051Type& type);

    int pinCount() const override { return 20; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    int ratedVppMillivolts() const override { return RatedVppMillivolts; }
    void erase() override;
    // One byte: lock bits 1 and 2 in bits 0 and 1.
    std::vector<std::uint8_t> extraState() const override { return {lockBits_.bits()}; }
    bool loadExtraState(const std::vector<std::uint8_t>& state) override { return lockBits_.load(state); }

    std::uint8_t lockBits() const { return lockBits_.bits(); }
    std::uint32_t addressCounter() const { return counter_; }

    static constexpr std::int64_t WriteCyclePs = 1'200'000'000; // 1.2 ms
    static constexpr std::int64_t EraseLowPs = 10'000'000'000;  // 10 ms
    static constexpr int RatedVppMillivolts = 12000;
    static constexpr int MinVppMillivolts = 11500;
    static constexpr int MaxVppMillivolts = 12500;
    static constexpr std::uint8_t LockBit1 = 0x01;
    static constexpr std::uint8_t LockBit2 = 0x02;

private:
    enum class Mode { None, ReadCode, WriteCode, ChipErase, Lock1, Lock2, ReadSignature };
    static Mode modeOf(const ChipView& v);
    std::uint8_t readByte(Mode mode) const;
    void progRise(const ChipView& v);

    const At89c2051Type& type_;
    std::vector<std::uint8_t> cells_;
    McuLockBits lockBits_{LockBit1 | LockBit2};
    std::uint32_t counter_ = 0;
    bool rstHigh_ = false;
    bool xtalHigh_ = false;
    bool progLow_ = false;
    std::int64_t progFallPs_ = 0;
    Mode latchedMode_ = Mode::None;
    std::uint8_t latchedData_ = 0xFF;
    bool vppAtFall_ = false;
    SelfTimedCycle cycle_;
};

} // namespace quarvin::sim
