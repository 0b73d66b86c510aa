#pragma once
// Byte-wide static RAMs at pin level, JEDEC 24-, 28- and 32-pin pinouts. A read
// drives the data pins while /CE (and CE2, where the part has it) select the
// part, /OE is low and /WE high; a write takes the data pins' levels when the
// write window (/CE and /WE both active) closes, at the rising /WE. Plain parts
// come up with random contents whenever power returns; battery-backed ones keep
// theirs. Faults: stuck bits (on reads), address lines wired together, cells
// that revert some time after a write.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace quarvin::sim {

struct SramType {
    const char* name;
    int pins;             // 24, 28 or 32
    int addressBits;
    int secondEnablePin;  // CE2 (active high), 0 when the part has none
    bool batteryBacked;
};

const SramType* FindSramType(const std::string& name);
// Every modelled part, for the catalogue.
const std::vector<SramType>& SramTypes();

class SramChip : public Chip {
public:
    explicit SramChip(const SramType& type);

    int pinCount() const override { return type_.pins; }
    ChipRatings ratings() const override;
    quarvin::Pinout pinLabels() const override;
    ChipDrive update(const ChipView& view) override;
    std::string label() const override { return type_.name; }
    std::vector<std::uint8_t>& memory() override { return cells_; }

    const SramType& type() const { return type_; }

private:
    struct PendingLeak {
        std::uint32_t address;
        std::uint8_t former;
        std::int64_t revertAtPs;
    };

    std::uint32_t address(const ChipView& v) const;
    std::uint8_t dataPins(const ChipView& v) const;
    void fillRandom();
    void settleLeaks(std::int64_t nowPs);
    void write(std::uint32_t a, std::uint8_t d, std::int64_t nowPs);

    const SramType& type_;
    std::vector<std::uint8_t> cells_;
    std::mt19937 random_;
    std::vector<PendingLeak> leaks_;
    bool powered_ = false;
    bool writing_ = false;
    std::uint32_t writeAddress_ = 0;
    std::uint8_t writeData_ = 0;
};

} // namespace quarvin::sim
