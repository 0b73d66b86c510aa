// quarvin-cli on the flash families in the embedded virtual box: the 29EE's
// messages in plain words, the data protection kept in the chip image between
// processes, and the id codes of the parts the AT29 tests do not cover. Their
// writes, reads, chip images and failures are checked for every family by the
// family tests and the conformance suite.
#include "CliRun.h"
#include "sim/ChipImage.h"
#include "sim/SimFamily.h"
#include "sim/families/flash29c/At29Chip.h"
#include "sim/families/flash29ee/EE29Chip.h"

namespace quarvin::cli::test {
namespace {

class CliFlash : public CliDir {
protected:
    bool protectionIn(const std::string& device) {
        auto part = sim::FindOffer(device)->make();
        EXPECT_EQ(sim::LoadChipImage(*part, path("p.img")).status, sim::ImageLoad::Loaded);
        if (auto ee = std::dynamic_pointer_cast<sim::EE29Chip>(part)) return ee->dataProtection();
        return std::dynamic_pointer_cast<sim::At29Chip>(part)->dataProtection();
    }
};

TEST_F(CliFlash, TheImageKeepsTheProtectionProgrameTakesANewFileAndThe29EEsMessagesArePlain) {
    writeHex("fw.hex", 0x7FFF);
    writeHex("other.hex", 0x7FFF, 0x01);
    for (const std::string device : {"AT29C256", "SST29EE010"}) {
        SCOPED_TRACE(device);
        fs::remove(dir / "p.img");
        const std::string chip = "run --device " + device + " --port VBOX --chip-image p.img ";
        checkAll({{chip + "--in fw.hex program protect", 0, {"program: Finished\n", "protect: OK!\n"}}});
        EXPECT_TRUE(protectionIn(device));
        checkAll({{chip + "--in other.hex program verify", 0, {"program: Finished\n", "verify: Verify OK\n"}}});
        EXPECT_FALSE(protectionIn(device));
    }
    // The 29EE's messages, and the id codes of other parts.
    const std::string chip = "run --device SST29EE010 --port VBOX --chip-image ee.img ";
    checkAll({
        {chip + "--in fw.hex program", 0, {"program: Finished\n"}},
        {chip + "--in other.hex verify", 1, {"verify: 000000:Bad =02,器件=03) (at 000000 the file has 02, the device 03)\n"}},
        {chip + "protect sum", 0, {"protect: OK!\n", "sum: 字节累加后的和 = "}},
        // An empty socket never shows a page write busy.
        {"run --device SST29EE010 --port VBOX --fault empty erase", 1,
         {"erase: Erase failed: no chip answered, not busy in a page write\n"}},
        {"run --device AT49F040 --port VBOX id", 0, {"id: 1f,13\n"}},
        {"run --device AT49F001T --port VBOX id", 0, {"id: 1f,04\n"}},
        {"run --device MX29F040 --port VBOX id", 0, {"id: c2,a4\n"}},
    });
}

} // namespace
} // namespace quarvin::cli::test
