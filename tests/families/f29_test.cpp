// The 29F flash family (golden_wire_test.cpp: its streams, the erase's Vpp on
// pin 5 of each row group): its address encoding, the empty socket, and the
// JEDEC chip models' answers to faults, protection, broken sequences and a
// supply lost mid-erase.
#include <gtest/gtest.h>

#include "F29Bus.h"
#include "FamilyRig.h"
#include "families/flash29f/F29Dialog.h"
#include "forms/HexText.h"
#include "sim/ChipFaultText.h"
#include "sim/families/flash29f/F29Chip.h"

namespace quarvin::test {
namespace {

using F29Wire = WireRig<F29Dialog>;
using F29Sim = SimRig<F29Dialog, sim::F29Chip>;

constexpr int kRow256 = 1, kRow010 = 3, kRow040 = 5, kRow002T = 8, kRow004T = 10;

TEST(F29, AddressEncodingDrivesTheLinesAboveTheDeviceHighInPortOrder1304) {
    EXPECT_EQ(EncodeF29Address(0 | kF29Rows[kRow256].highAddressMask()),
              (std::array<std::uint8_t, 5>{0x7F, 0x00, 0x00, 0x01, 0x13}));
    EXPECT_EQ(EncodeF29Address(0x5555 | kF29Rows[kRow040].highAddressMask()),
              (std::array<std::uint8_t, 5>{0x8F, 0xAA, 0x00, 0xA3, 0x22}));
    LinkState expected;
    Expect e(expected);
    SetF29Address(e.link, kF29Rows[kRow256], 0);
    EXPECT_EQ(e.bytes(), (std::vector<std::uint8_t>{17, 0x00, 19, 0x01, 16, 0x7F, 20, 0x13}));
}

TEST(F29, ProgrammeFailureTextFlagAndPowerOff) {
    F29Wire rig(kRow010);
    rig.field("Edit3", "1");
    rig.docs.buf[0] = 0x5A;
    rig.log->reply({0x5A, 0x00});
    rig.docs.buf[1] = 0x77;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Programe Failured! at 000001");
    EXPECT_EQ(rig.dlg.failure(), 1);
    Expect tail(rig.link);
    ConnectVcc(tail.link, 0);
    PinLow(tail.link, 36); // the 32-pin part's supply pin, its driver following the switch
    PinLow(tail.link, 28);
    PinLow(tail.link, 26);
    tail.confirmed();
    EXPECT_TRUE(tail.endOf(rig.log->written));
}

TEST(F29, ProtectionSlowErasesBrokenSequencesAndLostSupply) {
    // A protected sector keeps its bytes: Programe fails there, Erase reports it.
    F29Sim prot(kRow010);
    prot.chip->faults().protect.push_back({0x4000, 0x7FFF});
    prot.fields("0", "4000", "0");
    prot.docs.buf[0] = 0x00;
    prot.dlg.click("Write");
    EXPECT_EQ(prot.msg(), "Programe Failured! at 004000");
    prot.chip->memory()[0x5000] = 0x12;
    prot.chip->memory()[0x100] = 0x34;
    prot.field("Edit3", "1ffff"); // the blank check after the erase covers 0..Length
    prot.dlg.click("Erase");
    EXPECT_EQ(prot.msg(), "005000: Not blank!");
    EXPECT_EQ(prot.chip->memory()[0x100], 0xFF);
    // Unprot does not lift it; 12 V on RESET# (rows 6 to 9) does, during Erase.
    prot.dlg.click("UnProtectChip");
    EXPECT_EQ(prot.msg(), "Finished");
    F29Sim boot(kRow002T);
    boot.chip->faults().protect.push_back({0x0, 0x3FFFF});
    boot.chip->memory()[0x10] = 0x00;
    boot.dlg.click("Erase");
    EXPECT_EQ(boot.msg(), "Blank OK");

    // A slow chip outlasts the twenty attempts.
    F29Sim slow(kRow040);
    slow.chip->faults().eraseTimeFactor = 30;
    slow.chip->memory()[0] = 0x00;
    slow.dlg.click("Erase");
    EXPECT_EQ(slow.msg(), "000000: Not blank!");
    EXPECT_EQ(slow.dlg.failure(), 1);

    // A broken command sequence changes nothing: 5555/AA, 2AAA/54, 5555/A0, byte.
    F29Sim broken(kRow010);
    LinkState& l = broken.link;
    F29PowerForWrites(l);
    const F29Row& row = kF29Rows[kRow010];
    F29CommandWrites(l, row, {{0x5555, 0xAA}, {0x2AAA, 0x54}, {0x5555, 0xA0}, {0x0010, 0x00}});
    EXPECT_EQ(broken.chip->memory()[0x10], 0xFF);
    // The whole sequence programs; a chip erase cut off by the supply leaves 0x00.
    F29CommandWrites(l, row, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}, {0x10, 0x3C}});
    EXPECT_EQ(broken.chip->memory()[0x10], 0x3C);
    Delay(l, 1);
    F29CommandWrites(l, row,
                     {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80}, {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x10}});
    EXPECT_TRUE(broken.chip->busy());
    ConnectVcc(l, 0);
    EXPECT_FALSE(broken.chip->busy());
    EXPECT_EQ(broken.chip->memory()[0x10], 0x00);
    EXPECT_EQ(broken.chip->memory()[0x1FFFF], 0x00);
}

// An empty socket reads FF everywhere: Erase and a run of FF bytes, which read
// back alike from a blank chip, fail on its identification codes. A blank chip
// of every row passes both.
TEST(F29, AnEmptySocketFailsEraseAndFfProgrammeWhereABlankPartPasses) {
    ExpectEmptyFailsWhereBlankPasses<F29Sim>(kRow256, kRow040, 0xf,
                                             {{"Erase", "Erase failed: no chip answered, ID ff,ff", "Blank OK"},
                                              {"Write", "Programe Failured! (no chip answered, ID ff,ff)", "OK!"}});
}

TEST(F29, ProtectAndSlowFaultTexts) {
    sim::ChipFaults faults;
    EXPECT_EQ(sim::AddChipFault(faults, "protect:4000:7fff"), "");
    EXPECT_EQ(sim::AddChipFault(faults, "slow:2.5"), "");
    ASSERT_EQ(faults.protect.size(), 1u);
    EXPECT_EQ(faults.protect[0].first, 0x4000u);
    EXPECT_EQ(faults.protect[0].last, 0x7FFFu);
    EXPECT_DOUBLE_EQ(faults.eraseTimeFactor, 2.5);
    for (const char* bad : {"protect:8000:7fff", "protect:10", "slow:0.5", "slow:x", "slow:"})
        EXPECT_NE(sim::AddChipFault(faults, bad), "") << bad;
}

} // namespace
} // namespace quarvin::test
