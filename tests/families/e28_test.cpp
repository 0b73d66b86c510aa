// The 28C EEPROM family: page alignment of the fields, the page size on the
// wire, the 28-pin encoding; software data protection, the slow write cycle and
// the command writes that a real part's 150 us load window does not accept.
// (golden_wire_test.cpp: the wire streams.)
#include <gtest/gtest.h>

#include <random>

#include "FamilyRig.h"
#include "families/eeprom28c/E28Dialog.h"
#include "forms/HexText.h"
#include "sim/families/eeprom28c/E28Chip.h"

namespace quarvin::test {
namespace {

using E28Wire = WireRig<E28Dialog>;
using E28Sim = SimRig<E28Dialog, sim::E28Chip>;

constexpr int kRow256 = 1, kRow512 = 3, kRow040 = 6, kRow64B = 8;

std::size_t Find(const std::vector<std::uint8_t>& whole, const std::vector<std::uint8_t>& part, std::size_t from = 0) {
    const auto at = std::search(whole.begin() + static_cast<long>(std::min(from, whole.size())), whole.end(),
                                part.begin(), part.end());
    return at == whole.end() ? std::string::npos : static_cast<std::size_t>(at - whole.begin());
}

TEST(E28, FieldsAlignToPagesAndThePageSizeGoesOutAsOneByte) {
    E28Wire rig(kRow256);
    rig.fields("1234", "1234", "100");
    EXPECT_EQ(rig.dlg.control("Edit1").text(), "1200");
    EXPECT_EQ(rig.dlg.control("Edit2").text(), "1200");
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "13f");
    EXPECT_EQ(rig.dlg.fields().deviceStart, 0x1200u);
    // Activating the dialog aligns "Length" again, also a value typed without
    // leaving the field; the start fields keep their alignment.
    rig.dlg.control("Edit3").setText("200");
    rig.dlg.activate();
    EXPECT_EQ(rig.dlg.control("Edit3").text(), "23f");
    EXPECT_EQ(rig.dlg.fields().length, 0x23Fu);
    EXPECT_EQ(rig.dlg.control("Edit2").text(), "1200");

    struct Case {
        int row;
        std::uint8_t sent;
    } cases[] = {{kRow256, 64}, {kRow512, 128}, {kRow040, 0}};
    for (const auto& c : cases) {
        E28Wire w(c.row);
        w.field("Edit3", "0");
        w.log->defaultReply = 0x5A; // the read-back fails at once
        w.dlg.click("Write");
        EXPECT_NE(Find(w.log->written, {131, c.sent, 132, 1}), std::string::npos) << c.row;
        EXPECT_EQ(w.dlg.failure(), 1);
    }
}

TEST(E28, TwentyEightPinEncodingPutsA14OnPins7And38AndIdlesPins26And33High) {
    EXPECT_EQ(EncodeE28Address(0x4000, true), (std::array<std::uint8_t, 5>{0x5F, 0x00, 0x00, 0x81, 0x12}));
    EXPECT_EQ(EncodeE28Address(0x0000 | kE28Rows[kRow64B].highAddressMask(), true),
              (std::array<std::uint8_t, 5>{0x5F, 0x00, 0x00, 0xC1, 0x12}));
    EXPECT_EQ(EncodeE28Address(0x4000, false), (std::array<std::uint8_t, 5>{0x0F, 0x00, 0x00, 0x81, 0x02}));
}

TEST(E28, DataProtectionSlowWritesAndCommandWritesAsARealPartTakesThem) {
    // Protect and Unprot keep page 0; their command writes, a pin step apart,
    // are separate writes to the chip, so the protection does not change.
    E28Sim rig(kRow256);
    for (std::uint32_t i = 0; i < 64; ++i) rig.chip->memory()[i] = static_cast<std::uint8_t>(i);
    rig.chip->setDataProtection(true);
    rig.dlg.click("Unprotect");
    EXPECT_EQ(rig.msg(), "OK!");
    EXPECT_TRUE(rig.chip->dataProtection());
    for (std::uint32_t i = 0; i < 64; ++i) EXPECT_EQ(rig.chip->memory()[i], i);
    rig.dlg.click("Protect");
    EXPECT_EQ(rig.msg(), "OK!");
    EXPECT_EQ(rig.chip->memory()[0x5555], 0xFF); // protected: the stray loads were ignored

    // The chip erase command does not reach the chip through pin-step writes
    // (with protection off they land as plain bytes at 2AAA and 5555): Erase
    // then writes FF to every page with the protected page write, which leaves
    // the protection on, and checks again. A cell stuck at 0 stays and fails.
    struct EraseCase {
        bool protectedBefore;
        std::uint32_t stuckAt; // 0: none
        const char* message;
    } erases[] = {{true, 0, "OK"}, {false, 0, "OK"}, {false, 0x4567, "Erase failed: 004567 not blank"}};
    for (const EraseCase& c : erases) {
        SCOPED_TRACE(c.message);
        E28Sim used(kRow256);
        used.chip->setDataProtection(c.protectedBefore);
        for (std::uint32_t a : {0x0u, 0x1234u, 0x7FFFu}) used.chip->memory()[a] = 0x12;
        if (c.stuckAt) used.chip->faults().stuck.push_back({c.stuckAt, c.stuckAt, 0x01, 0x00});
        used.dlg.click("Erase");
        EXPECT_EQ(used.msg(), c.message);
        EXPECT_EQ(used.dlg.failure(), c.stuckAt != 0);
        if (c.stuckAt) continue;
        const auto& m = used.chip->memory();
        EXPECT_EQ(std::find_if(m.begin(), m.end(), [](std::uint8_t v) { return v != 0xFF; }), m.end());
        EXPECT_TRUE(used.chip->dataProtection());
    }
    // Stop is polled for every page of that write: page 0 was checked once before.
    E28Sim stopped(kRow256);
    stopped.chip->memory()[0] = 0x00;
    stopped.fp.stop.stopAfterPolls = 4;
    stopped.dlg.click("Erase");
    EXPECT_EQ(stopped.msg(), "Stopped at 000080");
    EXPECT_EQ(stopped.dlg.failure(), 1);

    // A slow chip: the "1 time" wait reads the page back mid-cycle, "3 times" does not.
    E28Sim slow(kRow256);
    slow.chip->faults().eraseTimeFactor = 3;
    slow.field("Edit3", "3f");
    for (std::uint32_t i = 0; i < 64; ++i) slow.docs.buf[i] = static_cast<std::uint8_t>(0x80 + i);
    slow.dlg.click("Write");
    EXPECT_EQ(slow.msg(), "Programe Failured! at 000000");
    slow.dlg.control("Speed").setItemIndex(2);
    slow.dlg.click("Write");
    EXPECT_EQ(slow.msg(), "OK!");
}

TEST(E28, NoCodesAndTheStartText) {
    E28Sim rig(kRow256);
    LinkState& l = rig.link;
    const DetectedCodes codes = DetectCodes(l, 34);
    EXPECT_EQ(codes.maker, 0xFF);
    EXPECT_EQ(codes.device, 0xFF);

    DialogRig<E28Dialog> off(kRow256);
    off.dlg.Start();
    EXPECT_EQ(off.msg(), "No connected");
}

} // namespace
} // namespace quarvin::test
