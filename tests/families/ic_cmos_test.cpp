// The CMOS 40 and 45 libraries against their part models: every part passes its
// own entry from any power-up state, a search finds it with exactly its listed
// equivalents, a stuck output or a changed expected level makes it fail, the
// vector source and the part tables agree, and 3-state outputs really let go
// (the vectors only see a released pin high).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "LogicIcRig.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::test {
namespace {

using sim::LogicClass;
using sim::LogicPart;

struct CmosLibrary {
    LogicClass cls;
    const char* source;
    const std::vector<LogicPart>& (*parts)();
    std::vector<SearchExpectation> equivalents; // parts whose logic another entry shares
};

const std::vector<CmosLibrary>& Libraries() {
    static const std::vector<CmosLibrary> libraries = {
        {LogicClass::Cmos40, "data/ictest/cmos40.vec", sim::Cmos40Parts,
         {{"CD4011B", {"4011", "4093"}}, {"CD4093B", {"4011", "4093"}},       // Schmitt NAND
          {"CD4030B", {"4030", "4070"}}, {"CD4070B", {"4030", "4070"}},       // two quad XORs
          {"CD4069UB", {"4069", "40106"}}, {"CD40106B", {"4069", "40106"}}}}, // Schmitt inverter
        {LogicClass::Cmos45, "data/ictest/cmos45.vec", sim::Cmos45Parts, {}},
    };
    return libraries;
}

TEST(CmosLibraries, EveryPartPassesItsEntryAndSearchFindsItsEquivalents) {
    for (const CmosLibrary& lib : Libraries()) {
        SCOPED_TRACE(lib.source);
        CheckLibraryAgainstModels(lib.cls, lib.source, lib.parts(), lib.equivalents);
    }
}

// Every output is checked at both levels, so a pin stuck at either one fails the
// part; only the top stages of the long ripple counters stay out of reach within
// the line time an entry may take.
TEST(CmosLibraries, AnOutputStuckAtEitherLevelFailsThePart) {
    const std::set<std::pair<std::string, int>> unreachableHigh = {
        {"CD4020B", 14}, {"CD4020B", 15}, {"CD4020B", 1}, {"CD4020B", 2}, {"CD4020B", 3},
        {"CD4040B", 14}, {"CD4040B", 15}, {"CD4040B", 1},
        {"CD4060B", 1}, {"CD4060B", 2}, {"CD4060B", 3}};
    for (const CmosLibrary& lib : Libraries())
        for (const LogicPart& part : lib.parts())
            for (int pin = 1; part.pinKinds[pin - 1] != '\0'; ++pin) {
                if (part.pinKinds[pin - 1] != 'O' && part.pinKinds[pin - 1] != 'T') continue;
                for (const char* level : {"0", "1"}) {
                    if (*level == '0' && unreachableHigh.count({part.name, pin})) continue;
                    const std::string fault = "pin:" + std::to_string(pin) + ":" + level;
                    EXPECT_EQ(FounctionWithFault(lib.cls, lib.source, part, fault), "Bad!!!") << part.name << " " << fault;
                }
            }
}

// Parts come up in a random state; the set-up rows must bring every one into the
// state its checks expect, whatever the seed and however often it is powered up.
TEST(CmosLibraries, EveryPartPassesFromAnyPowerUpState) {
    for (const CmosLibrary& lib : Libraries()) {
        IcLibraryDir dir("seeds");
        const int c = ClassIndexOf(lib.cls);
        dir.compile(c, ReadText(std::filesystem::path(QUARVIN_SOURCE_DIR) / lib.source), lib.source);
        for (const LogicPart& part : lib.parts())
            for (std::uint64_t seed : {7u, 1234u, 99991u}) {
                LogicIcRig rig(dir.path(), c, nullptr);
                rig.box->insert(std::make_shared<sim::LogicChip>(part, seed));
                EXPECT_EQ(rig.founction(TypeOfPart(part)), "OK!") << part.name << " seed " << seed;
                EXPECT_EQ(rig.founction(TypeOfPart(part)), "OK!") << part.name << " seed " << seed << ", powered up again";
            }
    }
}

TEST(CmosLibraries, AFlippedExpectedLevelFailsThePart) {
    for (const CmosLibrary& lib : Libraries())
        for (const LogicPart& part : lib.parts())
            EXPECT_EQ(FlippedVectorsThatStillPass(lib.cls, lib.source, part, static_cast<unsigned>(part.number), 4), 0)
                << part.name;
}

// The source's "ic" and "pins" lines name exactly the parts of the table, with the
// same pin letters (the compiled library no longer carries them).
TEST(CmosLibraries, SourceAndPartTableAgree) {
    for (const CmosLibrary& lib : Libraries()) {
        std::map<int, std::pair<std::string, std::string>> source; // number -> name, pin letters
        std::istringstream text(ReadText(std::filesystem::path(QUARVIN_SOURCE_DIR) / lib.source));
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

// Inputs that disable a part's 3-state outputs, and the levels that enable them
// again; every T pin must be released in the first case and driven in the second.
struct ThreeStateCase {
    const char* part;
    std::vector<int> lowWhenDisabled, lowWhenEnabled; // the other inputs are high
};

const LogicPart& PartNamed(const char* name) {
    for (const CmosLibrary& lib : Libraries())
        for (const LogicPart& part : lib.parts())
            if (sim::SamePartName(part.name, name)) return part;
    throw std::runtime_error(name);
}

TEST(CmosLibraries, DisabledThreeStateOutputsAreReleased) {
    const ThreeStateCase cases[] = {
        {"CD4043B", {5}, {}},            // ENABLE low
        {"CD4044B", {5}, {}},
        {"CD4076B", {15}, {1, 2}},       // M or N high (RESET held low only when enabled)
        {"CD4094B", {15}, {}},           // OUTPUT ENABLE low
        {"MC14502B", {}, {4}},           // DISABLE high
        {"MC14503B", {}, {1, 15}},       // DISABLE A and B high
        {"MC14506UB", {}, {14}},         // DISABLE high
        {"CD4508B", {}, {3, 15}},
        {"MC14512B", {}, {15}},
        {"MC14580B", {3, 21}, {}},       // 3-STATE A and B low
        {"HEF40240B", {}, {1, 19}},      // EOA and EOB high
        {"HEF40244B", {}, {1, 19}},
        {"HEF40245B", {}, {19}},        // EO high (DR high: A to B)
        {"HEF40098B", {}, {1, 15}},      // 1OE and 2OE high
        {"CD40104B", {1}, {}},           // OUTPUT ENABLE low
        {"CD40257B", {}, {15}},          // OUTPUT DISABLE high
    };
    for (const ThreeStateCase& c : cases) {
        SCOPED_TRACE(c.part);
        const LogicPart& part = PartNamed(c.part);
        const std::string kinds = part.pinKinds;
        auto drivenThreeState = [&](const std::vector<int>& low) {
            std::uint64_t levels = ~std::uint64_t{0};
            for (int pin : low) levels &= ~(std::uint64_t{1} << (pin - 1));
            sim::LogicState state;
            sim::LogicPins pins(levels, levels);
            part.evaluate(pins, state);
            std::uint64_t driven = 0;
            for (std::size_t k = 0; k < kinds.size(); ++k)
                if (kinds[k] == 'T') driven |= pins.drivenMask() & (std::uint64_t{1} << k);
            return driven;
        };
        std::uint64_t allThreeState = 0;
        for (std::size_t k = 0; k < kinds.size(); ++k)
            if (kinds[k] == 'T') allThreeState |= std::uint64_t{1} << k;
        EXPECT_EQ(drivenThreeState(c.lowWhenDisabled), 0u);
        EXPECT_EQ(drivenThreeState(c.lowWhenEnabled), allThreeState);
    }
}

// D1 (1) runs through four stages to D1+4 (13) on CLOCK (3) falling; D1+4' (2)
// takes D1+4 only while CLOCK is high, so it changes half a clock later. The
// CD4006B's entry checks D1+4' only with CLOCK high.
TEST(CmosModels, Cd4006DelayedOutputChangesHalfAClockAfterD1Plus4) {
    const LogicPart& part = PartNamed("CD4006B");
    struct Step { bool clock, d1, plus4, plus4Delayed; };
    const Step steps[] = {
        // four falling edges with D1 high fill section 1 with ones
        {true, true, false, false}, {false, true, false, false}, {true, true, false, false},
        {false, true, false, false}, {true, true, false, false}, {false, true, false, false},
        {true, true, false, false}, {false, true, true, false}, // D1+4 rises on the 4th fall...
        {true, false, true, true},                               // ...D1+4' on the next rise
        {false, false, true, true}, {true, false, true, true}, {false, false, true, true},
        {true, false, true, true}, {false, false, true, true}, {true, false, true, true},
        {false, false, false, true},                             // the zero arrives on a fall
        {true, false, false, false},                             // and passes on the rise
    };
    const auto bit = [](int pin) { return std::uint64_t{1} << (pin - 1); };
    sim::LogicState state; // every stage low
    std::uint64_t previous = 0;
    int index = 0;
    for (const Step& s : steps) {
        const std::uint64_t levels = (s.clock ? bit(3) : 0) | (s.d1 ? bit(1) : 0);
        sim::LogicPins pins(levels, previous);
        part.evaluate(pins, state);
        EXPECT_EQ((pins.drivenLevels() & bit(13)) != 0, s.plus4) << "step " << index;
        EXPECT_EQ((pins.drivenLevels() & bit(2)) != 0, s.plus4Delayed) << "step " << index;
        previous = levels;
        ++index;
    }
}

} // namespace
} // namespace quarvin::test
