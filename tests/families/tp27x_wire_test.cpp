// The byte streams of the EPROM dialog's operations, as the box receives them.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

constexpr int kRow2716 = 1, kRow2764 = 7, kRow27c256 = 13, kRow27c512 = 14, kRow27040 = 18;

Wire Ports(int p0, int p1, int p2, int p3, int p4) {
    return Wire().port(0, p0).port(1, p1).port(2, p2).port(3, p3).port(4, p4);
}

void PowerUp(LinkState& l, int vccPin) {
    ConnectVcc(l, vccPin);
    ConnectGround(l, 20);
    Delay(l, 1000);
}

TEST(TP27xWire, SetAddressSpreadsTheMaskedAddressOverTheFivePorts) {
    struct Case {
        int row;
        std::uint32_t address;
        Wire expected;
    } cases[] = {
        {kRow2716, 0x123, Ports(0xFF, 0xC4, 0xFF, 0xE9, 0x33)},
        {kRow27c256, 0x000, Ports(0x5F, 0x00, 0xFF, 0x01, 0x12)},
        {19, 0xABCDE, Ports(0xDF, 0x7B, 0xFF, 0x4B, 0x31)},
    };
    for (const auto& c : cases) {
        WireRig rig(c.row, false);
        rig.dlg.SetAddress(c.address);
        EXPECT_EQ(rig.log->written, c.expected.bytes()) << "row " << c.row << " address " << std::hex << c.address;
    }
}

TEST(TP27xWire, PulseCountIsTheSignedBaseTimesProTimeCappedAt255) {
    struct Case {
        int row, proTime, pulses;
    } cases[] = {{kRow2764, 4, 50}, {kRow27c256, 4, 5}, {20, 1, 232}, {21, 0, 244}};
    for (const auto& c : cases) {
        WireRig rig(c.row);
        rig.dlg.control("RadioGroup1").setItemIndex(c.proTime);
        rig.field("Edit3", "0");
        rig.dlg.WriteClick();
        const auto& w = rig.log->written;
        ASSERT_GE(w.size(), 2u);
        EXPECT_EQ(w[0], 132);
        EXPECT_EQ(w[1], c.pulses) << "row " << c.row;
    }
    EpromRow strong = kEpromRows[1];
    strong.pulseBase = 100;
    EXPECT_EQ(EpromPulseCount(strong, 4), 255);
}

TEST(TP27xWire, Programme2716ThreeTimesFollowsTheFullSequence) {
    WireRig rig(kRow2716);
    rig.dlg.control("RadioGroup1").setItemIndex(2);
    rig.field("Edit3", "1");
    rig.docs.buf[0] = 0x5A;
    rig.docs.buf[1] = 0xA5;
    Expect e(rig.link);
    rig.dlg.WriteClick();

    const auto address0 = Ports(0xFF, 0x00, 0xFF, 0xC9, 0x33).bytes();
    SetPulseCount(e.link, 30);
    SetVppLevel(e.link, 12500);
    PowerUp(e.link, 32);
    SetDataWidth(e.link, 15);
    WriteBlock(e.link, address0.data(), 10);
    PinHigh(e.link, 35);
    PinLow(e.link, 28);
    PinHigh(e.link, 26);
    PinLow(e.link, 26);
    ConnectVpp(e.link, 29);
    WriteBlock(e.link, address0.data(), 10);
    ProgramByte(e.link, 144, 0x5A);
    ProgramByte(e.link, 144, 0xA5);
    ConnectVpp(e.link, 0);
    ConnectVcc(e.link, 0);
    EXPECT_EQ(describe(rig.log->written), describe(e.bytes()));
    EXPECT_EQ(rig.msg(), "OK!");
}

TEST(TP27xWire, ProgrammeStopsAtTheDevicesLastAddress) {
    WireRig rig(kRow2716);
    rig.fields("0", "700", "7ff");
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.log->reads, 0x100);
    EXPECT_EQ(rig.msg(), "OK!");
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "0007ff");
}

TEST(TP27xWire, ReadBackIsComparedOnlyWhereTheRowSaysSo) {
    const std::pair<int, bool> cases[] = {{kRow2716, false}, {6, false}, {kRow27040, false}, {kRow2764, true}, {kRow27c512, true}};
    for (const auto& [row, checked] : cases) {
        WireRig rig(row);
        rig.field("Edit3", "3");
        rig.docs.buf[0] = 0xAA;
        rig.log->defaultReply = 0x00;
        rig.dlg.WriteClick();
        EXPECT_EQ(rig.msg(), checked ? "Programe Failured!" : "OK!") << "row " << row;
        EXPECT_EQ(rig.log->reads, checked ? 1 : 4);
        EXPECT_EQ(rig.dlg.failure(), checked ? 1 : 0);
        // Vpp, then Vcc off, also straight after a failing byte.
        Expect e(rig.link);
        ConnectVpp(e.link, 0);
        ConnectVcc(e.link, 0);
        EXPECT_TRUE(e.endOf(rig.log->written));
    }
}

TEST(TP27xWire, ReadWithLength0xFFillsSixteenBytesFromOffsetZero) {
    WireRig rig(kRow27c256);
    rig.fields("100", "40", "f");
    for (int i = 0; i < 16; ++i) rig.log->replies.push_back(0x30 + i);
    rig.docs.buf[16] = 0x77;
    const int refreshes = rig.docs.refreshes;
    Expect e(rig.link);
    rig.dlg.ReadClick();

    PinLow(e.link, 26);
    PinLow(e.link, 28);
    Delay(e.link, 100);
    PowerUp(e.link, 34);
    SetDataWidth(e.link, 12);
    for (int k = 0; k < 2; ++k) WriteBlock(e.link, Ports(0x5F, 0x00, 0xFF, 0x01, 0x12).bytes().data(), 10);
    for (int i = 0; i < 16; ++i) ReadNextByte(e.link);
    WriteAllPorts(e.link, 255);
    ConnectVcc(e.link, 0);
    EXPECT_EQ(describe(rig.log->written), describe(e.bytes()));

    for (int i = 0; i < 16; ++i) EXPECT_EQ(rig.docs.buf[static_cast<std::uint32_t>(i)], 0x30 + i);
    EXPECT_EQ(rig.docs.buf[16], 0x77);
    EXPECT_EQ(rig.docs.refreshes, refreshes + 1);
    EXPECT_EQ(rig.msg(), "OK!");
}

TEST(TP27xWire, VerifyMismatchNamesAddressFileAndDeviceBytes) {
    WireRig rig(kRow27c512);
    rig.fields("0", "1234", "10");
    rig.docs.buf[0] = 0x55;
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.msg(), "001234:Bad! (file=55,Device=ff)");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.log->reads, 1);
}

} // namespace
} // namespace quarvin::test
