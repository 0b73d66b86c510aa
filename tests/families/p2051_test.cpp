// The 20-pin 8051 flash dialog: its form, the streams it sends (golden wire
// files) and its behaviour on the virtual box's chip models.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "McuDialogChecks.h"
#include "McuFormSteps.h"
#include "families/mcu2051/P2051Dialog.h"
#include "sim/ChipFaultText.h"
#include "sim/families/mcu2051/At89c2051Chip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<P2051Dialog, sim::At89c2051Chip>;

std::string Msg(P2051Dialog& d) { return d.control("Msg").text(); }

// The captions and items are pinned by the GUI test of the view.
TEST(P2051Form, InitialStatesAndTheStart) {
    WireRig<P2051Dialog> rig(2, false);
    P2051Dialog& d = rig.dlg;
    const std::pair<const char*, bool> ticks[] = {
        {"CheckBox1", false}, {"CheckBox2", false}, {"CheckBox3", true}, {"CheckBox4", true}, {"CheckBox5", false}};
    for (const auto& [name, checked] : ticks) EXPECT_EQ(d.control(name).checked(), checked) << name;
    EXPECT_EQ(d.control("RadioGroup1").itemIndex(), 1);
    d.Start();
    EXPECT_EQ(Msg(d), "OK ");
    EXPECT_EQ(rig.docs.end, 0x7FF);
    rig.link.connected = 0;
    d.Start();
    EXPECT_EQ(Msg(d), "Communication error!");
}

TEST(P2051Chip, BlankEraseLockAndSignature) {
    Rig rig(2);
    ExpectBlankFindsAUsedCellUntilErased(rig, 0x123, {"Blank OK!", "Not blank!", "Finished"});

    FillRandomBytes(rig.docs.buf, 0x800, 4);
    rig.dlg.click("Write");
    rig.dlg.click("Secrity");
    EXPECT_EQ(Msg(rig.dlg), "Secrity OK");
    EXPECT_EQ(rig.chip->lockBits(), sim::At89c2051Chip::LockBit1 | sim::At89c2051Chip::LockBit2);
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), Format("0000:Bad! (file=%02x,Device=ff)", rig.docs.buf[0]));
    rig.dlg.click("Erase");
    EXPECT_EQ(rig.chip->lockBits(), 0);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");

    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "1e,21,ff");
    EXPECT_EQ(rig.dlg.readSignature(), (std::array<std::uint8_t, 3>{0x1E, 0x21, 0xFF}));
}

TEST(P2051Chip, FaultsAndTheirMessages) {
    // A cell that will not program: the ready signal comes, Verify finds it.
    Rig cell(3);
    FillRandomBytes(cell.docs.buf, 0x1000, 8);
    cell.docs.buf[0xABC] = 0x00;
    cell.chip->faults().noProgram.push_back({0xABC, 0xABC});
    cell.dlg.click("Write");
    EXPECT_EQ(Msg(cell.dlg), "OK");
    cell.dlg.click("Verify");
    EXPECT_EQ(Msg(cell.dlg), "0abc:Bad! (file=00,Device=ff)");

    // Ready never comes: Programme fails at the first byte it writes, d + 1.
    Rig busy(1);
    busy.chip->faults().busyForever = true;
    std::fill(busy.docs.buf.data(), busy.docs.buf.data() + 0x400, 0xFF);
    busy.docs.buf[0x21] = 0x40;
    busy.dlg.click("Write");
    EXPECT_EQ(Msg(busy.dlg), "0021:Bad! (file=40,Device=41)");
    EXPECT_EQ(busy.dlg.failureFlag(), 1);

    // A stuck bit at address 0: the erase check fails with flag 2 and Auto
    // stops before Blank.
    Rig stuck(2);
    stuck.chip->faults().stuck.push_back({0, 0, 0x80, 0x00});
    stuck.dlg.control("CheckBox1").setChecked(true);
    stuck.dlg.control("CheckBox2").setChecked(true);
    stuck.dlg.click("Button1");
    EXPECT_EQ(Msg(stuck.dlg), "Error!");
    EXPECT_EQ(stuck.dlg.failureFlag(), kEraseFailedFlag);

    // A wrong signature shows as read; an empty socket asks.
    Rig other(2);
    other.chip->faults().signature = {0x1E, 0x41, 0xFF};
    other.dlg.click("ID");
    EXPECT_EQ(Msg(other.dlg), "1e,41,ff");
    other.chip->faults().missing = true;
    other.fp.prompts.answers = {false};
    other.dlg.click("Blank");
    EXPECT_EQ(other.fp.prompts.texts(), std::vector<std::string>{"No any device on programmer!\n\nContinue?"});
    EXPECT_EQ(Msg(other.dlg), "No any device on programmer!");
}

TEST(P2051Wire, SecrityFailureStopsAutoAndTheNibblesMakeTheSignature) {
    WireRig<P2051Dialog> rig(2);
    // Two presence checks (Auto's, whose power-off is confirmed by one more
    // read, and Secrity's), then a lock check read below 255.
    rig.log->reply({0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x12});
    for (const char* box : {"CheckBox3", "CheckBox4"}) rig.dlg.control(box).setChecked(false);
    rig.dlg.control("CheckBox5").setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig.dlg), "加密失败！");
    EXPECT_EQ(rig.dlg.failureFlag(), 1);

    // Port 2 carries P1.0..P1.3 in its high nibble, port 3 P1.4..P1.7 in its low one.
    rig.log->replies.clear();
    rig.log->reply({0xE0, 0x01, 0x10, 0x02, 0xF0, 0x0F});
    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "1e,21,ff");
}

TEST(P2051Wire, SoftRunReadsAll255) {
    WireRig<P2051Dialog> rig(1);
    rig.link.connected = 0;
    rig.fp.prompts.answers = {true, true, true};
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x400, 0xFF);
    rig.docs.buf[0x7] = 0x00;
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), "0007:Bad! (file=00,Device=ff)");
    EXPECT_EQ(rig.fp.prompts.texts().front(), "No any device on programmer!\n\nContinue?");
    EXPECT_TRUE(rig.log->written.empty());
}

// The streams of the edge cases on an AT89C1051 row, against golden files; the
// Auto boxes are all cleared first.
struct P2051Golden {
    const char* name;
    bool oneByte;      // the buffer all 0xFF but 0x5A at 0x10
    const char* fault; // on the part, as the command line names it
    FormSteps steps;
};

const P2051Golden kP2051Golden[] = {
    {"p2051_start_prepare", false, "", {"start"}},
    {"p2051_programme_all_ff", false, "", {"start", "|", "Write"}},
    {"p2051_programme_ready_time_out", true, "busy", {"start", "|", "Write"}},
    {"p2051_auto_erase_fails_before_blank", false, "stuck:0:01:00", {"+CheckBox1", "+CheckBox2", "start", "|", "Button1"}},
    {"p2051_secrity", false, "", {"start", "|", "Secrity"}},
    {"p2051_id", false, "", {"start", "|", "ID"}},
};

TEST(P2051GoldenWire, EdgeCasesSendTheRecordedStreams) {
    ExpectGoldenStreams(kP2051Golden, [](const P2051Golden& c) {
        TappedRig<P2051Dialog> rig(1);
        if (*c.fault) {
            EXPECT_EQ(sim::AddChipFault(rig.chip->faults(), c.fault), "");
        }
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x1000, 0xFF);
        if (c.oneByte) rig.docs.buf[0x10] = 0x5A;
        RunFormSteps(rig, {"-CheckBox1", "-CheckBox2", "-CheckBox3", "-CheckBox4", "-CheckBox5"});
        return RecordFormSteps(rig, c.steps);
    });
}

} // namespace
} // namespace quarvin::test
