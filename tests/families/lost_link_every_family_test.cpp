// A box that goes silent during a dialog operation that only sends (an erase
// pulse, a program loop without replies): the dialog sets its failure flag and
// says the link is gone. That no operation of any family reports success from a
// silent box is checked with every family's runs: the stress matrix (silent
// after 7 bytes and halfway), sending ahead (halfway, with and without the
// read-ahead window) and the conformance suite (a third and two thirds in).
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/p16f87xa/P16f87xaDialog.h"
#include "families/pic16c8x/Pic16Dialog.h"
#include "families/w27e/W27eDialog.h"

namespace quarvin::test {
namespace {

template <class Dialog>
void ExpectLostInTheWindow(int row, const char* button, const char* messageField, std::uint64_t silentAfter) {
    SCOPED_TRACE(std::string(Dialog::kFormClass) + " " + button);
    SimRig<Dialog> rig(row);
    rig.fp.prompts.answers.assign(8, true);
    rig.box->faults().silentAfterBytes = rig.box->bytesReceived() + silentAfter;
    rig.dlg.click(button);
    if constexpr (requires { rig.dlg.failure(); })
        EXPECT_TRUE(rig.dlg.failure());
    else
        EXPECT_NE(rig.dlg.failureFlag(), 0);
    EXPECT_NE(rig.dlg.control(messageField).text().find(kNotConnectedText), std::string::npos)
        << rig.dlg.control(messageField).text();
}

TEST(LostLinkInTheWindow, OperationsThatOnlySendShowIt) {
    ExpectLostInTheWindow<W27eDialog>(1, "Erase", "Message", 40);
    ExpectLostInTheWindow<Pic16Dialog>(5, "Write", "Msg", 700);
    ExpectLostInTheWindow<P16f87xaDialog>(4, "Write", "Msg", 700);
}

} // namespace
} // namespace quarvin::test
