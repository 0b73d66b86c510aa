#pragma once
// GAL16V8 and GAL20V8 type parts in their edit mode. The row address is on six
// pins (RAG0..RAG5) when the strobe falls. Chip addresses: 0..F-1 the fuse
// array (bit k of address a is fuse a + k x F), F the 64-bit user signature,
// 60 the 82-bit architecture row, 61 the security cell (a 0 sets it), 63 the
// bulk erase. A secured part reads its array and architecture rows as all 1
// and does not program them; the signature still reads.
//
// Cells in JEDEC order, with base = F x 64: base+0..7 XOR, base+8..71 the
// signature, base+72..79 AC1, base+80..143 the product term disable bits,
// base+144 SYN, base+145 AC0 (2194 fuses for the 16V8, 2706 for the 20V8).
#include <array>
#include <string>
#include <vector>

#include "sim/ops/EditModeChip.h"

namespace quarvin::sim {

struct GalType {
    const char* name;
    int columns;     // F: chip addresses of the array (32 or 40)
    int ratedVpp;    // edit voltage of the data sheet, millivolts
    EditModePins pins;
    std::array<int, 6> addressPins; // RAG0..RAG5
};

const std::vector<GalType>& GalTypes();
const GalType* FindGalType(const std::string& name);

class GalChip : public EditModeChip {
public:
    static constexpr int kRowBits = 64;
    static constexpr int kArchitectureBits = 82;

    explicit GalChip(const GalType& type);
    void nameRowPins(PinLabels& labels) const override;

    int columns() const { return type_.columns; }
    int fusesPerLine() const override { return type_.columns; }
    std::size_t base() const { return static_cast<std::size_t>(type_.columns) * kRowBits; }
    // JEDEC fuse of architecture row bit b.
    std::size_t architectureFuse(int bit) const;

protected:
    std::vector<std::uint8_t> loadRow(const ChipView& view, const std::vector<std::uint8_t>& shifted) override;
    void programRow(const ChipView& view, const std::vector<std::uint8_t>& shifted) override;

private:
    int address(const ChipView& view) const;
    // The fuses of a row's bits, empty for addresses without cells.
    std::vector<std::size_t> rowFuses(int address) const;

    const GalType& type_;
};

} // namespace quarvin::sim
