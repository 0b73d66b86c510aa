// The optocoupler tester on the virtual box: every package passes and counts,
// each channel fault fails without counting, the counter buttons, no link;
// its stream waiting for each reply, and the same endings sent ahead.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "families/opto/OptoDialog.h"
#include "families/opto/OptoPackages.h"
#include "families/opto/OptoTest.h"
#include "sim/ChipFaultText.h"

namespace quarvin::test {
namespace {

struct OptoBench : DialogRig<OptoDialog> {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<sim::Chip> chip;
    explicit OptoBench(const sim::ChipOffer& offer) : DialogRig<OptoDialog>(5) {
        connect(std::make_unique<sim::VirtualBoxTransport>(box));
        chip = offer.make();
        box->insert(chip);
        dlg.Start();
        dlg.control("RadioGroup1").setItemIndex(offer.subType - 1);
    }
    std::string counter() { return dlg.control("Edit1").text(); }
};

TEST(Opto, EveryPartPassesAndCountsEachFaultFails) {
    int parts = 0;
    for (const sim::ChipOffer& offer : sim::ChipOffers()) {
        if (offer.family != OptoDialog::kFormClass) continue;
        ++parts;
        SCOPED_TRACE(offer.label);
        OptoBench rig(offer);
        EXPECT_EQ(rig.selection.subType, 0);
        rig.dlg.click("Button1");
        rig.dlg.click("Test2");
        EXPECT_EQ(rig.msg(), "OK！");
        EXPECT_EQ(rig.counter(), "1");
        const int channels = static_cast<int>(OptoPackages()[static_cast<std::size_t>(offer.subType - 1)].channels.size());
        for (int ch = 1; ch <= channels; ++ch)
            for (const char* kind : {"open", "short", "dead"}) {
                SCOPED_TRACE(std::to_string(ch) + kind);
                OptoBench bad(offer);
                ASSERT_EQ(sim::AddChipFault(bad.chip->faults(), "opto:" + std::to_string(ch) + ":" + kind), "");
                bad.dlg.click("Test2");
                EXPECT_EQ(bad.msg(), "Bad device!");
                EXPECT_EQ(OptoDialog::counter(), 1);
            }
        // The wrong package: a 4-pin part tested as a 16-pin one fails.
        if (offer.subType == 1) {
            rig.dlg.control("RadioGroup1").setItemIndex(3);
            rig.dlg.click("Test2");
            EXPECT_EQ(rig.msg(), "Bad device!");
        }
    }
    EXPECT_EQ(parts, 5);
}

TEST(Opto, EmptySocketCounterButtonsAndNoLink) {
    OptoBench rig(*sim::FindOffer("PC817"));
    rig.box->remove();
    rig.dlg.click("Button1");
    rig.dlg.click("Test2");
    EXPECT_EQ(rig.msg(), "Bad device!");
    EXPECT_EQ(rig.counter(), "0");
    rig.dlg.click("Button3");
    rig.dlg.click("Button3");
    EXPECT_EQ(rig.counter(), "-2");
    rig.dlg.click("Button2");
    EXPECT_EQ(rig.counter(), "-1");
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.counter(), "0");

    DialogRig<OptoDialog> off(0);
    off.dlg.Start();
    EXPECT_EQ(off.msg(), "Communication error!");
    EXPECT_EQ(off.dlg.control("Edit1").text(), "Counter");
}

struct OptoRun {
    OperationResult result;
    std::vector<std::uint8_t> bytes;
    std::size_t overruns = 0;
};

// The test of a four-channel part with one fault, waiting for each reply on a
// plain line or sent ahead behind a 16 ms USB adapter.
OptoRun RunTest(const char* fault, bool ahead) {
    const sim::ChipOffer* offer = sim::FindOffer("PC847");
    sim::BoxConfig config;
    config.usb.attached = ahead;
    config.usb.latencyMs = 16;
    auto box = std::make_shared<sim::Box>(config);
    auto chip = offer->make();
    if (*fault) {
        EXPECT_EQ(sim::AddChipFault(chip->faults(), fault), "");
    }
    box->insert(chip);
    OptoRun run;
    auto tap = std::make_shared<std::vector<std::uint8_t>>();
    LinkState link;
    link.port = std::make_unique<TappedVirtualBox>(box, tap);
    link.connected = 1;
    link.readAheadWindow = ahead ? 128 : 1;
    const OptoPackage& package = OptoPackages()[static_cast<std::size_t>(offer->subType - 1)];
    run.result = RunGuarded(link, [&] { return TestOptocoupler(link, package); });
    run.bytes = *tap;
    for (const sim::BoxError& e : box->errors()) run.overruns += e.kind == sim::BoxError::Kind::Overrun;
    return run;
}

// Waiting for each reply the stream stops at the first failing channel (at its
// lit read where the LED does not pull the collector low); sent ahead every
// channel is probed, and the same channel fails with the same message.
TEST(Opto, AheadEndsAsWaitingForEachReplyWhichKeepsItsStream) {
    const struct {
        const char* golden;
        const char* fault;
        quarvin::Outcome outcome;
        std::uint32_t channel;
    } cases[] = {
        {"opto_pc847_pass", "", quarvin::Outcome::Done, 0},
        // The tester counts channels from the socket's middle: the part's channel 3
        // is its second, the part's channel 2 its third.
        {"opto_pc847_ch2_open", "opto:3:open", quarvin::Outcome::Failed, 2},   // fails lit
        {"opto_pc847_ch3_short", "opto:2:short", quarvin::Outcome::Failed, 3}, // fails dark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        const OptoRun plain = RunTest(c.fault, false), ahead = RunTest(c.fault, true);
        EXPECT_TRUE(MatchesGolden(c.golden, plain.result.message, plain.bytes));
        EXPECT_EQ(plain.result.outcome, c.outcome);
        EXPECT_EQ(plain.result.address, c.channel);
        EXPECT_EQ(ahead.result.outcome, plain.result.outcome);
        EXPECT_EQ(ahead.result.message, plain.result.message);
        EXPECT_EQ(ahead.result.address, plain.result.address);
        EXPECT_EQ(ahead.overruns, 0u);
    }
}

} // namespace
} // namespace quarvin::test
