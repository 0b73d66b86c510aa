// The 40-pin 8051 flash dialog: its form, the streams it sends (golden wire
// files) and its behaviour on the virtual box's chip models.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "sim/families/mcu89c5x/At89c5xChip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<P89c5xDialog, sim::At89c5xChip>;

std::string Msg(P89c5xDialog& d) { return d.control("Msg").text(); }

TEST(P89c5xForm, CaptionsItemsAndInitialStates) {
    WireRig<P89c5xDialog> rig(3, false);
    P89c5xDialog& d = rig.dlg;
    EXPECT_EQ(d.caption(), "AT89,AT87...");
    EXPECT_FALSE(d.control("Erase").enabled()); // until the start operation
    const std::pair<const char*, const char*> captions[] = {
        {"Erase", "Erase"},   {"Blank", "Blank"},       {"Write", "Programe"},    {"Verify", "Verify"},
        {"Read1", "Read"},    {"Secrity", "Protect"},   {"ID", "ID"},            {"GroupBox1", "Run item"},
        {"Button1", "Run"},   {"CheckBox1", "Erase"},   {"CheckBox2", "Blank"},  {"CheckBox3", "Programe"},
        {"CheckBox4", "Verify"}, {"CheckBox5", "Protect"}, {"RadioGroup1", "Protect mode"}, {"RadioGroup2", "Speed"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(d.control(name).text(), caption) << name;
        if (std::string(name).rfind("CheckBox", 0) == 0) {
            EXPECT_TRUE(d.control(name).checked()) << name;
        }
    }
    EXPECT_EQ(d.control("RadioGroup1").items(),
              (std::vector<std::string>{"1 No MOVC   ", "2 + No read ", "3 + No ext-code "}));
    EXPECT_EQ(d.control("RadioGroup1").itemIndex(), 1);
    EXPECT_EQ(d.control("RadioGroup2").items(), (std::vector<std::string>{"1ms", "2ms", "3ms"}));
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

TEST(P89c5xChip, BlankEraseAndTheSignature) {
    Rig rig(3);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "OK!");
    rig.chip->memory()[0x1234] = 0x00;
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Error");
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "1234");
    rig.dlg.click("Erase");
    EXPECT_EQ(Msg(rig.dlg), "Erase ok");
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "OK!");
    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "ID = 1e,52,ff");
    EXPECT_EQ(rig.dlg.readSignature(), (std::array<std::uint8_t, 3>{0x1E, 0x52, 0xFF}));
}

TEST(P89c5xChip, LockBitTwoHidesTheCodeUntilErased) {
    Rig rig(1);
    FillRandomBytes(rig.docs.buf, 0x1000, 7);
    rig.dlg.click("Write");
    rig.dlg.click("Secrity"); // "2 + No read ": lock bits 1 and 2
    EXPECT_EQ(Msg(rig.dlg), "Protect OK!");
    EXPECT_EQ(rig.chip->lockBits(), sim::At89c5xChip::LockBit1 | sim::At89c5xChip::LockBit2);
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), Format("0000:Error!(File=%02x,Chip=ff)", rig.docs.buf[0]));
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x1000, 0);
    rig.dlg.click("Read1");
    EXPECT_TRUE(std::all_of(rig.docs.buf.data(), rig.docs.buf.data() + 0x1000, [](std::uint8_t b) { return b == 0xFF; }));
    rig.dlg.click("Erase");
    EXPECT_EQ(rig.chip->lockBits(), 0);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "OK!");
}

TEST(P89c5xChip, ProtectModesAndTheirChecks) {
    struct Case {
        int item;
        std::uint8_t lockBits;
    };
    const Case cases[] = {{0, 0x01}, {1, 0x03}, {2, 0x07}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Rig rig(3);
        rig.chip->memory()[0x1FFF] = 0x12; // the top byte is not 0xFF: item 0 still passes
        rig.dlg.control("RadioGroup1").setItemIndex(c.item);
        rig.dlg.click("Secrity");
        EXPECT_EQ(Msg(rig.dlg), "Protect OK!");
        EXPECT_EQ(rig.chip->lockBits(), c.lockBits);
    }
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
        rig.fp.prompts.answers = {c.answer};
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0xFF);
        rig.docs.buf[0x40] = 0x3C;
        rig.dlg.click("Write");
        EXPECT_EQ(rig.fp.prompts.texts(), c.question ? std::vector<std::string>{c.question} : std::vector<std::string>{});
        EXPECT_EQ(rig.chip->memory()[0x40], c.programs ? 0x3C : 0xFF);
        EXPECT_EQ(rig.dlg.failureFlag(), c.programs ? 0 : 1);
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

    Rig stuck(1);
    stuck.chip->faults().stuck.push_back({0x80, 0x80, 0x01, 0x00});
    stuck.dlg.click("Blank");
    EXPECT_EQ(Msg(stuck.dlg), "Error");
    EXPECT_EQ(stuck.dlg.control("Edit6").text(), "0080");

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
struct GoldenCase {
    const char* name;
    int row;
    std::int32_t end;                        // the hex window's end address after the start
    std::vector<std::pair<std::uint32_t, std::uint8_t>> bytes; // buffer bytes that are not 0xFF
    int protectItem;
    int speedItem;
    std::vector<std::uint8_t> chipSignature; // empty: the part's own
    std::array<std::uint8_t, 3> expected;
    bool answer;                             // to a signature question
    bool untickAll;
    std::vector<const char*> clicks;
};

struct Recorded {
    std::string message;
    std::vector<std::uint8_t> bytes;
};

Recorded Record(const GoldenCase& c) {
    DialogRig<P89c5xDialog> rig(c.row);
    auto box = std::make_shared<sim::Box>();
    auto chip = sim::OfferForSubType(P89c5xDialog::kFormClass, c.row)->make();
    chip->faults().signature = c.chipSignature;
    box->insert(chip);
    auto tap = std::make_shared<std::vector<std::uint8_t>>();
    rig.connect(std::make_unique<TappedVirtualBox>(box, tap));
    rig.selection.expectedSignature = c.expected;
    rig.fp.prompts.answers = {c.answer};
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x5000, 0xFF);
    for (const auto& [a, v] : c.bytes) rig.docs.buf[a] = v;
    rig.dlg.Start();
    rig.docs.end = c.end;
    rig.dlg.control("RadioGroup1").setItemIndex(c.protectItem);
    rig.dlg.control("RadioGroup2").setItemIndex(c.speedItem);
    if (c.untickAll)
        for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
            rig.dlg.control(box).setChecked(false);
    tap->clear();
    for (const char* click : c.clicks) rig.dlg.click(click);
    return {Msg(rig.dlg), *tap};
}

TEST(P89c5xGoldenWire, EdgeCasesSendTheRecordedStreams) {
    const std::vector<std::pair<std::uint32_t, std::uint8_t>> oneByte = {{3, 0xA5}};
    const std::array<std::uint8_t, 3> none{0, 0, 0}, c52{0x1E, 0x52, 0xFF};
    const GoldenCase cases[] = {
        {"p89_read_c51_end_1f", 1, 0x1F, {}, 1, 0, {}, none, true, false, {"Read1"}},
        {"p89_read_c51_to_last_address", 1, 0xFFF, {}, 1, 0, {}, none, true, false, {"Read1"}},
        {"p89_program_c51_pulse_20_ticks", 1, 0x0F, oneByte, 1, 0, {}, none, true, false, {"Write"}},
        {"p89_program_c52_no_tick_speed_1ms", 3, 0x0F, oneByte, 1, 0, {}, none, true, false, {"Write"}},
        {"p89_program_c52_speed_2ms", 3, 0x0F, oneByte, 1, 1, {}, none, true, false, {"Write"}},
        {"p89_program_c52_speed_3ms", 3, 0x0F, oneByte, 1, 2, {}, none, true, false, {"Write"}},
        {"p89_protect_item_0", 1, 0xFFF, {}, 0, 0, {}, none, true, false, {"Secrity"}},
        {"p89_protect_item_1", 1, 0xFFF, {}, 1, 0, {}, none, true, false, {"Secrity"}},
        {"p89_protect_item_2", 1, 0xFFF, {}, 2, 0, {}, none, true, false, {"Secrity"}},
        {"p89_signature_matching", 3, 0x0F, oneByte, 1, 0, {}, c52, true, false, {"Write"}},
        {"p89_signature_ff_ff_no", 3, 0x0F, oneByte, 1, 0, {0xFF, 0xFF, 0xFF}, c52, false, false, {"Write"}},
        {"p89_signature_other_no", 3, 0x0F, oneByte, 1, 0, {0x1E, 0x99, 0xFF}, c52, false, false, {"Write"}},
        {"p89_erase_blank_c52", 3, 0x0F, {}, 1, 0, {}, none, true, false, {"Erase", "Blank"}},
        {"p89_verify_id_c55", 5, 0x0F, oneByte, 1, 0, {}, none, true, false, {"Verify", "ID"}},
        {"p89_run_nothing_checked", 3, 0x1FFF, {}, 1, 0, {}, none, true, true, {"Button1"}},
        {"p89_run_otp_row", 8, 0x0F, oneByte, 1, 0, {}, none, true, false, {"Button1"}},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Recorded r = Record(c);
        EXPECT_TRUE(MatchesGolden(c.name, r.message, r.bytes));
    }
}

} // namespace
} // namespace quarvin::test
