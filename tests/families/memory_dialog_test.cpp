// The shared anatomy of the memory dialogs: start, address fields, Auto, close,
// the stop poll and the bounds of the field-driven loops.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

constexpr int kRow2716 = 1, kRow27c512 = 14;

TEST(MemoryDialog, AddressFieldsReadHexKeepTheOldValueOnBadInputAndShowItBack) {
    WireRig rig(kRow27c512, false);
    struct Case {
        const char *edit, *typed, *shown;
    } cases[] = {
        {"Edit3", "1ff", "1ff"}, {"Edit3", "", "1ff"},       {"Edit3", "0x10", "10"},
        {"Edit3", "zz", "10"},   {"Edit1", " 0ABCzz", "abc"}, {"Edit2", "0X700", "700"},
    };
    for (const auto& c : cases) {
        rig.field(c.edit, c.typed);
        EXPECT_EQ(rig.dlg.control(c.edit).text(), c.shown) << c.edit << " <- '" << c.typed << "'";
    }
    EXPECT_EQ(rig.dlg.length(), 0x10u);
    EXPECT_EQ(rig.dlg.bufferStart(), 0xABCu);
    EXPECT_EQ(rig.dlg.deviceStart(), 0x700u);

    // Enter takes the field as leaving it does; other keys do not.
    rig.dlg.control("Edit3").setText("2f");
    rig.dlg.keyDown("Edit3", 'A');
    EXPECT_EQ(rig.dlg.length(), 0x10u);
    rig.dlg.keyDown("Edit3", KeyEnter);
    EXPECT_EQ(rig.dlg.length(), 0x2Fu);
}

TEST(MemoryDialog, StartFillsTheDialogAndKeepsTheStartFields) {
    WireRig rig(kRow27c512);
    EXPECT_EQ(rig.dlg.caption(), "0 to ffff");
    EXPECT_EQ(rig.msg(), "OK ");
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "ANY: 27C512");
    EXPECT_EQ(rig.docs.end, 0xFFFF);
    EXPECT_EQ(rig.docs.news, 1);
    EXPECT_TRUE(rig.dlg.visible());

    rig.fields("100", "20", "5");
    rig.selection.subType = kRow2716;
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.caption(), "0 to 7ff");
    EXPECT_EQ(rig.dlg.control("Edit1").text(), "100");
    EXPECT_EQ(rig.dlg.control("Edit2").text(), "20");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "7ff");
}

TEST(MemoryDialog, StartInSoftRunLeavesCommunicationErrorAndSendsNothing) {
    WireRig rig(kRow27c512, false);
    rig.link.connected = 0;
    rig.dlg.Start();
    EXPECT_EQ(rig.msg(), "Communication error!");
    EXPECT_EQ(rig.dlg.caption(), "P27");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "000200");
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 0); // "1 time"
    EXPECT_EQ(rig.docs.news, 0);
    EXPECT_TRUE(rig.log->written.empty());
}

TEST(MemoryDialog, SubTypeOutsideTheTableSelectsThePlaceholderThatProgramsNothing) {
    for (int index : {22, -1}) {
        WireRig rig(index);
        EXPECT_EQ(rig.dlg.caption(), "0 to 0") << index;
        rig.dlg.WriteClick();
        EXPECT_EQ(rig.msg(), "Programe Failured!");
        EXPECT_TRUE(rig.log->written.empty());
    }
}

TEST(MemoryDialog, AutoRunsTheCheckedStepsAndStopsAtTheFirstFailure) {
    WireRig none(kRow2716);
    for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4"}) none.dlg.control(box).setChecked(false);
    none.dlg.click("Button1");
    EXPECT_EQ(none.msg(), "OK");
    EXPECT_TRUE(none.log->written.empty());

    WireRig all(kRow2716);
    all.dlg.control("CheckBox4").setChecked(true);
    all.log->reply({0, 0}); // the first page is not blank
    all.dlg.click("Button1");
    EXPECT_EQ(all.msg(), "000000: Not blank ");
    EXPECT_EQ(all.log->reads, 2); // no programming, no verify
    EXPECT_EQ(std::count(all.log->written.begin(), all.log->written.end(), std::uint8_t{132}), 0);

    WireRig noFile(kRow2716);
    noFile.docs.hex = false;
    noFile.dlg.click("Button1");
    EXPECT_EQ(noFile.fp.prompts.texts(), std::vector<std::string>{"No any file opened!"});
    EXPECT_TRUE(noFile.log->written.empty());
    noFile.dlg.control("CheckBox3").setChecked(false); // Blank alone needs no file
    noFile.dlg.click("Button1");
    EXPECT_EQ(noFile.msg(), "OK");
}

TEST(MemoryDialog, LoopsStayOnTheDeviceAndInsideTheBuffer) {
    struct Case {
        const char *bufferStart, *deviceStart, *length;
        int bytes;
    } cases[] = {
        {"0", "0", "0", 1},              // Length 0: exactly one byte
        {"0", "fff0", "ffffff", 16},     // stops after the last address
        {"3ffff0", "0", "ff", 16},       // stops at the end of the main buffer
        {"400000", "0", "ff", 0},        // starts outside the buffer
        {"0", "10000", "ff", 0},         // starts beyond the device
        {"0", "0", "ffffffff", 0x10000}, // Length + 1 does not wrap
    };
    for (const auto& c : cases) {
        WireRig rig(kRow27c512);
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + kBufferSize, 0xFF); // what the box answers
        rig.fields(c.bufferStart, c.deviceStart, c.length);
        rig.dlg.WriteClick();
        EXPECT_EQ(rig.log->reads, c.bytes) << c.bufferStart << " " << c.deviceStart << " " << c.length;
        EXPECT_EQ(rig.msg(), "OK!");
        rig.log->reads = 0;
        rig.dlg.VerifyClick();
        EXPECT_EQ(rig.log->reads, c.bytes);
        EXPECT_EQ(rig.msg(), "Verify OK");
    }
}

TEST(MemoryDialog, StopRequestEndsVerifyWithFailured) {
    WireRig rig(kRow27c512);
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x10000, 0xFF);
    rig.fp.stop.stopAfterPolls = 3;
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.msg(), "Failured!");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.log->reads, 1025); // polled at bytes 0, 512 and 1024
    Expect e(rig.link);
    ConnectVcc(e.link, 0);
    EXPECT_TRUE(e.endOf(rig.log->written));

    rig.fp.stop.stopAfterPolls = -1; // each Verify starts with the request cleared
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.msg(), "Verify OK");
}

TEST(MemoryDialog, ReadMfgCopiesTheDetectedCodesAndExitRunsTheCloseSequence) {
    WireRig rig(kRow27c512);
    rig.dlg.click("MFG");
    EXPECT_EQ(rig.dlg.control("Edit4").text(), "20,3d");
    for (bool viaButton : {false, true}) {
        rig.dlg.show();
        rig.log->clear();
        Expect e(rig.link);
        if (viaButton) rig.dlg.click("CancelBtn");
        else rig.dlg.close();
        ShutDownSocket(e.link);
        SetVppLevel(e.link, 0);
        ConnectVpp(e.link, 0);
        WriteAllPorts(e.link, 0);
        EXPECT_EQ(describe(rig.log->written), describe(e.bytes()));
        EXPECT_FALSE(rig.dlg.visible());
    }
}

} // namespace
} // namespace quarvin::test
