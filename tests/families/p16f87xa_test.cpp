// The PIC16F87xA dialog (the PIC16 form): the streams it sends (golden wire
// files) and what the parts do with them on the virtual box. Stop, the lost link
// and every row's round trip run in the conformance suite.
#include <gtest/gtest.h>

#include <random>

#include "FamilyRig.h"
#include "McuFormSteps.h"
#include "families/p16f87xa/P16f87xaDialog.h"
#include "sim/families/p16f87xa/P16f87xaChip.h"

namespace quarvin::test {
namespace {

// The buffer as the program has it at start-up (0xFF): a zeroed one would hold a
// configuration word 0000 at byte 0x400E, which the dialog takes as a file's.
struct Rig : SimRig<P16f87xaDialog, sim::P16f87xaChip> {
    explicit Rig(int subType) : SimRig(subType, StartBuffer::AsAtStartUp) {}
};
constexpr int k873A = 1, k874A = 2, k876A = 3, k877A = 4;

std::string Msg(P16f87xaDialog& d) { return d.control("Msg").text(); }

void FillRandomWords(MainBuffer& buf, std::uint32_t words, unsigned seed) {
    std::mt19937 rng(seed);
    for (std::uint32_t w = 0; w < words; ++w) {
        buf[2 * w] = static_cast<std::uint8_t>(rng());
        buf[2 * w + 1] = static_cast<std::uint8_t>(rng() & 0x3F);
    }
}

TEST(P16f87xaChip, AWriteWaitBelowTprog2LeavesTheRowsErased) {
    Rig rig(k876A);
    FillRandomWords(rig.docs.buf, 8192, 3);
    const OperationHooks hooks;
    const Pic16Job job{rig.link, kP16f87xaRows[k876A], rig.docs.buf, hooks, nullptr, true};
    // 40 ticks are 3.8 ms: under the 8 ms the cycle may take.
    EXPECT_EQ(ProgramP16f87xaWithWait(job, 40).message, "Finished");
    EXPECT_EQ(VerifyP16f87xa(job).message, "Verify Bad!");
    EXPECT_EQ(ProgramP16f87xaWithWait(job, kP16f87xaRowWriteTicks).message, "Finished");
    EXPECT_EQ(VerifyP16f87xa(job).message, "OK");
}

TEST(P16f87xaChip, ProtectedPartReadsZerosUntilChipErase) {
    Rig rig(k877A);
    FillRandomWords(rig.docs.buf, 8192, 5);
    rig.docs.buf[0] = 0x12; // word 0 not 0
    rig.dlg.click("Write");
    rig.dlg.control("CheckBox1").setChecked(true); // "Sec"
    rig.dlg.click("WtConfig");
    EXPECT_EQ(Msg(rig.dlg), "OK");
    EXPECT_TRUE(rig.chip->codeProtected());
    rig.dlg.click("Verify");
    EXPECT_EQ(Msg(rig.dlg), "Verify Bad!");
    rig.dlg.click("ReadToFile");
    EXPECT_EQ(rig.docs.buf[0], 0x00);
    // A bulk erase does not run on a protected part; Chip Erase ("All") clears it.
    rig.dlg.control("RadioGroup2").setItemIndex(0);
    rig.dlg.click("Erase");
    EXPECT_TRUE(rig.chip->codeProtected());
    rig.dlg.control("RadioGroup2").setItemIndex(3);
    rig.dlg.click("Erase");
    EXPECT_FALSE(rig.chip->codeProtected());
    rig.dlg.click("Blank");
    EXPECT_EQ(Msg(rig.dlg), "Blank OK!");
}

TEST(P16f87xaChip, ConfigurationAndIdsWrittenAndReadBack) {
    Rig rig(k873A);
    rig.dlg.control("Edit1").setText("5a3c");
    rig.dlg.control("RadioGroup1").setItemIndex(2); // HS
    rig.dlg.control("CheckBox2").setChecked(false); // "WTD" off
    rig.dlg.click("WtConfig");
    EXPECT_EQ(Msg(rig.dlg), "OK");
    EXPECT_EQ(rig.chip->configWord(), 0x3FF2); // the PIC16 controls: "PWRT3" unchecked clears bit 3
    EXPECT_EQ(rig.chip->idWord(0), 0x3F85);
    EXPECT_EQ(rig.chip->idWord(3), 0x3F8C);
    rig.dlg.control("Edit1").setText("0000");
    rig.dlg.click("RdConfig");
    EXPECT_EQ(Msg(rig.dlg), "Config = 3ff2");
    EXPECT_EQ(rig.dlg.control("Edit1").text(), "5a3c");
}

TEST(P16f87xaChip, AnotherPartsDeviceIdIsRefusedAndTheRevisionIgnored) {
    struct Case {
        const char* part;
        std::uint16_t revision;
        const char* message;
    };
    const Case cases[] = {
        {"PIC16F874A", 0, "Wrong chip! (device ID 0e60, not PIC16F877A)"},
        {"PIC16F877A", 0xB, "Finished"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        Rig rig(k877A);
        auto part = std::make_shared<sim::P16f87xaChip>(*sim::FindP16f87xaType(c.part));
        part->setRevision(c.revision);
        rig.box->insert(part);
        rig.docs.buf[0] = 0x00;
        rig.dlg.click("Write");
        EXPECT_EQ(Msg(rig.dlg), c.message);
        EXPECT_EQ(part->memory()[0], std::string(c.message) == "Finished" ? 0x00 : 0xFF);
    }
}

// Golden wire files, one per operation, on a PIC16F873A; the reading and
// writing loops are stopped at their second progress point.
struct P16aGolden {
    const char* name;
    bool usedPart; // word 3 programmed
    int stopAfterPolls;
    FormSteps steps;
};

const P16aGolden kP16aGolden[] = {
    {"p16a_read_873a_stopped", false, 2, {"|", "ReadToFile"}},
    {"p16a_program_873a_stopped", false, 2, {"|", "Write"}},
    {"p16a_verify_873a_used_word_3", true, -1, {"|", "Verify"}},
    {"p16a_blank_873a_used_word_3", true, -1, {"|", "Blank"}},
    {"p16a_erase_code_873a", false, -1, {"RadioGroup2=0", "|", "Erase"}},
    {"p16a_erase_all_873a", false, -1, {"|", "Erase"}},
    {"p16a_wr_config_873a", false, -1, {"|", "WtConfig"}},
    {"p16a_re_config_873a", false, -1, {"|", "RdConfig"}},
};

TEST(P16f87xaGoldenWire, EachOperationSendsTheRecordedStream) {
    ExpectGoldenStreams(kP16aGolden, [](const P16aGolden& c) {
        TappedRig<P16f87xaDialog, sim::P16f87xaChip> rig(k873A);
        rig.docs.buf.initialise();
        if (c.usedPart) rig.chip->memory()[6] = 0x12;
        RunFormSteps(rig, {"start", "Edit1:5a3c", "RadioGroup2=3"});
        rig.fillPattern(64);
        rig.fp.stop.stopAfterPolls = c.stopAfterPolls;
        rig.fp.stop.polls = 0;
        return RecordFormSteps(rig, c.steps);
    });
}

} // namespace
} // namespace quarvin::test
