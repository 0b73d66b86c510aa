// Sending ahead through every built family's operations on the virtual box:
// every operation, run on a plain line waiting for each reply and behind a 16 ms
// USB adapter with the read-ahead window, ends with the same result, message,
// address and buffer, early stops included (a part that differs, is not blank or
// does not program, Stop pressed, the box going silent, which is never a
// success), and the box loses no byte. A whole read or verify sends the very
// same commands, the reads in batches. A box too slow for the window loses
// bytes, which ends the read as a lost link with the buffer kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "families/mcu2051/P2051Operations.h"
#include "link/commands/Opcodes.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "RigWireTap.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

constexpr int kWindow = 128;
constexpr std::uint32_t kSpan = 0x900; // bytes (words) the address fields cover: 9 pages
constexpr std::uint32_t kUsedByte = 0x524; // a byte inside the sixth page, whose pattern byte is not FF

// SlowPart (writes twice the model's time, beyond the data sheet's longest) is
// not among the scenarios below: sent ahead it fails where waiting passes.
enum class Scenario { BlankPart, FilledPart, OneCellDiffers, UsedPage, WontProgram, Stopped, Silent, SlowPart };

struct ScenarioRow {
    const char* name;
    Scenario scenario;
};

const ScenarioRow kScenarios[] = {
    {"blank part", Scenario::BlankPart},          // program and blank pass, verify differs at once
    {"filled part", Scenario::FilledPart},        // verify and read pass, blank fails at once
    {"one cell differs", Scenario::OneCellDiffers}, // verify differs in the middle
    {"used page", Scenario::UsedPage},            // blank fails in the middle
    {"cell will not program", Scenario::WontProgram},
    {"stop pressed", Scenario::Stopped},
    {"box goes silent", Scenario::Silent},
};

std::uint8_t Pattern(std::uint32_t a) { return static_cast<std::uint8_t>(a * 29 + (a >> 8) + 3); }

struct Ended {
    quarvin::Outcome outcome = quarvin::Outcome::Done;
    std::string message;
    std::uint32_t address = 0;
    std::uint32_t value = 0;
    std::vector<std::uint8_t> buffer; // the buffer's first kSpan bytes afterwards
    std::size_t overruns = 0;
    std::uint64_t bytesSent = 0;
    std::optional<OperationResult> verified; // a Verify right after a Programe that ended OK, when asked for
    WireTap wire; // what the operation sent
};

struct Line {
    int window;
    bool adapter;
};
constexpr Line kPlain{1, false};
constexpr Line kAhead{kWindow, true};

// One operation on a fresh box whose part the scenario prepared. silentAfter:
// the box stops answering once it has taken that many bytes of the operation.
Ended RunOnce(const FamilyEntry& family, const sim::ChipOffer& offer, const std::string& operation, Scenario scenario,
            const Line& line, std::optional<std::uint64_t> silentAfter = std::nullopt, bool verifyAfter = false) {
    sim::BoxConfig config;
    config.usb.attached = line.adapter;
    config.usb.latencyMs = 16;
    auto box = std::make_shared<sim::Box>(config);
    auto chip = offer.make();
    auto& cells = chip->memory();
    const auto cellCount = static_cast<std::uint32_t>(cells.size());
    if (scenario == Scenario::FilledPart || scenario == Scenario::OneCellDiffers)
        for (std::uint32_t a = 0; a < cellCount; ++a) cells[a] = Pattern(a);
    if (scenario == Scenario::OneCellDiffers && cellCount > 2) cells[std::min(kUsedByte, cellCount / 2)] ^= 0x10;
    if (scenario == Scenario::UsedPage && cellCount > 2) cells[std::min(kUsedByte, cellCount / 2)] = 0x5A;
    if (scenario == Scenario::WontProgram) {
        const std::uint32_t at = std::min(kUsedByte, cellCount / 2);
        chip->faults().noProgram.push_back({at, at});
    }
    if (scenario == Scenario::SlowPart) chip->faults().eraseTimeFactor = 2.0;
    box->insert(chip);

    auto session = family.makeSession();
    session->setProgramDir((std::filesystem::path(QUARVIN_BINARY_DIR) / "data/").string());
    LinkState link;
    auto tap = std::make_shared<WireTap>();
    link.port = std::make_unique<RigWireTap>(std::make_unique<sim::VirtualBoxTransport>(box), tap);
    link.connected = 1;
    link.readAheadWindow = line.window;
    auto buffer = std::make_unique<MainBuffer>();
    for (std::uint32_t a = 0; a < kSpan; ++a) (*buffer)[a] = Pattern(a);
    SelectionState selection;
    selection.subType = offer.subType;
    int polls = 0;
    OperationHooks hooks;
    hooks.stopRequested = [&] { return scenario == Scenario::Stopped && ++polls >= 3; }; // stays pressed
    const AddressFields fields{0, 0, std::min(session->lastAddress(offer.subType), kSpan - 1)};
    SessionJob job{link, *buffer, selection, fields, hooks, nullptr, {}};
    session->start(link);
    *tap = {};
    const std::uint64_t before = box->clock().bytesToBox();
    if (silentAfter) box->faults().silentAfterBytes = before + *silentAfter;
    const OperationResult r = RunGuarded(link, [&] { return session->run(operation, job); });
    Ended out;
    out.outcome = r.outcome;
    out.message = r.message;
    out.address = r.address;
    out.value = r.value;
    out.buffer.assign(buffer->data(), buffer->data() + kSpan);
    for (const sim::BoxError& e : box->errors()) out.overruns += e.kind == sim::BoxError::Kind::Overrun;
    out.bytesSent = box->clock().bytesToBox() - before;
    out.wire = *tap;
    if (verifyAfter && r.ok()) out.verified = RunGuarded(link, [&] { return session->run("verify", job); });
    return out;
}

// The smallest part of each family: every operation runs twice per scenario.
std::map<std::string, const sim::ChipOffer*> SmallestPartOfEachFamily() {
    std::map<std::string, const sim::ChipOffer*> parts;
    for (const sim::ChipOffer& offer : sim::ChipOffers()) {
        if (!Families().count(offer.family)) continue;
        const sim::ChipOffer*& smallest = parts[offer.family];
        if (!smallest || offer.make()->memory().size() < smallest->make()->memory().size()) smallest = &offer;
    }
    return parts;
}

const std::set<std::string> kBitByBitReads = {"TP89c5x", "TP2051x", "TGALx", "TP22V10x", "TP16c8x", "TAT90sx"};

TEST(SendAhead, EveryOperationEndsAsWhenEachReplyIsAwaited) {
    std::set<std::string> endings; // outcome kinds seen, so that the early stops are covered
    SweepSample sample;
    for (const auto& [dialogClass, offer] : SmallestPartOfEachFamily()) {
        const FamilyEntry& family = Families().at(dialogClass);
        for (const FamilyOperationInfo& op : family.makeSession()->operations()) {
            if (op.name == "auto") continue; // waits on the user
            for (const ScenarioRow& s : kScenarios) {
                if (!sample.take()) continue;
                SCOPED_TRACE(dialogClass + " " + offer->label + " " + op.name + ", " + s.name);
                std::optional<std::uint64_t> silentAfter;
                if (s.scenario == Scenario::Silent) {
                    const Ended whole = RunOnce(family, *offer, op.name, Scenario::BlankPart, kPlain);
                    silentAfter = whole.bytesSent / 2;
                }
                const bool program = op.name == "program";
                const Ended plain = RunOnce(family, *offer, op.name, s.scenario, kPlain, silentAfter, program);
                const Ended ahead = RunOnce(family, *offer, op.name, s.scenario, kAhead, silentAfter);
                // A Programe sent ahead reads back what it wrote: where the part does
                // not hold the data although waiting for each reply said OK, it ends
                // as the Verify after that Programe does.
                const bool readBackFails = plain.verified && !plain.verified->ok();
                EXPECT_EQ(ahead.outcome, readBackFails ? plain.verified->outcome : plain.outcome);
                EXPECT_EQ(ahead.message, readBackFails ? plain.verified->message : plain.message);
                EXPECT_EQ(ahead.address, readBackFails ? plain.verified->address : plain.address);
                EXPECT_EQ(ahead.value, plain.value);
                EXPECT_EQ(ahead.buffer, plain.buffer);
                EXPECT_EQ(ahead.overruns, 0u);
                EXPECT_EQ(plain.overruns, 0u);
                if (silentAfter > 0u) { // never a success from a box gone silent
                    EXPECT_EQ(plain.outcome, quarvin::Outcome::LinkLost) << plain.message;
                    EXPECT_EQ(plain.message, kNotConnectedText);
                }
                // A read or verify that ends as a whole sends the same commands,
                // the reads in batches (the microcontrollers, the PIC16 and the
                // logic devices read bit by bit or a port per address step).
                if (s.scenario == Scenario::FilledPart && plain.outcome == quarvin::Outcome::Done &&
                    (op.name == "read" || op.name == "verify")) {
                    EXPECT_EQ(ahead.wire.bytes, plain.wire.bytes);
                    EXPECT_EQ(plain.wire.largestWrite, 1u);
                    if (!kBitByBitReads.count(dialogClass)) {
                        EXPECT_GT(ahead.wire.largestWrite, 1u);
                    }
                }
                endings.insert(std::string(s.name) + ":" + std::to_string(static_cast<int>(plain.outcome)));
            }
        }
    }
    // The scenarios reach the endings they are there for somewhere (a sample may not).
    if (kSanitized) return;
    for (const char* ending : {"one cell differs:1", "used page:1", "cell will not program:1", "stop pressed:2",
                               "box goes silent:4"})
        EXPECT_TRUE(endings.count(ending)) << ending;
}

// The failure addresses of the loops that now send ahead, checked on one part
// each so that the comparison above compares the cases it claims to.
TEST(SendAhead, EarlyStopsEndWhereTheyShould) {
    struct Row {
        const char* part; // a 27C256 where empty (sub-type 13 of the EPROMs)
        const char* operation;
        Scenario scenario;
        quarvin::Outcome outcome;
        const char* message;
        std::uint32_t address;
    };
    const Row rows[] = {
        {"", "blank", Scenario::UsedPage, quarvin::Outcome::Failed, "000524: Not blank ", 0x524}, // the used byte
        {"Am29F010B", "program", Scenario::WontProgram, quarvin::Outcome::Failed, "Programe Failured! at 000524", 0x524},
        {"", "program", Scenario::Stopped, quarvin::Outcome::Stopped, "Stopped at 000200", 0x200},
        {"AT89C2051", "blank", Scenario::UsedPage, quarvin::Outcome::Failed, "Not blank! at 0400", 0x400},
        {"AT89C2051", "verify", Scenario::OneCellDiffers, quarvin::Outcome::Failed, "0400:Bad! (file=07,Device=17)", 0x400},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.part) + " " + r.operation + " " + r.message);
        const sim::ChipOffer* offer = *r.part ? sim::FindOffer(r.part) : sim::OfferForSubType("TP27x", 13);
        ASSERT_NE(offer, nullptr);
        const Ended run = RunOnce(Families().at(offer->family), *offer, r.operation, r.scenario, kAhead);
        EXPECT_EQ(run.outcome, r.outcome);
        EXPECT_EQ(run.message, r.message);
        EXPECT_EQ(run.address, r.address);
    }
}

// Sent ahead, the RDY/BSY poll after each programmed byte goes out after the
// data sheet's longest write time: a part that takes longer fails at the first
// byte whose poll found it busy (where the line had no pause to spare) instead
// of passing, where waiting for each reply it still passes.
TEST(SendAhead, APartSlowerThanItsDataSheetFailsAtItsFirstWrite) {
    for (const char* part : {"AT89C2051", "AT90S2313"}) {
        SCOPED_TRACE(part);
        const sim::ChipOffer* offer = sim::FindOffer(part);
        ASSERT_NE(offer, nullptr);
        const FamilyEntry& family = Families().at(offer->family);
        const Ended plain = RunOnce(family, *offer, "program", Scenario::SlowPart, kPlain);
        const Ended ahead = RunOnce(family, *offer, "program", Scenario::SlowPart, kAhead);
        EXPECT_EQ(plain.outcome, quarvin::Outcome::Done);
        EXPECT_EQ(ahead.outcome, quarvin::Outcome::Failed);
        EXPECT_LT(ahead.address, kSpan);
        EXPECT_EQ(ahead.overruns, 0u);
    }
}

// Polls paced shorter than the model's own write time (1.2 ms) read the part
// busy: the pacing comes from the data sheet's longest time, not from a guess
// that happens to pass on the model.
TEST(SendAhead, PacingShorterThanTheWriteTimeFails) {
    const sim::ChipOffer* offer = sim::FindOffer("AT89C2051");
    ASSERT_NE(offer, nullptr);
    for (double longest : {700.0, kP2051ByteWriteReady.longestWriteMicroseconds}) {
        SCOPED_TRACE(longest);
        sim::BoxConfig config;
        config.usb.attached = true;
        auto box = std::make_shared<sim::Box>(config);
        box->insert(offer->make());
        LinkState link;
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        link.connected = 1;
        link.readAheadWindow = kWindow;
        auto buffer = std::make_unique<MainBuffer>();
        std::fill_n(buffer->data(), 0x800, 0xFF);
        (*buffer)[0] = 0x12;
        const OperationHooks hooks;
        P2051Job job{link, kP2051Rows[2], *buffer, hooks};
        job.byteWriteReady.longestWriteMicroseconds = longest;
        const OperationResult r = RunGuarded(link, [&] { return ProgramP2051(job); });
        if (longest < 1200.0) {
            EXPECT_EQ(r.outcome, quarvin::Outcome::Failed);
            EXPECT_EQ(r.message, "0000:Bad! (file=12,Device=13)");
        } else {
            EXPECT_EQ(r.outcome, quarvin::Outcome::Done);
        }
    }
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
TEST(SendAhead, AnOverrunOfReadsEndsAsALostLinkAndKeepsTheBuffer) {
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
