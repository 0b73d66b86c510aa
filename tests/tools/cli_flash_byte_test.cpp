// quarvin-cli run on the AT49F040 and the MX29F040 in the embedded virtual box:
// program, verify and read in three processes give the file back, and the id
// is the part's.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliFlashByte : public CliDir {};

TEST_F(CliFlashByte, ProgramVerifyAndReadGiveTheFileBack) {
    writeHex("fw.hex", 0x7FFFF);
    ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
    const struct {
        const char* device;
        const char* id;
    } parts[] = {{"AT49F040", "id: 1f,13\n"}, {"MX29F040", "id: c2,a4\n"}};
    for (const auto& part : parts) {
        SCOPED_TRACE(part.device);
        const std::string chip = std::string("run --device ") + part.device + " --port VBOX --chip-image " +
                                 part.device + ".img ";
        const Step steps[] = {
            {chip + "--in fw.hex program", 0, {"program: OK!\n"}},
            {chip + "--in fw.hex verify", 0, {"verify: Verify OK\n"}},
            {chip + "--out back.bin read", 0, {"read: OK!\n"}},
            {chip + "id", 0, {part.id}},
        };
        for (const Step& s : steps) check(s, s.args);
        EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "fw.bin"));
    }
}

} // namespace
} // namespace quarvin::cli::test
