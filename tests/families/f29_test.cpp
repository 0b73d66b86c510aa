// The 29F flash family: its address encoding and the Vpp handling of each row
// group on the wire, every sub-type erased, programmed, verified, read back,
// summed and identified on the virtual box, and the JEDEC chip models' answers
// to faults, protection, broken sequences and a supply lost mid-erase.
#include <gtest/gtest.h>

#include <random>

#include "F29Bus.h"
#include "FamilyRig.h"
#include "families/flash29f/F29Dialog.h"
#include "forms/HexText.h"
#include "sim/families/flash29f/F29Chip.h"

namespace quarvin::test {
namespace {

using F29Wire = WireRig<F29Dialog>;
using F29Sim = SimRig<F29Dialog, sim::F29Chip>;

constexpr int kRow256 = 1, kRow010 = 3, kRow040 = 5, kRow002T = 8, kRow004T = 10;

std::size_t Find(const std::vector<std::uint8_t>& whole, const std::vector<std::uint8_t>& part, std::size_t from = 0) {
    const auto at = std::search(whole.begin() + static_cast<long>(std::min(from, whole.size())), whole.end(),
                                part.begin(), part.end());
    return at == whole.end() ? std::string::npos : static_cast<std::size_t>(at - whole.begin());
}

TEST(F29, AddressEncodingDrivesTheLinesAboveTheDeviceHighInPortOrder1304) {
    EXPECT_EQ(EncodeF29Address(0 | kF29Rows[kRow256].highAddressMask()),
              (std::array<std::uint8_t, 5>{0x7F, 0x00, 0x00, 0x01, 0x13}));
    EXPECT_EQ(EncodeF29Address(0x5555 | kF29Rows[kRow040].highAddressMask()),
              (std::array<std::uint8_t, 5>{0x8F, 0xAA, 0x00, 0xA3, 0x22}));
    LinkState& expected = *new LinkState; // only its images are read
    Expect e(expected);
    SetF29Address(e.link, kF29Rows[kRow256], 0);
    EXPECT_EQ(e.bytes(), (std::vector<std::uint8_t>{17, 0x00, 19, 0x01, 16, 0x7F, 20, 0x13}));
    delete &expected;
}

TEST(F29, EraseConnectsTwelveVoltsToPinFiveOnlyForTheBootBlockRowsWithReset) {
    struct Case {
        int row;
        bool vppOnPin5;
    } cases[] = {{kRow010, false}, {kRow002T, true}, {9, true}, {kRow004T, false}, {13, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        F29Wire rig(c.row);
        rig.log->reply({0xFF, 0x00}); // DQ6 read, then DQ7 low: the chip was seen busy
        rig.log->defaultReply = 0xFF; // then DQ7 high, blank pages
        rig.dlg.click("Erase");
        const auto& w = rig.log->written;
        Expect twelve(rig.link);
        SetVppLevel(twelve.link, 12000);
        Expect zero(rig.link);
        SetVppLevel(zero.link, 0);
        const std::size_t level = Find(w, twelve.bytes());
        EXPECT_EQ(level != std::string::npos, c.vppOnPin5);
        if (c.vppOnPin5) {
            // 12 V is set before pin 5 gets Vpp, and 0 V after the attempts.
            const std::size_t firstCommand = Find(w, {31 + 28});
            EXPECT_LT(level, firstCommand);
            EXPECT_NE(Find(w, zero.bytes(), firstCommand), std::string::npos);
        }
        EXPECT_EQ(rig.msg(), "Blank OK");
    }
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

    // The placeholder row sends nothing and fails.
    for (const char* button : {"Write", "Erase", "UnProtectChip"}) {
        F29Wire none(0);
        none.dlg.click(button);
        EXPECT_TRUE(none.log->written.empty()) << button;
        EXPECT_EQ(none.dlg.failure(), 1) << button;
        EXPECT_NE(none.msg().find("Failured!"), std::string::npos) << button;
    }
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

} // namespace
} // namespace quarvin::test

#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"

namespace quarvin::test {
namespace {

TEST(F29, FaultTextsAndTheChipImageKeepTheProtection) {
    sim::ChipFaults faults;
    EXPECT_EQ(sim::AddChipFault(faults, "protect:4000:7fff"), "");
    EXPECT_EQ(sim::AddChipFault(faults, "slow:2.5"), "");
    ASSERT_EQ(faults.protect.size(), 1u);
    EXPECT_EQ(faults.protect[0].first, 0x4000u);
    EXPECT_EQ(faults.protect[0].last, 0x7FFFu);
    EXPECT_DOUBLE_EQ(faults.eraseTimeFactor, 2.5);
    for (const char* bad : {"protect:8000:7fff", "protect:10", "slow:0.5", "slow:x", "slow:"})
        EXPECT_NE(sim::AddChipFault(faults, bad), "") << bad;

    const std::string path = std::string(QUARVIN_BINARY_DIR) + "/f29_protect.img";
    auto chip = sim::FindOffer("Am29F010B")->make();
    chip->faults().protect.push_back({0x4000, 0x7FFF});
    chip->memory()[3] = 0x42;
    ASSERT_EQ(sim::SaveChipImage(*chip, path), "");
    auto again = sim::FindOffer("Am29F010B")->make();
    ASSERT_EQ(sim::LoadChipImage(*again, path).status, sim::ImageLoad::Loaded);
    ASSERT_EQ(again->faults().protect.size(), 1u);
    EXPECT_EQ(again->faults().protect[0].last, 0x7FFFu);
    EXPECT_EQ(again->memory()[3], 0x42);
    std::remove(path.c_str());
}

} // namespace
} // namespace quarvin::test
