// After a load that left the buffer short of its file, the first device
// operation of a family dialog asks before it runs: No sends nothing and fails,
// Yes runs and is not asked again.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "families/uv_eprom/UvEpromDialog.h"

namespace quarvin::test {
namespace {

template <class Dialog>
void AskBeforeTheFirstOperation(int row, const char* button, const char* messageField) {
    SCOPED_TRACE(Dialog::kFormClass);
    WireRig<Dialog> rig(row);
    rig.docs.incomplete = true;
    rig.fp.prompts.answers = {false};
    rig.dlg.click(button);
    EXPECT_EQ(rig.dlg.control(messageField).text(), "Not run: the last file did not load cleanly");
    if constexpr (requires { rig.dlg.failure(); })
        EXPECT_TRUE(rig.dlg.failure());
    else
        EXPECT_NE(rig.dlg.failureFlag(), 0);
    EXPECT_TRUE(rig.log->written.empty());
    ASSERT_EQ(rig.fp.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.fp.prompts.shown[0].kind, "yesno");

    rig.fp.prompts.answers = {true};
    rig.dlg.click(button);
    EXPECT_FALSE(rig.log->written.empty());
    EXPECT_FALSE(rig.docs.incomplete);
    const auto questions = [&rig] {
        return std::count_if(rig.fp.prompts.shown.begin(), rig.fp.prompts.shown.end(),
                             [](const PromptRecord& p) { return p.kind == "yesno"; });
    };
    const auto asked = questions();
    rig.dlg.click(button);
    EXPECT_EQ(questions(), asked);
}

TEST(IncompleteLoad, TheFirstOperationAsksAndNoSendsNothing) {
    AskBeforeTheFirstOperation<UvEpromDialog>(13, "Blank", "Message");
    AskBeforeTheFirstOperation<P89c5xDialog>(1, "Blank", "Msg");
}

} // namespace
} // namespace quarvin::test
