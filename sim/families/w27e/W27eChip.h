#pragma once
// W27E electrically erasable EPROMs at pin level: an EPROM for reading and 12 V
// programming, plus the chip erase. With 14 V on Vpp and on A9, /CE low and A0
// low, holding the type's erase strobe for 90 ms sets every cell to 0xFF; a
// shorter strobe does nothing.
#include "sim/families/uv_eprom/EpromChip.h"

namespace quarvin::sim {

enum class W27eEraseStrobe {
    ProgramLow,      // /PGM low with /OE high (W27E010, W27E020)
    ChipEnableLow,   // /CE itself (W27E512, W27E040)
    OutputEnableLow, // /OE low (W27E257)
};

struct W27eType {
    EpromType eprom;
    W27eEraseStrobe strobe;
};

const W27eType* FindW27eType(const std::string& name);

class W27eChip : public EpromChip {
public:
    ChipRatings ratings() const override;
    explicit W27eChip(const W27eType& type, std::string label = {});
    ChipDrive update(const ChipView& view) override;

    // The erase conditions: Vpp and A9 at least this high.
    static constexpr int EraseMillivolts = 13500;
    // How long the strobe must be held, before the slow-erase fault's factor.
    static constexpr std::int64_t EraseTimePs = 90'000'000'000LL;

private:
    bool eraseStrobe(const ChipView& v) const;

    const W27eType& w27e_;
    std::int64_t strobeSincePs_ = -1; // the erase conditions hold since, -1 = not
    bool erasedThisStrobe_ = false;
};

} // namespace quarvin::sim
