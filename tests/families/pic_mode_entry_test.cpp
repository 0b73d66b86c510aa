// The serial programming mode the PIC16 chip models share: entered only when
// MCLR rises from low to the family's programming voltage while RB6 and RB7 are
// low, left when that voltage or the supply goes. Driven pin by pin on the
// 40-pin models of both families.
#include <gtest/gtest.h>

#include <memory>

#include "sim/families/p16f87xa/P16f87xaChip.h"
#include "sim/families/pic16c8x/Pic16Chip.h"

namespace quarvin::test {
namespace {

using sim::ChipView;
using sim::pinBit;

const sim::PicPackagePins kDip40 = sim::PicPinsOf(40);

// A powered 40-pin part with the given pins high and Vpp on MCLR.
ChipView Powered(int vppMillivolts, sim::PinMask high = 0) {
    ChipView v;
    v.vcc = pinBit(kDip40.vdd[0]) | pinBit(kDip40.vdd[1]);
    v.ground = pinBit(kDip40.vss[0]) | pinBit(kDip40.vss[1]);
    v.vccMillivolts = 5000;
    v.level = v.vcc | high;
    if (vppMillivolts > 0) {
        v.vpp = pinBit(kDip40.mclr);
        v.vppMillivolts = vppMillivolts;
        v.level |= pinBit(kDip40.mclr);
    }
    return v;
}

std::shared_ptr<sim::PicSerialChip> Pic16f877() {
    return std::make_shared<sim::Pic16Chip>(*sim::FindPic16Type("PIC16F877"));
}
std::shared_ptr<sim::PicSerialChip> Pic16f877a() {
    return std::make_shared<sim::P16f87xaChip>(*sim::FindP16f87xaType("PIC16F877A"));
}

// Two of the box's Vpp steps for each model: one inside its window, one outside.
struct Model {
    const char* name;
    std::shared_ptr<sim::PicSerialChip> (*make)();
    int insideWindow;
    int outsideWindow;
};

const Model kModels[] = {
    {"PIC16F877", Pic16f877, 12700, 10800},  // 12 V to 14 V
    {"PIC16F877A", Pic16f877a, 12700, 14000}, // 13 V +- 0.5 V
};

struct Entry {
    const char* what;
    bool mclrLowFirst;
    sim::PinMask highDuringRise;
    bool inside;
    bool enters;
};

TEST(PicModeEntry, OnlyMclrRisingToTheWindowWithRb6AndRb7LowEnters) {
    const Entry kEntries[] = {
        {"MCLR low, then Vpp, RB6 and RB7 low", true, 0, true, true},
        {"RB6 high as Vpp rises", true, pinBit(kDip40.rb6), true, false},
        {"RB7 high as Vpp rises", true, pinBit(kDip40.rb7), true, false},
        {"Vpp without MCLR low before it", false, 0, true, false},
        {"Vpp outside the family's window", true, 0, false, false},
    };
    for (const Model& m : kModels) {
        for (const Entry& e : kEntries) {
            SCOPED_TRACE(std::string(m.name) + ": " + e.what);
            auto chip = m.make();
            // Without MCLR held low, the box's pull-up keeps it high.
            chip->update(Powered(0, e.mclrLowFirst ? 0 : pinBit(kDip40.mclr)));
            chip->update(Powered(e.inside ? m.insideWindow : m.outsideWindow, e.highDuringRise));
            EXPECT_EQ(chip->inProgrammingMode(), e.enters);
        }
    }
}

TEST(PicModeEntry, LosingVppOrTheSupplyLeavesTheMode) {
    for (const Model& m : kModels) {
        for (const bool dropSupply : {false, true}) {
            SCOPED_TRACE(std::string(m.name) + (dropSupply ? ": supply off" : ": Vpp off"));
            auto chip = m.make();
            chip->update(Powered(0));
            chip->update(Powered(m.insideWindow));
            ASSERT_TRUE(chip->inProgrammingMode());
            ChipView gone = dropSupply ? ChipView{} : Powered(0);
            chip->update(gone);
            EXPECT_FALSE(chip->inProgrammingMode());
        }
    }
}

} // namespace
} // namespace quarvin::test
