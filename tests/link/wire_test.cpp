// Wire-exact behaviour of the link operations from the initial register images.
#include "LinkFixture.h"

namespace quarvin::test {
namespace {

using Wires = LinkTest;

TEST_F(Wires, VppLevelSendsInvertedCodeAndClearsModeLowNibble) {
    struct Row { int mv; int code; };
    const Row rows[] = {
        {10000, 2}, {10800, 3}, {12000, 4}, {12500, 5}, {12700, 5}, {13000, 5}, {13300, 8},
        {13800, 9}, {16500, 9}, {21000, 7}, {25000, 12}, {0, 0}, {15000, 0}, {12600, 0}, {-5000, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mv);
        link.images = LinkState().images;
        expectSends([&] { SetVppLevel(link, r.mv); }, Wire().control(1, 0xF0 | (~r.code & 0x0F)).mode(0x00));
    }
}

TEST_F(Wires, ConnectVccSwitchesOnePinAndKeepsTheGroundBits) {
    struct Row { int pin; int latchA; int vccGnd; };
    const Row rows[] = {
        {8, 0xFE, 0x47}, {17, 0xFD, 0x47}, {27, 0xF7, 0x47}, {34, 0x7F, 0x47}, {36, 0xFF, 0x46},
        {40, 0xFF, 0x45}, {26, 0xFF, 0x43},
        {5, 0xFF, 0x47}, // not a Vcc pin: driven high, Vcc stays off
        {0, 0xFF, 0x47}, // Vcc off: no pin driven high
    };
    ConnectGround(link, 20);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        ConnectVcc(link, 36); // a previous Vcc pin must be released
        // Pin 36's driver goes low once its switch is open, unless it stays the Vcc pin.
        Wire expected = (r.pin ? Wire().pinHigh(r.pin) : Wire())
                            .vccLatchA(r.latchA).delay(10).vccGndLatch(r.vccGnd).delay(10);
        if (r.pin != 36) expected.pinLow(36);
        expectSends([&] { ConnectVcc(link, r.pin); }, expected);
    }
}

TEST_F(Wires, ConnectGroundDrivesPinLowAndSetsOneGroundBit) {
    struct Row { int pin; int latch; };
    const Row rows[] = {{0, 0x07}, {25, 0x0F}, {10, 0x17}, {16, 0x27}, {20, 0x47}, {31, 0x87}, {3, 0x07}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        ConnectGround(link, 31);
        // Pin 0 still goes out as opcode 79.
        expectSends([&] { ConnectGround(link, r.pin); }, Wire().pinLow(r.pin).vccGndLatch(r.latch).delay(10));
    }
}

TEST_F(Wires, VppSwitchesByPinAndReleaseOfPin20GoesThroughPin21) {
    ConnectVpp(link, 20);
    ReleaseVpp(link, 20);
    EXPECT_EQ(link.images.vppB, 0x81); // still on pin 20
    expectSends([&] { ReleaseVpp(link, 21); }, Wire().vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3));

    struct Row { int pin; int a; int b; };
    const Row rows[] = {{1, 0x01, 0x80}, {5, 0x02, 0x80}, {12, 0x40, 0x80}, {15, 0x80, 0x80},
                        {28, 0x00, 0x82}, {31, 0x00, 0x90}, {34, 0x00, 0xA0}, {2, 0x00, 0x80}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        ConnectVpp(link, 0);
        expectSends([&] { ConnectVpp(link, r.pin); }, Wire().vppLatchA(r.a).delay(3).vppLatchB(r.b).delay(3));
        ReleaseVpp(link, r.pin);
        EXPECT_EQ(link.images.vppA, 0);
        EXPECT_EQ(link.images.vppB, 0x80);
    }
    // Vpp off keeps bits 6 and 7 of latch B (raised Vcc, bit 6).
    link.images.vppB = 0x7F;
    link.images.vppA = 0xFF;
    expectSends([&] { ConnectVpp(link, 0); }, Wire().vppLatchA(0x00).delay(3).vppLatchB(0x40).delay(3));
}

TEST_F(Wires, PinLatchSendsTheWholeImageToTheRightRegister) {
    struct Row { int pin; int dir; Wire wire; };
    const Row rows[] = {
        {39, 1, Wire().direction(2, 0xE0)}, {34, 1, Wire().direction(2, 0xC1)},
        {1, 0, Wire().control(0, 0xFE)},    {8, 0, Wire().control(0, 0x7F)},
        {20, 0, Wire().control(1, 0x7F)},   {40, 0, Wire().control(1, 0xBF)},
        {16, 1, Wire().direction(1, 0x80)}, {19, 1, Wire().direction(3, 0x04)},
        {21, 1, Wire().direction(3, 0x08)}, {31, 1, Wire().direction(0, 0x20)},
        {33, 1, Wire().direction(4, 0x02)}, {0, 1, Wire()}, {41, 1, Wire()}, {-1, 0, Wire()},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        link.images = LinkState().images;
        expectSends([&] { SetPinLatch(link, r.pin, r.dir); }, r.wire);
    }
    // The image accumulates.
    link.images = LinkState().images;
    expectSends([&] { SetPinLatch(link, 21, 1); SetPinLatch(link, 17, 1); SetPinLatch(link, 21, 0); },
                Wire().direction(3, 0x08).direction(3, 0x09).direction(3, 0x01));
}

TEST_F(Wires, ReadPinOf20And40ReadsTheStatusByte) {
    // The port pins are read back one by one on the virtual box in tests/sim/pty_test.cpp.
    log->reply({0x80, 0x80, 0x40, 0x40});
    EXPECT_EQ(ReadPin(link, 20), 1);
    EXPECT_EQ(ReadPin(link, 40), 0);
    EXPECT_EQ(ReadPin(link, 20), 0);
    EXPECT_EQ(ReadPin(link, 40), 1);
    expectWire(Wire().repeat(4, Wire().readStatus().delay(3)));
}

TEST_F(Wires, OutOfRangeNumbersSendNothing) {
    for (int p : {0, -1, 41, 200}) EXPECT_EQ(ReadPin(link, p), 0) << p;
    EXPECT_EQ(ReadPort(link, -1), 0);
    EXPECT_EQ(ReadPort(link, 5), 0);
    WritePort(link, 5, 1);
    WritePort(link, -1, 1);
    PinHigh(link, 41);
    PinLow(link, -1);
    WriteDirectionRegister(link, 5, 1);
    WriteControlRegister(link, 2, 1);
    Delay(link, 0);
    Delay(link, -3);
    EXPECT_TRUE(log->written.empty()) << describe(log->written);
    EXPECT_EQ(log->reads, 0);
}

TEST_F(Wires, ShutDownBuildsTheBitReverseTable) {
    // ShutDownSocket's stream ends the idle state (Startup.IdleStateFollowsTheHandshake).
    ShutDownSocket(link);
    const std::pair<int, int> reversed[] = {{0x00, 0x00}, {0x01, 0x80}, {0x12, 0x48}, {0x3F, 0xFC}, {0xFE, 0x7F}};
    for (auto [in, out] : reversed) EXPECT_EQ(link.bitReverse[in], out) << in;
    for (int i = 0; i < 256; ++i) ASSERT_EQ(link.bitReverse[link.bitReverse[i]], i) << i;
}

TEST_F(Wires, ProbeGroundSwitch) {
    log->reply({0x00}); // pin 31 pulled low by the ground switch
    expectSends([&] { EXPECT_EQ(ProbeGroundSwitch(link), 1); },
                Wire().vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3)
                    .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10)
                    .delay(50).direction(0, 0x20)
                    .pinLow(31).vccGndLatch(0x87).delay(10)
                    .readPort(3)
                    .pinLow(0).vccGndLatch(0x07).delay(10));
    log->reply({0x20});
    EXPECT_EQ(ProbeGroundSwitch(link), 0);
}

TEST_F(Wires, BlockWritesGoOutInOneCall) {
    // Empty or missing blocks send nothing.
    std::uint8_t block[256];
    for (int i = 0; i < 256; ++i) block[i] = static_cast<std::uint8_t>(i);
    WriteBlock(link, block, sizeof block);
    WriteBlock(link, block, 0);
    WriteBlock(link, nullptr, 5);
    ASSERT_EQ(log->writes.size(), 1u);
    EXPECT_EQ(log->writes[0], std::vector<std::uint8_t>(block, block + 256));
}

TEST_F(Wires, ReadPortsPageReversesPins32To39AndStepsTheCounter) {
    BuildBitReverseTable(link);
    link.lowAddressCounter = 0xFE;
    // Byte 0: pins 34..39 high. Byte 1: only pin 32 high. Byte 2: only pin 39 high. Then all low.
    log->reply({0x3F, 0x00, 0x00, 0x40, 0x20, 0x00});
    log->defaultReply = 0;
    std::uint8_t page[256];
    ReadPortsPage(link, page);
    EXPECT_EQ((std::vector<int>{page[0], page[1], page[2], page[255]}), (std::vector<int>{0x3F, 0x80, 0x01, 0x00}));
    EXPECT_EQ(link.lowAddressCounter, 0xFE);
    const Wire first = Wire().readPort(4).readPort(3).port(0, 0xFF).readPort(4).readPort(3).port(0, 0x00);
    EXPECT_EQ(std::vector<std::uint8_t>(log->written.begin(), log->written.begin() + 8), first.bytes());
    EXPECT_EQ(log->written.size(), 256u * 4);
}

// One operation per row, in order; a fresh row starts from the initial register images.
TEST_F(Wires, OperationStreams) {
    struct Row { const char* what; bool fresh; std::function<void()> op; Wire wire; };
    const Row rows[] = {
        {"width 12", true, [&] { SetDataWidth(link, 12); }, Wire().direction(3, 0xFF)},
        {"width 9", false, [&] { SetDataWidth(link, 9); }, Wire().direction(3, 0xF0).direction(0, 0x0F).direction(1, 0x10)},
        {"width 7", false, [&] { SetDataWidth(link, 7); }, Wire().direction(2, 0x7F).direction(4, 0x03)},
        // Mode 15 masks the images left by the modes before it.
        {"width 15", false, [&] {
             link.images.direction[0] = 0x3F;
             link.images.direction[2] = 0xFF;
             link.images.direction[4] = 0x07;
             SetDataWidth(link, 15);
         }, Wire().direction(3, 0x00).direction(0, 0x30).direction(2, 0x80).direction(4, 0x04).direction(1, 0x00)},
        {"widths 8 and 0", false, [&] { SetDataWidth(link, 8); SetDataWidth(link, 0); }, Wire()},
        {"power down", true, [&] { PowerDown(link); },
         Wire().control(1, 0xFF).mode(0x00).vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3)
             .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10).control(1, 0x8F).mode(0x70).delay(10).powerOff()},
        {"clock off", true, [&] { ConnectClock(link, 0); }, Wire().control(1, 0x8F).mode(0x70).delay(10)},
        {"clock 19", false, [&] { ConnectClock(link, 19); }, Wire().control(1, 0x8F).mode(0x60).delay(10)},
        {"clock 15", false, [&] { ConnectClock(link, 15); }, Wire().control(1, 0x8F).mode(0x50).delay(10)},
        {"clock 7", false, [&] { ConnectClock(link, 7); }, Wire()},
        {"clock mode 4", false, [&] { SetClockMode(link, 4); }, Wire().control(1, 0x8F).mode(0x30).delay(10)},
        {"bus 0x40", false, [&] { SetBusMode(link, 0x40); },
         Wire().busMode(0x40).control(1, 0x8F).mode(0x70).delay(10).control(0, 0xFF).control(0, 0xFF)},
        {"bus 0x80", false, [&] { SetBusMode(link, 0x80); },
         Wire().busMode(0x80).control(1, 0x8F).mode(0x30).delay(10).control(0, 0xBF).control(0, 0xBF)},
        {"bus 0x00", false, [&] { SetBusMode(link, 0x00); },
         Wire().busMode(0x00).control(1, 0x8F).mode(0x30).delay(10).control(0, 0xBF).control(0, 0x3F)},
        // Switched Vcc looks at the box name only.
        {"switched Vcc, old box", true, [&] { link.identification = "zomexv52 from COM3"; ConnectVccSwitched(link, 8); },
         Wire().pinHigh(8).vccLatchA(0xFE).delay(10).vccGndLatch(0x07).delay(10)},
        {"switched Vcc, new box", false, [&] { link.identification = "quarvinc from COM3"; ConnectVccSwitched(link, 8); },
         Wire().vppLatchB(0x00).delay(500).pinHigh(8).vccLatchA(0xFE).delay(10).vccGndLatch(0x07).delay(10)},
        {"switched Vcc off", false, [&] { ConnectVccSwitched(link, 0); },
         Wire().vppLatchB(0x80).delay(500).vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10).pinLow(8)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        if (r.fresh) link.images = LinkState().images;
        expectSends(r.op, r.wire);
    }
}

} // namespace
} // namespace quarvin::test
