#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "buffer/Documents.h"
#include "catalogue/TTypeDlg.h"
#include "link/TEp3.h"
#include "link/commands/LinkState.h"
#include "shell/TFindDialogs.h"
#include "link/commands/Opcodes.h"
#include "shell/ShellTexts.h"
#include "shell/TMainForm.h"
#include "ProgramFixture.h"

using namespace quarvin;
using namespace quarvin::test;

namespace {

// The names of `want` appear in `got` in this order (other names may stand between).
::testing::AssertionResult InOrder(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    auto at = got.begin();
    for (const auto& w : want) {
        at = std::find(at, got.end(), w);
        if (at == got.end()) {
            std::string all;
            for (const auto& g : got) all += g + " ";
            return ::testing::AssertionFailure() << w << " missing or out of order in: " << all;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

// Confirms a type row through the main window's type list, as a double-click does.
void Confirm(Program& p, int row) {
    p.mainForm().control("ListBox1").setItemIndex(row);
    p.mainForm().doubleClick("ListBox1");
}

} // namespace

TEST_F(ProgramTest, SoftRunStartsTheWindowsInTheirOrderAndDropsTheSplash) {
    auto p = Run(false);
    EXPECT_TRUE(InOrder(fake->windows.created, {"TPicture1", "TMainForm", "TEp3", "TInputHexDlg", "TTypeDlg",
                                                "TFileFormat", "TUnavailable"}));
    EXPECT_EQ(fake->windows.destroyed, std::vector<std::string>{"TPicture1"});
    EXPECT_EQ(p->link().connected, 0);
    EXPECT_EQ(opener.opens, 0);  // No at the start question touches no port
    EXPECT_TRUE(p->mainForm().visible());
    // The main window initialised the buffer: first 1 MiB 0xFF, the rest 0.
    EXPECT_EQ(p->buffer()[0], 0xFF);
    EXPECT_EQ(p->buffer()[0xFFFFF], 0xFF);
    EXPECT_EQ(p->buffer()[0x100000], 0x00);
    // Without a configuration file nothing is restored and no welcome box shows.
    for (const auto& t : fake->prompts.texts()) EXPECT_NE(t, std::string(shell::kWelcomeNewVersion));
    // The selection dialog filled the main window's strip.
    EXPECT_FALSE(p->mainForm().control("ListBox1").items().empty());
    EXPECT_FALSE(p->mainForm().control("ComboBox1").items().empty());
}

TEST_F(ProgramTest, LastRunsDeviceAndDataFileComeBack) {
    const std::string data = dir + "image.BIN";
    std::vector<std::uint8_t> bytes = {0x12, 0x34, 0x56, 0x78, 0x9a};
    std::ofstream(data, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 5);

    std::string typeName, description, family;
    int subType = 0;
    {
        auto p = Run(false);
        p->mainForm().userSetIndex("ComboBox1", 1);  // second manufacturer of the category
        Confirm(*p, 2);
        const SelectionState& s = p->typeDialog().selection();
        typeName = s.typeName;
        description = s.description;
        family = s.family;
        subType = s.subType;
        ASSERT_FALSE(typeName.empty());
        p->mainForm().file().fileName = data;
        p->mainForm().run("FileExit");
        EXPECT_TRUE(p->shutDownDone());
    }
    std::vector<std::string> lines = ConfigLines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], shell::kMainCaption);
    EXPECT_EQ(lines[2], family);
    EXPECT_EQ(lines[3], description);
    EXPECT_EQ(lines[4], data);
    EXPECT_EQ(lines[10], typeName);

    auto p = Run(false);
    const SelectionState& s = p->typeDialog().selection();
    EXPECT_EQ(s.typeName, typeName);
    EXPECT_EQ(s.description, description);
    EXPECT_EQ(s.subType, subType);
    EXPECT_EQ(p->mainForm().control("Label2").text(), "<Device>" + description);
    EXPECT_EQ(p->mainForm().control("Label1").text(), "<File>" + data);
    EXPECT_EQ(p->mainForm().currentTypeName(), typeName);
    for (std::size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(p->buffer()[static_cast<std::uint32_t>(i)], bytes[i]);
}

TEST_F(ProgramTest, ConfigurationOfAnotherVersionGreetsAndIsReplacedAtExit) {
    std::ofstream(shell::ConfigPath(dir)) << "QUARVINV4  Ver 4.02\n3\nP24\nX: 24C02\n\n1\nX\n#Ser\n0\n0\n24C02\n";
    auto p = Run(false);
    const std::vector<std::string> texts = fake->prompts.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(shell::kWelcomeNewVersion)), 1);
    EXPECT_NE(p->typeDialog().selection().family, "P24");
    EXPECT_EQ(p->typeDialog().categoryIndex(), 0);
    p->mainForm().run("FileExit");
    EXPECT_EQ(ConfigLines().at(0), shell::kMainCaption);
}

TEST_F(ProgramTest, ClosingWritesTheConfirmedDeviceNotTheHighlightedRow) {
    auto p = Run(false);
    Confirm(*p, 1);
    std::string confirmed = p->typeDialog().selection().typeName;
    p->mainForm().control("ListBox1").setItemIndex(3);  // arrow keys moved the highlight only
    p->mainForm().keyDown("ListBox1", KeyDown);
    EXPECT_EQ(p->typeDialog().selection().typeName, confirmed);
    // Programme now warns and reopens the confirmed device.
    p->mainForm().run("ProgClick");
    EXPECT_EQ(fake->prompts.texts().back(), "Plesse double click mouse left button");
    EXPECT_EQ(p->mainForm().typeRow(), 1);
    p->mainForm().control("ListBox1").setItemIndex(3);
    p->mainForm().run("FileExit");
    EXPECT_EQ(ConfigLines().at(10), confirmed);
    EXPECT_EQ(ConfigLines().at(9), "1");
}

TEST_F(ProgramTest, EnterInTheTypeListConfirmsTheHighlightedRow) {
    auto p = Run(false);
    p->mainForm().control("ListBox1").setItemIndex(4);
    p->mainForm().keyDown("ListBox1", KeyEnter);
    EXPECT_EQ(p->typeDialog().selection().typeName, p->mainForm().control("ListBox1").items().at(4));
    EXPECT_EQ(p->mainForm().currentTypeName(), p->typeDialog().selection().typeName);
}

TEST_F(ProgramTest, AgainPutsBackTheSelectionSavedAtTheLastExit) {
    std::string saved;
    {
        auto p = Run(false);
        Confirm(*p, 2);
        saved = p->typeDialog().selection().typeName;
        p->mainForm().run("FileExit");
    }
    auto p = Run(false);
    Confirm(*p, 5);
    ASSERT_NE(p->typeDialog().selection().typeName, saved);
    p->mainForm().run("BeforClick");
    EXPECT_EQ(p->typeDialog().selection().typeName, saved);
    EXPECT_TRUE(p->documents().hasHexWindow());
}

TEST_F(ProgramTest, VirtualBoxConnectsAndClosingWritesTheFileBeforePoweringDown) {
    UseVirtualBox();
    auto p = Run(true);
    ASSERT_EQ(p->link().connected, 1);
    EXPECT_NE(p->link().identification.find("VBOX"), std::string::npos);
    std::size_t before = wire->bytes.size();
    p->mainForm().run("FileExit");
    ASSERT_GT(wire->bytes.size(), before);
    EXPECT_EQ(wire->bytes.back(), op::PowerOff);
    // Every byte of the shut-down went out after the configuration file was written.
    for (std::size_t i = before; i < wire->bytes.size(); ++i) EXPECT_TRUE(wire->configPresent[i]) << i;
    EXPECT_FALSE(std::filesystem::exists(wire->configPath) && wire->configPresent[before - 1]);
    // Closing twice (menu, then frame) powers down once.
    std::size_t after = wire->bytes.size();
    p->shutDown();
    EXPECT_EQ(wire->bytes.size(), after);
}

TEST_F(ProgramTest, AutoDetectOutsideMemoriesTouchesNoLine) {
    UseVirtualBox();
    auto p = Run(true);
    ASSERT_EQ(p->link().connected, 1);
    p->mainForm().userSetIndex("ComboBox2", 2);  // "MPU       "
    std::size_t before = wire->bytes.size();
    std::size_t shown = fake->prompts.shown.size();
    p->mainForm().run("IDClick");
    EXPECT_EQ(wire->bytes.size(), before);
    ASSERT_EQ(fake->prompts.shown.size(), shown + 1);
    EXPECT_EQ(fake->prompts.texts().back(), "Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!");
}

TEST_F(ProgramTest, LostLinkAtExitStillWritesTheFileAndEndsQuietly) {
    UseVirtualBox();
    auto p = Run(true);
    ASSERT_EQ(p->link().connected, 1);
    wire->failWrites = true;
    p->mainForm().run("FileExit");
    EXPECT_TRUE(std::filesystem::exists(wire->configPath));
    EXPECT_FALSE(p->mainForm().visible());
    EXPECT_EQ(p->link().connected, 0);
}

TEST_F(ProgramTest, MenuCommandsReachTheirDialogs) {
    auto p = Run(false);
    p->linkDialog().hide();
    p->mainForm().run("SystemClick");
    EXPECT_TRUE(p->linkDialog().visible());
    p->typeDialog().hide();
    p->mainForm().run("TypeClick");
    EXPECT_TRUE(p->typeDialog().visible());
    p->mainForm().run("S1Click");
    EXPECT_TRUE(p->findDialog().visible());
    p->mainForm().run("N6Click");
    EXPECT_EQ(p->typeDialog().dispatcher().existing("TTestLedx")->caption(), "测试光电偶合器");
    // Find on the hex window's page: "ff ff" is there after start-up, "FF" is not.
    p->mainForm().run("FileNew");
    p->findDialog().control("Edit1").setText("ff ff");
    p->findDialog().click("FindNext");
    std::size_t shown = fake->prompts.shown.size();
    p->findDialog().control("Edit1").setText("FF");
    p->mainForm().run("S2Click");
    ASSERT_EQ(fake->prompts.shown.size(), shown + 1);
    EXPECT_EQ(fake->prompts.texts().back(), "Not find!");
}

TEST_F(ProgramTest, OddValuesInTheConfigurationAreSurvived) {
    std::ofstream(shell::ConfigPath(dir)) << shell::kMainCaption << "\n9\nNOFAMILY\nX: Y\n" << dir
                                          << "missing.HEX\n-7\nNoSuchMaker\n#???\n99999\n-5\nY\n";
    auto p = Run(false);
    EXPECT_EQ(p->typeDialog().categoryIndex(), 0);  // 9 is no category
    EXPECT_EQ(p->mainForm().control("Label1").text(), "File:");  // the missing file is not loaded
    EXPECT_TRUE(p->mainForm().visible());
    // The remembered row -5 selects no type, so no family dialog opens at start.
    const auto& created = fake->windows.created;
    EXPECT_EQ(std::find(created.begin(), created.end(), "TP27x"), created.end());
    // Closing keeps a readable file for the next run.
    p->mainForm().run("FileExit");
    ASSERT_EQ(ConfigLines().size(), 11u);
    EXPECT_EQ(ConfigLines().at(1), "0");
}
