// quarvin-cli run on the 2816-class parts in the embedded virtual box: program,
// verify and read in three processes give the file back.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliP2816 : public CliDir {};

TEST_F(CliP2816, ProgramVerifyAndReadGiveTheFileBack) {
    writeHex("fw.hex", 0x7FF);
    ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
    for (const char* device : {"28C16A", "28C17A"}) {
        SCOPED_TRACE(device);
        const std::string chip = std::string("run --device ") + device + " --port VBOX --chip-image " + device + ".img ";
        const Step steps[] = {
            {chip + "--in fw.hex program", 0, {"program: OK!\n"}},
            {chip + "--in fw.hex verify", 0, {"verify: Verify OK\n"}},
            {chip + "--out back.bin read", 0, {"read: OK!\n"}},
        };
        for (const Step& s : steps) check(s, s.args);
        EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "fw.bin"));
    }
}

} // namespace
} // namespace quarvin::cli::test
