// Every operation of every family, on every part of its rows, under the
// socket's electrical referee: no sequence may stress a real chip beyond the
// breaches listed below. Each operation also runs stopped at an early, a
// middle and a late progress point and with the box going silent at two byte
// counts. One test per family, so that CTest runs the families side by side.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "StressMatrix.h"

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
// chip"). Every event must match an entry, and every entry must still occur,
// so that a family that gets mended drops its entry.
struct KnownBreach {
    const char* family;
    StressRule rule;
    const char* why;
};

constexpr const char* kPortsHighWithoutVcc =
    "signal pins high while Vcc is off, on a part rated Vcc + 0.5 V on them: the power-ups raise ports before "
    "they close the Vcc switch, and the power-downs open it while ports are still high (the ports go low only "
    "after it); the part is fed through its input diodes meanwhile";

constexpr const char* kLinesHighAfterVcc =
    "the operation's end opens the Vcc switch and leaves the lines it last drove high, on a part rated "
    "against Vcc on its signal pins (\"-0.6V to VCC +1.0V\", \"VCC + 0.5 V\")";

const KnownBreach kKnownBreaches[] = {
    {"TDsRAM", StressRule::DrivenUnpowered,
     "HM628128/628512 (\"Vcc + 0.3 V\", unconfirmed) in rows of battery-backed modules whose data sheet asks for "
     "/CE and /WE high across the supply's switching (DS1245Y: \"CE, WE at VIH before Power-Down\", \"VCC slew "
     "from 0V to VTP (CE at VIH)\", \"CE, WE at VIH after Power-Up\"); the address and data lines are not yet "
     "taken low before Vcc goes"},
    {"TICTestx", StressRule::DrivenUnpowered, kPortsHighWithoutVcc},
    {"TICTestx", StressRule::SupplyOnSignalPin,
     "the tester switches Vcc to the supply pin of the package it tries, an output of a larger part"},
};

const KnownBreach* Known(const std::string& family, StressRule rule) {
    for (const KnownBreach& k : kKnownBreaches)
        if (family == k.family && rule == k.rule) return &k;
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
        std::vector<sim::StressEvent> unknown;
        for (const sim::StressEvent& e : run.events) {
            if (const KnownBreach* k = Known(dialogClass, e.rule)) seen.insert(k);
            else unknown.push_back(e);
        }
        EXPECT_TRUE(unknown.empty()) << run.message << Listed(unknown);
    });
    EXPECT_GT(runs, 0);
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
