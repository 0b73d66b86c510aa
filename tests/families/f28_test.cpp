// The 28F bulk-erase flash family: the erase rounds and the programming
// read-back on the wire; every sub-type erased and run through Auto on the
// virtual box; the status-register rows, chip faults and broken command
// sequences. (golden_wire_test.cpp: the wire streams.)
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/flash28f/F28Dialog.h"
#include "families/flash28f/F28Operations.h"
#include "forms/HexText.h"
#include "link/commands/Opcodes.h"
#include "sim/families/flash28f/F28Chip.h"

namespace quarvin::test {
namespace {

using F28Wire = WireRig<F28Dialog>;
using F28Sim = SimRig<F28Dialog, sim::F28Chip>;

constexpr int kRow256 = 1, kRow010 = 4, kRow020 = 5, kRow040 = 6, kRow004T = 11, kRow008SA = 15;

// A part whose address 0 never reads FF gets ten erase rounds (opcode 133 with
// its two erase bytes, once a round), then the blank check. (golden_wire_test.cpp:
// an empty socket, read FF at address 0, ends in round 1.)
TEST(F28, EraseStopsAfterTenRoundsWhenAddressZeroNeverReadsFf) {
    F28Wire rig(kRow010);
    rig.log->defaultReply = 0x00;
    rig.dlg.click("Erase");
    const auto& w = rig.log->written;
    std::size_t rounds = 0;
    for (std::size_t i = 0; i + 2 < w.size(); ++i) rounds += w[i] == 133 && w[i + 1] == 0x20 && w[i + 2] == 0x20;
    EXPECT_EQ(rounds, 10u);
    EXPECT_EQ(rig.msg(), "000000: Not blank!");
    EXPECT_TRUE(rig.dlg.failure());
}

// An empty socket reads FF everywhere. An erase that reads address 0 blank in
// its first round, or a run of FF bytes programmed, ends with the identifier
// codes: FF,FF fails with the socket off. A blank part of every row with the
// erase-verify commands (the 28F256A of row 1 is a 32-pin part with Vpp on pin 5
// like the others) answers its codes and passes.
TEST(F28, AnEmptySocketFailsEraseAndFfProgrammeWhereABlankPartPasses) {
    ExpectEmptyFailsWhereBlankPasses<F28Sim>(kRow256, kRow040, 0xff,
                                             {{"Erase", "Erase failed: no chip answered, ID ff,ff", "Blank OK"},
                                              {"Write", "Programe Failured! (no chip answered, ID ff,ff)", "OK"}});
}

TEST(F28, ProgrammeFailsOnADifferingReadBackAndPowersDown) {
    F28Wire rig(kRow010);
    rig.field("Edit3", "1");
    rig.docs.buf[0] = 0x5A;
    rig.docs.buf[1] = 0x77;
    rig.log->reply({0x5A, 0x76});
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Programe Failured! at 000001");
    EXPECT_TRUE(rig.dlg.failure());
    Expect tail(rig.link);
    ConnectVpp(tail.link, 0);
    // Every port low while Vcc is still on, but the 32-pin part's supply pin
    // (socket pin 36), whose driver stays with its closed switch and follows it off.
    const int supplyBit = pin::portIndex(36);
    for (int n = 0; n < op::PortCount; ++n)
        WritePort(tail.link, n, n == supplyBit >> 3 ? static_cast<std::uint8_t>(1u << (supplyBit & 7)) : 0);
    ConnectVcc(tail.link, 0);
    PinLow(tail.link, 36);
    tail.confirmed();
    EXPECT_TRUE(tail.endOf(rig.log->written));
}

TEST(F28, EverySubTypeErasesAndRunsAuto) {
    for (int row = 1; row <= kRow040; ++row) {
        SCOPED_TRACE(std::string("row ") + kF28Rows[static_cast<std::size_t>(row)].name);
        F28Sim rig(row);
        // The part reaches at most 256 KiB: the upper half of a 512 KiB row is the lower again.
        const std::uint32_t size = rig.chip->reachable();
        rig.chip->memory()[0x777] = 0x00;
        rig.dlg.click("Blank");
        EXPECT_EQ(rig.msg(), "000777: Not blank!");
        // Erase judges by address 0 alone: with that byte blank one round of
        // erasing ends it, too short for the part, and the blank check says so.
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.msg(), "000777: Not blank!");
        rig.chip->memory()[0] = 0x00;
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.msg(), "Blank OK");
        // Auto with every step: erase, blank, programme, verify, on a used part
        // (the round trips are the conformance suite's).
        const std::vector<std::uint8_t> image = RandomImage(size, static_cast<unsigned>(row));
        const std::uint32_t span = std::min<std::uint32_t>(size, 0x1000);
        rig.chip->memory()[0] = rig.chip->memory()[size - 1] = 0x00;
        rig.load(image);
        rig.fields("0", "0", Format("%x", span - 1));
        rig.dlg.control("CheckBox1").setChecked(true);
        rig.dlg.control("CheckBox2").setChecked(true);
        rig.dlg.click("Button1");
        EXPECT_EQ(rig.msg(), "OK");
        EXPECT_FALSE(rig.dlg.failure());
        EXPECT_EQ(rig.chip->memory()[size - 1], 0xFF); // erased, outside the programmed span
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + span, rig.chip->memory().begin()));
        EXPECT_TRUE(rig.box->errors().empty());
    }
    // Above 256 KiB the socket has no address line: row 6 shows its lower half again.
    F28Sim big(kRow040);
    big.chip->memory()[0x123] = 0x42;
    big.fields("0", "0", "7ffff");
    big.dlg.click("ReadButton");
    EXPECT_EQ(big.docs.buf[0x40123], 0x42);
}

TEST(F28, StatusRegisterRowsFailEraseAndProgrammeAndSayWhy) {
    for (int row = kRow004T; row <= kRow008SA; ++row) {
        SCOPED_TRACE(row);
        F28Sim rig(row);
        rig.chip->memory()[0x10] = 0x00;
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.msg().rfind("000010: Not blank! (this type takes status-register commands", 0), 0u) << rig.msg();
        EXPECT_EQ(rig.chip->memory()[0x10], 0x00);
        rig.fields("0", "100", "ff");
        rig.docs.buf[0] = 0x12;
        rig.dlg.click("Write");
        EXPECT_EQ(rig.msg().rfind("Programe Failured! at 000100 (this type takes status-register", 0), 0u);
        EXPECT_TRUE(rig.dlg.failure());
        // Only the 28F008SA gets 12 V for programming: its write state machine
        // takes the byte, but the box reads a status byte back.
        EXPECT_EQ(rig.chip->memory()[0x100], row == kRow008SA ? 0x12 : 0xFF);
    }
}

TEST(F28, ALockedBlockAndASlowPartFailTheBlankCheckAfterErase) {
    // A locked block keeps its bytes through the erase, which the blank check reports.
    F28Sim locked(kRow010);
    locked.chip->faults().protect.push_back({0x4000, 0x7FFF});
    std::fill(locked.chip->memory().begin(), locked.chip->memory().end(), 0x00);
    locked.dlg.click("Erase");
    EXPECT_EQ(locked.msg(), "004000: Not blank!");
    EXPECT_EQ(locked.chip->memory()[0x3FFF], 0xFF);
    // A part twice as slow still erases in ten rounds; thirty times as slow runs
    // out of rounds, and the blank check says so.
    for (double factor : {2.0, 30.0}) {
        F28Sim slow(kRow020);
        slow.chip->faults().eraseTimeFactor = factor;
        slow.chip->memory()[0] = 0x00;
        slow.dlg.click("Erase");
        EXPECT_EQ(slow.msg(), factor < 3 ? "Blank OK" : "000000: Not blank!");
        EXPECT_EQ(slow.dlg.failure(), factor > 3);
    }
}

// One write cycle as the host makes it: address, /OE high, data, /CE and /WE low, /WE and /CE high.
void HostWrite(LinkState& l, std::uint32_t a, std::uint8_t d) {
    SetF28Address(l, kF28Rows[kRow010], a);
    PinHigh(l, 28);
    WritePort(l, 2, d);
    PinLow(l, 26);
    PinLow(l, 35);
    PinHigh(l, 35);
    PinHigh(l, 26);
}

void PowerUpForWrites(LinkState& l, bool twelveVolts) {
    ConnectGround(l, 20);
    ConnectVcc(l, 36);
    SetVppLevel(l, twelveVolts ? 12000 : 0);
    ConnectVpp(l, 5);
    SetDataWidth(l, 15);
}

TEST(F28, CommandSequencesTakeOnlyAsTheDataSheetSays) {
    F28Sim rig(kRow010);
    LinkState& l = rig.link;
    auto& cells = rig.chip->memory();
    // Without 12 V on Vpp the part is a read-only memory.
    PowerUpForWrites(l, false);
    for (std::uint8_t d : {0x40, 0x00, 0xC0}) HostWrite(l, 0x10, d);
    EXPECT_EQ(cells[0x10], 0xFF);
    // With it, program set-up, the byte, program verify: the bits clear.
    PowerUpForWrites(l, true);
    for (std::uint8_t d : {0x40, 0x3C, 0xC0}) HostWrite(l, 0x10, d);
    EXPECT_EQ(cells[0x10], 0x3C);
    for (std::uint8_t d : {0x40, 0xC3, 0xC0}) HostWrite(l, 0x10, d);
    EXPECT_EQ(cells[0x10], 0x00); // a pulse only clears bits
    // An erase set-up not confirmed by a second 20 erases nothing.
    HostWrite(l, 0, 0x20);
    HostWrite(l, 0, 0x21);
    Delay(l, 6000);
    HostWrite(l, 0, 0xA0);
    EXPECT_EQ(cells[0x10], 0x00);
    // Erasing adds up over pulses, also across a lost supply, until 0.5 s.
    HostWrite(l, 0, 0x20);
    HostWrite(l, 0, 0x20);
    Delay(l, 3000); // about 0.29 s
    ConnectVcc(l, 0);
    EXPECT_EQ(cells[0x10], 0x00);
    PowerUpForWrites(l, true);
    HostWrite(l, 0, 0x20);
    HostWrite(l, 0, 0x20);
    Delay(l, 3000);
    HostWrite(l, 0, 0xA0);
    EXPECT_EQ(cells[0x10], 0xFF);
}

} // namespace
} // namespace quarvin::test
