// quarvin-cli run on a 29EE page-write flash in the embedded virtual box: the
// three commands give the file back and the data protection stays in the chip
// image between processes.
#include "CliRun.h"

#include "sim/ChipImage.h"
#include "sim/SimFamily.h"
#include "sim/families/flash29ee/EE29Chip.h"

namespace quarvin::cli::test {
namespace {

class CliEE29 : public CliDir {};

TEST_F(CliEE29, ProgramVerifyAndReadGiveTheFileBackAndTheImageKeepsTheProtection) {
    writeHex("fw.hex", 0x1FFFF);
    writeHex("other.hex", 0x1FFFF, 0x01);
    const std::string chip = "run --device SST29EE010 --port VBOX --chip-image ee.img ";
    const Step steps[] = {
        {chip + "--in fw.hex program", 0, {"program: Finished\n"}},
        {chip + "--in fw.hex verify", 0, {"verify: Verify OK\n"}},
        {chip + "--out back.bin read", 0, {"read: OK!\n"}},
        {chip + "--in other.hex verify", 1, {"verify: 000000:Bad =02,器件=03) (at 000000 the file has 02, the device 03)\n"}},
        {chip + "protect sum", 0, {"protect: OK!\n", "sum: 字节累加后的和 = "}},
        // An empty socket never shows a page write busy.
        {"run --device SST29EE010 --port VBOX --fault empty erase", 1,
         {"erase: Erase failed: no chip answered, not busy in a page write\n"}},
    };
    for (const Step& s : steps) check(s, s.args);
    ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
    EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "fw.bin"));

    const auto protectionIn = [&] {
        auto part = sim::FindOffer("SST29EE010")->make();
        EXPECT_EQ(sim::LoadChipImage(*part, path("ee.img")).status, sim::ImageLoad::Loaded);
        return std::dynamic_pointer_cast<sim::EE29Chip>(part)->dataProtection();
    };
    EXPECT_TRUE(protectionIn());
    // Programe turns the protection off first, so the protected chip still takes a new file.
    const Step again{chip + "--in other.hex program verify", 0, {"program: Finished\n", "verify: Verify OK\n"}};
    check(again, again.args);
    EXPECT_FALSE(protectionIn());
}

} // namespace
} // namespace quarvin::cli::test
