// The read-ahead probe on the virtual box: the window it picks for boxes that keep
// up and boxes that do not, replies that come wrong, a box that goes silent, and
// the idle state it leaves behind.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "link/FastLinkSettings.h"
#include "link/LinkStartup.h"
#include "link/ReadAheadProbe.h"
#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/commands/ReadAhead.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"

namespace quarvin::test {
namespace {

constexpr double kSlowPortReadUs = 150.0; // port and status reads longer than a character time (95.5 µs)

struct BoxRig {
    std::shared_ptr<sim::Box> box;
    FakePrompts prompts;
    LinkState link;
    explicit BoxRig(const sim::BoxConfig& config = {}) : box(std::make_shared<sim::Box>(config)) {
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.connected = 1;
        link.prompts = &prompts;
        SendIdleState(link); // as after the handshake
    }
    std::size_t overruns() const {
        std::size_t n = 0;
        for (const auto& e : box->errors()) n += e.kind == sim::BoxError::Kind::Overrun;
        return n;
    }
};

sim::BoxConfig SlowPortReads(std::size_t receiveBuffer) {
    sim::BoxConfig config;
    config.uart.receiveBuffer = receiveBuffer;
    for (int port = 0; port < op::PortCount; ++port)
        config.uart.opcodeCostUs[static_cast<std::uint8_t>(op::ReadPortBase + port)] = kSlowPortReadUs;
    config.uart.opcodeCostUs[op::ReadStatus] = kSlowPortReadUs;
    return config;
}

TEST(ReadAheadProbe, PicksHalfTheLargestWindowTheBoxKeepsUpWith) {
    // largestPassed 0: smaller than the default box's.
    struct Row { const char* what; sim::BoxConfig config; std::optional<sim::ReplyGarble> garble;
                 ProbeVerdict verdict; int largestPassed; bool overruns; };
    const Row rows[] = {
        {"the virtual box as shipped", {}, {}, ProbeVerdict::Measured, MaxReadAheadWindow, false},
        {"one-byte receive buffer, slow port reads", SlowPortReads(1), {}, ProbeVerdict::Measured, 0, true},
        {"two-byte receive buffer, slow port reads", SlowPortReads(2), {}, ProbeVerdict::Measured, 0, true},
        // A reply garbled in the window-8 run (16 one at a time, 512 each at 2 and 4).
        {"a wrong reply at window 8", {}, sim::ReplyGarble{16 + 512 + 512 + 100, 1, 0x00}, ProbeVerdict::Measured, 4,
         false},
        {"pins that never read back", {}, sim::ReplyGarble{0, std::numeric_limits<std::uint64_t>::max(), 0x00},
         ProbeVerdict::PinsDoNotReadBack, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        BoxRig rig(r.config);
        if (r.garble) rig.box->faults().garble.push_back(*r.garble);
        std::vector<int> tried;
        const ReadAheadProbeResult result = ProbeReadAhead(rig.link, [&](int w) { tried.push_back(w); });
        EXPECT_EQ(result.verdict, r.verdict);
        if (r.largestPassed > 0) {
            EXPECT_EQ(result.largestPassed, r.largestPassed);
        } else {
            EXPECT_LT(result.largestPassed, MaxReadAheadWindow);
            EXPECT_GE(result.largestPassed, 2) << "the box holds more than one command";
        }
        EXPECT_EQ(result.window, std::max(1, result.largestPassed / 2));
        EXPECT_EQ(rig.overruns() > 0, r.overruns);
        EXPECT_EQ(rig.link.connected, 1) << "a window that fails is no lost link";
        EXPECT_TRUE(rig.prompts.shown.empty());
        if (r.verdict == ProbeVerdict::Measured) {
            // Windows grow by doubling up to the first that fails (or the largest).
            ASSERT_FALSE(tried.empty());
            EXPECT_EQ(tried.front(), 2);
            const int expectedLast = std::min(result.largestPassed * 2, MaxReadAheadWindow);
            EXPECT_EQ(tried.back(), expectedLast);
        } else {
            EXPECT_TRUE(tried.empty());
        }
    }
}

TEST(ReadAheadProbe, ThePickedWindowReadsAPageWithoutOverrun) {
    for (std::size_t buffer : {1u, 2u}) {
        SCOPED_TRACE(buffer);
        BoxRig rig(SlowPortReads(buffer));
        const ReadAheadProbeResult result = ProbeReadAhead(rig.link);
        const std::size_t overrunsInProbe = rig.overruns();
        ASSERT_GT(overrunsInProbe, 0u);
        std::vector<std::uint8_t> commands(256), replies(256);
        for (std::size_t i = 0; i < commands.size(); ++i) commands[i] = i % 2 ? op::ReadStatus : op::ReadPortBase;
        const ReplyRunResult run =
            RunReplyCommands(rig.link, commands.data(), commands.size(), result.window, replies.data(), {});
        EXPECT_EQ(run.end, ReplyRunEnd::Complete);
        EXPECT_EQ(rig.overruns(), overrunsInProbe);
    }
}

TEST(ReadAheadProbe, LeavesTheBoxIdleAsTheHandshakeDid) {
    BoxRig idle;
    for (const sim::BoxConfig& config : {sim::BoxConfig{}, SlowPortReads(1)}) {
        BoxRig probed(config);
        ProbeReadAhead(probed.link);
        EXPECT_TRUE(probed.box->socket().registers() == idle.box->socket().registers());
        EXPECT_EQ(probed.box->socket().boxDrivenPins(), idle.box->socket().boxDrivenPins());
        EXPECT_EQ(probed.box->socket().vccPins(), 0u);
        EXPECT_EQ(probed.box->socket().vppPins(), 0u);
        EXPECT_TRUE(probed.link.images == idle.link.images);
        EXPECT_FALSE(probed.box->hasReply()) << "every reply taken";
    }
}

TEST(ReadAheadProbe, ABoxThatGoesSilentIsALostLink) {
    // Bytes into the probe: in its set-up (15 bytes), in the first check (16
    // reads), in window 2 and in window 64.
    for (std::uint64_t silentAfter : {5u, 20u, 300u, 3000u}) {
        SCOPED_TRACE(silentAfter);
        BoxRig rig;
        rig.box->faults().silentAfterBytes = rig.box->bytesReceived() + silentAfter;
        EXPECT_THROW(ProbeReadAhead(rig.link), LinkLost);
        EXPECT_EQ(rig.link.connected, 0);
        EXPECT_TRUE(rig.link.lost);
        EXPECT_EQ(rig.prompts.texts(), std::vector<std::string>{LostLinkMessage});
    }
}

TEST(ReadAheadProbe, SoftRunSendsNothing) {
    LinkState link;
    const ReadAheadProbeResult result = ProbeReadAhead(link);
    EXPECT_EQ(result.verdict, ProbeVerdict::NoBox);
    EXPECT_EQ(result.window, 1);
    EXPECT_FALSE(link.lost);
}

} // namespace
} // namespace quarvin::test
