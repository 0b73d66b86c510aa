#pragma once
// The dialog checks the two logic device families (GAL16V8/20V8 and 22V10) share:
// the same buttons, the same fuse map window and the same edit-mode parts on the
// virtual box, differing in their texts and fuse counts.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "PldTestFiles.h"
#include "buffer/formats/Jedec.h"

namespace quarvin::test {

// A JEDEC test file into the fuse map, its checksum right.
inline void LoadJedec(MainBuffer& buf, formats::FuseGeometry geometry, const std::string& file) {
    const auto r = formats::readJedecFile(buf, geometry, PldFile(file));
    ASSERT_TRUE(r.opened);
    ASSERT_FALSE(r.checksumMismatch()) << file;
}

inline bool AllOnes(const MainBuffer& buf, std::uint32_t from, std::uint32_t to) {
    return std::all_of(buf.data() + from, buf.data() + to, [](std::uint8_t f) { return f == '1'; });
}

// A row without a part refuses every button with "Bad!" and sends nothing.
template <class Dialog>
void ExpectRowRefusesEveryButton(int row, const std::vector<const char*>& buttons) {
    WireRig<Dialog> rig(row);
    for (const char* button : buttons) {
        rig.dlg.control("Msg").setText("");
        rig.dlg.click(button);
        EXPECT_EQ(rig.dlg.control("Msg").text(), "Bad!") << button;
        EXPECT_TRUE(rig.dlg.failure()) << button;
    }
    EXPECT_TRUE(rig.log->written.empty());
}

// Programme and Auto without a fuse map window ask for a JEDEC file and send nothing.
template <class Dialog>
void ExpectProgrammeAndAutoNeedAFuseMap(int row) {
    WireRig<Dialog> rig(row);
    rig.docs.pld = false;
    rig.dlg.click("Write");
    rig.dlg.click("Button1");
    EXPECT_EQ(rig.fp.prompts.texts(), (std::vector<std::string>{"Must be JECET format <*.JED>", "No any file opened!"}));
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_TRUE(rig.log->written.empty());
}

template <class Rig>
std::string PldMessage(Rig& rig) {
    return rig.dlg.control("Msg").text();
}

// What a family's dialog says where the two differ.
struct PldTexts {
    const char* secured;   // Secrity done
    const char* verifyBad; // Verify of a part that does not hold the map
};

// Fuses by their numbers in the map: [from, to).
struct FuseSpan {
    std::uint32_t from, to;
};

// The file programmed and secured: Verify fails, Read gives ones over the
// `hidden` fuses and the file's over the `kept` ones, and Erase makes the part
// blank again.
template <class Rig>
void ExpectSecuredPartHidesTheArrayUntilErased(Rig& rig, const std::string& file, const PldTexts& t, FuseSpan hidden,
                                               FuseSpan kept) {
    const ParsedJedec expected = ParseJedecText(ReadText(PldFile(file)));
    rig.dlg.click("Write");
    rig.dlg.click("Secrity");
    EXPECT_EQ(PldMessage(rig), t.secured);
    EXPECT_FALSE(rig.dlg.failure());
    EXPECT_TRUE(rig.chip->secured());
    rig.dlg.click("Verify");
    EXPECT_EQ(PldMessage(rig), t.verifyBad);
    EXPECT_TRUE(rig.dlg.failure());

    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.click("Read1");
    EXPECT_TRUE(AllOnes(rig.docs.buf, hidden.from, hidden.to));
    for (std::uint32_t n = kept.from; n < kept.to; ++n) EXPECT_EQ(rig.docs.buf[n], '0' + expected.fuses[n]) << n;

    rig.dlg.click("Erase");
    EXPECT_FALSE(rig.chip->secured());
    rig.dlg.click("Blank");
    EXPECT_EQ(PldMessage(rig), "OK");
}

// An empty socket reads as ones over the part's `fuses`, passes Blank, and Auto
// with the file in the map fails at its Verify.
template <class Rig>
void ExpectEmptySocketPassesBlankButFailsAuto(Rig& rig, std::uint32_t fuses, const PldTexts& t,
                                              formats::FuseGeometry geometry, const std::string& file) {
    rig.chip->faults().missing = true;
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 6000, '0');
    rig.dlg.click("Read1");
    EXPECT_TRUE(AllOnes(rig.docs.buf, 0, fuses));
    rig.dlg.click("Blank");
    EXPECT_EQ(PldMessage(rig), "OK");
    LoadJedec(rig.docs.buf, geometry, file);
    rig.dlg.click("Button1");
    EXPECT_EQ(PldMessage(rig), t.verifyBad);
    EXPECT_TRUE(rig.dlg.failure());
}

// Auto (Blank, Programe, Verify) on a used part stops at Blank before anything is
// programmed; with Erase ticked it runs through.
template <class Rig>
void ExpectAutoStopsAtBlankUnlessErased(Rig& rig, formats::FuseGeometry geometry, const std::string& file) {
    LoadJedec(rig.docs.buf, geometry, file);
    rig.chip->memory()[5] = 0;
    const auto changes = rig.chip->changes();
    rig.dlg.click("Button1");
    EXPECT_EQ(PldMessage(rig), "Not blank!");
    EXPECT_TRUE(rig.dlg.failure());
    EXPECT_EQ(rig.chip->changes(), changes);

    rig.dlg.control("CheckBox1").setChecked(true);
    rig.dlg.click("Button1");
    EXPECT_EQ(PldMessage(rig), "OK");
    EXPECT_FALSE(rig.dlg.failure());
}

} // namespace quarvin::test
