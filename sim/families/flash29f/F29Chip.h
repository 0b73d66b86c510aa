#pragma once
// 29F and 39SF flash memories at pin level (32-pin JEDEC pinout): reads with /CE
// and /OE low; the JEDEC command state machine on /WE rising edges (unlock
// 5555/AA, 2AAA/55, then A0 program, 80-AA-55-10 chip erase, 80-AA-55-30 sector
// erase, 90 codes, F0 reset); a wrong byte or address goes back to reading.
// A program only clears bits; program and erase take the type's times; meanwhile writes
// are ignored and reads give the status (DQ7 polling, DQ6 toggling once per read
// cycle). Vcc lost mid-erase leaves 0x00. Sector erase and protection follow the
// part's sector layout (F29Sectors.h): a protection fault protects every sector
// it touches, and protected sectors ignore programs and erases, except while
// 12 V is on RESET# of the boot-block types.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/ByteWriteBus.h"
#include "sim/ChipRatings.h"
#include "sim/families/flash29f/F29Sectors.h"

namespace quarvin::sim {

// How long the part's own cycles take at most, which command address bits it
// decodes, and how its pins are rated.
struct F29Timing {
    std::int64_t programPs;
    std::int64_t chipErasePs;
    std::int64_t sectorErasePs;
};

struct F29PinRatings {
    int signalMaxMillivolts;
    UnpoweredInputs unpoweredInputs;
    int idMaxMillivolts; // A9 and /OE
};

// The generic 29F parts: a program takes 7 us, a chip or sector erase 1 s;
// commands decode A14..A0.
inline constexpr F29Timing kF29GenericTiming{7'000'000, 1'000'000'000'000LL, 1'000'000'000'000LL};
inline constexpr std::uint32_t kF29CommandMask = 0x7FFF;

struct F29Type {
    const char* name;
    int addressBits;           // lines on the package; cells = 1 << cellBits
    int cellBits;              // more than addressBits: the upper part is unreachable
    bool resetPin;             // pin 1 is RESET# (boot-block types)
    std::uint8_t manufacturer;
    std::uint8_t device;
    F29Sectors sectors;
    F29Timing timing = kF29GenericTiming;
    std::uint32_t commandMask = kF29CommandMask;
    // Unset: AMD's or SST's ratings by the name (F29Chip::ratings).
    std::optional<F29PinRatings> pinRatings = std::nullopt;
};

const F29Type* FindF29Type(const std::string& name);

class F29Chip : public Chip {
public:
    explicit F29Chip(const F29Type& type);

    int pinCount() const override { return 32; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    void erase() override;
    std::vector<std::uint8_t> extraState() const override;
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    const F29Type& type() const { return type_; }
    bool busy() const { return busy_ != Busy::None; }
    SectorSpan sectorOf(std::uint32_t a) const;

    static constexpr int HighVoltageMillivolts = 11500;

private:
    enum class State { Read, Unlock1, Unlock2, Program, Erase0, Erase1, Erase2, Codes };
    enum class Busy { None, Program, Erase };

    std::uint32_t address(const ChipView& v) const;
    bool isProtected(const SectorSpan& sector, const ChipView& v) const;
    void write(std::uint32_t a, std::uint8_t d, const ChipView& v);
    void finishBusy(bool powerLost);

    const F29Type& type_;
    std::vector<std::uint8_t> cells_;
    State state_ = State::Read;
    Busy busy_ = Busy::None;
    std::int64_t busyUntil_ = 0;
    std::uint8_t programmed_ = 0;
    std::uint32_t eraseFirst_ = 0, eraseLast_ = 0;
    std::vector<bool> eraseKeep_; // protected cells of the erase under way
    ByteWriteBus bus_;
};

} // namespace quarvin::sim
