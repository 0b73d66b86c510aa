// The static RAM tester on the virtual box: every part tested; the faults each
// caught; the start texts, the field edges, what power-off does to plain and
// battery-backed parts. (golden_wire_test.cpp: the wire streams.)
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FamilyRig.h"
#include "families/sram/SramDialog.h"
#include "link/FastLinkSettings.h"
#include "sim/ChipFaultText.h"
#include "sim/families/sram/SramChip.h"
#include "support/SanitizerSample.h"

namespace quarvin::test {
namespace {

constexpr int kRow2K = 1, kRow8K = 2, kRow32K = 4;

// The dialog over the virtual box with a given part in the socket, reading ahead
// as the program's link to the virtual box does.
struct SramBench : DialogRig<SramDialog> {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<sim::Chip> chip;
    SramBench(int row, const sim::ChipOffer& offer) : DialogRig<SramDialog>(row) {
        selection.typeName = offer.label;
        connect(std::make_unique<sim::VirtualBoxTransport>(box));
        link.readAheadWindow = ReadAheadWindowFor(LineKind::VirtualBox, {});
        chip = offer.make();
        box->insert(chip);
        dlg.Start();
    }
    explicit SramBench(int row) : SramBench(row, *sim::OfferForSubType(SramDialog::kFormClass, row)) {}
    std::uint32_t last() const { return static_cast<std::uint32_t>(chip->memory().size() - 1); }
    void randomBuffer(unsigned seed) {
        std::mt19937 r(seed);
        for (std::uint32_t i = 0; i <= last(); ++i) docs.buf[i] = static_cast<std::uint8_t>(r());
    }
};

std::vector<const sim::ChipOffer*> SramOffers() {
    std::vector<const sim::ChipOffer*> offers;
    for (const sim::ChipOffer& o : sim::ChipOffers())
        if (o.family == SramDialog::kFormClass) offers.push_back(&o);
    return offers;
}

// Every part's Test leaves the test pattern in it (the conformance suite writes,
// verifies, reads and sums every part).
TEST(Sram, EveryPartTests) {
    const auto offers = SramOffers();
    ASSERT_GE(offers.size(), 14u);
    SweepSample sample;
    for (const sim::ChipOffer* offer : offers) {
        if (!sample.take()) continue;
        SCOPED_TRACE(offer->label);
        SramBench rig(offer->subType, *offer);
        EXPECT_EQ(rig.dlg.caption(), Format("0 to %x", kSramRows[static_cast<std::size_t>(offer->subType)].lastAddress));
        rig.dlg.click("Button3");
        EXPECT_EQ(rig.msg(), "OK!");
        EXPECT_EQ(rig.chip->checksum(), SramTestPatternSum(rig.last() + 1));
        EXPECT_FALSE(rig.dlg.failure());
    }
}

TEST(Sram, TestPatternRunsFrom91To100ThenOneToAHundred) {
    // 2048 bytes: 91..100 (955), then 20 runs of 1..100 (5050 each), then 1..38.
    EXPECT_EQ(SramTestPatternSum(2048), 955u + 20u * 5050u + 38u * 39u / 2u);
    EXPECT_EQ(SramTestPatternSum(10), 955u);
}

TEST(Sram, FaultsAreCaughtByTestAndByVerify) {
    struct Case {
        const char* fault;
        const char* testMessage; // prefix of what Test says
        const char* verifyMessage;
    } cases[] = {
        {"stuck:1234:04:04", "Bad device ", "001234:Bad! (file="},
        {"stuck:100:01:00", "Write failured! at 000100", "000100:Bad! (file="},
        {"short:3:9", "Bad device ", "000000:Bad! (file="},
        {"leak:2345:50000", "Bad device ", "002345:Bad! (file="},
        {"empty", "Write failured! at 000000", "000000:Bad! (file="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        SramBench rig(kRow32K);
        ASSERT_EQ(sim::AddChipFault(rig.chip->faults(), c.fault), "");
        if (rig.chip->faults().missing) rig.box->remove();
        rig.dlg.click("Button3");
        EXPECT_EQ(rig.msg().rfind(c.testMessage, 0), 0u) << rig.msg();
        EXPECT_TRUE(rig.dlg.failure());
        // Write then Verify a pattern in which every cell differs from its
        // neighbours, so that stuck, aliased and reverted cells all show.
        for (std::uint32_t i = 0; i <= 0x7FFF; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8) + 0x5A);
        rig.dlg.click("Write");
        rig.dlg.click("Verify");
        EXPECT_EQ(rig.msg().rfind(c.verifyMessage, 0), 0u) << rig.msg();
        EXPECT_TRUE(rig.dlg.failure());
        ASSERT_NE(rig.dlg.control("Edit6").text(), "");
        // Reopened, the dialog shows no address of the failed run beside its "OK".
        rig.dlg.Start();
        EXPECT_EQ(rig.msg(), "OK ");
        EXPECT_EQ(rig.dlg.control("Edit6").text(), "");
        EXPECT_EQ(rig.dlg.control("RdBar").position(), 0);
    }
}

TEST(Sram, FieldsBeyondTheDeviceAndThePlaceholderRow) {
    SramBench rig(kRow2K);
    for (std::uint32_t i = 0; i < 0x100; ++i) rig.docs.buf[0x100 + i] = static_cast<std::uint8_t>(0xA0 + i);
    // Length past the end: the run stops after the last address and says so.
    rig.fields("100", "7f0", "ff");
    rig.dlg.click("Write");
    EXPECT_EQ(rig.msg(), "OK 16 of 256 bytes: end of device");
    EXPECT_EQ(rig.chip->memory()[0x7FF], 0xAF);
    rig.dlg.click("Verify");
    EXPECT_EQ(rig.msg(), "Verify OK 16 of 256 bytes: end of device");
    // Read ignores the start fields and reads up to Length.
    rig.fields("300", "300", "f");
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x20, 0xEE);
    rig.dlg.click("ReadButton");
    EXPECT_TRUE(std::equal(rig.docs.buf.data(), rig.docs.buf.data() + 0x10, rig.chip->memory().begin()));
    EXPECT_EQ(rig.docs.buf[0x10], 0xEE);

    DialogRig<SramDialog> placeholder(0);
    placeholder.connect(std::make_unique<sim::VirtualBoxTransport>(std::make_shared<sim::Box>()));
    placeholder.dlg.Start();
    placeholder.dlg.click("Button3");
    EXPECT_EQ(placeholder.msg(), "Write failured! (no device type selected)");
    EXPECT_TRUE(placeholder.dlg.failure());
}

// Closing switches the supply off; the next operation powers the part with
// the ports a socket reset leaves (all low): /CE and /WE must be raised first,
// or the part writes the floating bus into a cell as it comes up.
TEST(Sram, PlainPartsLoseTheirDataWhenClosedBatteryBackedOnesKeepIt) {
    for (const char* part : {"DS1230Y", "HM62256"}) {
        SCOPED_TRACE(part);
        SramBench rig(kRow32K, *sim::FindOffer(part));
        const bool battery = std::string(part) == "DS1230Y";
        rig.randomBuffer(7);
        rig.dlg.click("Write");
        ASSERT_EQ(rig.msg(), "OK");
        rig.dlg.click("CancelBtn");
        rig.dlg.Start();
        rig.dlg.click("Verify");
        EXPECT_EQ(rig.msg() == "Verify OK", battery) << rig.msg();
    }
}

// The conformance suite stops Write, Verify and Read.
TEST(Sram, AStopEndsTestWithoutSuccess) {
    SramBench rig(kRow8K);
    rig.fp.stop.stopAfterPolls = 10;
    rig.dlg.click("Button3");
    EXPECT_EQ(rig.msg(), "Write failured! stopped 000009");
    EXPECT_TRUE(rig.dlg.failure());
}

TEST(Sram, StartTextsAndAuto) {
    DialogRig<SramDialog> off(kRow2K);
    off.dlg.Start();
    EXPECT_EQ(off.msg(), "No Programmer!");

    SramBench rig(kRow8K);
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "DS1225AB");
    rig.randomBuffer(3);
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.msg(), "OK");
    rig.docs.hex = false;
    rig.dlg.click("Button1");
    ASSERT_FALSE(rig.fp.prompts.shown.empty());
    EXPECT_EQ(rig.fp.prompts.shown.back().text, "No any file opened!");
    EXPECT_TRUE(rig.dlg.failure());
}

} // namespace
} // namespace quarvin::test
