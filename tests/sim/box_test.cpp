// The box as the host sees it: identify, address reads, line clock, faults, and
// the in-process transport and port opener.
#include "SimFixture.h"

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim::test {
namespace {

std::string asText(const std::vector<int>& r, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n && i < r.size(); ++i) s += static_cast<char>(r[i]);
    return s;
}

TEST_F(BoxTest, IdentifyAnswersNineBytes) {
    struct Case {
        std::string id;
        std::uint8_t tail;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"quarvinc", 0x00, {'q', 'u', 'a', 'r', 'v', 'i', 'n', 'c', 0x00}},
        {"pemrav13", 0x5A, {'p', 'e', 'm', 'r', 'a', 'v', '1', '3', 0x5A}},
        {"abc", 0x01, {'a', 'b', 'c', 0, 0, 0, 0, 0, 0x01}},           // short text: zero padded
        {"toolongname", 0x02, {'t', 'o', 'o', 'l', 'o', 'n', 'g', 'n', 0x02}},
    };
    for (const auto& c : cases) {
        box = std::make_shared<Box>(BoxConfig{c.id, c.tail});
        EXPECT_EQ(run(Wire().identify()), c.expected) << c.id;
        EXPECT_TRUE(box->errors().empty());
    }
    EXPECT_EQ(asText(run(Wire().identify()), 8), "toolongn");
}

TEST_F(BoxTest, ReadNextReadsTheDataPinsThenAdvancesTheLowAddress) {
    auto rom = std::make_shared<TinyRom>();
    for (int i = 0; i < 256; ++i) rom->cells[i] = static_cast<std::uint8_t>(i * 7 + 3);
    box->insert(rom);
    // 28-pin part: Vcc 34, ground 20, /CE 26 and /OE 28 low, address pins driven,
    // data pins inputs; high ports hold a marker that must not move.
    run(Wire().vccLatchA(0x7F).vccGndLatch(0x47).direction(1, 0x00).direction(0, 0x00)
            .direction(3, 0xFF).port(3, 0x00).port(0, 0x5A).port(4, 0x21));
    run(Wire().port(1, reverseBits(0xFE)));
    std::vector<int> got = run(Wire().readNext().readNext().readNext().readNext());
    const std::vector<int> expected = {rom->cells[0xFE], rom->cells[0xFF], rom->cells[0x00], rom->cells[0x01]};
    EXPECT_EQ(got, expected) << "the low byte wraps at 256";
    const auto& regs = box->socket().registers();
    EXPECT_EQ(regs.port[1], reverseBits(0x02)) << "A0 sits on pin 16 (bit 7)";
    EXPECT_EQ(regs.port[0], 0x5A);
    EXPECT_EQ(regs.port[4], 0x21);

    // 147 moves on without a reply.
    EXPECT_TRUE(run(Wire().raw({op::AdvanceAddress, op::AdvanceAddress})).empty());
    EXPECT_EQ(runOne(Wire().readNext()), rom->cells[0x04]);

    // A stuck bit in the chip shows in what 128 returns.
    rom->faults().stuck.push_back({0x05, 0x05, 0x80, 0x00});
    run(Wire().port(1, reverseBits(0x05)));
    EXPECT_EQ(runOne(Wire().readNext()), rom->cells[0x05] & 0x7F);
    EXPECT_TRUE(box->errors().empty());
}

TEST_F(BoxTest, ReadNextWithoutAChipReadsThePullUps) {
    EXPECT_EQ(run(Wire().readNext().readNext()), (std::vector<int>{0xFF, 0xFF}));
    EXPECT_EQ(SocketBus(*box).lowAddress(), 2);
}

TEST_F(BoxTest, LineClockCountsCharactersBothWays) {
    constexpr std::int64_t C = LineClock::CharPs;
    EXPECT_EQ(C, 95486111);
    // A command without reply: one character.
    run(Wire().port(0, 1));
    EXPECT_EQ(box->clock().nowPs(), 2 * C);
    // Command then reply: the reply leaves after the command arrived.
    box->clock().reset();
    run(Wire().readPort(0));
    EXPECT_EQ(box->clock().nowPs(), 2 * C);
    // Two reads sent back to back overlap: the second command travels while the
    // first reply does.
    box->clock().reset();
    box->receive(Wire().readPort(0).readPort(1).bytes().data(), 2);
    EXPECT_EQ(box->clock().nowPs(), 3 * C);
    box->dropReplies();
    // The host sends after it has read the reply it waited for.
    box->clock().reset();
    run(Wire().readPort(0));
    run(Wire().readPort(0));
    EXPECT_EQ(box->clock().nowPs(), 4 * C);
    EXPECT_EQ(box->clock().bytesToBox(), 2u);
    EXPECT_EQ(box->clock().bytesToHost(), 2u);
}

TEST_F(BoxTest, DelayTicksAndModelledWaitsAddTheirTime) {
    constexpr std::int64_t C = LineClock::CharPs;
    run(Wire().delay(10000));
    EXPECT_EQ(box->clock().nowPs(), 10000 * C);
    EXPECT_NEAR(box->clock().nowSeconds(), 0.955, 0.001);

    // An opcode that holds a pin for 1 ms: its reply waits for it.
    OpcodeSpec pulse;
    pulse.replies = 1;
    pulse.handler = [](Box& b, std::uint8_t, OpArgs) {
        SocketBus(b).pulsePin(1, true, 1000.0);
        b.reply(0);
    };
    box->opcodes().add(200, pulse);
    box->clock().reset();
    run(Wire().raw({200}));
    EXPECT_EQ(box->clock().nowPs(), 2 * C + 1'000'000'000);
}

TEST_F(BoxTest, SilentAfterNBytes) {
    box->faults().silentAfterBytes = 3;
    EXPECT_EQ(run(Wire().readPort(0).readPort(0)).size(), 2u);
    EXPECT_EQ(run(Wire().readPort(0).readPort(0)).size(), 1u) << "the third byte is the last one handled";
    EXPECT_TRUE(run(Wire().identify()).empty());
    EXPECT_TRUE(box->silent());
    EXPECT_EQ(box->bytesReceived(), 3u);
}

TEST_F(BoxTest, ShortIdentifyReplyStopsEarly) {
    box->faults().identifyLength = 8;
    EXPECT_EQ(asText(run(Wire().identify()), 9), "quarvinc");
    box->faults().identifyLength = 0;
    EXPECT_TRUE(run(Wire().identify()).empty());
    EXPECT_TRUE(box->errors().empty());
}

TEST_F(BoxTest, GarbledRepliesReplaceTheChosenBytes) {
    box->faults().garble.push_back({2, 3, 0xEE}); // reply bytes 2, 3 and 4
    auto r = run(Wire().identify());
    const std::vector<int> expected = {'q', 'u', 0xEE, 0xEE, 0xEE, 'i', 'n', 'c', 0};
    EXPECT_EQ(r, expected);
    EXPECT_EQ(runOne(Wire().readPort(0)), 0xFF) << "later replies untouched";
}

TEST_F(BoxTest, UnknownOpcodesAreRecordedAndSkipped) {
    auto r = run(Wire().raw({72, 255}).readPort(0).raw({78}));
    EXPECT_EQ(r, std::vector<int>{0xFF});
    ASSERT_EQ(box->errors().size(), 3u);
    EXPECT_EQ(box->errors()[0].kind, BoxError::Kind::UnknownOpcode);
    EXPECT_EQ(box->errors()[0].opcode, 72);
    EXPECT_EQ(box->errors()[0].byteIndex, 0u);
    EXPECT_EQ(box->errors()[1].opcode, 255);
    EXPECT_EQ(box->errors()[2].opcode, 78);
    EXPECT_EQ(box->errors()[2].byteIndex, 3u);
}

TEST_F(BoxTest, ExtensionOpcodesGetArgumentsStateAndReplyChecks) {
    struct Length {
        int value = 0;
    };
    OpcodeSpec setLength;
    setLength.args = 1;
    setLength.handler = [](Box& b, std::uint8_t, OpArgs a) { b.state<Length>().value = a[0]; };
    OpcodeSpec block;
    block.dynamicArgs = [](const Box& b) { return const_cast<Box&>(b).state<Length>().value; };
    block.replies = 1;
    block.handler = [](Box& b, std::uint8_t, OpArgs a) {
        int sum = 0;
        for (std::size_t i = 0; i < a.count; ++i) sum += a[i];
        b.reply(static_cast<std::uint8_t>(sum));
    };
    OpcodeSpec liar; // claims one reply, sends two
    liar.replies = 1;
    liar.handler = [](Box& b, std::uint8_t, OpArgs) { b.reply(1); b.reply(2); };
    box->opcodes().add(201, setLength);
    box->opcodes().add(202, block);
    box->opcodes().add(203, liar);

    EXPECT_EQ(run(Wire().raw({201, 3, 202, 10, 20, 30})), std::vector<int>{60});
    EXPECT_EQ(run(Wire().raw({201, 0, 202})), std::vector<int>{0});
    EXPECT_TRUE(box->errors().empty());
    EXPECT_EQ(run(Wire().raw({203})).size(), 2u);
    ASSERT_EQ(box->errors().size(), 1u);
    EXPECT_EQ(box->errors()[0].kind, BoxError::Kind::ReplyCountMismatch);
}

TEST(VirtualPort, OpensVboxAndPassesOtherNamesOn) {
    struct Recorder : PortOpener {
        std::vector<std::string> names;
        OpenedPort open(const std::string& name) override {
            names.push_back(name);
            return {OpenStatus::SettingsRefused, nullptr};
        }
    };
    auto next = std::make_unique<Recorder>();
    Recorder* rec = next.get();
    VirtualPortOpener opener(std::move(next));
    auto other = opener.open("COM3");
    EXPECT_EQ(other.status, OpenStatus::SettingsRefused);
    EXPECT_EQ(rec->names, std::vector<std::string>{"COM3"});

    auto port = opener.open("VBOX");
    ASSERT_EQ(port.status, OpenStatus::Opened);
    ASSERT_TRUE(port.transport);
    EXPECT_EQ(port.transport->readByte(1000), -1) << "nothing queued: -1 at once";
    const std::uint8_t id = op::Identify;
    EXPECT_TRUE(port.transport->write(&id, 1));
    EXPECT_EQ(opener.box()->pendingReplies(), 9u) << "the opener's box is the one behind the port";
    EXPECT_EQ(port.transport->readByte(1000), 'q');
    port.transport->purge();
    EXPECT_EQ(port.transport->readByte(1000), -1);
    port.transport->close();
    EXPECT_FALSE(port.transport->write(&id, 1));

    VirtualPortOpener alone;
    EXPECT_EQ(alone.open("COM1").status, OpenStatus::CannotOpen);
}

// The link's own operations against the box: the board model comes from the
// ground switch on pin 31 and the identification.
TEST(VirtualBoard, GroundProbeAndBoardModel) {
    const char boards[] = {'a', 'b', 'c'};
    for (char board : boards) {
        SCOPED_TRACE(board);
        auto box = std::make_shared<Box>(BoxConfig::forBoard(board));
        LinkState link;
        link.port = std::make_unique<VirtualBoxTransport>(box);
        link.connected = 1;
        link.identification = box->config().identification + " from VBOX";
        EXPECT_EQ(ProbeGroundSwitch(link), board == 'a' ? 0 : 1);
        EXPECT_EQ(GetBoardModel(link), board);
        EXPECT_EQ(box->socket().groundPins(), 0u) << "the probe opens the switch again";
        EXPECT_TRUE(box->errors().empty());
        EXPECT_EQ(box->pendingReplies(), 0u);
    }
}

// A few hundred link operations through the in-process transport with the
// replies a bench box would give.
TEST(VirtualBoard, LinkOperationsRoundTrip) {
    auto box = std::make_shared<Box>();
    LinkState link;
    link.port = std::make_unique<VirtualBoxTransport>(box);
    link.connected = 1;
    ResetSocket(link);
    EXPECT_EQ(box->socket().groundPins(), socketBit(20));
    for (int p = 1; p <= 40; ++p) {
        SCOPED_TRACE(p);
        if (p == 20) continue; // grounded
        PinHigh(link, p);
        EXPECT_EQ(ReadPin(link, p), 1);
        PinLow(link, p);
        EXPECT_EQ(ReadPin(link, p), 0);
        SetPinLatch(link, p, 1);
        EXPECT_EQ(ReadPin(link, p), 1) << "released";
        SetPinLatch(link, p, 0);
    }
    SetVppLevel(link, 12700);
    EXPECT_EQ(box->socket().vppMillivolts(), 12700);
    ConnectVpp(link, 28);
    ConnectVcc(link, 34);
    EXPECT_EQ(box->socket().vppPins(), socketBit(28));
    EXPECT_EQ(box->socket().vccPins(), socketBit(34));
    SetVccLevel(link, 6);
    EXPECT_EQ(box->socket().vccMillivolts(), 6000);
    SetClockMode(link, 1);
    EXPECT_EQ(box->socket().clockPin(), 19);
    ShutDownSocket(link);
    EXPECT_EQ(box->socket().vccPins() | box->socket().groundPins(), 0u);
    EXPECT_EQ(box->socket().vppMillivolts(), 0) << "the Vpp switch stays, the generator is off";
    EXPECT_EQ(box->socket().clockPin(), 0);
    EXPECT_TRUE(box->errors().empty());
    EXPECT_EQ(box->pendingReplies(), 0u);
}

} // namespace
} // namespace quarvin::sim::test
