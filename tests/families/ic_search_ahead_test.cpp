// "Search" with its first checked vectors sent ahead for many types at once ends
// as when each reply is awaited: the same types found, the same message, the same
// step where Stop ended it, for every part of every class in the socket and for
// an empty socket.
#include <gtest/gtest.h>

#include <set>

#include "IcTestParts.h"
#include "LogicIcRig.h"
#include "families/logic_ic/IcTest.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::test {
namespace {

struct Searched {
    std::string message;
    std::uint32_t address = 0;
    std::vector<std::string> found;
};

// One search on a fresh box; stopAtPoll > 0 presses Stop at that poll and keeps it pressed.
Searched Search(const std::string& dir, int icClass, const sim::LogicPart* part, int window, int stopAtPoll = 0) {
    LogicIcRig rig(dir, icClass, part);
    rig.link.readAheadWindow = window;
    int polls = 0;
    OperationHooks hooks;
    hooks.stopRequested = [&] { return stopAtPoll > 0 && ++polls >= stopAtPoll; };
    const std::optional<IcLibrary> lib =
        IcLibrary::Load(dir + "/" + IcClasses()[static_cast<std::size_t>(icClass)].fileName);
    if (!lib) {
        ADD_FAILURE() << "no library in " << dir;
        return {};
    }
    const IcSearchResult r = IcSearch(rig.link, *lib, hooks);
    Searched out{r.result.message, r.result.address, {}};
    for (std::size_t i : r.found) out.found.push_back(IcTypeName(icClass, lib->entries()[i].number));
    return out;
}

TEST(IcSearchAhead, EndsAsWhenEachReplyIsAwaited) {
    struct Library {
        sim::LogicClass cls;
        const char* source;
        const std::vector<sim::LogicPart>& parts;
    };
    const Library libraries[] = {
        {sim::LogicClass::Ttl74, "data/ictest/ttl74.vec", sim::Ttl74Parts()},
        {sim::LogicClass::Cmos40, "data/ictest/cmos40.vec", sim::Cmos40Parts()},
        {sim::LogicClass::Cmos45, "data/ictest/cmos45.vec", sim::Cmos45Parts()},
    };
    // Parts that keep a state (counters, latches, flip-flops) on which the first
    // vector of some other type passes or fails: sent ahead, that vector meets
    // the part after the vectors of the types ahead of it rather than after a
    // whole run, so that type runs on for a different number of steps and a
    // Stop counted in polls lands at another step. Types found and messages
    // stay the same.
    const std::set<std::string> stopStepMayDiffer = {"74LS107",  "74LS373",  "74LS374",  "74LS377",  "74LS398",
                                                     "74LS573",  "74LS574",  "74ALS563", "74ALS564", "74ALS576B",
                                                     "74HCT534", "MC14522B", "MC14526B", "MC14543B"};
    for (const Library& l : libraries) {
        IcLibraryDir dir("ahead");
        const int c = ClassIndexOf(l.cls);
        dir.compile(c, SourceText(l.source));
        std::vector<const sim::LogicPart*> parts{nullptr}; // the empty socket first
        for (const sim::LogicPart& part : l.parts) parts.push_back(&part);
        for (const sim::LogicPart* part : parts) {
            SCOPED_TRACE(std::string(l.source) + " " + (part ? part->name : "empty socket"));
            for (int stopAtPoll : {0, 1, 7, 40}) {
                SCOPED_TRACE(stopAtPoll);
                const Searched plain = Search(dir.path(), c, part, 1, stopAtPoll);
                const Searched ahead = Search(dir.path(), c, part, 128, stopAtPoll);
                EXPECT_EQ(ahead.message, plain.message);
                if (!part || !stopStepMayDiffer.count(part->name)) {
                    EXPECT_EQ(ahead.address, plain.address);
                }
                EXPECT_EQ(ahead.found, plain.found);
            }
        }
    }
}

// "Founction" sent ahead ends as when each reply is awaited: the message, the
// failing or stopped step; and a part that is not of the type, failing at the
// first checked vector, gets no vector sent beyond it: the same stream.
TEST(IcFounctionAhead, EndsAsWhenEachReplyIsAwaited) {
    using namespace icparts;
    struct Case {
        const char* name;
        const sim::LogicPart* part;
        const char* type;
        const char* fault; // on the part, "" for none
        int stopAtPoll;    // 0: Stop never pressed
        const char* message;
    };
    const Case cases[] = {
        {"its own type, loop vectors", &kCounter, "74xx93", "", 0, "OK!"},
        {"another type", &kNand, "74xx74", "", 0, "Bad!!!"},
        {"an output stuck", &kCounter, "74xx93", "pin:11:0", 0, "Bad!!!"},
        {"Stop pressed", &kCounter, "74xx93", "", 5, "Stopped"},
    };
    IcLibraryDir dir("founction");
    dir.compile(0, AllVec());
    const std::optional<IcLibrary> lib = IcLibrary::Load(dir.path() + "/" + IcClasses()[0].fileName);
    ASSERT_TRUE(lib);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t entry = 0;
        while (entry < lib->entries().size() && IcTypeName(0, lib->entries()[entry].number) != c.type) ++entry;
        ASSERT_LT(entry, lib->entries().size());
        struct Run {
            OperationResult result;
            std::vector<std::uint8_t> bytes;
        };
        const auto run = [&](int window) {
            LogicIcRig rig(dir.path(), 0, c.part);
            if (*c.fault) {
                EXPECT_EQ(sim::AddChipFault(rig.chip->faults(), c.fault), "");
            }
            rig.link.readAheadWindow = window;
            rig.tap->bytes.clear();
            int polls = 0;
            OperationHooks hooks;
            hooks.stopRequested = [&] { return c.stopAtPoll > 0 && ++polls >= c.stopAtPoll; };
            const OperationResult r = RunGuarded(rig.link, [&] { return IcFounction(rig.link, *lib, entry, hooks); });
            return Run{r, rig.tap->bytes};
        };
        const Run plain = run(1), ahead = run(128);
        EXPECT_EQ(plain.result.message, c.message);
        EXPECT_EQ(ahead.result.message, plain.result.message);
        EXPECT_EQ(ahead.result.address, plain.result.address);
        if (std::string(c.name) == "another type") {
            EXPECT_EQ(ahead.bytes, plain.bytes);
        }
    }
}

} // namespace
} // namespace quarvin::test
