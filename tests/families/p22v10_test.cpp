// The 22V10 family: the edit-mode shifts and the erase and security streams on
// the wire, and its dialog on the virtual box with the hand-made test files:
// the read's fuse order, the secured part, the empty socket and Auto.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "GoldenRig.h"
#include "GoldenWire.h"
#include "PldDialogChecks.h"
#include "buffer/formats/Jedec.h"
#include "families/p22v10/P22v10Dialog.h"
#include "families/p22v10/P22v10Shifter.h"
#include "sim/families/p22v10/P22v10Chip.h"

namespace quarvin::test {
namespace {

using P22Sim = SimRig<P22v10Dialog, sim::P22v10Chip>;

constexpr formats::FuseGeometry kGeometry{44, 132};
constexpr std::uint32_t kArray = 5808;

// Shift out and Shift in at addresses that together use all six bits
// (43 = 101011b, 20 = 010100b), the architecture row read and programmed,
// against the golden file made by hand from the signal table.
TEST(P22v10Wire, ShiftsAndTheArchitectureRowMatchTheirGoldenStream) {
    enum Kind { Out, In, ArchRead, ArchWrite };
    const struct Case {
        Kind kind;
        int address;
        const char* title;
    } cases[] = {{Out, 43, "shift out 43"}, {Out, 20, "shift out 20"},   {In, 43, "shift in 43"},
                 {In, 20, "shift in 20"},   {ArchRead, 0, "read architecture"}, {ArchWrite, 0, "program architecture"}};
    std::string text;
    for (const Case& c : cases) {
        WireRig<P22v10Dialog> rig(1);
        p22v10::P22v10Shifter shifter(rig.link);
        switch (c.kind) {
        case Out: EXPECT_EQ(shifter.shiftOut(c.address, 3), "111"); break;
        case In: shifter.shiftIn(c.address, "0x1", 3); break; // any character but "0" is sent high
        case ArchRead: EXPECT_EQ(shifter.readArchitecture(), std::string(20, '1')); break;
        case ArchWrite: shifter.programArchitecture("01100000000000000001"); break;
        }
        text += std::string(c.title) + "\n" + HexLines(rig.log->written);
    }
    EXPECT_TRUE(MatchesGolden("gal22v10_shifts", text));
}

// Erase: 132 clocks, address 63, the program pulse and the erase strobe, then
// power-down; Secrity: the security bit at address 61, a fresh power-up and the
// check. The golden files hold the whole streams, the power-down too; every
// pulse is long enough for the part.
TEST(P22v10Wire, EraseAndSecrityMatchTheirGoldenStreams) {
    const struct Case {
        const char* name;
        int row;
        const char* button;
        const char* message;
    } cases[] = {{"gal22v10_erase", 1, "Erase", "OK"}, {"gal22v10b_secrity", 2, "Secrity", "Secrity OK"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TappedRig<P22v10Dialog, sim::P22v10Chip> rig(c.row);
        rig.chip->memory()[7] = 0;
        rig.start();
        rig.tap->clear();
        rig.dlg.click(c.button);
        EXPECT_TRUE(MatchesGolden(c.name, rig.dlg.control("Msg").text(), *rig.tap));
        EXPECT_EQ(rig.dlg.control("Msg").text(), c.message);
        EXPECT_FALSE(rig.dlg.failure());
        EXPECT_EQ(rig.chip->refusedPulses(), 0);
        EXPECT_EQ(rig.chip->memory()[7], c.button == std::string("Erase") ? 1 : 0);
        EXPECT_EQ(rig.chip->secured(), c.button != std::string("Erase"));
    }
}

// The captions are pinned by the GUI test of the PLD session.
TEST(P22v10DialogTest, StartOpensTheFuseMapFilledWithOnes) {
    WireRig<P22v10Dialog> rig(3, false);
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.Start();
    EXPECT_TRUE(rig.docs.pld);
    EXPECT_EQ(rig.docs.buf[0], '1');
    EXPECT_EQ(rig.docs.buf[5999], '1');
    EXPECT_EQ(rig.docs.fusesPerRow, 44);
    EXPECT_EQ(rig.docs.fuseRows, 132);
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK ");
}

TEST(P22v10DialogTest, RowZeroRefusesEveryButtonAndProgrammeNeedsAFuseMap) {
    ExpectRowRefusesEveryButton<P22v10Dialog>(0, {"Read1", "Erase", "Blank", "Write", "Verify", "Secrity"});
    ExpectProgrammeAndAutoNeedAFuseMap<P22v10Dialog>(1);
}

// Address 0's 132 bits land column-wise at 0, 44, 88, ...; the architecture
// row's bits at 5808..5827 win over address 44's first bits.
TEST(P22v10VirtualBox, ReadPlacesTheColumnsAndTheArchitectureRowLast) {
    P22Sim rig(1);
    auto& cells = rig.chip->memory();
    cells[44] = 0;           // address 0, bit 1
    cells[5764] = 0;         // address 0, bit 131
    cells[5808 + 19] = 0;    // the last architecture bit
    cells[5828] = 0;         // the first signature bit: address 44, bit 12
    rig.dlg.click("Read1");
    for (std::uint32_t n : {44u, 5764u, 5827u, 5828u}) EXPECT_EQ(rig.docs.buf[n], '0') << n;
    EXPECT_EQ(rig.docs.buf[0], '1');
    EXPECT_EQ(std::count(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0'), 4);
}

constexpr PldTexts kP22Texts{"Secrity OK", "Verify bad"};

// The architecture row is hidden with the array; the signature row stays readable.
TEST(P22v10VirtualBox, SecrityHidesTheArrayFailsVerifyKeepsTheSignatureUntilErased) {
    for (int row : {1, 2, 3}) {
        SCOPED_TRACE(row);
        P22Sim rig(row);
        LoadJedec(rig.docs.buf, kGeometry, "gal22v10_reg.jed");
        ExpectSecuredPartHidesTheArrayUntilErased(rig, "gal22v10_reg.jed", kP22Texts, {0, kArray + 20},
                                                  {kArray + 20, 5892});
    }
}

// A part whose array still reads after the security bit (every data out read low
// here) fails the check, and Auto ends there without "OK".
TEST(P22v10DialogTest, SecrityThatDoesNotHideTheArraySaysFailuredAndStopsAuto) {
    WireRig<P22v10Dialog> rig(2);
    rig.log->defaultReply = 0;
    rig.dlg.click("Secrity");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Failured");
    EXPECT_TRUE(rig.dlg.failure());

    for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4"}) rig.dlg.control(box).setChecked(false);
    rig.dlg.control("CheckBox5").setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Failured");
    EXPECT_TRUE(rig.dlg.failure());
}

// Auto on a used part stops at Blank; with Erase ticked Blank is skipped, and
// Secrity runs last.
TEST(P22v10VirtualBox, EmptySocketPassesBlankAndFailsAutoAtVerifyAndAutoStopsAtBlank) {
    P22Sim empty(1);
    ExpectEmptySocketPassesBlankButFailsAuto(empty, 5892, kP22Texts, kGeometry, "gal22v10_comb.jed");
    P22Sim used(2);
    used.dlg.control("CheckBox5").setChecked(true);
    ExpectAutoStopsAtBlankUnlessErased(used, kGeometry, "gal22v10_comb.jed");
    EXPECT_TRUE(used.chip->secured());
}

} // namespace
} // namespace quarvin::test
