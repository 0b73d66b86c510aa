#pragma once
// What the PIC16 chip models share: the package's programming pins and
// ratings, program memory as 14-bit words (word w at bytes 2w and 2w+1), the
// data memory, the configuration word and the four ID locations, their
// chip-image state, and the serial programming mode itself: entered when MCLR
// rises from low to the family's programming voltage with RB6 (clock) and RB7
// (data) low, the program counter at 0; left when the supply or that voltage
// goes; commands and data frames clocked on RB6/RB7. Each family's model adds
// its command set.
#include <array>
#include <cstdint>
#include <vector>

#include "sim/Chip.h"
#include "sim/families/pic16c8x/PicPackage.h"
#include "sim/families/pic16c8x/PicSerialFrames.h"

namespace quarvin::sim {

class PicSerialChip : public Chip {
public:
    // The MCLR levels, in millivolts, at which the family's parts enter and
    // stay in the programming mode.
    struct VppWindow {
        int minMillivolts;
        int maxMillivolts;
    };
    // alwaysOne: configuration bits the part does not have; they read 1.
    PicSerialChip(int pins, std::uint32_t words, std::uint32_t dataBytes, std::uint16_t alwaysOne,
                  VppWindow entry);

    ChipDrive update(const ChipView& view) final;
    bool inProgrammingMode() const { return programming_; }

    int pinCount() const override { return pins_; }
    ChipRatings ratings() const override { return PicRatings(pins_); }
    quarvin::Pinout pinLabels() const override { return PicPinLabels(pins_); }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    // Configuration word (2 bytes, low first), the four ID words (8 bytes), then
    // the data memory.
    std::vector<std::uint8_t> extraState() const override;
    bool loadExtraState(const std::vector<std::uint8_t>& state) override;

    std::uint16_t configWord() const { return config_; }
    std::uint16_t idWord(int i) const { return ids_[static_cast<std::size_t>(i)]; }
    std::vector<std::uint8_t>& dataMemory() { return data_; }

protected:
    static constexpr std::uint16_t kWordMask = 0x3FFF;

    PicPackagePins pins() const { return PicPinsOf(pins_); }
    bool powered(const ChipView& v) const;
    // Word w of program memory; addresses past the part wrap.
    std::uint16_t programWord(std::uint32_t w) const;
    void setProgramWord(std::uint32_t w, std::uint16_t value);
    void eraseProgram();
    std::uint16_t alwaysOne() const { return alwaysOne_; }

    // The family's command set, called by update().
    // Completes a self-timed cycle whose time is up.
    virtual void settle(std::int64_t now) = 0;
    // The mode ends (or starts afresh): what becomes of a cycle under way and of
    // an armed command.
    virtual void onLeave() = 0;
    // A rising clock edge, before the frame takes it: a cycle still running ends here.
    virtual void onClockRise(std::int64_t now) = 0;
    virtual void command(std::uint8_t cmd, std::int64_t now) = 0;
    virtual void loaded(std::uint16_t word) = 0;

    bool programming_ = false;
    std::uint32_t pc_ = 0;
    PicSerialFrames frames_;

    std::vector<std::uint8_t> cells_;
    std::vector<std::uint8_t> data_;
    std::uint16_t config_ = kWordMask;
    std::array<std::uint16_t, 4> ids_{kWordMask, kWordMask, kWordMask, kWordMask};

private:
    void leave();

    VppWindow entry_;
    bool mclrWasLow_ = false;
    bool clockHigh_ = false;
    int pins_;
    std::uint32_t words_;
    std::uint16_t alwaysOne_;
};

} // namespace quarvin::sim
