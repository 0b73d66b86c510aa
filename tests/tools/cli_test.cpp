#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kCli = QUARVIN_BINARY_DIR "/tools/quarvin-cli";
const std::string kData = QUARVIN_SOURCE_DIR "/tests/data/formats/";

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

struct CliRun {
    int status;
    std::string out, err;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kCli)) GTEST_SKIP() << kCli << " has not been built";
        dir = fs::temp_directory_path() / ("quarvin-cli-test-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }

    CliRun run(const std::string& args) {
        const std::string out = file("stdout"), err = file("stderr");
        const std::string cmd = "'" + kCli + "' " + args + " > '" + out + "' 2> '" + err + "'";
        const int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    }

    fs::path dir;
};

TEST_F(Cli, SumPrintsTheHexWindowChecksum) {
    struct Case {
        std::string args;
        std::string out;
    };
    // Bytes 0..0xF start as 0xFF: 16 x 0xFF + 0x11+0x22+0x33+0x44+0xAA+0xBB = 0x11FF.
    const Case cases[] = {
        {"sum '" + kData + "small.hex'", "    11ff\n"},
        {"sum '" + kData + "six.bin'", "      15\n"},
        // Bytes 6..0xF stay 0xFF: 21 + 10 x 255.
        {"sum '" + kData + "six.bin' --end f", "     a0b\n"},
        // "2th char of word16" at 0x10: 02 04 06 after sixteen 0xFF bytes.
        {"sum '" + kData + "six.bin' --load-mode 3 --start 10", "     ffc\n"},
        {"sum '" + kData + "header.cds'", "      60\n"},
        {"sum '" + kData + "six.bin' --end -1", "       0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST_F(Cli, ConvertBetweenFormats) {
    CliRun r = run("convert '" + kData + "six.bin' '" + file("six.hex") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(file("six.hex")), ":06000000010203040506E5\n:00000001FF");

    r = run("convert '" + file("six.hex") + "' '" + file("back.dat") + "' --out-format bin");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(file("back.dat")), slurp(kData + "six.bin"));

    r = run("convert '" + kData + "small.hex' '" + file("small.bin") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(file("small.bin")), std::string(16, '\xFF') + "\x11\x22\x33\x44\xAA\xBB");

    // A JEDEC file read and written again: the canonical form of the same fuses.
    r = run("convert '" + kData + "gal16v8.jed' '" + file("out.jed") + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string jed = slurp(file("out.jed"));
    EXPECT_EQ(jed.rfind("GAL16V8\nMorvek*\nL0000 \n01010000000000000000000000000000\n", 0), 0u);
    EXPECT_EQ(jed.substr(jed.size() - 40), "00000000000000000000000000000001*\nC0BE6*");
}

TEST_F(Cli, ErrorsExitNonZeroWithAMessage) {
    struct Case {
        std::string args;
        int status;
        std::string errPart;
    };
    const Case cases[] = {
        {"sum '" + file("missing.bin") + "'", 1, "Can't open this file"},
        {"convert '" + kData + "six.bin' '" + file("x.cds") + "'", 1, "Bad format"},
        {"convert '" + kData + "six.bin' '/nonexistent/dir/x.bin'", 1, "Can't write this file"},
        {"convert '" + kData + "six.bin'", 1, "convert needs IN and OUT"},
        {"sum '" + kData + "six.bin' --load-mode 9", 1, "load mode"},
        {"sum '" + kData + "six.bin' --start zz", 1, "hexadecimal"},
        {"frobnicate", 1, "unknown command"},
        {"sum '" + kData + "badsum.hex'", 2, "1 bad record"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(file("x.cds")));
}

TEST_F(Cli, HelpExplainsBothCommands) {
    const CliRun r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("quarvin-cli convert IN OUT"), std::string::npos);
    EXPECT_NE(r.out.find("quarvin-cli sum FILE"), std::string::npos);
}

} // namespace
