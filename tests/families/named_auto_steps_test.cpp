// The auto option of the sessions with named steps (AT90S, PIC16C8x).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "families/avr90s/Avr90sSession.h"
#include "families/framework/NamedAutoSteps.h"
#include "families/pic16c8x/Pic16Session.h"

namespace quarvin::test {
namespace {

TEST(NamedAutoSteps, RunsTheChosenStepsInTheFamilysOrderUntilOneFails) {
    NamedAutoSteps steps({"erase", "blank", "program", "verify"}, {"program", "verify"});
    std::vector<std::string> ran;
    const auto record = [&](const std::string& step) {
        ran.push_back(step);
        return step == "blank" ? OperationResult::failed("No Blank!", 0x10) : OperationResult::done("OK");
    };
    OperationResult r = steps.run(record, "all done");
    EXPECT_EQ(ran, (std::vector<std::string>{"program", "verify"}));
    EXPECT_EQ(r.message, "all done");

    // Named out of order and with an empty item: still the family's order.
    EXPECT_EQ(steps.set("verify,,blank,erase"), "");
    ran.clear();
    r = steps.run(record, "all done");
    EXPECT_EQ(ran, (std::vector<std::string>{"erase", "blank"}));
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.message, "No Blank!");
    EXPECT_EQ(r.address, 0x10u);

    // An unknown step leaves the choice as it was.
    EXPECT_EQ(steps.set("erase,sum"), "auto takes erase, blank, program and verify");
    ran.clear();
    steps.run(record, "all done");
    EXPECT_EQ(ran, (std::vector<std::string>{"erase", "blank"}));

    EXPECT_EQ(steps.set(""), "");
    ran.clear();
    EXPECT_EQ(steps.run(record, "nothing to do").message, "nothing to do");
    EXPECT_TRUE(ran.empty());
}

TEST(NamedAutoSteps, TheSessionsNameTheirOwnSteps) {
    Avr90sSession avr;
    EXPECT_EQ(avr.setOption("auto", "erase,protect"), "");
    EXPECT_EQ(avr.setOption("auto", "config"), "auto takes erase, blank, program, verify, fuse and protect");
    Pic16Session pic;
    EXPECT_EQ(pic.setOption("auto", "config,erase"), "");
    EXPECT_EQ(pic.setOption("auto", "fuse"), "auto takes erase, blank, program, verify and config");
}

} // namespace
} // namespace quarvin::test
