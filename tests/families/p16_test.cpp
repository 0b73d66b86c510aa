// The PIC16C8x family: the serial frames on the wire, the ".CON" settings file,
// the dialog on the virtual box's parts, and the bytes it sends in its edge
// cases against golden files.
#include <gtest/gtest.h>

#include <random>

#include "FamilyRig.h"
#include "McuFormSteps.h"
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

std::vector<int> WrittenWords(const std::vector<std::uint8_t>& w) {
    std::vector<int> words;
    for (const SerialStep& s : SerialSteps(w))
        if (s.opcode == op::PicWriteWord) words.push_back((s.low | s.high << 8) >> 1);
    return words;
}

// The word Wr Config writes, after the four ID locations: bits the controls do
// not map stay 1; "Sec" clears only the row's part's code-protect bits (13..4
// on a 16F84A).
TEST(Pic16Wire, WrConfigWritesTheWordOfTheControls) {
    struct WordCase {
        int row;
        bool sec, pwrt;
        int word;
    } cases[] = {
        {5, false, true, 0x3FFA}, {5, true, false, 0x0002},  {2, true, true, 0x3FEA},
        {10, true, false, 0x0FC2}, {10, false, false, 0x3FF2},
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

// The part as a case finds it (NoFile: blank, with no hex window open); Wr
// Config, where a case writes the configuration, takes Edit1 5a3c, PWRT on and
// oscillator item 2 (set by every case).
enum class Socket { Blank, UsedWord, Protected, Empty, NoFile };

struct PicGolden {
    const char* name;
    int row;
    Socket socket;
    FormSteps steps;
};

const PicGolden kPicGolden[] = {
    {"p16_blank_16c83_blank", 1, Socket::Blank, {"|", "Blank"}},
    {"p16_blank_16f84_used_word_3", 5, Socket::UsedWord, {"|", "Blank"}},
    {"p16_blank_16f84_config_not_blank", 5, Socket::Blank, {"WtConfig", "|", "Blank"}},
    {"p16_blank_16f873_empty_socket", 7, Socket::Empty, {"|", "Blank"}},
    {"p16_erase_code_16f84", 5, Socket::Blank, {"RadioGroup2=0", "|", "Erase"}},
    {"p16_erase_data_16f84", 5, Socket::Blank, {"RadioGroup2=1", "|", "Erase"}},
    {"p16_erase_code_data_16f84", 5, Socket::Blank, {"RadioGroup2=2", "|", "Erase"}},
    {"p16_erase_all_protected_16f84", 5, Socket::Protected, {"|", "Erase"}},
    {"p16_erase_all_16f877", 10, Socket::Blank, {"|", "Erase"}},
    {"p16_wr_config_16f84", 5, Socket::Blank, {"|", "WtConfig"}},
    {"p16_re_config_16f877", 10, Socket::Blank, {"WtConfig", "|", "RdConfig"}},
    {"p16_program_without_file", 5, Socket::NoFile, {"|", "Write"}},
    {"p16_verify_protected_16f84", 5, Socket::Protected, {"|", "Verify"}},
};

TEST(Pic16GoldenWire, EdgeCasesSendTheRecordedStream) {
    ExpectGoldenStreams(kPicGolden, [](const PicGolden& c) {
        TappedRig<Pic16Dialog, sim::Pic16Chip> rig(c.row);
        rig.docs.buf.initialise();
        RunFormSteps(rig, {"start", "Edit1:5a3c", "+CheckBox3", "RadioGroup1=2", "RadioGroup2=3"});
        if (c.socket == Socket::UsedWord) rig.chip->memory()[6] = 0x12;
        if (c.socket == Socket::Protected) {
            rig.chip->memory()[0] = 0x34;
            RunFormSteps(rig, {"+CheckBox1", "WtConfig", "-CheckBox1"});
        }
        if (c.socket == Socket::Empty) rig.box->remove();
        rig.docs.hex = c.socket != Socket::NoFile;
        return RecordFormSteps(rig, c.steps);
    });
}

} // namespace
} // namespace quarvin::test
