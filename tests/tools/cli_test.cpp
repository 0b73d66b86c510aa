// quarvin-cli's data-file commands: sum, convert and their errors.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

const std::string kData = "'" QUARVIN_SOURCE_DIR "/tests/data/formats/";

class Cli : public CliDir {};

TEST_F(Cli, SumPrintsTheHexWindowChecksum) {
    const std::pair<std::string, std::string> cases[] = {
        {"small.hex'", "    11ff\n"}, // 16 x 0xFF before 11 22 33 44 AA BB
        {"six.bin' --end f", "     a0b\n"}, // 01..06 and ten 0xFF
        {"six.bin' --load-mode 3 --start 10", "     ffc\n"}, // 02 04 06 after sixteen 0xFF
        {"header.cds'", "      60\n"},
    };
    for (const auto& [args, sum] : cases) {
        EXPECT_EQ(run("sum " + kData + args), 0) << err;
        EXPECT_EQ(out, sum) << args;
    }
}

TEST_F(Cli, ConvertBetweenFormats) {
    ASSERT_EQ(run("convert " + kData + "six.bin' '" + path("six.hex") + "'"), 0) << err;
    EXPECT_EQ(Slurp(path("six.hex")), ":06000000010203040506E5\n:00000001FF");
    ASSERT_EQ(run("convert '" + path("six.hex") + "' '" + path("back.dat") + "' --out-format bin"), 0) << err;
    EXPECT_EQ(Slurp(path("back.dat")), "\x01\x02\x03\x04\x05\x06");
    ASSERT_EQ(run("convert " + kData + "gal16v8.jed' '" + path("out.jed") + "'"), 0) << err;
    const std::string jed = Slurp(path("out.jed"));
    EXPECT_EQ(jed.rfind("GAL16V8\nMorvek*\nQF2194*\nF0*\nL0000 \n01010000000000000000000000000000\n", 0), 0u);
    // A GAL16V8 file holds 2194 fuses: the map's fuse 2239 is not among them.
    EXPECT_EQ(jed.substr(jed.size() - 27), "\n000000000000000000*\nC000A*");
}

TEST_F(Cli, ErrorsExitNonZeroWithAMessage) {
    std::string badSum = Slurp(kData.substr(1) + "gal16v8.jed");
    badSum.replace(badSum.find("C008A*"), 6, "C1234*");
    std::ofstream(path("badsum.jed"), std::ios::binary) << badSum;
    struct Case { std::string args; int status; std::string errPart; };
    const Case cases[] = {
        {"sum '" + path("missing.bin") + "'", 1, "Can't open this file"},
        {"sum '" + std::string(QUARVIN_BINARY_DIR) + "'", 1, "is not a regular file"}, // a directory is no data file
        {"convert " + kData + "six.bin' '" + path("x.cds") + "'", 1, "Bad format"},
        {"frobnicate", 1, "unknown command"},
        {"sum " + kData + "badsum.hex'", 2, "1 bad record"},
        {"convert '" + path("badsum.jed") + "' '" + path("b.jed") + "'", 2, "JEDEC checksum 008A, file says 1234"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args;
        EXPECT_NE(err.find(c.errPart), std::string::npos) << c.args << ": " << err;
    }
    EXPECT_FALSE(fs::exists(path("x.cds")));
}

} // namespace
} // namespace quarvin::cli::test
