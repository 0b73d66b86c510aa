// The AT90S parallel programming dialog: its form, its behaviour on the virtual
// box's chip models (locks, fuses, faults) and the bytes it sends in its edge
// cases, against golden files: chip erase with its check on a 20- and a 40-pin
// row (loads and reads of both data ports), one word programmed, Wait ready's 20
// tries, the four lock bytes, the fuse bytes and the fuse read.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "McuFormSteps.h"
#include "families/avr90s/Avr90sBus.h"
#include "families/avr90s/Avr90sDialog.h"
#include "sim/families/avr90s/Avr90sChip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<Avr90sDialog, sim::Avr90sChip>;

std::string Msg(Avr90sDialog& d) { return d.control("Msg").text(); }

const Avr90sRow& Row(int row) { return kAvr90sRows[static_cast<std::size_t>(row)]; }
std::uint32_t Size(int row) { return Row(row).lastByteAddress + 1; }

void FillErased(MainBuffer& buf, std::uint32_t count) { std::fill(buf.data(), buf.data() + count, 0xFF); }

// The captions and items are pinned by the GUI test of the view.
TEST(Avr90sForm, InitialStatesAndTheStart) {
    WireRig<Avr90sDialog> rig(2, false);
    Avr90sDialog& d = rig.dlg;
    const std::pair<const char*, bool> ticks[] = {
        {"CheckBox1", false},     {"CheckBox2", false},   {"CheckBoxErase", false}, {"CheckBoxBlank", false},
        {"CheckBoxWrite", true}, {"CheckBoxVer", true},  {"CheckBoxFuse", false},  {"CheckBoxConfig", false}};
    for (const auto& [name, checked] : ticks) EXPECT_EQ(d.control(name).checked(), checked) << name;
    EXPECT_EQ(d.control("RadioGroup1").itemIndex(), 3);
    rig.selection.typeName = "AT90S2313";
    d.Start();
    EXPECT_EQ(Msg(d), "OK ");
    EXPECT_EQ(d.control("Edit7").text(), "AT90S2313");
    EXPECT_EQ(rig.docs.end, 2047);
    rig.link.connected = 0;
    d.Start();
    EXPECT_EQ(Msg(d), "Bad!");
}

TEST(Avr90sSim, LocksFailVerifyUntilEraseAndFusesReadBack) {
    Rig rig(4);
    FillRandomBytes(rig.docs.buf, Size(4), 7);
    rig.dlg.click("Write");
    rig.dlg.control("RadioGroup1").setItemIndex(0);
    rig.dlg.click("Secrity");
    EXPECT_EQ(Msg(rig.dlg), "OK!");
    EXPECT_EQ(rig.chip->lockBits(), sim::Avr90sChip::LockBit1 | sim::Avr90sChip::LockBit2);
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), "Bad!");
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    rig.dlg.click("ReadFuse");
    EXPECT_EQ(Msg(rig.dlg), "Config=1f");
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 0);
    rig.dlg.click("Erase");
    EXPECT_EQ(Msg(rig.dlg), "OK");
    EXPECT_EQ(rig.chip->lockBits(), 0);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "OK!");

    // Lock bit 1 alone: reads still work, writes do not; Protect says nothing.
    rig.dlg.control("RadioGroup1").setItemIndex(1);
    rig.dlg.control("Msg").setText("before");
    rig.dlg.click("Secrity");
    EXPECT_EQ(Msg(rig.dlg), "before");
    rig.dlg.click("Write");
    EXPECT_EQ(Msg(rig.dlg), kAvrProgramLockedText);
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    EXPECT_EQ(rig.chip->memory()[0], 0xFF);
    // Nor do the fuses, which are read back.
    rig.dlg.control("CheckBox1").setChecked(true);
    rig.dlg.click("WtFuse");
    EXPECT_EQ(Msg(rig.dlg), "Bad!");
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    EXPECT_EQ(rig.chip->fuseBits(), sim::Avr90sChip::ShippedFuses);

    // Fuses: the boxes are written and read back; erase keeps them.
    rig.dlg.click("Erase");
    rig.dlg.control("CheckBox1").setChecked(true);
    rig.dlg.control("CheckBox2").setChecked(false);
    rig.dlg.click("WtFuse");
    EXPECT_EQ(Msg(rig.dlg), "Programe Fuse...");
    rig.dlg.control("CheckBox1").setChecked(false);
    rig.dlg.control("CheckBox2").setChecked(true);
    rig.dlg.click("Erase");
    rig.dlg.click("ReadFuse");
    EXPECT_EQ(Msg(rig.dlg), "Config=fe");
    EXPECT_TRUE(rig.dlg.control("CheckBox1").checked());
    EXPECT_FALSE(rig.dlg.control("CheckBox2").checked());
    EXPECT_EQ(rig.dlg.control("RadioGroup1").itemIndex(), 3);
}

TEST(Avr90sSim, BusyEmptyWrongPartAndNoProgramCell) {
    // RDY/BSY stuck low: Program gives up at the first word, flag 1, no
    // voltage left on the part; Auto stops there without "OK!!!".
    Rig busy(2);
    busy.chip->faults().busyForever = true;
    FillErased(busy.docs.buf, Size(2));
    busy.docs.buf[0x41] = 0x12;
    busy.dlg.click("Write");
    EXPECT_EQ(Msg(busy.dlg), kAvrProgramFailedText);
    EXPECT_EQ(busy.dlg.control("Edit6").text(), "0040");
    EXPECT_EQ(busy.dlg.failureFlag(), 1);
    EXPECT_EQ(busy.box->socket().vppPins(), 0u);
    EXPECT_EQ(busy.box->socket().vccPins(), 0u);
    busy.dlg.click("Button1");
    EXPECT_EQ(Msg(busy.dlg), kAvrProgramFailedText);
    busy.dlg.control("RadioGroup1").setItemIndex(2);
    busy.dlg.click("Secrity");
    EXPECT_EQ(Msg(busy.dlg), "Bad!");
    EXPECT_EQ(busy.dlg.failureFlag(), 1);

    // An empty socket reads like an erased part: the signature tells.
    Rig empty(3);
    empty.chip->faults().missing = true;
    FillErased(empty.docs.buf, Size(3));
    for (const char* button : {"Blank", "Erase", "Verify", "Write", "Read1", "Secrity", "ReadFuse", "WtFuse"}) {
        empty.dlg.click(button);
        EXPECT_EQ(Msg(empty.dlg), "No chip! (signature reads ff ff)") << button;
        EXPECT_EQ(empty.dlg.failureFlag(), 1) << button;
    }

    // A 1200 in the 2313's row is refused before anything is written.
    Rig other(2);
    other.box->insert(sim::OfferForSubType(Avr90sDialog::kFormClass, 1)->make());
    other.dlg.click("Write");
    EXPECT_EQ(Msg(other.dlg), "Wrong chip! (signature 1e 90, AT90S2313 has 1e 91)");

    // A cell that will not program: Program reports ready, Verify finds it.
    Rig cell(1);
    FillRandomBytes(cell.docs.buf, Size(1), 9);
    cell.docs.buf[0x155] = 0x00;
    cell.chip->faults().noProgram.push_back({0x155, 0x155});
    cell.dlg.control("CheckBoxBlank").setChecked(true);
    cell.dlg.click("Button1");
    EXPECT_EQ(Msg(cell.dlg), "Bad!");
    EXPECT_EQ(cell.dlg.control("Edit6").text(), "0154");
    cell.docs.buf[0x155] = 0xFF;
    cell.chip->erase();
    cell.chip->faults().noProgram.clear();
    cell.dlg.control("CheckBoxFuse").setChecked(true);
    cell.dlg.control("CheckBoxConfig").setChecked(true);
    cell.dlg.control("RadioGroup1").setItemIndex(0);
    cell.dlg.click("Button1");
    EXPECT_EQ(Msg(cell.dlg), "OK!!!");
    EXPECT_EQ(cell.chip->lockBits(), sim::Avr90sChip::LockBit1 | sim::Avr90sChip::LockBit2);
}

// The chip model keeps the data sheet's pulse lengths: a WR pulse of one
// command's time neither erases nor writes a fuse.
TEST(Avr90sChipModel, ChipEraseAndFuseWritesNeedTheirLongPulses) {
    for (const int lowTicks : {0, kAvrChipEraseLowTicks}) {
        Rig rig(2);
        rig.chip->memory()[10] = 0x00;
        rig.chip->eeprom()[3] = 0x00;
        AvrPowerUp(rig.link, Row(2));
        AvrLoadCommand(rig.link, Row(2), avrcmd::ChipErase);
        PinLow(rig.link, Row(2).wr);
        Delay(rig.link, lowTicks);
        PinHigh(rig.link, Row(2).wr);
        EXPECT_EQ(rig.chip->memory()[10], lowTicks == 0 ? 0x00 : 0xFF) << lowTicks;
        EXPECT_EQ(rig.chip->eeprom()[3], lowTicks == 0 ? 0x00 : 0xFF) << lowTicks;
    }
    for (const int lowTicks : {0, kAvrFuseWriteLowTicks}) {
        Rig rig(3);
        AvrPowerUp(rig.link, Row(3));
        AvrLoadCommand(rig.link, Row(3), avrcmd::WriteFuses);
        AvrLoadDataByte(rig.link, Row(3), 0x20);
        PinLow(rig.link, Row(3).wr);
        Delay(rig.link, lowTicks);
        PinHigh(rig.link, Row(3).wr);
        EXPECT_EQ(rig.chip->fuseBits(), lowTicks == 0 ? sim::Avr90sChip::ShippedFuses : 0x20) << lowTicks;
    }
}

struct AvrGolden {
    const char* name;
    int row;
    bool busy; // RDY/BSY never rises
    FormSteps steps;
};

const AvrGolden kAvrGolden[] = {
    {"avr_erase_2313", 2, false, {"start", "|", "Erase"}},
    {"avr_erase_8515", 4, false, {"start", "|", "Erase"}},
    {"avr_program_word_2313", 2, false, {"start", "|", "Write"}},
    {"avr_program_word_8515", 4, false, {"start", "|", "Write"}},
    {"avr_program_busy_1200", 1, true, {"start", "|", "Write"}},
    {"avr_protect_item0_2313", 2, false, {"start", "RadioGroup1=0", "|", "Secrity"}},
    {"avr_protect_item1_2313", 2, false, {"start", "RadioGroup1=1", "|", "Secrity"}},
    {"avr_protect_item2_4414", 3, false, {"start", "RadioGroup1=2", "|", "Secrity"}},
    {"avr_protect_item3_4414", 3, false, {"start", "RadioGroup1=3", "|", "Secrity"}},
    {"avr_pro_fuse_unchecked_8515", 4, false, {"start", "|", "WtFuse"}},
    {"avr_pro_fuse_checked_2313", 2, false, {"start", "+CheckBox1", "+CheckBox2", "|", "WtFuse"}},
    {"avr_read_fuses_8515", 4, false, {"start", "|", "ReadFuse"}},
};

TEST(Avr90sGoldenWire, EdgeCasesSendTheRecordedStream) {
    ExpectGoldenStreams(kAvrGolden, [](const AvrGolden& c) {
        TappedRig<Avr90sDialog> rig(c.row);
        rig.docs.buf.initialise();
        rig.docs.buf[0x40] = 0x34; // one word to program, 0x1234 at word 0x20
        rig.docs.buf[0x41] = 0x12;
        rig.chip->faults().busyForever = c.busy;
        return RecordFormSteps(rig, c.steps);
    });
}

} // namespace
} // namespace quarvin::test
