// The command line's operation runner in-process, over a family that asks a
// question: answers, stops, lines, exit statuses and progress.
#include <gtest/gtest.h>

#include <sstream>

#include "Console.h"
#include "OperationRunner.h"

namespace quarvin::cli::test {
namespace {

constexpr const char* kQuestion = "Signature differs.\nContinue?";

// A family whose program asks before it goes on, as signature checks do.
class AskingSession : public FamilySession {
public:
    std::vector<FamilyOperationInfo> operations() const override { return {{"program", ""}, {"verify", ""}, {"lose", ""}}; }
    std::vector<FamilyOptionInfo> options() const override { return {}; }
    std::string setOption(const std::string&, const std::string&) override { return "none"; }
    std::uint32_t lastAddress(int) const override { return 0x7FF; }
    OperationResult run(const std::string& operation, const SessionJob& job) override {
        ran.push_back(operation);
        if (operation == "program")
            return job.prompts && job.prompts->askYesNo(kQuestion) ? OperationResult::done("OK!")
                                                                   : OperationResult::refused("Programe abandoned");
        if (operation == "lose") return {Outcome::LinkLost, kNotConnectedText, 0, 0, {}};
        job.hooks.say("Verify...", true);
        for (std::uint32_t a = 0; a <= 0x7FF; a += 0x100) {
            job.hooks.show(a, 0x7FF);
            if (job.hooks.stop()) return OperationResult::stopped(a);
        }
        job.hooks.show(0x7FF, 0x7FF);
        return OperationResult::done("Verify OK");
    }
    std::vector<std::string> ran;
};

struct Case {
    const char* name;
    bool yes;
    std::vector<std::string> operations;
    int stopAfterPolls; // Ctrl+C once after this many stop polls; -1 never
    int quitAfterPolls; // twice
    ExitCode exit;
    std::string out;
    std::string errPart;
};

TEST(CliRunner, AnswersStopsAndExitStatuses) {
    const Case cases[] = {
        {"declined by default", false, {"program", "verify"}, -1, -1, ExitCode::Failed,
         "program: Programe abandoned\n", "Signature differs.\nContinue?\n-> No"},
        {"--yes goes on", true, {"program", "verify"}, -1, -1, ExitCode::Ok, "program: OK!\nverify: Verify OK\n",
         "-> Yes (--yes)"},
        {"Ctrl+C stops at the next poll", true, {"verify", "program"}, 2, -1, ExitCode::Failed,
         "verify: Stopped at 000100\n", ""},
        {"Ctrl+C between operations", true, {"program", "verify"}, 0, -1, ExitCode::Failed,
         "program: not run, stopped by Ctrl+C\n", ""},
        {"second Ctrl+C ends at once", true, {"verify", "program"}, -1, 1, ExitCode::Failed,
         "verify: Stopped by a second Ctrl+C\n", ""},
        {"lost link", true, {"lose", "verify"}, -1, -1, ExitCode::LinkLost, "lose: Communication error!\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AskingSession session;
        LinkState link;
        link.connected = 1;
        MainBuffer buffer;
        SelectionState selection;
        std::ostringstream out, err;
        ConsolePrompts prompts(err, c.yes);
        ProgressDisplay progress(err, false);
        int polls = 0;
        // The stop flag is read before each operation and at each progress point.
        RunnerIo io{out, progress,
                    [&] {
                        const int poll = polls++;
                        return c.stopAfterPolls >= 0 && poll >= c.stopAfterPolls;
                    },
                    [&] { return c.quitAfterPolls >= 0 && polls >= c.quitAfterPolls; }};
        const RunReport report =
            RunOperations({session, link, buffer, selection, {0, 0, 0x7FF}, &prompts, {}, false, nullptr, {}}, c.operations, io);
        EXPECT_EQ(report.exit, c.exit);
        EXPECT_EQ(report.quit, c.quitAfterPolls >= 0);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_NE(err.str().find(c.errPart), std::string::npos) << err.str();
    }
}

TEST(CliRunner, ProgressIsALinePerTenthInALogAndABarOnATerminal) {
    for (const bool terminal : {false, true}) {
        AskingSession session;
        LinkState link;
        MainBuffer buffer;
        SelectionState selection;
        std::ostringstream out, err;
        ProgressDisplay progress(err, terminal);
        RunnerIo io{out, progress, {}, {}};
        RunOperations({session, link, buffer, selection, {0, 0, 0x7FF}, nullptr, {}, false, nullptr, {}}, {"verify"}, io);
        // Soft run (not connected): the success says that nothing was sent.
        EXPECT_EQ(out.str(), "verify: Verify OK (soft run: no box, nothing was sent)\n");
        const std::string e = err.str();
        if (terminal) {
            EXPECT_NE(e.find("\rverify [##############################] 0007ff 100%"), std::string::npos) << e;
            EXPECT_EQ(e.back(), '\n');
        } else {
            // Progress points at every 0x100 of 0x7ff: 12%, 25%, ... 100%.
            EXPECT_EQ(e, "verify: Verify...\nverify: 10% (000100)\nverify: 20% (000200)\nverify: 30% (000300)\n"
                         "verify: 50% (000400)\nverify: 60% (000500)\nverify: 70% (000600)\nverify: 80% (000700)\n"
                         "verify: 100% (0007ff)\n");
        }
    }
}

} // namespace
} // namespace quarvin::cli::test
