// The adapter loopback test: its byte accounting, and its verdicts over adapters
// that lose, change, add or never return bytes.
#include <gtest/gtest.h>

#include <random>

#include "link/Loopback.h"
#include "support/LoopedAdapter.h"

namespace quarvin::test {
namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(gen());
    return bytes;
}

TEST(CompareEcho, CountsTheFewestEditsByKind) {
    const auto sent = RandomBytes(4096, 1);
    using Bytes = std::vector<std::uint8_t>;
    struct Row { const char* name; std::function<void(Bytes&)> edit; std::size_t lost, changed, extra; };
    const Row rows[] = {
        {"all back", [](Bytes&) {}, 0, 0, 0},
        {"nothing back", [](Bytes& e) { e.clear(); }, 4096, 0, 0},
        {"every 100th lost", [](Bytes& e) { for (std::size_t i = 40; i > 0; --i) e.erase(e.begin() + i * 100 - 1); }, 40, 0, 0},
        {"first and last lost", [](Bytes& e) { e.pop_back(); e.erase(e.begin()); }, 2, 0, 0},
        {"three bits flipped", [](Bytes& e) { for (std::size_t i : {0u, 2000u, 4095u}) e[i] ^= 0x10; }, 0, 3, 0},
        {"a byte doubled and one added at the end",
         [](Bytes& e) { e.insert(e.begin() + 1000, e[1000]); e.push_back(0); }, 0, 0, 2},
        {"a run of 300 lost in the middle", [](Bytes& e) { e.erase(e.begin() + 1500, e.begin() + 1800); }, 300, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Bytes echo = sent;
        r.edit(echo);
        const LoopbackCounts c = CompareEcho(sent, echo);
        EXPECT_EQ(c.sent, sent.size());
        EXPECT_EQ(c.received, echo.size());
        EXPECT_EQ(c.lost, r.lost);
        EXPECT_EQ(c.changed, r.changed);
        EXPECT_EQ(c.extra, r.extra);
        EXPECT_EQ(c.clean(), r.lost + r.changed + r.extra == 0);
    }
}

TEST(Loopback, VerdictTellsABadAdapterFromAGoodOne) {
    struct Row { const char* name; std::function<void(LoopedAdapter&)> fault; bool passes; const char* verdict; };
    const Row rows[] = {
        {"good adapter", [](LoopedAdapter&) {}, true, "the adapter passes every byte"},
        {"drops every 50th byte",
         [](LoopedAdapter& a) { a.line = [n = 0](std::uint8_t b, auto& q) mutable { if (++n % 50 != 0) q.push_back(b); }; },
         false, "loses, changes or adds bytes"},
        {"eats XON and XOFF (not raw)",
         [](LoopedAdapter& a) { a.line = [](std::uint8_t b, auto& q) { if (b != 0x11 && b != 0x13) q.push_back(b); }; },
         false, "loses, changes or adds bytes"},
        {"TX not joined to RX", [](LoopedAdapter& a) { a.line = [](std::uint8_t, auto&) {}; }, false,
         "no byte came back"},
        {"port gone", [](LoopedAdapter& a) { a.refuseWrites = true; }, false, "refused to send"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        LoopedAdapter adapter;
        r.fault(adapter);
        const LoopbackReport report = RunLoopback(adapter, adapter.clock(), {});
        EXPECT_EQ(report.passed(), r.passes);
        EXPECT_NE(DescribeLoopback(report).find(r.verdict), std::string::npos) << DescribeLoopback(report);
    }
}

TEST(Loopback, EveryPhaseSendsWhatItSaysAndCountsDrops) {
    LoopedAdapter adapter;
    adapter.line = [n = 0](std::uint8_t b, auto& q) mutable {
        if (++n % 1000 != 0) q.push_back(b);
    };
    const LoopbackReport report = RunLoopback(adapter, adapter.clock(), {});
    ASSERT_EQ(report.phases.size(), 3u);
    EXPECT_EQ(report.phases[0].counts.sent, 256u);
    EXPECT_EQ(report.phases[1].counts.sent, 8191u); // 1 + 2 + ... + 4096
    EXPECT_EQ(report.phases[2].counts.sent, 8191u);
    // Bytes 1000, 2000, ... of the whole run are dropped: 16 of the 16638 the phases send.
    EXPECT_EQ(report.total.lost, 16u);
    EXPECT_EQ(report.total.changed, 0u);
    EXPECT_EQ(report.total.extra, 0u);
    EXPECT_EQ(report.roundTripsUs.size(), 32u);
    EXPECT_GT(report.bytesPerSecond, 0.0);
}

// A stop ends the test where it is asked, in every phase: not a byte more is
// sent, and the verdict says "stopped", never a pass.
TEST(Loopback, StopEndsItAtOnceWithStoppedNeverAPass) {
    LoopedAdapter whole;
    int polls = 0;
    LoopbackSettings counting;
    counting.stopRequested = [&polls] { return ++polls < 0; };
    ASSERT_TRUE(RunLoopback(whole, whole.clock(), counting).passed());

    for (int stopAt : {1, polls / 4, polls / 2, polls - 2, polls}) {
        SCOPED_TRACE("stop at poll " + std::to_string(stopAt) + " of " + std::to_string(polls));
        LoopedAdapter adapter;
        std::size_t writtenAtStop = 0;
        std::vector<std::string> steps;
        LoopbackSettings settings;
        settings.status = [&steps](const std::string& step) { steps.push_back(step); };
        settings.stopRequested = [&, n = 0]() mutable {
            if (++n < stopAt) return false;
            if (n == stopAt) writtenAtStop = adapter.written;
            return true;
        };
        const LoopbackReport report = RunLoopback(adapter, adapter.clock(), settings);
        EXPECT_TRUE(report.stopped);
        EXPECT_FALSE(report.passed());
        EXPECT_EQ(adapter.written, writtenAtStop);
        EXPECT_LT(adapter.written, whole.written);
        const std::string text = DescribeLoopback(report);
        EXPECT_NE(text.find("verdict: stopped"), std::string::npos) << text;
        EXPECT_EQ(text.find("passes"), std::string::npos) << text;
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.front(), "all 256 byte values");
    }
}

} // namespace
} // namespace quarvin::test
