// A box that loses a byte of a Programe sent ahead (a receive overrun behind a
// command that took longer than the host allowed for) must never end the run
// "OK" with the part not holding the data: every family whose Programe sends
// ahead, with one byte lost at spread positions of what it sends ahead. A lost
// pin step, port write or argument byte changes no reply, so only the read-back
// of the written range that a Programe sent ahead ends with can witness it.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>

#include "families/framework/FamilyDialog.h"
#include "families/framework/FamilySession.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"

namespace quarvin::test {
namespace {

constexpr std::uint32_t kSpan = 0x300;
constexpr int kLossPositions = 15; // bytes lost one at a time, spread over the stream

std::uint8_t Pattern(std::uint32_t a) { return static_cast<std::uint8_t>(a * 29 + (a >> 8) + 3); }

struct Ran {
    quarvin::Outcome outcome = quarvin::Outcome::Done;
    std::string message;
    std::vector<std::uint64_t> sentAhead; // the operation's bytes that went out in runs sent ahead
};

// The virtual box's line, noting which bytes leave while replies are awaited later.
class NotingLine final : public sim::VirtualBoxTransport {
public:
    NotingLine(std::shared_ptr<sim::Box> box, const LinkState& link, std::vector<std::uint64_t>& ahead)
        : VirtualBoxTransport(box), box_(std::move(box)), link_(link), ahead_(ahead) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        for (std::size_t i = 0; i < n && link_.readingAhead > 0; ++i) ahead_.push_back(box_->clock().bytesToBox() + i);
        return VirtualBoxTransport::write(data, n);
    }

private:
    std::shared_ptr<sim::Box> box_;
    const LinkState& link_;
    std::vector<std::uint64_t>& ahead_;
};

// One operation of the family on a fresh box holding `chip`; window 1 waits for
// every reply on a plain line, a larger one sends ahead behind a 16 ms adapter.
Ran RunOn(const FamilyEntry& family, int subType, const std::shared_ptr<sim::Chip>& chip, const std::string& operation,
          int window, std::optional<std::uint64_t> lostByte = std::nullopt) {
    sim::BoxConfig config;
    config.usb.attached = window > 1;
    config.usb.latencyMs = 16;
    auto box = std::make_shared<sim::Box>(config);
    box->insert(chip);
    auto session = family.makeSession();
    session->setProgramDir((std::filesystem::path(QUARVIN_BINARY_DIR) / "data/").string());
    LinkState link;
    Ran out;
    link.port = std::make_unique<NotingLine>(box, link, out.sentAhead);
    link.connected = 1;
    link.readAheadWindow = window;
    auto buffer = std::make_unique<MainBuffer>();
    for (std::uint32_t a = 0; a < kSpan; ++a) (*buffer)[a] = Pattern(a);
    SelectionState selection;
    selection.subType = subType;
    const OperationHooks hooks;
    const AddressFields fields{0, 0, std::min(session->lastAddress(subType), kSpan - 1)};
    SessionJob job{link, *buffer, selection, fields, hooks, nullptr, {}};
    session->start(link);
    if (lostByte) box->faults().lostBytes.push_back(*lostByte);
    const OperationResult r = RunGuarded(link, [&] { return session->run(operation, job); });
    out.outcome = r.outcome;
    out.message = r.message;
    return out;
}

TEST(LostWriteBytes, AProgrameThatLostAByteSentAheadHoldsTheDataOrDoesNotEndOk) {
    std::map<std::string, const sim::ChipOffer*> smallest;
    for (const sim::ChipOffer& offer : sim::ChipOffers()) {
        if (!Families().count(offer.family)) continue;
        const auto it = smallest.find(offer.family);
        if (it == smallest.end() || offer.make()->memory().size() < it->second->make()->memory().size())
            smallest[offer.family] = &offer;
    }
    int lossesSeen = 0;
    int stillOk = 0;
    std::map<quarvin::Outcome, int> caught;
    for (const auto& [dialogClass, offer] : smallest) {
        const FamilyEntry& family = Families().at(dialogClass);
        const auto session = family.makeSession();
        if (!session->has("program") || !session->has("verify")) continue;
        auto reference = offer->make();
        const Ran whole = RunOn(family, offer->subType, reference, "program", 128);
        // Families whose Programe needs more than the buffer, or whose Verify
        // covers more than it wrote, have nothing to compare with.
        if (whole.outcome != quarvin::Outcome::Done ||
            RunOn(family, offer->subType, reference, "verify", 1).outcome != quarvin::Outcome::Done)
            continue;
        const std::size_t ahead = whole.sentAhead.size();
        for (int k = 1; k <= kLossPositions && ahead > 0; ++k) {
            const std::uint64_t lost = whole.sentAhead[ahead * k / (kLossPositions + 1)];
            SCOPED_TRACE(dialogClass + " " + offer->label + ", byte " + std::to_string(lost) + " lost");
            auto chip = offer->make();
            const Ran program = RunOn(family, offer->subType, chip, "program", 128, lost);
            ++lossesSeen;
            if (program.outcome != quarvin::Outcome::Done) {
                // A failed check names where it failed; a box out of step is a lost link.
                if (program.outcome == quarvin::Outcome::Failed) {
                    EXPECT_NE(program.message.find_first_of("0123456789"), std::string::npos) << program.message;
                }
                ++caught[program.outcome];
                continue;
            }
            ++stillOk;
            // "OK" only where the part holds what was to be written: the same
            // cells as the run that lost nothing, and its own Verify agrees.
            EXPECT_TRUE(chip->memory() == reference->memory()) << program.message;
            const Ran verify = RunOn(family, offer->subType, chip, "verify", 1);
            EXPECT_EQ(verify.outcome, quarvin::Outcome::Done) << program.message << " / " << verify.message;
        }
    }
    EXPECT_GT(lossesSeen, 8 * kLossPositions); // the write families above
    std::cout << lossesSeen << " runs lost a byte: " << caught[quarvin::Outcome::Failed] << " failed, "
              << caught[quarvin::Outcome::LinkLost] << " lost the link, " << caught[quarvin::Outcome::Stopped]
              << " stopped, " << stillOk << " ended OK holding the data\n";
}

} // namespace
} // namespace quarvin::test
