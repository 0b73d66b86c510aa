// Chip images and chip faults by name, as quarvin-cli and quarvin-sim use them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/ChipFaultText.h"
#include "sim/ChipImage.h"

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
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    fs::path dir = fs::temp_directory_path() / ("quarvin_chip_image_" + std::to_string(::getpid()));
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

TEST(ChipFaultText, NamesAddFaults) {
    ChipFaults faults;
    EXPECT_EQ(AddChipFault(faults, "stuck:20:ff:0"), "");
    EXPECT_EQ(AddChipFault(faults, "noprogram:7ff0"), "");
    EXPECT_EQ(AddChipFault(faults, "empty"), "");
    EXPECT_EQ(faults.applyStuck(0x20, 0xA5), 0x00);
    EXPECT_EQ(faults.applyStuck(0x21, 0xA5), 0xA5);
    EXPECT_TRUE(faults.programBlocked(0x7FF0));
    EXPECT_FALSE(faults.programBlocked(0x7FF1));
    EXPECT_TRUE(faults.missing);
    for (const char* bad : {"stuck:20:1ff:0", "stuck:20:ff", "noprogram:", "noprogram:zz", "stuck:-1:1:1", "melt"})
        EXPECT_NE(AddChipFault(faults, bad).find("bad fault"), std::string::npos) << bad;
}

} // namespace
} // namespace quarvin::sim::test
