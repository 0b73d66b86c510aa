// The command line's speed=1..3 of the page- and byte-write families and the
// 8051 parts: what each family takes and the refusal the user reads for anything else.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "families/eeprom2816/P2816Dialog.h"
#include "families/eeprom28c/E28Dialog.h"
#include "families/flash29c/At29Dialog.h"
#include "families/flash29ee/EE29Dialog.h"
#include "families/framework/FamilyDialog.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "families/mcu89s5x/P89s5xDialog.h"
#include "families/framework/FamilySession.h"
#include "families/framework/SpeedOption.h"

namespace quarvin::test {
namespace {

TEST(SpeedOption, OneToThreeAreTakenAndEverythingElseRefused) {
    // The 89C5x and 89S5x take the same values for their byte wait.
    const std::set<std::string> expected = {E28Dialog::kFormClass,       EE29Dialog::kFormClass,
                                            At29cxDialog::kFormClass,    At29c256Dialog::kFormClass,
                                            P2816Dialog::kFormClass,     P89c5xDialog::kFormClass,
                                            P89s5xDialog::kFormClass};
    std::set<std::string> offering;
    for (const auto& [dialogClass, family] : Families()) {
        if (!family.makeSession) continue;
        const auto session = family.makeSession();
        const auto options = session->options();
        if (std::none_of(options.begin(), options.end(), [](const auto& o) { return o.name == "speed"; })) continue;
        offering.insert(dialogClass);
        SCOPED_TRACE(dialogClass);
        for (const char* taken : {"1", "2", "3"}) EXPECT_EQ(session->setOption("speed", taken), "") << taken;
        for (const char* refused : {"0", "4", "fast", "", "12"})
            EXPECT_EQ(session->setOption("speed", refused), "speed takes 1..3") << refused;
    }
    EXPECT_EQ(offering, expected);

    // The value picks the dialog's radio item; a refusal keeps the last one taken.
    SpeedOption speed("wait");
    EXPECT_EQ(speed.index(), 0);
    EXPECT_EQ(speed.set("speed", "3"), "");
    EXPECT_EQ(speed.set("speed", "4"), "speed takes 1..3");
    EXPECT_EQ(speed.index(), 2);
}

} // namespace
} // namespace quarvin::test
