// The optocoupler tester on the virtual box: every package passes and counts,
// each channel fault fails without counting, the counter buttons, the start texts.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/opto/OptoDialog.h"
#include "families/opto/OptoPackages.h"
#include "sim/ChipFaultText.h"

namespace quarvin::test {
namespace {

struct OptoBench : DialogRig<OptoDialog> {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<sim::Chip> chip;
    explicit OptoBench(const sim::ChipOffer& offer) : DialogRig<OptoDialog>(5) {
        connect(std::make_unique<sim::VirtualBoxTransport>(box));
        chip = offer.make();
        box->insert(chip);
        dlg.Start();
        dlg.control("RadioGroup1").setItemIndex(offer.subType - 1);
    }
    std::string counter() { return dlg.control("Edit1").text(); }
};

TEST(Opto, EveryPartPassesAndCountsEachFaultFails) {
    int parts = 0;
    for (const sim::ChipOffer& offer : sim::ChipOffers()) {
        if (offer.family != OptoDialog::kFormClass) continue;
        ++parts;
        SCOPED_TRACE(offer.label);
        OptoBench rig(offer);
        EXPECT_EQ(rig.selection.subType, 0);
        rig.dlg.click("Button1");
        rig.dlg.click("Test2");
        EXPECT_EQ(rig.msg(), "OK！");
        EXPECT_EQ(rig.counter(), "1");
        const int channels = static_cast<int>(OptoPackages()[static_cast<std::size_t>(offer.subType - 1)].channels.size());
        for (int ch = 1; ch <= channels; ++ch)
            for (const char* kind : {"open", "short", "dead"}) {
                SCOPED_TRACE(std::to_string(ch) + kind);
                OptoBench bad(offer);
                ASSERT_EQ(sim::AddChipFault(bad.chip->faults(), "opto:" + std::to_string(ch) + ":" + kind), "");
                bad.dlg.click("Test2");
                EXPECT_EQ(bad.msg(), "Bad device!");
                EXPECT_EQ(OptoDialog::counter(), 1);
            }
        // The wrong package: a 4-pin part tested as a 16-pin one fails.
        if (offer.subType == 1) {
            rig.dlg.control("RadioGroup1").setItemIndex(3);
            rig.dlg.click("Test2");
            EXPECT_EQ(rig.msg(), "Bad device!");
        }
    }
    EXPECT_EQ(parts, 5);
}

TEST(Opto, EmptySocketCounterButtonsAndStartTexts) {
    OptoBench rig(*sim::FindOffer("PC817"));
    rig.box->remove();
    rig.dlg.click("Button1");
    rig.dlg.click("Test2");
    EXPECT_EQ(rig.msg(), "Bad device!");
    EXPECT_EQ(rig.counter(), "0");
    rig.dlg.click("Button3");
    rig.dlg.click("Button3");
    EXPECT_EQ(rig.counter(), "-2");
    rig.dlg.click("Button2");
    EXPECT_EQ(rig.counter(), "-1");
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.counter(), "0");
    EXPECT_EQ(rig.dlg.caption(), "测试光电偶合器");
    EXPECT_EQ(rig.dlg.control("Test2").text(), "Founction");

    DialogRig<OptoDialog> off(0);
    off.dlg.Start();
    EXPECT_EQ(off.msg(), "Communication error!");
    EXPECT_EQ(off.dlg.control("Edit1").text(), "Counter");
}

} // namespace
} // namespace quarvin::test
