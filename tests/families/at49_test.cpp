// The AT49F flash family: the boot block lockout (f29_variant_test.cpp: its
// wire streams, erase time and empty socket).
#include <algorithm>

#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenRig.h"
#include "families/flash49f/At49Family.h"
#include "families/flash49f/At49Rows.h"
#include "families/framework/MemorySteps.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/families/flash49f/At49Chip.h"
#include "support/TappedTransport.h"

namespace quarvin::test {
namespace {

constexpr int kRow = 1;
using Sim040 = SimRig<At49Dialog, sim::At49Chip>;

// A locked boot block (00000-03FFF) takes neither programs nor the chip erase;
// the main memory still does.
TEST(At49, ALockedBootBlockKeepsItsDataThroughProgrameAndErase) {
    Sim040 rig(kRow);
    rig.chip->lockBootBlock();
    rig.chip->memory()[0x10] = 0x12;
    for (std::uint32_t i = 0; i < 0x40; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(0x80 + i);
    const struct {
        const char* deviceStart;
        const char* message;
    } writes[] = {{"3fe0", "Programe Failured! at 003fe0"}, {"4000", "OK!"}};
    for (const auto& w : writes) {
        SCOPED_TRACE(w.deviceStart);
        rig.fields("0", w.deviceStart, "3f");
        rig.dlg.click("Write");
        EXPECT_EQ(rig.msg(), w.message);
    }
    EXPECT_EQ(rig.chip->memory()[0x3FE0], 0xFF);
    EXPECT_EQ(rig.chip->memory()[0x4000], 0x80);

    rig.fields("0", "0", "7ffff");
    rig.dlg.click("Erase");
    EXPECT_EQ(rig.msg(), "000010: Not blank!");
    EXPECT_EQ(rig.chip->memory()[0x10], 0x12);
    EXPECT_EQ(rig.chip->memory()[0x4000], 0xFF);
}

// Bytes with I/O7 low never complete on a locked block, so the box polls each
// for its whole 300 us: sent ahead, the writes are paced for that, not for
// tBP, or they would overrun the box's receive buffer.
TEST(At49, ProgrameSentAheadOverALockedBlockDoesNotOverrunTheBox) {
    Sim040 rig(kRow);
    rig.link.readAheadWindow = 128;
    rig.chip->lockBootBlock();
    std::fill_n(rig.docs.buf.data(), 0x40, 0x00);
    rig.fields("0", "3fe0", "3f");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Programe Failured! at 003fe0");
    EXPECT_TRUE(rig.box->errors().empty());
}

// The lockout code as the data sheet gives it locks the model, and the
// identification mode shows it on I/O0 of address 2.
TEST(At49, TheLockoutCodeLocksAndTheIdentificationModeShowsIt) {
    Sim040 rig(kRow);
    const F29Row& row = kAt49fRows[kRow];
    ConnectGround(rig.link, 20);
    ConnectVcc(rig.link, row.supplyPin);
    Delay(rig.link, 100);
    ChooseF29BusMode(rig.link);
    SetDataWidth(rig.link, kWriteBusMode);
    for (auto [a, d] : {std::pair{0x5555u, 0xAA}, {0x2AAAu, 0x55}, {0x5555u, 0x80}, {0x5555u, 0xAA},
                        {0x2AAAu, 0x55}, {0x5555u, 0x40}})
        WriteF29Command(rig.link, row, a, static_cast<std::uint8_t>(d));
    EXPECT_TRUE(rig.chip->bootBlockLocked());
    Delay(rig.link, 11'000); // "PAUSE 1 second"
    for (auto [a, d] : {std::pair{0x5555u, 0xAA}, {0x2AAAu, 0x55}, {0x5555u, 0x90}})
        WriteF29Command(rig.link, row, a, static_cast<std::uint8_t>(d));
    SetDataWidth(rig.link, kReadBusMode);
    SetF29Address(rig.link, row, 2);
    PinLow(rig.link, pin::eprom::ChipEnable);
    PinLow(rig.link, pin::eprom::OutputEnable);
    EXPECT_EQ(ReadPort(rig.link, pin::eprom::DataPort) & 1, 1);
    ConnectVcc(rig.link, 0);
}

} // namespace
} // namespace quarvin::test
