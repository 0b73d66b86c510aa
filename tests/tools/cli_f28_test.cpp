// quarvin-cli with the 28F bulk-erase flash: erase and program, verify and read
// back in three processes that share the chip image; the failures a script sees.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

constexpr std::uint32_t k28F010Last = 0x1FFFF;

class CliF28 : public CliDir {};

TEST_F(CliF28, EraseProgramVerifyAndReadBackAnAm28F010) {
    writeHex("fw.hex", k28F010Last);
    writeHex("other.hex", k28F010Last, 0x01);
    const std::string am = "run --device Am28F010 --port VBOX ";
    const std::string chip = am + "--chip-image f.img ";
    const Step steps[] = {
        {chip + "--in fw.hex erase program", 0, {"erase: Blank OK\n", "program: OK\n"}},
        {chip + "--in fw.hex verify", 0, {"verify: Verify OK\n"}},
        {chip + "--out back.bin read", 0, {"read: OK!\n"}},
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
    };
    for (const Step& s : steps) check(s, s.args);
    ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
    EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "fw.bin"));
}

} // namespace
} // namespace quarvin::cli::test
