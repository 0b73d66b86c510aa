// The bring-up report on the virtual box: the whole text against its golden
// file (time stamps and the version masked), a box that goes silent on the way,
// and a socket with a pin held low, where no supply may be switched on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "link/LinkStartup.h"
#include "shell/BringUpReport.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"

namespace quarvin::test {
namespace {

const std::string kWritten = "2026-01-02 03:04:05 UTC";
const std::string kGolden = QUARVIN_SOURCE_DIR "/tests/shell/golden/bringup_report.txt";

// Time stamps ("000012.345678") become "ssssss.uuuuuu"; the version and the
// date lines keep only their labels.
std::string Masked(const std::string& report) {
    std::istringstream in(report);
    std::string text;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("program: ", 0) == 0) line = "program: VERSION";
        if (line.rfind("written: ", 0) == 0) line = "written: WHEN";
        std::string shape = line;
        for (char& c : shape) c = c >= '0' && c <= '9' ? 'd' : c;
        for (std::size_t at = 0; (at = shape.find("dddddd.dddddd", at)) != std::string::npos; at += 13)
            line.replace(at, 13, "ssssss.uuuuuu");
        text += line + "\n";
    }
    return text;
}

class BringUpReportTest : public ::testing::Test {
protected:
    // Connects to the embedded box with the program's own handshake.
    void connect() {
        link.prompts = &fp.prompts;
        const LinkEnvironment env{&fp.prompts, &fp.system, opener.get(), "", {}};
        ASSERT_EQ(OpenPort(link, env, sim::VirtualPortName), 1);
        SendIdleState(link);
    }
    std::string report() {
        std::int64_t now = 0;
        BringUpFacts facts;
        facts.version = ProgramVersionLine();
        facts.written = kWritten;
        facts.portName = sim::VirtualPortName;
        facts.programDir = QUARVIN_SOURCE_DIR "/data/";
        return MakeBringUpReport(link, facts, [&now] { return now += 10; });
    }

    // The embedded box of another board model.
    void useBoard(char model) {
        box = std::make_shared<sim::Box>(sim::BoxConfig::forBoard(model));
        opener = std::make_unique<sim::VirtualPortOpener>(nullptr, box);
    }

    FakePlatform fp;
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::unique_ptr<sim::VirtualPortOpener> opener = std::make_unique<sim::VirtualPortOpener>(nullptr, box);
    LinkState link;
};

TEST_F(BringUpReportTest, VirtualBoxGivesTheGoldenReport) {
    connect();
    const std::string text = Masked(report());
    if (std::getenv("QUARVIN_UPDATE_GOLDEN")) {
        std::ofstream(kGolden, std::ios::binary) << text;
        return;
    }
    std::ifstream in(kGolden, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << kGolden;
    EXPECT_EQ(text, std::string(std::istreambuf_iterator<char>(in), {}));
    // The box is left at rest: every supply switch open again.
    const sim::Socket& socket = box->socket();
    EXPECT_EQ(socket.vccPins(), 0u);
    EXPECT_EQ(socket.vppPins(), 0u);
    EXPECT_EQ(socket.vppMillivolts(), 0);
    EXPECT_EQ(link.connected, 1);
}

TEST_F(BringUpReportTest, SilentBoxEndsTheChecksAndSaysWhere) {
    connect();
    box->faults().silentAfterBytes = box->bytesReceived() + 20;
    const std::string text = report();
    EXPECT_NE(text.find("the link was lost during the board model check"), std::string::npos) << text;
    EXPECT_NE(text.find("timeout"), std::string::npos) << text;
    EXPECT_NE(text.find(" lost @board model"), std::string::npos) << text;
    EXPECT_EQ(text.find("Socket with nothing inserted"), std::string::npos);
    EXPECT_EQ(link.connected, 0);
}

// Something in the socket that holds a pin low with every driver released (a
// part's pin, a bent contact to ground).
class PinHeldLow : public sim::Chip {
public:
    int pinCount() const override { return 40; }
    sim::ChipDrive update(const sim::ChipView&) override {
        sim::ChipDrive d;
        d.drive(23, false);
        return d;
    }
};

TEST_F(BringUpReportTest, PinHeldLowKeepsEverySupplyOff) {
    box->insert(std::make_shared<PinHeldLow>());
    connect();
    const std::string text = report();
    EXPECT_NE(text.find("pins low with every driver released: 23\n"), std::string::npos) << text;
    EXPECT_NE(text.find("supplies not switched"), std::string::npos) << text;
    for (const char* supply : {"Vcc    on", "Vpp    on", "Ground on"}) EXPECT_EQ(text.find(supply), std::string::npos) << supply;
}

TEST_F(BringUpReportTest, BoardModelsAreToldApart) {
    struct Row { char board; const char *identification, *model, *list; };
    const Row rows[] = {
        {'a', "quarvinc from VBOX", "board model: a (no ground switch on pin 31)", "device list: devicea.lst (present)"},
        {'b', "pemrav13 from VBOX", "board model: b (identifies as pemrav13)", "device list: device.lst (present)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.board);
        useBoard(r.board);
        link = LinkState{};
        connect();
        const std::string text = report();
        for (const char* part : {r.identification, r.model, r.list, "switches: every one behaves"})
            EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
        const bool hasGround31 = text.find("Ground on pin 31       (board model a has no such switch)") != std::string::npos;
        EXPECT_EQ(hasGround31, r.board == 'a');
    }
}

} // namespace
} // namespace quarvin::test
