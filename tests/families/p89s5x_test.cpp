// The AT89S5x dialog (the 89C5x form): the streams it sends (golden wire files)
// and what the data sheets' parts do with them on the virtual box. Round trips,
// Stop and the lost link run in the conformance suite.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "McuDialogChecks.h"
#include "McuFormSteps.h"
#include "families/mcu89s5x/P89s5xDialog.h"
#include "link/commands/Opcodes.h"
#include "sim/families/mcu89s5x/At89s5xChip.h"

namespace quarvin::test {
namespace {

using Rig = SimRig<P89s5xDialog, sim::At89s5xChip>;
constexpr int kS51 = 1, kS52 = 2;

std::string Msg(P89s5xDialog& d) { return d.control("Msg").text(); }

// Restores the erase wait a test shortened.
struct EraseTicks {
    explicit EraseTicks(int ticks) : saved(P89s5xEraseTicks()) { SetP89s5xEraseTicksForTest(ticks); }
    ~EraseTicks() { SetP89s5xEraseTicksForTest(saved); }
    int saved;
};

TEST(P89s5xChip, BlankEraseSignaturesAndAnEraseWaitBelowTheEraseTime) {
    Rig rig(kS52);
    ExpectBlankFindsAUsedCellUntilErased(rig, 0x1234, {"OK!", "Error", "Erase ok"});
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

TEST(P89s5xChip, ProtectModesAndAnotherPartsSignature) {
    ExpectProtectModesLockTheCodeUntilErased<Rig>(kS51, 0x1000);
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
        ExpectSignatureQuestion(rig, *part, c.answer, c.question, c.programs);
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

// One stream per operation on an AT89S52 expected as such, the buffer all 0xFF
// but 0xA5 at 3, recorded once and checked by hand against the data sheets'
// mode table and programming algorithm.
struct S5xGolden {
    const char* name;
    FormSteps steps;
};

const S5xGolden kS5xGolden[] = {
    {"s5x_read_s52_end_1f", {"start", "end=1f", "|", "Read1"}},
    {"s5x_program_s52_one_byte", {"start", "end=f", "|", "Write"}},
    {"s5x_erase_blank_s52", {"start", "end=f", "|", "Erase", "Blank"}},
    {"s5x_verify_id_s52", {"start", "end=f", "|", "Verify", "ID"}},
    {"s5x_protect_item_1_s52", {"start", "end=f", "|", "Secrity"}},
    {"s5x_run_s52", {"start", "end=f", "|", "Button1"}},
};

TEST(P89s5xGoldenWire, EveryOperationSendsItsRecordedStream) {
    ExpectGoldenStreams(kS5xGolden, [](const S5xGolden& c) {
        TappedRig<P89s5xDialog> rig(kS52);
        rig.selection.expectedSignature = {0x1E, 0x52, 0x06};
        std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0xFF);
        rig.docs.buf[3] = 0xA5;
        return RecordFormSteps(rig, c.steps);
    });
}

} // namespace
} // namespace quarvin::test
