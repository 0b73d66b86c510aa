// Register decoding and pin resolution of the virtual box, seen from the wire.
#include "SimFixture.h"

#include "link/commands/Opcodes.h"

namespace quarvin::sim::test {
namespace {

using SocketTest = BoxTest;

TEST_F(SocketTest, StatusByteShowsPins20And40) {
    EXPECT_EQ(runOne(Wire().readStatus()), 0xC0);
    run(Wire().control(1, 0x3F).pinLow(20).pinHigh(40));
    EXPECT_EQ(runOne(Wire().readStatus()), 0x40);
    run(Wire().pinHigh(20).pinLow(40));
    EXPECT_EQ(runOne(Wire().readStatus()), 0x80);
    // Ground switched to pin 20 wins over a driver that is high.
    run(Wire().vccGndLatch(0x47));
    EXPECT_EQ(runOne(Wire().readStatus()), 0x00);
}

TEST_F(SocketTest, BoxDriverWinsAClashAndAMissingChipDrivesNothing) {
    // 40-pin chip powered on 40/20: echoes pin 1 to pin 39, inverted.
    auto chip = std::make_shared<EchoChip>(40, Echoes{{1, 39}}, 40, 20, true);
    box->insert(chip);
    run(Wire().vccGndLatch(0x45).control(0, 0xFE).pinHigh(1));
    EXPECT_EQ(runOne(Wire().readPort(4)) & 0x20, 0) << "chip drives pin 39 low";
    EXPECT_EQ(box->socket().contention(), 0u);

    run(Wire().direction(2, 0xDF).pinHigh(39)); // the box drives pin 39 high too
    EXPECT_EQ(runOne(Wire().readPort(4)) & 0x20, 0x20);
    EXPECT_EQ(box->socket().contention(), socketBit(39));
    EXPECT_EQ(box->socket().contentionEvents(), 1u);

    run(Wire().direction(2, 0xFF));
    EXPECT_EQ(runOne(Wire().readPort(4)) & 0x20, 0);
    EXPECT_EQ(box->socket().contention(), 0u);

    chip->faults().missing = true;
    const int before = chip->updates;
    EXPECT_EQ(runOne(Wire().readPort(4)) & 0x20, 0x20);
    EXPECT_EQ(chip->updates, before);
}

TEST_F(SocketTest, SupplySwitchesAndLevels) {
    auto& s = box->socket();
    EXPECT_EQ(s.vccPins() | s.groundPins() | s.vppPins(), 0u) << "power-on: every switch open";
    run(Wire().vccLatchA(0xFE));
    EXPECT_EQ(s.vccPins(), socketBit(8));
    run(Wire().vccLatchA(0xFF).vccGndLatch(0x03 | 0x08 | 0x80));
    EXPECT_EQ(s.vccPins(), socketBit(26));
    EXPECT_EQ(s.groundPins(), socketBit(25) | socketBit(31));
    run(Wire().vppLatchA(0x81).vppLatchB(0x80 | 0x21));
    EXPECT_EQ(s.vppPins(), socketBit(1) | socketBit(15) | socketBit(20) | socketBit(34));
    EXPECT_EQ(s.vccMillivolts(), 5000);
    run(Wire().vppLatchB(0x01));
    EXPECT_EQ(s.vccMillivolts(), 6000) << "bit 7 clear raises Vcc";

    // Vpp codes travel inverted in control register 1.
    const std::pair<int, int> codes[] = {{0, 0}, {2, 10000}, {3, 10800}, {4, 12000}, {5, 12700}, {8, 13300},
                                         {9, 14000}, {7, 21000}, {12, 25000}, {1, 0}, {15, 0}};
    for (auto [code, mv] : codes) {
        run(Wire().control(1, 0xF0 | (~code & 0x0F)));
        EXPECT_EQ(s.vppCode(), code);
        EXPECT_EQ(s.vppMillivolts(), mv) << code;
    }
}

TEST_F(SocketTest, SwitchedPinsOverrideTheLogicDriver) {
    // Opcodes 31 and 79 name pin 0: no pin moves.
    run(Wire().control(0, 0x00).port(0, 0xFF).pinLow(0));
    EXPECT_EQ(runOne(Wire().readPort(0)), 0xFF);
    run(Wire().port(0, 0x00).pinHigh(0).vccLatchA(0xFE));      // pins 1..8 driven low, Vcc on 8
    EXPECT_EQ(runOne(Wire().readPort(0)), 0x80);
    run(Wire().vppLatchA(0x01));                                 // Vpp switched to 1, generator off
    EXPECT_EQ(runOne(Wire().readPort(0)), 0x80) << "an idle Vpp switch does not lift the pin";
    run(Wire().control(1, 0xFF & ~5));                           // code 5: 12.7 V
    EXPECT_EQ(runOne(Wire().readPort(0)), 0x81);
    // Power off opens every switch and releases the pins.
    run(Wire().powerOff());
    EXPECT_EQ(box->socket().vccPins() | box->socket().groundPins() | box->socket().vppPins(), 0u);
    EXPECT_EQ(box->socket().boxDrivenPins(), 0u);
    EXPECT_EQ(runOne(Wire().readPort(0)), 0xFF);
}

TEST_F(SocketTest, ClockModeSelectsThePinAndEdgesFollowTheLineClock) {
    BoxConfig config;
    config.clockHz = 1'000'000; // one edge per microsecond
    box = std::make_shared<Box>(config);
    auto chip = std::make_shared<EchoChip>(40, Echoes{}, 40, 20);
    box->insert(chip);
    EXPECT_EQ(box->socket().clockPin(), 0);
    const std::pair<int, int> modes[] = {{2, 15}, {4, 0}, {0, 0}, {1, 19}};
    for (auto [mode, p] : modes) {
        run(Wire().mode(((~mode & 7) << 4)).readStatus());
        EXPECT_EQ(box->socket().clockMode(), mode);
        EXPECT_EQ(box->socket().clockPin(), p);
        EXPECT_EQ(chip->last.clock, p ? pinBit(p) : 0u);
        EXPECT_EQ(chip->last.clockHz, p ? 1'000'000u : 0u);
    }
    run(Wire().mode(0x60)); // mode 1 again, with no reply on the line
    const std::int64_t start = chip->last.nowPs;
    run(Wire().delay(10)); // ten characters: 954.86 µs
    EXPECT_NEAR(static_cast<double>(chip->last.clockEdgesSince(19, start)), 955, 1);
    EXPECT_EQ(chip->last.clockEdgesSince(15, start), 0u) << "pin 15 carries no clock in mode 1";
    run(Wire().mode(0x70));
    EXPECT_EQ(chip->last.clockEdgesSince(19, start), 0u) << "clock off";
}

} // namespace
} // namespace quarvin::sim::test
