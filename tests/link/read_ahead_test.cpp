// ReadNextBytes: how many reads it keeps on their way, where it stops, and what a
// missing reply does.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/commands/ReadAhead.h"
#include "support/FakePlatform.h"

namespace quarvin::test {
namespace {

// The reply to the i-th read: distinct for 256 reads in a row, and with every bit changing.
std::uint8_t ReplyTo(std::size_t i) { return static_cast<std::uint8_t>(0x35 * i); }

// Answers each read (read-next, port or status) with ReplyTo its running number,
// optionally leaving one unanswered; pin steps get no reply. Keeps the stream, the
// size of each write and the most reads owed at once.
class ReadingBox : public Transport {
public:
    long lostRead = -1; // index of a read that gets no reply
    std::vector<std::uint8_t> wire;
    std::vector<std::size_t> writes;
    std::size_t reads = 0, answered = 0, mostOutstanding = 0;

    bool write(const std::uint8_t* data, std::size_t n) override {
        wire.insert(wire.end(), data, data + n);
        writes.push_back(n);
        for (std::size_t i = 0; i < n; ++i) {
            const bool port = data[i] >= op::ReadPortBase && data[i] < op::ReadPortBase + op::PortCount;
            if (!port && data[i] != op::ReadStatus && data[i] != op::ReadNext) continue;
            if (static_cast<long>(reads) != lostRead) queue_.push_back(ReplyTo(reads));
            ++reads;
        }
        mostOutstanding = std::max(mostOutstanding, reads - answered);
        return true;
    }
    int readByte(int) override {
        if (queue_.empty()) return -1;
        const int v = queue_.front();
        queue_.pop_front();
        ++answered;
        return v;
    }
    void close() override {}
    std::size_t outstanding() const { return queue_.size(); }
    std::size_t largestWrite() const { return *std::max_element(writes.begin(), writes.end()); }

private:
    std::deque<std::uint8_t> queue_;
};

// A box whose replies reach the host in bunches of up to `bunch`, as a line
// hands over what came together: byteReady() tells which are there. Awaiting a
// reply whose command the host still holds would hang a real line: here it
// fails the test, as does a promise of more replies than commands were given.
class Bunching : public ReadingBox {
public:
    std::size_t bunch = 5;

    bool byteReady() const override { return !ready_.empty(); }
    void repliesComing(std::size_t n) override { coming_ = n; }
    int readByte(int timeoutMs) override {
        if (ready_.empty()) {
            const std::size_t given = outstanding();
            EXPECT_GT(given, 0u) << "a reply awaited while its command is held back";
            EXPECT_LE(coming_, given) << "more replies promised than commands given";
            for (std::size_t i = 0; i < std::min(bunch, given); ++i) ready_.push_back(ReadingBox::readByte(timeoutMs));
            if (ready_.empty()) return -1;
        }
        coming_ = 0;
        const int v = ready_.front();
        ready_.erase(ready_.begin());
        return v;
    }

private:
    std::vector<int> ready_;
    std::size_t coming_ = 0;
};

// A connected link over a box of the kind given, reading ahead with window.
template <class Box = ReadingBox> struct Rig {
    FakePrompts prompts;
    LinkState link;
    Box* box = nullptr;
    explicit Rig(int window) {
        auto t = std::make_unique<Box>();
        box = t.get();
        link.port = std::move(t);
        link.connected = 1;
        link.readAheadWindow = window;
        link.prompts = &prompts;
    }
};

TEST(ReadNextBytes, KeepsAtMostTheWindowOnItsWayAndReturnsEveryReplyInOrder) {
    struct Row { int window; std::size_t n; std::size_t mostOutstanding; std::size_t writes; };
    const Row rows[] = {
        {1, 5, 1, 5},
        {3, 10, 3, 8},     // 3 at once, then one per reply
        {128, 100, 100, 1},
        {128, 600, 128, 129 + 129 + 1}, // in pages: 256, 256, 88
        {1000, 300, 256, 2},  // the window is capped at a page
        {0, 4, 1, 4},      // no window means one read at a time
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.window);
        Rig<> rig(r.window);
        std::vector<std::uint8_t> got(r.n);
        EXPECT_EQ(ReadNextBytes(rig.link, got.data(), r.n), r.n);
        for (std::size_t i = 0; i < r.n; ++i) ASSERT_EQ(got[i], ReplyTo(i));
        EXPECT_EQ(rig.box->wire, std::vector<std::uint8_t>(r.n, op::ReadNext));
        EXPECT_EQ(rig.box->answered, r.n) << "every reply is taken before it returns";
        EXPECT_EQ(rig.box->mostOutstanding, r.mostOutstanding);
        EXPECT_EQ(rig.box->writes.size(), r.writes);
    }
}

TEST(ReadNextBytes, StopsAtTheAcceptedReplyAndDropsTheRepliesSentAhead) {
    struct Row { int window; std::size_t stopAt; std::size_t sent; };
    const Row rows[] = {{1, 7, 8}, {4, 7, 11}, {64, 7, 71}, {64, 250, 256}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.window);
        Rig<> rig(r.window);
        std::vector<std::uint8_t> got(256, 0xEE);
        const std::size_t stored = ReadNextBytes(rig.link, got.data(), 256, [&](std::size_t i, std::uint8_t) {
            return i == r.stopAt;
        });
        EXPECT_EQ(stored, r.stopAt + 1);
        EXPECT_EQ(got[r.stopAt], ReplyTo(r.stopAt));
        EXPECT_EQ(got[r.stopAt + 1], 0xEE) << "replies after the stop are not stored";
        EXPECT_EQ(rig.box->reads, r.sent);
        EXPECT_EQ(rig.box->answered, r.sent) << "the line is quiet afterwards";
    }
}

TEST(ReadNextBytes, AMissingReplyLosesTheLinkInsteadOfShiftingTheData) {
    for (int window : {1, 16}) {
        SCOPED_TRACE(window);
        Rig<> rig(window);
        rig.box->lostRead = 9;
        std::vector<std::uint8_t> got(40);
        EXPECT_THROW(ReadNextBytes(rig.link, got.data(), got.size()), LinkLost);
        EXPECT_EQ(rig.link.connected, 0);
        EXPECT_TRUE(rig.link.lost);
        ASSERT_EQ(rig.prompts.shown.size(), 1u);
        EXPECT_EQ(rig.prompts.shown[0].text, LostLinkMessage);
    }
}

TEST(ReadNextBytes, RepliesThatCameTogetherAreTakenBeforeTheTopUpGoesOutInOneWrite) {
    for (std::size_t bunch : {1u, 5u, 64u}) {
        SCOPED_TRACE(bunch);
        Rig<Bunching> rig(128);
        rig.box->bunch = bunch;
        std::vector<std::uint8_t> got(600);
        EXPECT_EQ(ReadNextBytes(rig.link, got.data(), got.size()), got.size());
        for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], ReplyTo(i));
        EXPECT_EQ(rig.box->reads, got.size());
        EXPECT_EQ(rig.box->mostOutstanding, 128u);
        // Pages of 256, 256 and 88 reads: one write to start each, then one for
        // every bunch of replies taken.
        EXPECT_LE(rig.box->writes.size(), 3 + (got.size() + bunch - 1) / bunch);
    }
}

TEST(ReadNextBytes, SoftRunReadsAll255WithoutAPort) {
    LinkState link;
    std::vector<std::uint8_t> got(10, 0);
    EXPECT_EQ(ReadNextBytes(link, got.data(), got.size(), [](std::size_t i, std::uint8_t) { return i == 3; }), 4u);
    EXPECT_EQ(got, (std::vector<std::uint8_t>{255, 255, 255, 255, 0, 0, 0, 0, 0, 0}));
}

struct PinBoxRun { ReadingBox box; std::vector<int> values; };

// Makes its reads through a reads-ahead object of its own on link and puts the
// values into values in order.
using ReadsOnPinBox = std::function<void(LinkState& link, std::vector<int>& values)>;

// Forty reads with a pin step on either side of each.
void BetweenPinSteps(LinkState& link, const std::function<void(int i)>& read) {
    for (int i = 0; i < 40; ++i) {
        PinHigh(link, 22);
        read(i);
        PinLow(link, 22);
    }
}

// The reads at windows 1, 3 and 128: the same bytes and values in the same
// order, at most the window of reads on their way, the port the link's own after.
// The last read names no pin or port: it sends nothing and gives 0.
void ExpectSameReadsAtEveryWindow(const ReadsOnPinBox& reads) {
    const auto run = [&](int window, PinBoxRun& r) {
        Rig<Bunching> rig(window);
        reads(rig.link, r.values);
        PinLow(rig.link, 21);
        ASSERT_EQ(rig.link.port.get(), rig.box) << "the link has its own port back";
        r.box = *rig.box;
    };
    PinBoxRun one, three, wide;
    run(1, one);
    run(3, three);
    run(128, wide);
    ASSERT_EQ(one.values.size(), 40u);
    EXPECT_EQ(one.box.largestWrite(), 1u);
    for (const PinBoxRun* r : {&three, &wide}) {
        EXPECT_EQ(r->box.wire, one.box.wire);
        EXPECT_EQ(r->values, one.values);
        EXPECT_EQ(r->box.answered, r->box.reads);
        EXPECT_GT(r->box.largestWrite(), 1u) << "pin steps and reads go out together";
    }
    EXPECT_EQ(three.box.mostOutstanding, 3u);
    EXPECT_EQ(wide.box.mostOutstanding, 39u) << "all but the last, a read of nothing";
}

TEST(PinReadsAhead, SendsReadPinsBytesKeepsAtMostTheWindowOnItsWayAndGivesLevelsInOrder) {
    ExpectSameReadsAtEveryWindow([](LinkState& link, std::vector<int>& levels) {
        PinReadsAhead reads(link, [&](int level) { levels.push_back(level); });
        // Pin 21 is on port 2, pin 20 in the status byte; pin 0 reads 0 unasked.
        BetweenPinSteps(link, [&](int i) { reads.readPin(i == 39 ? 0 : i % 3 ? 21 : 20); });
        reads.drain();
    });
}

TEST(PortReadsAhead, SendsReadPortsBytesKeepsAtMostTheWindowOnItsWayAndGivesValuesInOrder) {
    ExpectSameReadsAtEveryWindow([](LinkState& link, std::vector<int>& values) {
        PortReadsAhead reads(link, [&](std::uint8_t value) { values.push_back(value); });
        BetweenPinSteps(link, [&](int i) { reads.readPort(i == 39 ? op::PortCount : i % op::PortCount); });
        reads.drain();
    });
}

} // namespace
} // namespace quarvin::test
