// The window's bring-up tools through the program: "Record the link" in the link
// dialog records exactly the bytes sent while it is on; Help > "Bring-up report"
// writes the report where the user says; Test > "Serial adapter loopback" refuses
// the virtual box and ends with "stopped" when the user stops it.
#include "ProgramFixture.h"

#include <sstream>

#include "link/TEp3.h"
#include "link/commands/LinkOps.h"
#include "link/trace/TraceSummary.h"
#include "shell/BringUpCommands.h"
#include "shell/TMainForm.h"
#include "support/LoopedAdapter.h"

namespace quarvin::test {
namespace {

TEST_F(ProgramTest, RecordTheLinkHoldsTheBytesSentWhileItIsOnThroughAReconnect) {
    auto p = RunOnVirtualBox();
    ASSERT_EQ(p->link().connected, 1);
    TEp3& dialog = p->linkDialog();
    const std::string trace = dir + "link.trace";
    fake->files.saveNames = {std::nullopt}; // cancelled file dialog: not recording
    dialog.userSetChecked("CheckBox2", true);
    EXPECT_FALSE(dialog.control("CheckBox2").checked());

    fake->files.saveNames = {trace};
    dialog.userSetChecked("CheckBox2", true);
    ASSERT_TRUE(dialog.control("CheckBox2").checked());
    EXPECT_EQ(dialog.control("Edit6").text(), trace);
    const std::size_t start = wire->bytes.size();
    dialog.click("Button5"); // Reconnect: the port is opened again, traced
    ASSERT_EQ(p->link().connected, 1);
    dialog.click("Button2"); // "Test COM": 101 passes through pin 1
    const std::vector<std::uint8_t> recorded(wire->bytes.begin() + static_cast<long>(start), wire->bytes.end());
    dialog.userSetChecked("CheckBox2", false);
    dialog.click("Button2"); // after the recording: not in the file
    EXPECT_EQ(dialog.control("Edit4").text(), "COM OK!");

    std::ifstream in(trace);
    const TraceSummary s = ReadTrace(in);
    EXPECT_FALSE(recorded.empty());
    EXPECT_EQ(s.sent, recorded);
    EXPECT_FALSE(s.received.empty());
    EXPECT_EQ(s.badLines, 0);
    EXPECT_EQ(s.opens, 1);
    EXPECT_GE(s.closes, 1);
}

TEST_F(ProgramTest, BringUpReportIsWrittenWhereTheUserSaysAndLoopbackRefusesTheVirtualBox) {
    auto p = RunOnVirtualBox();
    const std::string report = dir + "report.txt";
    fake->prompts.shown.clear();
    fake->prompts.answers = {false}; // not now: nothing asked after, nothing written
    p->mainForm().run("BringUpReportClick");
    EXPECT_TRUE(fake->files.requests.empty());

    fake->prompts.answers = {true};
    fake->files.saveNames = {report};
    p->mainForm().run("BringUpReportClick");
    EXPECT_EQ(fake->prompts.texts().back(), "Report written to " + report);
    std::ifstream in(report);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("identification: quarvinc from VBOX\n"), std::string::npos) << text;
    EXPECT_EQ(p->link().connected, 1); // the box is still there for the next operation

    fake->prompts.shown.clear();
    p->mainForm().run("LoopbackClick"); // the loopback test refuses the virtual box, asking nothing
    EXPECT_EQ(fake->prompts.texts(),
              std::vector<std::string>{"The loopback test needs a serial port; the virtual box is not an adapter."});
    EXPECT_EQ(p->link().connected, 1);
}

// Esc or Stop in the window while the test runs: it ends there, and the result
// says "stopped", never that the adapter passes. Meanwhile the window is shown
// the step under way, which is when it sees its stop keys.
TEST(AdapterLoopbackWindow, StopEndsItWithStopped) {
    FakePlatform fp;
    fp.stop.stopAfterPolls = 40;
    LinkState link;
    link.savedPortName = "COM1";
    auto adapter = std::make_unique<LoopedAdapter>();
    LoopedAdapter& looped = *adapter;
    link.port = std::move(adapter);
    link.connected = 1;
    struct NoPorts : PortOpener {
        OpenedPort open(const std::string&) override { return {}; }
    } ports; // the link's own port is tested
    std::vector<std::string> shown;
    AdapterLoopbackClick(link, ports, fp.prompts, looped.clock(), &fp.stop,
                         [&shown](const std::string& step) { shown.push_back(step); });
    ASSERT_EQ(fp.prompts.shown.size(), 2u); // the question, then the result
    const std::string result = fp.prompts.shown.back().text;
    EXPECT_NE(result.find("verdict: stopped"), std::string::npos) << result;
    EXPECT_EQ(result.find("passes"), std::string::npos) << result;
    EXPECT_EQ(fp.stop.polls, 40);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.front(), "Loopback: all 256 byte values");
    EXPECT_EQ(shown.back(), "");
    EXPECT_EQ(link.connected, 0); // the box was not on the port: Reconnect makes the link again
}

} // namespace
} // namespace quarvin::test
