// A box that cannot keep up with the read-ahead window. That read and verify of
// every family send the same commands and end alike with the window at 1 and
// sent ahead is checked with every other operation in send_ahead_test.
#include <gtest/gtest.h>

#include <algorithm>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::test {
namespace {

constexpr std::uint32_t kSpan = 0x1100; // bytes each read covers: 17 pages

std::uint8_t Pattern(std::uint32_t a) { return static_cast<std::uint8_t>(a * 13 + (a >> 8) + 1); }

// One read of a family's row with the buffer's first `span` bytes at 0x11 beforehand.
struct ReadOnBoxRun {
    OperationResult result;
    LinkState link;
    std::unique_ptr<MainBuffer> buffer;
};

ReadOnBoxRun ReadOnBox(const std::shared_ptr<sim::Box>& box, const char* family, int subType, int window) {
    ReadOnBoxRun run;
    auto session = Families().at(family).makeSession();
    run.link.port = std::make_unique<sim::VirtualBoxTransport>(box);
    run.link.connected = 1;
    run.link.readAheadWindow = window;
    run.buffer = std::make_unique<MainBuffer>();
    std::fill_n(run.buffer->data(), kSpan, 0x11);
    SelectionState selection;
    selection.subType = subType;
    const OperationHooks hooks;
    SessionJob job{run.link, *run.buffer, selection, AddressFields{0, 0, kSpan - 1}, hooks, nullptr, {}};
    session->start(run.link);
    run.result = RunGuarded(run.link, [&] { return session->run("read", job); });
    return run;
}

// A box that cannot keep up with the window loses bytes of the reads sent ahead
// (byte reads of an EPROM, word reads of a PIC16): the read ends as a lost link
// and the buffer keeps what it held, the pages read in full included, as replies
// that came before the silence may belong to other commands. One read at a
// time keeps up with the slow box.
TEST(ReadAhead, OverrunEndsTheReadAsALostLinkAndKeepsTheBuffer) {
    const struct {
        const char* family;
        int subType;
        std::uint8_t slowOpcode;
        double costUs; // slower than the command takes on the line
    } cases[] = {{"TP27x", 13, op::ReadNext, 150.0}, {"TP16c8x", 3, op::PicReadWord, 400.0}};
    for (const auto& c : cases)
        for (int window : {1, 64}) {
            SCOPED_TRACE(std::string(c.family) + " window " + std::to_string(window));
            sim::BoxConfig config;
            config.uart.opcodeCostUs[c.slowOpcode] = c.costUs;
            auto box = std::make_shared<sim::Box>(config);
            const sim::ChipOffer* offer = sim::OfferForSubType(c.family, c.subType);
            ASSERT_NE(offer, nullptr);
            auto chip = offer->make();
            for (std::uint32_t a = 0; a < chip->memory().size(); ++a) chip->memory()[a] = Pattern(a);
            box->insert(chip);
            const ReadOnBoxRun run = ReadOnBox(box, c.family, c.subType, window);
            if (window == 1) {
                EXPECT_EQ(run.result.outcome, quarvin::Outcome::Done) << run.result.message;
                continue;
            }
            EXPECT_EQ(run.result.outcome, quarvin::Outcome::LinkLost);
            EXPECT_EQ(run.result.message, kNotConnectedText);
            EXPECT_EQ(run.link.connected, 0);
            EXPECT_TRUE(run.link.lost);
            bool overran = false;
            for (const sim::BoxError& e : box->errors()) overran = overran || e.kind == sim::BoxError::Kind::Overrun;
            EXPECT_TRUE(overran);
            for (std::uint32_t a = 0; a < kSpan; ++a) ASSERT_EQ((*run.buffer)[a], 0x11) << "stored at " << a;
        }
}

} // namespace
} // namespace quarvin::test
