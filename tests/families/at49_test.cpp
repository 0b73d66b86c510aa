// The AT49F flash family: the boot block lockout at each part's boot block, the
// RESET pin and the sector erase of the AT49F001/002 models
// (f29_variant_test.cpp: the wire streams, erase time and empty socket).
#include <algorithm>

#include <gtest/gtest.h>

#include "F29Bus.h"
#include "FamilyRig.h"
#include "families/flash49f/At49Family.h"
#include "families/flash49f/At49Rows.h"
#include "families/framework/MemorySteps.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/families/flash49f/At49Chip.h"

namespace quarvin::test {
namespace {

using AtRig = SimRig<At49Dialog, sim::At49Chip>;
constexpr int kRow040 = 1, kRow001 = 2, kRow001T = 3, kRow002T = 5;
constexpr int kResetSocketPin = 5;   // part pin 1: A18 of the AT49F040, RESET of the AT49F001/002
constexpr int kTenSecondsTicks = 110'000; // delay bytes, about 98 us of line time each: tEC and a little more

// The socket powered, in the write bus mode, ready for command writes.
void PowerUp(AtRig& rig, const F29Row& row) {
    ConnectGround(rig.link, 20);
    ConnectVcc(rig.link, row.supplyPin);
    Delay(rig.link, 100);
    ChooseF29BusMode(rig.link);
    SetDataWidth(rig.link, kWriteBusMode);
}

std::uint8_t ReadAt(AtRig& rig, const F29Row& row, std::uint32_t a) {
    SetDataWidth(rig.link, kReadBusMode);
    SetF29Address(rig.link, row, a);
    PinLow(rig.link, pin::eprom::ChipEnable);
    PinLow(rig.link, pin::eprom::OutputEnable);
    const std::uint8_t d = ReadPort(rig.link, pin::eprom::DataPort);
    PinHigh(rig.link, pin::eprom::OutputEnable);
    PinHigh(rig.link, pin::eprom::ChipEnable);
    SetDataWidth(rig.link, kWriteBusMode);
    return d;
}

constexpr std::initializer_list<std::pair<std::uint32_t, std::uint8_t>> kLockout{{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80},
                                                 {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x40}};

// Each part's boot block where its data sheet puts it (the AT49F040's and
// AT49F001's at 00000, the top-boot parts' at the top): locked, it takes
// neither programs nor the chip erase; the main memory next to it still does.
TEST(At49, ALockedBootBlockKeepsItsDataThroughProgrameAndErase) {
    const struct {
        int row;
        std::uint32_t blockedStart; // a write running into the boot block
        std::uint32_t freeStart;    // one just outside it
        std::uint32_t kept;
        const char* blocked;
        const char* notBlank;
    } parts[] = {
        {kRow040, 0x3FE0, 0x4000, 0x10, "Programe Failured! at 003fe0", "000010: Not blank!"},
        {kRow001T, 0x1BFE0, 0x1BFA0, 0x1C010, "Programe Failured! at 01c000", "01c010: Not blank!"},
        {kRow002T, 0x3BFE0, 0x3BFA0, 0x3C010, "Programe Failured! at 03c000", "03c010: Not blank!"},
    };
    for (const auto& p : parts) {
        SCOPED_TRACE(p.row);
        AtRig rig(p.row);
        const std::uint32_t last = kAt49fRows[static_cast<std::size_t>(p.row)].lastAddress;
        rig.chip->lockBootBlock();
        rig.chip->memory()[p.kept] = 0x12;
        for (std::uint32_t i = 0; i < 0x40; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(0x80 + i);
        rig.fields("0", Format("%x", p.blockedStart), "3f");
        rig.dlg.click("Write");
        EXPECT_EQ(rig.msg(), p.blocked);
        rig.fields("0", Format("%x", p.freeStart), "3f");
        rig.dlg.click("Write");
        EXPECT_EQ(rig.msg(), "OK!");
        EXPECT_EQ(rig.chip->memory()[p.freeStart], 0x80);

        rig.fields("0", "0", Format("%x", last));
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.msg(), p.notBlank);
        EXPECT_EQ(rig.chip->memory()[p.kept], 0x12);
        EXPECT_EQ(rig.chip->memory()[p.freeStart], 0xFF);
    }
}

// Bytes with I/O7 low never complete on a locked block, so the box polls each
// for its whole 300 us: sent ahead, the writes are paced for that, not for
// tBP, or they would overrun the box's receive buffer.
TEST(At49, ProgrameSentAheadOverALockedBlockDoesNotOverrunTheBox) {
    AtRig rig(kRow040);
    rig.link.readAheadWindow = 128;
    rig.chip->lockBootBlock();
    std::fill_n(rig.docs.buf.data(), 0x40, 0x00);
    rig.fields("0", "3fe0", "3f");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Programe Failured! at 003fe0");
    EXPECT_TRUE(rig.box->errors().empty());
}

// The lockout code as the data sheets give it locks the model, and the
// identification mode shows it on I/O0 of the boot block's address 2.
TEST(At49, TheLockoutCodeLocksAndTheIdentificationModeShowsIt) {
    for (auto [rowIndex, detect] : {std::pair{kRow040, 0x00002u}, {kRow001T, 0x1C002u}, {kRow002T, 0x3C002u}}) {
        SCOPED_TRACE(rowIndex);
        AtRig rig(rowIndex);
        const F29Row& row = kAt49fRows[static_cast<std::size_t>(rowIndex)];
        PowerUp(rig, row);
        F29CommandWrites(rig.link, row, kLockout);
        EXPECT_TRUE(rig.chip->bootBlockLocked());
        Delay(rig.link, 11'000); // "PAUSE 1 second"
        F29CommandWrites(rig.link, row, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x90}});
        EXPECT_EQ(ReadAt(rig, row, detect) & 1, 1);
        ConnectVcc(rig.link, 0);
    }
}

// RESET low floats the outputs of the AT49F001, not of the AT49F001N, whose
// pin 1 is not connected; 12 V on RESET lets the AT49F001's locked boot block
// be programmed while it lasts.
TEST(At49, ResetFloatsTheOutputsAndTwelveVoltsLiftTheLockout) {
    for (const char* part : {"AT49F001", "AT49F001N"}) {
        SCOPED_TRACE(part);
        AtRig rig(kRow001);
        const F29Row& row = kAt49fRows[kRow001];
        const bool hasReset = std::string(part) == "AT49F001";
        rig.box->remove();
        rig.chip = std::make_shared<sim::At49Chip>(*sim::FindAt49Type(part));
        rig.box->insert(rig.chip);
        rig.chip->memory()[0x20] = 0x12;
        rig.chip->lockBootBlock();
        PowerUp(rig, row);
        SetDataWidth(rig.link, kReadBusMode);
        SetF29Address(rig.link, row, 0x20);
        PinLow(rig.link, kResetSocketPin);
        PinLow(rig.link, pin::eprom::ChipEnable);
        PinLow(rig.link, pin::eprom::OutputEnable);
        EXPECT_EQ(ReadPort(rig.link, pin::eprom::DataPort), hasReset ? 0xFF : 0x12);
        PinHigh(rig.link, pin::eprom::OutputEnable);
        PinHigh(rig.link, pin::eprom::ChipEnable);
        SetDataWidth(rig.link, kWriteBusMode);
        if (!hasReset) continue; // its pin 1 is rated as any input, not for 12 V

        SetVppLevel(rig.link, 12000);
        ConnectVpp(rig.link, kResetSocketPin);
        F29CommandWrites(rig.link, row, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0xA0}, {0x20, 0x02}});
        Delay(rig.link, 10);
        ConnectVpp(rig.link, 0);
        EXPECT_EQ(rig.chip->memory()[0x20], 0x02);
        ConnectVcc(rig.link, 0);
    }
}

// "Command Definition" note 4: a sector address in main memory block 1 erases
// both parameter blocks with it, one in a parameter block only that block, one
// in the boot block nothing.
TEST(At49, SectorEraseFollowsTheSectorAddressTable) {
    const struct {
        std::uint32_t sectorAddress, first, last;
    } erases[] = {{0x12345, 0x10000, 0x1BFFF}, {0x1A000, 0x1A000, 0x1BFFF}, {0x1C000, 1, 0}};
    for (const auto& e : erases) {
        SCOPED_TRACE(e.sectorAddress);
        AtRig rig(kRow001T);
        const F29Row& row = kAt49fRows[kRow001T];
        std::fill(rig.chip->memory().begin(), rig.chip->memory().end(), 0x00);
        PowerUp(rig, row);
        F29CommandWrites(rig.link, row,
             {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80}, {0x5555, 0xAA}, {0x2AAA, 0x55}, {e.sectorAddress, 0x30}});
        Delay(rig.link, kTenSecondsTicks);
        EXPECT_EQ(ReadAt(rig, row, 0), 0x00); // a read also lets the model see the time
        const auto& cells = rig.chip->memory();
        for (std::uint32_t a : {0x0FFFFu, 0x10000u, 0x1A000u, 0x1BFFFu, 0x1C000u, 0x1FFFFu})
            EXPECT_EQ(cells[a], (a >= e.first && a <= e.last) ? 0xFF : 0x00) << std::hex << a;
        ConnectVcc(rig.link, 0);
    }
}

} // namespace
} // namespace quarvin::test
