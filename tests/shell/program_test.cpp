#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ProgramFixture.h"
#include "catalogue/TTypeDlg.h"
#include "link/LinkStartup.h"
#include "link/TEp3.h"
#include "link/commands/Opcodes.h"
#include "shell/ShellTexts.h"
#include "shell/TMainForm.h"

using namespace quarvin;
using namespace quarvin::test;

namespace {

// The names of `want` appear in `got` in this order (other names may stand between).
::testing::AssertionResult InOrder(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    auto at = got.begin();
    for (const auto& w : want)
        if ((at = std::find(at, got.end(), w)) == got.end()) return ::testing::AssertionFailure() << w << " missing or out of order";
        else ++at;
    return ::testing::AssertionSuccess();
}

// Confirms a type row through the main window's type list, as a double-click does.
void Confirm(Program& p, int row) {
    p.mainForm().control("ListBox1").setItemIndex(row);
    p.mainForm().doubleClick("ListBox1");
}

const std::string& LinkPanel(Program& p) { return p.mainForm().control("StatusLine").items().at(0); }

const std::vector<std::string> kStartOrder = {"TPicture1", "TMainForm", "TEp3", "TInputHexDlg", "TTypeDlg", "TFileFormat", "TUnavailable"};

} // namespace

TEST_F(ProgramTest, SoftRunStartsInOrderAndTheLastDeviceAndDataFileComeBack) {
    const std::string data = dir + "image.BIN";
    std::ofstream(data, std::ios::binary) << "\x12\x34\x56";
    std::string typeName, description;
    {
        auto p = Run(false);
        EXPECT_TRUE(InOrder(fake->windows.created, kStartOrder));
        EXPECT_EQ(fake->windows.destroyed, std::vector<std::string>{"TPicture1"});
        EXPECT_EQ(opener.opens, 0);  // No at the start question touches no port
        EXPECT_EQ(LinkPanel(*p), "soft run");
        p->mainForm().userSetIndex("ComboBox1", 1);
        Confirm(*p, 2);
        typeName = p->typeDialog().selection().typeName;
        description = p->typeDialog().selection().description;
        ASSERT_FALSE(typeName.empty());
        p->mainForm().control("ListBox1").setItemIndex(3);  // the highlight moved, the device did not
        p->mainForm().file().fileName = data;
        p->mainForm().run("FileExit");
    }
    const std::vector<std::string> lines = ConfigLines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[4], data);
    EXPECT_EQ(lines[9], "2");
    EXPECT_EQ(lines[10], typeName);

    auto p = Run(false);
    for (const auto& t : fake->prompts.texts()) EXPECT_NE(t, std::string(shell::kWelcomeNewVersion));
    EXPECT_EQ(p->typeDialog().selection().description, description);
    EXPECT_EQ(p->mainForm().control("Label2").text(), "<Device>" + description);
    EXPECT_EQ(p->mainForm().control("Label1").text(), "<File>" + data);
    EXPECT_EQ(p->buffer()[2], 0x56);
    // "Again" puts back the selection saved at the last exit.
    Confirm(*p, 5);
    ASSERT_NE(p->typeDialog().selection().typeName, typeName);
    p->mainForm().run("BeforClick");
    EXPECT_EQ(p->typeDialog().selection().typeName, typeName);
}

TEST_F(ProgramTest, VirtualBoxStartsInOrderAndClosingWritesTheFileBeforePoweringDown) {
    auto p = RunOnVirtualBox();
    ASSERT_EQ(p->link().connected, 1);
    EXPECT_TRUE(InOrder(fake->windows.created, kStartOrder));
    std::size_t before = wire->bytes.size();
    p->mainForm().run("FileExit");
    ASSERT_GT(wire->bytes.size(), before);
    EXPECT_EQ(wire->bytes.back(), op::PowerOff);
    EXPECT_EQ(wire->sentWithoutConfig, before);  // the file was written before the shut-down's first byte
    std::size_t after = wire->bytes.size();
    p->shutDown();  // closing twice (menu, then frame) powers down once
    EXPECT_EQ(wire->bytes.size(), after);
}

TEST_F(ProgramTest, StatusBarFollowsTheLinkThroughALossAndReconnect) {
    auto p = RunOnVirtualBox();
    const std::string virtualCaption = std::string(shell::kMainCaption) + " - virtual box";
    EXPECT_EQ(LinkPanel(*p), "virtual box");
    EXPECT_EQ(p->mainForm().caption(), virtualCaption);

    // The box goes silent in the middle of the link dialog's loop-back test.
    opener.box()->faults().silentAfterBytes = opener.box()->bytesReceived() + 40;
    p->linkDialog().click("Button2");
    EXPECT_TRUE(p->link().lost);
    EXPECT_FALSE(p->linkDialog().busy());
    EXPECT_EQ(p->linkDialog().control("Edit4").text(), "Soft run only");  // the test ended at the loss
    EXPECT_EQ(fake->prompts.texts().back(), "Bad COM ！\nPlease off power at one!");
    EXPECT_EQ(LinkPanel(*p), "link lost");
    EXPECT_EQ(p->mainForm().caption(), shell::kMainCaption);

    // Reconnect with the box still silent: the no-box message, still lost.
    fake->prompts.shown.clear();
    p->mainForm().run("ReconnectClick");
    EXPECT_EQ(fake->prompts.texts(), std::vector<std::string>{NoBoxMessage});
    EXPECT_EQ(LinkPanel(*p), "link lost");

    // The box answers again: Reconnect from the link dialog brings it back.
    opener.box()->faults().silentAfterBytes.reset();
    p->linkDialog().click("Button5");
    EXPECT_EQ(p->link().connected, 1);
    EXPECT_FALSE(p->link().lost);
    EXPECT_EQ(LinkPanel(*p), "virtual box");
    EXPECT_EQ(p->mainForm().caption(), virtualCaption);
    // A link that fails at exit still lets the file be written and the window close.
    wire->failWrites = true;
    p->mainForm().run("FileExit");
    EXPECT_EQ(ConfigLines().at(0), shell::kMainCaption);  // the version stamp has no link note
    EXPECT_FALSE(p->mainForm().visible());
}

// A file of another version greets once; odd values (no such category, file or
// row) open and load nothing. Either way the file is replaced at exit.
TEST_F(ProgramTest, ConfigurationsOfAnotherVersionOrWithOddValuesAreSurvivedAndReplacedAtExit) {
    const std::string files[] = {
        "QUARVINV4  Ver 4.02\n3\nP24\nX: 24C02\n\n1\nX\n#Ser\n0\n0\n24C02\n",
        std::string(shell::kMainCaption) + "\n9\nNOFAMILY\nX: Y\n" + dir +
            "missing.HEX\n-7\nNoSuchMaker\n#???\n99999\n-5\nY\n"};
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::ofstream(shell::ConfigPath(dir)) << file;
        auto p = Run(false);
        const bool otherVersion = file.rfind("QUARVINV4", 0) == 0;
        const std::vector<std::string> texts = fake->prompts.texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(shell::kWelcomeNewVersion)), otherVersion);
        EXPECT_EQ(p->mainForm().control("Label1").text(), "File:");
        // Row -5 opens no family dialog.
        EXPECT_TRUE(otherVersion || std::ranges::find(fake->windows.created, "TP27x") == fake->windows.created.end());
        p->mainForm().run("FileExit");
        const std::vector<std::string> lines = ConfigLines();
        ASSERT_EQ(lines.size(), 11u);
        EXPECT_EQ(lines[0] + "|" + lines[1], std::string(shell::kMainCaption) + "|0"); // category 9 is none
    }
}
