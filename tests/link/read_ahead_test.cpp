// ReadNextBytes: how many reads it keeps on their way, where it stops, and what a
// missing reply does.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "link/commands/ReadAhead.h"
#include "support/FakePlatform.h"

namespace quarvin::test {
namespace {

// Answers each command byte with its running number (low byte), optionally
// leaving one command unanswered, and keeps count of unanswered commands.
class CountingBox : public Transport {
public:
    long lostCommand = -1; // index of a command that gets no reply
    std::size_t written = 0, answered = 0, mostOutstanding = 0;
    std::vector<std::size_t> writes;
    std::vector<std::uint8_t> queue;

    bool write(const std::uint8_t* data, std::size_t n) override {
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(data[i], op::ReadNext);
            if (static_cast<long>(written + i) != lostCommand)
                queue.push_back(static_cast<std::uint8_t>(written + i));
        }
        written += n;
        writes.push_back(n);
        mostOutstanding = std::max(mostOutstanding, written - answered);
        return true;
    }
    int readByte(int) override {
        if (queue.empty()) return -1;
        const int v = queue.front();
        queue.erase(queue.begin());
        ++answered;
        return v;
    }
    void close() override {}
    std::size_t outstanding() const { return queue.size(); }
};

// A box whose replies reach the host in bunches of up to `bunch`, as a line
// hands over what came together: byteReady() tells which are there. Awaiting a
// reply whose command the host still holds would hang a real line: here it
// fails the test, as does a promise of more replies than commands were given.
template <class Box>
class Bunching : public Box {
public:
    std::size_t bunch = 5;

    bool byteReady() const override { return !ready_.empty(); }
    void repliesComing(std::size_t n) override { coming_ = n; }
    int readByte(int timeoutMs) override {
        if (ready_.empty()) {
            const std::size_t given = this->outstanding();
            EXPECT_GT(given, 0u) << "a reply awaited while its command is held back";
            EXPECT_LE(coming_, given) << "more replies promised than commands given";
            for (std::size_t i = 0; i < std::min(bunch, given); ++i) ready_.push_back(Box::readByte(timeoutMs));
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

struct Rig {
    FakePrompts prompts;
    LinkState link;
    CountingBox* box = nullptr;
    explicit Rig(int window) {
        auto t = std::make_unique<CountingBox>();
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
        Rig rig(r.window);
        std::vector<std::uint8_t> got(r.n);
        EXPECT_EQ(ReadNextBytes(rig.link, got.data(), r.n), r.n);
        for (std::size_t i = 0; i < r.n; ++i) ASSERT_EQ(got[i], static_cast<std::uint8_t>(i));
        EXPECT_EQ(rig.box->written, r.n);
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
        Rig rig(r.window);
        std::vector<std::uint8_t> got(256, 0xEE);
        const std::size_t stored = ReadNextBytes(rig.link, got.data(), 256, [&](std::size_t i, std::uint8_t) {
            return i == r.stopAt;
        });
        EXPECT_EQ(stored, r.stopAt + 1);
        EXPECT_EQ(got[r.stopAt], static_cast<std::uint8_t>(r.stopAt));
        EXPECT_EQ(got[r.stopAt + 1], 0xEE) << "replies after the stop are not stored";
        EXPECT_EQ(rig.box->written, r.sent);
        EXPECT_EQ(rig.box->answered, r.sent) << "the line is quiet afterwards";
    }
}

TEST(ReadNextBytes, AMissingReplyLosesTheLinkInsteadOfShiftingTheData) {
    for (int window : {1, 16}) {
        SCOPED_TRACE(window);
        Rig rig(window);
        rig.box->lostCommand = 9;
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
        Rig rig(128);
        auto box = std::make_unique<Bunching<CountingBox>>();
        box->bunch = bunch;
        auto* counting = box.get();
        rig.link.port = std::move(box);
        std::vector<std::uint8_t> got(600);
        EXPECT_EQ(ReadNextBytes(rig.link, got.data(), got.size()), got.size());
        for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], static_cast<std::uint8_t>(i));
        EXPECT_EQ(counting->written, got.size());
        EXPECT_EQ(counting->mostOutstanding, 128u);
        // Pages of 256, 256 and 88 reads: one write to start each, then one for
        // every bunch of replies taken.
        EXPECT_LE(counting->writes.size(), 3 + (got.size() + bunch - 1) / bunch);
    }
}

TEST(ReadNextBytes, SoftRunReadsAll255WithoutAPort) {
    LinkState link;
    std::vector<std::uint8_t> got(10, 0);
    EXPECT_EQ(ReadNextBytes(link, got.data(), got.size(), [](std::size_t i, std::uint8_t) { return i == 3; }), 4u);
    EXPECT_EQ(got, (std::vector<std::uint8_t>{255, 255, 255, 255, 0, 0, 0, 0, 0, 0}));
}

// Answers port and status reads with a running number; pin steps get no reply.
class PinBox : public Transport {
public:
    std::vector<std::uint8_t> wire;
    std::size_t reads = 0, answered = 0, mostOutstanding = 0, largestWrite = 0;

    bool write(const std::uint8_t* data, std::size_t n) override {
        wire.insert(wire.end(), data, data + n);
        for (std::size_t i = 0; i < n; ++i)
            reads += (data[i] >= op::ReadPortBase && data[i] < op::ReadPortBase + op::PortCount) || data[i] == op::ReadStatus;
        largestWrite = std::max(largestWrite, n);
        mostOutstanding = std::max(mostOutstanding, reads - answered);
        return true;
    }
    int readByte(int) override { return answered < reads ? static_cast<std::uint8_t>(0x35 * ++answered) : -1; }
    void close() override {}
    std::size_t outstanding() const { return reads - answered; }
};

struct PinBoxRun { PinBox box; std::vector<int> values; };

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
void ExpectSameReadsAtEveryWindow(const ReadsOnPinBox& reads) {
    const auto run = [&](int window, PinBoxRun& r) {
        LinkState link;
        link.port = std::make_unique<Bunching<PinBox>>();
        link.connected = 1;
        link.readAheadWindow = window;
        reads(link, r.values);
        PinLow(link, 21);
        const auto* box = dynamic_cast<PinBox*>(link.port.get());
        ASSERT_NE(box, nullptr) << "the link has its own port back";
        r.box = *box;
    };
    PinBoxRun one, three, wide;
    run(1, one);
    run(3, three);
    run(128, wide);
    ASSERT_EQ(one.values.size(), 40u);
    EXPECT_EQ(one.box.largestWrite, 1u);
    for (const PinBoxRun* r : {&three, &wide}) {
        EXPECT_EQ(r->box.wire, one.box.wire);
        EXPECT_EQ(r->values, one.values);
        EXPECT_EQ(r->box.answered, r->box.reads);
        EXPECT_GT(r->box.largestWrite, 1u) << "pin steps and reads go out together";
    }
    EXPECT_EQ(three.box.mostOutstanding, 3u);
    EXPECT_EQ(wide.box.mostOutstanding, 40u);
}

TEST(PinReadsAhead, SendsReadPinsBytesKeepsAtMostTheWindowOnItsWayAndGivesLevelsInOrder) {
    ExpectSameReadsAtEveryWindow([](LinkState& link, std::vector<int>& levels) {
        PinReadsAhead reads(link, [&](int level) { levels.push_back(level); });
        // Pin 21 is on port 2, pin 20 in the status byte.
        BetweenPinSteps(link, [&](int i) { reads.readPin(i % 3 ? 21 : 20); });
        reads.drain();
    });
}

TEST(PortReadsAhead, SendsReadPortsBytesKeepsAtMostTheWindowOnItsWayAndGivesValuesInOrder) {
    ExpectSameReadsAtEveryWindow([](LinkState& link, std::vector<int>& values) {
        PortReadsAhead reads(link, [&](std::uint8_t value) { values.push_back(value); });
        BetweenPinSteps(link, [&](int i) { reads.readPort(i % op::PortCount); });
        reads.drain();
    });
}

} // namespace
} // namespace quarvin::test
