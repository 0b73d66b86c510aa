// quarvin-cli run on the AT29C page-write flash parts in the embedded virtual
// box: program, verify and read in three processes give the file back, the
// codes read as listed, and the data protection stays in the chip image.
#include "CliRun.h"

#include "sim/ChipImage.h"
#include "sim/SimFamily.h"
#include "sim/families/flash29c/At29Chip.h"

namespace quarvin::cli::test {
namespace {

class CliAt29 : public CliDir {};

TEST_F(CliAt29, ProgramVerifyAndReadGiveTheFileBackOnEveryPart) {
    const struct {
        const char* device;
        std::uint32_t last;
        const char* codes;
    } parts[] = {{"AT29C256", 0x7FFF, "id: 1f,dc\n"}, {"AT29C040A", 0x7FFFF, "id: 1f,a4\n"}};
    for (const auto& part : parts) {
        SCOPED_TRACE(part.device);
        writeHex("fw.hex", part.last);
        const std::string chip = std::string("run --device ") + part.device + " --port VBOX --chip-image c.img ";
        const Step steps[] = {
            {chip + "--in fw.hex program", 0, {"program: Finished\n"}},
            {chip + "--in fw.hex verify", 0, {"verify: Verify OK\n"}},
            {chip + "--out back.bin read", 0, {"read: OK!\n"}},
            {chip + "id", 0, {part.codes}},
        };
        for (const Step& s : steps) check(s, s.args);
        ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
        EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "fw.bin"));
        std::filesystem::remove(dir / "c.img");
    }
}

TEST_F(CliAt29, TheImageKeepsTheProtectionAndProgrameStillTakesANewFile) {
    writeHex("fw.hex", 0x7FFF);
    writeHex("other.hex", 0x7FFF, 0x01);
    const std::string chip = "run --device AT29C256 --port VBOX --chip-image p.img ";
    const auto protectionIn = [&] {
        auto part = sim::FindOffer("AT29C256")->make();
        EXPECT_EQ(sim::LoadChipImage(*part, path("p.img")).status, sim::ImageLoad::Loaded);
        return std::dynamic_pointer_cast<sim::At29Chip>(part)->dataProtection();
    };
    const Step protect{chip + "--in fw.hex program protect", 0, {"program: Finished\n", "protect: OK!\n"}};
    check(protect, protect.args);
    EXPECT_TRUE(protectionIn());
    const Step again{chip + "--in other.hex program verify", 0, {"program: Finished\n", "verify: Verify OK\n"}};
    check(again, again.args);
    EXPECT_FALSE(protectionIn());
}

} // namespace
} // namespace quarvin::cli::test
