// quarvin-cli's data-file commands: sum, convert (HEX, binary, JEDEC, S-record
// and ELF files), hashes, diff and compare, and their errors.
#include "CliRun.h"
#include "buffer/formats/SRecord.h"

namespace quarvin::cli::test {
namespace {

const std::string kFormats = QUARVIN_SOURCE_DIR "/tests/data/formats/";

class CliDataFiles : public CliDir {};

TEST_F(CliDataFiles, SumConvertAndTheirErrors) {
    std::string badSum = Slurp(kFormats + "gal16v8.jed");
    badSum.replace(badSum.find("C008A*"), 6, "C1234*");
    std::ofstream(path("badsum.jed"), std::ios::binary) << badSum;
    std::ofstream(path("bad.s19")) << "S1050010112297\nS9030000FC\n";
    std::ofstream(path("cut.elf")) << Slurp(kFormats + "elf/blink.elf").substr(0, 0x100);
    const std::string data = "'" + kFormats;
    checkAll({
        // The hex window's checksum of the loaded range.
        {"sum " + data + "small.hex'", 0, {"    11ff\n"}},                      // 16 x 0xFF before 11 22 33 44 AA BB
        {"sum " + data + "six.bin' --end f", 0, {"     a0b\n"}},                // 01..06 and ten 0xFF
        {"sum " + data + "six.bin' --load-mode 3 --start 10", 0, {"     ffc\n"}}, // 02 04 06 after sixteen 0xFF
        {"sum " + data + "header.cds'", 0, {"      60\n"}},
        // The S-record holds data.bin at 0; the hashes are sha256sum's and sha1sum's of that file.
        {"sum " + data + "srec/narrow.s19' --sha256 --sha1", 0,
         {"\nSHA-256 cdeb854d2634b925d0c1038f5466f4c18dc99be8d85508058175665c4c1fdb8b\n"
          "SHA-1 70b05ff59654684de1a153c915d2fd768176891e\n"}},
        {"convert " + data + "six.bin' six.hex", 0, {}},
        {"convert six.hex back.dat --out-format bin", 0, {}},
        {"convert " + data + "gal16v8.jed' out.jed", 0, {}},
        // An ELF file loads its flash image and reports the EEPROM data it leaves out.
        {"convert " + data + "elf/blink.elf' flash.bin", 0, {}, {}, "AVR EEPROM data: 8 bytes at 0x810000"},
        {"sum missing.bin", 1, {}, {}, "Can't open this file"},
        {"sum '" QUARVIN_BINARY_DIR "'", 1, {}, {}, "is not a regular file"}, // a directory is no data file
        {"convert " + data + "six.bin' x.cds", 1, {}, {}, "Bad format"},
        {"frobnicate", 1, {}, {}, "unknown command"},
        {"sum " + data + "badsum.hex'", 2, {}, {}, "1 bad record"},
        {"convert badsum.jed b.jed", 2, {}, {}, "JEDEC checksum 008A, file says 1234"},
        // A damaged S-record loads on; the warning names the line.
        {"convert bad.s19 out.bin", 2, {}, {}, "the first is on line 1: bad checksum"},
        {"convert cut.elf x.bin", 1, {}, {}, "Segment 0 reaches beyond the end of this ELF file. cut.elf"},
        {"convert " + data + "elf/blink.elf' x.elf", 1, {}, {}, "Bad format"},
    });
    EXPECT_EQ(Slurp(path("six.hex")), ":06000000010203040506E5\n:00000001FF");
    EXPECT_EQ(Slurp(path("back.dat")), "\x01\x02\x03\x04\x05\x06");
    EXPECT_EQ(Slurp(path("flash.bin")), Slurp(kFormats + "elf/blink.bin"));
    const std::string jed = Slurp(path("out.jed"));
    EXPECT_EQ(jed.rfind("GAL16V8\nMorvek*\nQF2194*\nF0*\nL0000 \n01010000000000000000000000000000\n", 0), 0u);
    // A GAL16V8 file holds 2194 fuses: the map's fuse 2239 is not among them.
    EXPECT_EQ(jed.substr(jed.size() - 27), "\n000000000000000000*\nC000A*");
    EXPECT_FALSE(fs::exists(path("x.cds")));
}

TEST_F(CliDataFiles, SrecordsConvertToHexAndBackByteExact) {
    for (const std::string name : {"narrow.s19", "wide.s28", "long.s37"}) {
        SCOPED_TRACE(name);
        const std::string original = kFormats + "srec/" + name;
        ASSERT_EQ(run("convert '" + original + "' " + name), 0) << err;
        EXPECT_EQ(Slurp(path(name)), Slurp(original));
        ASSERT_EQ(run("convert '" + original + "' fw.hex"), 0) << err;
        ASSERT_EQ(run("convert fw.hex back.srec --out-format srec"), 0) << err;
        ASSERT_EQ(run("convert back.srec again.hex"), 0) << err;
        EXPECT_EQ(Slurp(path("again.hex")), Slurp(path("fw.hex")));
        EXPECT_EQ(run("diff '" + original + "' back.srec"), 0) << out << err;
    }
}

TEST_F(CliDataFiles, DiffListsEveryDifferenceAcrossFormats) {
    auto buffer = std::make_unique<MainBuffer>();
    buffer->initialise();
    for (std::uint32_t a = 0; a < 0x300; ++a) (*buffer)[a] = Pattern(a);
    ASSERT_TRUE(formats::saveIntelHexFile(*buffer, 0x2FF, path("a.hex")));
    for (std::uint32_t a : {0x10u, 0x11u, 0x12u, 0x200u}) (*buffer)[a] ^= 0x80;
    ASSERT_TRUE(formats::saveSrecFile(*buffer, 0x2FF, {}, path("b.s19")));
    EXPECT_EQ(run("diff a.hex b.s19"), 3);
    EXPECT_EQ(out, "Address  FILE1  FILE2\n"
                   "000010-000012, 3 bytes\n  000010  73  F3\n  000011  7A  FA\n  000012  81  01\n"
                   "000200-000200, 1 byte\n  000200  03  83\n"
                   "4 bytes differ in 2 runs.\n");
    EXPECT_EQ(run("diff a.hex b.s19 --max 1"), 3);
    EXPECT_NE(out.find("4 bytes differ in 2 runs; the first 1 are listed."), std::string::npos) << out;
    EXPECT_EQ(run("diff a.hex a.hex"), 0);
    EXPECT_EQ(run("diff a.hex missing.bin"), 1);
}

TEST_F(CliDataFiles, CompareListsEveryAddressWhereTheChipDiffers) {
    writeHex("in.hex", 0x7FFF);
    writeHex("other.hex", 0x7FFF, 0x01);
    const std::string chip = "--device Intel/27C256 --port VBOX --chip-image chip.img ";
    checkAll({
        {"run " + chip + "--in in.hex program", 0, {}},
        {"compare " + chip + "--in in.hex", 0, {"0 bytes differ in 0 runs."}},
        {"compare " + chip + "--in other.hex --max 2", 1,
         {"  000000  02  03\n  000001  0B  0A\n32768 bytes differ in 1 run; the first 2 are listed."}},
    });
}

// The 28C and 29EE families skip the blocks that read back equal; the serial
// EEPROMs do it inside their Program (the families' tests count the pages on the wire).
TEST_F(CliDataFiles, ChangedOnlyWritesTheDifferingBlocksAndEndsWithTheChipEqualToTheBuffer) {
    struct Part { std::string device; std::uint32_t last; std::string unit; std::uint32_t unitBytes; };
    for (const Part& p : {Part{"AT28C256", 0x7FFF, "blocks", 256}, Part{"SST29EE010", 0x1FFFF, "blocks", 256},
                          Part{"AT24C02", 0xFF, "pages", 16}}) {
        SCOPED_TRACE(p.device);
        writeHex("in.hex", p.last);
        auto buffer = std::make_unique<MainBuffer>();
        buffer->initialise();
        for (std::uint32_t a = 0; a <= p.last; ++a) (*buffer)[a] = Pattern(a);
        (*buffer)[0x10] ^= 0xFF;         // first block
        (*buffer)[p.last - 0x10] ^= 0xFF; // last block
        ASSERT_TRUE(formats::saveIntelHexFile(*buffer, p.last, path("changed.hex")));
        const std::string chip = "--device " + p.device + " --port VBOX --chip-image chip.img ";
        fs::remove(dir / "chip.img");
        const std::uint32_t units = (p.last + 1) / p.unitBytes;
        checkAll({
            {"run " + chip + "--in in.hex program", 0, {}},
            {"run " + chip + "--in changed.hex --changed-only program", 0,
             {"changed only: 2 of " + std::to_string(units) + " " + p.unit + " of " + std::to_string(p.unitBytes) +
              " bytes written, " + std::to_string(units - 2) + " skipped\n"}},
            {"compare " + chip + "--in changed.hex", 0, {"0 bytes differ in 0 runs."}},
        });
    }
    checkAll({{"run --device Intel/27C256 --port VBOX --changed-only --in in.hex program", 2, {}, {},
               "--changed-only works on the 28C, 29EE, 24Cxx and 93Cxx families, not TP27x"}});
}

} // namespace
} // namespace quarvin::cli::test
