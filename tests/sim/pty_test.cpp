// End to end: the link's real start-up and serial transport talking to
// quarvin-sim over a pseudo-terminal.
#include <gtest/gtest.h>

#include <filesystem>

#include "link/LinkStartup.h"
#include "link/commands/LinkOps.h"
#include "link/serial/PosixSerial.h"
#include "sim/SimProcess.h"
#include "support/FakePlatform.h"

namespace quarvin::sim::test {
namespace {

const std::string SimExe = QUARVIN_BINARY_DIR "/sim/quarvin-sim";

// Finds the box on "COM2": every other name fails to open, as absent ports do.
class PtyOpener : public PortOpener {
public:
    explicit PtyOpener(std::string path) : path_(std::move(path)) {}
    OpenedPort open(const std::string& name) override {
        tried.push_back(name);
        if (name != "COM2") return {};
        return openSerialDevice(path_);
    }
    std::vector<std::string> tried;

private:
    std::string path_;
};

class PtyTest : public ::testing::Test {
protected:
    void startLink(SimProcess& sim) {
        ASSERT_FALSE(sim.path().empty()) << "quarvin-sim printed no terminal path";
        opener = std::make_unique<PtyOpener>(sim.path());
        dir = std::filesystem::temp_directory_path() /
              ("quarvin_pty_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        env.prompts = &prompts;
        env.system = &system;
        env.opener = opener.get();
        env.programDir = dir.string();
        env.status = [this](const std::string& s) { status = s; };
        RunLinkStartup(link, env);
    }
    void TearDown() override {
        if (link.port) link.port->close();
        std::error_code ec;
        if (!dir.empty()) std::filesystem::remove_all(dir, ec);
    }

    quarvin::test::FakePrompts prompts;
    quarvin::test::FakeSystemInfo system;
    std::unique_ptr<PtyOpener> opener;
    std::filesystem::path dir;
    LinkEnvironment env;
    LinkState link;
    std::string status;
};

TEST_F(PtyTest, StartUpIdentifiesAndOperationsGetTheRightReplies) {
    SimProcess sim(SimExe, {});
    startLink(sim);
    ASSERT_EQ(link.connected, 1);
    EXPECT_EQ(link.identification, "quarvinc from COM2");
    EXPECT_EQ(status, "quarvinc from COM2");
    EXPECT_EQ((std::vector<std::string>{"COM1", "COM1", "COM2"}), opener->tried);
    EXPECT_TRUE(prompts.texts().size() == 1) << "only the start question";

    // Every pin follows its driver; released pins float high.
    ResetSocket(link);
    int operations = 0;
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
        operations += 7;
    }
    EXPECT_EQ(ReadPin(link, 20), 0) << "pin 20 grounded";
    // Whole ports.
    WriteAllPorts(link, 0x5A);
    EXPECT_EQ(ReadPort(link, 0), 0x5A);
    EXPECT_EQ(ReadPort(link, 3), 0x5A);
    EXPECT_EQ(ReadPort(link, 4), 0xDA) << "bits 6 and 7 have no pin";
    // Latches and the board: the ground switch on pin 31 is fitted.
    SetVppLevel(link, 12500);
    ConnectVpp(link, 1);
    ConnectVcc(link, 8);
    Delay(link, 20);
    EXPECT_EQ(ReadPin(link, 1), 1) << "Vpp lifts pin 1";
    EXPECT_EQ(ReadPin(link, 8), 1) << "Vcc lifts pin 8";
    EXPECT_EQ(GetBoardModel(link), 'c');
    // The box itself drives the data pins, so a read returns its own levels...
    EXPECT_EQ(ReadNextByte(link), 0x5A);
    // ...and once they are inputs, the empty socket's pull-ups.
    SetDataWidth(link, 12);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(ReadNextByte(link), 0xFF) << i;
    operations += 256 + 12;
    ShutDownSocket(link);
    EXPECT_GE(operations, 500);
    EXPECT_EQ(link.connected, 1) << "no read timed out";
    EXPECT_TRUE(prompts.texts().size() == 1);
}

TEST_F(PtyTest, BoardModelsAndTheirIdentifications) {
    struct Case {
        std::vector<std::string> args;
        const char* identification;
        int probe;
        char model;
    };
    const Case cases[] = {
        {{"--board", "a", "--id", "pemrav13"}, "pemrav13 from COM2", 0, 'a'},
        {{"-b", "b"}, "pemrav13 from COM2", 1, 'b'},
        {{"-b", "c", "-i", "zomexv52"}, "zomexv52 from COM2", 1, 'c'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.identification);
        SimProcess sim(SimExe, c.args);
        link = LinkState{};
        startLink(sim);
        ASSERT_EQ(link.connected, 1);
        EXPECT_EQ(link.identification, c.identification);
        EXPECT_EQ(ProbeGroundSwitch(link), c.probe);
        EXPECT_EQ(GetBoardModel(link), c.model);
        link.port->close();
        link.port.reset();
    }
}

TEST_F(PtyTest, AnUnknownIdentificationLeavesSoftRun) {
    SimProcess sim(SimExe, {"--id", "otherbox"});
    startLink(sim);
    EXPECT_EQ(link.connected, 0);
    EXPECT_EQ(status, "Soft run only");
    EXPECT_EQ(prompts.texts().back(), NoBoxMessage);
    EXPECT_EQ(ReadPort(link, 0), 0xFF) << "soft run";
}

TEST_F(PtyTest, ABoxThatGoesSilentLosesTheLink) {
    // Identify plus the idle sequence pass; the box dies some 60 bytes later.
    SimProcess sim(SimExe, {"--silent-after", "160"});
    startLink(sim);
    ASSERT_EQ(link.connected, 1);
    EXPECT_THROW(
        {
            for (int i = 0; i < 200; ++i) ReadPort(link, 0);
        },
        LinkLost);
    EXPECT_EQ(link.connected, 0);
}

TEST(PtyTool, RefusesBadOptions) {
    const std::vector<std::vector<std::string>> bad = {
        {"--board", "d"}, {"--board"}, {"--silent-after", "x"}, {"--frobnicate"}};
    for (const auto& args : bad) {
        SimProcess sim(SimExe, args);
        EXPECT_TRUE(sim.path().empty()) << args[0];
        EXPECT_EQ(sim.waitExit(5000), 2) << args[0];
    }
    SimProcess help(SimExe, {"--help"});
    EXPECT_EQ(help.path(), "usage: quarvin-sim [options]");
    EXPECT_EQ(help.waitExit(5000), 0);
}

TEST(PtyTool, EndsWhenTheOtherSideCloses) {
    SimProcess sim(SimExe, {});
    ASSERT_FALSE(sim.path().empty());
    OpenedPort port = openSerialDevice(sim.path());
    ASSERT_EQ(port.status, OpenStatus::Opened);
    const std::uint8_t cmd = 15;
    ASSERT_TRUE(port.transport->write(&cmd, 1));
    std::string id;
    for (int i = 0; i < 9; ++i) {
        int b = port.transport->readByte(2000);
        ASSERT_GE(b, 0);
        if (i < 8) id += static_cast<char>(b);
    }
    EXPECT_EQ(id, "quarvinc");
    port.transport->close();
    EXPECT_EQ(sim.waitExit(5000), 0);
}

} // namespace
} // namespace quarvin::sim::test
