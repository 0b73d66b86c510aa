// The bytes the AT90S dialog sends in its edge cases, compared with golden
// files recorded from the virtual box, with the message each ends with: chip
// erase with its check on a 20- and a 40-pin row (loads and reads of both data
// ports), one word programmed, Wait ready's 20 tries, the four lock bytes, the
// fuse bytes and the fuse read. QUARVIN_UPDATE_GOLDEN=1 rewrites the files.
#include <gtest/gtest.h>

#include "GoldenRig.h"
#include "GoldenWire.h"
#include "families/avr90s/Avr90sDialog.h"
#include "sim/families/avr90s/Avr90sChip.h"

namespace quarvin::test {
namespace {

struct Case {
    const char* name;
    int row;
    bool busy;      // RDY/BSY never rises
    int protectItem;
    bool fusesChecked;
    const char* click;
};

const Case kCases[] = {
    {"avr_erase_2313", 2, false, 3, false, "Erase"},
    {"avr_erase_8515", 4, false, 3, false, "Erase"},
    {"avr_program_word_2313", 2, false, 3, false, "Write"},
    {"avr_program_word_8515", 4, false, 3, false, "Write"},
    {"avr_program_busy_1200", 1, true, 3, false, "Write"},
    {"avr_protect_item0_2313", 2, false, 0, false, "Secrity"},
    {"avr_protect_item1_2313", 2, false, 1, false, "Secrity"},
    {"avr_protect_item2_4414", 3, false, 2, false, "Secrity"},
    {"avr_protect_item3_4414", 3, false, 3, false, "Secrity"},
    {"avr_pro_fuse_unchecked_8515", 4, false, 3, false, "WtFuse"},
    {"avr_pro_fuse_checked_2313", 2, false, 3, true, "WtFuse"},
    {"avr_read_fuses_8515", 4, false, 3, false, "ReadFuse"},
};

Recording Record(const Case& c) {
    TappedRig<Avr90sDialog> rig(c.row);
    rig.docs.buf.initialise();
    rig.chip->faults().busyForever = c.busy;
    rig.start();
    // One word to program, 0x1234 at word 0x20.
    rig.docs.buf[0x40] = 0x34;
    rig.docs.buf[0x41] = 0x12;
    rig.dlg.control("RadioGroup1").setItemIndex(c.protectItem);
    rig.dlg.control("CheckBox1").setChecked(c.fusesChecked);
    rig.dlg.control("CheckBox2").setChecked(c.fusesChecked);
    rig.tap->clear();
    rig.dlg.click(c.click);
    return {*rig.tap, rig.dlg.control("Msg").text()};
}

TEST(Avr90sGoldenWire, EdgeCasesSendTheRecordedStream) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(MatchesGolden(c.name, Record(c)));
    }
}

} // namespace
} // namespace quarvin::test
