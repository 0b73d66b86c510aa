// The GAL16V8/20V8 family: the hand-made JEDEC test files, the row shifts and the
// erase and security streams on the wire, and its dialog on the virtual box: the
// secured part, the empty socket and Auto.
#include <gtest/gtest.h>

#include <algorithm>

#include "FamilyRig.h"
#include "GoldenRig.h"
#include "GoldenWire.h"
#include "PldDialogChecks.h"
#include "buffer/formats/Jedec.h"
#include "families/gal/GalDialog.h"
#include "families/gal/GalRows.h"
#include "families/gal/GalShifter.h"
#include "sim/families/gal/GalChip.h"

namespace quarvin::test {
namespace {

using GalSim = SimRig<GalDialog, sim::GalChip>;

formats::FuseGeometry GeometryOf(int row) {
    const GalRow& r = kGalRows[static_cast<std::size_t>(row)];
    return {static_cast<std::int32_t>(r.fusesPerRow), static_cast<std::int32_t>(r.fuseRows)};
}

const char* CombinatorialFile(int row) {
    return kGalRows[static_cast<std::size_t>(row)].fusesPerRow == 40 ? "gal20v8_comb.jed" : "gal16v8_comb.jed";
}

// The first fuse of the map that differs from the file over its QF fuses, -1 when none.
long FirstDifference(const MainBuffer& buf, const ParsedJedec& file) {
    for (std::size_t n = 0; n < file.fuses.size(); ++n)
        if (buf[static_cast<std::uint32_t>(n)] != '0' + file.fuses[n]) return static_cast<long>(n);
    return -1;
}

// The hand-made test files carry the standard checksum over their fuses, read
// back fuse-exact and are written again with their own count and checksum. (The
// fuse count of each geometry is the JEDEC writer's test; every sub-type's
// geometry runs in the conformance suite.)
TEST(GalJedec, TheTestFilesReadBackAndAreWrittenAgainFuseExact) {
    const std::pair<const char*, formats::FuseGeometry> files[] = {
        {"gal16v8_comb.jed", {32, 64}},  {"gal16v8_reg.jed", {32, 64}},   {"gal20v8_comb.jed", {40, 64}},
        {"gal20v8_reg.jed", {40, 64}},   {"gal22v10_comb.jed", {44, 132}}, {"gal22v10_reg.jed", {44, 132}}};
    for (const auto& [name, g] : files) {
        SCOPED_TRACE(name);
        const ParsedJedec file = ParseJedecText(ReadText(PldFile(name)));
        EXPECT_EQ(file.checksum, StandardFuseChecksum(file.fuses));
        MainBuffer buf;
        EXPECT_FALSE(formats::readJedecFile(buf, g, PldFile(name)).checksumMismatch());
        EXPECT_EQ(FirstDifference(buf, file), -1);
        const ParsedJedec again = ParseJedecText("\x02" + formats::jedecText(buf, g) + "\x03");
        EXPECT_EQ(again.fuses, file.fuses);
        EXPECT_EQ(again.checksum, file.checksum);
    }
}

// Write row and Read row of both wirings at addresses that together use all six
// bits (43 = 101011b, 20 = 010100b), against the golden file made by hand from
// the signal table.
TEST(GalWire, RowShiftsOfBothWiringsMatchTheirGoldenStream) {
    std::string text;
    for (int row : {3, 4}) {
        for (bool write : {true, false}) {
            WireRig<GalDialog> rig(row);
            gal::GalShifter shifter(rig.link, kGalRows[static_cast<std::size_t>(row)]);
            if (write) {
                shifter.writeRow(43, "10", 2);
            } else {
                EXPECT_EQ(shifter.readRow(20, 2), "11");
            }
            text += Format("row %d: %s\n", row, write ? "write row 43 with 10" : "read row 20") + HexLines(rig.log->written);
        }
    }
    EXPECT_TRUE(MatchesGolden("gal_row_shifts", text));
}

// The whole stream is in the golden file, the power-down at its end too.
TEST(GalWire, EraseAndSecMatchTheirGoldenStreams) {
    struct Case {
        const char* name;
        int row;
        const char* button;
        const char* message;
    } cases[] = {{"gal16v8b_erase", 3, "Erase", "OK"}, {"gal20v8_sec", 4, "Secrity", "Finished"}};
    for (const Case& c : cases) {
        TappedRig<GalDialog> rig(c.row);
        rig.start();
        rig.tap->clear();
        rig.dlg.click(c.button);
        EXPECT_TRUE(MatchesGolden(c.name, rig.dlg.control("Msg").text(), *rig.tap));
        EXPECT_EQ(rig.dlg.control("Msg").text(), c.message);
    }
}

TEST(GalDialogTest, RowSevenRefusesEveryButtonAndProgrammeNeedsAFuseMap) {
    ExpectRowRefusesEveryButton<GalDialog>(7, {"Read1", "Erase", "Blank", "Write", "Verify", "Secrity", "Button1"});
    ExpectProgrammeAndAutoNeedAFuseMap<GalDialog>(3);
}

TEST(GalDialogTest, StartOpensTheFuseMapFilledWithOnesAndShowsTheRowGeometry) {
    WireRig<GalDialog> rig(5, false);
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.Start();
    EXPECT_TRUE(rig.docs.pld);
    EXPECT_FALSE(rig.docs.hex);
    EXPECT_EQ(rig.docs.buf[0], '1');
    EXPECT_EQ(rig.docs.buf[5999], '1');
    EXPECT_EQ(rig.docs.buf[6000], 0);
    EXPECT_EQ(rig.docs.fusesPerRow, 40);
    EXPECT_EQ(rig.docs.fuseRows, 64);
    EXPECT_EQ(rig.dlg.control("Edit7").text(), "ANY: 27C512");
    EXPECT_EQ(rig.dlg.control("Msg").text(), "OK ");
}

constexpr PldTexts kGalTexts{"Finished", "Bad!"};

// The signature row (64 fuses after the eight XOR fuses) stays readable.
TEST(GalVirtualBox, SecuredPartReadsOnesFailsVerifyKeepsItsSignatureUntilErased) {
    for (int row : {3, 6}) {
        SCOPED_TRACE(row);
        GalSim rig(row);
        LoadJedec(rig.docs.buf, GeometryOf(row), CombinatorialFile(row));
        const std::uint32_t array = kGalRows[static_cast<std::size_t>(row)].arrayFuses();
        ExpectSecuredPartHidesTheArrayUntilErased(rig, CombinatorialFile(row), kGalTexts, {0, array},
                                                  {array + 8, array + 8 + 64});
    }
}

TEST(GalVirtualBox, EmptySocketPassesBlankAndFailsAutoAtVerifyAndAutoStopsAtBlank) {
    GalSim empty(3);
    ExpectEmptySocketPassesBlankButFailsAuto(empty, 2048, kGalTexts, GeometryOf(3), "gal16v8_comb.jed");
    GalSim used(3);
    ExpectAutoStopsAtBlankUnlessErased(used, GeometryOf(3), "gal16v8_comb.jed");
}

} // namespace
} // namespace quarvin::test
