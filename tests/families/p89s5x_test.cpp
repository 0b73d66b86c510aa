// The AT89S5x dialog: its form, the streams it sends (golden wire files) and
// what the data sheets' parts do with them on the virtual box. Round trips,
// Stop and the lost link run in the conformance suite.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenFiles.h"
#include "families/mcu89c5x/P89c5xDialog.h"
#include "families/mcu89s5x/P89s5xDialog.h"
#include "link/commands/Opcodes.h"
#include "sim/families/mcu89s5x/At89s5xChip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<P89s5xDialog, sim::At89s5xChip>;
constexpr int kS51 = 1, kS52 = 2;

std::string Msg(P89s5xDialog& d) { return d.control("Msg").text(); }

TEST(P89s5xForm, HasThe89C5xControlsAndItsOwnCaption) {
    WireRig<P89s5xDialog> s(kS52, false);
    WireRig<P89c5xDialog> c(3, false);
    EXPECT_EQ(s.dlg.caption(), "AT89S5x...");
    for (const char* name : {"Erase", "Blank", "Write", "Verify", "Read1", "Secrity", "ID", "Button1", "CheckBox1",
                             "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "RadioGroup1", "RadioGroup2"}) {
        EXPECT_EQ(s.dlg.control(name).text(), c.dlg.control(name).text()) << name;
        EXPECT_EQ(s.dlg.control(name).items(), c.dlg.control(name).items()) << name;
        EXPECT_EQ(s.dlg.control(name).itemIndex(), c.dlg.control(name).itemIndex()) << name;
    }
}

// Restores the erase wait a test shortened.
struct EraseTicks {
    explicit EraseTicks(int ticks) : saved(P89s5xEraseTicks()) { SetP89s5xEraseTicksForTest(ticks); }
    ~EraseTicks() { SetP89s5xEraseTicksForTest(saved); }
    int saved;
};

TEST(P89s5xChip, BlankEraseSignaturesAndAnEraseWaitBelowTheEraseTime) {
    Rig rig(kS52);
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "OK!");
    rig.chip->memory()[0x1234] = 0x00;
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Error");
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "1234");
    rig.dlg.click("Erase");
    EXPECT_EQ(Msg(rig.dlg), "Erase ok");
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "OK!");
    rig.dlg.click("ID");
    EXPECT_EQ(Msg(rig.dlg), "ID = 1e,52,06");
    Rig s51(kS51);
    s51.dlg.click("ID");
    EXPECT_EQ(Msg(s51.dlg), "ID = 1e,51,06");

    // 100 ms after the pulse the 500 ms erase still runs: its reads give 00.
    rig.chip->memory()[0x10] = 0x00;
    {
        EraseTicks shortened(1000);
        rig.dlg.click("Erase");
    }
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Error");
    EXPECT_EQ(rig.dlg.control("Edit6").text(), "0000");
}

TEST(P89s5xChip, LockBitsStopProgrammingAndThenReads) {
    struct Case {
        int item;
        std::uint8_t lockBits;
        bool readsHidden;
    };
    const Case cases[] = {{0, 0x01, false}, {1, 0x03, true}, {2, 0x07, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Rig rig(kS51);
        FillRandomBytes(rig.docs.buf, 0x1000, 11);
        rig.docs.buf[0] = 0x5A;
        rig.dlg.click("Write");
        rig.dlg.control("RadioGroup1").setItemIndex(c.item);
        rig.dlg.click("Secrity");
        EXPECT_EQ(Msg(rig.dlg), "Protect OK!");
        EXPECT_EQ(rig.chip->lockBits(), c.lockBits);
        if (c.readsHidden) {
            // P0 is left to the pull-ups: every read gives 0xFF.
            rig.dlg.click("Verify");
            EXPECT_EQ(Msg(rig.dlg), "0000:Error!(File=5a,Chip=ff)");
        } else {
            // Lock bit 1 alone: reads stay, a byte no longer programs.
            rig.dlg.click("Verify");
            EXPECT_EQ(Msg(rig.dlg), "OK!");
            std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x1000, 0xFF);
            rig.docs.buf[0] = 0x00;
            rig.dlg.click("Write");
            rig.dlg.click("Verify");
            EXPECT_EQ(Msg(rig.dlg), "0000:Error!(File=00,Chip=5a)");
        }
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.chip->lockBits(), 0);
        rig.dlg.click("Blank");
        EXPECT_EQ(Msg(rig.dlg), "OK!");
    }
}

TEST(P89s5xChip, AnotherPartsSignatureAsksBeforeProgramming) {
    struct Case {
        const char* part;
        bool answer;
        const char* question; // nullptr: none asked
        bool programs;
    };
    const Case cases[] = {
        {"AT89S52", false, nullptr, true},
        {"AT89S51", false, "Error?\nContinue?", false},
        {"AT89S51", true, "Error?\nContinue?", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.part) + (c.answer ? " yes" : " no"));
        Rig rig(kS52);
        auto part = std::make_shared<sim::At89s5xChip>(*sim::FindAt89s5xType(c.part));
        rig.box->insert(part);
        rig.selection.expectedSignature = {0x1E, 0x52, 0x06};
        rig.fp.prompts.answers = {c.answer};
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0xFF);
        rig.docs.buf[0x40] = 0x3C;
        rig.dlg.click("Write");
        EXPECT_EQ(rig.fp.prompts.texts(), c.question ? std::vector<std::string>{c.question} : std::vector<std::string>{});
        EXPECT_EQ(part->memory()[0x40], c.programs ? 0x3C : 0xFF);
        EXPECT_EQ(rig.dlg.failureFlag(), c.programs ? 0 : 1);
    }
}

// Sends the strobe command as the pin commands PinLow, PinHigh instead: a PROG
// pulse of about two character times, far over the data sheets' 1 us.
class PinCommandStrobe : public Transport {
public:
    explicit PinCommandStrobe(std::shared_ptr<sim::Box> box) : inner_(std::move(box)) {}
    bool write(const std::uint8_t* data, std::size_t n) override {
        std::vector<std::uint8_t> out;
        for (std::size_t i = 0; i < n; ++i) {
            if (strobePending_) {
                out.push_back(static_cast<std::uint8_t>(op::PinLowBase + data[i]));
                out.push_back(static_cast<std::uint8_t>(op::PinHighBase + data[i]));
                strobePending_ = false;
                ++strobes;
            } else if (data[i] == op::StrobeLow) {
                strobePending_ = true;
            } else {
                out.push_back(data[i]);
            }
        }
        return out.empty() || inner_.write(out.data(), out.size());
    }
    int readByte(int timeoutMs) override { return inner_.readByte(timeoutMs); }
    void purge() override { inner_.purge(); }
    void close() override { inner_.close(); }
    int strobes = 0;

private:
    sim::VirtualBoxTransport inner_;
    bool strobePending_ = false;
};

TEST(P89s5xChip, AProgPulseLongerThanTheDataSheetsProgramsNothing) {
    DialogRig<P89s5xDialog> rig(kS52);
    auto box = std::make_shared<sim::Box>();
    auto chip = sim::OfferForSubType(P89s5xDialog::kFormClass, kS52)->make();
    box->insert(chip);
    auto transport = std::make_unique<PinCommandStrobe>(box);
    PinCommandStrobe& strobe = *transport;
    rig.connect(std::move(transport));
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0xFF);
    rig.docs.buf[3] = 0xA5;
    rig.dlg.Start();
    rig.docs.end = 0x0F;
    rig.dlg.click("Write");
    EXPECT_EQ(strobe.strobes, 1); // the one byte's pulse, and no argument byte taken for one
    EXPECT_EQ(chip->memory()[3], 0xFF);
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), "0003:Error!(File=a5,Chip=ff)");
}

// One stream per operation, recorded once and checked by hand against the
// data sheets' mode table and programming algorithm.
TEST(P89s5xGoldenWire, EveryOperationSendsItsRecordedStream) {
    struct Case {
        const char* name;
        std::int32_t end; // the hex window's end address
        std::vector<const char*> clicks;
    };
    const Case cases[] = {
        {"s5x_read_s52_end_1f", 0x1F, {"Read1"}},
        {"s5x_program_s52_one_byte", 0x0F, {"Write"}},
        {"s5x_erase_blank_s52", 0x0F, {"Erase", "Blank"}},
        {"s5x_verify_id_s52", 0x0F, {"Verify", "ID"}},
        {"s5x_protect_item_1_s52", 0x0F, {"Secrity"}},
        {"s5x_run_s52", 0x0F, {"Button1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRig<P89s5xDialog> rig(kS52);
        auto box = std::make_shared<sim::Box>();
        box->insert(sim::OfferForSubType(P89s5xDialog::kFormClass, kS52)->make());
        auto tap = std::make_shared<std::vector<std::uint8_t>>();
        rig.connect(std::make_unique<TappedVirtualBox>(box, tap));
        rig.selection.expectedSignature = {0x1E, 0x52, 0x06};
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0xFF);
        rig.docs.buf[3] = 0xA5;
        rig.dlg.Start();
        rig.docs.end = c.end;
        tap->clear();
        for (const char* click : c.clicks) rig.dlg.click(click);
        EXPECT_TRUE(MatchesGolden(c.name, Msg(rig.dlg), *tap));
    }
}

} // namespace
} // namespace quarvin::test
