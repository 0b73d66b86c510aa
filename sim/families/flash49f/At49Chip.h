#pragma once
// AT49F flash memories at pin level, from Atmel's data sheets of the AT49F040
// (Rev. 0998D), the AT49F001(N)(T) (Rev. 1008D) and the AT49F002(N)(T) (Rev.
// 1017D): the 32-pin JEDEC pinout; reads with /CE and /OE low; commands on the
// rising /WE edge with /CE low and /OE high, addresses on A14..A0 ("Command
// Definition (in Hex)"): AA/5555 55/2AAA, then A0 and the byte (program), 80 AA
// 55 10 (chip erase), 80 AA 55 30 at a sector address (sector erase, the
// AT49F001/002 only), 80 AA 55 40 (boot block lockout), 90 (product
// identification, left with AA 55 F0 or a single F0). A wrong byte or address
// goes back to reading. A program only clears bits and takes tBP; an erase
// takes tEC and keeps a locked boot block. Meanwhile writes are ignored, a read
// of the programmed byte gives its complement on I/O7 ("DATA Polling") and I/O6
// toggles on every read ("Toggle Bit"). The lockout is permanent; on the
// AT49F001/002 without N, pin 1 is RESET: low, it halts the part and floats
// its outputs; at 12 V it lifts the lockout while it lasts.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/ByteWriteBus.h"

namespace quarvin::sim {

// A sector erase: a sector address from first to last erases eraseFirst to
// eraseLast. Sector addresses in no entry (the boot block) erase nothing.
struct At49SectorErase {
    std::uint32_t first, last, eraseFirst, eraseLast;
};

struct At49Type {
    const char* name;
    int addressBits;
    std::uint8_t maker, device;
    std::uint32_t bootFirst, bootLast; // the boot block with the lockout
    bool resetPin = false;             // pin 1 is RESET (else an address line or not connected)
    std::span<const At49SectorErase> sectorErases = {}; // empty: chip erase only
};

const At49Type* FindAt49Type(const std::string& name);

class At49Chip : public Chip {
public:
    explicit At49Chip(const At49Type& type);

    int pinCount() const override { return 32; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    void erase() override;
    // One byte: 1 when the boot block is locked out.
    std::vector<std::uint8_t> extraState() const override { return {static_cast<std::uint8_t>(locked_ ? 1 : 0)}; }
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    bool bootBlockLocked() const { return locked_; }
    void lockBootBlock() { locked_ = true; }
    bool busy() const { return busy_ != Busy::None; }

    // "Program Cycle Characteristics": tBP byte programming time 50 us max,
    // tEC erase cycle time 10 seconds max. The model takes the longest.
    static constexpr std::int64_t ProgramPs = 50'000'000;
    static constexpr std::int64_t ChipErasePs = 10'000'000'000'000LL;
    // "Boot Block Lockout Feature Enable Algorithm": PAUSE 1 second after the
    // sixth byte; the model ignores writes for that time.
    static constexpr std::int64_t LockoutPs = 1'000'000'000'000LL;
    // "Operating Modes" note 3: VH = 12.0 V +- 0.5 V, the lowest level that
    // identifies; AT49F001/002 "RESET": "12V +- 0.5V" on RESET lifts the lockout.
    static constexpr int IdentifyMillivolts = 11500;
    static constexpr int OverrideMillivolts = 11500;
    // "DC and AC Operating Range": Vcc 5 V +- 10 %.
    static constexpr int MinVccMillivolts = 4500;

private:
    enum class State { Read, Unlock1, Unlock2, Program, Erase0, Erase1, Erase2 };
    enum class Busy { None, Program, Erase, Lockout };

    std::uint32_t address(const ChipView& v) const;
    bool inBootBlock(std::uint32_t a) const { return a >= type_.bootFirst && a <= type_.bootLast; }
    bool resetHeld(const ChipView& v) const;
    bool lockoutOverridden(const ChipView& v) const;
    void startErase(std::uint32_t first, std::uint32_t last, bool keepBootBlock, std::int64_t nowPs);
    void write(std::uint32_t a, std::uint8_t d, const ChipView& v);
    void finishBusy(bool powerLost);
    std::uint8_t codeAt(std::uint32_t a) const;

    const At49Type& type_;
    std::vector<std::uint8_t> cells_;
    State state_ = State::Read;
    Busy busy_ = Busy::None;
    std::int64_t busyUntil_ = 0;
    std::uint8_t programmed_ = 0;
    std::uint32_t eraseFirst_ = 0, eraseLast_ = 0;
    bool eraseKeepsBootBlock_ = false;
    bool locked_ = false;
    bool identifying_ = false;
    ByteWriteBus bus_;
};

} // namespace quarvin::sim
