// quarvin-cli against damaged and odd files, outputs it cannot write, partial
// runs and signals: each ends with a clear word and an exit status a script can
// tell apart from success; nothing hangs, crashes or is lost silently.
#include <sys/stat.h>
#include <sys/types.h>

#include <csignal>
#include <thread>

#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliDamaged : public CliDir {
protected:
    void write(const std::string& name, const std::string& content) {
        std::ofstream(path(name), std::ios::binary) << content;
    }
    // Every case runs under a time limit: a read that never ends shows as 124.
    CliDamaged() { timeoutSeconds = 60; }
};

const std::string kRun27 = "run --device Intel/27C256 --port VBOX ";

// Damaged HEX files, bad device rows, faults and chip images, outputs that cannot
// be written and partial runs: each is refused before the first operation, or
// says how much it did, with an exit status a script tells apart from success.
TEST_F(CliDamaged, DamagedInputsBadOutputsAndPartialRunsAreNamed) {
    writeHex("in.hex", 0x7FFF);
    std::string bad = Slurp(dir / "in.hex");
    bad[bad.find('\n') - 1] ^= 1; // the first record's checksum
    write("checksum.hex", bad);
    write("junk.hex", ":zz\n:1000\n:10000000GG\n" + Slurp(dir / "in.hex"));
    // An extended address of 0x0040: the data lies beyond the 4 MiB buffer.
    write("overflow.hex", ":020000040040BA\n:0400000001020304F2\n:00000001FF");
    for (const auto& [file, subType] : {std::pair{"huge.lst", "99999999999"}, std::pair{"negative.lst", "-3"}}) {
        std::string list = Slurp(dir / "device.lst");
        write(file, list.replace(list.find("\n27C256,P27 13"), 14, std::string("\n27C256,P27 ") + subType));
    }
    write("minus.img", "QUARVIN chip image 1\nlabel: 27C256\ncells: -5\nextra: 0\n\n");
    checkAll({
        {kRun27 + "--in junk.hex program", 2, {}, {"program:"}, "3 bad records"},
        {kRun27 + "--in checksum.hex program", 2, {}, {"program:"}, "1 bad record"},
        {kRun27 + "--in overflow.hex program", 2, {}, {"program:"}, "4 bytes addressed beyond"},
        {kRun27 + "--in checksum.hex --length ff --force program", 0, {"program: OK!"}},
        {"run --list huge.lst --device Intel/27C256 --port VBOX blank", 2, {}, {"blank:"}, "sub-type 2147483647"},
        {"run --list negative.lst --device Intel/27C256 --port VBOX blank", 2, {}, {"blank:"}, "sub-type -3"},
        {kRun27 + "--fault stuck:8000:01:00 blank", 2, {}, {"blank:"}, "is beyond 27c256"},
        {kRun27 + "--chip-image minus.img blank", 2, {}, {"blank:"}, "not a chip image"},
        {kRun27 + "blank --bogus", 2, {}, {}, "unknown option --bogus"},
        {kRun27 + "read --out /nonexistent/d/x.hex", 2, {}, {"read:"}, "does not exist"},
        {kRun27 + "read --out .", 2, {}, {"read:"}, "directory"},
        {kRun27 + "--in in.hex read --out in.hex", 2, {}, {"read:"}, "also the input file"},
        {kRun27 + "--chip-image /nonexistent/d/c.img read", 2, {}, {"read:"}, "does not exist"},
        {kRun27 + "--in in.hex --device-start 7FF0 program", 4, {"program: OK! 16 of 32768 bytes: end of device"}},
        {kRun27 + "--in in.hex --buffer-start 3FFFF0 program", 4, {"program: OK! 16 of 32768 bytes: end of buffer"}},
        {kRun27 + "--in in.hex --device-start 7FF0 --allow-partial program", 0, {"16 of 32768 bytes"}},
        {kRun27 + "--in in.hex --device-start 7FF0 --length f program verify", 0, {"program: OK!\n", "verify: Verify OK\n"}},
        // Last: it writes over the input.
        {kRun27 + "--in in.hex --length ff read --out in.hex --force", 0, {"read: OK!"}},
    });
}

TEST_F(CliDamaged, BinaryLoadsSayWhatWasDroppedAndRefuseAddressesOutsideTheBuffer) {
    write("big.bin", std::string(5'000'000, 'x'));
    write("four.bin", "abcd");
    checkAll({
        {"convert big.bin out.bin", 2, {}, {}, "805696 bytes"},
        {"convert four.bin out.bin --start 3FFFFE", 2, {}, {}, "2 bytes"},
        {"convert four.bin out.bin --load-mode 2 --start 3FFFFF", 2, {}, {}, "1 bytes"},
        {"convert four.bin out.bin --start FFFFFFFF", 1, {}, {}, "buffer address"},
        {"convert four.bin out.bin --start -1", 1, {}, {}, "buffer address"},
        {"convert four.bin out.bin --start 100000000", 1, {}, {}, "buffer address"},
        {"convert four.bin out.bin --start 80000000", 1, {}, {}, "buffer address"},
        {"convert four.bin out.bin --end FFFFFFFF", 1, {}, {}, "buffer address"},
    });
    // The last load stored its first kept byte at the buffer's last address.
    EXPECT_EQ(Slurp(dir / "out.bin").size(), 0x400000u);
}

TEST_F(CliDamaged, IncompleteJedecFilesAreNamedAndNotProgrammed) {
    const std::string fuses(2194, '0');
    const std::string sound = "\x02*QF2194*L0 " + fuses + "*C0000*\x03" "0000";
    write("sound.jed", sound);
    write("half.jed", sound.substr(0, sound.size() / 2));
    write("empty.jed", "");
    write("noqf.jed", "\x02*F0*L0 0101*C000A*\x03");
    write("hugeqf.jed", "\x02*QF99999999999*L0 0101*C000A*\x03");
    write("beyond.jed", "\x02*QF4*L0 010101*C000A*\x03");
    write("checksum.jed", "\x02*QF4*L0 0101*C1234*\x03");
    const std::string run = "run --device Lattice/GAL16V8 --port VBOX --in ";
    checkAll({
        {"convert sound.jed out.jed", 0, {}},
        {"convert half.jed out.jed", 2, {}, {}, "no C field and no ETX"},
        {"convert empty.jed out.jed", 2, {}, {}, "No fuse data"},
        {"convert noqf.jed out.jed", 2, {}, {}, "no QF field"},
        {"convert hugeqf.jed out.jed", 2, {}, {}, "fuses the QF field declares are not in the file"},
        {"convert beyond.jed out.jed", 2, {}, {}, "2 fuses are numbered beyond the QF field's 4"},
        {"convert checksum.jed out.jed", 2, {}, {}, "JEDEC checksum"},
        {run + "half.jed program", 2, {}, {"program:"}, "--force"},
        {run + "sound.jed program", 0, {"program:"}},
    });
}

TEST_F(CliDamaged, DirectoriesPipesAndEndlessDevicesAreRefusedEverywhere) {
    fs::create_directory(dir / "folder.hex");
    ASSERT_EQ(::mkfifo(path("fifo.hex").c_str(), 0600), 0);
    fs::create_directory(dir / "lists");
    fs::create_directory(dir / "lists" / "device.lst");
    std::vector<Step> steps;
    for (const std::string odd : {"/dev/zero", "fifo.hex", "folder.hex"}) {
        for (const std::string format : {"hex", "jed", "bin"}) {
            steps.push_back({"convert " + odd + " out.bin --in-format " + format, 1, {}, {}, "not a regular file"});
            steps.push_back({"sum " + odd + " --in-format " + format, 1, {}, {}, "not a regular file"});
        }
        steps.push_back({kRun27 + "--in " + odd + " read", 2, {}, {"read:"}, "not a regular file"});
        // A directory is already refused as a place to write the image back to.
        steps.push_back({kRun27 + "--chip-image " + odd + " read", 2, {}, {"read:"},
                         odd == "folder.hex" ? "it is a directory" : "not a regular file"});
        steps.push_back({"devices --list " + odd, 2, {}});
    }
    steps.push_back({"run --device Intel/27C256 --dir lists --soft-run read", 2, {}, {"read:"}, "No DEVICEx.LST"});
    checkAll(steps);
}

TEST_F(CliDamaged, ALogicIcLibraryThatIsADirectoryOrDamagedIsNamed) {
    for (const char* library : {"TTL74.LIB", "CMOS40.LIB", "CMOS45.LIB"})
        fs::copy_file(fs::path(QUARVIN_SOURCE_DIR) / "data" / library, dir / library);
    const std::string run = "run --dir . --dialog TICTestx --sub-type 0 --port VBOX identify";
    fs::remove(dir / "TTL74.LIB");
    fs::create_directory(dir / "TTL74.LIB");
    checkAll({{run, 1, {"identify: No librrary file TTL74.LIB"}}});
    fs::remove(dir / "TTL74.LIB");
    // The first record's header and a few bytes of its vectors, no end mark.
    write("TTL74.LIB", Slurp(fs::path(QUARVIN_SOURCE_DIR) / "data" / "TTL74.LIB").substr(0, 40));
    checkAll({{run, 1, {"identify: TTL74.LIB: the IC library is damaged"}}});
}

// SIGTERM and SIGHUP in the middle of a long programming run: the run ends at
// once, and the data read so far (--out) and the chip (its image) are kept.
TEST_F(CliDamaged, TermAndHangupEndALongRunButKeepWhatMustBeWritten) {
    writeHex("big.hex", 0x7FFFF);
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        fs::remove(dir / "chip.img");
        fs::remove(dir / "back.hex");
        const std::string line = "cd '" + dir.string() + "' && exec '" + kCliExe +
                                 "' run --device Am27C040 --port VBOX --chip-image chip.img --in big.hex "
                                 "--out back.hex program >stdout 2>stderr & echo $!";
        std::FILE* shell = ::popen(line.c_str(), "r");
        ASSERT_NE(shell, nullptr);
        int pid = 0;
        ASSERT_EQ(std::fscanf(shell, "%d", &pid), 1);
        ::pclose(shell);
        // Wait until programming has begun (its progress on stderr).
        for (int i = 0; i < 600 && Slurp(dir / "stderr").find("program") == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ASSERT_EQ(::kill(pid, signal), 0);
        for (int i = 0; i < 600 && ::kill(pid, 0) == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_NE(::kill(pid, 0), 0) << "still running";
        EXPECT_NE(Slurp(dir / "stdout").find("program: Stopped by a signal"), std::string::npos)
            << Slurp(dir / "stdout") << Slurp(dir / "stderr");
        EXPECT_NE(Slurp(dir / "stderr").find("socket is powered down"), std::string::npos);
        EXPECT_TRUE(fs::exists(dir / "back.hex"));
        // The image holds what was programmed before the signal.
        const std::string image = Slurp(dir / "chip.img");
        ASSERT_GT(image.size(), 0x80000u);
        const std::string cells = image.substr(image.find("\n\n") + 2, 16);
        for (std::uint32_t a = 0; a < cells.size(); ++a)
            EXPECT_EQ(static_cast<std::uint8_t>(cells[a]), Pattern(a)) << a;
    }
}

} // namespace
} // namespace quarvin::cli::test
