// The 40-pin 8051 flash dialog: its form, the streams it sends (golden wire
// files) and its behaviour on the virtual box's chip models.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "McuDialogChecks.h"
#include "McuFormSteps.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "sim/families/mcu89c5x/At89c5xChip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<P89c5xDialog, sim::At89c5xChip>;

std::string Msg(P89c5xDialog& d) { return d.control("Msg").text(); }

// The captions and items are pinned by the GUI test of the view.
TEST(P89c5xForm, InitialStatesAndTheStart) {
    WireRig<P89c5xDialog> rig(3, false);
    P89c5xDialog& d = rig.dlg;
    EXPECT_FALSE(d.control("Erase").enabled()); // until the start operation
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
        EXPECT_TRUE(d.control(box).checked()) << box;
    EXPECT_EQ(d.control("RadioGroup1").itemIndex(), 1);
    EXPECT_EQ(d.control("RadioGroup2").itemIndex(), 0);

    d.Start();
    EXPECT_EQ(Msg(d), "OK ");
    EXPECT_EQ(d.control("Edit7").text(), "ANY: 27C512");
    EXPECT_EQ(rig.docs.end, 0x1FFF);
    EXPECT_TRUE(d.control("Erase").enabled());
    EXPECT_TRUE(d.control("CheckBox1").enabled());

    // An OTP row disables Erase and its run item; soft-run mode says so.
    rig.selection.subType = 8;
    rig.link.connected = 0;
    d.Start();
    EXPECT_EQ(Msg(d), "通讯失败!");
    EXPECT_FALSE(d.control("Erase").enabled());
    EXPECT_FALSE(d.control("CheckBox1").enabled());
    EXPECT_EQ(rig.docs.end, 0x0FFF);
}

TEST(P89c5xChip, BlankEraseTheSignatureAndTheProtectModes) {
    Rig rig(3);
    ExpectBlankFindsAUsedCellUntilErased(rig, 0x1234, {"OK!", "Error", "Erase ok"});
    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "ID = 1e,52,ff");
    EXPECT_EQ(rig.dlg.readSignature(), (std::array<std::uint8_t, 3>{0x1E, 0x52, 0xFF}));
    ExpectProtectModesLockTheCodeUntilErased<Rig>(1, 0x1000);
}

TEST(P89c5xChip, AnOtpPartIgnoresTheEraseSequence) {
    // The flash row's sequence on an OTP part: "Erase ok" is not verified, the
    // blank check then finds the programmed byte.
    Rig rig(3);
    auto otp = std::make_shared<sim::At89c5xChip>(*sim::FindAt89c5xType("AT87F52"));
    otp->memory()[0x10] = 0x00;
    rig.box->insert(otp);
    rig.dlg.click("Erase");
    EXPECT_EQ(Msg(rig.dlg), "Erase ok");
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Error");
    EXPECT_EQ(otp->memory()[0x10], 0x00);

    // On the OTP row the button is disabled, and Run skips the erase.
    Rig otpRig(9);
    otpRig.chip->memory()[0x10] = 0x00;
    otpRig.dlg.click("Erase");
    EXPECT_EQ(Msg(otpRig.dlg), "OK ");
    otpRig.dlg.click("Button1");
    EXPECT_EQ(Msg(otpRig.dlg), "Error");
}

TEST(P89c5xChip, SignatureQuestionsAndTheEmptySocket) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> chipSignature; // empty: the part's own
        std::array<std::uint8_t, 3> expected;
        bool answer;
        const char* question;  // nullptr: none asked
        bool programs;
    };
    const Case cases[] = {
        {"no expected id", {0x00, 0x00, 0x00}, {0, 0, 0}, false, nullptr, true},
        {"matching", {}, {0x1E, 0x52, 0xFF}, false, nullptr, true},
        {"chip answers ff ff, no", {0xFF, 0xFF, 0xFF}, {0x1E, 0x52, 0xFF}, false, "Error，\nContinue?", false},
        {"other id, no", {0x1E, 0x99, 0xFF}, {0x1E, 0x52, 0xFF}, false, "Error?\nContinue?", false},
        {"other id, yes", {0x1E, 0x99, 0xFF}, {0x1E, 0x52, 0xFF}, true, "Error?\nContinue?", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(3);
        rig.selection.expectedSignature = c.expected;
        rig.chip->faults().signature = c.chipSignature;
        ExpectSignatureQuestion(rig, *rig.chip, c.answer, c.question, c.programs);
        if (!c.programs) {
            EXPECT_EQ(Msg(rig.dlg).substr(0, 2), "R=");
        }
    }

    Rig empty(3);
    empty.chip->faults().missing = true;
    empty.fp.prompts.answers = {false};
    empty.dlg.click("Read1");
    EXPECT_EQ(empty.fp.prompts.texts(), std::vector<std::string>{"No any device on programmer!\n\nContinue?"});
    EXPECT_EQ(Msg(empty.dlg), "No any device on programmer!");
    EXPECT_EQ(empty.dlg.failureFlag(), 1);
}

TEST(P89c5xChip, FaultsAreFoundWhereTheyAre) {
    Rig rig(5);
    FillRandomBytes(rig.docs.buf, 0x5000, 55);
    rig.docs.buf[0x4321] = 0x00;
    rig.chip->faults().noProgram.push_back({0x4321, 0x4321});
    rig.dlg.click("Write");
    EXPECT_EQ(Msg(rig.dlg), "OK"); // programming reads nothing back
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), "4321:Error!(File=00,Chip=ff)");

    // A write cycle that never ends loses every later pulse.
    Rig busy(3);
    busy.chip->faults().busyForever = true;
    std::fill(busy.docs.buf.data(), busy.docs.buf.data() + 0x2000, 0xFF);
    busy.docs.buf[0x10] = 0x11;
    busy.docs.buf[0x20] = 0x22;
    busy.dlg.click("Write");
    busy.dlg.click("Verify");
    EXPECT_EQ(Msg(busy.dlg), "0020:Error!(File=22,Chip=ff)");
}

TEST(P89c5xChip, RunChainStopsAtTheFirstFailureAndTheEndAddressBoundsLoops) {
    Rig rig(3);
    FillRandomBytes(rig.docs.buf, 0x2000, 3);
    rig.chip->memory()[0x5] = 0x00;
    rig.dlg.control("CheckBox1").setChecked(false); // no erase: Blank fails
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig.dlg), "Error");
    EXPECT_EQ(rig.chip->memory()[0x6], 0xFF); // Programe did not run

    rig.dlg.control("CheckBox1").setChecked(true);
    rig.dlg.control("RadioGroup1").setItemIndex(0);
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig.dlg), "OK");
    EXPECT_EQ(rig.chip->lockBits(), sim::At89c5xChip::LockBit1);

    // An end address below the row's last address: Read stops there.
    rig.docs.end = 0x1F;
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0);
    rig.dlg.click("Read1");
    EXPECT_EQ(rig.docs.buf[0x1F], rig.chip->memory()[0x1F]);
    EXPECT_EQ(rig.docs.buf[0x20], 0);
}

// The streams of the edge cases, compared with golden files recorded once from
// sequences checked by hand against the family's documentation.
struct P89Golden {
    const char* name;
    int row;
    bool oneByte;                            // the buffer all 0xFF but 0xA5 at 3
    std::vector<std::uint8_t> chipSignature; // empty: the part's own
    bool expectsC52;                         // else no signature expected
    FormSteps steps;
};

const P89Golden kP89Golden[] = {
    {"p89_read_c51_end_1f", 1, false, {}, false, {"start", "end=1f", "|", "Read1"}},
    {"p89_read_c51_to_last_address", 1, false, {}, false, {"start", "end=fff", "|", "Read1"}},
    {"p89_program_c51_pulse_20_ticks", 1, true, {}, false, {"start", "end=f", "|", "Write"}},
    {"p89_program_c52_no_tick_speed_1ms", 3, true, {}, false, {"start", "end=f", "|", "Write"}},
    {"p89_program_c52_speed_2ms", 3, true, {}, false, {"start", "end=f", "RadioGroup2=1", "|", "Write"}},
    {"p89_program_c52_speed_3ms", 3, true, {}, false, {"start", "end=f", "RadioGroup2=2", "|", "Write"}},
    {"p89_protect_item_0", 1, false, {}, false, {"start", "end=fff", "RadioGroup1=0", "|", "Secrity"}},
    {"p89_protect_item_1", 1, false, {}, false, {"start", "end=fff", "RadioGroup1=1", "|", "Secrity"}},
    {"p89_protect_item_2", 1, false, {}, false, {"start", "end=fff", "RadioGroup1=2", "|", "Secrity"}},
    {"p89_signature_matching", 3, true, {}, true, {"start", "end=f", "|", "Write"}},
    {"p89_signature_ff_ff_no", 3, true, {0xFF, 0xFF, 0xFF}, true, {"start", "end=f", "|", "Write"}},
    {"p89_signature_other_no", 3, true, {0x1E, 0x99, 0xFF}, true, {"start", "end=f", "|", "Write"}},
    {"p89_erase_blank_c52", 3, false, {}, false, {"start", "end=f", "|", "Erase", "Blank"}},
    {"p89_verify_id_c55", 5, true, {}, false, {"start", "end=f", "|", "Verify", "ID"}},
    {"p89_run_nothing_checked", 3, false, {}, false,
     {"start", "end=1fff", "-CheckBox1", "-CheckBox2", "-CheckBox3", "-CheckBox4", "-CheckBox5", "|", "Button1"}},
    {"p89_run_otp_row", 8, true, {}, false, {"start", "end=f", "|", "Button1"}},
};

// A signature question is answered no.
TEST(P89c5xGoldenWire, EdgeCasesSendTheRecordedStreams) {
    ExpectGoldenStreams(kP89Golden, [](const P89Golden& c) {
        TappedRig<P89c5xDialog, sim::At89c5xChip> rig(c.row);
        rig.chip->faults().signature = c.chipSignature;
        if (c.expectsC52) rig.selection.expectedSignature = {0x1E, 0x52, 0xFF};
        rig.fp.prompts.answers = {false};
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x5000, 0xFF);
        if (c.oneByte) rig.docs.buf[3] = 0xA5;
        return RecordFormSteps(rig, c.steps);
    });
}

} // namespace
} // namespace quarvin::test
