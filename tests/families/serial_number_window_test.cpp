// The window's serial number: Programe and Auto of the memory and microcontroller
// dialogs write the next number of the shared counter into each chip, a run that
// fails hands its number back, a number that cannot be written is refused before
// anything is sent, and the Option > Serial number settings survive a restart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FamilyRig.h"
#include "families/mcu2051/P2051Dialog.h"
#include "families/uv_eprom/UvEpromDialog.h"
#include "platform/OperationLog.h"
#include "shell/SerialSettings.h"
#include "shell/TSerialDlg.h"
#include "sim/families/mcu2051/At89c2051Chip.h"
#include "sim/families/uv_eprom/EpromChip.h"

namespace quarvin::test {
namespace {

namespace fs = std::filesystem;

constexpr int kRow27c256 = 13;
constexpr int kRowAt89c2051 = 2;

struct Entries : OperationLog {
    std::vector<OperationEntry> entries;
    void record(const OperationEntry& e) override { entries.push_back(e); }
};

struct SerialDir {
    fs::path dir;
    SerialDir() {
        dir = fs::temp_directory_path() / ("quarvin_window_serial_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~SerialDir() { fs::remove_all(dir); }
    std::string path() const { return dir.string() + "/"; }
    std::string counter() const {
        std::ifstream in(dir / "serial.cnt");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return text;
    }
};

WindowSerialNumbers NumbersAt(const SerialDir& d, const std::string& spec) {
    WindowSerialNumbers numbers(d.path());
    SerialSettings s;
    s.on = true;
    s.spec = *ParseSerialSpec(spec).spec;
    EXPECT_EQ(numbers.store(s), "");
    return numbers;
}

// A 27C256 in the socket, programming buffer 0..ff with the serial numbers on.
struct EpromChipRun {
    SimRig<UvEpromDialog, sim::EpromChip> rig{kRow27c256};
    Entries log;
    explicit EpromChipRun(WindowSerialNumbers& numbers) {
        rig.fp.platform.serialNumbers = &numbers;
        rig.fp.platform.operationLog = &log;
        rig.fields("0", "0", "ff");
    }
    std::uint16_t be16At(std::uint32_t a) { return static_cast<std::uint16_t>(rig.chip->memory()[a] << 8 | rig.chip->memory()[a + 1]); }
};

TEST(WindowSerialNumber, ProgrammeWritesConsecutiveNumbersAndAFailedRunKeepsItsNumber) {
    SerialDir d;
    WindowSerialNumbers numbers = NumbersAt(d, "FC:be16:1000");
    EpromChipRun first(numbers), second(numbers);
    first.rig.dlg.WriteClick();
    EXPECT_EQ(first.rig.msg(), "OK!");
    EXPECT_EQ(first.be16At(0xFC), 1000);
    ASSERT_FALSE(first.log.entries.empty());
    EXPECT_EQ(first.log.entries.back().serial, "1000");

    // A cell that will not program: the run fails and 1001 goes to the next chip.
    EpromChipRun failing(numbers);
    failing.rig.chip->faults().noProgram.push_back({0x10, 0x10});
    failing.rig.docs.buf[0x10] = 0x3C;
    failing.rig.dlg.WriteClick();
    EXPECT_EQ(failing.rig.msg(), "Programe Failured! at 000010");
    EXPECT_EQ(failing.log.entries.back().serial, "1001");

    second.rig.dlg.WriteClick();
    EXPECT_EQ(second.rig.msg(), "OK!");
    EXPECT_EQ(second.be16At(0xFC), 1001);
    EXPECT_EQ(d.counter(), "1002\n");
    second.rig.dlg.VerifyClick();
    EXPECT_EQ(second.rig.msg(), "Verify OK");
    EXPECT_EQ(second.log.entries.back().serial, "");
}

TEST(WindowSerialNumber, ANumberThatCannotBeWrittenIsRefusedBeforeAnythingIsSent) {
    const struct {
        const char* spec;
        const char* counter; // the counter file's text, empty for none
        const char* message;
    } cases[] = {
        {"1FE:be16:1", "", "Not run: the serial number at 1FE lies outside the range being programmed (0..FF)"},
        {"FE:le32:1", "", "Not run: the serial number at FE lies outside the range being programmed (0..FF)"},
        {"F0:bcd2:1", "100\n", "Not run: serial numbers used up: the next one, 100, does not fit bcd2 (largest 99)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        SerialDir d;
        WindowSerialNumbers numbers = NumbersAt(d, c.spec);
        if (*c.counter) std::ofstream(d.dir / "serial.cnt") << c.counter;
        EpromChipRun run(numbers);
        const std::vector<std::uint8_t> before = run.rig.chip->memory();
        const std::uint64_t sent = run.rig.box->bytesReceived();
        run.rig.dlg.WriteClick();
        EXPECT_EQ(run.rig.msg(), c.message);
        EXPECT_TRUE(run.rig.dlg.failure());
        EXPECT_EQ(run.rig.box->bytesReceived(), sent);
        EXPECT_EQ(run.rig.chip->memory(), before);
        EXPECT_EQ(run.log.entries.back().result, "refused");
    }
}

// Prompts whose "next chip?" question first runs the test's change of chip.
struct NextChipPrompts : FakePrompts {
    std::function<void(int)> beforeChip; // told the number of the chip about to run, from 2
    int asked = 0;
    bool askYesNo(const std::string& text, const std::string& title) override {
        const bool yes = FakePrompts::askYesNo(text, title);
        if (yes && beforeChip) beforeChip(++asked + 1);
        return yes;
    }
};

// Each chip runs Auto as its button does: a chip that fails hands its number to
// the next one.
TEST(WindowSerialNumber, AutoNextChipNumbersEachChipAndKeepsATallyUntilNo) {
    SerialDir d;
    WindowSerialNumbers numbers = NumbersAt(d, "7FC:be16:1000");
    SimRig<P2051Dialog, sim::At89c2051Chip> rig(kRowAt89c2051);
    NextChipPrompts prompts;
    rig.fp.platform.prompts = &prompts;
    rig.fp.platform.serialNumbers = &numbers;
    rig.dlg.control("CheckBox1").setChecked(true); // Erase: the same virtual chip stands for each new one
    std::vector<std::uint16_t> written;
    prompts.answers = {true, true, false};
    // The second chip has a stuck bit where the number goes and fails Verify.
    prompts.beforeChip = [&](int chip) {
        written.push_back(static_cast<std::uint16_t>(rig.chip->memory()[0x7FC] << 8 | rig.chip->memory()[0x7FD]));
        if (chip == 2) rig.chip->faults().stuck.push_back({0x7FD, 0x7FD, 0x01, 0x00});
        if (chip == 3) rig.chip->faults().stuck.clear();
    };
    rig.dlg.autoNextChip();
    written.push_back(static_cast<std::uint16_t>(rig.chip->memory()[0x7FC] << 8 | rig.chip->memory()[0x7FD]));
    EXPECT_EQ(prompts.texts().size(), 3u);
    EXPECT_EQ(rig.docs.statusNote, "Auto, next chip: 2 done, 1 failed");
    EXPECT_EQ(written.front(), 1000);
    EXPECT_EQ(written.back(), 1001);
    EXPECT_EQ(d.counter(), "1002\n");

    // A stop request (Esc) ends the mode after the chip that runs.
    rig.fp.stop.stopAfterPolls = rig.fp.stop.polls + 1;
    prompts.shown.clear();
    rig.dlg.autoNextChip();
    EXPECT_EQ(rig.docs.statusNote, "Auto, next chip: 0 done, 1 failed");
    EXPECT_TRUE(prompts.texts().empty());
}

TEST(WindowSerialNumber, TheDialogsSettingsSurviveARestartAndOffLeavesTheBufferAlone) {
    SerialDir d;
    FakePlatform fp;
    {
        WindowSerialNumbers numbers(d.path());
        EXPECT_FALSE(numbers.active());
        TSerialDlg dlg(numbers, fp.platform);
        dlg.open();
        dlg.control("SerialOn").setChecked(true);
        dlg.control("AddressEdit").setText("7fc");
        dlg.control("FormatBox").setItemIndex(5);
        dlg.control("DigitsEdit").setText("");
        dlg.click("OKBtn");
        EXPECT_EQ(fp.prompts.texts().size(), 1u) << "ascii without a digit count is refused";
        EXPECT_TRUE(dlg.visible());
        dlg.control("DigitsEdit").setText("6");
        dlg.control("StartEdit").setText("500");
        dlg.control("StepEdit").setText("2");
        dlg.control("CounterEdit").setText("kit.cnt");
        dlg.click("OKBtn");
        EXPECT_FALSE(dlg.visible());
    }
    WindowSerialNumbers restarted(d.path());
    ASSERT_TRUE(restarted.active());
    EXPECT_EQ(SerialSpecText(*restarted.active()), "7FC:ascii6:500:2");
    EXPECT_EQ(restarted.counterPath(), d.path() + "kit.cnt");
    TSerialDlg shown(restarted, fp.platform);
    shown.open();
    EXPECT_EQ(shown.control("DigitsEdit").text(), "6");
    EXPECT_EQ(shown.control("FormatBox").itemIndex(), 5);

    // Switched off: Programe writes the buffer as it stands and takes no number.
    shown.control("SerialOn").setChecked(false);
    shown.click("OKBtn");
    EpromChipRun run(restarted);
    run.rig.docs.buf[0xFC] = 0x5A;
    run.rig.dlg.WriteClick();
    EXPECT_EQ(run.rig.chip->memory()[0xFC], 0x5A);
    EXPECT_EQ(run.log.entries.back().serial, "");
    EXPECT_FALSE(fs::exists(d.dir / "kit.cnt"));
}

} // namespace
} // namespace quarvin::test
