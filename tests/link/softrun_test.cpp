// Soft-run mode, the device and loop checks, and the loss of the link mid-operation.
#include "LinkFixture.h"

namespace quarvin::test {
namespace {

using SoftRun = LinkTest;

TEST_F(SoftRun, NothingGoesOutReadsAre255AndTheBoardIsModelA) {
    link.connected = 0;
    link.identification = "pemrav13 from COM1";
    prompts.answers = {true, false};
    EXPECT_EQ(ReceiveByte(link), 255);
    EXPECT_EQ(SumPage(link), 0xFFFF);
    EXPECT_EQ(BlankCheckPage(link), 1);
    for (int p = 1; p <= 40; ++p) EXPECT_EQ(ReadPin(link, p), 1) << p;
    EXPECT_EQ(GetBoardModel(link), 'a');
    EXPECT_EQ(TestLinkLoop(link), 0); // the low level is never seen
    ResetSocket(link);
    Delay(link, 10000);
    std::uint8_t block[4] = {1, 2, 3, 4};
    WriteBlock(link, block, 4);
    PowerDown(link);
    EXPECT_TRUE(log->written.empty());
    EXPECT_EQ(log->reads, 0);
    // The images still follow the operations: ground stays on pin 20 after power-down.
    EXPECT_EQ(link.images.vccGnd, 0x47);
    // The device check finds nothing and asks; the answer decides.
    EXPECT_EQ(CheckDeviceInSocket(link, 1, 2), 1);
    EXPECT_EQ(CheckDeviceInSocket(link, 1, 2), 0);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].kind, "yescancel");
    EXPECT_EQ(prompts.shown[0].text, "No any device on programmer!\n\nContinue?");
}

using Connected = LinkTest;

TEST_F(Connected, DeviceCheckFollowsPinBThroughTwoPasses) {
    // Pin 2 (port 0 bit 1) follows pin 1: low, high, low, high.
    log->reply({0x00, 0x02, 0x00, 0x02});
    const Wire pass = Wire().pinLow(1).readPort(0).pinHigh(1).readPort(0);
    expectSends([&] { EXPECT_EQ(CheckDeviceInSocket(link, 1, 2), 1); },
                Wire().control(1, 0x8F).mode(0x70).delay(10).control(0, 0xFE).control(0, 0xFE)
                    .pinLow(1).delay(100).repeat(2, pass)
                    .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10));
    EXPECT_TRUE(prompts.shown.empty());
    // The second pass fails: the question is asked, Cancel gives 0.
    log->reply({0x00, 0x02, 0x02, 0x02});
    prompts.answers = {false};
    EXPECT_EQ(CheckDeviceInSocket(link, 1, 2), 0);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(Connected, LoopTestPassesOnlyWhenPin1FollowsEveryTime) {
    // 101 passes of two reads each; a fault from read n (0-based) on fails. The
    // good run comes last: its stream is checked.
    const std::pair<int, int> rows[] = {{0, 0}, {1, 0}, {201, 0}, {202, 1}};
    for (auto [goodReads, result] : rows) {
        SCOPED_TRACE(goodReads);
        log->replies.clear();
        for (int i = 0; i < 202; ++i) log->replies.push_back(((i % 2 == 0) == (i < goodReads)) ? 0x01 : 0x00);
        log->clear();
        EXPECT_EQ(TestLinkLoop(link), result);
    }
    expectWire(Wire().control(0, 0xFE).repeat(101, Wire().pinHigh(1).readPort(0).pinLow(1).readPort(0)));
}

using LostLink = LinkTest;

TEST_F(LostLink, ReadTimeOutMidSequenceEndsTheOperationOnce) {
    for (int i = 0; i < 50; ++i) log->replies.push_back(i % 2 == 0 ? 0x01 : 0x00);
    log->readLimit = 7; // the box stops answering in the fourth pass
    EXPECT_THROW(TestLinkLoop(link), LinkLost);
    EXPECT_EQ(link.connected, 0);
    EXPECT_FALSE(link.port);
    EXPECT_TRUE(log->closed);
    EXPECT_EQ(log->readTimeouts.back(), 2000);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Bad COM ！\nPlease off power at one!"});
    // Soft-run from now on: no further message, no throw, reads are 255.
    const auto sent = log->written.size();
    EXPECT_NO_THROW(ResetSocket(link));
    EXPECT_EQ(ReadNextByte(link), 255);
    EXPECT_EQ(log->written.size(), sent);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(LostLink, WriteFailuresMidSequenceAndInABlock) {
    log->writeLimit = 50;
    EXPECT_THROW(ResetSocket(link), LinkLost);
    EXPECT_EQ(log->written.size(), 50u);
    EXPECT_EQ(link.connected, 0);

    LinkState other;
    connectRecording(other)->writeLimit = 10;
    std::uint8_t block[64] = {};
    EXPECT_THROW(WriteBlock(other, block, sizeof block), LinkLost); // no prompts: still no crash
    EXPECT_EQ(other.connected, 0);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

} // namespace
} // namespace quarvin::test
