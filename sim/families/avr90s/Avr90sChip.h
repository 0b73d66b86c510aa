#pragma once
// AT90S1200/2313/4414/8515 in their high-voltage parallel programming mode.
// 11.5..12.5 V on RESET, after RESET and BS were low, enters the mode. XA1/XA0
// select what a rising XTAL1 loads from the data port (address byte, low or
// high by BS; data byte; command), and OE low drives the data port with what
// the command reads. A WR low pulse writes: flash (the byte BS selects; a cell
// only loses ones), EEPROM (auto-erased) and lock bits are self-timed, RDY/BSY
// low for 0.7 ms from the WR fall (longer under a `slow:` fault), a pulse while
// busy is lost; chip erase needs WR low for 5 ms or more and fuse bits 1.0 ms
// or more, with no RDY/BSY activity. Chip erase clears flash, EEPROM and lock bits, not the fuses. Lock
// bit 1 blocks every write but the lock bits; lock bit 2 makes flash and
// EEPROM read 0xFF.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/ops/SelfTimedCycle.h"

namespace quarvin::sim {

// Chip pins of the programming signals in one package.
struct Avr90sPins {
    int reset, rdyBsy, oe, wr, bs, xa0, xa1, xtal1;
    int dataFirst; // PB0; PB0..PB7 on eight pins in a row
    int ground, vcc;
};

struct Avr90sType {
    const char* name;
    int pinCount;
    std::uint32_t flashBytes;
    std::uint32_t eepromBytes;
    std::uint8_t deviceCode; // signature: 1E, this, 01
};

const Avr90sType* FindAvr90sType(const std::string& name);

class Avr90sChip : public Chip {
public:
    explicit Avr90sChip(const Avr90sType& type);

    int pinCount() const override { return type_.pinCount; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return flash_; }
    int ratedVppMillivolts() const override { return RatedVppMillivolts; }
    // Chip erase: flash, EEPROM and lock bits; the fuses stay.
    void erase() override;
    // Fuse bits (as the fuse and lock byte has them), lock bits (bit 0: lock
    // bit 1 programmed, bit 1: lock bit 2), then the EEPROM.
    std::vector<std::uint8_t> extraState() const override;
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    std::uint8_t lockBits() const { return locks_; }
    std::uint8_t fuseBits() const { return fuses_; }
    std::vector<std::uint8_t>& eeprom() { return eeprom_; }
    bool programming() const { return programming_; }
    // The byte command 0x04 reads with BS high: lock bits in 7 and 6, fuses.
    std::uint8_t fuseAndLockByte() const;

    static constexpr int RatedVppMillivolts = 12000;
    static constexpr int MinVppMillivolts = 11500;
    static constexpr int MaxVppMillivolts = 12500;
    static constexpr std::int64_t WriteCyclePs = 700'000'000;        // WR low to RDY/BSY high, typical
    static constexpr std::int64_t ChipEraseLowPs = 5'000'000'000;    // shortest chip erase WR pulse
    static constexpr std::int64_t FuseWriteLowPs = 1'000'000'000;    // shortest fuse write WR pulse
    static constexpr std::uint8_t LockBit1 = 0x01;
    static constexpr std::uint8_t LockBit2 = 0x02;
    // Fuse bits that exist (SPIEN bit 5, RCEN/FSTRT bit 0); shipped with SPIEN
    // programmed.
    static constexpr std::uint8_t FuseMask = 0x21;
    static constexpr std::uint8_t ShippedFuses = 0x01;

private:
    enum class ResetLevel { Low, High, Programming };
    void xtalRise(const ChipView& v);
    void wrFall(const ChipView& v);
    void wrRise(const ChipView& v);
    std::uint8_t dataPort(const ChipView& v) const;
    std::uint32_t wordAddress() const { return std::uint32_t{addressHigh_} << 8 | addressLow_; }
    // What OE low drives, or nothing.
    bool readValue(bool bs, std::uint8_t& value) const;

    const Avr90sType& type_;
    const Avr90sPins& pins_;
    std::vector<std::uint8_t> flash_;
    std::vector<std::uint8_t> eeprom_;
    std::uint8_t fuses_ = ShippedFuses;
    std::uint8_t locks_ = 0;

    bool programming_ = false;
    ResetLevel reset_ = ResetLevel::Low;
    bool xtalHigh_ = false;
    bool wrLow_ = false;
    std::int64_t wrFallPs_ = 0;
    std::uint8_t command_ = 0;
    std::uint8_t addressLow_ = 0, addressHigh_ = 0;
    std::uint8_t data_ = 0xFF;
    SelfTimedCycle cycle_;
};

} // namespace quarvin::sim
