#pragma once
// 40-pin 8051 flash (and one-time programmable) microcontrollers in their
// parallel programming mode. The chip answers only while powered with RST high,
// PSEN low and a clock running on XTAL1; XTAL2 is XTAL1 inverted (the oscillator
// inverter) whenever it is powered. P2.6, P2.7, P3.6 and P3.7 select the mode;
// the address is on P1 (A0..A7), P2.0..P2.5 (A8..A13) and P3.0 (A14); data on
// P0. With 12 V on EA/VPP an ALE/PROG low pulse programs the latched byte (a
// cell only loses ones), writes a lock bit, or - held low for 10 ms or more in
// the erase mode - erases the chip and its lock bits. A byte write is
// self-timed (1.5 ms, RDY/BSY low on P3.4); a pulse while busy is lost. Lock
// bit 1 blocks programming, lock bit 2 also reads (which give 0xFF); OTP parts
// cannot be erased. The signature is read at 0x30..0x32.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/McuLockBits.h"
#include "sim/ops/SelfTimedCycle.h"

namespace quarvin::sim {

struct At89c5xType {
    const char* name;
    std::uint32_t size;             // bytes of code memory
    std::uint32_t addressMask;      // address lines the part decodes
    std::array<std::uint8_t, 3> signature;
    bool otp;
};

const At89c5xType* FindAt89c5xType(const std::string& name);

class At89c5xChip : public Chip {
public:
    explicit At89c5xChip(const At89c5xType& type);

    int pinCount() const override { return 40; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    int ratedVppMillivolts() const override { return RatedVppMillivolts; }
    void erase() override;
    // One byte: lock bits 1..3 in bits 0..2.
    std::vector<std::uint8_t> extraState() const override { return {lockBits_.bits()}; }
    bool loadExtraState(const std::vector<std::uint8_t>& state) override { return lockBits_.load(state); }

    std::uint8_t lockBits() const { return lockBits_.bits(); }
    const At89c5xType& type() const { return type_; }

    static constexpr std::int64_t WriteCyclePs = 1'500'000'000;  // 1.5 ms
    static constexpr std::int64_t EraseLowPs = 10'000'000'000;   // 10 ms
    static constexpr int RatedVppMillivolts = 12000;
    static constexpr int MinVppMillivolts = 11500;
    static constexpr int MaxVppMillivolts = 12500;
    static constexpr std::uint8_t LockBit1 = 0x01;
    static constexpr std::uint8_t LockBit2 = 0x02;
    static constexpr std::uint8_t LockBit3 = 0x04;

private:
    enum class Mode { None, ReadCode, ProgramCode, ReadSignature, ChipErase, Lock1, Lock2, Lock3 };
    static Mode modeOf(const ChipView& v);
    std::uint32_t address(const ChipView& v) const;
    std::uint8_t readByte(Mode mode, std::uint32_t a) const;
    void progRise(const ChipView& v);

    const At89c5xType& type_;
    std::vector<std::uint8_t> cells_;
    McuLockBits lockBits_{LockBit1 | LockBit2 | LockBit3};
    bool progLow_ = false;
    std::int64_t progFallPs_ = 0;
    Mode latchedMode_ = Mode::None;
    std::uint32_t latchedAddress_ = 0;
    std::uint8_t latchedData_ = 0xFF;
    bool vppAtFall_ = false;
    SelfTimedCycle cycle_;
};

} // namespace quarvin::sim
