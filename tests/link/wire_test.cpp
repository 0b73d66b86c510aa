// Wire-exact behaviour of the link operations from the initial register images.
#include "LinkFixture.h"

namespace quarvin::test {
namespace {

using Wires = LinkTest;

TEST_F(Wires, VppLevelSendsInvertedCodeAndClearsModeLowNibble) {
    struct Row { int mv; int code; };
    const Row rows[] = {
        {10000, 2}, {10800, 3}, {12000, 4}, {12500, 5}, {12700, 5}, {13000, 5},
        {13300, 8}, {13800, 9}, {14000, 9}, {14500, 9}, {16500, 9}, {21000, 7},
        {25000, 12}, {0, 0}, {15000, 0}, {12600, 0}, {-5000, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mv);
        LinkState fresh;
        link.images = fresh.images;
        log->clear();
        SetVppLevel(link, r.mv);
        expectWire(Wire().control(1, 0xF0 | (~r.code & 0x0F)).mode(0x00));
    }
    // Level 15000 is Vpp off: the low nibble of control register 1 reads 0xF.
    SetVppLevel(link, 15000);
    EXPECT_EQ(link.images.control[1] & 0x0F, 0x0F);
}

TEST_F(Wires, ConnectVccOffKeepsGroundBitsAndSendsNoPinHigh) {
    ConnectGround(link, 20);
    log->clear();
    ConnectVcc(link, 0);
    expectWire(Wire().vccLatchA(0xFF).delay(10).vccGndLatch(0x47).delay(10));
}

TEST_F(Wires, ConnectVccSwitchesExactlyOnePin) {
    struct Row { int pin; int latchA; int vccGnd; };
    const Row rows[] = {
        {8, 0xFE, 0x07}, {17, 0xFD, 0x07}, {25, 0xFB, 0x07}, {27, 0xF7, 0x07},
        {28, 0xEF, 0x07}, {30, 0xDF, 0x07}, {32, 0xBF, 0x07}, {34, 0x7F, 0x07},
        {36, 0xFF, 0x06}, {40, 0xFF, 0x05}, {26, 0xFF, 0x03},
        {5, 0xFF, 0x07}, // not a Vcc pin: driven high, Vcc stays off
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        ConnectVcc(link, 36); // a previous Vcc pin must be released
        log->clear();
        ConnectVcc(link, r.pin);
        expectWire(Wire().pinHigh(r.pin).vccLatchA(r.latchA).delay(10).vccGndLatch(r.vccGnd).delay(10));
    }
}

TEST_F(Wires, ConnectGroundDrivesPinLowAndSetsOneGroundBit) {
    struct Row { int pin; int latch; };
    const Row rows[] = {
        {0, 0x07}, {25, 0x0F}, {10, 0x17}, {16, 0x27}, {20, 0x47}, {31, 0x87}, {3, 0x07},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        ConnectGround(link, 31);
        log->clear();
        ConnectGround(link, r.pin);
        // Pin 0 still goes out as opcode 79.
        expectWire(Wire().pinLow(r.pin).vccGndLatch(r.latch).delay(10));
    }
}

TEST_F(Wires, VppSwitchesByPinAndReleaseOfPin20GoesThroughPin21) {
    ConnectVpp(link, 20);
    ReleaseVpp(link, 20);
    EXPECT_EQ(link.images.vppB, 0x81); // still on pin 20
    log->clear();
    ReleaseVpp(link, 21);
    expectWire(Wire().vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3));

    struct Row { int pin; int a; int b; };
    const Row rows[] = {
        {1, 0x01, 0x80}, {5, 0x02, 0x80}, {7, 0x04, 0x80}, {9, 0x08, 0x80},
        {10, 0x10, 0x80}, {11, 0x20, 0x80}, {12, 0x40, 0x80}, {15, 0x80, 0x80},
        {28, 0x00, 0x82}, {29, 0x00, 0x84}, {30, 0x00, 0x88}, {31, 0x00, 0x90},
        {34, 0x00, 0xA0}, {2, 0x00, 0x80},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        ConnectVpp(link, 0);
        log->clear();
        ConnectVpp(link, r.pin);
        expectWire(Wire().vppLatchA(r.a).delay(3).vppLatchB(r.b).delay(3));
        ReleaseVpp(link, r.pin);
        EXPECT_EQ(link.images.vppA, 0);
        EXPECT_EQ(link.images.vppB, 0x80);
    }
}

TEST_F(Wires, VppOffKeepsBitsSixAndSeven) {
    link.images.vppB = 0x7F; // raised Vcc, bit 6 set, all switches closed
    link.images.vppA = 0xFF;
    ConnectVpp(link, 0);
    expectWire(Wire().vppLatchA(0x00).delay(3).vppLatchB(0x40).delay(3));
}

TEST_F(Wires, PinLatchSendsTheWholeImageToTheRightRegister) {
    struct Row { int pin; int dir; Wire wire; };
    const Row rows[] = {
        {39, 1, Wire().direction(2, 0xE0)},
        {34, 1, Wire().direction(2, 0xC1)},
        {1, 0, Wire().control(0, 0xFE)},
        {8, 0, Wire().control(0, 0x7F)},
        {20, 0, Wire().control(1, 0x7F)},
        {40, 0, Wire().control(1, 0xBF)},
        {9, 1, Wire().direction(1, 0x01)},
        {16, 1, Wire().direction(1, 0x80)},
        {17, 1, Wire().direction(3, 0x01)},
        {19, 1, Wire().direction(3, 0x04)},
        {21, 1, Wire().direction(3, 0x08)},
        {25, 1, Wire().direction(3, 0x80)},
        {26, 1, Wire().direction(0, 0x01)},
        {31, 1, Wire().direction(0, 0x20)},
        {32, 1, Wire().direction(4, 0x01)},
        {33, 1, Wire().direction(4, 0x02)},
        {0, 1, Wire()}, {41, 1, Wire()}, {-1, 0, Wire()},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        link.images = LinkState().images;
        log->clear();
        SetPinLatch(link, r.pin, r.dir);
        expectWire(r.wire);
    }
}

TEST_F(Wires, PinLatchAccumulatesInTheImage) {
    SetPinLatch(link, 21, 1);
    SetPinLatch(link, 17, 1);
    SetPinLatch(link, 21, 0);
    expectWire(Wire().direction(3, 0x08).direction(3, 0x09).direction(3, 0x01));
    EXPECT_EQ(link.images.direction[2], 0x00);
}

TEST_F(Wires, ReadPinUsesStatusByteForPins20And40) {
    log->reply({0x80, 0x80, 0x40, 0x40});
    EXPECT_EQ(ReadPin(link, 20), 1);
    EXPECT_EQ(ReadPin(link, 40), 0);
    EXPECT_EQ(ReadPin(link, 20), 0);
    EXPECT_EQ(ReadPin(link, 40), 1);
    Wire status = Wire().readStatus().delay(3);
    expectWire(Wire().repeat(4, status));
}

TEST_F(Wires, ReadPinReadsTheBitOfItsPort) {
    struct Row { int pin; int port; int bit; };
    const Row rows[] = {
        {1, 0, 0}, {8, 0, 7}, {9, 1, 0}, {16, 1, 7}, {17, 2, 0}, {19, 2, 2},
        {21, 2, 3}, {25, 2, 7}, {26, 3, 0}, {33, 3, 7}, {34, 4, 0}, {39, 4, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        log->clear();
        log->reply({1 << r.bit, 0xFF ^ (1 << r.bit)});
        EXPECT_EQ(ReadPin(link, r.pin), 1);
        EXPECT_EQ(ReadPin(link, r.pin), 0);
        expectWire(Wire().readPort(r.port).readPort(r.port));
    }
}

TEST_F(Wires, OutOfRangeNumbersSendNothing) {
    for (int p : {0, -1, 41, 200}) {
        SCOPED_TRACE(p);
        EXPECT_EQ(ReadPin(link, p), 0);
    }
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

TEST_F(Wires, DataWidthModes) {
    SetDataWidth(link, 12);
    expectWire(Wire().direction(3, 0xFF));

    log->clear();
    SetDataWidth(link, 9);
    expectWire(Wire().direction(3, 0xF0).direction(0, 0x0F).direction(1, 0x10));

    log->clear();
    SetDataWidth(link, 7);
    expectWire(Wire().direction(2, 0x7F).direction(4, 0x03));

    // Mode 15 masks the images left by the modes before it.
    log->clear();
    link.images.direction[0] = 0x3F;
    link.images.direction[2] = 0xFF;
    link.images.direction[4] = 0x07;
    SetDataWidth(link, 15);
    expectWire(Wire().direction(3, 0x00).direction(0, 0x30).direction(2, 0x80).direction(4, 0x04)
                   .direction(1, 0x00));

    log->clear();
    SetDataWidth(link, 8);
    SetDataWidth(link, 0);
    expectWire(Wire());
}

TEST_F(Wires, ResetSocketDrivesEveryPinAndGroundsPin20) {
    Wire w;
    int control0 = 0xFF;
    for (int p = 1; p <= 8; ++p) w.control(0, control0 &= ~(1 << (p - 1)));
    for (int p = 9; p <= 16; ++p) w.direction(1, 0x00);
    for (int p = 17; p <= 19; ++p) w.direction(3, 0x00);
    w.control(1, 0x7F);
    for (int p = 21; p <= 25; ++p) w.direction(3, 0x00);
    for (int p = 26; p <= 31; ++p) w.direction(0, 0x00);
    for (int p = 32; p <= 33; ++p) w.direction(4, 0x00);
    for (int p = 34; p <= 39; ++p) w.direction(2, 0xC0);
    w.control(1, 0x3F);
    w.control(1, 0x3F).mode(0x00);                              // Vpp off
    for (int n = 0; n < 5; ++n) w.port(n, 0x00);
    w.pinLow(20).vccGndLatch(0x47).delay(10);                   // ground on pin 20
    w.control(1, 0x0F).mode(0x70).delay(10);                    // clock off
    ResetSocket(link);
    expectWire(w);
}

TEST_F(Wires, ShutDownSocketSwitchesOffAndBuildsBitReverseTable) {
    ShutDownSocket(link);
    expectWire(Wire()
                   .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10)
                   .control(1, 0x8F).mode(0x70).delay(10)
                   .pinLow(0).vccGndLatch(0x07).delay(10)
                   .control(1, 0x8F).mode(0x70));
    struct Row { int in; int out; };
    const Row rows[] = {{0x00, 0x00}, {0x01, 0x80}, {0x0F, 0xF0}, {0x12, 0x48}, {0xA5, 0xA5},
                        {0x3F, 0xFC}, {0xFE, 0x7F}};
    for (const Row& r : rows) EXPECT_EQ(link.bitReverse[r.in], r.out) << r.in;
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(link.bitReverse[link.bitReverse[i]], i) << i;
}

TEST_F(Wires, PowerDownEndsWithOpcodeZero) {
    PowerDown(link);
    expectWire(Wire()
                   .control(1, 0xFF).mode(0x00)
                   .vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3)
                   .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10)
                   .control(1, 0x8F).mode(0x70).delay(10)
                   .powerOff());
}

TEST_F(Wires, ProbeGroundSwitch) {
    const Wire expected = Wire()
        .vppLatchA(0x00).delay(3).vppLatchB(0x80).delay(3)
        .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10)
        .delay(50)
        .direction(0, 0x20)
        .pinLow(31).vccGndLatch(0x87).delay(10)
        .readPort(3)
        .pinLow(0).vccGndLatch(0x07).delay(10);
    log->reply({0x00}); // pin 31 pulled low by the ground switch
    EXPECT_EQ(ProbeGroundSwitch(link), 1);
    expectWire(expected);

    log->clear();
    log->reply({0x20});
    EXPECT_EQ(ProbeGroundSwitch(link), 0);
}

TEST_F(Wires, ClockModes) {
    struct Row { int pin; int mode; };
    const Row rows[] = {{0, 0x70}, {19, 0x60}, {15, 0x50}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pin);
        log->clear();
        ConnectClock(link, r.pin);
        expectWire(Wire().control(1, 0x8F).mode(r.mode).delay(10));
    }
    log->clear();
    ConnectClock(link, 7);
    expectWire(Wire());
    SetClockMode(link, 4);
    expectWire(Wire().control(1, 0x8F).mode(0x30).delay(10));
}

TEST_F(Wires, BusModes) {
    SetBusMode(link, 0x40);
    expectWire(Wire().busMode(0x40).control(1, 0x8F).mode(0x70).delay(10)
                   .control(0, 0xFF).control(0, 0xFF));
    log->clear();
    SetBusMode(link, 0x80);
    expectWire(Wire().busMode(0x80).control(1, 0x8F).mode(0x30).delay(10)
                   .control(0, 0xBF).control(0, 0xBF));
    log->clear();
    SetBusMode(link, 0);
    expectWire(Wire().busMode(0x00).control(1, 0x8F).mode(0x30).delay(10)
                   .control(0, 0xBF).control(0, 0x3F));
}

TEST_F(Wires, PageRepliesAreDecodedInTheirOrder) {
    log->reply({0x55, 0x00, 0x00, 0x01, 0x34, 0x12});
    EXPECT_EQ(BlankCheckPage(link), 0); // second reply 0: not blank
    EXPECT_EQ(BlankCheckPage(link), 1); // first reply not examined
    EXPECT_EQ(SumPage(link), 0x1234);   // low byte first
    expectWire(Wire().blankPage().blankPage().sumPage());
}

TEST_F(Wires, WriteBlockIsOneWriteCall) {
    std::uint8_t block[256];
    for (int i = 0; i < 256; ++i) block[i] = static_cast<std::uint8_t>(i);
    SendByte(link, 136);
    WriteBlock(link, block, sizeof block);
    ASSERT_EQ(log->writes.size(), 2u);
    EXPECT_EQ(log->writes[1], std::vector<std::uint8_t>(block, block + 256));
    WriteBlock(link, block, 0);
    WriteBlock(link, nullptr, 5);
    EXPECT_EQ(log->writes.size(), 2u);
}

TEST_F(Wires, ReadPortsPageReversesPins32To39AndStepsTheCounter) {
    BuildBitReverseTable(link);
    link.lowAddressCounter = 0xFE;
    // Page byte 0: pins 34..39 high, 32 and 33 low. Byte 1: only pin 32 high.
    // Byte 2: only pin 39 high. Then all low.
    log->reply({0x3F, 0x00, 0x00, 0x40, 0x20, 0x00});
    log->defaultReply = 0;
    std::uint8_t page[256];
    ReadPortsPage(link, page);
    EXPECT_EQ(page[0], 0x3F);
    EXPECT_EQ(page[1], 0x80);
    EXPECT_EQ(page[2], 0x01);
    EXPECT_EQ(page[255], 0x00);
    EXPECT_EQ(link.lowAddressCounter, 0xFE);
    Wire first = Wire().readPort(4).readPort(3).port(0, 0xFF)
                       .readPort(4).readPort(3).port(0, 0x00);
    std::vector<std::uint8_t> head(log->written.begin(), log->written.begin() + 8);
    EXPECT_EQ(head, first.bytes());
    EXPECT_EQ(log->written.size(), 256u * 4);
}

TEST_F(Wires, ConnectVccSwitchedLooksAtTheBoxNameOnly) {
    link.identification = "zomexv52 from COM3";
    ConnectVccSwitched(link, 8);
    expectWire(Wire().pinHigh(8).vccLatchA(0xFE).delay(10).vccGndLatch(0x07).delay(10));

    link.identification = "quarvinc from COM3";
    log->clear();
    ConnectVccSwitched(link, 8);
    expectWire(Wire().vppLatchB(0x00).delay(500)
                   .pinHigh(8).vccLatchA(0xFE).delay(10).vccGndLatch(0x07).delay(10));
    log->clear();
    ConnectVccSwitched(link, 0);
    expectWire(Wire().vppLatchB(0x80).delay(500)
                   .vccLatchA(0xFF).delay(10).vccGndLatch(0x07).delay(10));
}

} // namespace
} // namespace quarvin::test
