// Files made by real toolchains (tests/data/mcu, source and rebuild command in
// each source): gputils INHX8M files for the PIC16F84A and the PIC16F877A with
// their configuration words at byte 0x400E, an avr-gcc HEX file for the AT90S2313
// and an sdcc one for the 8051s. Each is programmed, verified and read back
// through quarvin-cli on the virtual box.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliToolchainFiles : public CliDir {
protected:
    // The file's bytes below `limit`, by address, as its data records give them;
    // notes whether the records come in address order.
    std::map<std::uint32_t, std::uint8_t> fixture(const std::string& name, std::uint32_t limit) {
        fs::copy_file(fs::path(QUARVIN_SOURCE_DIR) / "tests" / "data" / "mcu" / name, dir / name);
        std::map<std::uint32_t, std::uint8_t> bytes;
        std::istringstream records(Slurp(dir / name));
        for (std::string line; std::getline(records, line);) {
            if (line.size() <= 9 || line.compare(7, 2, "00") != 0) continue;
            const auto count = std::stoul(line.substr(1, 2), nullptr, 16);
            const auto at = static_cast<std::uint32_t>(std::stoul(line.substr(3, 4), nullptr, 16));
            recordsInOrder = recordsInOrder && (bytes.empty() || at > bytes.rbegin()->first);
            for (std::uint32_t i = 0; i < count; ++i)
                if (at + i < limit)
                    bytes[at + i] = static_cast<std::uint8_t>(std::stoul(line.substr(9 + 2 * i, 2), nullptr, 16));
        }
        return bytes;
    }
    void expectReadBack(const std::map<std::uint32_t, std::uint8_t>& bytes) {
        const std::string back = Slurp(dir / "back.bin");
        for (const auto& [a, v] : bytes) {
            ASSERT_LT(a, back.size());
            EXPECT_EQ(static_cast<std::uint8_t>(back[a]), v) << std::hex << a;
        }
    }
    bool recordsInOrder = true;
};

TEST_F(CliToolchainFiles, PicsFromGputilsWithTheirConfigurationWords) {
    const struct { const char* device; const char* file; std::uint32_t limit; std::size_t least; const char* programmed;
                   const char* id; } parts[] = {
        {"PIC16F84A", "blink84.hex", 0x800, 40, "program: Finished", "id: Config = 3ff1, ID = "},
        {"PIC16F877A", "blink877a.hex", 0x4000, 50, "program: Finished\n", "id: Config = 3f72, ID = "}};
    for (const auto& p : parts) {
        SCOPED_TRACE(p.device);
        const auto code = fixture(p.file, p.limit);
        ASSERT_GT(code.size(), p.least);
        fs::remove(dir / "p.img");
        const std::string chip = std::string("run --device ") + p.device + " --port VBOX --chip-image p.img ";
        const std::string in = std::string("--in ") + p.file;
        checkAll({
            // "config" takes the word the file carries at 0x2007.
            {chip + in + " program config", 0, {p.programmed, "config: OK\n"}},
            {chip + in + " verify", 0, {"verify: OK\n"}},
            {chip + "--out back.bin read id", 0, {"read: Finished,Sum=", p.id}},
        });
        expectReadBack(code);
    }
}

TEST_F(CliToolchainFiles, At90s2313FromAvrGcc) {
    const auto code = fixture("blink2313.hex", 0x800);
    ASSERT_GT(code.size(), 100u);
    const std::string chip = "run --device AT90S2313 --port VBOX --chip-image a.img ";
    checkAll({
        {chip + "--in blink2313.hex blank program", 0, {"blank: OK!\n", "program: OK!\n"}},
        {chip + "--in blink2313.hex verify", 0, {"verify: OK!\n"}},
        {chip + "--out back.bin read", 0, {"read: OK\n"}},
        // A part whose lock bits hide the code fails the check and reads 0xFF.
        {chip + "--option protect-mode=no-verify protect", 0, {"protect: OK!\n"}},
        {chip + "--in blink2313.hex verify", 1, {"verify: Bad! at 0000\n"}},
        {chip + "erase blank", 0, {"erase: OK\n", "blank: OK!\n"}},
    });
    expectReadBack(code);
}

// blink.hex's records come out of address order: the load's end address is the
// highest address written, not the last record's.
TEST_F(CliToolchainFiles, An8051ProgramFromSdccWithRecordsOutOfOrder) {
    const auto code = fixture("blink.hex", 0x800);
    ASSERT_GT(code.size(), 2u);
    ASSERT_FALSE(recordsInOrder) << "the fixture no longer tests the record order";
    ASSERT_EQ(run("convert blink.hex blink.bin"), 0) << err;
    EXPECT_EQ(Slurp(dir / "blink.bin").size(), code.rbegin()->first + 1);
    for (const std::string device : {"AT89C52", "AT89S52", "AT89C2051"}) {
        SCOPED_TRACE(device);
        fs::remove(dir / "u1.img");
        const std::string chip = "run --device " + device + " --port VBOX --chip-image u1.img ";
        checkAll({{chip + "--in blink.hex program verify", 0, {}}, {chip + "--out back.bin read", 0, {}}});
        expectReadBack(code);
    }
}

} // namespace
} // namespace quarvin::cli::test
