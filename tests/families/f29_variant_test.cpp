// The flash families that run the 29F operations on parts of their own (AT49F,
// MX29F; golden_wire_test.cpp: their wire streams): each family's chip erase against its data
// sheet's longest erase time, Blank on an empty socket, and the MX29F040's
// sector protection.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "GoldenRig.h"
#include "families/flash29f/F29ToggleErase.h"
#include "families/flash49f/At49Family.h"
#include "families/mx29f/Mx29fFamily.h"
#include "sim/families/flash29f/F29Chip.h"
#include "sim/families/flash49f/At49Chip.h"
#include "sim/ChipFaultText.h"

namespace quarvin::test {
namespace {

constexpr int kRow = 1;

struct EraseWait {
    std::uint32_t limitMs;
    bool blank;
};

// A cell programmed, then the chip erase with the toggle bit polled for limitMs.
template <class Dialog, class Part>
void CheckEraseWait(const F29Variant& variant, const EraseWait& c) {
    SCOPED_TRACE(std::string(variant.familyName) + " " + std::to_string(c.limitMs));
    SimRig<Dialog, Part> rig(kRow);
    rig.chip->memory()[0x54321] = 0x00;
    AddressFields fields;
    fields.length = 0x7FFFF;
    const OperationHooks hooks;
    const OperationResult r =
        EraseF29ByToggleBit(F29Job{rig.link, variant.rows[kRow], rig.docs.buf, fields, hooks}, c.limitMs);
    EXPECT_EQ(r.ok(), c.blank) << r.message;
    EXPECT_EQ(rig.chip->memory()[0x54321] == 0xFF, c.blank);
}

// The toggle bit is polled for the data sheet's longest chip erase (AT49F040
// tEC 10 s, MX29F040 tAETC 32 s); a wait cut below the part's erase time
// powers it down mid-erase and the blank check fails.
TEST(F29Variant, AnEraseWaitBelowThePartsEraseTimeFails) {
    for (const EraseWait& c : {EraseWait{kAt49fChipEraseMilliseconds, true}, EraseWait{2'000, false}})
        CheckEraseWait<At49Dialog, sim::At49Chip>(kAt49fVariant, c);
    for (const EraseWait& c : {EraseWait{kMx29fChipEraseMilliseconds, true}, EraseWait{20'000, false}})
        CheckEraseWait<Mx29fDialog, sim::F29Chip>(kMx29fVariant, c);
}

template <class Dialog>
std::string BlankOnAnEmptySocket() {
    TappedRig<Dialog> empty(kRow);
    empty.connect(std::make_unique<TappedVirtualBox>(empty.box, empty.tap));
    empty.dlg.Start();
    empty.fieldsOf("0 0 7ff");
    empty.dlg.click("Blank");
    return empty.msg();
}

// The pull-ups read FF everywhere, as a blank part does: only the codes tell.
TEST(F29Variant, BlankOnAnEmptySocketSaysThatNoChipAnswered) {
    EXPECT_EQ(BlankOnAnEmptySocket<At49Dialog>(), "Blank check failed: no chip answered, ID ff,ff");
    EXPECT_EQ(BlankOnAnEmptySocket<Mx29fDialog>(), "Blank check failed: no chip answered, ID ff,ff");
}

// A protected 64 KiB sector (MX29F040 "Sector Protection") takes neither
// programs nor the chip erase; the other sectors still do.
TEST(Mx29f, AProtectedSectorKeepsItsDataThroughProgrameAndErase) {
    SimRig<Mx29fDialog, sim::F29Chip> rig(kRow);
    ASSERT_EQ(sim::AddChipFault(rig.chip->faults(), "protect:10000:10000"), "");
    rig.chip->memory()[0x10010] = 0x12;
    for (std::uint32_t i = 0; i < 0x40; ++i) rig.docs.buf[i] = static_cast<std::uint8_t>(0x80 + i);
    const struct {
        const char* deviceStart;
        const char* message;
    } writes[] = {{"fff0", "Programe Failured! at 010000"}, {"20000", "OK!"}};
    for (const auto& w : writes) {
        SCOPED_TRACE(w.deviceStart);
        rig.fields("0", w.deviceStart, "3f");
        rig.dlg.click("Write");
        EXPECT_EQ(rig.msg(), w.message);
    }
    EXPECT_EQ(rig.chip->memory()[0xFFF0], 0x80);
    EXPECT_EQ(rig.chip->memory()[0x10000], 0xFF);
    EXPECT_EQ(rig.chip->memory()[0x20000], 0x80);

    rig.fields("0", "0", "7ffff");
    rig.dlg.click("Erase");
    EXPECT_EQ(rig.msg(), "010010: Not blank!");
    EXPECT_EQ(rig.chip->memory()[0x10010], 0x12);
    EXPECT_EQ(rig.chip->memory()[0x20000], 0xFF);
}

} // namespace
} // namespace quarvin::test
