// quarvin-cli run on the MX29F040 in the embedded virtual box: program, verify
// and read in three processes give the file back.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliMx29f : public CliDir {};

TEST_F(CliMx29f, ProgramVerifyAndReadGiveTheFileBack) {
    writeHex("fw.hex", 0x7FFFF);
    const std::string chip = "run --device MX29F040 --port VBOX --chip-image c.img ";
    const Step steps[] = {
        {chip + "--in fw.hex program", 0, {"program: OK!\n"}},
        {chip + "--in fw.hex verify", 0, {"verify: Verify OK\n"}},
        {chip + "--out back.bin read", 0, {"read: OK!\n"}},
        {chip + "id", 0, {"id: c2,a4\n"}},
    };
    for (const Step& s : steps) check(s, s.args);
    ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
    EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "fw.bin"));
}

} // namespace
} // namespace quarvin::cli::test
