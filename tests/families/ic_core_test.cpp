// The logic IC tester with small test-local parts: "Founction" and "Search" on
// the virtual box, loop vectors, the package order of a search, an empty socket,
// stop and lost link, Founction sent ahead, and the library loader on malformed
// files.
#include <gtest/gtest.h>

#include "GoldenWire.h"
#include "IcTestParts.h"
#include "LogicIcRig.h"
#include "families/logic_ic/IcTest.h"
#include "link/commands/LinkOps.h"
#include "support/RecordingTransport.h"

namespace quarvin::test {
namespace {

using namespace icparts;

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
    // A part found: Number names its type.
    LogicIcRig found(dir.path(), 0, &kBuffer);
    EXPECT_EQ(found.search(), "Find 1");
    EXPECT_EQ(found.dlg->control("Number").text(), "74xx125");
}

// "Search" tries the packages from the largest down to the selected type's and
// stops after the first that finds the part: the supply never lands on a
// signal pin of a part larger than the package tried.
TEST(IcTester, SearchGoesFromTheLargestPackageDownToTheSelectedTypesOnly) {
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

// A record by hand: the number's digits, N at offset 5, then N vectors whose
// first byte is `flags` and whose vector 0 names Vcc pin 27.
std::vector<std::uint8_t> Record(const std::string& number, int n, std::uint8_t flags = kIcDriveOnlyFlag) {
    std::vector<std::uint8_t> r(kIcHeaderSize + kIcVectorSize * static_cast<std::size_t>(n), 0);
    for (std::size_t i = 0; i < number.size() && i < 5; ++i) r[i] = static_cast<std::uint8_t>(number[i]);
    if (number.size() < 5) r[number.size()] = ' ';
    r[5] = static_cast<std::uint8_t>(n);
    for (int j = 0; j < n; ++j) r[kIcHeaderSize + kIcVectorSize * static_cast<std::size_t>(j)] = flags;
    if (n > 0) r[kIcHeaderSize + kIcPackage2] = 0x40;
    return r;
}

std::vector<std::uint8_t> Cat(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const std::vector<std::uint8_t> kEnd{'E'};

TEST(IcLibraryLoad, MalformedLibrariesKeepTheWholeRecordsTheyHold) {
    std::vector<std::uint8_t> many;
    for (int i = 0; i < 1500; ++i) {
        const auto r = Record(std::to_string(i), 3);
        many.insert(many.end(), r.begin(), r.end());
    }
    many.push_back('E');
    auto cut = Cat({Record("1", 2), Record("2", 3)});
    cut.erase(cut.end() - 4, cut.end()); // the last record loses its last four bytes
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<std::int32_t> numbers;
        std::vector<std::uint32_t> counts;
        std::vector<int> vccPins;
    } cases[] = {
        {"ends at E", Cat({Record("0", 1), Record("138", 2), kEnd, Record("9", 1)}), {0, 138}, {1, 2}, {27, 27}},
        {"first byte E", Cat({kEnd, Record("0", 1)}), {}, {}, {}},
        {"no E", Cat({Record("4", 1), Record("5", 2)}), {4, 5}, {1, 2}, {27, 27}},
        {"truncated last record", cut, {1}, {2}, {27}},
        {"header cut short", Cat({Record("1", 1), {'7', '4'}}), {1}, {1}, {27}},
        {"N = 0 first", Cat({Record("7", 0), Record("8", 2), kEnd}), {7, 8}, {0, 2}, {27, 27}},
        {"N = 0 last", Cat({Record("7", 1), Record("8", 0), kEnd}), {7, 8}, {1, 0}, {27, 0}},
        {"non-digit header", Cat({Record("10", 1), Record("AB", 1), Record("12", 1), kEnd}), {10}, {1}, {27}},
        {"sign and blanks as %d reads them", Cat({Record(" -3", 1), kEnd}), {-3}, {1}, {27}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IcLibrary lib = IcLibrary::Parse(c.bytes);
        std::vector<std::int32_t> numbers;
        std::vector<std::uint32_t> counts;
        std::vector<int> vcc;
        for (const IcEntry& e : lib.entries()) {
            numbers.push_back(e.number);
            counts.push_back(e.count);
            vcc.push_back(e.vccPin);
        }
        EXPECT_EQ(numbers, c.numbers);
        EXPECT_EQ(counts, c.counts);
        EXPECT_EQ(vcc, c.vccPins);
    }
    const IcLibrary big = IcLibrary::Parse(many);
    ASSERT_EQ(big.entries().size(), 1500u);
    EXPECT_EQ(big.entries().back().number, 1499);
    // An empty first entry shares the next one's vectors; the last keeps its own place.
    const auto first = IcLibrary::Parse(Cat({Record("7", 0), Record("8", 2), kEnd}));
    EXPECT_EQ(first.entries()[0].offset, first.entries()[1].offset);
    const auto last = IcLibrary::Parse(Cat({Record("7", 1), Record("8", 0), kEnd}));
    EXPECT_EQ(last.entries()[1].offset, static_cast<std::uint32_t>(kIcHeaderSize + kIcVectorSize));
}

TEST(IcLibraryLoad, LoopVectorsAtTheStartSkipTheVectorsBeforeVectorZero) {
    struct Case {
        int loopAt;
        std::uint32_t steps; // two drive-only vectors besides the loop of 3
    } cases[] = {{0, 2}, {1, 1 + 3 + 1}, {2, 2 + 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loopAt);
        auto rec = Record("1", 3);
        std::uint8_t* loop = rec.data() + kIcHeaderSize + kIcVectorSize * static_cast<std::size_t>(c.loopAt);
        loop[kIcFlags] = kIcLoopFlag;
        loop[kIcLoopCountHigh] = 0;
        loop[kIcLoopCountLow] = 3;
        const IcLibrary lib = IcLibrary::Parse(Cat({rec, kEnd}));
        LinkState link;
        auto log = std::make_shared<TransportLog>();
        link.port = std::make_unique<RecordingTransport>(log);
        link.connected = 1;
        IcRunCounters counters;
        EXPECT_EQ(IcTestEntry(link, lib, lib.entries()[0], counters, {}), IcVerdict::Pass);
        EXPECT_EQ(counters.steps, c.steps);
        EXPECT_EQ(log->written.size(), 12u * c.steps);
    }
}

// One step of the NAND's first row, worked out by hand from its pins in the
// socket (pins 1..7 on socket pins 14..20, 8..14 on 21..27).
TEST(IcWire, OneStepDrivesThreeRegistersAndReadsThreePorts) {
    IcLibraryDir dir("step");
    const IcLibrary lib = IcLibrary::Parse(dir.compile(0, kNandVec));
    LogicIcRig rig(dir.path(), 0, &kNand);
    ConnectGround(rig.link, 20);
    ConnectVcc(rig.link, 27);
    rig.tap->bytes.clear();
    IcRunCounters counters;
    EXPECT_TRUE(IcStep(rig.link, lib.vector(lib.entries()[0], 0), counters, {}));
    const std::vector<std::uint8_t> want{0x13, 0x00, 0x12, 0x00, 0x11, 0x00, // ports 3, 2, 1 low
                                         0x0B, 0xDE, 0x09, 0x9F, 0x08, 0x7F, // directions 3, 1, 0
                                         0x04, 0x03, 0x02};                   // read ports 3, 2, 1
    EXPECT_EQ(HexLines(rig.tap->bytes), HexLines(want));
    // The last vector is the fourth row, checked, all outputs high: it passes on
    // an empty socket as well; the first, which expects 4Y low, does not.
    const std::uint8_t* last = lib.vector(lib.entries()[0], lib.entries()[0].count - 1);
    ASSERT_EQ(last[kIcFlags], 0);
    rig.box->remove();
    counters.releasedPinReadLow = false;
    EXPECT_TRUE(IcStep(rig.link, last, counters, {}));
    EXPECT_FALSE(counters.releasedPinReadLow);
    EXPECT_FALSE(IcStep(rig.link, lib.vector(lib.entries()[0], 0), counters, {})) << "empty socket";
    EXPECT_EQ(counters.steps, 3u);
}

// The TTL entries run one after the other with the drivers in force carried
// over send fewer bytes, yet each part (combinational, flip-flops, counter,
// shift register) shows the same levels at every read and gets the same
// verdicts as with every port and direction write sent.
TEST(IcWire, StepsLeavingOutWritesInForceReadTheSameLevels) {
    IcLibraryDir dir("inforce");
    const IcLibrary lib = IcLibrary::Parse(dir.compile(0, SourceText("data/ictest/ttl74.vec")));
    for (const sim::LogicPart& part : sim::Ttl74Parts()) {
        const std::string name = part.name;
        if (name != "74LS138" && name != "74LS74" && name != "74LS193" && name != "74LS164") continue;
        SCOPED_TRACE(name);
        const int vccPin = 20 + static_cast<int>(std::string(part.pinKinds).size()) / 2; // corner supply
        LogicIcRig every(dir.path(), 0, &part), fewer(dir.path(), 0, &part);
        IcDriversInForce inForce;
        std::vector<IcVerdict> everyVerdicts, fewerVerdicts;
        for (LogicIcRig* rig : {&every, &fewer}) {
            const bool carried = rig == &fewer;
            ConnectGround(rig->link, kIcGroundPin);
            ConnectVcc(rig->link, vccPin);
            rig->tap->bytes.clear();
            for (const IcEntry& e : lib.entries()) {
                if (e.vccPin != vccPin) continue;
                IcRunCounters counters;
                (carried ? fewerVerdicts : everyVerdicts)
                    .push_back(IcTestEntry(rig->link, lib, e, counters, {}, carried ? &inForce : nullptr));
            }
        }
        EXPECT_EQ(fewerVerdicts, everyVerdicts);
        EXPECT_EQ(fewer.tap->received, every.tap->received);
        EXPECT_LT(fewer.tap->bytes.size(), every.tap->bytes.size());
    }
}

TEST(IcWire, FounctionWithLoopVectorsAndSearchSwitchingTheSupply) {
    IcLibraryDir dir("golden");
    dir.compile(0, kNandVec + kCounterVec);
    LogicIcRig counter(dir.path(), 0, &kCounter);
    counter.tap->bytes.clear();
    EXPECT_EQ(counter.founction("74xx93"), "OK!");
    EXPECT_TRUE(MatchesGolden("ic_founction_loop", HexLines(counter.tap->bytes)));
    LogicIcRig nand(dir.path(), 0, &kNand);
    nand.tap->bytes.clear();
    EXPECT_EQ(nand.search(), "Find 1");
    EXPECT_TRUE(MatchesGolden("ic_search", HexLines(nand.tap->bytes)));
}

// Stop pressed, or the box gone silent halfway through the operation's stream:
// no success text, nothing found; after a stop the supply is off and the next
// run starts afresh.
TEST(IcTester, StopOrALostLinkEndsFounctionAndSearchWithoutASuccessText) {
    IcLibraryDir dir("stop");
    dir.compile(0, kNandVec + kCounterVec);
    for (const char* op : {"founction", "search"}) {
        SCOPED_TRACE(op);
        const auto runOp = [op](LogicIcRig& r) { return std::string(op) == "search" ? r.search() : r.founction("74xx93"); };
        LogicIcRig rig(dir.path(), 0, &kCounter);
        rig.fp.stop.stopAfterPolls = 6;
        EXPECT_EQ(runOp(rig), "Stopped");
        EXPECT_TRUE(rig.found().empty());
        EXPECT_EQ(rig.box->socket().vccPins(), 0u);
        rig.fp.stop.stopAfterPolls = -1;
        const std::uint64_t before = rig.box->bytesReceived();
        ASSERT_EQ(runOp(rig), std::string(op) == "search" ? "Find 1" : "OK!");
        const std::uint64_t sent = rig.box->bytesReceived() - before;

        LogicIcRig lost(dir.path(), 0, &kCounter);
        lost.box->faults().silentAfterBytes = lost.box->bytesReceived() + sent / 2;
        EXPECT_EQ(runOp(lost), kNotConnectedText);
        EXPECT_TRUE(lost.found().empty());
    }
}

// "Founction" sent ahead ends as when each reply is awaited: the message, the
// failing or stopped step; and a part that is not of the type, failing at the
// first checked vector, gets no vector sent beyond it: the same stream.
TEST(IcFounctionAhead, EndsAsWhenEachReplyIsAwaited) {
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

TEST(IcTester, ClassesListsSelectionAndMissingLibraries) {
    IcLibraryDir dir("classes");
    dir.compile(0, kNandVec + kBufferVec);
    dir.compile(2, "ic 11 T4511 14\npins IIOIIOGOIIOIIV\nt 00H 01H - H10 L11 -\nend\n");
    LogicIcRig rig(dir.path(), 0, &kNand);
    EXPECT_EQ(rig.msg(), "OK ");
    EXPECT_EQ(rig.dlg->caption(), "Test  IC (74,40,45)");
    EXPECT_EQ(rig.dlg->control("Number").text(), "74xx00");
    EXPECT_EQ(rig.types(), (std::vector<std::string>{"74xx00", "74xx125"}));
    EXPECT_TRUE(rig.select("74xx125"));
    EXPECT_EQ(rig.dlg->control("Number").text(), "74xx125");

    // 45xxx: "45%02d"; 40xxx has no file: the message, the 45xxx list stays.
    rig.dlg->userSetIndex("RadioGroup1", 2);
    EXPECT_EQ(rig.types(), std::vector<std::string>{"4511"});
    rig.dlg->userSetIndex("RadioGroup1", 1);
    EXPECT_EQ(rig.msg(), "No librrary file");
    EXPECT_EQ(rig.types(), std::vector<std::string>{"4511"});

    // A sub-type outside 0..2 is the first class; no library at all: nothing sent.
    for (int subType : {-1, 3, 99}) {
        LogicIcRig other(dir.path(), subType, &kNand);
        EXPECT_EQ(other.dlg->tester().icClass(), 0) << subType;
        EXPECT_EQ(other.dlg->control("RadioGroup1").itemIndex(), 0);
    }
    IcLibraryDir none("none");
    LogicIcRig missing(none.path(), 0, &kNand);
    EXPECT_EQ(missing.msg(), "No librrary file");
    missing.tap->bytes.clear();
    missing.dlg->click("Test1");
    EXPECT_EQ(missing.msg(), "No librrary file");
    EXPECT_TRUE(missing.tap->bytes.empty());
    EXPECT_EQ(missing.search(), "No find!");

    // A class change leaves nothing of the old class: the Found list goes, and
    // Number names the type Founction now tests, which passes on a fitting part.
    LogicIcRig searched(dir.path(), 0, &kNand);
    EXPECT_EQ(searched.search(), "Find 1");
    searched.select("74xx125");
    searched.dlg->userSetIndex("RadioGroup1", 2);
    EXPECT_TRUE(searched.found().empty());
    EXPECT_EQ(searched.dlg->control("Number").text(), "4511");
    EXPECT_EQ(searched.dlg->tester().selected(), 0u);
    searched.dlg->userSetIndex("RadioGroup1", 0);
    EXPECT_EQ(searched.dlg->control("Number").text(), "74xx00");
    searched.dlg->click("Test1");
    EXPECT_EQ(searched.msg(), "OK!");

    // Not connected: "Link bad!", nothing loaded from the sub-type.
    rig.link.connected = 0;
    rig.selection.subType = 2;
    rig.dlg->Start();
    EXPECT_EQ(rig.msg(), "Link bad!");
}

} // namespace
} // namespace quarvin::test
