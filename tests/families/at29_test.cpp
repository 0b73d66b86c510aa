// The AT29C page-write flash families (AT29C256 with /WE on its pin 1, the
// 32-pin AT29C040A; golden_wire_test.cpp: their wire streams): the software data
// protection against the chip model, the erase of blank and used parts, the
// page wait against the data sheet's program cycle, and the ID codes of every
// listed part.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "families/flash29c/At29Dialog.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/families/flash29c/At29Chip.h"

namespace quarvin::test {
namespace {

constexpr int kRow = 1;
using Sim256 = SimRig<At29c256Dialog, sim::At29Chip>;
using Sim040 = SimRig<At29cxDialog, sim::At29Chip>;

// A page write through the box's plain block write, as a careless host sends it.
void PlainPageWrite(LinkState& l, const At29Row& row, std::uint32_t a, std::uint8_t v) {
    ConnectVcc(l, row.supplyPin);
    ConnectGround(l, 20);
    Delay(l, 100);
    SetBusMode(l, row.busMode);
    SetDataWidth(l, 15);
    PinHigh(l, pin::eprom::OutputEnable);
    SetAt29Address(l, row, a);
    SetBlockLength(l, static_cast<std::uint8_t>(row.pageSize));
    SendByte(l, op::BlockWrite);
    for (std::uint32_t i = 0; i < row.pageSize; ++i) SendByte(l, v);
    Delay(l, 110);
    ConnectVcc(l, 0);
}

TEST(At29, WithTheProtectionOnAWriteWithoutTheCodeChangesNothing) {
    Sim256 rig(kRow);
    const At29Row& row = kAt29c256Rows[kRow];
    for (std::uint32_t i = 0; i < 64; ++i) rig.chip->memory()[i] = static_cast<std::uint8_t>(i);
    rig.dlg.click("Protect");
    EXPECT_EQ(rig.msg(), "OK!");
    EXPECT_TRUE(rig.chip->dataProtection());
    const auto pageZeroKept = [&] {
        for (std::uint32_t i = 0; i < 64; ++i)
            if (rig.chip->memory()[i] != i) return false;
        return true;
    };
    EXPECT_TRUE(pageZeroKept());

    PlainPageWrite(rig.link, row, 0x400, 0x11);
    EXPECT_EQ(rig.chip->memory()[0x400], 0xFF);
    // The 29EE way to turn the protection off, six command loads of two line
    // bytes each, spaces its loads 191 us apart: past the 150 us window, so the
    // code never reaches the part whole and the protection stays.
    ConnectVcc(rig.link, row.supplyPin);
    ConnectGround(rig.link, 20);
    Delay(rig.link, 100);
    SetBusMode(rig.link, row.busMode);
    for (auto [opcode, data] : {std::pair<std::uint8_t, std::uint8_t>{op::JedecCmd5555, 0xAA}, {op::JedecCmd2AAA, 0x55},
                                {op::JedecCmd5555, 0x80}, {op::JedecCmd5555, 0xAA}, {op::JedecCmd2AAA, 0x55},
                                {op::JedecCmd5555, 0x20}}) {
        SendByte(rig.link, opcode);
        SendByte(rig.link, data);
    }
    Delay(rig.link, 110);
    ConnectVcc(rig.link, 0);
    EXPECT_TRUE(rig.chip->dataProtection());
    PlainPageWrite(rig.link, row, 0x400, 0x22);
    EXPECT_EQ(rig.chip->memory()[0x400], 0xFF);

    // Programe turns the protection off first and keeps page 0.
    std::fill(rig.docs.buf.data() + 0x400, rig.docs.buf.data() + 0x440, 0x3C);
    rig.fields("400", "400", "3f");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Finished");
    EXPECT_EQ(rig.chip->memory()[0x43F], 0x3C);
    EXPECT_FALSE(rig.chip->dataProtection());
    EXPECT_TRUE(pageZeroKept());
    // With the protection off a plain write takes.
    PlainPageWrite(rig.link, row, 0x400, 0x33);
    EXPECT_EQ(rig.chip->memory()[0x400], 0x33);
}

// The page wait is the data sheet's 10 ms program cycle: with a much shorter one
// page 0, rewritten first, reads back while the part is still busy. (Between two pages the
// next block's own bytes on the line add 6 to 24 ms, and the virtual box loads
// a block once its last byte is in, so only a wait far too short shows there.)
TEST(At29, APageWaitBelowTheProgramCycleFails) {
    const struct {
        int ticks;
        bool done;
    } cases[] = {{105, true}, {20, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ticks);
        Sim040 rig(kRow);
        for (std::uint32_t i = 0; i < 0x1100; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(i * 5 + 1);
        AddressFields fields;
        fields.length = 0x10FF;
        const OperationHooks hooks;
        At29Job job{rig.link, kAt29cxRows[kRow], rig.docs.buf, fields, hooks};
        job.timing.pageWriteTicks = c.ticks;
        const OperationResult r = ProgramAt29(job, 0);
        EXPECT_EQ(r.ok(), c.done) << r.message;
        EXPECT_EQ(r.message.find("Failured!") != std::string::npos, !c.done) << r.message;
    }
}

TEST(At29, EraseOfABlankAndAUsedPartLeavesItBlank) {
    for (bool used : {false, true}) {
        SCOPED_TRACE(used);
        Sim040 rig(kRow);
        if (used) rig.chip->memory()[0x12345] = 0x5A;
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.msg(), "Finished");
        EXPECT_EQ(rig.chip->memory()[0x12345], 0xFF);
        rig.fields("0", "0", "7ffff");
        rig.dlg.click("Blank");
        EXPECT_EQ(rig.msg(), "Blank OK");
    }
}

} // namespace
} // namespace quarvin::test
