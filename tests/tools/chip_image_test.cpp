// Chip images and chip faults by name, as quarvin-cli and quarvin-sim use them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "families/PldTestFiles.h"
#include "forms/HexText.h"
#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"
#include "sim/SimFamily.h"
#include "sim/families/gal/GalChip.h"
#include "support/ScratchDir.h"

namespace quarvin::sim::test {
namespace {

namespace fs = std::filesystem;

// A part with cells and two bytes of lock state; lock bytes must be two.
class LockedPart : public Chip {
public:
    explicit LockedPart(std::string label, std::size_t cells = 16) : label_(std::move(label)), cells_(cells, 0xFF) {}
    int pinCount() const override { return 28; }
    ChipDrive update(const ChipView&) override { return {}; }
    std::string label() const override { return label_; }
    std::vector<std::uint8_t>& memory() override { return cells_; }
    std::vector<std::uint8_t> extraState() const override { return lock; }
    bool loadExtraState(const std::vector<std::uint8_t>& state) override {
        if (state.size() != 2) return false;
        lock = state;
        return true;
    }
    std::vector<std::uint8_t> lock{0, 0};

private:
    std::string label_;
    std::vector<std::uint8_t> cells_;
};

class ChipImageTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (dir / name).string(); }
    quarvin::test::ScratchDir scratch{"quarvin_chip_image"};
    fs::path dir = scratch.path();
};

TEST_F(ChipImageTest, RoundTripAndRefusals) {
    LockedPart programmed("part");
    programmed.memory()[3] = 0x42;
    programmed.lock = {1, 2};
    ASSERT_EQ(SaveChipImage(programmed, path("good.img")), "");
    const std::string good = (std::ostringstream() << std::ifstream(path("good.img"), std::ios::binary).rdbuf()).str();
    std::ofstream(path("short.img"), std::ios::binary) << good.substr(0, good.size() - 1);
    std::ofstream(path("text.img")) << "hello\n";
    LockedPart other("other part");
    ASSERT_EQ(SaveChipImage(other, path("other.img")), "");
    LockedPart bigger("part", 32);
    ASSERT_EQ(SaveChipImage(bigger, path("bigger.img")), "");

    struct Case { const char* file; ImageLoad status; const char* errorPart; };
    const Case cases[] = {
        {"good.img", ImageLoad::Loaded, ""},
        {"absent.img", ImageLoad::NoFile, ""},
        {"short.img", ImageLoad::Refused, "cut short"},
        {"text.img", ImageLoad::Refused, "is not a chip image"},
        {"other.img", ImageLoad::Refused, "holds a other part (16 bytes), not a part (16 bytes)"},
        {"bigger.img", ImageLoad::Refused, "holds a part (32 bytes), not a part (16 bytes)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        LockedPart chip("part");
        const std::uint64_t before = chip.changes();
        const ChipImageLoad loaded = LoadChipImage(chip, path(c.file));
        EXPECT_EQ(loaded.status, c.status);
        EXPECT_NE(loaded.error.find(c.errorPart), std::string::npos) << loaded.error;
        const bool took = c.status == ImageLoad::Loaded;
        EXPECT_EQ(chip.memory()[3], took ? 0x42 : 0xFF);
        EXPECT_EQ(chip.lock, (took ? std::vector<std::uint8_t>{1, 2} : std::vector<std::uint8_t>{0, 0}));
        EXPECT_EQ(chip.changes(), before + (took ? 1 : 0));
    }
}

// A logic device's image is a JEDEC file of every fuse (architecture and
// signature included) that a plain JEDEC parser reads, with G1 when secured.
TEST_F(ChipImageTest, LogicDeviceImagesAreJedecFilesOfEveryFuse) {
    for (const char* label : {"GAL16V8B", "GAL20V8", "GAL22V10"}) {
        SCOPED_TRACE(label);
        auto chip = std::dynamic_pointer_cast<EditModeChip>(FindOffer(label)->make());
        ASSERT_NE(chip, nullptr);
        auto& fuses = chip->memory();
        for (std::size_t n = 0; n < fuses.size(); ++n) fuses[n] = (n * 7 + n / 5) % 3 == 0 ? 0 : 1;
        chip->restoreSecurity(true);
        ASSERT_EQ(SaveChipImage(*chip, path("pld.img")), "");

        const std::string text = quarvin::test::ReadText(path("pld.img"));
        EXPECT_EQ(text.front(), '\x02');
        EXPECT_NE(text.find(std::string("*\nN PART ") + label + "*"), std::string::npos);
        EXPECT_NE(text.find("*\nG1*"), std::string::npos);
        const quarvin::test::ParsedJedec parsed = quarvin::test::ParseJedecText(text);
        ASSERT_EQ(parsed.fuses.size(), fuses.size());
        EXPECT_TRUE(std::equal(fuses.begin(), fuses.end(), parsed.fuses.begin()));
        EXPECT_EQ(parsed.checksum, quarvin::test::StandardFuseChecksum(parsed.fuses));
        // The transmission checksum: every character from STX to ETX.
        const auto etx = text.find('\x03');
        unsigned sum = 0;
        for (std::size_t i = 0; i <= etx; ++i) sum += static_cast<unsigned char>(text[i]);
        EXPECT_EQ(text.substr(etx + 1, 4), quarvin::Format("%04X", sum & 0xFFFF));

        auto again = std::dynamic_pointer_cast<EditModeChip>(FindOffer(label)->make());
        ASSERT_EQ(LoadChipImage(*again, path("pld.img")).status, ImageLoad::Loaded);
        EXPECT_TRUE(again->secured());
    }
}

TEST_F(ChipImageTest, ALogicDeviceRefusesAnotherPartsOrADamagedImageAndStaysAsItWas) {
    auto save = [&](const char* label, const char* file) {
        auto chip = FindOffer(label)->make();
        chip->memory()[3] = 0;
        ASSERT_EQ(SaveChipImage(*chip, path(file)), "");
    };
    save("GAL22V10", "22v10.img");
    save("GAL16V8", "16v8.img");
    save("GAL16V8B", "good.img");
    const std::string good = quarvin::test::ReadText(path("good.img"));
    std::string flipped = good;
    flipped[flipped.find("L0000 \n") + 7] = '0'; // fuse 1
    std::ofstream(path("flipped.img"), std::ios::binary) << flipped;
    std::ofstream(path("cut.img"), std::ios::binary) << good.substr(0, good.find("*\nC"));
    std::ofstream(path("design.img"), std::ios::binary) << quarvin::test::ReadText(quarvin::test::PldFile("gal16v8_comb.jed"));
    std::string beyond = good;
    beyond.insert(beyond.find("*\nC") + 1, "\nL2194 0");
    std::ofstream(path("beyond.img"), std::ios::binary) << beyond;
    LockedPart memoryPart("GAL16V8B", 2194);
    ASSERT_EQ(SaveChipImage(memoryPart, path("memory.img")), "");

    struct Case { const char* file; const char* errorPart; };
    const Case cases[] = {
        {"22v10.img", "holds a GAL22V10 (5892 fuses), not a GAL16V8B (2194 fuses)"},
        {"16v8.img", "holds a GAL16V8 (2194 fuses), not a GAL16V8B (2194 fuses)"},
        {"flipped.img", "is damaged: JEDEC checksum"},
        {"cut.img", "is cut short"},
        {"design.img", "is not a chip image of a GAL16V8B"},
        {"beyond.img", "numbers fuses beyond the 2194 of a GAL16V8B"},
        {"memory.img", "is not a JEDEC fuse file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto chip = std::dynamic_pointer_cast<EditModeChip>(FindOffer("GAL16V8B")->make());
        chip->restoreSecurity(true);
        const std::uint64_t before = chip->changes();
        const ChipImageLoad loaded = LoadChipImage(*chip, path(c.file));
        EXPECT_EQ(loaded.status, ImageLoad::Refused);
        EXPECT_NE(loaded.error.find(c.errorPart), std::string::npos) << loaded.error;
        EXPECT_TRUE(std::all_of(chip->memory().begin(), chip->memory().end(), [](std::uint8_t f) { return f == 1; }));
        EXPECT_TRUE(chip->secured());
        EXPECT_EQ(chip->changes(), before);
    }
}

// The run tests use the faults by name and see them at their cell; that they
// reach no further, and that malformed ones are refused, is checked here.
TEST(ChipFaultText, FaultsByNameHitOneCellAndMalformedOnesAreRefused) {
    ChipFaults faults;
    ASSERT_EQ(AddChipFault(faults, "stuck:20:ff:0") + AddChipFault(faults, "noprogram:7ff0"), "");
    EXPECT_EQ(faults.applyStuck(0x21, 0xA5), 0xA5);
    EXPECT_FALSE(faults.programBlocked(0x7FF1));
    for (const char* bad : {"stuck:20:1ff:0", "stuck:20:ff", "noprogram:", "noprogram:zz", "stuck:-1:1:1", "melt"})
        EXPECT_NE(AddChipFault(faults, bad).find("bad fault"), std::string::npos) << bad;
}

} // namespace
} // namespace quarvin::sim::test
