// The start question, the port search, the identify handshake, the port file and Reconnect.
#include <gtest/gtest.h>

#include <algorithm>
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
    Names messages() {
        Names m;
        for (const auto& s : platform.prompts.shown)
            if (s.kind == "message") m.push_back(s.text);
        return m;
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
        EXPECT_EQ(opener.attempts, (Names{"COM1", "COM2"})); // the saved COM1 is tried once
        EXPECT_EQ(link.identification, "quarvinc from COM2");
        EXPECT_TRUE(bad.closed);
        // The reply (when nine bytes came) then "Soft run only".
        Names expected;
        if (r.reply.size() == 9) expected.push_back(r.shown);
        expected.push_back("Soft run only");
        expected.insert(expected.end(), {"quarvinc", "quarvinc from COM2"});
        EXPECT_EQ(status, expected);
    }
}

TEST_F(Startup, PortFileDecidesTheSearchOrderAndIsWrittenWhole) {
    struct Row { const char* content; Names attempts; std::string boxAt; };
    const Row rows[] = {
        {nullptr, {"COM1", "COM2", "COM3"}, "COM3"}, // each port once
        {"COM10\n", {"COM10", "COM1", "COM2", "COM3"}, "COM3"},
        {"", {"COM1", "COM2", "COM3"}, "COM3"},
        {"/dev/ttyUSB0\r\nrest", {"/dev/ttyUSB0", "COM1", "COM2", "COM3"}, "COM3"},
        {"/dev/pts/9\r\r\n", {"/dev/pts/9"}, "/dev/pts/9"},
        {"/dev/pts/9", {"/dev/pts/9"}, "/dev/pts/9"},
        // The virtual box comes after the real ports: a box attached later wins.
        {"VBOX", {"COM1", "COM2", "COM3", "COM4", "VBOX"}, "VBOX"},
        {"VBOX", {"COM1", "COM2"}, "COM2"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.content ? r.content : "missing");
        reset(r.content);
        opener.box(r.boxAt, identifyReply("quarvinc"));
        start();
        EXPECT_EQ(opener.attempts, r.attempts);
        EXPECT_EQ(link.identification, "quarvinc from " + r.boxAt);
        EXPECT_EQ(portFile(), r.boxAt); // no line end
    }
}

TEST_F(Startup, AllPortsFailingShowsOneBoxAndSendsNoIdleState) {
    // Refused settings end the port's turn with a message; refused time-outs are
    // reported and the box is still asked.
    opener.ports["COM1"].status = OpenStatus::SettingsRefused;
    TransportLog& silent = opener.box("COM2", {}, OpenStatus::TimeoutsRefused);
    opener.ports["COM4"].status = OpenStatus::CannotOpen;
    start();
    EXPECT_EQ(opener.attempts, (Names{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(link.connected, 0);
    EXPECT_FALSE(link.lost);
    EXPECT_FALSE(link.port);
    EXPECT_EQ(messages(), (Names{"set Com bad", "SetCommTimeouts failed", "Bad COM\n1 No QUARVIN\n2 or No Power on"}));
    EXPECT_EQ(silent.written, Wire().identify().bytes());
    EXPECT_EQ(portFile(), "<none>");
    EXPECT_EQ(ReceiveByte(link), 255);
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
    EXPECT_GT(link.loopCount, 0);
}

TEST_F(Startup, BoxLostDuringIdleStateEndsInSoftRun) {
    TransportLog& box = opener.box("COM1", identifyReply("quarvinc"));
    box.writeLimit = 6;
    EXPECT_NO_THROW(start());
    EXPECT_EQ(link.connected, 0);
    EXPECT_TRUE(link.lost);
    EXPECT_EQ(messages(), Names{"Bad COM ！\nPlease off power at one!"});
    EXPECT_TRUE(box.closed);
}

// A box whose identify reply comes late or never: byte i arrives arrivals[i] ms
// after the identify command, on the fake clock that waiting for it moves on;
// without arrivals the port stays silent and every wait costs its full time.
class LateBox : public Transport {
public:
    LateBox(FakeSystemInfo& clock, std::vector<int> arrivals) : clock_(clock), arrivals_(std::move(arrivals)) {}
    bool write(const std::uint8_t*, std::size_t) override {
        sentAt_ = clock_.now;
        return true;
    }
    int readByte(int timeoutMs) override {
        if (next_ >= arrivals_.size() || sentAt_ + arrivals_[next_] > clock_.now + timeoutMs) {
            clock_.now += timeoutMs;
            return -1;
        }
        clock_.now = std::max(clock_.now, sentAt_ + arrivals_[next_]);
        return static_cast<unsigned char>("quarvinc"[next_++]);
    }
    void close() override {}

private:
    FakeSystemInfo& clock_;
    std::vector<int> arrivals_;
    std::size_t next_ = 0;
    std::int64_t sentAt_ = 0;
};

// Opens the ports it has arrivals for (none: a silent port); others cannot be opened.
struct LateBoxOpener : PortOpener {
    LateBoxOpener(FakeSystemInfo& clock, std::map<std::string, std::vector<int>> ports)
        : clock(clock), ports(std::move(ports)) {}
    OpenedPort open(const std::string& name) override {
        attempts.push_back(name);
        if (!ports.count(name)) return {};
        return {OpenStatus::Opened, std::make_unique<LateBox>(clock, ports[name])};
    }
    FakeSystemInfo& clock;
    std::map<std::string, std::vector<int>> ports;
    Names attempts;
};

TEST_F(Startup, IdentifyReplyMayStartLateButNotPauseOrOverrunTheTotal) {
    // The reply may start up to 10 s late, then pause at most 2 s between bytes,
    // all within 10 s.
    struct Row { const char* what; int first; std::vector<int> gaps; int connected; };
    const Row rows[] = {
        {"first byte after 4 s", 4000, {}, 1},
        {"just within the total", 9000, {100, 100, 100, 100, 100, 100, 100, 100}, 1},
        {"first byte after the total", 10001, {}, 0},
        {"a 2.1 s pause", 0, {10, 10, 10, 2100}, 0},
        {"slow bytes overrun the total", 3000, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}, 0},
    };
    platform.system.step = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        std::vector<int> arrivals{r.first};
        for (int i = 1; i < 9; ++i)
            arrivals.push_back(arrivals.back() + (i - 1 < static_cast<int>(r.gaps.size()) ? r.gaps[i - 1] : 1));
        LateBoxOpener late(platform.system, {{"COM1", arrivals}});
        env.opener = &late;
        link = LinkState();
        EXPECT_EQ(OpenPort(link, env, "COM1"), r.connected);
        EXPECT_EQ(link.connected, r.connected);
    }
}

TEST_F(Startup, TheSearchTellsEachPortCostsASilentPortOnceAndCanBeCancelled) {
    // cancelAtMs: the user cancels once the clock reaches this (-1: never); minMs and
    // maxMs: what the search costs on the clock.
    struct Row { const char* what; const char* portFile; int cancelAtMs; Names attempts;
                 std::int64_t minMs, maxMs; bool noBoxMessage; } rows[] = {
        {"saved COM1, silent: one time-out", "COM1", -1, {"COM1", "COM2", "COM3", "COM4"}, 10000, 10000, true},
        {"saved VBOX behind a silent COM1", "VBOX", -1, {"COM1", "COM2", "COM3", "COM4", "VBOX"}, 10000, 10000, true},
        {"cancelled while COM1 is awaited", "COM1", 3000, {"COM1"}, 3000, 3000 + SearchPollMs, false},
        {"cancelled before the first port", "COM1", 0, {}, 0, 0, false},
    };
    platform.system.step = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        reset(r.portFile);
        platform.prompts.shown.clear();
        LateBoxOpener silent(platform.system, {{"COM1", {}}});
        env.opener = &silent;
        Names told;
        const std::int64_t start = platform.system.now;
        env.searching = [&](const std::string& text) {
            if (told.empty() || told.back() != text) told.push_back(text);
            return r.cancelAtMs < 0 || platform.system.now - start < r.cancelAtMs;
        };
        EXPECT_FALSE(ReconnectLink(link, env));
        EXPECT_EQ(silent.attempts, r.attempts);
        EXPECT_GE(platform.system.now - start, r.minMs);
        EXPECT_LE(platform.system.now - start, r.maxMs);
        EXPECT_EQ(messages(), r.noBoxMessage ? Names{NoBoxMessage} : Names{});
        EXPECT_EQ(link.connected, 0);
        if (!r.noBoxMessage) {
            EXPECT_EQ(status.back(), SearchCancelledStatus);
        }
        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told.front(), "Looking for the box on COM1 ...");
        if (r.noBoxMessage) {
            EXPECT_EQ(told.back(), "Looking for the box on " + r.attempts.back() + " ...");
        }
    }
}

TEST_F(Startup, ReconnectSearchesAgainWithoutTheQuestion) {
    // The box sits on COM2 (or is the virtual box); each row starts the program,
    // maybe loses the box, then presses Reconnect with the box answering or not.
    enum Before { SoftRun, Connected, Lost };
    struct Row { Before before; const char* portFile; bool answers; int connected; bool lost; const char* shown; };
    const Row rows[] = {
        {SoftRun, "COM2", true, 1, false, "COM2"},
        {Lost, "COM2", true, 1, false, "COM2"},
        {Lost, "VBOX", true, 1, false, "virtual box"},
        {Lost, "COM2", false, 0, true, "link lost"},
        {Connected, "COM2", false, 0, true, "link lost"},
        {SoftRun, "COM2", false, 0, false, "soft run"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(&r - rows));
        reset(r.portFile);
        const std::string port = std::string(r.portFile) == "VBOX" ? "VBOX" : "COM2";
        TransportLog& box = opener.box(port, identifyReply("quarvinc"));
        platform.prompts.shown.clear();
        platform.prompts.answers = {r.before != SoftRun};
        start();
        if (r.before == SoftRun) { // No at the start question: no port touched
            EXPECT_TRUE(opener.attempts.empty());
            EXPECT_EQ(platform.prompts.shown.size(), 1u);
        }
        if (r.before == Lost) {
            EXPECT_THROW(ReceiveByte(link), LinkLost); // reads after the identify time out
        }
        EXPECT_EQ(LinkStatusText(link), r.before == SoftRun ? "soft run" : r.before == Lost ? "link lost" : port);
        opener.ports[port].identify = r.answers ? identifyReply("quarvinc") : std::vector<int>{};
        opener.attempts.clear();
        box.clear();
        platform.prompts.shown.clear();

        EXPECT_EQ(ReconnectLink(link, env), r.connected == 1);
        EXPECT_EQ(link.connected, r.connected);
        EXPECT_EQ(link.lost, r.lost);
        EXPECT_EQ(LinkStatusText(link), r.shown);
        // The search starts from the port file again: COM2 at once, or every port once.
        EXPECT_EQ(opener.attempts.size(), r.answers && port == "COM2" ? 1u : port == "COM2" ? 4u : 5u);
        EXPECT_EQ(platform.prompts.texts(), r.answers ? Names{} : Names{NoBoxMessage}); // no question
        // Without a box only identify commands go out.
        EXPECT_EQ(box.written.size() > 2, r.answers) << describe(box.written);
        EXPECT_EQ(portFile(), r.portFile);
    }
}

} // namespace
} // namespace quarvin::test
