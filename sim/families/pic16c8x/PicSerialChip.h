#pragma once
// What the PIC16 chip models share: the package's programming pins and
// ratings, program memory as 14-bit words (word w at bytes 2w and 2w+1), the
// data memory, the configuration word and the four ID locations, and their
// chip-image state. Each family's model adds its command set.
#include <array>
#include <cstdint>
#include <vector>

#include "sim/Chip.h"
#include "sim/families/pic16c8x/PicPackage.h"

namespace quarvin::sim {

class PicSerialChip : public Chip {
public:
    // alwaysOne: configuration bits the part does not have; they read 1.
    PicSerialChip(int pins, std::uint32_t words, std::uint32_t dataBytes, std::uint16_t alwaysOne);

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

    std::vector<std::uint8_t> cells_;
    std::vector<std::uint8_t> data_;
    std::uint16_t config_ = kWordMask;
    std::array<std::uint16_t, 4> ids_{kWordMask, kWordMask, kWordMask, kWordMask};

private:
    int pins_;
    std::uint32_t words_;
    std::uint16_t alwaysOne_;
};

} // namespace quarvin::sim
