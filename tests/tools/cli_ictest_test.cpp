// The logic IC tester from the command line: --set picks the class and the type
// by text or index, "identify" (Search) prints the types found one per line,
// "test" is "Founction".
#include <gtest/gtest.h>

#include <sstream>

#include "CliRun.h"
#include "sim/SimFamily.h"

namespace quarvin::cli::test {
namespace {

const std::string kIcvecExe = QUARVIN_BINARY_DIR "/tools/quarvin-icvec";

class IcCli : public CliDir {
protected:
    void SetUp() override {
        CliDir::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(fs::exists(kIcvecExe)) << "quarvin-icvec is not built: " << kIcvecExe;
    }
    // Compiles vector text into a library of the program directory.
    void library(const std::string& vec, const std::string& file) {
        std::ofstream(dir / "lib.vec", std::ios::binary) << vec;
        const std::string line = "'" + kIcvecExe + "' '" + path("lib.vec") + "' '" + path(file) + "' >/dev/null";
        ASSERT_EQ(std::system(line.c_str()), 0);
    }
};

TEST_F(IcCli, SetPicksClassAndTypeAndAnEmptySocketIsNamed) {
    library("ic 0 TNAND 14\npins IIOIIOGOIIOIIV\nt 00H 01H - H10 L11 -\nend\n"
            "ic 125 TBUF 14\npins IITIITGTIITIIV\nt 00L 01H - L00 H10 -\nend\n",
            "TTL74.LIB");
    // Whatever part a class offers first, the socket is to look empty.
    const auto emptyFor = [](int subType) {
        return std::string(sim::OfferForSubType("TICTestx", subType) ? " --fault empty" : "");
    };
    const std::string empty = emptyFor(0);
    const std::string device = "run --device \"74xxx TTL\" --port VBOX" + empty;
    checkAll({
        {device + " identify", 1, {"identify: No device in socket!\n"}},
        {device + " --set ListBox1=74xx125 test", 1, {"test: Bad!!!\n"}},
        {device + " --set ListBox1=1 --set RadioGroup1=74xxx test", 1, {"test: Bad!!!\n"}},
        {device + " --set ListBox1=74xx99 test", 2, {}, {"test:"}, "ListBox1 has no item 74xx99"},
        {device + " --set RadioGroup1=40xxx test", 2, {}, {"test:"}, "No librrary file CMOS40.LIB"},
        {device + " --set Number=1 test", 2, {}, {"test:"}, "no list control Number"},
        {device + " --set ListBox1 test", 2, {}, {}, "--set needs CONTROL=ITEM"},
        // By dialog class: sub-type 0 is the 74xxx class; 45xxx has no library here.
        {"run --dialog TICTestx --port VBOX" + empty + " --set ListBox1=74xx125 test", 1, {"test: Bad!!!\n"}},
        {"run --dialog TICTestx --sub-type 2 --port VBOX" + emptyFor(2) + " test", 1, {"test: No librrary file CMOS45.LIB (not found or unreadable)\n"}},
        {"run --dialog TICTestx --sub-type 3 --port VBOX test", 2, {}, {}, "TICTestx has sub-types 0..2, not 3"},
    });
}

TEST_F(IcCli, IdentifiesA74LS138AndA74LS00WithTheFirstTypeSelected) {
    library(Slurp(fs::path(QUARVIN_SOURCE_DIR) / "data/ictest/ttl74.vec"), "TTL74.LIB");
    checkAll({
        {"run --device \"74xxx TTL\" --port VBOX --chip 74LS138 identify", 0, {"identify: Find 1\n74xx138\n"}},
        // Search goes down to the selected type's package; the class's first
        // type is a 14-pin one, so a 14-pin part is found without choosing.
        {"run --device \"74xxx TTL\" --port VBOX --chip 74LS00 identify", 0,
         {"identify: Find 7 same device\n74xx00\n74xx03\n74xx26\n74xx37\n74xx38\n74xx132\n74xx1000\n"}},
        {"run --device \"74xxx TTL\" --port VBOX --chip 74LS138 --set ListBox1=74xx138 test", 0, {"test: OK!\n"}},
    });
}

// chips --tester lists the TTL74 types as LIST.md does (type, part, package, the
// types Search cannot tell apart) and names the libraries the directory lacks.
TEST_F(IcCli, TesterTypesMatchTheGeneratedList) {
    const fs::path sources = fs::path(QUARVIN_SOURCE_DIR) / "data/ictest";
    library(Slurp(sources / "ttl74.vec"), "TTL74.LIB");
    std::string expected;
    std::istringstream list(Slurp(sources / "LIST.md"));
    bool inTtl = false;
    for (std::string line; std::getline(list, line);) {
        if (line.rfind("## ", 0) == 0) inTtl = line.find("TTL74.LIB") != std::string::npos;
        if (!inTtl || line.rfind("| 74xx", 0) != 0) continue;
        std::vector<std::string> cells;
        for (std::size_t at = 1, bar; cells.size() < 4 && (bar = line.find(" | ", at)) != std::string::npos; at = bar + 2)
            cells.push_back(line.substr(at + 1, bar - at - 1));
        ASSERT_EQ(cells.size(), 4U) << line;
        expected += cells[0] + '\t' + cells[1] + '\t' + cells[2] + '\t' + cells[3] + '\n';
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(run("chips --tester"), 1) << err;
    EXPECT_EQ(out, expected);
    EXPECT_NE(err.find("no library file CMOS40.LIB"), std::string::npos) << err;
    EXPECT_EQ(err.find("TTL74.LIB"), std::string::npos) << err;
}

} // namespace
} // namespace quarvin::cli::test
