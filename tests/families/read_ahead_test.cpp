// Read-ahead through every built family's operations on the virtual box: read and
// verify send the same bytes and give the same results with the window at 1 and
// at read-ahead, early stops included.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "support/SanitizerSample.h"
#include "support/TappedTransport.h"

namespace quarvin::test {
namespace {

constexpr int kReadAhead = 128;
constexpr std::uint32_t kSpan = 0x1100;    // bytes each run covers at most: 17 pages
constexpr std::uint32_t kVerifyStart = 0x1F3; // not on a page start, to cut runs unevenly

enum class Scenario { Read, Verify, VerifyMismatch, VerifyStopped, ReadStopped };

struct ScenarioRow {
    const char* name;
    Scenario scenario;
    bool sameWire; // a run that ends early may have read a little ahead
};

const ScenarioRow kScenarios[] = {
    {"read", Scenario::Read, true},
    {"verify", Scenario::Verify, true},
    {"verify mismatch", Scenario::VerifyMismatch, false},
    {"verify stopped", Scenario::VerifyStopped, false},
    {"read stopped", Scenario::ReadStopped, false},
};

struct Outcome {
    std::vector<std::uint8_t> wire;
    std::size_t largestWrite = 0;
    std::size_t replies = 0;
    quarvin::Outcome outcome = quarvin::Outcome::Done;
    std::string message;
    std::uint32_t address = 0;
    std::vector<std::uint8_t> buffer; // what the run left in the buffer's first kSpan bytes
};

std::uint8_t Pattern(std::uint32_t a) { return static_cast<std::uint8_t>(a * 13 + (a >> 8) + 1); }

Outcome RunOnce(const FamilyEntry& family, const sim::ChipOffer& offer, Scenario scenario, int window) {
    auto session = family.makeSession();
    auto box = std::make_shared<sim::Box>();
    auto chip = offer.make();
    auto& cells = chip->memory();
    for (std::uint32_t a = 0; a < cells.size(); ++a) cells[a] = Pattern(a);
    const std::uint32_t last = session->lastAddress(offer.subType);
    const std::uint32_t length = std::min(last, kSpan - 1);
    const std::uint32_t verifyStart = std::min(kVerifyStart, last / 2);
    if (scenario == Scenario::VerifyMismatch) cells[verifyStart + length / 2] ^= 0x01;
    box->insert(chip);

    auto tap = std::make_shared<Tap>();
    LinkState link;
    link.port = std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(box), tap);
    link.connected = 1;
    link.readAheadWindow = window;

    auto buffer = std::make_unique<MainBuffer>();
    for (std::uint32_t a = 0; a < kSpan; ++a) (*buffer)[a] = Pattern(verifyStart + a);
    SelectionState selection;
    selection.subType = offer.subType;
    int polls = 0;
    OperationHooks hooks;
    const bool stops = scenario == Scenario::VerifyStopped || scenario == Scenario::ReadStopped;
    hooks.stopRequested = [&] { return stops && ++polls == 3; };
    const bool reads = scenario == Scenario::Read || scenario == Scenario::ReadStopped;
    const AddressFields fields{0, reads ? 0u : verifyStart, length};
    SessionJob job{link, *buffer, selection, fields, hooks, nullptr, {}};

    session->start(link);
    tap->bytes.clear();
    tap->writeSizes.clear();
    tap->replies = 0;
    const OperationResult r = RunGuarded(link, [&] { return session->run(reads ? "read" : "verify", job); });
    Outcome out;
    out.wire = tap->bytes;
    out.largestWrite = tap->writeSizes.empty() ? 0 : *std::max_element(tap->writeSizes.begin(), tap->writeSizes.end());
    out.replies = tap->replies;
    out.outcome = r.outcome;
    out.message = r.message;
    out.address = r.address;
    out.buffer.assign(buffer->data(), buffer->data() + kSpan);
    return out;
}

// Microcontrollers read a port after each address step: there are no runs of
// read-next commands to send ahead, so their streams only have to stay the same
// (the serial memories' pin reads go ahead in batches). The PIC16 family reads
// each word with the box's serial read-word opcode. TGALx shifts each fuse row
// out of the chip pin by pin; so does TP22V10x, a pin read and a clock pulse for
// each of the 132 bits of a chip address. TP16c8x reads each word with the box's
// serial read-word command. TAT90sx loads a command and an address for every
// word and reads its two bytes while OE is low.
const std::set<std::string> kBitByBitReads = {"TP89c5x", "TP2051x", "TGALx", "TP22V10x", "TP16c8x", "TAT90sx"};

TEST(ReadAhead, ReadAndVerifyOfEveryFamilyMatchOneReadAtATime) {
    int familiesRun = 0;
    SweepSample sample;
    for (const auto& [dialogClass, family] : Families()) {
        if (!family.makeSession) continue;
        const auto probe = family.makeSession();
        if (!probe->has("read") || !probe->has("verify")) continue;
        std::set<std::string> chipsSeen;
        for (const sim::ChipOffer& offer : sim::ChipOffers()) {
            if (offer.family != dialogClass || !chipsSeen.insert(offer.label).second) continue;
            for (const ScenarioRow& s : kScenarios) {
                if (!sample.take()) continue;
                SCOPED_TRACE(dialogClass + " " + offer.label + " " + s.name);
                const Outcome one = RunOnce(family, offer, s.scenario, 1);
                const Outcome ahead = RunOnce(family, offer, s.scenario, kReadAhead);
                EXPECT_EQ(ahead.outcome, one.outcome);
                EXPECT_EQ(ahead.message, one.message);
                EXPECT_EQ(ahead.address, one.address);
                EXPECT_EQ(ahead.buffer, one.buffer);
                EXPECT_EQ(one.largestWrite, 1u) << "window 1 sends byte by byte";
                if (!kBitByBitReads.count(dialogClass) && one.outcome == quarvin::Outcome::Done) {
                    EXPECT_GT(ahead.largestWrite, 1u) << "read-ahead sends reads in batches";
                }
                // A family that aligns the fields to its pages (28C) may find a
                // difference where others do not; then it ended early like a mismatch.
                if (s.sameWire && one.outcome == quarvin::Outcome::Done) {
                    EXPECT_EQ(ahead.wire, one.wire) << one.message;
                }
                // An early stop may send at most one window of reads beyond the
                // other (counted by their replies: a read may take more than one byte).
                EXPECT_LE(ahead.replies, one.replies + kReadAhead);
            }
        }
        EXPECT_FALSE(chipsSeen.empty()) << dialogClass << " has no part in the virtual box";
        ++familiesRun;
    }
    EXPECT_GE(familiesRun, 1);
}

// The outcomes the scenarios are meant to produce, checked once on one part so
// that the comparison above compares the cases it claims to.
TEST(ReadAhead, ScenariosEndAsIntended) {
    const FamilyEntry& family = Families().at("TP27x");
    const sim::ChipOffer* offer = sim::OfferForSubType("TP27x", 13); // a 27C256
    ASSERT_NE(offer, nullptr);
    struct Row { Scenario scenario; quarvin::Outcome outcome; const char* message; };
    const Row rows[] = {
        {Scenario::Read, quarvin::Outcome::Done, "OK!"},
        {Scenario::Verify, quarvin::Outcome::Done, "Verify OK"},
        {Scenario::VerifyMismatch, quarvin::Outcome::Failed, "000a72:Bad! (file=d5,Device=d4)"},
        {Scenario::VerifyStopped, quarvin::Outcome::Stopped, "Stopped at 0005f3"},
        {Scenario::ReadStopped, quarvin::Outcome::Stopped, "Stopped at 000200"},
    };
    for (const Row& r : rows) {
        const Outcome o = RunOnce(family, *offer, r.scenario, kReadAhead);
        EXPECT_EQ(o.outcome, r.outcome) << r.message;
        EXPECT_EQ(o.message, r.message);
    }
    const Outcome read = RunOnce(family, *offer, Scenario::Read, kReadAhead);
    for (std::uint32_t a = 0; a < kSpan; ++a) ASSERT_EQ(read.buffer[a], Pattern(a)) << a;
}

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
