// "Only changed pages" of the serial EEPROMs: Program reads the part, writes
// the pages that differ and nothing else (counted on the wire by the write
// cycle's wait that follows every location written), verifies the whole part
// and ends with the part equal to the buffer. Off by default.
#include <gtest/gtest.h>

#include "FamilyRig.h"
#include "WireDecode.h"
#include "families/framework/ChangedPages.h"
#include "families/i2c_eeprom/I2cBus.h"
#include "families/i2c_eeprom/I2cDialog.h"
#include "families/microwire_eeprom/MicrowireBus.h"
#include "families/microwire_eeprom/MicrowireDialog.h"
#include "forms/HexText.h"
#include "support/TappedTransport.h"

namespace quarvin::test {
namespace {

// Locations written: runs of exactly the write cycle's wait in delay ticks.
int WritesOnTheWire(const std::vector<std::uint8_t>& bytes, int waitTicks) {
    int writes = 0, run = 0;
    for (const WireCommand& c : Decode(bytes)) {
        if (c.opcode == op::DelayTick) {
            ++run;
            continue;
        }
        writes += run == waitTicks;
        run = 0;
    }
    return writes + (run == waitTicks);
}

struct Case {
    std::uint32_t bytes;         // of the part
    std::uint32_t pageBytes;     // of a page in the buffer
    std::uint32_t bytesPerWrite; // one location
    int waitTicks;               // after each location written, at the default "Pro time"
};

template <class Dialog>
void ChangedOnlyWritesOnlyTheDifferingPages(int subType, const Case& c) {
    SCOPED_TRACE(std::string(Dialog::kFormClass) + " row " + std::to_string(subType));
    SimRig<Dialog> rig(subType);
    EXPECT_FALSE(rig.dlg.control("CheckBoxChanged").checked());
    const std::vector<std::uint8_t> first = RandomImage(c.bytes, 7);
    rig.load(first);
    rig.dlg.click("Write");
    ASSERT_EQ(rig.chip->memory(), first);

    // Two pages change: a byte of the first and the last byte of the part.
    std::vector<std::uint8_t> second = first;
    second[3] ^= 0x5A;
    second[c.bytes - 1] ^= 0xA5;
    rig.load(second);
    auto tap = std::make_shared<Tap>();
    rig.link.port = std::make_unique<TappedTransport>(std::make_unique<sim::VirtualBoxTransport>(rig.box), tap);
    rig.dlg.userSetChecked("CheckBoxChanged", true);
    rig.dlg.click("Write");

    const std::uint32_t pages = c.bytes / c.pageBytes;
    EXPECT_EQ(rig.dlg.control("Msg").text(),
              Format("Verify OK changed only: 2 of %u pages of %u bytes written, %u skipped", pages, c.pageBytes,
                     pages - 2));
    EXPECT_EQ(WritesOnTheWire(tap->bytes, c.waitTicks), static_cast<int>(2 * c.pageBytes / c.bytesPerWrite));
    EXPECT_EQ(rig.chip->memory(), second);

    // Nothing differs any more: nothing is written, the part is still verified.
    tap->bytes.clear();
    rig.dlg.click("Write");
    EXPECT_EQ(WritesOnTheWire(tap->bytes, c.waitTicks), 0);
    EXPECT_EQ(rig.dlg.control("Msg").text(),
              Format("Verify OK changed only: 0 of %u pages of %u bytes written, %u skipped", pages, c.pageBytes, pages));
}

// The 24C02, and the 93C46 organised in bytes and in words.
TEST(ChangedOnly, I2cAndMicrowireWriteOnlyTheDifferingPages) {
    ChangedOnlyWritesOnlyTheDifferingPages<I2cDialog>(2, {256, kI2cChangedPageBytes, 1, i2c::kTicksPerWaitMillisecond * 5});
    const int wait = microwire::kTicksPerWaitUnit * 5;
    ChangedOnlyWritesOnlyTheDifferingPages<MicrowireDialog>(1, {128, kMicrowireChangedPageLocations, 1, wait});
    ChangedOnlyWritesOnlyTheDifferingPages<MicrowireDialog>(4, {128, 2 * kMicrowireChangedPageLocations, 2, wait});
}

TEST(ChangedOnly, PagesAndTheirRuns) {
    std::vector<std::uint8_t> chip(100, 0), wanted(100, 0);
    wanted[5] = wanted[20] = wanted[99] = 1; // pages 0, 1 and the short last page 6
    const ChangedPages changed(chip.data(), wanted.data(), 100, 16);
    EXPECT_EQ(changed.pages(), 7u);
    EXPECT_EQ(changed.written(), 3u);
    EXPECT_EQ(changed.skipped(), 4u);
    EXPECT_TRUE(changed.differs(31));
    EXPECT_FALSE(changed.differs(32));
    EXPECT_EQ(changed.runs(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{0, 32}, {96, 100}}));
    bool on = false;
    EXPECT_EQ(SetChangedOnly("yes", on), "changed-only takes on or off, not yes");
    EXPECT_EQ(SetChangedOnly("on", on), "");
    EXPECT_TRUE(on);
}

} // namespace
} // namespace quarvin::test
