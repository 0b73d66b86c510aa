// The W27E family on the virtual box: a failed programming run, the erase
// against slow parts and short strobes, and Auto's check after its erase.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "families/w27e/W27eDialog.h"
#include "link/commands/Opcodes.h"
#include "sim/families/w27e/W27eChip.h"

namespace quarvin::test {
namespace {

using W27eWire = WireRig<W27eDialog>;
using W27eSim = SimRig<W27eDialog, sim::W27eChip>;

constexpr int kRow512 = 1, kRow010 = 2, kRow257 = 5;

// A byte that does not read back stops the run: no sum. (golden_wire_test.cpp:
// the erase of each strobe pin and a programming run that ends with the sum.)
TEST(W27e, AByteThatDoesNotReadBackStopsTheRunBeforeTheSum) {
    W27eWire bad(kRow257);
    bad.field("Edit3", "0");
    bad.docs.buf[0] = 0x12;
    bad.log->reply({0x13});
    bad.dlg.click("Write");
    EXPECT_EQ(bad.msg(), "Programe Failured! at 000000");
    EXPECT_EQ(bad.dlg.failure(), 1);
    EXPECT_EQ(std::count(bad.log->written.begin(), bad.log->written.end(), op::SumPage), 0);
}

TEST(W27e, ASlowPartOrAShortStrobeIsNotErased) {
    // A slow chip is not erased by the dialog's 95 ms strobe.
    W27eSim slow(kRow512);
    slow.chip->cells()[0x40] = 0x00;
    slow.chip->faults().eraseTimeFactor = 2.0;
    slow.dlg.control("CheckBox1").setChecked(true);
    slow.dlg.click("Button1");
    EXPECT_EQ(slow.msg(), "000040: Not blank ");
    EXPECT_EQ(slow.dlg.failure(), 1);

    // A strobe shorter than 90 ms erases nothing.
    W27eSim brief(kRow010);
    brief.chip->cells()[0] = 0x00;
    LinkState& l = brief.link;
    ConnectVcc(l, 36);
    ConnectGround(l, 20);
    SetDataWidth(l, 15);
    WriteAllPorts(l, 0);
    PinHigh(l, 28);
    SetVppLevel(l, 14000);
    ConnectVpp(l, 5);
    ConnectVpp(l, 30);
    PinLow(l, 35);
    Delay(l, 900);
    PinHigh(l, 35);
    EXPECT_EQ(brief.chip->cells()[0], 0x00);

}

// Erase reads nothing back: it leaves the failure flag as it was, and Auto
// follows it with a blank check even with "Balnk" unticked, so that a chip the
// strobe did not erase never ends in "OK".
TEST(W27e, EraseLeavesTheFlagAndAutoChecksWhatItErased) {
    W27eSim alone(kRow512);
    for (bool failedBefore : {true, false}) {
        alone.chip->cells()[0x40] = failedBefore ? 0x00 : 0xFF;
        alone.dlg.click("Blank");
        alone.dlg.click("Erase");
        EXPECT_EQ(alone.msg(), "Erase finished: run Blank to check it");
        EXPECT_EQ(alone.dlg.failure(), failedBefore ? 1 : 0);
    }

    struct Case {
        double eraseTimeFactor;
        bool blank, programme;
        const char* message;
        int flag;
    } cases[] = {
        {1.0, false, false, "OK", 0},
        {2.0, false, false, "000040: Not blank ", 1},
        {2.0, false, true, "000040: Not blank ", 1},
        {2.0, true, false, "000040: Not blank ", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.eraseTimeFactor << c.blank << c.programme);
        W27eSim rig(kRow512);
        rig.chip->cells()[0x40] = 0x00;
        rig.chip->faults().eraseTimeFactor = c.eraseTimeFactor;
        rig.field("Edit3", "ff");
        rig.dlg.control("CheckBox1").setChecked(true);
        rig.dlg.control("CheckBox2").setChecked(c.blank);
        rig.dlg.control("CheckBox3").setChecked(c.programme);
        rig.dlg.control("CheckBox4").setChecked(false);
        rig.dlg.click("Button1");
        EXPECT_EQ(rig.msg(), c.message);
        EXPECT_EQ(rig.dlg.failure(), c.flag);
        EXPECT_EQ(rig.chip->cells()[0x40], c.flag ? 0x00 : 0xFF);
    }
}

} // namespace
} // namespace quarvin::test
