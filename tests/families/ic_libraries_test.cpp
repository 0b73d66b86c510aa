// The three shipped libraries (74 TTL, CMOS 40 and 45) against their part
// models on the virtual box: every part passes its own entry from any power-up
// state, "Search" finds it and only the types the box cannot tell from it, a
// stuck output or a changed expected level makes it fail, the vector source and
// the part table name the same parts with the same pin letters, and a search sent
// ahead ends as one that awaits each reply.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "LogicIcRig.h"
#include "families/logic_ic/IcTest.h"
#include "sim/families/logic_ic/LogicPart.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

using sim::LogicClass;
using sim::LogicPart;

struct Library {
    LogicClass cls;
    const char* source;
    const std::vector<LogicPart>& (*parts)();
    // Library numbers the box cannot tell apart: same pinout and logic, different
    // only in output type (open collector, push-pull, 3-state that is off and
    // reads high like a high output), drive, input thresholds or hysteresis.
    std::vector<std::vector<int>> sameToTheBox;
    int powerUps;      // seeds per part, each powered up twice
    int flipsPerPart;  // changed expected bits tried per part
    // Outputs whose stuck-low fault no entry can see: the top stages of the long
    // ripple counters, out of reach within the line time an entry may take.
    std::set<std::pair<std::string, int>> unreachableHigh;
};

const std::vector<Library>& Libraries() {
    static const std::vector<Library> libraries = {
        {LogicClass::Ttl74,
         "data/ictest/ttl74.vec",
         sim::Ttl74Parts,
         {
             {0, 3, 26, 37, 38, 132, 1000}, // quad 2-input NAND
             {2, 28, 33, 1002},             // quad 2-input NOR
             {4, 5, 6, 14, 16, 1004, 1005}, // hex inverter
             {7, 17, 34, 35, 1035},         // hex buffer
             {8, 9, 1008},                  // quad 2-input AND
             {10, 12},                      // triple 3-input NAND
             {11, 15, 1011},                // triple 3-input AND
             {20, 22, 40, 140},             // dual 4-input NAND
             {64, 65},                      // 4-2-3-2 input AND-OR-INVERT
             {169, 669},                    // synchronous up/down binary counter
             {168, 668},                    // synchronous up/down decade counter
             {170, 670},                    // 4-by-4 register file: outputs off, or let go, read high
             {86, 136},                     // quad exclusive OR
             {42, 145},                     // BCD to decimal decoder
             {155, 156},                    // dual 2 to 4 decoder with a common address
             {158, 258},                    // inverting 2 to 1 selector: disabled, high or off
             {352, 353},                    // inverting dual 4 to 1 selector: disabled, high or off
             {32, 125, 1032},               // a 3-state buffer that is off reads high: Y = OE/ OR A
             {245, 645, 641},               // octal bus transceiver, A to B (an open collector that is off reads high)
             {621, 623},                    // dual-enable octal bus transceiver, A to B
             {563, 580},                    // octal inverting latch, the 573's pins
             {564, 576},                    // octal inverting register, the 574's pins
             {240, 2240, 756},              // octal inverting driver: 3-state or open collector
             {640, 642, 643},               // octal bus transceiver inverting from A to B
             {520, 521, 688},               // 8-bit identity comparator with an enable, with and without pull-ups
             {682, 684, 685},               // 8-bit magnitude comparator: input pull-ups, open-collector outputs
             {241, 757},                    // octal driver with 1OE/ and 2OE: 3-state or open collector
             {244, 760},                    // octal driver with 1OE/ and 2OE/: 3-state or open collector
             {148, 348},                    // 8-line priority encoder: outputs high or off when nothing is encoded
         },
         8,
         3,
         {}},
        {LogicClass::Cmos40,
         "data/ictest/cmos40.vec",
         sim::Cmos40Parts,
         {{11, 93}, {30, 70}, {69, 106}}, // NAND and inverter with and without Schmitt inputs; two quad XORs
         3,
         4,
         {{"CD4020B", 14}, {"CD4020B", 15}, {"CD4020B", 1}, {"CD4020B", 2}, {"CD4020B", 3}, {"CD4040B", 14},
          {"CD4040B", 15}, {"CD4040B", 1}, {"CD4060B", 1}, {"CD4060B", 2}, {"CD4060B", 3}}},
        {LogicClass::Cmos45, "data/ictest/cmos45.vec", sim::Cmos45Parts, {}, 3, 4, {}},
    };
    return libraries;
}

// Every member of a group must find the whole group.
std::vector<SearchExpectation> Equivalents(const Library& lib) {
    std::vector<SearchExpectation> expectations;
    for (const std::vector<int>& group : lib.sameToTheBox) {
        std::vector<std::string> types;
        for (int number : group) types.push_back(IcTypeName(ClassIndexOf(lib.cls), number));
        for (const LogicPart& part : lib.parts())
            if (std::find(group.begin(), group.end(), part.number) != group.end())
                expectations.push_back({part.name, types});
    }
    return expectations;
}

VecText SourceOf(const Library& lib) { return VecText{SourceText(lib.source)}; }

TEST(IcLibraries, EveryPartPassesItsEntryAndSearchFindsExactlyItsEquivalents) {
    for (const Library& lib : Libraries()) {
        SCOPED_TRACE(lib.source);
        CheckLibraryAgainstModels(lib.cls, SourceOf(lib), lib.parts(), Equivalents(lib));
    }
}

// The source's "ic" and "pins" lines name exactly the parts of the table, with the
// same pin letters (the compiled library no longer carries them).
TEST(IcLibraries, SourceAndPartTableAgree) {
    for (const Library& lib : Libraries()) {
        std::map<int, std::pair<std::string, std::string>> source; // number -> name, pin letters
        std::istringstream text(SourceText(lib.source));
        int number = -1;
        for (std::string line, word; std::getline(text, line);) {
            std::istringstream words(line);
            if (!(words >> word)) continue;
            if (word == "ic") words >> number >> source[number].first;
            if (word == "pins") words >> source[number].second;
        }
        std::map<int, std::pair<std::string, std::string>> table;
        for (const LogicPart& part : lib.parts()) table[part.number] = {part.name, part.pinKinds};
        EXPECT_EQ(source, table) << lib.source;
    }
}

// Parts come up in a random state; the set-up rows must bring every one into the
// state its checks expect, whatever the seed and however often it is powered up.
TEST(IcLibraries, EveryPartPassesFromAnyPowerUpState) {
    for (const Library& lib : Libraries()) {
        IcLibraryDir dir("seeds");
        const int c = ClassIndexOf(lib.cls);
        dir.compile(c, SourceText(lib.source), lib.source);
        SweepSample sample;
        for (const LogicPart& part : lib.parts())
            for (int seed = 1; seed <= lib.powerUps; ++seed) {
                if (!sample.take()) continue;
                LogicIcRig rig(dir.path(), c, nullptr);
                rig.box->insert(std::make_shared<sim::LogicChip>(part, static_cast<std::uint64_t>(seed)));
                EXPECT_EQ(rig.founction(TypeOfPart(part)), "OK!") << part.name << " seed " << seed;
                EXPECT_EQ(rig.founction(TypeOfPart(part)), "OK!") << part.name << " seed " << seed << ", powered up again";
            }
    }
}

TEST(IcLibraries, AFlippedExpectedLevelFailsThePart) {
    for (const Library& lib : Libraries()) {
        const VecText vec = SourceOf(lib);
        SweepSample sample;
        for (const LogicPart& part : lib.parts()) {
            if (!sample.take()) continue;
            EXPECT_EQ(FlippedVectorsThatStillPass(lib.cls, vec, part, static_cast<unsigned>(part.number), lib.flipsPerPart), 0)
                << part.name;
        }
    }
}

// Every output of every part, stuck low and stuck high in turn, makes its own
// entry fail: each output is checked at both levels.
TEST(IcLibraries, AnOutputStuckAtEitherLevelFailsThePart) {
    for (const Library& lib : Libraries()) {
        IcLibraryDir dir("stuck");
        const int c = ClassIndexOf(lib.cls);
        dir.compile(c, SourceText(lib.source), lib.source);
        SweepSample sample;
        for (const LogicPart& part : lib.parts())
            for (int pin = 1; part.pinKinds[pin - 1] != '\0'; ++pin) {
                if (std::string("OCT").find(part.pinKinds[pin - 1]) == std::string::npos || !sample.take()) continue;
                for (const char* level : {"0", "1"}) {
                    if (*level == '0' && lib.unreachableHigh.count({part.name, pin})) continue;
                    const std::string fault = "pin:" + std::to_string(pin) + ":" + level;
                    LogicIcRig rig(dir.path(), c, &part);
                    ASSERT_EQ(sim::AddChipFault(rig.chip->faults(), fault), "");
                    EXPECT_EQ(rig.founction(TypeOfPart(part)), "Bad!!!") << part.name << " " << fault;
                }
            }
    }
}

// "Search" with its first checked vectors sent ahead for many types at once ends
// as when each reply is awaited: the same types found, the same message, the same
// step where Stop ended it, for every part of every class in the socket and for
// an empty socket.
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
    // Parts that keep a state (counters, latches, flip-flops) on which the first
    // vector of some other type passes or fails: sent ahead, that vector meets
    // the part after the vectors of the types ahead of it rather than after a
    // whole run, so that type runs on for a different number of steps and a
    // Stop counted in polls lands at another step. Types found and messages
    // stay the same.
    const std::set<std::string> stopStepMayDiffer = {"74LS107",  "74LS373",  "74LS374",  "74LS377",  "74LS398",
                                                     "74LS573",  "74LS574",  "74ALS563", "74ALS564", "74ALS576B",
                                                     "74HCT534", "MC14522B", "MC14526B", "MC14543B"};
    for (const Library& l : Libraries()) {
        IcLibraryDir dir("ahead");
        const int c = ClassIndexOf(l.cls);
        dir.compile(c, SourceText(l.source));
        std::vector<const sim::LogicPart*> parts{nullptr}; // the empty socket first
        SweepSample sample;
        for (const sim::LogicPart& part : l.parts())
            if (sample.take()) parts.push_back(&part);
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

} // namespace
} // namespace quarvin::test
