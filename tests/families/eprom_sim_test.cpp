// The EPROM dialog against the virtual box with chip models in the socket: what
// a user sees on the bench, every sub-type, and the faults.
#include <gtest/gtest.h>

#include <random>

#include "FamilyRig.h"
#include "forms/HexText.h"

namespace quarvin::test {
namespace {

// The chip each row of the table stands for, rated for the row's voltage.
const struct Part {
    int row;
    const char* type;
    int vpp;
} kParts[] = {
    {1, "2716", 12500},    {2, "2716", 21000},    {3, "2716", 25000},    {4, "2732", 12500},
    {5, "2732", 21000},    {6, "2732", 25000},    {7, "2764", 12700},    {8, "2764", 21000},
    {9, "2764", 25000},    {10, "27128", 12700},  {11, "27128", 21000},  {12, "27128", 25000},
    {13, "27C256", 12700}, {14, "27C512", 12700}, {15, "27C513", 12700}, {16, "27C010", 12700},
    {17, "27C020", 12700}, {18, "27C040", 12700}, {19, "27C080", 12700}, {20, "27C256", 12700},
    {21, "27C512", 12700},
};

TEST(EpromOnVirtualBox, EverySubTypeProgramsVerifiesReadsBackAndSums) {
    for (const Part& p : kParts) {
        SCOPED_TRACE(std::string(p.type) + " row " + std::to_string(p.row));
        SimRig rig(p.row, p.type, p.vpp);
        const std::uint32_t size = rig.chip->type().size();
        ASSERT_EQ(size, kEpromRows[static_cast<std::size_t>(p.row)].lastAddress + 1);
        // The big parts are programmed over their first and last 8 KiB, so that
        // every address line is exercised without a minute per row.
        const std::uint32_t span = std::min<std::uint32_t>(size, 0x2000);
        std::mt19937 gen(static_cast<unsigned>(p.row));
        std::vector<std::uint8_t> image(size);
        for (auto& b : image) b = static_cast<std::uint8_t>(gen());
        std::copy(image.begin(), image.end(), rig.docs.buf.data());

        for (std::uint32_t start : {0u, size - span}) {
            rig.fields(Format("%x", start), Format("%x", start), Format("%x", span - 1));
            rig.dlg.WriteClick();
            EXPECT_EQ(rig.msg(), "OK!");
            rig.dlg.VerifyClick();
            EXPECT_EQ(rig.msg(), "Verify OK");
            EXPECT_TRUE(std::equal(image.begin() + start, image.begin() + start + span, rig.chip->cells().begin() + start));
        }
        EXPECT_TRUE(rig.box->errors().empty());

        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + size, 0);
        rig.dlg.ReadClick(); // from 0, Length + 1 bytes
        EXPECT_EQ(rig.msg(), "OK!");
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + span, rig.docs.buf.data()));
        EXPECT_EQ(rig.docs.buf[span], 0);

        rig.dlg.CheckSumClick();
        EXPECT_EQ(rig.msg(), Format("Sum = %08x", rig.chip->checksum()));
    }
}

TEST(EpromOnVirtualBox, BlankCheckNamesTheFirstUsedPage) {
    SimRig rig(14, "27C512", 12700);
    rig.chip->cells()[0x1234] = 0x7F;
    rig.dlg.BlankClick();
    EXPECT_EQ(rig.msg(), "001200: Not blank ");
    rig.dlg.CheckSumClick();
    EXPECT_EQ(rig.dlg.failure(), 1); // Sum leaves the flag alone
    rig.chip->erase();
    rig.dlg.BlankClick();
    EXPECT_EQ(rig.msg(), "Blank OK");
    EXPECT_EQ(rig.dlg.failure(), 0);
}

TEST(EpromOnVirtualBox, ACellThatWillNotProgramIsFoundByVerify) {
    SimRig rig(16, "27C010", 12700);
    rig.chip->faults().noProgram.push_back({0x42, 0x42});
    rig.docs.buf[0x42] = 0x3C;
    rig.field("Edit3", "ff");

    rig.dlg.control("RadioGroup2").setItemIndex(1); // "Verify after all"
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.msg(), "OK!");
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.msg(), "000042:Bad! (file=3c,Device=ff)");
    EXPECT_EQ(rig.dlg.failure(), 1);

    rig.dlg.control("RadioGroup2").setItemIndex(0); // "Check one by one"
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.msg(), "Programe Failured!");
}

TEST(EpromOnVirtualBox, AWeakCellNeedsMorePulses) {
    SimRig rig(13, "27C256", 12700);
    rig.chip->faults().weak.push_back({0x20, 0x20});
    rig.chip->faults().weakExtraPulses = 2;
    rig.field("Edit3", "3f");
    rig.docs.buf[0x20] = 0x00;
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.msg(), "Programe Failured!");
    rig.dlg.control("RadioGroup1").setItemIndex(2); // "3 times"
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.msg(), "OK!");
}

TEST(EpromOnVirtualBox, AutoStopsAtTheFirstFailingStep) {
    SimRig rig(14, "27C512", 12700);
    rig.chip->cells()[0x8000] = 0x00;
    rig.dlg.control("CheckBox4").setChecked(true);
    rig.docs.buf[0] = 0x12;
    const auto pulses = rig.chip->pulses();
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.msg(), "008000: Not blank ");
    EXPECT_EQ(rig.chip->pulses(), pulses);

    rig.chip->erase();
    rig.field("Edit3", "ff");
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.msg(), "OK");
    EXPECT_EQ(rig.chip->cells()[0], 0x12);
}

TEST(EpromOnVirtualBox, EmptySocketReadsHighAndFailsProgramming) {
    SimRig rig(14, "27C512", 12700);
    rig.box->remove();
    rig.field("Edit3", "ff");
    rig.dlg.ReadClick();
    EXPECT_EQ(rig.docs.buf[0], 0xFF);
    rig.docs.buf[5] = 0x5A;
    rig.dlg.WriteClick();
    EXPECT_EQ(rig.msg(), "Programe Failured!");
    rig.dlg.VerifyClick();
    EXPECT_EQ(rig.msg(), "000005:Bad! (file=5a,Device=ff)");
}

TEST(EpromOnVirtualBox, BoxGoingSilentInTheMiddleOfProgrammeEndsWithOneMessage) {
    SimRig rig(19, "27C080", 12700);
    rig.docs.buf[0x300] = 0x11;
    rig.box->faults().silentAfterBytes = rig.box->bytesReceived() + 2000;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "Communication error!");
    EXPECT_EQ(rig.dlg.failure(), 1);
    EXPECT_EQ(rig.fp.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.link.connected, 0);
    EXPECT_EQ(rig.docs.buf[0x300], 0x11); // the buffer is untouched
    // The dialog goes on in soft-run mode without further messages.
    rig.dlg.click("Verify");
    rig.dlg.click("ReadButton");
    EXPECT_EQ(rig.msg(), "OK!");
    EXPECT_EQ(rig.fp.prompts.shown.size(), 1u);
}

TEST(EpromOnVirtualBox, IdentificationModeAnswersTheCodesWithTwelveVoltsOnA9) {
    SimRig rig(16, "27C010", 12700);
    // The detection sequence of the selection dialog, on a 32-pin part.
    LinkState& l = rig.link;
    SetVppLevel(l, 12000);
    WriteAllPorts(l, 0);
    for (int pin : {5, 7, 36}) PinHigh(l, pin);
    ConnectVcc(l, 36);
    ConnectGround(l, 20);
    SetDataWidth(l, 12);
    WritePort(l, 2, 0xFF);
    ConnectVpp(l, 30);
    PinLow(l, 16);
    EXPECT_EQ(ReadPort(l, 2), rig.chip->type().manufacturer);
    PinHigh(l, 16);
    EXPECT_EQ(ReadPort(l, 2), rig.chip->type().device);
    rig.chip->faults().signature = {0xAB, 0xCD};
    EXPECT_EQ(ReadPort(l, 2), 0xCD);
}

} // namespace
} // namespace quarvin::test
