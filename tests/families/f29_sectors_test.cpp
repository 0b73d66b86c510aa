// The 29F chip models' sector layouts, checked against the data sheets' sector
// address tables through the virtual box: a sector erase clears exactly the
// sector that holds its address, and a protection keeps the whole sector it
// touches from programs and erases.
#include <gtest/gtest.h>

#include <algorithm>

#include "F29Bus.h"
#include "sim/Box.h"
#include "sim/SimFamily.h"
#include "sim/VirtualBoxTransport.h"
#include "sim/families/flash29f/F29Chip.h"

namespace quarvin::test {
namespace {

constexpr int kRow010 = 3, kRow040 = 5, kRow002T = 8, kRow002B = 9;

// One part on the virtual box, powered for command writes, every cell 0x00.
struct PartOnBox {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<sim::Chip> chip;
    LinkState link;
    const F29Row& row;

    PartOnBox(const char* part, int rowIndex) : row(kF29Rows[static_cast<std::size_t>(rowIndex)]) {
        chip = sim::FindOffer(part)->make();
        std::fill(chip->memory().begin(), chip->memory().end(), 0x00);
        box->insert(chip);
        link.connected = 1;
        link.port = std::make_unique<sim::VirtualBoxTransport>(box);
        ResetSocket(link);
        F29PowerForWrites(link);
    }
    void unlockedCommand(std::uint32_t a, std::uint8_t d) {
        F29CommandWrites(link, row, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {a, d}});
    }
    void eraseCommand(std::uint32_t a, std::uint8_t d) {
        unlockedCommand(0x5555, 0x80);
        F29CommandWrites(link, row, {{0x5555, 0xAA}, {0x2AAA, 0x55}, {a, d}});
        for (int i = 0; i < 12; ++i) Delay(link, 1000); // about 1.1 s: past the erase time
    }
    std::uint8_t at(std::uint32_t a) const { return chip->memory()[a]; }
};

struct SectorCase {
    const char* part;
    int row;
    std::uint32_t address, first, last; // the data sheet's sector holding address
};

// From the sector address tables: eight 16 KiB sectors (Am29F010B), eight 64 KiB
// sectors (29F040B), 4 KiB sectors (SST39SF), and the boot-block layouts of the
// Am29F002BT (64, 64, 64, 32, 8, 8, 16 KiB) and Am29F002BB (16, 8, 8, 32, 64, 64, 64).
const SectorCase kSectors[] = {
    {"Am29F010B", kRow010, 0x05000, 0x04000, 0x07FFF},  {"Am29F010B", kRow010, 0x1FFFF, 0x1C000, 0x1FFFF},
    {"Am29F040B", kRow040, 0x12345, 0x10000, 0x1FFFF},  {"M29F040B", kRow040, 0x70000, 0x70000, 0x7FFFF},
    {"SST39SF040", kRow040, 0x12345, 0x12000, 0x12FFF}, {"SST39SF010A", kRow010, 0x00FFF, 0x00000, 0x00FFF},
    {"Am29F002BT", kRow002T, 0x2ABCD, 0x20000, 0x2FFFF}, {"Am29F002BT", kRow002T, 0x30000, 0x30000, 0x37FFF},
    {"Am29F002BT", kRow002T, 0x39FFF, 0x38000, 0x39FFF}, {"Am29F002BT", kRow002T, 0x3A000, 0x3A000, 0x3BFFF},
    {"Am29F002BT", kRow002T, 0x3C000, 0x3C000, 0x3FFFF}, {"Am29F002BB", kRow002B, 0x00000, 0x00000, 0x03FFF},
    {"Am29F002BB", kRow002B, 0x04000, 0x04000, 0x05FFF}, {"Am29F002BB", kRow002B, 0x07FFF, 0x06000, 0x07FFF},
    {"Am29F002BB", kRow002B, 0x08000, 0x08000, 0x0FFFF}, {"Am29F002BB", kRow002B, 0x3FFFF, 0x30000, 0x3FFFF},
};

std::ptrdiff_t SectorBytes(const SectorCase& c) { return static_cast<std::ptrdiff_t>(c.last - c.first + 1); }

TEST(F29Sectors, ASectorEraseClearsExactlyTheDataSheetsSector) {
    for (const SectorCase& c : kSectors) {
        SCOPED_TRACE(::testing::Message() << c.part << " at " << std::hex << c.address);
        PartOnBox p(c.part, c.row);
        const std::uint32_t top = static_cast<std::uint32_t>(p.chip->memory().size() - 1);
        p.eraseCommand(c.address, 0x30);
        EXPECT_EQ(p.at(c.first), 0xFF);
        EXPECT_EQ(p.at(c.last), 0xFF);
        EXPECT_EQ(std::count(p.chip->memory().begin(), p.chip->memory().end(), 0xFF), SectorBytes(c));
        if (c.first > 0) {
            EXPECT_EQ(p.at(c.first - 1), 0x00);
        }
        if (c.last < top) {
            EXPECT_EQ(p.at(c.last + 1), 0x00);
        }
    }
}

TEST(F29Sectors, ProtectingOneByteKeepsItsWholeSectorFromProgramsAndErases) {
    for (const SectorCase& c : kSectors) {
        SCOPED_TRACE(::testing::Message() << c.part << " at " << std::hex << c.address);
        PartOnBox p(c.part, c.row);
        p.chip->faults().protect.push_back({c.address, c.address});
        const std::uint32_t top = static_cast<std::uint32_t>(p.chip->memory().size() - 1);
        p.eraseCommand(0x5555, 0x10); // chip erase
        EXPECT_EQ(p.at(c.first), 0x00);
        EXPECT_EQ(p.at(c.last), 0x00);
        EXPECT_EQ(std::count(p.chip->memory().begin(), p.chip->memory().end(), 0x00), SectorBytes(c));
        // A program inside the sector is ignored; just outside it works.
        p.chip->memory()[c.first] = p.chip->memory()[c.last] = 0xFF;
        const std::uint32_t outside = c.last < top ? c.last + 1 : c.first - 1;
        for (std::uint32_t a : {c.first, c.last, outside}) {
            p.unlockedCommand(0x5555, 0xA0);
            WriteF29Command(p.link, p.row, a, 0x5A);
            Delay(p.link, 1);
        }
        EXPECT_EQ(p.at(c.first), 0xFF);
        EXPECT_EQ(p.at(c.last), 0xFF);
        EXPECT_EQ(p.at(outside), 0x5A);
    }
}

} // namespace
} // namespace quarvin::test
