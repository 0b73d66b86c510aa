// The vector compiler: what it refuses (with the file and line), the pin bytes it
// writes as the loader turns them into the box's registers, rows split so that a
// clock edge sees its data, the committed libraries and their list against
// their sources.
#include <gtest/gtest.h>

#include <cstdlib>

#include "IcList.h"
#include "IcTestParts.h"
#include "IcVecCompiler.h"
#include "LogicIcRig.h"

namespace quarvin::test {
namespace {

using namespace icparts;

std::string Rows(int n, const std::string& row) {
    std::string s;
    for (int i = 0; i < n; ++i) s += row + "\n";
    return s;
}

TEST(IcVecCompiler, RefusesWhatTheTesterCannotRunNamingFileAndLine) {
    const std::string head = "ic 0 TNAND00 14\npins IIOIIOGOIIOIIV\n";
    const std::string good = "t 00H 01H - H10 L11 -\n";
    struct Case {
        const char* name;
        std::string source;
        std::string error; // part of the first error
    } cases[] = {
        {"256 vectors", head + Rows(256, good) + "end\n", "t.vec:1: TNAND00: 256 vectors, more than 255"},
        {"repeat too large", head + good + good + "repeat 65536\nend\n", "t.vec:5: repeat 65536: the count must be 1..65535"},
        {"repeat without two rows", head + good + "repeat 3\nend\n", "t.vec:4: TNAND00: repeat needs two rows"},
        {"X on a checked row", head + "t 00X 01H - H10 L11 -\nend\n", "t.vec:3: TNAND00: pin 3 is undefined (X) on a checked row"},
        {"no output expected low", head + "t 00H 01H - H10 H00 -\ns 11X 11X - X11 X11 -\nend\n",
         "t.vec:1: TNAND00: no checked row expects an output low"},
        {"over 2 s of line time", head + good + good + "repeat 60000\nend\n", "t.vec:1: TNAND00: its test takes about"},
        {"bad character", head + "t 02H 01H - H10 L11 -\nend\n", "t.vec:3: TNAND00: pin 2 (I) takes 01, not '2'"},
        {"short row", head + "t 00H 01H - H10 L11\nend\n", "t.vec:3: TNAND00: 13 characters for 14 pins"},
        {"12 pins", "ic 1 X 12\npins IIOIIGOIIOIV\nend\n", "t.vec:1: X: 12 pins; the tester takes 14..24-pin parts"},
        {"26 pins", "ic 1 X 26\nend\n", "t.vec:1: X: 26 pins"},
        {"18 pins: no Vcc switch", "ic 1 X 18\npins IIIIIIIIGOOOOOOOOV\n" + Rows(1, "t 00000000 - LLLLLLLL -") + "end\n",
         "lands on socket pin 29, where the box cannot switch Vcc"},
        {"no Vcc pin", "ic 90 X 14\npins IIIIIIGIIIIIII\nend\n", "t.vec:1: X: needs one V and one G pin"},
        {"ground not on socket pin 20", "ic 90 X 14\npins IIIIIIIIIGIIIV\nend\n", "does not reach socket pin 20"},
        {"unknown pin letter", "ic 1 X 14\npins IIQIIOGOIIOIIV\nend\n", "t.vec:2: X: unknown pin letter 'Q'"},
        {"letters for other pins", "ic 1 X 14\npins IIOIIOGOIIOIIVN\nend\n", "t.vec:2: X: 15 pin letters for 14 pins"},
        {"number beyond four digits", "ic 12345678 X 14\npins IIOIIOGOIIOIIV\nt 00H 01H - H10 L11 -\nend\n",
         "t.vec:1: the number 12345678 is not 0..9999"},
        {"number used twice", head + good + "end\n" + head + good + "end\n", "t.vec:5: the number 0 is already used"},
        {"no end", head + good, "t.vec:3: ic TNAND00 (line 1) has no end"},
        {"row outside an ic", good, "t.vec:1: 't' outside an ic ... end block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const icvec::CompileResult r = icvec::CompileIcVectors(c.source, "t.vec");
        ASSERT_FALSE(r.ok());
        EXPECT_TRUE(r.library.empty());
        EXPECT_NE(r.errors.front().find(c.error), std::string::npos) << r.errors.front();
    }
    // The limits themselves pass.
    EXPECT_TRUE(icvec::CompileIcVectors(head + Rows(255, good) + "end\n", "t.vec").ok());
    EXPECT_TRUE(icvec::CompileIcVectors(head + good + good + "repeat 500\nend\n", "t.vec").ok());
}

// The estimate the 2 s limit is checked against is the line time the box's
// clock gives a run of the vectors, within a tenth.
TEST(IcVecCompiler, LineTimeEstimateMatchesTheVirtualLine) {
    // Two checked NAND rows replayed with their port reads.
    const std::string nandReplayed =
        "ic 0 TNAND00 14\npins IIOIIOGOIIOIIV\nt 11L 11L - L11 L11 -\nt 10H 11L - L11 L11 -\nrepeat 20\nend\n";
    const std::pair<std::string, const sim::LogicPart*> cases[] = {
        {kCounterVec, &kCounter}, {kNandVec, &kNand}, {kFlipFlopVec, &kFlipFlop}, {nandReplayed, &kNand}};
    for (const auto& [source, part] : cases) {
        SCOPED_TRACE(part->name);
        const icvec::CompileResult r = icvec::CompileIcVectors(source, "t.vec");
        ASSERT_TRUE(r.ok()) << r.errors.front();
        IcLibraryDir dir("estimate");
        dir.compile(0, source);
        LogicIcRig rig(dir.path(), 0, part);
        const double before = rig.box->clock().nowSeconds();
        EXPECT_EQ(rig.founction(TypeOfPart(*part)), "OK!");
        const double line = rig.box->clock().nowSeconds() - before;
        EXPECT_NEAR(r.ics[0].lineSeconds, line, line / 10);
    }
}

// Socket pins of the box's three direction registers, bit 0 first.
const std::vector<int> kRegister3{17, 18, 19, 21, 22, 23, 24, 25};
const std::vector<int> kRegister1{9, 10, 11, 12, 13, 14, 15, 16};
const std::vector<int> kRegister0{26, 27, 28, 29, 30, 31};

std::uint8_t Bits(const std::vector<int>& pins, const std::vector<int>& low) {
    std::uint8_t v = 0xFF;
    for (std::size_t b = 0; b < pins.size(); ++b)
        for (int p : low)
            if (p == pins[b]) v &= static_cast<std::uint8_t>(~(1u << b));
    return v;
}

TEST(IcVecCompiler, PinBytesReachTheRightRegistersAfterTheLoaderConvertsThem) {
    // A 24-pin part reaches every register: pins 1..12 on socket 9..20, 13..24 on 21..32.
    const std::string source =
        "ic 4514 T24 24\npins IIIIIIIIIIOGOIIIIIIIIIIV\n"
        "t 0101010101L-H1010101010-\n"
        "t 1010101010H-L0101010101-\n"
        "end\n";
    const icvec::CompileResult r = icvec::CompileIcVectors(source, "t.vec");
    ASSERT_TRUE(r.ok()) << r.errors.front();
    const IcLibrary lib = IcLibrary::Parse(r.library);
    ASSERT_EQ(lib.entries().size(), 1u);
    EXPECT_EQ(lib.entries()[0].vccPin, 32);
    EXPECT_EQ(lib.entries()[0].number, 4514);
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        std::vector<int> driven, expectLow;
        for (int k = 1; k <= 24; ++k) {
            const int s = sim::socketPinOf(24, k);
            const bool input = k != 11 && k != 12 && k != 13 && k != 24;
            const bool low = (k + row) % 2 == 1; // the rows above, pin by pin
            if (input && low) driven.push_back(s), expectLow.push_back(s);
        }
        expectLow.push_back(row == 0 ? 19 : 21); // pin 11 (socket 19) L, then pin 13 (21)
        const std::uint8_t* v = lib.vector(lib.entries()[0], static_cast<std::uint32_t>(row));
        EXPECT_EQ(v[kIcDrive2], Bits(kRegister3, driven));
        EXPECT_EQ(v[kIcDrive1], Bits(kRegister1, driven));
        EXPECT_EQ(v[kIcDrive3] & 0x3F, Bits(kRegister0, driven) & 0x3F);
        EXPECT_EQ(v[kIcExpect2], Bits(kRegister3, expectLow));
        EXPECT_EQ(v[kIcExpect1], Bits(kRegister1, expectLow));
        EXPECT_EQ(v[kIcExpect3] & 0x3F, Bits(kRegister0, expectLow) & 0x3F);
    }
}

TEST(IcVecCompiler, AClockAndItsDataInDifferentRegistersAreSplitDataFirst) {
    // D on socket pin 14 (register 1), the clock on 21 (register 3, written first).
    const icvec::CompileResult r = icvec::CompileIcVectors(kFlipFlopVec, "t.vec");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.ics.size(), 1u);
    EXPECT_EQ(r.ics[0].vectors, 6) << "rows 2 and 4 each get a set-up vector";
    const IcLibrary lib = IcLibrary::Parse(r.library);
    const IcEntry& e = lib.entries()[0];
    // The set-up vector before row 2: D released (high), the clock still low.
    const std::uint8_t* setup = lib.vector(e, 1);
    EXPECT_EQ(setup[kIcFlags], kIcDriveOnlyFlag);
    EXPECT_EQ(setup[kIcDrive1] & 0x20, 0x20);
    EXPECT_EQ(setup[kIcDrive2] & 0x08, 0x00);
    // Rows that change one input stay single vectors.
    EXPECT_EQ(icvec::CompileIcVectors(kCounterVec, "t.vec").ics[0].vectors, 6);
    // A split row among the two a repeat replays is refused.
    const auto replayed = icvec::CompileIcVectors(
        "ic 74 TDFF74 14\npins IONNNNGINNNNNV\ns 0X ---- - 0 ----- -\nt 1H ---- - 1 ----- -\ns 1X ---- - 0 ----- -\n"
        "repeat 2\nend\n",
        "t.vec");
    ASSERT_FALSE(replayed.ok());
    EXPECT_NE(replayed.errors.front().find("t.vec:4: TDFF74: this row changes a pulse and data"), std::string::npos)
        << replayed.errors.front();
}

// An entry's notes are the comment lines right above its "ic" line; what it
// does not check comes from its rows.
TEST(IcVecCompiler, KeepsEachEntrysNotesAndFindsWhatItDoesNotCheck) {
    const auto r = icvec::CompileIcVectors("# header, not a note\n\n# quad buffer\n# second line\n"
                                           "ic 125 TBUF125 14\npins IITIITGTIITIIV\n"
                                           "t 00L 01H - L00 H10 -   # outputs on\n"
                                           "t 10Z 10Z - L00 H10 -\nend\n",
                                           "t.vec");
    ASSERT_TRUE(r.ok()) << r.errors.front();
    ASSERT_EQ(r.ics.size(), 1u);
    EXPECT_EQ(r.ics[0].notes, (std::vector<std::string>{"quad buffer", "second line"}));
    EXPECT_EQ(r.ics[0].unchecked,
              (std::vector<std::string>{"pins 6, 11 never checked low", "pins 3, 8 never checked high",
                                        "pins 8, 11 never checked off", "input pin 12 never pulled low"}));
}

// The committed libraries are a fresh compile of their sources, and
// data/ictest/LIST.md is what quarvin-icvec --list makes of the three sources
// (QUARVIN_UPDATE_GOLDEN=1 rewrites it).
TEST(IcVecCompiler, CommittedLibrariesAndTheTypeListAreCurrent) {
    const std::filesystem::path dir = std::filesystem::path(QUARVIN_SOURCE_DIR) / "data" / "ictest";
    std::vector<icvec::ListedLibrary> libraries;
    int icClass = 0;
    for (const auto& [source, library] : {std::pair{"ttl74.vec", "TTL74.LIB"}, std::pair{"cmos40.vec", "CMOS40.LIB"},
                                          std::pair{"cmos45.vec", "CMOS45.LIB"}}) {
        libraries.push_back({source, icClass++, icvec::CompileIcVectors(ReadText(dir / source), source)});
        const icvec::CompileResult& r = libraries.back().compiled;
        ASSERT_TRUE(r.ok()) << r.errors.front();
        EXPECT_TRUE(ReadText(dir.parent_path() / library) == std::string(r.library.begin(), r.library.end()))
            << library << " is not current: quarvin-icvec data/ictest/" << source << " data/" << library;
    }
    const std::string list = icvec::IcListMarkdown(libraries);
    if (std::getenv("QUARVIN_UPDATE_GOLDEN")) std::ofstream(dir / "LIST.md", std::ios::binary) << list;
    EXPECT_TRUE(ReadText(dir / "LIST.md") == list)
        << "data/ictest/LIST.md is not current: in data/ictest, quarvin-icvec --list ttl74.vec cmos40.vec cmos45.vec "
           "> LIST.md";
    // Search with a part lists its own type first among the same; with the
    // 74LS00 that is the whole quad NAND group.
    EXPECT_NE(list.find("| 74xx00 | 74LS00 | DIP-14 | 74xx03 74xx26 74xx37 74xx38 74xx132 74xx1000 |"), std::string::npos);
}

} // namespace
} // namespace quarvin::test
