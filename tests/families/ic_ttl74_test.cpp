// The 74 TTL library against its chip models on the virtual box: every part
// passes its own entry, "Search" finds it and only the types the box cannot tell
// from it, and a wrong expected level in its vectors makes it fail.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "LogicIcRig.h"
#include "sim/ChipFaultText.h"
#include "sim/families/logic_ic/LogicChip.h"
#include "sim/families/logic_ic/LogicPart.h"

namespace quarvin::test {
namespace {

constexpr const char* kSource = "data/ictest/ttl74.vec";
constexpr int kTtlClass = 0;

// Library numbers the box cannot tell apart: same pinout and logic, different
// only in output type (open collector, push-pull, 3-state that is off and reads
// high like a high output), drive or input thresholds.
const std::vector<std::vector<int>> kSameToTheBox = {
    {0, 3, 26, 37, 38, 132, 1000}, // quad 2-input NAND
    {2, 28, 33, 1002},       // quad 2-input NOR
    {4, 5, 6, 14, 16, 1004, 1005}, // hex inverter
    {7, 17, 34, 35, 1035},   // hex buffer
    {8, 9, 1008},            // quad 2-input AND
    {10, 12},                // triple 3-input NAND
    {11, 15, 1011},          // triple 3-input AND
    {20, 22, 40, 140},       // dual 4-input NAND
    {64, 65},                // 4-2-3-2 input AND-OR-INVERT
    {169, 669},              // synchronous up/down binary counter
    {168, 668},              // synchronous up/down decade counter
    {170, 670},              // 4-by-4 register file: outputs off, or let go, read high
    {86, 136},               // quad exclusive OR
    {42, 145},               // BCD to decimal decoder
    {155, 156},              // dual 2 to 4 decoder with a common address
    {158, 258},              // inverting 2 to 1 selector: disabled, high or off
    {352, 353},              // inverting dual 4 to 1 selector: disabled, high or off
    {32, 125, 1032},         // a 3-state buffer that is off reads high: Y = OE/ OR A
    {245, 645, 641},         // octal bus transceiver, A to B (an open collector that is off reads high)
    {621, 623},              // dual-enable octal bus transceiver, A to B (open collector or 3-state)
    {563, 580},              // octal inverting latch, the 573's pins
    {564, 576},              // octal inverting register, the 574's pins
    {240, 2240, 756},        // octal inverting driver: 3-state or open collector, off reads high
    {640, 642, 643},         // octal bus transceiver inverting from A to B
    {520, 521, 688},         // 8-bit identity comparator with an enable, with and without input pull-ups
    {682, 684, 685},         // 8-bit magnitude comparator: input pull-ups, open-collector outputs
    {241, 757},              // octal driver with 1OE/ and 2OE: 3-state or open collector
    {244, 760},              // octal driver with 1OE/ and 2OE/: 3-state or open collector
    {148, 348},              // 8-line priority encoder: outputs high or off when nothing is encoded
};

const sim::LogicPart& PartNumbered(int number) {
    for (const sim::LogicPart& part : sim::Ttl74Parts())
        if (part.number == number) return part;
    throw std::out_of_range("no 74 part " + std::to_string(number));
}

// Every member of a group must find the whole group.
std::vector<SearchExpectation> Equivalents() {
    std::vector<SearchExpectation> expectations;
    for (const std::vector<int>& group : kSameToTheBox) {
        std::vector<std::string> types;
        for (int number : group) types.push_back(IcTypeName(kTtlClass, number));
        for (int number : group) expectations.push_back({PartNumbered(number).name, types});
    }
    return expectations;
}

TEST(Ttl74Library, EveryPartPassesItsEntryAndSearchFindsExactlyItsEquivalents) {
    ASSERT_GE(sim::Ttl74Parts().size(), 40u);
    CheckLibraryAgainstModels(sim::LogicClass::Ttl74, kSource, sim::Ttl74Parts(), Equivalents());
}

// The source and the models describe the same parts: one entry per model,
// marked alike, with the same pin letters.
TEST(Ttl74Library, EntriesAndModelsAgreeOnNamesAndPins) {
    std::map<int, std::pair<std::string, std::string>> entries; // number: name, pin letters
    std::istringstream source(SourceText(kSource));
    int number = -1;
    for (std::string line; std::getline(source, line);) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "ic") words >> number >> entries[number].first;
        else if (keyword == "pins") words >> entries[number].second;
    }
    EXPECT_EQ(entries.size(), sim::Ttl74Parts().size());
    for (const sim::LogicPart& part : sim::Ttl74Parts()) {
        const auto entry = entries.find(part.number);
        ASSERT_NE(entry, entries.end()) << part.name;
        EXPECT_EQ(entry->second, std::make_pair(std::string(part.name), std::string(part.pinKinds)));
    }
}

// Parts power up in no set state: each entry must bring its part into a known
// one, whatever the power-up state.
TEST(Ttl74Library, EveryPartPassesFromManyPowerUpStates) {
    constexpr std::uint64_t kPowerUps = 16;
    IcLibraryDir dir("powerup");
    dir.compile(kTtlClass, SourceText(kSource));
    for (const sim::LogicPart& part : sim::Ttl74Parts())
        for (std::uint64_t seed = 1; seed <= kPowerUps; ++seed) {
            LogicIcRig rig(dir.path(), kTtlClass, nullptr);
            rig.box->insert(std::make_shared<sim::LogicChip>(part, seed));
            EXPECT_EQ(rig.founction(TypeOfPart(part)), "OK!") << part.name << " seed " << seed;
        }
}

TEST(Ttl74Library, AFlippedExpectedLevelFailsOnTheModel) {
    constexpr int kFlipsPerPart = 3;
    for (const sim::LogicPart& part : sim::Ttl74Parts())
        EXPECT_EQ(FlippedVectorsThatStillPass(sim::LogicClass::Ttl74, kSource, part,
                                              static_cast<unsigned>(part.number) + 1, kFlipsPerPart), 0)
            << part.name;
}

// Every output of every part, stuck low and stuck high in turn, makes its own
// entry fail.
TEST(Ttl74Library, AnyStuckOutputFails) {
    IcLibraryDir dir("stuck");
    dir.compile(kTtlClass, SourceText(kSource));
    for (const sim::LogicPart& part : sim::Ttl74Parts()) {
        const std::string letters = part.pinKinds;
        for (std::size_t i = 0; i < letters.size(); ++i) {
            if (letters[i] != 'O' && letters[i] != 'C' && letters[i] != 'T') continue;
            for (const char* level : {"0", "1"}) {
                const std::string fault = "pin:" + std::to_string(i + 1) + ":" + level;
                LogicIcRig rig(dir.path(), kTtlClass, &part);
                ASSERT_EQ(sim::AddChipFault(rig.chip->faults(), fault), "");
                EXPECT_EQ(rig.founction(TypeOfPart(part)), "Bad!!!") << part.name << " " << fault;
            }
        }
    }
}

// The box reads an open-collector output that lets go as high, so only the chip
// can show that such outputs never drive high.
TEST(Ttl74Chips, OpenCollectorOutputsOnlyPullLow) {
    constexpr int kSteps = 256;
    constexpr int kFiveVolts = 5000;
    for (const sim::LogicPart& part : sim::Ttl74Parts()) {
        std::mt19937_64 rng(3); // each part its own sequence, whatever the table's order
        const int pins = static_cast<int>(std::char_traits<char>::length(part.pinKinds));
        sim::PinMask openCollector = 0, inputs = 0;
        for (int k = 1; k <= pins; ++k) {
            if (part.pinKinds[k - 1] == 'C') openCollector |= sim::pinBit(k);
            if (part.pinKinds[k - 1] == 'I') inputs |= sim::pinBit(k);
        }
        if (!openCollector) continue;
        SCOPED_TRACE(part.name);
        sim::LogicChip chip(part);
        sim::ChipView view;
        view.vcc = sim::pinBit(pins);
        view.ground = sim::pinBit(pins / 2);
        view.vccMillivolts = kFiveVolts;
        sim::PinMask pulledLow = 0;
        for (int step = 0; step < kSteps; ++step) {
            view.level = (rng() & inputs) | ~inputs;
            view.driven = inputs & ~view.level;
            const sim::ChipDrive drive = chip.update(view);
            EXPECT_EQ(drive.enable & drive.level & openCollector, 0u);
            pulledLow |= drive.enable & ~drive.level & openCollector;
        }
        EXPECT_EQ(pulledLow, openCollector); // every output pulled low at some point
    }
}

} // namespace
} // namespace quarvin::test
