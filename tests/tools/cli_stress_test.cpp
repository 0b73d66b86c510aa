// quarvin-cli on the virtual box lists what its electrical referee saw after
// the operations and fails the run for it unless --allow-stress is given.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliStress : public CliDir {
protected:
    CliStress() { allowStress = false; }
};

TEST_F(CliStress, EventsArePrintedAndFailTheRunUnlessAllowed) {
    // extra: after the command; listed: the rule of the "stress:" lines on stdout, nullptr for none.
    struct Case { std::string extra; const char* operation; int status; const char* listed; };
    // A 27C512's Programe puts 12.7 V on chip pin 22, its /OE and Vpp pin; a
    // 27C256 in the socket (the wrong type selected) has its plain /OE there.
    // An AT89C2051's Read stays within its ratings.
    // The byte to program is FF, which the blank 27C256 already holds, so the
    // Programe and the read-back after it succeed: only the referee's events
    // decide the exit status.
    const std::string wrongPart =
        "--device Intel/27C512 --chip '27c256 12.7v' --option verify-mode=after-all --in a.hex --length 0 program";
    const Case cases[] = {
        {wrongPart, "program", 1, "above the pin's rating"},
        {wrongPart + " --allow-stress", "program", 0, "above the pin's rating"},
        {"--device AT89C2051 read", "read", 0, nullptr},
    };
    writeHex("a.hex", 0, static_cast<std::uint8_t>(Pattern(0) ^ 0xFF));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        EXPECT_EQ(run("run --port VBOX " + c.extra), c.status) << out << err;
        EXPECT_NE(out.find(std::string(c.operation) + ": "), std::string::npos) << out;
        EXPECT_EQ(out.find("stress: ") != std::string::npos, c.listed != nullptr) << out;
        if (c.listed) {
            EXPECT_NE(out.find(std::string(c.listed) + " (" + c.operation + ")"), std::string::npos) << out;
        }
    }
}

} // namespace
} // namespace quarvin::cli::test
