// The W27E family: the erase and programming streams where they differ from the
// UV EPROMs, and every sub-type erased, programmed, verified, read back, summed
// and identified on the virtual box, with the faults a bench would show.
#include <gtest/gtest.h>

#include <random>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "families/framework/MemorySteps.h"
#include "families/w27e/W27eDialog.h"
#include "families/w27e/W27eRows.h"
#include "forms/HexText.h"
#include "sim/families/w27e/W27eChip.h"

namespace quarvin::test {
namespace {

using W27eWire = WireRig<W27eDialog>;
using W27eSim = SimRig<W27eDialog, sim::W27eChip>;

constexpr int kRow512 = 1, kRow010 = 2, kRow257 = 5;

// Index of `part` in `whole` at or after `from`, or npos.
std::size_t Find(const std::vector<std::uint8_t>& whole, const std::vector<std::uint8_t>& part, std::size_t from = 0) {
    const auto at = std::search(whole.begin() + static_cast<long>(std::min(from, whole.size())), whole.end(),
                                part.begin(), part.end());
    return at == whole.end() ? std::string::npos : static_cast<std::size_t>(at - whole.begin());
}

TEST(W27e, EraseStreamHoldsTheStrobeForAThousandTicksAtFourteenVolts) {
    struct Case {
        int row;
        std::vector<std::uint8_t> strobe; // what starts and ends the 1000 ticks
    } cases[] = {
        {kRow512, {79, 31}},          // no pulse pin: PinLow/PinHigh of pin 0, /CE low all along
        {kRow010, {79 + 35, 31 + 35}}, // /PGM
        {kRow257, {79 + 28, 31 + 28}}, // /OE
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        W27eWire rig(c.row);
        rig.dlg.click("Erase");
        const auto& w = rig.log->written;
        std::vector<std::uint8_t> held{c.strobe[0]};
        held.insert(held.end(), 1000, 30);
        held.push_back(c.strobe[1]);
        const std::size_t at = Find(w, held);
        ASSERT_NE(at, std::string::npos);
        // 14 V (code 9) is set before the strobe; Vpp goes to the row's pin and to A9.
        Expect vpp(rig.link);
        SetVppLevel(vpp.link, 14000);
        EXPECT_LT(Find(w, vpp.bytes()), at);
        // Right after it /OE goes low and /CE high; the stream ends with Vpp off,
        // every port low but the supply pin's, then Vcc off, and every port low
        // again (the latches' states are the same whatever came before).
        EXPECT_EQ(Find(w, {79 + 28, 31 + 26}, at + held.size()), at + held.size());
        Expect after(rig.link);
        ConnectVcc(after.link, kW27eRows[static_cast<std::size_t>(c.row)].supplyPin);
        after.log->written.clear();
        ConnectVpp(after.link, 0);
        PortsLowThenVccOff(after.link);
        WriteAllPorts(after.link, 0);
        after.confirmed();
        EXPECT_TRUE(after.endOf(w));
        EXPECT_EQ(rig.dlg.failure(), 0);
    }
}

TEST(W27e, ProgrammingUsesTwelveVoltsOnePulseAndSumsAfterOk) {
    W27eWire rig(kRow257);
    rig.fields("0", "100", "1");
    rig.docs.buf[0] = 0x12;
    rig.docs.buf[1] = 0x34;
    rig.log->reply({0x12, 0x34});
    rig.log->defaultReply = 0x01; // every sum page: 0x0101
    rig.dlg.click("Write");
    const auto& w = rig.log->written;
    Expect head(rig.link);
    SetVppLevel(head.link, 12000);
    EXPECT_EQ(Find(w, head.bytes()), 0u);
    // One pulse, the address of Device Start, then opcode 141 with each byte.
    const std::size_t pulses = Find(w, {132, 1});
    ASSERT_NE(pulses, std::string::npos);
    EXPECT_NE(Find(w, {141, 0x12, 141, 0x34}, pulses), std::string::npos);
    // 128 pages of 0x0101 each.
    EXPECT_EQ(rig.msg(), "Sum = 00008080");
    EXPECT_EQ(rig.dlg.failure(), 0);

    // A byte that does not read back stops the run: no sum.
    W27eWire bad(kRow257);
    bad.field("Edit3", "0");
    bad.docs.buf[0] = 0x12;
    bad.log->reply({0x13});
    bad.dlg.click("Write");
    EXPECT_EQ(bad.msg(), "Programe Failured! at 000000");
    EXPECT_EQ(bad.dlg.failure(), 1);
    EXPECT_EQ(Find(bad.log->written, {130}), std::string::npos);
}

TEST(W27e, EverySubTypeHoldsAPartWithTheListedCodes) {
    const std::uint8_t codes[] = {0, 0x08, 0x01, 0x03, 0x04, 0x02};
    for (int row = 1; row < static_cast<int>(kW27eRows.size()); ++row) {
        W27eSim rig(row);
        EXPECT_EQ(rig.chip->cells().size(), kW27eRows[static_cast<std::size_t>(row)].lastAddress + 1);
        EXPECT_EQ(rig.chip->type().manufacturer, 0xDA);
        EXPECT_EQ(rig.chip->type().device, codes[row]) << "row " << row;
    }
}

TEST(W27e, FaultsAndShortStrobesShowAsOnTheBench) {
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

    // A cell that will not program fails at its address; stuck bits fail Verify.
    W27eSim stuck(kRow257);
    stuck.chip->faults().noProgram.push_back({0x10, 0x10});
    stuck.docs.buf[0x10] = 0x00;
    stuck.field("Edit3", "ff");
    stuck.dlg.click("Write");
    EXPECT_EQ(stuck.msg(), "Programe Failured! at 000010");
    stuck.chip->faults().noProgram.clear();
    stuck.chip->faults().stuck.push_back({0x20, 0x20, 0x01, 0x01});
    stuck.docs.buf[0x20] = 0xFE;
    stuck.dlg.click("Write");
    EXPECT_EQ(stuck.msg(), "Programe Failured! at 000020");

    // An empty socket: nothing programs.
    W27eSim empty(kRow512);
    empty.box->remove();
    empty.field("Edit3", "f");
    empty.docs.buf[0] = 0x00;
    empty.dlg.click("Write");
    EXPECT_EQ(empty.msg(), "Programe Failured! at 000000");
}

TEST(W27e, FormHasEraseIdAndFourAutoStepsWithoutProgrammingOptions) {
    W27eWire rig(kRow512);
    EXPECT_EQ(rig.dlg.caption(), "0 to ffff");
    EXPECT_EQ(rig.dlg.control("MFG").text(), "ID");
    EXPECT_EQ(rig.dlg.control("Label4").text(), "ID");
    EXPECT_EQ(rig.dlg.find("RadioGroup1"), nullptr);
    EXPECT_EQ(rig.dlg.control("CheckBox2").text(), "Balnk");
    EXPECT_FALSE(rig.dlg.control("CheckBox1").checked());
    EXPECT_FALSE(rig.dlg.control("CheckBox4").checked());
    rig.dlg.click("MFG");
    EXPECT_EQ(rig.dlg.control("Edit4").text(), "20,3d");
}

} // namespace
} // namespace quarvin::test

namespace quarvin::test {
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

namespace {

// The W27E streams pinned down as golden files, recorded on the virtual box.
TEST(W27eGoldenWire, EdgeCasesSendTheRecordedStream) {
    struct Case {
        const char* name;
        int row;
        const char* fields; // "bufferStart deviceStart length"
        std::vector<const char*> clicks;
        bool checkErase;    // Auto with its Erase step
    } cases[] = {
        {"w27e512_erase", kRow512, "0 0 ffff", {"Erase"}, false},
        {"w27e257_program_from_100_then_sum", kRow257, "0 100 1ff", {"Write"}, false},
        {"w27e010_auto_erase_blank_program", kRow010, "0 0 ff", {"Button1"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRig<W27eDialog> rig(c.row);
        for (std::uint32_t i = 0; i < 0x1000; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(i * 13 + 7);
        auto box = std::make_shared<sim::Box>();
        box->insert(sim::OfferForSubType(W27eDialog::kFormClass, c.row)->make());
        auto tap = std::make_shared<std::vector<std::uint8_t>>();
        rig.connect(std::make_unique<TappedVirtualBox>(box, tap));
        rig.dlg.Start();
        std::istringstream f(c.fields);
        std::string b, d, l;
        f >> b >> d >> l;
        rig.fields(b, d, l);
        rig.dlg.control("CheckBox1").setChecked(c.checkErase);
        tap->clear();
        for (const char* click : c.clicks) rig.dlg.click(click);
        EXPECT_TRUE(MatchesGolden(c.name, rig.msg(), *tap));
    }
}

} // namespace
} // namespace quarvin::test
