// Every operation of every family, on every part of its rows, under the
// socket's electrical referee: no sequence may stress a real chip. Each
// operation also runs stopped at an early, a middle and a late progress point
// and with the box going silent at two byte counts. One test per family, so
// that CTest runs the families side by side.
#include <gtest/gtest.h>

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

class StressMatrix : public testing::TestWithParam<std::string> {};

TEST_P(StressMatrix, NoOperationStressesAnyPart) {
    const std::string& dialogClass = GetParam();
    ASSERT_TRUE(Families().at(dialogClass).makeSession) << dialogClass;
    const auto offers = OffersOf(dialogClass);
    ASSERT_FALSE(offers.empty()) << dialogClass << " has no part in the virtual box";
    // The referee can only judge a part that says what it may take.
    for (const sim::ChipOffer* offer : offers)
        EXPECT_TRUE(offer->make()->ratings().declared()) << offer->label << " declares no ratings";
    const int runs = ForEachMatrixRun(dialogClass, [&](const sim::ChipOffer& offer, const std::string& op,
                                                       const std::string& scenario, const StressRun& run) {
        SCOPED_TRACE(dialogClass + " " + offer.label + " " + op + ", " + scenario);
        EXPECT_TRUE(run.events.empty()) << run.message << Listed(run.events);
        if (scenario.rfind("silent", 0) == 0) {
            EXPECT_EQ(run.outcome, quarvin::Outcome::LinkLost);
        }
    });
    EXPECT_GT(runs, 0);
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
