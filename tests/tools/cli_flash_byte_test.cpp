// quarvin-cli run on the AT49F040, AT49F001T and MX29F040 in the embedded
// virtual box: program, verify and read in three processes give the file back,
// and the id is the part's. The AT49F040 is written whole, so every address
// line is used; the MX29F040, which runs the same steps with a four times
// longer byte program time, is written over its first 64 KiB and the AT49F001T
// (RESET on pin 1) over its first 16 KiB, to keep the test's time down.
#include "CliRun.h"
#include "forms/HexText.h"

namespace quarvin::cli::test {
namespace {

class CliFlashByte : public CliDir {};

TEST_F(CliFlashByte, ProgramVerifyAndReadGiveTheFileBack) {
    constexpr std::uint32_t kPartSize = 0x80000;
    writeHex("fw.hex", kPartSize - 1);
    ASSERT_EQ(run("convert fw.hex fw.bin"), 0) << err;
    const std::string file = Slurp(dir / "fw.bin");
    const struct {
        const char* device;
        const char* id;
        std::uint32_t size, written;
    } parts[] = {{"AT49F040", "id: 1f,13\n", kPartSize, kPartSize},
                 {"AT49F001T", "id: 1f,04\n", 0x20000, 0x4000},
                 {"MX29F040", "id: c2,a4\n", kPartSize, 0x10000}};
    for (const auto& part : parts) {
        SCOPED_TRACE(part.device);
        const std::string chip = std::string("run --device ") + part.device + " --port VBOX --chip-image " +
                                 part.device + ".img ";
        const std::string length = part.written < part.size ? quarvin::Format("--length %x ", part.written - 1) : "";
        const Step steps[] = {
            {chip + "--in fw.hex " + length + "program", 0, {"program: OK!\n"}},
            {chip + "--in fw.hex " + length + "verify", 0, {"verify: Verify OK\n"}},
            {chip + "--out back.bin read", 0, {"read: OK!\n"}},
            {chip + "id", 0, {part.id}},
        };
        for (const Step& s : steps) check(s, s.args);
        // The read covers the whole part: what was written, then the erased rest.
        const std::string back = Slurp(dir / "back.bin");
        ASSERT_EQ(back.size(), part.size);
        EXPECT_EQ(back.substr(0, part.written), file.substr(0, part.written));
        EXPECT_EQ(back.find_first_not_of('\xFF', part.written), std::string::npos);
    }
}

} // namespace
} // namespace quarvin::cli::test
