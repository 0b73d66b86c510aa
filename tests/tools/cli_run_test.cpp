// quarvin-cli run end to end on the embedded virtual box: one chip kept in an
// image file across processes, faults, device selection errors.
#include "CliRun.h"

#include <algorithm>

namespace quarvin::cli::test {
namespace {

constexpr std::uint32_t k27C256Last = 0x7FFF;

class CliRunVbox : public CliDir {};

TEST_F(CliRunVbox, ProgramVerifyReadAndTheirFailures) {
    writeHex("in.hex", k27C256Last);
    writeHex("other.hex", k27C256Last, 0x01);
    const std::string intel = "run --device Intel/27C256 --port VBOX ";
    const std::string chip = intel + "--chip-image chip.img ";
    checkAll({
        // A missing image is a blank chip; the state is written back after the run.
        {chip + "--in in.hex blank program", 0, {"blank: Blank OK\n", "program: OK!\n"}},
        {chip + "--in in.hex verify read --out back.bin", 0, {"verify: Verify OK\n", "read: OK!\n"}},
        // A device-list type names the chip too, when all its makers' entries are one part.
        {intel + "--chip 27c256 --chip-image chip.img --in in.hex verify", 0, {"verify: Verify OK\n"}},
        // Without the image a fresh blank chip is in the socket.
        {intel + "blank", 0, {"blank: Blank OK\n"}},
        {chip + "blank", 1, {"blank: 000000: Not blank \n"}},
        {chip + "--in other.hex verify read", 1, {"verify: 000000:Bad! (file=02,Device=03)\n"}, {"read:"}},
        {chip + "--fault stuck:20:ff:00 --in in.hex verify", 1, {"verify: 000020:Bad! (file=e3,Device=00)\n"}},
        // Soft run: nothing is sent, replies read 255, and a success says so.
        {"run --device Intel/27C256 --soft-run blank", 0, {"blank: Blank OK (soft run: no box, nothing was sent)\n"}},
        {"run --device Intel/27C256 --soft-run --in in.hex verify", 1, {"verify: 000000:Bad! (file=03,Device=ff)\n"}},
    });

    ASSERT_EQ(run("convert in.hex in.bin"), 0) << err;
    EXPECT_EQ(Slurp(dir / "back.bin"), Slurp(dir / "in.bin"));
}

TEST_F(CliRunVbox, ErasableMemoriesEraseAUsedChipToBlank) {
    writeHex("fw.hex", 0xFFF);
    for (const auto& [device, erased] : {std::pair{"Am29F010B", "erase: Blank OK\n"}, std::pair{"AT28C256", "erase: OK\n"}}) {
        SCOPED_TRACE(device);
        const std::string chip = std::string("run --device ") + device + " --port VBOX --chip-image " + device + ".img ";
        checkAll({
            {chip + "--in fw.hex erase program", 0, {erased, "program: OK!\n"}},
            {chip + "erase blank", 0, {erased, "blank: Blank OK\n"}},
        });
    }
}

TEST_F(CliRunVbox, MicrocontrollersKeepTheirLockBitsInTheImage) {
    // lockedVerify: the first byte, Pattern(0) = 03, reads 0xFF.
    struct Part {
        std::string device;
        std::uint32_t lastAddress;
        const char *verified, *read, *lockedVerify, *locked, *erased;
    };
    const Part parts[] = {
        {"AT89C52", 0x1FFF, "verify: OK!\n", "read: OK\n", "verify: 0000:Error!(File=03,Chip=ff)\n",
         "protect: Protect OK!\n", "erase: Erase ok\n"},
        {"AT89S52", 0x1FFF, "verify: OK!\n", "read: OK\n", "verify: 0000:Error!(File=03,Chip=ff)\n",
         "protect: Protect OK!\n", "erase: Erase ok\n"},
        {"AT89C2051", 0x7FF, "verify: Verify OK\n", "read: Finished\n", "verify: 0000:Bad! (file=03,Device=ff)\n",
         "protect: Secrity OK\n", "erase: Finished\n"},
    };
    for (const Part& p : parts) {
        SCOPED_TRACE(p.device);
        writeHex("in.hex", p.lastAddress);
        const std::string chip = "run --device " + p.device + " --port VBOX --chip-image chip.img ";
        const std::string blank(p.lastAddress + 1, '\xFF');
        // The lock bits stay in the image: the next processes read ones only,
        // until an erase clears code and lock together.
        checkAll({
            {chip + "--in in.hex program", 0, {"program: OK\n"}},
            {chip + "protect", 0, {p.locked}},
            {chip + "--in in.hex verify", 1, {p.lockedVerify}},
            {chip + "--out locked.bin read", 0, {p.read}},
            {chip + "erase blank", 0, {p.erased}},
            {chip + "--in in.hex program verify", 0, {p.verified}},
        });
        EXPECT_EQ(Slurp(dir / "locked.bin"), blank);
        fs::remove(dir / "chip.img");
    }
}

TEST_F(CliRunVbox, MicrocontrollerQuestionsAndAnOtpPart) {
    writeHex("in.hex", 0x0FFF);
    checkAll({
        // An OTP row has no Erase: naming it is a usage error, and nothing runs.
        {"run --device 'AT87F51 (OTP)' --port VBOX blank erase", 2, {}, {"blank:"},
         "TP89c5x: erase is not available for an OTP part"},
        {"run --device 'AT87F51 (OTP)' --port VBOX --in in.hex program verify", 0, {"program: OK\n", "verify: OK!\n"}},
        // Another part's signature asks its question; No stops Program, --yes goes on,
        // and the read-back that ends a Programe sent ahead (the virtual box's line)
        // finds the 4K part's code again at 1000 (it has no A12).
        {"run --device AT89C52 --port VBOX --chip AT89C51 --in in.hex program", 1, {}, {"program: OK"},
         "Error?\nContinue?\n-> No"},
        {"run --device AT89C52 --port VBOX --chip AT89C51 --yes --in in.hex program verify", 1,
         {"program: 1000:Error!(File=ff,Chip=03)\n"}, {"verify:"}},
    });
}

TEST_F(CliRunVbox, AnEmptyPicSocketIsNeverABlankPart) {
    writeHex("in.hex", 0x3FFF);
    // The 16F87x device ID tells an empty socket; an 18-pin part without one reads
    // as the empty socket does, and the messages say so.
    checkAll({
        {"run --device PIC16F877 --port VBOX --fault empty --in in.hex program verify", 1,
         {"program: No chip! (device ID reads 3fff) at 2006\n"}, {"verify:"}},
        {"run --device PIC16F84A --port VBOX --fault empty blank read", 0,
         {"blank: Blank OK! (an empty socket reads the same)\n",
          "read: Finished,Sum=f800 (an empty socket reads the same)\n"},
         {"blank: Blank OK!\n"}},
    });
}

TEST_F(CliRunVbox, ListsDevicesAndRefusesWhatCannotBeDoneBeforeRunning) {
    writeHex("in.hex", k27C256Last);
    checkAll({
        {"devices --find c256 --maker intel", 0, {"EPROM\tIntel\t27C256\tP27\t13\n"}, {"AMD"}},
        {"devices --category mpu --find 89C51", 0, {"MPU\tAtmel\tAT89C51\tP89C51\t1\n"}, {"EPROM"}},
        {"ops --device Intel/27C256", 0, {"sub-type 13", "last address 7fff", "  program\t", "  pro-time=1..5"}, {"erase"}},
        {"ops --dialog TP27x --sub-type 1", 0, {"2716    12.7v", "last address 7ff"}},
        {"chips", 0, {"27c256 12.7v\tTP27x\t13\n"}},
        {"run --device 27C256 --port VBOX read", 2, {}, {"read:"}, "Intel/27C256"},
        {"run --device 27C256 --port VBOX read", 2, {}, {"read:"}, "Microchip/27C256"},
        {"run --device NoSuchPart --port VBOX read", 2, {}, {}, "no device 'NoSuchPart'"},
        {"run --dialog TP16c54x --sub-type 1 --port VBOX read", 2, {}, {},
         "no built family has the dialog class TP16c54x"},
        {"run --device Intel/27C256 --port VBOX read erase", 2, {}, {"read:"}, "has no operation erase"},
        {"run --device Intel/27C256 --port VBOX --length 123456789 read", 2, {}, {"read:"}, "more than 8 hex digits"},
        {"run --device Intel/27C256 --port VBOX --option pro-time=9 read", 2, {}, {"read:"}, "pro-time takes 1..5"},
        {"run --device Intel/27C256 --port VBOX --fault melt read", 2, {}, {"read:"}, "bad fault 'melt'"},
        {"run --device Intel/27C256 --soft-run --chip 2764 read", 2, {}, {"read:"}, "need the virtual box"},
    });

    // An image of another part is refused and left as it was.
    ASSERT_EQ(run("run --device Intel/27C256 --port VBOX --chip-image chip.img --in in.hex program"), 0) << err;
    const std::string image = Slurp(dir / "chip.img");
    check({"", 2, {}, {"read:"}, "holds a 27c256 12.7v (32768 bytes), not a 27c512 12.7v (65536 bytes)"},
          "run --device Intel/27C256 --port VBOX --chip '27c512 12.7v' --chip-image chip.img read");
    EXPECT_EQ(Slurp(dir / "chip.img"), image);
}

} // namespace
} // namespace quarvin::cli::test
