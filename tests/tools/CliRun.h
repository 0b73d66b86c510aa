#pragma once
// Runs the built quarvin-cli and quarvin-sim from tests: a program directory
// with the shipped device list, data files made with the program's own writer,
// and a table row type for command lines and what they must give.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "buffer/MainBuffer.h"
#include "buffer/formats/IntelHex.h"
#include "sim/SimProcess.h"
#include "support/ScratchDir.h"

namespace quarvin::cli::test {

namespace fs = std::filesystem;

inline const std::string kCliExe = QUARVIN_BINARY_DIR "/tools/quarvin-cli";
inline const std::string kSimExe = QUARVIN_BINARY_DIR "/sim/quarvin-sim";

inline std::string Slurp(const fs::path& path) {
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

// A command line and what it must give: the exit status, parts each stdout or
// stderr must contain, and parts stdout must not (operations that must not run).
struct Step {
    std::string args;
    int status;
    std::vector<std::string> out;
    std::vector<std::string> absent = {};
    std::string err = {};
};

// Bytes that differ from cell to cell and from the blank 0xFF.
inline std::uint8_t Pattern(std::uint32_t a) { return static_cast<std::uint8_t>(a * 7 + 3); }

class CliDir : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kCliExe) && fs::exists(kSimExe)) << "quarvin-cli or quarvin-sim is not built";
        fs::copy_file(fs::path(QUARVIN_SOURCE_DIR) / "data" / "device.lst", dir / "device.lst");
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    // A HEX file of the pattern at 0..last, written by the program's writer.
    void writeHex(const std::string& name, std::uint32_t last, std::uint8_t xorWith = 0) {
        auto buffer = std::make_unique<MainBuffer>();
        for (std::uint32_t a = 0; a <= last; ++a) (*buffer)[a] = Pattern(a) ^ xorWith;
        ASSERT_TRUE(formats::saveIntelHexFile(*buffer, last, path(name)));
    }

    // Runs quarvin-cli in the program directory; `{dir}` in args names it.
    // These tests follow the operations: on the virtual box the referee's
    // events keep the operations' exit status (cli_stress_test checks it).
    int run(std::string args) {
        for (std::size_t at; (at = args.find("{dir}")) != std::string::npos;) args.replace(at, 5, dir.string());
        if (allowStress && (args.rfind("run ", 0) == 0 || args.rfind("compare ", 0) == 0) &&
            args.find("--port VBOX") != std::string::npos)
            args += " --allow-stress";
        const std::string limit = timeoutSeconds ? "timeout " + std::to_string(timeoutSeconds) + " " : "";
        const std::string line = "cd '" + dir.string() + "' && " + limit + "'" + kCliExe + "' " + args + " >'" +
                                 path("stdout") + "' 2>'" + path("stderr") + "'";
        const int raw = std::system(line.c_str());
        out = Slurp(dir / "stdout");
        err = Slurp(dir / "stderr");
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    void check(const Step& step, const std::string& substitutedArgs) {
        SCOPED_TRACE(step.args);
        EXPECT_EQ(run(substitutedArgs), step.status) << "stdout:\n" << out << "stderr:\n" << err;
        for (const auto& part : step.out) EXPECT_NE(out.find(part), std::string::npos) << part << "\nin:\n" << out;
        for (const auto& part : step.absent) EXPECT_EQ(out.find(part), std::string::npos) << part << "\nin:\n" << out;
        if (!step.err.empty()) {
            EXPECT_NE(err.find(step.err), std::string::npos) << step.err << "\nin:\n" << err;
        }
    }
    void checkAll(const std::vector<Step>& steps) {
        for (const Step& step : steps) check(step, step.args);
    }
    // Runs the step against a quarvin-sim started with simArgs, "{pty}" in the
    // command line and the stdout parts naming its terminal; the sim ends when
    // the program closes the terminal, with its chip image written.
    void checkAgainstSim(const std::vector<std::string>& simArgs, Step step) {
        sim::SimProcess sim(kSimExe, simArgs);
        ASSERT_FALSE(sim.path().empty()) << "quarvin-sim printed no terminal path";
        const auto name = [&sim](std::string& text) {
            if (const auto at = text.find("{pty}"); at != std::string::npos) text.replace(at, 5, sim.path());
        };
        name(step.args);
        for (std::string& part : step.out) name(part);
        check(step, step.args);
        EXPECT_EQ(sim.waitExit(5000), 0);
    }

    quarvin::test::ScratchDir scratch{"quarvin_cli"};
    fs::path dir = scratch.path();
    std::string out, err;
    int timeoutSeconds = 0; // a run that outlasts it ends with status 124
    bool allowStress = true; // false: the command line as typed
};

} // namespace quarvin::cli::test
