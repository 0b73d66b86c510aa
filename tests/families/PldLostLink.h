#pragma once
// The lost-link case both PLD dialogs share: a map in the buffer, the line cut
// (or the box gone silent) in the middle of Programme; the dialog must fail with
// "Communication error!" and leave the map as it was. `afterwards` may look
// further at the rig.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "FamilyRig.h"

namespace quarvin::test {

template <typename Dialog>
void ExpectLostLinkInProgrammeKeepsTheMap(int subType, std::uint32_t fuses, long writeLimit,
                                          const std::function<void(WireRig<Dialog>&)>& afterwards = {}) {
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "box stops answering" : "line cut");
        WireRig<Dialog> rig(subType);
        for (std::uint32_t i = 0; i < fuses; ++i) rig.docs.buf[i] = (i % 3) ? '1' : '0';
        const std::vector<std::uint8_t> before(rig.docs.buf.data(), rig.docs.buf.data() + 6000);
        if (silent) {
            rig.log->defaultReply = -1;
            rig.log->readLimit = 0;
        } else {
            rig.log->writeLimit = writeLimit;
        }
        rig.dlg.click("Write");
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Communication error!");
        EXPECT_TRUE(rig.dlg.failure());
        EXPECT_TRUE(std::equal(before.begin(), before.end(), rig.docs.buf.data()));
        if (afterwards) afterwards(rig);
    }
}

} // namespace quarvin::test
