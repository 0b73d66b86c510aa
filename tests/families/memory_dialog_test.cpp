// The shared anatomy of the memory dialogs: start, address fields, Auto, close,
// the stop poll, a lost link and the bounds of the field-driven loops.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/framework/HexText.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

constexpr int kRow2716 = 1, kRow27c512 = 14;

void SetField(TP27x& d, const char* edit, const std::string& text) {
    d.control(edit).setText(text);
    d.exitField(edit);
}

TEST(HexField, ReadsLikeScanfHex) {
    struct Case {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"1ff", 0x1FF}, {"0x10", 0x10}, {"0X10", 0x10}, {"  7", 7}, {"ABCdef", 0xABCDEF}, {"12zz", 0x12},
        {"", std::nullopt}, {"zz", std::nullopt}, {"   ", std::nullopt}, {"0x", 0}, {"0xg", 0},
        {"-1", 0xFFFFFFFF}, {"123456789", 0x23456789},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseHexField(c.text), c.value) << '"' << c.text << '"';
}

TEST(MemoryDialog, AddressFieldsStoreHexAndShowItBack) {
    WireRig rig(kRow27c512);
    struct Case {
        const char* edit;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"Edit3", "1ff", "1ff"}, {"Edit3", "", "1ff"}, {"Edit3", "0x10", "10"}, {"Edit3", "zz", "10"},
        {"Edit1", "00ABC", "abc"}, {"Edit2", " 0x700", "700"},
    };
    for (const auto& c : cases) {
        SetField(rig.dlg, c.edit, c.typed);
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
    EXPECT_TRUE(rig.log->written.empty());
}

TEST(MemoryDialog, StartFillsTheDialogAndKeepsTheStartFields) {
    WireRig rig(kRow27c512);
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.caption(), "0 to ffff");
    EXPECT_EQ(rig.dlg.control("Message").text(), "OK ");
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "ANY: 27C512");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "ffff");
    EXPECT_EQ(rig.docs.end, 0xFFFF);
    EXPECT_EQ(rig.docs.news, 1);
    EXPECT_GE(rig.docs.refreshes, 1);
    EXPECT_TRUE(rig.dlg.visible());

    SetField(rig.dlg, "Edit1", "100");
    SetField(rig.dlg, "Edit2", "20");
    SetField(rig.dlg, "Edit3", "5");
    rig.selection.subType = kRow2716;
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.caption(), "0 to 7ff");
    EXPECT_EQ(rig.dlg.control("Edit1").text(), "100");
    EXPECT_EQ(rig.dlg.control("Edit2").text(), "20");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "7ff");
}

TEST(MemoryDialog, StartInSoftRunLeavesCommunicationErrorAndSendsNothing) {
    WireRig rig(kRow27c512);
    rig.link.connected = 0;
    rig.dlg.Start();
    EXPECT_EQ(rig.dlg.control("Message").text(), "Communication error!");
    EXPECT_EQ(rig.dlg.caption(), "P27");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "000200");
    EXPECT_EQ(rig.docs.news, 0);
    EXPECT_TRUE(rig.log->written.empty());
}

TEST(MemoryDialog, SubTypeOutsideTheTableSelectsThePlaceholder) {
    for (int index : {22, 29, 1000, -1}) {
        WireRig rig(index);
        rig.dlg.Start();
        EXPECT_EQ(rig.dlg.caption(), "0 to 0") << index;
        EXPECT_STREQ(rig.dlg.row().name, "???");
        // The placeholder has no program command: nothing reaches the box.
        rig.take();
        rig.dlg.WriteClick();
        EXPECT_EQ(rig.dlg.control("Message").text(), "Programe Failured!");
        EXPECT_TRUE(rig.log->written.empty());
    }
}

TEST(MemoryDialog, AutoRunsTheCheckedStepsAndStopsAtTheFirstFailure) {
    {
        WireRig rig(kRow2716);
        rig.dlg.Start();
        for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4"}) rig.dlg.control(box).setChecked(false);
        rig.take();
        rig.dlg.click("Button1");
        EXPECT_EQ(rig.dlg.control("Message").text(), "OK");
        EXPECT_TRUE(rig.log->written.empty());
    }
    {
        WireRig rig(kRow2716);
        rig.dlg.Start();
        rig.dlg.control("CheckBox4").setChecked(true);
        rig.log->reply({0, 0}); // the first page is not blank
        rig.take();
        rig.dlg.click("Button1");
        EXPECT_EQ(rig.dlg.control("Message").text(), "000000: Not blank ");
        EXPECT_EQ(rig.dlg.failure(), 1);
        const auto& w = rig.log->written;
        EXPECT_EQ(std::count(w.begin(), w.end(), std::uint8_t{132}), 0); // no programming began
        EXPECT_EQ(rig.log->reads, 2);
    }
    {
        WireRig rig(kRow2716);
        rig.dlg.Start();
        rig.docs.hex = false;
        rig.take();
        rig.dlg.click("Button1");
        EXPECT_EQ(rig.fp.prompts.texts(), std::vector<std::string>{"No any file opened!"});
        EXPECT_TRUE(rig.log->written.empty());
        // Programme alone does not ask for a file.
        rig.dlg.control("CheckBox3").setChecked(false);
        rig.dlg.click("Button1");
        EXPECT_EQ(rig.fp.prompts.shown.size(), 1u);
        EXPECT_EQ(rig.dlg.control("Message").text(), "OK");
    }
}

TEST(MemoryDialog, LoopsStayOnTheDeviceAndInsideTheBuffer) {
    struct Case {
        const char* bufferStart;
        const char* deviceStart;
        const char* length;
        int bytes;
    } cases[] = {
        {"0", "0", "0", 1},             // Length 0: exactly one byte
        {"0", "fff0", "ffffff", 16},    // stops after the last address
        {"3ffff0", "0", "ff", 16},      // stops at the end of the main buffer
        {"400000", "0", "ff", 0},       // starts outside the buffer
        {"0", "10000", "ff", 0},        // starts beyond the device
        {"0", "0", "ffffffff", 0x10000}, // Length + 1 does not wrap
    };
    for (const auto& c : cases) {
        WireRig rig(kRow27c512);
        rig.dlg.Start();
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + kBufferSize, 0xFF); // what the box answers
        SetField(rig.dlg, "Edit1", c.bufferStart);
        SetField(rig.dlg, "Edit2", c.deviceStart);
        SetField(rig.dlg, "Edit3", c.length);
        rig.dlg.WriteClick();
        EXPECT_EQ(rig.log->reads, c.bytes) << c.bufferStart << " " << c.deviceStart << " " << c.length;
        EXPECT_EQ(rig.dlg.control("Message").text(), "OK!");
        rig.log->reads = 0;
        rig.dlg.VerifyClick();
        EXPECT_EQ(rig.log->reads, c.bytes);
        EXPECT_EQ(rig.dlg.control("Message").text(), "Verify OK");
    }
}

TEST(MemoryDialog, StopRequestEndsVerifyWithFailured) {
    WireRig rig(kRow27c512);
    rig.dlg.Start();
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x10000, 0xFF);
    rig.fp.stop.stopAfterPolls = 3;
    rig.take();
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.dlg.control("Message").text(), "Failured!");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.log->reads, 1025); // polled at bytes 0, 512 and 1024
    Expect e(rig.link);
    ConnectVcc(e.link, 0);
    const auto& w = rig.log->written;
    EXPECT_TRUE(std::equal(e.bytes().begin(), e.bytes().end(), w.end() - static_cast<long>(e.bytes().size())));

    rig.fp.stop.stopAfterPolls = -1;
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.dlg.control("Message").text(), "Verify OK");
    EXPECT_EQ(rig.dlg.failure(), 0);
}

TEST(MemoryDialog, LostLinkEndsTheOperationWithAFailure) {
    WireRig rig(kRow27c512);
    rig.dlg.Start();
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x10000, 0xFF);
    rig.log->readLimit = rig.log->reads + 100;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.dlg.control("Message").text(), "Communication error!");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.fp.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.link.connected, 0);
    // The dialog keeps working, now in soft-run mode.
    rig.dlg.click("ReadButton");
    EXPECT_EQ(rig.dlg.control("Message").text(), "OK!");
}

TEST(MemoryDialog, ReadMfgCopiesTheDetectedCodesAndExitRunsTheCloseSequence) {
    WireRig rig(kRow27c512);
    rig.dlg.Start();
    rig.dlg.click("MFG");
    EXPECT_EQ(rig.dlg.control("Edit4").text(), "20,3d");
    EXPECT_EQ(rig.mfgReads, 1);

    for (bool viaButton : {false, true}) {
        rig.dlg.show();
        Expect e(rig.link);
        rig.take();
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

TEST(MemoryDialog, PatternFormControlsAndInitialStates) {
    WireRig rig(kRow27c512);
    auto& d = rig.dlg;
    struct Caption {
        const char* name;
        const char* text;
    } captions[] = {
        {"Label4", "MFG"}, {"Label1", "Buffer Start"}, {"Label2", "Device Start"}, {"Label3", "Length"},
        {"Edit1", "000000"}, {"Edit2", "000000"}, {"Edit3", "000200"}, {"Edit4", ""}, {"Edit6", ""},
        {"Edit7", ""}, {"Message", " "}, {"RadioGroup1", "Pro time"}, {"RadioGroup2", "Pro/Ver Mode"},
        {"Blank", "Blank"}, {"Write", "Programe"}, {"Verify", "Verify"}, {"ReadButton", "Read"},
        {"MFG", "Read MFG"}, {"CheckSum", "Sum"}, {"GroupBox1", "Auto Pro"}, {"CheckBox2", "Blank"},
        {"CheckBox3", "Programe"}, {"CheckBox4", "Verify"}, {"Button1", "Auto"}, {"CancelBtn", "Exit"},
    };
    for (const auto& c : captions) EXPECT_EQ(d.control(c.name).text(), c.text) << c.name;
    EXPECT_EQ(d.caption(), "P27");
    EXPECT_EQ(d.className(), "TP27x");
    EXPECT_EQ(d.control("RadioGroup1").items(),
              (std::vector<std::string>{"1 time", "2 times", "3 times", "4 times", "5 times"}));
    EXPECT_EQ(d.control("RadioGroup1").itemIndex(), 0);
    EXPECT_EQ(d.control("RadioGroup1").columns, 2);
    EXPECT_EQ(d.control("RadioGroup2").items(), (std::vector<std::string>{"Check one by one", "Verify after all"}));
    EXPECT_EQ(d.control("RadioGroup2").itemIndex(), 0);
    EXPECT_TRUE(d.control("CheckBox2").checked());
    EXPECT_TRUE(d.control("CheckBox3").checked());
    EXPECT_FALSE(d.control("CheckBox4").checked());
    EXPECT_EQ(d.control("CheckBox3").parent, "GroupBox1");
    EXPECT_EQ(d.control("Edit6").colour, Colour::Red);
    EXPECT_TRUE(d.control("Message").readOnly);
    EXPECT_TRUE(d.control("CancelBtn").isCancel);
    EXPECT_EQ(d.control("RdBar").maximum(), 100);
    EXPECT_NE(BuiltFamilies().find("TP27x"), BuiltFamilies().end());
}

} // namespace
} // namespace quarvin::test
