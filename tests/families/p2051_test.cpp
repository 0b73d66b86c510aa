// The 20-pin 8051 flash dialog: its form, the streams it sends (golden wire
// files) and its behaviour on the virtual box's chip models.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "families/mcu2051/P2051Dialog.h"
#include "sim/families/mcu2051/At89c2051Chip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<P2051Dialog, sim::At89c2051Chip>;

std::string Msg(P2051Dialog& d) { return d.control("Msg").text(); }

TEST(P2051Form, CaptionsItemsAndInitialStates) {
    WireRig<P2051Dialog> rig(2, false);
    P2051Dialog& d = rig.dlg;
    EXPECT_EQ(d.caption(), "P205x");
    const std::pair<const char*, const char*> captions[] = {
        {"Read1", "Read"},        {"Erase", "Erase"},         {"Blank", "Blank"},       {"Write", "Programe"},
        {"Verify", "Verify"},     {"Secrity", "Secrity"},     {"GroupBox1", "Auto Pro"}, {"Button1", "Auto"},
        {"CheckBox1", "Erase"},   {"CheckBox2", "Blank"},     {"CheckBox3", "Programe"}, {"CheckBox4", "Verify"},
        {"CheckBox5", "Secrity"}, {"RadioGroup1", "Sec Mode"}, {"CancelBtn", "Exit"},
    };
    for (const auto& [name, caption] : captions) EXPECT_EQ(d.control(name).text(), caption) << name;
    const std::pair<const char*, bool> ticks[] = {
        {"CheckBox1", false}, {"CheckBox2", false}, {"CheckBox3", true}, {"CheckBox4", true}, {"CheckBox5", false}};
    for (const auto& [name, checked] : ticks) EXPECT_EQ(d.control(name).checked(), checked) << name;
    EXPECT_EQ(d.control("RadioGroup1").items(), (std::vector<std::string>{"1:No Programe", "2:No Pro+No Read"}));
    EXPECT_EQ(d.control("RadioGroup1").itemIndex(), 1);
    d.Start();
    EXPECT_EQ(Msg(d), "OK ");
    EXPECT_EQ(rig.docs.end, 0x7FF);
    rig.link.connected = 0;
    d.Start();
    EXPECT_EQ(Msg(d), "Communication error!");
}

TEST(P2051Chip, BlankEraseLockAndSignature) {
    Rig rig(2);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");
    rig.chip->memory()[0x123] = 0x7F;
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Not blank!");
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "0123");
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    rig.dlg.click("Erase");
    EXPECT_EQ(Msg(rig.dlg), "Finished");
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");

    FillRandomBytes(rig.docs.buf, 0x800, 4);
    rig.dlg.click("Write");
    rig.dlg.click("Secrity");
    EXPECT_EQ(Msg(rig.dlg), "Secrity OK");
    EXPECT_EQ(rig.chip->lockBits(), sim::At89c2051Chip::LockBit1 | sim::At89c2051Chip::LockBit2);
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), Format("0000:Bad! (file=%02x,Device=ff)", rig.docs.buf[0]));
    rig.dlg.click("Erase");
    EXPECT_EQ(rig.chip->lockBits(), 0);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");

    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "1e,21,ff");
    EXPECT_EQ(rig.dlg.readSignature(), (std::array<std::uint8_t, 3>{0x1E, 0x21, 0xFF}));
}

TEST(P2051Chip, FaultsAndTheirMessages) {
    // A cell that will not program: the ready signal comes, Verify finds it.
    Rig cell(3);
    FillRandomBytes(cell.docs.buf, 0x1000, 8);
    cell.docs.buf[0xABC] = 0x00;
    cell.chip->faults().noProgram.push_back({0xABC, 0xABC});
    cell.dlg.click("Write");
    EXPECT_EQ(Msg(cell.dlg), "OK");
    cell.dlg.click("Verify");
    EXPECT_EQ(Msg(cell.dlg), "0abc:Bad! (file=00,Device=ff)");

    // Ready never comes: Programme fails at the first byte it writes, d + 1.
    Rig busy(1);
    busy.chip->faults().busyForever = true;
    std::fill(busy.docs.buf.data(), busy.docs.buf.data() + 0x400, 0xFF);
    busy.docs.buf[0x21] = 0x40;
    busy.dlg.click("Write");
    EXPECT_EQ(Msg(busy.dlg), "0021:Bad! (file=40,Device=41)");
    EXPECT_EQ(busy.dlg.failureFlag(), 1);

    // A stuck bit at address 0: the erase check fails with flag 2 and Auto
    // stops before Blank.
    Rig stuck(2);
    stuck.chip->faults().stuck.push_back({0, 0, 0x80, 0x00});
    stuck.dlg.control("CheckBox1").setChecked(true);
    stuck.dlg.control("CheckBox2").setChecked(true);
    stuck.dlg.click("Button1");
    EXPECT_EQ(Msg(stuck.dlg), "Error!");
    EXPECT_EQ(stuck.dlg.failureFlag(), kEraseFailedFlag);

    // A wrong signature shows as read; an empty socket asks.
    Rig other(2);
    other.chip->faults().signature = {0x1E, 0x41, 0xFF};
    other.dlg.click("ID");
    EXPECT_EQ(Msg(other.dlg), "1e,41,ff");
    other.chip->faults().missing = true;
    other.fp.prompts.answers = {false};
    other.dlg.click("Blank");
    EXPECT_EQ(other.fp.prompts.texts(), std::vector<std::string>{"No any device on programmer!\n\nContinue?"});
    EXPECT_EQ(Msg(other.dlg), "No any device on programmer!");
}

TEST(P2051Wire, SecrityFailureStopsAutoAndTheNibblesMakeTheSignature) {
    WireRig<P2051Dialog> rig(2);
    // Two presence checks (Auto's, whose power-off is confirmed by one more
    // read, and Secrity's), then a lock check read below 255.
    rig.log->reply({0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x12});
    for (const char* box : {"CheckBox3", "CheckBox4"}) rig.dlg.control(box).setChecked(false);
    rig.dlg.control("CheckBox5").setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(Msg(rig.dlg), "加密失败！");
    EXPECT_EQ(rig.dlg.failureFlag(), 1);

    // Port 2 carries P1.0..P1.3 in its high nibble, port 3 P1.4..P1.7 in its low one.
    rig.log->replies.clear();
    rig.log->reply({0xE0, 0x01, 0x10, 0x02, 0xF0, 0x0F});
    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "1e,21,ff");
}

TEST(P2051Wire, SoftRunReadsAll255) {
    WireRig<P2051Dialog> rig(1);
    rig.link.connected = 0;
    rig.fp.prompts.answers = {true, true, true};
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x400, 0xFF);
    rig.docs.buf[0x7] = 0x00;
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), "0007:Bad! (file=00,Device=ff)");
    EXPECT_EQ(rig.fp.prompts.texts().front(), "No any device on programmer!\n\nContinue?");
    EXPECT_TRUE(rig.log->written.empty());
}

struct GoldenCase {
    const char* name;
    int row;
    bool allFF;           // the buffer: all 0xFF, else one byte 0x5A at 0x10
    bool busy;
    bool stuckAtZero;
    std::vector<const char*> ticked; // Auto boxes
    std::vector<const char*> clicks;
};

TEST(P2051GoldenWire, EdgeCasesSendTheRecordedStreams) {
    const GoldenCase cases[] = {
        {"p2051_start_prepare", 1, true, false, false, {}, {}},
        {"p2051_programme_all_ff", 1, true, false, false, {}, {"Write"}},
        {"p2051_programme_ready_time_out", 1, false, true, false, {}, {"Write"}},
        {"p2051_auto_erase_fails_before_blank", 1, true, false, true, {"CheckBox1", "CheckBox2"}, {"Button1"}},
        {"p2051_secrity", 1, true, false, false, {}, {"Secrity"}},
        {"p2051_id", 1, true, false, false, {}, {"ID"}},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRig<P2051Dialog> rig(c.row);
        auto box = std::make_shared<sim::Box>();
        auto chip = sim::OfferForSubType(P2051Dialog::kFormClass, c.row)->make();
        chip->faults().busyForever = c.busy;
        if (c.stuckAtZero) chip->faults().stuck.push_back({0, 0, 0x01, 0x00});
        box->insert(chip);
        auto tap = std::make_shared<std::vector<std::uint8_t>>();
        rig.connect(std::make_unique<TappedVirtualBox>(box, tap));
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x1000, 0xFF);
        if (!c.allFF) rig.docs.buf[0x10] = 0x5A;
        for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
            rig.dlg.control(name).setChecked(false);
        for (const char* name : c.ticked) rig.dlg.control(name).setChecked(true);
        rig.dlg.Start();
        if (!c.clicks.empty()) tap->clear();
        for (const char* click : c.clicks) rig.dlg.click(click);
        EXPECT_TRUE(MatchesGolden(c.name, Msg(rig.dlg), *tap));
    }
}

} // namespace
} // namespace quarvin::test
