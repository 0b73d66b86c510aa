// The link dialog: start-up through the dialog and its four tests.
#include <gtest/gtest.h>

#include "link/SpeedEstimate.h"
#include "link/TEp3.h"
#include "link/commands/LinkOps.h"
#include "support/FakePlatform.h"
#include "support/ScriptedTransport.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

// Records the repaints the handlers ask for.
struct PaintLog : FormObserver {
    std::vector<std::string> painted; // "<control>=<text>"
    void paintNow(Control& c) override { painted.push_back(c.name + "=" + c.text()); }
};

class LinkDialog : public ::testing::Test {
protected:
    LinkDialog() : dialog(fake.platform) { dialog.addObserver(&paints); }
    ~LinkDialog() override { dialog.removeObserver(&paints); }

    // Connects the dialog's link to a recording transport.
    TransportLog& connect() {
        paints.painted.clear();
        return *connectRecording(dialog.link());
    }

    FakePlatform fake;
    TEp3 dialog;
    PaintLog paints;
};

TEST_F(LinkDialog, CreateRunsTheHandshakeIntoEdit4AndWinVersionShowsFiveParts) {
    ScriptedOpener opener;
    opener.box("COM1", identifyReply("quarvin+"));
    dialog.Create(opener, "/nonexistent-dir-for-port-file/");
    EXPECT_EQ(dialog.link().connected, 1);
    EXPECT_EQ(dialog.control("Edit4").text(), "quarvin+ from COM1");
    EXPECT_TRUE(dialog.visible());
    EXPECT_EQ(dialog.link().prompts, &fake.prompts); // the lost-link message has somewhere to go
    EXPECT_EQ(dialog.control("Button5").text(), "Reconnect");
    EXPECT_EQ(dialog.control("Edit5").text(), "Program directory: /nonexistent-dir-for-port-file/");

    fake.system.version = OsVersion{6, 1, 12, 2, "x86_64", "Linux"};
    dialog.click("Button1");
    EXPECT_EQ(dialog.control("Edit1").text(), "6.1.12.2.x86_64");
}

TEST_F(LinkDialog, TestComCountsGoodRunsUntilAFault) {
    struct Row { int goodRuns; const char* shown; std::string edit2; };
    // A fault in the first, a middle and the very last run; then no fault at all.
    const Row rows[] = {{0, "Bad COM!", "0"}, {37, "Bad COM!", "37"}, {100, "Bad COM!", "100"}, {101, "COM OK!", "100"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.goodRuns);
        TransportLog& log = connect();
        // Each run: 101 passes of a high then a low reading of pin 1.
        for (int i = 0; i < r.goodRuns * 101; ++i) log.reply({0x01, 0x00});
        log.reply({0x00}); // pin 1 does not follow the high level
        dialog.click("Button2");
        EXPECT_EQ(dialog.control("Edit4").text(), r.shown);
        EXPECT_EQ(dialog.control("Edit2").text(), r.edit2);
        ASSERT_EQ(paints.painted.size(), static_cast<std::size_t>(std::min(r.goodRuns + 1, 101)));
        EXPECT_EQ(paints.painted.back(), "Edit2=" + r.edit2);
    }
}

TEST_F(LinkDialog, SpeedFormatsLikePrintf) {
    struct Row { OsVersion os; std::int64_t start; const char* shown; };
    // The fake clock moves 1 ms per read: from the start of a second the count reaches 900.
    const Row rows[] = {
        {OsVersion{6, 1, 0, 2, "x86_64", "Linux"}, 0, "About       Mhz"}, // no scale: 0, no digits
        {OsVersion{5, 1, 2600, 2, "", "Windows"}, 500, "About     3 Mhz"}, // 900 / 300
        {OsVersion{4, 10, 0, 1, "", "Windows"}, 0, "About    18 Mhz"},  // 900 / 50
        {OsVersion{5, 1, 0, 2, "", "Linux"}, 0, "About       Mhz"},     // kernel 5.1 is not that system
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.shown);
        fake.system.version = r.os;
        fake.system.now = r.start;
        paints.painted.clear();
        dialog.click("Button3");
        EXPECT_EQ(dialog.control("Edit3").text(), r.shown);
        EXPECT_EQ(dialog.control("Edit4").text(), "900");
        EXPECT_EQ(dialog.link().loopCountCopy, 900);
        EXPECT_EQ(paints.painted, std::vector<std::string>{"Edit3=wait a while..."});
    }
}

TEST(SpeedEstimate, StoppedClockEndsAtTheReadLimit) {
    FakeSystemInfo clock;
    clock.now = 400;
    clock.step = 0;
    LinkState link;
    EstimateSpeed(link, clock, 1000);
    EXPECT_EQ(link.loopCount, 1000);
}

TEST_F(LinkDialog, Edit3EnterStoresOnlyDecimalNumbers) {
    dialog.link().loopCount = 77;
    struct Row { const char* text; int key; int count; };
    const Row rows[] = {
        {"1234", KeyEnter, 1234}, {"99", 'A', 1234}, {"abc", KeyEnter, 1234}, {"", KeyEnter, 1234},
        {"12x", KeyEnter, 1234}, {"99999999999", KeyEnter, 1234}, {" 42 ", KeyEnter, 42}, {"-5", KeyEnter, -5},
    };
    for (const Row& r : rows) {
        dialog.control("Edit3").setText(r.text);
        dialog.keyDown("Edit3", r.key);
        EXPECT_EQ(dialog.link().loopCount, r.count) << r.text;
    }
}

TEST_F(LinkDialog, TimingTestSendsTenSecondsOfTicks) {
    TransportLog& log = connect();
    dialog.click("Button4");
    EXPECT_EQ(dialog.control("Edit4").text(), "Is just in time?");
    EXPECT_EQ(log.written, Wire().delay(100000).bytes());
    ASSERT_EQ(paints.painted.size(), 10u);
    EXPECT_EQ(paints.painted.front(), "Edit4=1");
    EXPECT_EQ(paints.painted.back(), "Edit4=10");
}

} // namespace
} // namespace quarvin::test
