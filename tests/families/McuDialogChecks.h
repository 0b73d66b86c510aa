#pragma once
// The dialog checks the 8051 flash families (AT89C5x, AT89S5x, AT89C2051) share on
// the virtual box: the same buttons and lock bits, differing in their texts.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "forms/HexText.h"

namespace quarvin::test {

template <class Rig>
std::string McuMessage(Rig& rig) {
    return rig.dlg.control("Msg").text();
}

// What Blank and Erase say where the families differ.
struct McuBlankTexts {
    const char* blank;
    const char* notBlank;
    const char* erased;
};

// Blank passes a blank part and fails at a used cell, which it shows; Erase makes
// the part blank again.
template <class Rig>
void ExpectBlankFindsAUsedCellUntilErased(Rig& rig, std::uint32_t cell, const McuBlankTexts& t) {
    rig.dlg.click("Blank");
    EXPECT_EQ(McuMessage(rig), t.blank);
    rig.chip->memory()[cell] = 0x7F;
    rig.dlg.click("Blank");
    EXPECT_EQ(McuMessage(rig), t.notBlank);
    EXPECT_EQ(rig.dlg.failureFlag(), 1);
    EXPECT_EQ(rig.dlg.control("Edit6").text(), Format("%04x", cell));
    rig.dlg.click("Erase");
    EXPECT_EQ(McuMessage(rig), t.erased);
    rig.dlg.click("Blank");
    EXPECT_EQ(McuMessage(rig), t.blank);
}

// Each Protect mode item sets its lock bits: 1 alone stops programming, 2 and 3
// also hide the code (every read gives 0xFF); Erase clears them. `bytes`: the
// row's code size.
template <class Rig>
void ExpectProtectModesLockTheCodeUntilErased(int row, std::uint32_t bytes) {
    const std::uint8_t lockBitsOf[] = {0x01, 0x03, 0x07};
    for (int item = 0; item < 3; ++item) {
        SCOPED_TRACE(item);
        Rig rig(row);
        FillRandomBytes(rig.docs.buf, bytes, 11);
        rig.docs.buf[0] = 0x5A;
        rig.dlg.click("Write");
        rig.dlg.control("RadioGroup1").setItemIndex(item);
        rig.dlg.click("Secrity");
        EXPECT_EQ(McuMessage(rig), "Protect OK!");
        EXPECT_EQ(rig.chip->lockBits(), lockBitsOf[item]);
        rig.dlg.click("Verify");
        if (item > 0) {
            EXPECT_EQ(McuMessage(rig), "0000:Error!(File=5a,Chip=ff)");
            EXPECT_EQ(rig.dlg.failureFlag(), 1);
        } else {
            EXPECT_EQ(McuMessage(rig), "OK!");
            std::fill(rig.docs.buf.data(), rig.docs.buf.data() + bytes, 0xFF);
            rig.docs.buf[0] = 0x00;
            rig.dlg.click("Write");
            rig.dlg.click("Verify");
            EXPECT_EQ(McuMessage(rig), "0000:Error!(File=00,Chip=5a)");
        }
        rig.dlg.click("Erase");
        EXPECT_EQ(rig.chip->lockBits(), 0);
        rig.dlg.click("Blank");
        EXPECT_EQ(McuMessage(rig), "OK!");
    }
}

// A signature question before Programe: the one asked (nullptr: none) with the
// answer given, and whether `part` then holds the buffer's byte at 0x40.
template <class Rig>
void ExpectSignatureQuestion(Rig& rig, const sim::Chip& part, bool answer, const char* question, bool programs) {
    rig.fp.prompts.answers = {answer};
    std::fill(rig.docs.buf.data(), rig.docs.buf.data() + 0x2000, 0xFF);
    rig.docs.buf[0x40] = 0x3C;
    rig.dlg.click("Write");
    EXPECT_EQ(rig.fp.prompts.texts(), question ? std::vector<std::string>{question} : std::vector<std::string>{});
    EXPECT_EQ(part.memory()[0x40], programs ? 0x3C : 0xFF);
    EXPECT_EQ(rig.dlg.failureFlag(), programs ? 0 : 1);
}

} // namespace quarvin::test
