// "Search" tries the packages from the largest down to the selected type's and
// stops after the first that finds the part: the supply never lands on a
// signal pin of a part larger than the package tried.
#include <gtest/gtest.h>

#include "IcTestParts.h"
#include "LogicIcRig.h"

namespace quarvin::test {
namespace {

using namespace icparts;

TEST(IcPackageSearch, GoesFromTheLargestPackageDownToTheSelectedTypesOnly) {
    IcLibraryDir dir("package");
    dir.compile(0, kNandVec + kCounterVec); // 74xx00: 14 pins, supply on socket pin 27; 74xx93: 16 pins, 28
    struct Case {
        const sim::LogicPart* part;
        const char* selected;
        const char* result;
    } cases[] = {
        // The 16-pin part is found before the 14-pin package's supply could reach its pin 15.
        {&kCounter, "74xx00", "Find 1"},
        {&kNand, "74xx00", "Find 1"},
        // A 16-pin type selected: the 14-pin part is never powered.
        {&kNand, "74xx93", kIcNoDevice},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.part->name) + " with " + c.selected + " selected");
        LogicIcRig rig(dir.path(), 0, c.part);
        ASSERT_TRUE(rig.select(c.selected));
        EXPECT_EQ(rig.search(), c.result);
        const auto& events = rig.box->socket().referee().events();
        EXPECT_TRUE(events.empty()) << sim::DescribeStress(events.front());
    }
}

} // namespace
} // namespace quarvin::test
