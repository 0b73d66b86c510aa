// The logic IC tester with small test-local parts: "Founction" and "Search" on
// the virtual box, loop vectors, the row split, an empty socket.
#include <gtest/gtest.h>

#include "IcTestParts.h"
#include "LogicIcRig.h"

namespace quarvin::test {
namespace {

using namespace icparts;

TEST(IcTester, EveryTestPartPassesItsOwnEntryAndSearchFindsItsEquivalents) {
    IcLibraryDir dir("core");
    dir.compile(0, AllVec());
    struct Case {
        const sim::LogicPart* part;
        std::vector<std::string> found;
    } cases[] = {
        {&kNand, {"74xx00", "74xx03"}},
        {&kNandOc, {"74xx00", "74xx03"}},
        {&kFlipFlop, {"74xx74"}},
        {&kCounter, {"74xx93"}},
        {&kBuffer, {"74xx125"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part->name);
        LogicIcRig rig(dir.path(), 0, c.part);
        EXPECT_EQ(rig.msg(), "OK ");
        EXPECT_EQ(rig.founction(TypeOfPart(*c.part)), "OK!");
        EXPECT_EQ(rig.search(), c.found.size() == 1 ? "Find 1" : "Find 2 same device");
        EXPECT_EQ(rig.found(), c.found);
        EXPECT_EQ(rig.dlg->control("Number").text(), c.found.front());
    }
}

TEST(IcTester, EmptySocketOutsidePartAndWrongEntry) {
    IcLibraryDir dir("empty");
    dir.compile(0, kNandVec + kBufferVec);
    LogicIcRig empty(dir.path(), 0, nullptr);
    EXPECT_EQ(empty.search(), "No device in socket!");
    EXPECT_TRUE(empty.found().empty());
    EXPECT_EQ(empty.dlg->control("Number").text(), " ");
    EXPECT_EQ(empty.founction("74xx00"), "Bad!!!");

    // A 16-pin part never gets its supply from 14-pin entries: as good as empty.
    LogicIcRig unpowered(dir.path(), 0, &kCounter);
    EXPECT_EQ(unpowered.search(), "No device in socket!");
    IcLibraryDir other("other");
    other.compile(0, kNandVec + kFlipFlopVec);
    LogicIcRig outside(other.path(), 0, &kBuffer);
    EXPECT_EQ(outside.search(), "No find!");
    LogicIcRig wrong(dir.path(), 0, &kNand);
    EXPECT_EQ(wrong.founction("74xx125"), "Bad!!!");
}

} // namespace
} // namespace quarvin::test
