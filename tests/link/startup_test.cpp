// The start question, the port search, the identify handshake and the port file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/LinkStartup.h"
#include "link/commands/LinkOps.h"
#include "support/FakePlatform.h"
#include "support/ScriptedTransport.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/quarvin-startup-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        env = LinkEnvironment{&platform.prompts, &platform.system, &opener, dir,
                              [this](const std::string& s) { status.push_back(s); }};
    }
    void TearDown() override { fs::remove_all(dir); }

    // Starts afresh: no port file unless content is given, a new opener and link.
    void reset(const char* content = nullptr) {
        fs::remove(dir + "/zomexnt.con");
        if (content) std::ofstream(dir + "/zomexnt.con", std::ios::binary) << content;
        opener = ScriptedOpener();
        link = LinkState();
        status.clear();
    }
    std::string portFile() {
        std::ifstream in(dir + "/zomexnt.con", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return in ? ss.str() : "<none>";
    }
    void start() { RunLinkStartup(link, env); }

    std::string dir;
    FakePlatform platform;
    ScriptedOpener opener;
    LinkEnvironment env;
    LinkState link;
    Names status;
};

TEST_F(Startup, EveryAcceptedIdentificationConnects) {
    for (const char* id : {"pemrav13", "quarvinc", "quarvin+", "zomexv51", "zomexv52"}) {
        SCOPED_TRACE(id);
        reset();
        opener.box("COM1", identifyReply(id, 0x5A)); // any ninth byte will do
        start();
        EXPECT_EQ(link.connected, 1);
        EXPECT_TRUE(link.port);
        EXPECT_EQ(link.identification, std::string(id) + " from COM1");
        EXPECT_EQ(status, (Names{id, link.identification}));
        EXPECT_EQ(opener.attempts, Names{"COM1"});
    }
    ASSERT_EQ(platform.prompts.shown.size(), 5u);
    EXPECT_EQ(platform.prompts.shown[0].kind, "yesno");
    EXPECT_EQ(platform.prompts.shown[0].text,
              "Swicth on power，and connect RS232 cable\n\nConnecting?\n\n<Yes> to connect\n<No> to run only soft");
}

TEST_F(Startup, BadRepliesLeaveSoftRunStatusAndTryTheNextPort) {
    struct Row { const char* what; std::vector<int> reply; std::string shown; };
    const Row rows[] = {
        {"eight bytes only", {'q', 'u', 'a', 'r', 'v', 'i', 'n', 'c'}, ""},
        {"first byte zero", identifyReply(std::string("\0uarvinc", 8)), ""},
        {"unknown text", identifyReply("quarvinx"), "quarvinx"},
        {"text cut short by zero", identifyReply(std::string("quarvin\0", 8)), "quarvin"},
        {"no reply", {}, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        reset();
        TransportLog& bad = opener.box("COM1", r.reply);
        opener.box("COM2", identifyReply("quarvinc"));
        start();
        EXPECT_EQ(opener.attempts, (Names{"COM1", "COM1", "COM2"}));
        EXPECT_EQ(link.identification, "quarvinc from COM2");
        EXPECT_TRUE(bad.closed);
        // The reply (when nine bytes came) then "Soft run only", for each COM1 attempt.
        Names expected;
        for (int i = 0; i < 2; ++i) {
            if (r.reply.size() == 9) expected.push_back(r.shown);
            expected.push_back("Soft run only");
        }
        expected.insert(expected.end(), {"quarvinc", "quarvinc from COM2"});
        EXPECT_EQ(status, expected);
    }
}

TEST_F(Startup, PortFileDecidesTheFirstAttemptAndIsWrittenWhole) {
    struct Row { const char* content; std::string first; std::string boxAt; };
    const Row rows[] = {
        {nullptr, "COM1", "COM3"},
        {"COM10\n", "COM10", "COM3"},
        {"", "COM1", "COM3"},
        {"/dev/ttyUSB0\r\nrest", "/dev/ttyUSB0", "COM3"},
        {"/dev/pts/9", "/dev/pts/9", "/dev/pts/9"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.content ? r.content : "missing");
        reset(r.content);
        opener.box(r.boxAt, identifyReply("quarvinc"));
        start();
        ASSERT_FALSE(opener.attempts.empty());
        EXPECT_EQ(opener.attempts.front(), r.first);
        EXPECT_EQ(link.identification, "quarvinc from " + r.boxAt);
        EXPECT_EQ(portFile(), r.boxAt); // no line end
    }
}

TEST_F(Startup, AllPortsFailingShowsOneBoxAndSendsNoIdleState) {
    TransportLog& silent = opener.box("COM2", {});
    opener.ports["COM4"].status = OpenStatus::CannotOpen;
    start();
    EXPECT_EQ(opener.attempts, (Names{"COM1", "COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(link.connected, 0);
    EXPECT_FALSE(link.port);
    Names boxes;
    for (const auto& s : platform.prompts.shown)
        if (s.kind == "message") boxes.push_back(s.text);
    EXPECT_EQ(boxes, Names{"Bad COM\n1 No QUARVIN\n2 or No Power on"});
    EXPECT_EQ(silent.written, Wire().identify().bytes());
    EXPECT_EQ(portFile(), "<none>");
    EXPECT_EQ(ReceiveByte(link), 255);
}

TEST_F(Startup, AnsweringNoTouchesNoPort) {
    platform.prompts.answers = {false};
    reset("COM2");
    start();
    EXPECT_TRUE(opener.attempts.empty());
    EXPECT_EQ(link.connected, 0);
    EXPECT_EQ(platform.prompts.shown.size(), 1u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ReceiveByte(link), 255);
    EXPECT_TRUE(status.empty());
    EXPECT_EQ(portFile(), "COM2");
}

TEST_F(Startup, OpenFailuresAreReportedAndTheSearchGoesOn) {
    opener.ports["COM1"].status = OpenStatus::SettingsRefused;
    opener.box("COM2", identifyReply("quarvinc"), OpenStatus::TimeoutsRefused);
    start();
    EXPECT_EQ(link.identification, "quarvinc from COM2");
    EXPECT_EQ(platform.prompts.texts(), (Names{platform.prompts.shown[0].text, "set Com bad", "set Com bad",
                                               "SetCommTimeouts failed"}));
}

TEST_F(Startup, IdleStateFollowsTheHandshake) {
    TransportLog& box = opener.box("COM1", identifyReply("quarvinc"));
    start();
    const Wire expected = Wire().identify()
        .control(1, 0xFF).mode(0x00)
        .vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3)
        .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10)
        .pinLow(0).vccGndLatch(0x07).delay(10)
        .port(0, 0).port(1, 0).port(2, 0).port(3, 0).port(4, 0)
        .control(1, 0x8F).mode(0x70).delay(10)
        .control(0, 0xFF).control(0, 0xFF)
        .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10)
        .control(1, 0x8F).mode(0x70).delay(10)
        .pinLow(0).vccGndLatch(0x07).delay(10)
        .control(1, 0x8F).mode(0x70);
    EXPECT_EQ(describe(box.written), describe(expected.bytes()));
    EXPECT_EQ(box.purges, 1);
    for (int t : box.readTimeouts) EXPECT_LE(t, 2000);
    EXPECT_GT(link.loopCount, 0);
}

TEST_F(Startup, BoxLostDuringIdleStateEndsInSoftRun) {
    TransportLog& box = opener.box("COM1", identifyReply("quarvinc"));
    box.writeLimit = 6;
    EXPECT_NO_THROW(start());
    EXPECT_EQ(link.connected, 0);
    EXPECT_EQ(platform.prompts.texts().back(), "Bad COM ！\nPlease off power at one!");
    EXPECT_TRUE(box.closed);
}

TEST_F(Startup, IdentifyReplyHasAnOverallTimeLimit) {
    // Each read costs 1500 ms of clock: the 10 s budget runs out before nine bytes.
    opener.box("COM1", identifyReply("quarvinc"));
    platform.system.step = 1500;
    EXPECT_EQ(OpenPort(link, env, "COM1"), 0);
    EXPECT_EQ(status.back(), "Soft run only");
}

} // namespace
} // namespace quarvin::test
