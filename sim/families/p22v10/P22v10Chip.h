#pragma once
// GAL22V10 type parts in their edit mode (24 pins). Data bits and then six
// address bits, least significant first, are shifted in on SDIN (chip pin 11)
// at the rising edges of SCLK (pin 10); the strobe (pin 13) acts on the row
// the last six bits name: 0..43 the fuse array (bit b of address a is JEDEC
// fuse b x 44 + a, 132 bits), 44 the row holding the 64-bit user signature
// (its bits 12..75, JEDEC fuses 5828..5891), 61 the security cell (a 0 sets
// it), 63 the bulk erase. Chip pin 8 high selects the 20-bit architecture row
// (JEDEC fuses 5808..5827) instead, unless pin 4 (erase) is high too: the
// erase set-up raises pins 4 and 8 together. A program pulse takes the row's
// bits as the last ones shifted before the address (the architecture row: the
// last 20 shifted), the first of them bit 0. Secured, the array and the
// architecture read all 1 and do not program; the signature still reads.
#include <string>
#include <vector>

#include "sim/ops/EditModeChip.h"

namespace quarvin::sim {

struct P22v10Type {
    const char* name;
    int ratedVpp; // edit voltage of the data sheet, millivolts
};

const std::vector<P22v10Type>& P22v10Types();
const P22v10Type* FindP22v10Type(const std::string& name);

class P22v10Chip : public EditModeChip {
public:
    static constexpr int kColumns = 44;
    static constexpr int kRowBits = 132;
    static constexpr int kArchitectureBits = 20;
    static constexpr std::size_t kArrayFuses = static_cast<std::size_t>(kColumns) * kRowBits; // 5808
    static constexpr std::size_t kFuses = kArrayFuses + kArchitectureBits + 64;              // 5892

    explicit P22v10Chip(const P22v10Type& type);
    void nameRowPins(PinLabels& labels) const override;
    int fusesPerLine() const override { return kColumns; }

protected:
    std::vector<std::uint8_t> loadRow(const ChipView& view, const std::vector<std::uint8_t>& shifted) override;
    void programRow(const ChipView& view, const std::vector<std::uint8_t>& shifted) override;

private:
    // -1 when fewer than six bits were shifted.
    static int address(const std::vector<std::uint8_t>& shifted);
    static bool architectureSelected(const ChipView& view);
    // The fuse of each bit of a row; kNoCell for bits without a cell.
    static std::vector<std::size_t> rowFuses(int address);
};

} // namespace quarvin::sim
