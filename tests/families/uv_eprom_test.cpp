// The UV EPROM family: its pulse counts and the chip faults a bench shows. The
// exact streams are pinned by the golden wire files.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "families/uv_eprom/EpromAddress.h"
#include "families/uv_eprom/EpromRows.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "forms/HexText.h"
#include "sim/families/uv_eprom/EpromChip.h"

namespace quarvin::test {
namespace {

using EpromSim = SimRig<UvEpromDialog, sim::EpromChip>;

constexpr int kRow2716 = 1, kRow2764 = 7, kRow27c256 = 13, kRow27c512 = 14, kRow27c010 = 16;

// The pulse count of each "Pro time" (golden_wire_test.cpp: the address
// encoding and the read-back of each row kind, on the wire).
TEST(UvEprom, PulseCounts) {
    struct Pulses {
        int row, proTime, pulses;
    } pulses[] = {{kRow2716, 2, 30}, {kRow2764, 4, 50}, {kRow27c256, 4, 5}, {20, 1, 232}, {21, 0, 244}};
    for (const auto& c : pulses)
        EXPECT_EQ(EpromPulseCount(kEpromRows[static_cast<std::size_t>(c.row)], c.proTime), c.pulses) << "row " << c.row;
    EpromRow strong = kEpromRows[1];
    strong.pulseBase = 100;
    EXPECT_EQ(EpromPulseCount(strong, 4), 255);
}

TEST(UvEprom, ChipFaultsShowAsTheBenchWouldShowThem) {
    // A used page fails Blank at its used byte; Sum leaves the flag alone.
    EpromSim used(kRow27c512);
    used.chip->cells()[0x1234] = 0x7F;
    used.dlg.BlankClick();
    EXPECT_EQ(used.msg(), "001234: Not blank ");
    used.dlg.CheckSumClick();
    EXPECT_EQ(used.dlg.failure(), 1);

    // A cell that will not program passes "Verify after all", then Verify finds it.
    EpromSim stuck(kRow27c010);
    stuck.chip->faults().noProgram.push_back({0x42, 0x42});
    stuck.docs.buf[0x42] = 0x3C;
    stuck.field("Edit3", "ff");
    stuck.dlg.control("RadioGroup2").setItemIndex(1);
    stuck.dlg.WriteClick();
    EXPECT_EQ(stuck.msg(), "OK!");
    stuck.dlg.VerifyClick();
    EXPECT_EQ(stuck.msg(), "000042:Bad! (file=3c,Device=ff)");
    stuck.dlg.control("RadioGroup2").setItemIndex(0);
    stuck.dlg.WriteClick();
    EXPECT_EQ(stuck.msg(), "Programe Failured! at 000042");

    // A weak cell takes with more pulses ("3 times").
    EpromSim weak(kRow27c256);
    weak.chip->faults().weak.push_back({0x20, 0x20});
    weak.chip->faults().weakExtraPulses = 2;
    weak.field("Edit3", "3f");
    weak.docs.buf[0x20] = 0x00;
    weak.dlg.WriteClick();
    EXPECT_EQ(weak.msg(), "Programe Failured! at 000020");
    weak.dlg.control("RadioGroup1").setItemIndex(2);
    weak.dlg.WriteClick();
    EXPECT_EQ(weak.msg(), "OK!");
}

TEST(UvEprom, IdentificationModeAnswersTheCodesWithTwelveVoltsOnA9) {
    EpromSim rig(kRow27c010);
    // The detection sequence of the selection dialog, on a 32-pin part.
    LinkState& l = rig.link;
    const DetectedCodes codes = DetectCodes(l);
    EXPECT_EQ(codes.maker, rig.chip->type().manufacturer);
    EXPECT_EQ(codes.device, rig.chip->type().device);
    rig.chip->faults().signature = {0xAB, 0xCD};
    EXPECT_EQ(ReadPort(l, 2), 0xCD);
}

} // namespace
} // namespace quarvin::test
