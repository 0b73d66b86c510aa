// The byte streams of the EPROM dialog's operations, as the box receives them.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "support/Wire.h"

namespace quarvin::test {
namespace {

constexpr int kRow2716 = 1, kRow2764 = 7, kRow27c256 = 13, kRow27c512 = 14, kRow27040 = 18, kRow27080 = 19,
              kRowSt27256 = 20, kRowSt27512 = 21;

Wire Ports(int p0, int p1, int p2, int p3, int p4) {
    return Wire().port(0, p0).port(1, p1).port(2, p2).port(3, p3).port(4, p4);
}

void SetField(TP27x& d, const char* edit, const std::string& text) {
    d.control(edit).setText(text);
    d.exitField(edit);
}

TEST(TP27xWire, SetAddressSpreadsTheMaskedAddressOverTheFivePorts) {
    struct Case {
        int row;
        std::uint32_t address;
        Wire expected;
    } cases[] = {
        {kRow2716, 0x123, Ports(0xFF, 0xC4, 0xFF, 0xE9, 0x33)},
        {kRow2716, 0x000, Ports(0xFF, 0x00, 0xFF, 0xC9, 0x33)},
        {kRow27c256, 0x000, Ports(0x5F, 0x00, 0xFF, 0x01, 0x12)},
        {kRow27080, 0xABCDE, Ports(0xDF, 0x7B, 0xFF, 0x4B, 0x31)},
    };
    for (const auto& c : cases) {
        WireRig rig(c.row);
        rig.dlg.SetAddress(c.address);
        EXPECT_EQ(rig.take(), c.expected.bytes()) << "row " << c.row << " address " << std::hex << c.address;
    }
}

TEST(TP27xWire, PulseCountIsTheSignedBaseTimesProTimeCappedAt255) {
    struct Case {
        int row, proTime, pulses;
    } cases[] = {
        {kRow2716, 2, 30}, {kRow2764, 4, 50}, {kRow27c256, 4, 5}, {kRowSt27256, 1, 232}, {kRowSt27512, 0, 244},
    };
    for (const auto& c : cases) {
        WireRig rig(c.row);
        rig.dlg.Start();
        rig.dlg.control("RadioGroup1").setItemIndex(c.proTime);
        SetField(rig.dlg, "Edit3", "0");
        rig.take();
        rig.dlg.WriteClick();
        auto w = rig.take();
        ASSERT_GE(w.size(), 2u);
        EXPECT_EQ(w[0], 132);
        EXPECT_EQ(w[1], c.pulses) << "row " << c.row;
    }
    EpromRow strong = kEpromRows[1];
    strong.pulseBase = 100;
    EXPECT_EQ(EpromPulseCount(strong, 4), 255); // 500 is capped
}

TEST(TP27xWire, Programme2716ThreeTimesFollowsTheFullSequence) {
    WireRig rig(kRow2716);
    rig.dlg.Start();
    rig.dlg.control("RadioGroup1").setItemIndex(2);
    SetField(rig.dlg, "Edit3", "1");
    rig.docs.buf[0] = 0x5A;
    rig.docs.buf[1] = 0xA5;
    Expect e(rig.link);
    rig.take();
    rig.dlg.WriteClick();

    SetPulseCount(e.link, 30);
    SetVppLevel(e.link, 12500);
    ConnectVcc(e.link, 32);
    ConnectGround(e.link, 20);
    Delay(e.link, 1000);
    SetDataWidth(e.link, 15);
    WriteBlock(e.link, Ports(0xFF, 0x00, 0xFF, 0xC9, 0x33).bytes().data(), 10);
    PinHigh(e.link, 35);
    PinLow(e.link, 28);
    PinHigh(e.link, 26);
    PinLow(e.link, 26);
    ConnectVpp(e.link, 29);
    WriteBlock(e.link, Ports(0xFF, 0x00, 0xFF, 0xC9, 0x33).bytes().data(), 10);
    ProgramByte(e.link, 144, 0x5A);
    ProgramByte(e.link, 144, 0xA5);
    ConnectVpp(e.link, 0);
    ConnectVcc(e.link, 0);
    EXPECT_EQ(describe(rig.log->written), describe(e.bytes()));

    // The points the sequence hinges on, in raw bytes: 30 pulses, Vpp code 5
    // (control register 1 low nibble ~5), Vcc on 32 and Vpp on 29 (latch B bit 2).
    const auto& w = rig.log->written;
    EXPECT_EQ(std::vector<std::uint8_t>(w.begin(), w.begin() + 3), (std::vector<std::uint8_t>{132, 30, 14}));
    EXPECT_EQ(w[3] & 0x0F, 0x0A);
    EXPECT_EQ(w[6], 31 + 32);
    EXPECT_EQ(rig.dlg.control("Message").text(), "OK!");
    EXPECT_EQ(rig.dlg.failure(), 0);
}

TEST(TP27xWire, ProgrammeStopsAtTheDevicesLastAddress) {
    WireRig rig(kRow2716);
    rig.dlg.Start();
    SetField(rig.dlg, "Edit2", "700");
    SetField(rig.dlg, "Edit3", "7ff");
    rig.take();
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.log->reads, 0x100);
    EXPECT_EQ(rig.dlg.control("Message").text(), "OK!");
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "0007ff");
}

TEST(TP27xWire, ReadBackIsComparedOnlyWhereTheRowSaysSo) {
    struct Case {
        int row;
        bool checked;
    } cases[] = {{kRow2716, false}, {4, false}, {6, false}, {kRow27040, false}, {kRow2764, true}, {kRow27c512, true}};
    for (const auto& c : cases) {
        WireRig rig(c.row);
        rig.dlg.Start();
        SetField(rig.dlg, "Edit3", "3");
        rig.docs.buf[0] = 0xAA;
        rig.log->defaultReply = 0x00;
        rig.take();
        rig.dlg.WriteClick();
        if (c.checked) {
            EXPECT_EQ(rig.dlg.control("Message").text(), "Programe Failured!") << c.row;
            EXPECT_EQ(rig.dlg.failure(), 1);
            EXPECT_EQ(rig.log->reads, 1);
            // Vpp, then Vcc off, straight after the failing byte.
            Expect e(rig.link);
            auto w = rig.log->written;
            ConnectVpp(e.link, 0);
            ConnectVcc(e.link, 0);
            ASSERT_GE(w.size(), e.bytes().size());
            EXPECT_TRUE(std::equal(e.bytes().begin(), e.bytes().end(), w.end() - static_cast<long>(e.bytes().size())));
        } else {
            EXPECT_EQ(rig.dlg.control("Message").text(), "OK!") << c.row;
            EXPECT_EQ(rig.log->reads, 4);
        }
    }
}

TEST(TP27xWire, ReadWithLength0xFFillsSixteenBytesFromOffsetZero) {
    WireRig rig(kRow27c256);
    rig.dlg.Start();
    SetField(rig.dlg, "Edit1", "100");
    SetField(rig.dlg, "Edit2", "40");
    SetField(rig.dlg, "Edit3", "f");
    for (int i = 0; i < 16; ++i) rig.log->replies.push_back(0x30 + i);
    rig.docs.buf[16] = 0x77;
    rig.docs.buf[0x100] = 0x77;
    const int refreshes = rig.docs.refreshes;
    Expect e(rig.link);
    rig.take();
    rig.dlg.ReadClick();

    PinLow(e.link, 26);
    PinLow(e.link, 28);
    Delay(e.link, 100);
    ConnectVcc(e.link, 34);
    ConnectGround(e.link, 20);
    Delay(e.link, 1000);
    SetDataWidth(e.link, 12);
    for (int k = 0; k < 2; ++k) WriteBlock(e.link, Ports(0x5F, 0x00, 0xFF, 0x01, 0x12).bytes().data(), 10);
    for (int i = 0; i < 16; ++i) ReadNextByte(e.link);
    WriteAllPorts(e.link, 255);
    ConnectVcc(e.link, 0);
    EXPECT_EQ(describe(rig.log->written), describe(e.bytes()));

    for (int i = 0; i < 16; ++i) EXPECT_EQ(rig.docs.buf[static_cast<std::uint32_t>(i)], 0x30 + i);
    EXPECT_EQ(rig.docs.buf[16], 0x77);
    EXPECT_EQ(rig.docs.buf[0x100], 0x77);
    EXPECT_EQ(rig.docs.refreshes, refreshes + 1);
    EXPECT_EQ(rig.dlg.control("Message").text(), "OK!");
}

TEST(TP27xWire, VerifyMismatchNamesAddressFileAndDeviceBytes) {
    WireRig rig(kRow27c512);
    rig.dlg.Start();
    SetField(rig.dlg, "Edit1", "0");
    SetField(rig.dlg, "Edit2", "1234");
    SetField(rig.dlg, "Edit3", "10");
    rig.docs.buf[0] = 0x55;
    rig.take();
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.dlg.control("Message").text(), "001234:Bad! (file=55,Device=ff)");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.log->reads, 1);
}

TEST(TP27xWire, BlankReportsTheFirstUsedPageAndSumAddsThePageSums) {
    WireRig rig(kRow2716);
    rig.dlg.Start();
    rig.log->reply({0, 1, 0, 1, 0, 0});
    rig.dlg.BlankClick();
    EXPECT_EQ(rig.dlg.control("Message").text(), "000200: Not blank ");
    EXPECT_EQ(rig.dlg.failure(), 1);

    rig.log->replies.clear();
    for (int p = 0; p < 8; ++p) rig.log->reply({0x01, 0x02});
    rig.dlg.CheckSumClick();
    EXPECT_EQ(rig.dlg.control("Message").text(), "Sum = 00001008");
    EXPECT_EQ(rig.dlg.failure(), 1); // Sum leaves the flag alone

    rig.log->replies.clear();
    rig.dlg.BlankClick(); // every page answers 0xFF, 0xFF: blank
    EXPECT_EQ(rig.dlg.control("Message").text(), "Blank OK");
    EXPECT_EQ(rig.dlg.failure(), 0);
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "0007ff");
}

} // namespace
} // namespace quarvin::test
