// A link lost in the middle of Programe, in each erasable memory family: the
// dialog says so, sets the failure flag and leaves the buffer as it was.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/eeprom28c/E28Dialog.h"
#include "families/flash29f/F29Dialog.h"
#include "families/w27e/W27eDialog.h"

namespace quarvin::test {
namespace {

template <class Dialog>
void LoseTheLinkWhileProgramming(int row) {
    SCOPED_TRACE(Dialog::kFormClass);
    WireRig<Dialog> rig(row);
    for (std::uint32_t i = 0; i < 0x400; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<std::uint8_t> before(rig.docs.buf.data(), rig.docs.buf.data() + 0x400);
    rig.field("Edit3", "3ff");
    rig.log->defaultReply = -1;
    rig.log->readLimit = 20; // the box stops answering after 20 replies
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Communication error!");
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), rig.docs.buf.data()));
    // Nothing more is sent once the link is lost.
    const std::size_t sent = rig.log->written.size();
    rig.dlg.click("Verify");
    EXPECT_EQ(rig.log->written.size(), sent);
}

TEST(ErasableFamilies, ALostLinkMidProgrammeKeepsTheBufferAndFails) {
    LoseTheLinkWhileProgramming<W27eDialog>(1);
    LoseTheLinkWhileProgramming<F29Dialog>(3);
    LoseTheLinkWhileProgramming<E28Dialog>(1);
}

} // namespace
} // namespace quarvin::test
