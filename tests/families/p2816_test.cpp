// The 2816 family (golden_wire_test.cpp: its wire streams): the byte write against
// the data sheet's write cycle, the 28C17A's DATA polling and RDY/BUSY, and the
// erase of used and blank parts.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/eeprom2816/P2816Dialog.h"
#include "families/eeprom2816/P2816Operations.h"
#include "families/framework/MemorySteps.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/families/eeprom2816/P2816Chip.h"

namespace quarvin::test {
namespace {

constexpr int k28C16A = 1, k28C17A = 2;
using Rig = SimRig<P2816Dialog, sim::P2816Chip>;

// The part takes no write during its 1 ms write cycle: a wait cut below it
// loses the second byte, and the read-back of the page finds it.
TEST(P2816, AWriteWaitBelowTheWriteCycleFails) {
    const struct {
        double waitMicroseconds;
        const char* message;
    } cases[] = {{kP2816WriteCycleMicroseconds, "OK!"}, {200, "Programe Failured! at 000001"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.waitMicroseconds);
        Rig rig(k28C16A);
        for (std::uint32_t i = 0; i < 0x10; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(0x30 + i);
        AddressFields fields;
        fields.length = 0xF;
        const OperationHooks hooks;
        const OperationResult r =
            ProgramP2816(P2816Job{rig.link, kP2816Rows[k28C16A], rig.docs.buf, fields, hooks}, c.waitMicroseconds);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(rig.chip->memory()[1] == 0x31, r.ok());
    }
}

// One byte written by hand: for the write cycle a read shows it with I/O7
// inverted and RDY/BUSY (socket pin 7) is low; after it the byte reads true
// and RDY/BUSY is released.
TEST(P2816, TheWriteCycleShowsInDataPollingAndReadyBusy) {
    Rig rig(k28C17A);
    const P2816Row& row = kP2816Rows[k28C17A];
    LinkState& link = rig.link;
    ConnectGround(link, pin::Ground);
    ConnectVcc(link, row.supplyPin);
    Delay(link, kPowerUpTicks);
    SetP2816Address(link, row, 0x123, P2816Cycle::Write);
    SetDataWidth(link, kWriteBusMode);
    WritePort(link, pin::eprom::DataPort, 0x5A);
    PinLow(link, row.writeEnablePin);
    PinHigh(link, row.writeEnablePin);
    // A few line bytes from here on: well inside the 1 ms cycle.
    SetDataWidth(link, kReadBusMode);
    PinLow(link, pin::eprom::OutputEnable);
    EXPECT_EQ(ReadPort(link, pin::eprom::DataPort), 0x5A ^ 0x80);
    EXPECT_EQ(ReadPin(link, 7), 0);
    Delay(link, 11);
    PinHigh(link, pin::eprom::OutputEnable);
    PinLow(link, pin::eprom::OutputEnable);
    EXPECT_EQ(ReadPort(link, pin::eprom::DataPort), 0x5A);
    EXPECT_EQ(ReadPin(link, 7), 1);
    ConnectVcc(link, 0);
}

// Erase writes FF over the used bytes only: a blank part is not written at all.
TEST(P2816, EraseClearsAUsedPartAndWritesNothingOnABlankOne) {
    for (const bool used : {true, false}) {
        SCOPED_TRACE(used);
        Rig rig(k28C17A);
        if (used) {
            rig.chip->memory()[0x10] = 0x00;
            rig.chip->memory()[0x7FF] = 0x12;
        }
        const std::uint64_t before = rig.chip->changes();
        rig.fields("0", "0", "7ff");
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.msg(), "Blank OK");
        EXPECT_TRUE(std::all_of(rig.chip->memory().begin(), rig.chip->memory().end(), [](auto b) { return b == 0xFF; }));
        EXPECT_EQ(rig.chip->changes() - before, used ? 2u : 0u);
    }
}

} // namespace
} // namespace quarvin::test
