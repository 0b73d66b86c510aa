// The PIC16C8x family: the serial frames on the wire, the ".CON" settings file,
// and every sub-type programmed, verified and read back through the virtual box.
#include <gtest/gtest.h>

#include <random>

#include "FamilyRig.h"
#include "buffer/formats/IntelHex.h"
#include "families/pic16c8x/Pic16Dialog.h"
#include "families/pic16c8x/Pic16Settings.h"
#include "link/commands/Opcodes.h"
#include "sim/families/pic16c8x/Pic16Chip.h"

namespace quarvin::test {
namespace {

// The serial commands in a stream, in order, with the word of a write frame.
struct SerialStep {
    std::uint8_t opcode;
    std::uint8_t command;
    int low = -1, high = -1;
    int delaysBefore = 0; // opcode-30 ticks since the previous serial step
};

std::vector<SerialStep> SerialSteps(const std::vector<std::uint8_t>& w) {
    std::vector<SerialStep> steps;
    int delays = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const std::uint8_t o = w[i];
        if (o == op::PicCommand || o == op::PicReadWord) {
            steps.push_back({o, w[i + 1], -1, -1, delays});
            i += 1;
            delays = 0;
        } else if (o == op::PicWriteWord) {
            steps.push_back({o, w[i + 1], w[i + 2], w[i + 3], delays});
            i += 3;
            delays = 0;
        } else if (o == op::DelayTick) {
            ++delays;
        } else if ((o >= 8 && o <= 14) || (o >= 16 && o <= 20) || o == 22 || (o >= 24 && o <= 27)) {
            i += 1;
        }
    }
    return steps;
}

// The rigs start the dialog on a buffer as the program has it at start-up: the
// first megabyte 0xFF. A zeroed buffer would hold a configuration word 0x0000 at
// byte 0x400E, which the dialog takes as a file's and shows "Sec" checked.
struct PicWireRig : WireRig<Pic16Dialog> {
    explicit PicWireRig(int subType, bool start = true) : WireRig(subType, start, StartBuffer::AsAtStartUp) {}
};

struct PicRig : SimRig<Pic16Dialog, sim::Pic16Chip> {
    explicit PicRig(int subType) : SimRig(subType, StartBuffer::AsAtStartUp) {}
};

// What an operation that ends well says on a row: the 18-pin rows add that an
// empty socket cannot be told from their part.
std::string Said(int row, const std::string& text, const char* caveat) {
    return row >= 7 ? text : text + caveat;
}

std::vector<int> Commands(const std::vector<std::uint8_t>& w) {
    std::vector<int> out;
    for (const SerialStep& s : SerialSteps(w)) out.push_back(s.command);
    return out;
}

TEST(Pic16Wire, WriteWordFramesTheDataAboveAStartBit) {
    LinkState link;
    Expect e(link);
    PicWriteWord(e.link, 2, 0xFFFF);
    PicWriteWord(e.link, 0, 0x0005);
    EXPECT_EQ(e.bytes(), (std::vector<std::uint8_t>{170, 2, 0xFE, 0xFF, 170, 0, 0x0A, 0x00}));
}

TEST(Pic16Wire, ProgramWaitsAfterEachWordAsProTimeSays) {
    const int ticks[] = {100, 200, 300};
    for (int index = 0; index < 3; ++index) {
        PicWireRig rig(1);
        rig.dlg.control("Speed").setItemIndex(index);
        rig.dlg.click("Write");
        const auto steps = SerialSteps(rig.log->written);
        ASSERT_EQ(steps.size(), 512u * 3);
        // Load data, begin programming, increment: the tick count sits before the increment.
        EXPECT_EQ(steps[2].command, piccmd::IncrementAddress);
        EXPECT_EQ(steps[2].delaysBefore, ticks[index]) << index;
        EXPECT_EQ(rig.dlg.control("Msg").text(), Said(1, "Finished", kPic16EmptyNotTold));
    }
}

TEST(Pic16Wire, EraseModesRunTheirSequencesInOrder) {
    const std::vector<int> code = {9, 2, 8};
    const std::vector<int> data = {11, 2, 8};
    std::vector<int> all = {0, 6, 6, 6, 6, 6, 6, 6, 1, 7, 8, 1, 7};
    all.insert(all.end(), code.begin(), code.end());
    std::vector<int> both = code;
    both.insert(both.end(), data.begin(), data.end());
    const std::vector<int> expected[] = {code, data, both, all};
    for (int mode = 0; mode < 4; ++mode) {
        PicWireRig rig(2);
        rig.dlg.control("RadioGroup2").setItemIndex(mode);
        rig.dlg.click("Erase");
        EXPECT_EQ(Commands(rig.log->written), expected[mode]) << mode;
        EXPECT_EQ(rig.dlg.control("Msg").text(), Said(2, "Finished", kPic16EmptyNotTold));
    }
}

std::vector<int> WrittenWords(const std::vector<std::uint8_t>& w) {
    std::vector<int> words;
    for (const SerialStep& s : SerialSteps(w))
        if (s.opcode == op::PicWriteWord) words.push_back((s.low | s.high << 8) >> 1);
    return words;
}

TEST(Pic16Wire, WrConfigWritesTheIdDigitsAndTheWord) {
    PicWireRig rig(5);
    rig.dlg.control("Edit1").setText("1a2b");
    rig.dlg.control("CheckBox1").setChecked(true); // Sec
    rig.dlg.control("CheckBox2").setChecked(false);
    rig.dlg.control("RadioGroup1").setItemIndex(2);
    rig.dlg.click("WtConfig");
    // The first load moves to 0x2000; each location then loads its value. "Sec"
    // clears bits 13..4 of a 16F84A, "PWRT3" clear leaves bit 3 at 0.
    EXPECT_EQ(WrittenWords(rig.log->written), (std::vector<int>{0x0FFF, 0x01, 0x1A, 0xA2, 0x2B, 0x0002}));
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK");

    // Bits the controls do not map stay 1; "Sec" clears only the row's part's
    // code-protect bits.
    struct WordCase {
        int row;
        bool sec, pwrt;
        int word;
    } cases[] = {
        {5, false, true, 0x3FFA}, {2, true, true, 0x3FEA}, {10, true, false, 0x0FC2}, {10, false, false, 0x3FF2},
    };
    for (const WordCase& c : cases) {
        PicWireRig r(c.row);
        r.dlg.control("CheckBox1").setChecked(c.sec);
        r.dlg.control("CheckBox2").setChecked(false);
        r.dlg.control("CheckBox3").setChecked(c.pwrt);
        r.dlg.control("RadioGroup1").setItemIndex(2);
        r.dlg.click("WtConfig");
        const std::vector<int> words = WrittenWords(r.log->written);
        ASSERT_EQ(words.size(), 6u);
        EXPECT_EQ(words.back(), c.word) << c.row << c.sec << c.pwrt;
    }
}

TEST(Pic16Wire, AConfigurationWordInTheBufferSetsTheControlsAndIsWritten) {
    PicWireRig rig(5, false);
    rig.docs.buf[0x400E] = 0xF1; // word 0x3FF1 at 0x2007: XT, no WDT, PWRT bit 0
    rig.docs.buf[0x400F] = 0x3F;
    rig.dlg.Start();
    rig.log->clear();
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Config 3ff1 from file");
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 1);
    EXPECT_FALSE(rig.dlg.control("CheckBox2").checked());
    EXPECT_FALSE(rig.dlg.control("CheckBox3").checked());
    EXPECT_FALSE(rig.dlg.control("CheckBox1").checked());
    rig.dlg.click("WtConfig");
    EXPECT_EQ(WrittenWords(rig.log->written).back(), 0x3FF1);
    // Coming back after another file was loaded takes that file's word; a
    // return with the same buffer leaves what the user set since.
    rig.docs.buf[0x400E] = 0xF6;
    rig.dlg.activate();
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Config 3ff6 from file");
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 2);
    rig.dlg.control("RadioGroup1").setItemIndex(0);
    rig.dlg.activate();
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 0);
}

TEST(Pic16Settings, PathsAndContents) {
    struct PathCase {
        const char* data;
        const char* con;
    } paths[] = {
        {"/home/a.b/blink.hex", "/home/a.b/blink.CON"},
        {"/home/a.b/blink", "/home/a.b/blink.CON"},
        {"/tmp/X.CON", ""},
        {"/tmp/x.con", ""},
        {"", ""},
    };
    for (const auto& c : paths) EXPECT_EQ(Pic16SettingsPath(c.data), c.con) << c.data;

    const Pic16Settings start;
    const Pic16Settings full = ParsePic16Settings("1012abcd", start);
    EXPECT_TRUE(full.sec);
    EXPECT_FALSE(full.wdt);
    EXPECT_TRUE(full.pwrt);
    EXPECT_EQ(full.osc, 2);
    EXPECT_EQ(ParsePic16Settings("0107", start).osc, start.osc); // '7' is no oscillator
    const Pic16Settings shortFile = ParsePic16Settings("1", start);
    EXPECT_TRUE(shortFile.sec);
    EXPECT_EQ(shortFile.wdt, start.wdt);
    EXPECT_EQ(FormatPic16Settings(full, "1f"), "10121f  ");
}

TEST(Pic16Dialog, SettingsSurviveReopening) {
    const std::string data = std::string(QUARVIN_BINARY_DIR) + "/p16_settings.hex";
    {
        PicWireRig rig(2, false);
        rig.docs.fileName = data;
        rig.dlg.control("CheckBox1").setChecked(true);
        rig.dlg.control("CheckBox3").setChecked(true);
        rig.dlg.control("RadioGroup1").setItemIndex(3);
        rig.dlg.click("CancelBtn");
    }
    FakePlatform fp;
    LinkState link;
    FakeDocs docs;
    docs.fileName = data;
    SelectionState selection;
    DeviceContext ctx{link, fp.platform, docs, selection, {}};
    Pic16Dialog reopened(ctx);
    EXPECT_TRUE(reopened.control("CheckBox1").checked());
    EXPECT_TRUE(reopened.control("CheckBox2").checked());
    EXPECT_TRUE(reopened.control("CheckBox3").checked());
    EXPECT_EQ(reopened.control("RadioGroup1").itemIndex(), 3);
    EXPECT_EQ(reopened.caption(), "P16c8x");
}


void FillRandom(MainBuffer& buf, std::uint32_t last, unsigned seed) {
    std::mt19937 rng(seed);
    for (std::uint32_t a = 0; a <= last; a += 2) {
        const auto w = static_cast<std::uint16_t>(rng() & kPicWordMask);
        buf[a] = static_cast<std::uint8_t>(w);
        buf[a + 1] = static_cast<std::uint8_t>(w >> 8);
    }
}

TEST(Pic16Sim, BlankChecks) {
    PicRig blank(5);
    blank.dlg.click("Blank");
    EXPECT_EQ(blank.dlg.control("Msg").text(), Said(5, "Blank OK!", kPic16EmptyReadsTheSame));
    EXPECT_EQ(blank.dlg.failureFlag(), 0);

    PicRig used(5);
    used.chip->memory()[0x100] = 0x12;
    used.dlg.click("Blank");
    EXPECT_EQ(used.dlg.control("Msg").text(), "Not blank!");
    EXPECT_EQ(used.dlg.failureFlag(), 1);

    PicRig configured(5);
    configured.dlg.click("WtConfig");
    configured.dlg.click("Blank");
    EXPECT_EQ(configured.dlg.control("Msg").text(), "ONFIG not blank");
    EXPECT_EQ(configured.dlg.failureFlag(), 1);
}

TEST(Pic16Sim, WrConfigThenReConfigRestoresTheControls) {
    for (int row : {2, 5, 10}) {
        PicRig rig(row);
        rig.dlg.control("RadioGroup1").setItemIndex(2);
        rig.dlg.control("CheckBox2").setChecked(false);
        rig.dlg.control("CheckBox3").setChecked(true);
        rig.dlg.control("Edit1").setText("4321");
        rig.dlg.click("WtConfig");
        rig.dlg.control("RadioGroup1").setItemIndex(0);
        rig.dlg.control("CheckBox2").setChecked(true);
        rig.dlg.control("CheckBox3").setChecked(false);
        rig.dlg.control("Edit1").setText("0000");
        rig.dlg.click("RdConfig");
        EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 2) << row;
        EXPECT_FALSE(rig.dlg.control("CheckBox2").checked()) << row;
        EXPECT_TRUE(rig.dlg.control("CheckBox3").checked()) << row;
        EXPECT_FALSE(rig.dlg.control("CheckBox1").checked()) << row;
        EXPECT_EQ(rig.dlg.control("Edit1").text(), "4321") << row;
    }
}

TEST(Pic16Sim, AProtectedPartFailsVerifyUntilEraseAll) {
    for (int row : {2, 5, 7}) {
        SCOPED_TRACE(row);
        PicRig rig(row);
        const std::uint32_t last = kPic16Rows[static_cast<std::size_t>(row)].lastByteAddress;
        FillRandom(rig.docs.buf, last, 99);
        rig.dlg.click("Write");
        rig.dlg.control("CheckBox1").setChecked(true);
        rig.dlg.click("WtConfig");
        EXPECT_TRUE(rig.chip->codeProtected());
        rig.dlg.click("Verify");
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Verify Bad!");
        EXPECT_EQ(rig.dlg.failureFlag(), 1);
        rig.dlg.control("RadioGroup2").setItemIndex(0); // "Code" cannot erase a protected part
        rig.dlg.click("Erase");
        rig.dlg.click("Blank");
        EXPECT_EQ(rig.dlg.control("Msg").text(), "ONFIG not blank");
        rig.dlg.control("RadioGroup2").setItemIndex(3);
        rig.dlg.click("Erase");
        rig.dlg.click("Blank");
        EXPECT_EQ(rig.dlg.control("Msg").text(), Said(row, "Blank OK!", kPic16EmptyReadsTheSame));
        EXPECT_FALSE(rig.chip->codeProtected());
    }
}

TEST(Pic16Sim, AutoStopsAtABlankFailure) {
    PicRig used(2);
    used.chip->memory()[4] = 0;
    used.dlg.control("CheckBoxBlank").setChecked(true);
    used.dlg.click("Button1");
    EXPECT_EQ(used.dlg.control("Msg").text(), "Not blank!");
    EXPECT_EQ(used.dlg.failureFlag(), 1);
}

TEST(Pic16Sim, AShortProTimeOnASlowPartSpoilsWords) {
    PicRig rig(5);
    rig.chip->faults().eraseTimeFactor = 1.3; // a cycle longer than 100 ticks
    FillRandom(rig.docs.buf, 2047, 5);
    rig.dlg.click("Write");
    rig.dlg.click("Verify");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Verify Bad!");
    rig.dlg.control("Speed").setItemIndex(1);
    rig.dlg.click("Write");
    rig.dlg.click("Verify");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK");
}

// Programe leaves the configuration word alone; when the file's word is not the
// chip's, its message says so and names the ways to write it.
TEST(Pic16Sim, ProgrameSaysWhenTheFilesConfigWordIsNotInTheChip) {
    constexpr std::uint32_t kConfigByte = 2 * kPicConfigWordAddress;
    const std::string note =
        "; Config 3ff1 of the file is not in the chip (3fff): write it with Wr Config, or Auto with Config";
    PicRig rig(5);
    FillRandom(rig.docs.buf, kPic16Rows[5].lastByteAddress, 5);
    rig.docs.buf[kConfigByte] = 0xF1;
    rig.docs.buf[kConfigByte + 1] = 0x3F;
    rig.dlg.activate(); // back to the dialog after the load: the controls take the file's word
    rig.dlg.click("Write");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Finished" + note);
    rig.dlg.click("WtConfig");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Finished");
    rig.dlg.click("RdConfig");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Config = 3ff1");
    // A buffer without a configuration word asks nothing of the chip.
    rig.docs.buf[kConfigByte] = rig.docs.buf[kConfigByte + 1] = 0xFF;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Finished");
}

TEST(Pic16Sim, AnEmptySocketNeverReadsAsABlankOrFinishedPart) {
    for (int row = 1; row <= 10; ++row) {
        SCOPED_TRACE(row);
        PicRig rig(row);
        rig.box->remove();
        const std::uint32_t last = kPic16Rows[static_cast<std::size_t>(row)].lastByteAddress;
        FillRandom(rig.docs.buf, last, 11);
        for (const char* button : {"Blank", "ReadToFile", "Erase", "Write"}) {
            rig.dlg.click(button);
            const std::string msg = rig.dlg.control("Msg").text();
            if (row >= 7) {
                // The 16F87x device ID tells: nothing answers.
                EXPECT_EQ(msg, kPic16NoPartText) << button;
                EXPECT_EQ(rig.dlg.failureFlag(), 1) << button;
            } else {
                // An 18-pin blank part reads as the empty socket does; the text says so.
                EXPECT_NE(msg, "Blank OK!") << button;
                EXPECT_NE(msg, "Finished") << button;
                EXPECT_NE(msg.find("an empty socket"), std::string::npos) << button << ": " << msg;
            }
        }
        // Read left the pull-up's 0x3FFF words in the buffer on the 18-pin rows;
        // a random image never reads as those.
        FillRandom(rig.docs.buf, last, 12);
        rig.dlg.click("Verify");
        EXPECT_EQ(rig.dlg.control("Msg").text(), row >= 7 ? std::string(kPic16NoPartText) : "Verify Bad!");
        EXPECT_EQ(rig.dlg.failureFlag(), 1);
        // An all-erased buffer matches the empty socket: never a bare "OK".
        for (std::uint32_t a = 0; a <= last; a += 2) {
            rig.docs.buf[a] = 0xFF;
            rig.docs.buf[a + 1] = 0x3F;
        }
        rig.dlg.click("Verify");
        EXPECT_EQ(rig.dlg.control("Msg").text(),
                  row >= 7 ? std::string(kPic16NoPartText) : std::string("OK") + kPic16EmptyReadsTheSame);
    }
}

// tests/data/mcu/blink84.hex, made by gputils (source and rebuild command
// beside it): the dialog takes the file's configuration word, Auto writes it
// with the program, and Re Config reads it back into the controls.
TEST(Pic16Sim, AGputilsFileWithItsConfigurationWord) {
    PicRig rig(5);
    const auto file = std::filesystem::path(QUARVIN_SOURCE_DIR) / "tests" / "data" / "mcu" / "blink84.hex";
    const formats::HexLoadResult loaded = formats::readIntelHexFile(rig.docs.buf, file.string());
    ASSERT_TRUE(loaded.opened);
    ASSERT_EQ(loaded.badRecords, 0);
    rig.dlg.activate();
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Config 3ff1 from file");
    rig.dlg.control("CheckBoxConfig").setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK");
    EXPECT_EQ(rig.chip->configWord(), 0x3FF1);
    for (std::uint32_t a = 0; a < 0x40; ++a) EXPECT_EQ(rig.chip->memory()[a], rig.docs.buf[a] & (a % 2 ? 0x3F : 0xFF));
    rig.dlg.control("RadioGroup1").setItemIndex(3);
    rig.dlg.control("CheckBox2").setChecked(true);
    rig.dlg.click("RdConfig");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "Config = 3ff1");
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 1);
    EXPECT_FALSE(rig.dlg.control("CheckBox2").checked());
}

} // namespace
} // namespace quarvin::test
