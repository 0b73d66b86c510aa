// End to end: the link's real start-up and serial transport talking to
// quarvin-sim over a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "families/uv_eprom/EpromAddress.h"
#include "families/uv_eprom/EpromRows.h"
#include "link/LinkStartup.h"
#include "link/commands/LinkOps.h"
#include "link/serial/PosixSerial.h"
#include "sim/LineClock.h"
#include "sim/SimProcess.h"
#include "support/FakePlatform.h"
#include "support/ScratchDir.h"

namespace quarvin::sim::test {
namespace {

const std::string SimExe = QUARVIN_BINARY_DIR "/sim/quarvin-sim";

// Finds the box on COM2: every other name fails to open, as absent ports do.
class PtyOpener : public PortOpener {
public:
    explicit PtyOpener(std::string path) : path_(std::move(path)) {}
    OpenedPort open(const std::string& name) override {
        tried.push_back(name);
        return name == "COM2" ? openSerialDevice(path_) : OpenedPort{};
    }
    std::vector<std::string> tried;

private:
    std::string path_;
};

class PtyTest : public ::testing::Test {
protected:
    // Runs the link start-up against a fresh quarvin-sim started with args.
    void startLink(const std::vector<std::string>& args) {
        if (link.port) link.port->close();
        link = LinkState{};
        sim = std::make_unique<SimProcess>(SimExe, args);
        ASSERT_FALSE(sim->path().empty()) << "quarvin-sim printed no terminal path";
        opener = std::make_unique<PtyOpener>(sim->path());
        RunLinkStartup(link, LinkEnvironment{&prompts, &system, opener.get(), dir.string(),
                                             [this](const std::string& s) { status = s; }});
    }
    void TearDown() override { if (link.port) link.port->close(); }

    quarvin::test::FakePrompts prompts;
    quarvin::test::FakeSystemInfo system;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<PtyOpener> opener;
    quarvin::test::ScratchDir scratch{"quarvin_pty"};
    std::filesystem::path dir = scratch.path();
    LinkState link;
    std::string status;
};

TEST_F(PtyTest, StartUpIdentifiesAndOperationsGetTheRightReplies) {
    startLink({});
    ASSERT_EQ(link.connected, 1);
    EXPECT_EQ(status, "quarvinc from COM2");
    EXPECT_EQ(opener->tried, (std::vector<std::string>{"COM1", "COM2"}));

    // Every pin follows its driver; released pins float high.
    ResetSocket(link);
    for (int p = 1; p <= 40; ++p) {
        if (p == 20) continue; // grounded by ResetSocket
        SCOPED_TRACE(p);
        PinHigh(link, p);
        EXPECT_EQ(ReadPin(link, p), 1);
        PinLow(link, p);
        EXPECT_EQ(ReadPin(link, p), 0);
        SetPinLatch(link, p, 1);
        EXPECT_EQ(ReadPin(link, p), 1);
        SetPinLatch(link, p, 0);
    }
    EXPECT_EQ(ReadPin(link, 20), 0) << "pin 20 grounded";
    WriteAllPorts(link, 0x5A);
    EXPECT_EQ(ReadPort(link, 0), 0x5A);
    EXPECT_EQ(ReadPort(link, 3), 0x5A);
    EXPECT_EQ(ReadPort(link, 4), 0xDA) << "bits 6 and 7 have no pin";
    EXPECT_EQ(GetBoardModel(link), 'c'); // the ground switch on pin 31 is fitted
    // Switched supplies and the address reads are decoded in socket_test and box_test.
    ShutDownSocket(link);
    EXPECT_EQ(link.connected, 1) << "no read timed out";
    EXPECT_EQ(prompts.texts().size(), 1u) << "only the start question";
}

TEST_F(PtyTest, ToolOptionsChooseBoardAndIdentification) {
    struct Case { std::vector<std::string> args; const char* shown; int connected; char model; };
    const Case cases[] = {
        {{"--board", "a", "--id", "pemrav13"}, "pemrav13 from COM2", 1, 'a'},
        {{"-b", "b"}, "pemrav13 from COM2", 1, 'b'},
        {{"-i", "otherbox"}, "Soft run only", 0, 'a'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        startLink(c.args);
        EXPECT_EQ(status, c.shown);
        EXPECT_EQ(link.connected, c.connected);
        EXPECT_EQ(GetBoardModel(link), c.model);
    }
    EXPECT_EQ(prompts.texts().back(), NoBoxMessage);
}

TEST(PtyTool, RefusesBadOptionsAndEndsWhenTheOtherSideCloses) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--board", "d"}, {"--board"}, {"--silent-after", "x"}, {"--frobnicate"}}) {
        SimProcess sim(SimExe, args);
        EXPECT_TRUE(sim.path().empty()) << args[0];
        EXPECT_EQ(sim.waitExit(5000), 2) << args[0];
    }
    SimProcess help(SimExe, {"--help"});
    EXPECT_EQ(help.path(), "usage: quarvin-sim [options]");
    EXPECT_EQ(help.waitExit(5000), 0);

    SimProcess sim(SimExe, {});
    OpenedPort port = openSerialDevice(sim.path());
    ASSERT_EQ(port.status, OpenStatus::Opened);
    // The tool ends only after it has heard from the other side (the whole answer
    // to identify is read in the start-up above).
    const std::uint8_t identify = 15;
    ASSERT_TRUE(port.transport->write(&identify, 1));
    EXPECT_EQ(port.transport->readByte(2000), 'q');
    port.transport->close();
    EXPECT_EQ(sim.waitExit(5000), 0);
}

// Behind a USB adapter model with a 16 ms latency timer, read-ahead still gets
// every byte in its place: the replies come in packets, late, but in order; the
// same when the line is paced in real time (the parameter), where a run of delay
// ticks lasts no less than their character times on the steady clock.
class PtyPacedTest : public PtyTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PtyPacedTest, ReadAheadThroughALatencyTimerGetsTheRightBytes) {
    struct Stuck { std::uint32_t address; std::uint8_t value; };
    const Stuck stuck[] = {{0x010, 0x5A}, {0x0FF, 0x00}, {0x100, 0xA5}, {0x1C3, 0x3C}};
    std::vector<std::string> args = {"--latency-ms", "16", "--chip", "27C256 12.7v"};
    if (GetParam()) args.push_back("--real-time");
    for (const Stuck& s : stuck) {
        char fault[64];
        std::snprintf(fault, sizeof fault, "stuck:%x:ff:%x", static_cast<unsigned>(s.address), s.value);
        args.insert(args.end(), {"--fault", fault});
    }
    startLink(args);
    ASSERT_EQ(link.connected, 1);
    EXPECT_GT(link.readAheadWindow, 1) << "a pseudo-terminal reads ahead";
    ResetSocket(link);
    PinLow(link, 26);
    PinLow(link, 28);
    ConnectVcc(link, 34);
    ConnectGround(link, 20);
    SetDataWidth(link, 12);
    std::vector<std::uint8_t> got(512);
    for (std::uint32_t page = 0; page < got.size(); page += 256) {
        SetEpromAddress(link, kEpromRows[13], page); // the 27C256 row
        ASSERT_EQ(ReadNextBytes(link, got.data() + page, 256), 256u);
    }
    for (std::uint32_t a = 0; a < got.size(); ++a) {
        std::uint8_t want = 0xFF;
        for (const Stuck& s : stuck)
            if (s.address == a) want = s.value;
        ASSERT_EQ(got[a], want) << a;
    }
    constexpr int Ticks = 2000;
    const auto start = std::chrono::steady_clock::now();
    Delay(link, Ticks);
    EXPECT_EQ(GetBoardModel(link), 'c');
    const auto took = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
    if (GetParam()) { EXPECT_GE(took.count(), Ticks * LineClock::CharPs / 1000); }
    EXPECT_EQ(link.connected, 1);
}

INSTANTIATE_TEST_SUITE_P(AsFastAsItRunsAndInRealTime, PtyPacedTest, ::testing::Bool());

} // namespace
} // namespace quarvin::sim::test
