// quarvin-cli on the virtual box lists what its electrical referee saw after
// the operations and fails the run for it unless --allow-stress is given.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliStress : public CliDir {};

TEST_F(CliStress, EventsArePrintedAndFailTheRunUnlessAllowed) {
    struct Case {
        const char* extra;  // after the command
        const char* operation;
        int status;
        bool listed;        // "stress:" lines on stdout
    };
    // A 27C512's Read switches Vcc off while its ports are still high (a known
    // breach of the family); an AT89C2051's Read stays within its ratings.
    const Case cases[] = {
        {"--device Intel/27C512 read", "read", 1, true},
        {"--device Intel/27C512 read --allow-stress", "read", 0, true},
        {"--device AT89C2051 read", "read", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        // Without CliDir::run's --allow-stress: the command line as typed.
        const std::string line = "cd '" + dir.string() + "' && '" + kCliExe + "' run --port VBOX " + c.extra + " >'" +
                                 path("stdout") + "' 2>'" + path("stderr") + "'";
        const int raw = std::system(line.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << Slurp(dir / "stdout") << Slurp(dir / "stderr");
        const std::string out = Slurp(dir / "stdout");
        EXPECT_NE(out.find(std::string(c.operation) + ": "), std::string::npos) << out;
        EXPECT_EQ(out.find("stress: ") != std::string::npos, c.listed) << out;
        if (c.listed) {
            EXPECT_NE(out.find("driven high while the part has no supply (" + std::string(c.operation) + ")"),
                      std::string::npos)
                << out;
        }
    }
}

} // namespace
} // namespace quarvin::cli::test
