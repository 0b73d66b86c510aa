// The 29EE page-write flash family (golden_wire_test.cpp: the wire streams of
// its sequences): field alignment, the read's bounds, Auto, the empty socket,
// software data protection and the chip faults on the virtual box.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/flash29ee/EE29Dialog.h"
#include "forms/HexText.h"
#include "link/commands/Opcodes.h"
#include "sim/ChipFaultText.h"
#include "sim/families/flash29ee/EE29Chip.h"

namespace quarvin::test {
namespace {

using EE29Wire = WireRig<EE29Dialog>;
using EE29Sim = SimRig<EE29Dialog, sim::EE29Chip>;

constexpr int kRow256 = 1, kRow512 = 3, kRow010 = 4, kRow040 = 6;

TEST(EE29, FieldsAlignToPagesAndTheStartTexts) {
    EE29Wire rig(kRow010);
    rig.fields("1234", "1234", "100");
    EXPECT_EQ(rig.dlg.control("Edit1").text(), "1200");
    EXPECT_EQ(rig.dlg.control("Edit2").text(), "1200");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "17f");
    rig.dlg.control("Edit3").setText("200");
    rig.dlg.activate();
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "27f");
    EXPECT_EQ(rig.dlg.caption(), "0 to 1ffff");

    DialogRig<EE29Dialog> off(kRow010);
    off.dlg.Start();
    EXPECT_EQ(off.msg(), "没有连接!");
    EXPECT_EQ(off.dlg.caption(), "P29");
}

TEST(EE29, ReadIsBoundedByTheDevice) {
    EE29Wire rig(kRow256);
    rig.docs.buf[0x8000] = 0x5A;
    rig.fields("100", "200", "ffff");
    rig.dlg.click("ReadButton");
    EXPECT_EQ(rig.log->reads, 0x8000 + 1); // and the link's confirmation
    EXPECT_EQ(rig.docs.buf[0x8000], 0x5A);
    EXPECT_EQ(rig.docs.buf[0], 0xFF); // device byte 0 at buffer offset 0
    EXPECT_EQ(rig.msg(), "OK!");
}

TEST(EE29, AutoErasesChecksProgramsAndVerifies) {
    EE29Sim rig(kRow512);
    std::fill(rig.chip->memory().begin(), rig.chip->memory().end(), 0x00);
    const std::vector<std::uint8_t> image = RandomImage(0x10000, 3);
    std::copy(image.begin(), image.end(), rig.docs.buf.data());
    for (const char* box : {"CheckBox1", "CheckBox2"}) rig.dlg.control(box).setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.msg(), "OK");
    EXPECT_FALSE(rig.dlg.failure());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rig.chip->memory().begin()));
}

// An empty socket reads FF everywhere. Erase, and a Programe that read back no
// byte other than FF, write page 0 (read as FF) once more and look for the
// part's busy status: none fails with the socket off. A blank part passes on
// every row, the 28-pin one and the generic ones without codes included.
TEST(EE29, AnEmptySocketFailsEraseProgrammeAndAutoWhereABlankPartPasses) {
    ExpectEmptyFailsWhereBlankPasses<EE29Sim>(
        kRow256, static_cast<int>(kEE29Rows.size()) - 1, 0x1ff,
        {{"Erase", "Erase failed: no chip answered, not busy in a page write", "Finished"},
         {"Write", "Programe Failured! (no chip answered, not busy in a page write)", "Finished"},
         {"Button1", "Erase failed: no chip answered, not busy in a page write", "OK"}},
        [](EE29Sim& rig) {
            for (const char* box : {"CheckBox1", "CheckBox2"}) rig.dlg.control(box).setChecked(true);
        });
}

TEST(EE29, ProtectionKeepsPageZeroIgnoresUnprefixedWritesAndProgrammeStillWorks) {
    EE29Sim rig(kRow010);
    for (std::uint32_t i = 0; i < 128; ++i) rig.chip->memory()[i] = static_cast<std::uint8_t>(i);
    rig.dlg.click("Protect");
    EXPECT_EQ(rig.msg(), "OK!");
    EXPECT_TRUE(rig.chip->dataProtection());
    const auto pageZero = [&] {
        for (std::uint32_t i = 0; i < 128; ++i)
            if (rig.chip->memory()[i] != i) return false;
        return true;
    };
    EXPECT_TRUE(pageZero());

    // An unprefixed page write and a broken prefix change nothing.
    LinkState& l = rig.link;
    const EE29Row& row = kEE29Rows[kRow010];
    const auto pageWrite = [&](std::uint32_t a, std::uint8_t v) {
        SetDataWidth(l, 15);
        SetEE29Address(l, row, a);
        SetBlockLength(l, 128);
        SendByte(l, op::BlockWrite);
        for (int i = 0; i < 128; ++i) SendByte(l, v);
        Delay(l, 100);
    };
    ConnectVcc(l, 36);
    ConnectGround(l, 20);
    pageWrite(0x400, 0x11);
    for (auto [op, d] : {std::pair<std::uint8_t, std::uint8_t>{139, 0xAA}, {138, 0x55}, {139, 0x77}}) {
        SendByte(l, op);
        SendByte(l, d);
    }
    pageWrite(0x400, 0x22);
    ConnectVcc(l, 0);
    EXPECT_EQ(rig.chip->memory()[0x400], 0xFF);
    EXPECT_TRUE(rig.chip->dataProtection());

    std::fill(rig.docs.buf.data() + 0x1000, rig.docs.buf.data() + 0x1100, 0x3C);
    rig.fields("1000", "1000", "ff");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Finished");
    EXPECT_EQ(rig.chip->memory()[0x10FF], 0x3C);
    EXPECT_TRUE(pageZero());

    // With the protection off, the same broken prefix is a plain write.
    rig.dlg.click("Unprotect");
    EXPECT_FALSE(rig.chip->dataProtection());
    ConnectVcc(l, 36);
    ConnectGround(l, 20);
    pageWrite(0x400, 0x33);
    // A page write erases the bytes it does not load.
    SetEE29Address(l, row, 0x410);
    SetBlockLength(l, 1);
    SendByte(l, op::BlockWrite);
    SendByte(l, 0x44);
    Delay(l, 100);
    ConnectVcc(l, 0);
    EXPECT_EQ(rig.chip->memory()[0x410], 0x44);
    EXPECT_EQ(rig.chip->memory()[0x47F], 0xFF);
    EXPECT_EQ(rig.chip->memory()[0x480], 0xFF);
}

TEST(EE29, ChipFaultsEmptySocketAndTheCodes) {
    struct Case {
        const char* part;
        const char* fault;
        const char* fields;
        int speed;
        const char* button;
        const char* message;
    } cases[] = {
        // Programe reads back one page per 4 KiB, the first: 1000..107f, not 1080..10ff.
        {"SST29EE010", "stuck:1045:01:00", "0 1000 7f", 0, "Write", "Programe Failured! at 001045"},
        {"SST29EE010", "noprogram:1090", "0 1000 ff", 0, "Write", "Finished"},
        {"SST29EE010", "noprogram:1090", "0 1000 ff", 0, "Verify", "001090:Bad =a5,器件=ff)"},
        {"W29C040", "protect:0:3fff", "0 0 1ff", 0, "Write", "Programe Failured! at 000000"},
        {"W29C040", "protect:0:3fff", "0 4000 1ff", 0, "Write", "Finished"},
        {"W29C040", "protect:0:3fff", "4000 4000 7fff", 0, "Blank", "004000: Not blank "}, // no chip erase
        {"SST29EE010", "slow:3", "0 0 7f", 0, "Write", "Programe Failured! at 000000"},
        {"SST29EE010", "slow:3", "0 0 7f", 2, "Write", "Finished"},
        {"SST29EE010", "busy", "0 0 7f", 2, "Write", "Programe Failured! at 000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.part) + " " + c.fault + " " + c.button);
        const sim::ChipOffer* offer = sim::FindOffer(c.part);
        ASSERT_NE(offer, nullptr);
        EE29Sim rig(offer->subType);
        rig.chip = std::dynamic_pointer_cast<sim::EE29Chip>(offer->make());
        ASSERT_EQ(AddChipFault(rig.chip->faults(), c.fault), "");
        rig.box->insert(rig.chip);
        if (rig.chip->faults().missing) rig.box->remove();
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x10000, 0xA5);
        rig.fieldsOf(c.fields);
        rig.dlg.control("Speed").setItemIndex(c.speed);
        const std::string button = c.button;
        if (button == "Verify" || button == "Blank") rig.dlg.click("Write");
        if (button == "Blank") rig.dlg.click("Erase");
        rig.dlg.click(c.button);
        EXPECT_EQ(rig.msg(), c.message);
        EXPECT_EQ(rig.dlg.failure(), std::string(c.message) != "Finished");
    }
}

} // namespace
} // namespace quarvin::test
