// quarvin-cli on the flash families in the embedded virtual box: what a script
// reads of their failures, the data protection kept in the chip image between
// processes, and the id codes of the parts the AT29 tests do not cover. Their
// writes, reads and chip images are checked for every family by the family
// conformance suite.
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

TEST_F(CliFlash, TheImageKeepsTheProtectionAndProgrameStillTakesANewFile) {
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
}

TEST_F(CliFlash, The29EEsMessages) {
    writeHex("fw.hex", 0x7FFF);
    writeHex("other.hex", 0x7FFF, 0x01);
    const std::string chip = "run --device SST29EE010 --port VBOX --chip-image ee.img ";
    checkAll({
        {chip + "--in fw.hex program", 0, {"program: Finished\n"}},
        {chip + "--in other.hex verify", 1, {"verify: 000000:Bad =02,器件=03) (at 000000 the file has 02, the device 03)\n"}},
        {chip + "protect sum", 0, {"protect: OK!\n", "sum: 字节累加后的和 = "}},
        // An empty socket never shows a page write busy.
        {"run --device SST29EE010 --port VBOX --fault empty erase", 1,
         {"erase: Erase failed: no chip answered, not busy in a page write\n"}},
    });
}

constexpr std::uint32_t k28F010Last = 0x1FFFF;

TEST_F(CliFlash, TheAm28F010sFailuresInScriptsWords) {
    writeHex("fw.hex", k28F010Last);
    writeHex("other.hex", k28F010Last, 0x01);
    const std::string am = "run --device Am28F010 --port VBOX ";
    const std::string chip = am + "--chip-image f.img ";
    checkAll({
        {chip + "--in fw.hex erase program", 0, {"erase: Blank OK\n", "program: OK\n"}},
        {chip + "--in other.hex verify", 1, {"verify: 000000:Bad! (file=02,Device=03)\n"}},
        // Without an erase a pulse can only clear bits: 03 takes 02, 0a cannot become 0b.
        {chip + "--in other.hex program", 1, {"program: Programe Failured! at 000001\n"}},
        // A part that erases thirty times slower outlasts the ten rounds.
        {chip + "--fault slow:30 erase", 1, {"erase: 000000: Not blank!\n"}},
        {am + "--fault empty --in fw.hex program", 1, {"program: Programe Failured! at 000000\n"}},
        // An empty socket reads blank, but its identifier codes read FF,FF.
        {am + "--fault empty erase", 1, {"erase: Erase failed: no chip answered, ID ff,ff\n"}},
        {"run --device 28F008SA --port VBOX --in fw.hex erase program", 1,
         {"program: Programe Failured! at 000000 (this type takes status-register commands"}},
    });
}

TEST_F(CliFlash, IdShowsEachPartsCodes) {
    const std::pair<const char*, const char*> parts[] = {
        {"AT49F040", "id: 1f,13\n"}, {"AT49F001T", "id: 1f,04\n"}, {"MX29F040", "id: c2,a4\n"}};
    for (const auto& [device, codes] : parts) checkAll({{std::string("run --device ") + device + " --port VBOX id", 0, {codes}}});
}

} // namespace
} // namespace quarvin::cli::test
