#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kCli = QUARVIN_BINARY_DIR "/tools/quarvin-cli";
const std::string kData = "'" QUARVIN_SOURCE_DIR "/tests/data/formats/";

std::string slurp(const std::string& path) { return (std::ostringstream() << std::ifstream(path).rdbuf()).str(); }

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kCli)) GTEST_SKIP() << kCli << " has not been built";
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name) const { return (dir / name).string(); }

    // Runs the program; returns its exit status and leaves its output in `out` and `err`.
    int run(const std::string& args) {
        const int raw = std::system(("'" + kCli + "' " + args + " >'" + file("o") + "' 2>'" + file("e") + "'").c_str());
        out = slurp(file("o"));
        err = slurp(file("e"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    fs::path dir = fs::temp_directory_path() / ("quarvin-cli-test-" + std::to_string(::getpid()));
    std::string out, err;
};

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
    ASSERT_EQ(run("convert " + kData + "six.bin' '" + file("six.hex") + "'"), 0) << err;
    EXPECT_EQ(slurp(file("six.hex")), ":06000000010203040506E5\n:00000001FF");
    ASSERT_EQ(run("convert '" + file("six.hex") + "' '" + file("back.dat") + "' --out-format bin"), 0) << err;
    EXPECT_EQ(slurp(file("back.dat")), "\x01\x02\x03\x04\x05\x06");
    ASSERT_EQ(run("convert " + kData + "gal16v8.jed' '" + file("out.jed") + "'"), 0) << err;
    const std::string jed = slurp(file("out.jed"));
    EXPECT_EQ(jed.rfind("GAL16V8\nMorvek*\nQF2194*\nF0*\nL0000 \n01010000000000000000000000000000\n", 0), 0u);
    // A GAL16V8 file holds 2194 fuses: the map's fuse 2239 is not among them.
    EXPECT_EQ(jed.substr(jed.size() - 27), "\n000000000000000000*\nC000A*");
}

TEST_F(Cli, ErrorsExitNonZeroWithAMessage) {
    std::string badSum = slurp(kData.substr(1) + "gal16v8.jed");
    badSum.replace(badSum.find("C008A*"), 6, "C1234*");
    std::ofstream(file("badsum.jed"), std::ios::binary) << badSum;
    struct Case { std::string args; int status; std::string errPart; };
    const Case cases[] = {
        {"sum '" + file("missing.bin") + "'", 1, "Can't open this file"},
        {"sum '" + std::string(QUARVIN_BINARY_DIR) + "'", 1, "is not a regular file"}, // a directory is no data file
        {"convert " + kData + "six.bin' '" + file("x.cds") + "'", 1, "Bad format"},
        {"frobnicate", 1, "unknown command"},
        {"sum " + kData + "badsum.hex'", 2, "1 bad record"},
        {"convert '" + file("badsum.jed") + "' '" + file("b.jed") + "'", 2, "JEDEC checksum 008A, file says 1234"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args;
        EXPECT_NE(err.find(c.errPart), std::string::npos) << c.args << ": " << err;
    }
    EXPECT_FALSE(fs::exists(file("x.cds")));
}

} // namespace
