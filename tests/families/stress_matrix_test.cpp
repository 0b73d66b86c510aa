// Every operation of every family, on every part of its rows, under the
// socket's electrical referee: no sequence may stress a real chip beyond the
// breaches listed below, nor lose a byte to the box sent ahead with the
// read-ahead window. Each operation also runs stopped at an early, a middle and
// a late progress point and with the box going silent at two byte counts, and
// never ends as a success. One test per family, so that CTest runs the families
// side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "StressMatrix.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

std::string Listed(const std::vector<sim::StressEvent>& events) {
    std::ostringstream out;
    for (std::size_t i = 0; i < events.size() && i < 8; ++i) out << "\n  " << sim::DescribeStress(events[i]);
    if (events.size() > 8) out << "\n  ... " << events.size() << " events";
    return out.str();
}

using sim::StressRule;

// Breaches the matrix still finds in the families' sequences, each kept with
// the data sheet's words (see the README table "What the sequences do to a
// chip"), narrowed where it can be to the parts, socket pins or operation it
// concerns. Every event must match an entry, and every entry must still occur,
// so that a family that gets mended drops its entry.
struct KnownBreach {
    const char* family;
    StressRule rule;
    std::vector<std::string> parts; // empty: any part
    std::vector<int> socketPins;    // empty: any pin
    const char* operation;          // nullptr: any
    const char* why;
};

const KnownBreach kKnownBreaches[] = {
    {"TDsRAM", StressRule::DrivenUnpowered, {"HM628128", "HM628512"}, {26, 33}, nullptr,
     "a plain static RAM (HM628128A: \"VT -0.5 to VCC + 0.3 V\") in the rows of the battery-backed modules, "
     "whose data sheet asks for /CE and /WE high across the supply's switching (DS1245Y: \"CE, WE at VIH before "
     "Power-Down\", \"VCC slew from 0V to VTP (CE at VIH)\", \"CE, WE at VIH after Power-Up\"): the rows "
     "follow the modules' sheet; every other line is low while the supply is off"},
};

const KnownBreach* Known(const std::string& family, const std::string& part, const std::string& operation,
                         const sim::StressEvent& e) {
    const auto listed = [](const auto& list, const auto& value) {
        return list.empty() || std::find(list.begin(), list.end(), value) != list.end();
    };
    for (const KnownBreach& k : kKnownBreaches)
        if (family == k.family && e.rule == k.rule && listed(k.parts, part) && listed(k.socketPins, e.socketPin) &&
            (!k.operation || operation == k.operation))
            return &k;
    return nullptr;
}

class StressMatrix : public testing::TestWithParam<std::string> {};

TEST_P(StressMatrix, NoOperationStressesAnyPartBeyondTheKnownBreaches) {
    const std::string& dialogClass = GetParam();
    ASSERT_TRUE(Families().at(dialogClass).makeSession) << dialogClass;
    const auto offers = OffersOf(dialogClass);
    ASSERT_FALSE(offers.empty()) << dialogClass << " has no part in the virtual box";
    // The referee can only judge a part that says what it may take.
    for (const sim::ChipOffer* offer : offers)
        EXPECT_TRUE(offer->make()->ratings().declared()) << offer->label << " declares no ratings";
    std::set<const KnownBreach*> seen;
    const int runs = ForEachMatrixRun(dialogClass, [&](const sim::ChipOffer& offer, const std::string& op,
                                                       const std::string& scenario, const StressRun& run) {
        SCOPED_TRACE(dialogClass + " " + offer.label + " " + op + ", " + scenario);
        // The tester runs the type of the part in the socket: its own vectors pass.
        if (dialogClass == "TICTestx" && op == "test" && scenario == "whole") {
            EXPECT_EQ(run.message, "OK!");
        }
        // A box gone silent is never a success, nor is a stopped run.
        if (scenario.rfind("silent", 0) == 0) {
            EXPECT_EQ(run.outcome, Outcome::LinkLost) << run.message;
        } else if (scenario.rfind("stopped", 0) == 0) {
            EXPECT_NE(run.outcome, Outcome::Done) << run.message;
        } else { // sent ahead with the window, no byte overruns the box
            EXPECT_EQ(run.boxErrors, 0u) << run.message;
        }
        std::vector<sim::StressEvent> unknown;
        for (const sim::StressEvent& e : run.events) {
            if (const KnownBreach* k = Known(dialogClass, offer.label, op, e)) seen.insert(k);
            else unknown.push_back(e);
        }
        EXPECT_TRUE(unknown.empty()) << run.message << Listed(unknown);
    }, kSanitized ? kSanitizedStride : 1);
    EXPECT_GT(runs, 0);
    if (kSanitized) return; // a sample of the runs need not meet every known breach
    for (const KnownBreach& k : kKnownBreaches)
        if (dialogClass == k.family && !seen.count(&k))
            ADD_FAILURE() << "no longer happens, remove it from the known breaches: " << sim::StressRuleText(k.rule)
                          << " (" << k.why << ")";
}

std::vector<std::string> RefereedFamilies() {
    std::vector<std::string> names;
    for (const auto& [name, entry] : Families())
        if (entry.makeSession) names.push_back(name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, StressMatrix, testing::ValuesIn(RefereedFamilies()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
} // namespace quarvin::test
