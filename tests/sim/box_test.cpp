// The box as the host sees it: identify, address reads, line clock, faults, the
// opcode table, and the in-process transport and port opener.
#include "SimFixture.h"

#include "link/commands/Opcodes.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/ops/SocketBus.h"

namespace quarvin::sim::test {
namespace {

// A 28-pin ROM that decodes only A0..A7 (chip pins 10..3) and puts cell[A] on
// D0..D7 (chip pins 11..13, 15..19) while /CE (20) and /OE (22) are low and Vcc is on 28.
class TinyRom : public Chip {
public:
    std::array<std::uint8_t, 256> cells{};
    int pinCount() const override { return 28; }
    ChipDrive update(const ChipView& v) override {
        ChipDrive d;
        if (!v.hasVcc(28) || v.high(20) || v.high(22)) return d;
        static constexpr int AddressPins[8] = {10, 9, 8, 7, 6, 5, 4, 3};
        static constexpr int DataPins[8] = {11, 12, 13, 15, 16, 17, 18, 19};
        unsigned a = 0;
        for (int b = 0; b < 8; ++b) a |= v.high(AddressPins[b]) ? 1u << b : 0u;
        const std::uint8_t data = faults().applyStuck(a, cells[a]);
        for (int b = 0; b < 8; ++b) d.drive(DataPins[b], (data >> b) & 1);
        return d;
    }
};

TEST_F(BoxTest, IdentifyAnswersNineBytes) {
    // The text goes out in eight bytes, zero padded or cut short, then the ninth byte.
    const std::pair<std::string, std::string> cases[] = {
        {"quarvinc", "quarvinc"}, {"pemrav13", "pemrav13"}, {"abc", std::string("abc\0\0\0\0\0", 8)},
        {"toolongname", "toolongn"}};
    for (const auto& [id, sent] : cases) {
        box = std::make_shared<Box>(BoxConfig{id, 0x5A});
        std::vector<int> expected(sent.begin(), sent.end());
        expected.push_back(0x5A);
        EXPECT_EQ(run(Wire().identify()), expected) << id;
    }
    EXPECT_TRUE(box->errors().empty());
}

TEST_F(BoxTest, ReadNextReadsTheDataPinsThenAdvancesTheLowAddress) {
    auto rom = std::make_shared<TinyRom>();
    for (int i = 0; i < 256; ++i) rom->cells[i] = static_cast<std::uint8_t>(i * 7 + 3);
    box->insert(rom);
    // 28-pin part: Vcc 34, ground 20, /CE 26 and /OE 28 low, address pins driven,
    // data pins inputs; the high ports hold a marker that must not move.
    run(Wire().vccLatchA(0x7F).vccGndLatch(0x47).direction(1, 0x00).direction(0, 0x00)
            .direction(3, 0xFF).port(3, 0x00).port(0, 0x5A).port(4, 0x21).port(1, reverseBits(0xFE)));
    const std::vector<int> expected = {rom->cells[0xFE], rom->cells[0xFF], rom->cells[0x00], rom->cells[0x01]};
    EXPECT_EQ(run(Wire().readNext().readNext().readNext().readNext()), expected) << "the low byte wraps at 256";
    const auto& regs = box->socket().registers();
    EXPECT_EQ(regs.port[1], reverseBits(0x02)) << "A0 sits on pin 16 (bit 7)";
    EXPECT_EQ(regs.port[0], 0x5A);
    EXPECT_EQ(regs.port[4], 0x21);

    // 147 moves on without a reply.
    EXPECT_TRUE(run(Wire().raw({op::AdvanceAddress, op::AdvanceAddress})).empty());
    EXPECT_EQ(runOne(Wire().readNext()), rom->cells[0x04]);
    // A stuck bit in the chip shows in what 128 returns.
    rom->faults().stuck.push_back({0x05, 0x05, 0x80, 0x00});
    EXPECT_EQ(runOne(Wire().readNext()), rom->cells[0x05] & 0x7F);
    EXPECT_TRUE(box->errors().empty());
}

TEST_F(BoxTest, LineClockCountsCharactersAndModelledWaits) {
    constexpr std::int64_t C = LineClock::CharPs; // 11 bits at 115200 baud
    // The firmware's time for the last command of each stream (10 µs by default).
    const auto cost = static_cast<std::int64_t>(box->config().uart.commandCostUs * 1e6);
    EXPECT_EQ(cost, 10'000'000);
    struct Case { const char* what; Wire wire; std::int64_t chars; };
    const Case cases[] = {
        {"command without reply", Wire().port(0, 1), 2},
        {"reply leaves after its command arrived", Wire().readPort(0), 2},
        {"back-to-back reads overlap with the first reply", Wire().readPort(0).readPort(1), 3},
        {"Delay(10000)", Wire().delay(10000), 10000},
    };
    for (const auto& c : cases) {
        box->clock().reset();
        box->receive(c.wire.bytes().data(), c.wire.bytes().size());
        box->dropReplies();
        EXPECT_EQ(box->clock().nowPs(), c.chars * C + cost) << c.what;
    }
    EXPECT_NEAR(box->clock().nowSeconds(), 0.955, 0.001);
    // The host sends after it has read the reply it waited for.
    box->clock().reset();
    run(Wire().readPort(0));
    run(Wire().readPort(0));
    EXPECT_EQ(box->clock().nowPs(), 4 * C + 2 * cost);
    EXPECT_EQ(box->clock().bytesToBox(), 2u);
    EXPECT_EQ(box->clock().bytesToHost(), 2u);

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
    EXPECT_EQ(box->clock().nowPs(), 2 * C + cost + 1'000'000'000);
}

TEST_F(BoxTest, InjectedReplyFaults) {
    box->faults().garble.push_back({2, 3, 0xEE}); // reply bytes 2, 3 and 4
    EXPECT_EQ(run(Wire().identify()), (std::vector<int>{'q', 'u', 0xEE, 0xEE, 0xEE, 'i', 'n', 'c', 0}));
    EXPECT_EQ(runOne(Wire().readPort(0)), 0xFF) << "later replies untouched";

    box = std::make_shared<Box>();
    box->faults().identifyLength = 8;
    EXPECT_EQ(run(Wire().identify()), (std::vector<int>{'q', 'u', 'a', 'r', 'v', 'i', 'n', 'c'}));
    box->faults().identifyLength = 0;
    EXPECT_TRUE(run(Wire().identify()).empty());

    box = std::make_shared<Box>();
    box->faults().silentAfterBytes = 3;
    EXPECT_EQ(run(Wire().readPort(0).readPort(0)).size(), 2u);
    EXPECT_EQ(run(Wire().readPort(0).readPort(0)).size(), 1u) << "the third byte is the last one handled";
    EXPECT_TRUE(run(Wire().identify()).empty());
    EXPECT_TRUE(box->silent());
    EXPECT_EQ(box->bytesReceived(), 3u);
    EXPECT_TRUE(box->errors().empty());
}

TEST_F(BoxTest, OpcodeTableArgumentsAndRecordedErrors) {
    OpcodeSpec block; // three arguments counted at run time, replies their sum
    block.dynamicArgs = [](const Box&) { return 3; };
    block.replies = 1;
    block.handler = [](Box& b, std::uint8_t, OpArgs a) { b.reply(static_cast<std::uint8_t>(a[0] + a[1] + a[2])); };
    OpcodeSpec liar; // claims one reply, sends two
    liar.replies = 1;
    liar.handler = [](Box& b, std::uint8_t, OpArgs) { b.reply(1); b.reply(2); };
    box->opcodes().add(202, block);
    box->opcodes().add(203, liar);
    EXPECT_EQ(run(Wire().raw({202, 10, 20, 30})), std::vector<int>{60});
    EXPECT_TRUE(box->errors().empty());
    // Unknown opcodes are recorded and skipped; a wrong reply count is recorded.
    EXPECT_EQ(run(Wire().raw({72, 255}).readPort(0).raw({78, 203})), (std::vector<int>{0xFF, 1, 2}));
    using K = BoxError::Kind;
    const std::vector<std::tuple<K, int, std::uint64_t>> expected = {
        {K::UnknownOpcode, 72, 4}, {K::UnknownOpcode, 255, 5}, {K::UnknownOpcode, 78, 7}, {K::ReplyCountMismatch, 203, 8}};
    std::vector<std::tuple<K, int, std::uint64_t>> errors;
    for (const auto& e : box->errors()) errors.emplace_back(e.kind, e.opcode, e.byteIndex);
    EXPECT_EQ(errors, expected);
}

TEST(VirtualPort, PurgeDropsPendingRepliesAndCloseEndsWrites) {
    // Passing other names on and opening VBOX are driven end to end in the GUI tests
    // (GuiPortSearch, and every test on the virtual box).
    auto port = VirtualPortOpener().open("VBOX");
    const std::uint8_t id = op::Identify;
    EXPECT_TRUE(port.transport->write(&id, 1));
    EXPECT_EQ(port.transport->readByte(1000), 'q');
    port.transport->purge();
    EXPECT_EQ(port.transport->readByte(1000), -1) << "nothing queued: -1 at once";
    port.transport->close();
    EXPECT_FALSE(port.transport->write(&id, 1));
}

} // namespace
} // namespace quarvin::sim::test
