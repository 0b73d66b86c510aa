#pragma once
// 29F and 39SF flash memories at pin level (32-pin JEDEC pinout): reads with /CE
// and /OE low; the JEDEC command state machine on /WE rising edges (unlock
// 5555/AA, 2AAA/55, then A0 program, 80-AA-55-10 chip erase, 80-AA-55-30 sector
// erase, 90 codes, F0 reset); a wrong byte or address goes back to reading.
// A program takes 7 us and only clears bits, a chip erase 1 s; meanwhile writes
// are ignored and reads give the status (DQ7 polling, DQ6 toggling once per read
// cycle). Vcc lost mid-erase leaves 0x00. Sector erase and protection follow the
// part's sector layout (F29Sectors.h): a protection fault protects every sector
// it touches, and protected sectors ignore programs and erases, except while
// 12 V is on RESET# of the boot-block types.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/families/flash29f/F29Sectors.h"

namespace quarvin::sim {

struct F29Type {
    const char* name;
    int addressBits;           // lines on the package; cells = 1 << cellBits
    int cellBits;              // more than addressBits: the upper part is unreachable
    bool resetPin;             // pin 1 is RESET# (boot-block types)
    std::uint8_t manufacturer;
    std::uint8_t device;
    F29Sectors sectors;
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

    static constexpr std::int64_t ProgramPs = 7'000'000;
    static constexpr std::int64_t EraseSectorOrChipPs = 1'000'000'000'000LL;
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
    bool toggle_ = false;
    bool weLow_ = false, ceLow_ = false, oeLow_ = false;
};

} // namespace quarvin::sim
