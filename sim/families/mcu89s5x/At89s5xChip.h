#pragma once
// AT89S51 and AT89S52 in their parallel programming mode, after the Atmel data
// sheets 2487A (AT89S51) and 1919 (AT89S52), "Programming the Flash - Parallel
// Mode" and the "Flash Programming Modes" table. The part answers while
// powered with RST high, PSEN low and a 3 - 33 MHz clock on XTAL1 (its
// oscillator inverter drives XTAL2). P2.6, P2.7, P3.3, P3.6, P3.7 select the
// mode; the address is on P1 (A0..A7) and P2.0..P2.4 (A8..A12), data on P0,
// RDY/BSY on P3.0. With 11.5 - 12.5 V on EA/VPP for at least 10 us, a PROG low
// pulse of 0.2 - 1 us writes the latched byte (self-timed, 50 us), a lock bit,
// or starts the chip erase. Lock bit 1 stops programming, lock bit 2 also
// reads. The signature is read at 000H, 100H and 200H.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/McuLockBits.h"
#include "sim/ops/SelfTimedCycle.h"

namespace quarvin::sim {

struct At89s5xType {
    const char* name;
    std::uint32_t size; // bytes of code memory, a power of two
    std::array<std::uint8_t, 3> signature;
};

const At89s5xType* FindAt89s5xType(const std::string& name);

class At89s5xChip : public Chip {
public:
    explicit At89s5xChip(const At89s5xType& type);

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

    // "Flash Programming and Verification Characteristics (Parallel Mode)".
    static constexpr std::int64_t WriteCyclePs = 50'000'000;       // tWC 50 us max
    static constexpr std::int64_t ProgMinPs = 200'000;             // tGLGH 0.2 us
    static constexpr std::int64_t ProgMaxPs = 1'000'000;           // tGLGH 1 us
    static constexpr std::int64_t VppSetupPs = 10'000'000;         // tSHGL 10 us
    static constexpr std::uint64_t MinClockHz = 3'000'000;         // 1/tCLCL 3 MHz
    static constexpr std::uint64_t MaxClockHz = 33'000'000;        // 1/tCLCL 33 MHz
    // The erase time is given for the serial mode only ("chip erase is
    // self-timed and takes about 500 ms"; reads during it "return 00H"): the
    // model takes both for the parallel erase of the same array.
    static constexpr std::int64_t ErasePs = 500'000'000'000;
    static constexpr int RatedVppMillivolts = 12000;
    static constexpr int MinVppMillivolts = 11500;
    static constexpr int MaxVppMillivolts = 12500;
    static constexpr std::uint8_t LockBit1 = 0x01;
    static constexpr std::uint8_t LockBit2 = 0x02;
    static constexpr std::uint8_t LockBit3 = 0x04;

private:
    enum class Mode { None, WriteCode, ReadCode, ReadSignature, ChipErase, Lock1, Lock2, Lock3 };
    static Mode modeOf(const ChipView& v);
    std::uint32_t address(const ChipView& v) const;
    std::optional<std::uint8_t> readByte(Mode mode, std::uint32_t a, std::int64_t nowPs) const;
    void progRise(const ChipView& v);

    const At89s5xType& type_;
    std::vector<std::uint8_t> cells_;
    McuLockBits lockBits_{LockBit1 | LockBit2 | LockBit3};
    bool progLow_ = false;
    std::int64_t progFallPs_ = 0;
    std::int64_t vppSincePs_ = -1;
    Mode latchedMode_ = Mode::None;
    std::uint32_t latchedAddress_ = 0;
    std::uint8_t latchedData_ = 0xFF;
    bool vppAtFall_ = false;
    std::uint32_t lastWritten_ = 0;
    std::int64_t eraseUntilPs_ = 0;
    SelfTimedCycle cycle_;
};

} // namespace quarvin::sim
