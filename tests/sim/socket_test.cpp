// Register decoding and pin resolution of the virtual box, seen from the wire.
#include "SimFixture.h"

#include "link/commands/Opcodes.h"

namespace quarvin::sim::test {
namespace {

class SocketTest : public BoxTest {
protected:
    // Every pin's level through the five input ports and the status byte.
    PinMask readAll() {
        auto r = run(Wire().readPort(0).readPort(1).readPort(2).readPort(3).readPort(4).readStatus());
        EXPECT_EQ(r.size(), 6u);
        PinMask m = 0;
        for (int p = 1; p <= 40; ++p) {
            const int i = pin::portIndex(p);
            const bool high = p == 20 ? r[5] & pin::StatusPin20
                            : p == 40 ? r[5] & pin::StatusPin40
                                      : (r[i >> 3] >> (i & 7)) & 1;
            if (high) m |= socketBit(p);
        }
        return m;
    }
};

// Where each pin's direction bit lives: opcode of the register and the bit.
struct DirectionBit { int pin; int opcode; int bit; };

std::vector<DirectionBit> directionTable() {
    std::vector<DirectionBit> t;
    for (int b = 0; b < 8; ++b) t.push_back({1 + b, 13, b});      // control 0: pins 1..8
    for (int b = 0; b < 8; ++b) t.push_back({9 + b, 9, b});       // direction 1: 9..16
    for (int b = 0; b < 3; ++b) t.push_back({17 + b, 11, b});     // direction 3: 17..19
    for (int b = 3; b < 8; ++b) t.push_back({18 + b, 11, b});     //              21..25
    for (int b = 0; b < 6; ++b) t.push_back({26 + b, 8, b});      // direction 0: 26..31
    for (int b = 0; b < 2; ++b) t.push_back({32 + b, 12, b});     // direction 4: 32, 33
    for (int b = 0; b < 6; ++b) t.push_back({34 + b, 10, b});     // direction 2: 34..39
    t.push_back({20, 14, 7});                                     // control 1: 20
    t.push_back({40, 14, 6});                                     //            40
    return t;
}

TEST_F(SocketTest, EachPinFollowsItsDriverOnlyWhenItsDirectionBitIsClear) {
    for (const auto& d : directionTable()) {
        SCOPED_TRACE(d.pin);
        box = std::make_shared<Box>();
        EXPECT_EQ(readAll(), AllSocketPins) << "undriven pins read high";
        run(Wire().raw({d.opcode, 0xFF & ~(1 << d.bit)}).pinLow(d.pin));
        EXPECT_EQ(readAll(), AllSocketPins & ~socketBit(d.pin));
        run(Wire().pinHigh(d.pin));
        EXPECT_EQ(readAll(), AllSocketPins);
        run(Wire().pinLow(d.pin).raw({d.opcode, 0xFF}));
        EXPECT_EQ(readAll(), AllSocketPins) << "released pin floats high";
    }
    // Opcodes 31 and 79 name pin 0: nothing changes and nothing goes wrong.
    run(Wire().pinHigh(0).pinLow(0));
    EXPECT_EQ(readAll(), AllSocketPins);
    EXPECT_TRUE(box->errors().empty());
}

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

TEST_F(SocketTest, ChipsSitBottomAlignedAndSeeTheirOwnPins) {
    // Vcc on the chip's last pin, ground on socket 20; chip pin 2 (socket pin in,
    // driven by the box once its direction bit is cleared) is echoed to pin n-1.
    struct Case { int pins; Wire power; int in; Wire driveIn; };
    const Case cases[] = {
        {24, Wire().vccLatchA(0xBF).vccGndLatch(0x47), 10, Wire().direction(1, 0xFD)},
        {28, Wire().vccLatchA(0x7F).vccGndLatch(0x47), 8, Wire().control(0, 0x7F)},
        {32, Wire().vccGndLatch(0x46), 6, Wire().control(0, 0xDF)},
        {40, Wire().vccGndLatch(0x45), 2, Wire().control(0, 0xFD)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pins);
        box = std::make_shared<Box>();
        auto chip = std::make_shared<EchoChip>(c.pins, Echoes{{2, c.pins - 1}}, c.pins, c.pins / 2);
        box->insert(chip);
        EXPECT_EQ(socketPinOf(c.pins, 2), c.in);
        EXPECT_EQ(socketPinOf(c.pins, c.pins / 2), 20);
        EXPECT_EQ(socketPinOf(c.pins, c.pins), 20 + c.pins / 2);
        run(c.power);
        EXPECT_TRUE(chip->last.hasVcc(c.pins));
        EXPECT_TRUE(chip->last.hasGround(c.pins / 2));
        EXPECT_EQ(chip->last.vccMillivolts, 5000);

        // Drive the input pin; its level must come back on the output pin.
        run(c.driveIn);
        const int out = socketPinOf(c.pins, c.pins - 1);
        for (bool high : {false, true}) {
            run(high ? Wire().pinHigh(c.in) : Wire().pinLow(c.in));
            EXPECT_EQ(box->socket().pinLevel(out, box->nowPs()), high);
            EXPECT_EQ(chip->last.high(2), high);
        }
    }
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
    run(Wire().control(0, 0x00).port(0, 0x00).vccLatchA(0xFE)); // pins 1..8 driven low, Vcc on 8
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
