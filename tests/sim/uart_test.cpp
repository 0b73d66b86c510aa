// The box's receiver: a byte that arrives while its receive buffer is full is
// lost; the link then misses a reply and reports a lost link, never wrong data.
#include <gtest/gtest.h>

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"

namespace quarvin::sim::test {
namespace {

constexpr double kSlowReadUs = 150.0; // longer than a character time (95.5 µs)

struct Row {
    const char* what;
    std::size_t receiveBuffer;
    double readNextUs; // 0: the default firmware time
    int window;
    bool overruns;
};

const Row kRows[] = {
    {"default box, a page ahead", 2, 0, 256, false},
    {"slow reads one at a time", 1, kSlowReadUs, 1, false},
    {"slow reads, window within the buffer", 2, kSlowReadUs, 3, false},
    {"slow reads, window too large", 2, kSlowReadUs, 16, true},
    {"one-byte buffer, slow reads two ahead", 1, kSlowReadUs, 2, false},
    {"one-byte buffer, slow reads eight ahead", 1, kSlowReadUs, 8, true},
};

std::size_t Overruns(const Box& box) {
    std::size_t n = 0;
    for (const BoxError& e : box.errors()) n += e.kind == BoxError::Kind::Overrun;
    return n;
}

TEST(BoxUart, OverrunLosesTheLinkNeverTheData) {
    const ChipOffer* part = FindOffer("27C256");
    if (!part) part = OfferForSubType("TP27x", 13);
    ASSERT_NE(part, nullptr);
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.what);
        BoxConfig config;
        config.uart.receiveBuffer = r.receiveBuffer;
        if (r.readNextUs > 0) config.uart.opcodeCostUs[op::ReadNext] = r.readNextUs;
        auto box = std::make_shared<Box>(config);
        auto chip = part->make();
        for (std::size_t a = 0; a < chip->memory().size(); ++a) chip->memory()[a] = static_cast<std::uint8_t>(a * 7 + 3);
        box->insert(chip);

        quarvin::test::FakePrompts prompts;
        LinkState link;
        link.port = std::make_unique<VirtualBoxTransport>(box);
        link.connected = 1;
        link.prompts = &prompts;
        link.readAheadWindow = r.window;
        // A 27C256 powered for reading, its address at 0.
        ResetSocket(link);
        PinLow(link, 26);
        PinLow(link, 28);
        ConnectVcc(link, 34);
        ConnectGround(link, 20);
        SetDataWidth(link, 12);
        ASSERT_EQ(Overruns(*box), 0u) << "setting up never overruns";

        std::vector<std::uint8_t> page(256, 0);
        if (!r.overruns) {
            EXPECT_EQ(ReadNextBytes(link, page.data(), page.size()), page.size());
            for (std::size_t a = 0; a < page.size(); ++a) ASSERT_EQ(page[a], chip->memory()[a]) << a;
            EXPECT_TRUE(box->errors().empty());
            continue;
        }
        EXPECT_THROW(ReadNextBytes(link, page.data(), page.size()), LinkLost);
        EXPECT_GT(Overruns(*box), 0u);
        EXPECT_EQ(box->errors().front().opcode, op::ReadNext);
        EXPECT_EQ(link.connected, 0) << "soft-run after the loss";
        EXPECT_TRUE(link.lost);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text, LostLinkMessage);
    }
}

} // namespace
} // namespace quarvin::sim::test
