#include <gtest/gtest.h>

#include <vector>

#include "buffer/TFileFormat.h"

namespace quarvin {
namespace {

TEST(FormatDialog, ItemsAndLoadModes) {
    TFileFormat d;
    EXPECT_EQ(d.control("RadioGroup1").items(),
              (std::vector<std::string>{".BIN   Binarry", ".HEX   Intel HEX", ".JED   PLD format(jeced) ",
                                        ".CDS   EMC format"}));
    EXPECT_EQ(d.control("RadioGroup2").columns, 2);
    const int expected[8][2] = {{0, 0}, {0, 0}, {1, 0}, {1, 1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
    // Walk the items backwards so that each pair differs from the one before.
    for (int i = 7; i >= 0; --i) {
        SCOPED_TRACE(d.control("RadioGroup2").items().at(static_cast<std::size_t>(i)));
        d.userSetIndex("RadioGroup2", i);
        EXPECT_EQ(d.laneMask(), expected[i][0]);
        EXPECT_EQ(d.laneSelect(), expected[i][1]);
    }
}

TEST(FormatDialog, OkParsesTheFieldsLikeScanfHex) {
    struct Case {
        const char* start;
        const char* end;
        std::int32_t startValue;
        std::int32_t endValue;
    };
    const Case cases[] = {
        {"100", "ffffff", 0x100, 0xFFFFFF},
        {"  0x1F", "0", 0x1F, TFileFormat::kNoEndLimit}, // 0 or below: no limit
        {"ffffffff", "-5", -1, TFileFormat::kNoEndLimit},
        {"zz", "12g", -1, 0x12},                         // no digits keep the previous value
    };
    TFileFormat d;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        d.userSetText("Edit1", c.start);
        d.userSetText("Edit2", c.end);
        d.click("OKBtn");
        EXPECT_EQ(d.startAddress(), c.startValue);
        EXPECT_EQ(d.endLimit(), c.endValue);
        EXPECT_EQ(d.modalResult(), Form::ModalOk);
    }
}

TEST(FormatDialog, CancelAndTheCloseBoxLeaveNoFormat) {
    TFileFormat d;
    d.prepare("a.hex");
    d.click("CancelBtn");
    EXPECT_EQ(d.selectedKey(), "");
    EXPECT_EQ(d.modalResult(), Form::ModalCancel);

    d.prepare("a.hex");
    EXPECT_EQ(d.selectedKey(), ".HEX");
    d.close();
    EXPECT_EQ(d.selectedKey(), "");
    EXPECT_EQ(d.modalResult(), Form::ModalCancel);

    d.prepare("a.jed");
    d.click("OKBtn");
    d.close(); // closing after OK keeps the choice
    EXPECT_EQ(d.selectedKey(), ".JED");
}

} // namespace
} // namespace quarvin
