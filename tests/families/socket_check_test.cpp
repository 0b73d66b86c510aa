// The socket check on every part of every family's rows in the virtual box: a
// good part, an empty socket, each pin without contact, the part turned round
// and seated one and two rows too high, each with the message it must give.
// The check powers nothing (the referee sees no event) and leaves the box's
// registers as the family's start left them. One test per family.
#include <gtest/gtest.h>

#include <unistd.h>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "StressMatrix.h"
#include "families/framework/SocketCheck.h"
#include "families/framework/SocketCheckSession.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "shell/SocketCheckSettings.h"
#include "sim/ChipFaultText.h"
#include "sim/families/uv_eprom/EpromChip.h"
#include "sim/PartPinouts.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

struct CheckRun {
    OperationResult result;
    std::vector<std::uint8_t> bytes; // what the check sent
    std::vector<sim::StressEvent> events;
    bool registersKept = false; // as the start left them, or all off after a failure
};

// The family's start, then the check on `offer`'s part with `fault` ("" for none).
CheckRun RunCheck(const FamilyEntry& family, const std::string& dialogClass, const sim::ChipOffer& offer,
                  const std::string& fault) {
    auto box = std::make_shared<sim::Box>();
    auto chip = offer.make();
    if (!fault.empty()) {
        EXPECT_EQ(sim::AddChipFault(chip->faults(), fault), "");
    }
    EXPECT_EQ(sim::FaultOutsideChip(*chip), "") << fault;
    box->insert(chip);
    LinkState link;
    auto tap = std::make_shared<std::vector<std::uint8_t>>();
    link.port = std::make_unique<TappedVirtualBox>(box, tap);
    link.connected = 1;
    auto inner = family.makeSession();
    SocketCheckSession session(*inner, [&](const SelectionState& s) {
        return SocketCheckPlanFor(family, dialogClass, s, [&](const std::string&, int, const std::string&) {
            return sim::PartPinoutOfType(offer.label);
        });
    });
    auto buffer = std::make_unique<MainBuffer>();
    SelectionState selection;
    selection.subType = offer.subType;
    OperationHooks hooks;
    const SessionJob job{link, *buffer, selection, AddressFields{}, hooks, nullptr, {}};
    sim::StressReferee& referee = box->socket().referee();
    session.start(link, offer.subType);
    const sim::Registers before = box->socket().registers();
    const RegisterImages images = link.images;
    referee.clearEvents();
    referee.setOperation("check");
    tap->clear();
    CheckRun run;
    run.result = session.run(kCheckOperation, job);
    run.bytes = *tap;
    referee.operationEnded(run.result.ok() && session.leavesPartPowered(kCheckOperation));
    run.events = referee.events();
    sim::Registers after = box->socket().registers();
    after.port = before.port; // held pins keep their low port bits
    // A good socket is left as the start left it; any other outcome unpowered.
    const auto& socket = box->socket();
    run.registersKept = run.result.ok() ? after == before && link.images == images
                                        : !socket.vccPins() && !socket.groundPins() && !socket.vppMillivolts() &&
                                              !socket.boxDrivenPins();
    return run;
}

struct Case {
    std::string fault;
    std::string message;
};

// The faults and what the check must say of each, from the row's plan.
std::vector<Case> CasesFor(const SocketCheckPlan& plan) {
    std::vector<Case> cases{{"", kSocketOkText}, {"empty", kNoChipText}, {"reversed", kReversedText}};
    const std::vector<int> checked = plan.checkedPins();
    for (int k = 1; k <= plan.placement.packagePins; ++k) {
        const bool seen = std::find(checked.begin(), checked.end(), k) != checked.end();
        // A pin with no diode to Vcc reads high with or without contact.
        cases.push_back({"nocontact:" + std::to_string(k), seen ? BadContactMessage({k}) : kSocketOkText});
    }
    for (int rows : {1, 2})
        if (rows <= plan.highestSeat()) cases.push_back({"offset:" + std::to_string(rows), TooHighMessage(rows)});
    return cases;
}

class SocketCheckTable : public testing::TestWithParam<std::string> {};

TEST_P(SocketCheckTable, EveryRowsPartGoodEmptyOpenReversedAndTooHigh) {
    const std::string& dialogClass = GetParam();
    const FamilyEntry& family = Families().at(dialogClass);
    const auto offers = OffersOf(dialogClass);
    ASSERT_FALSE(offers.empty());
    for (const sim::ChipOffer* offer : offers) {
        SCOPED_TRACE(dialogClass + " " + offer->label);
        SelectionState selection;
        selection.subType = offer->subType;
        const SocketCheckPlan plan =
            SocketCheckPlanFor(family, dialogClass, selection, [&](const std::string&, int, const std::string&) {
                return sim::PartPinoutOfType(offer->label);
            });
        if (!family.noSocketCheck.empty()) {
            const CheckRun run = RunCheck(family, dialogClass, *offer, "");
            EXPECT_EQ(run.result.outcome, Outcome::Refused);
            std::string refusal = kNoSocketCheckText;
            refusal.append(": ").append(family.noSocketCheck);
            EXPECT_EQ(run.result.message, refusal);
            continue;
        }
        if (plan.clamped == 0) {
            // No data sheet shows a pin of this part tied to Vcc: no check, and nothing sent that powers it.
            const CheckRun run = RunCheck(family, dialogClass, *offer, "");
            EXPECT_EQ(run.result.outcome, Outcome::Refused);
            EXPECT_EQ(run.result.message, plan.refusal);
            EXPECT_NE(plan.refusal.find("no pin of it is known to answer"), std::string::npos) << plan.refusal;
            EXPECT_TRUE(run.events.empty()) << sim::DescribeStress(run.events.front());
            continue;
        }
        ASSERT_EQ(plan.refusal, "");
        SweepSample sample;
        for (const Case& c : CasesFor(plan)) {
            if (!sample.take()) continue;
            SCOPED_TRACE(c.fault.empty() ? "good part" : c.fault);
            const CheckRun run = RunCheck(family, dialogClass, *offer, c.fault);
            EXPECT_EQ(run.result.message, c.message);
            EXPECT_EQ(run.result.outcome, c.message == kSocketOkText ? Outcome::Done : Outcome::Failed);
            EXPECT_TRUE(run.events.empty()) << sim::DescribeStress(run.events.front());
            EXPECT_TRUE(run.registersKept);
        }
    }
}

// The check's bytes on each family's first part: the register images kept, the
// pins released, the Vcc pin held and the socket read, the images put back.
// On the EPROM row also a part turned round, with the seats tried after it.
TEST(SocketCheckGolden, EachFamilysFirstPartAndAReversedEprom) {
    for (const auto& [dialogClass, family] : Families()) {
        const auto offers = OffersOf(dialogClass);
        if (!family.makeSession || offers.empty()) continue;
        const CheckRun run = RunCheck(family, dialogClass, *offers.front(), "");
        EXPECT_TRUE(MatchesGolden("socket_check_" + dialogClass, run.result.message, run.bytes));
    }
    constexpr int kRow27c256 = 13;
    const sim::ChipOffer* eprom = sim::OfferForSubType("TP27x", kRow27c256);
    ASSERT_NE(eprom, nullptr);
    const CheckRun reversed = RunCheck(Families().at("TP27x"), "TP27x", *eprom, "reversed");
    EXPECT_EQ(reversed.result.message, kReversedText);
    EXPECT_TRUE(MatchesGolden("socket_check_27c256_reversed", reversed.result.message, reversed.bytes));
}

std::vector<std::string> FamiliesWithParts() {
    std::vector<std::string> names;
    for (const auto& [name, entry] : Families())
        if (entry.makeSession && !OffersOf(name).empty()) names.push_back(name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, SocketCheckTable, testing::ValuesIn(FamiliesWithParts()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// The window's option: off, a button runs as before; on, a socket with a pin
// out of contact makes Read and Auto refuse with the check's message before any
// byte of theirs goes out; a good socket lets them run. The option is kept in
// the program directory.
TEST(SocketCheckWindow, TheOptionMakesButtonsAndAutoRefuseOnABadSocket) {
    const auto dir = std::filesystem::temp_directory_path() / ("quarvin_socket_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string programDir = dir.string() + "/";
    WindowSocketCheck option(programDir);
    option.setPinouts(sim::PartPinoutOf);
    EXPECT_FALSE(option.beforeEachOperation());

    SimRig<UvEpromDialog, sim::EpromChip> rig(13); // 27C256
    rig.fp.platform.socketCheck = &option;
    rig.chip->faults().seating.openContacts = sim::pinBit(22);
    rig.fields("0", "0", "ff");
    rig.dlg.click("ReadButton");
    EXPECT_EQ(rig.msg(), "OK!") << "the option is off";

    ASSERT_EQ(option.store(true), "");
    EXPECT_TRUE(WindowSocketCheck(programDir).beforeEachOperation());
    for (const char* button : {"ReadButton", "Button1"}) {
        const std::uint64_t before = rig.box->bytesReceived();
        rig.dlg.click(button);
        EXPECT_EQ(rig.msg(), "Bad contact on pin 22") << button;
        EXPECT_EQ(rig.box->socket().vccPins(), 0u) << button << " powered the part";
        EXPECT_GT(rig.box->bytesReceived(), before);
    }
    rig.chip->faults().seating = {};
    rig.dlg.click("ReadButton");
    EXPECT_EQ(rig.msg(), "OK!");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace quarvin::test
