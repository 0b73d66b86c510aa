// The link dialog's read-ahead switch and port advice, on the virtual box behind
// a real serial port, the embedded virtual box, and without a box.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <limits>

#include "link/FastLinkSettings.h"
#include "link/LinkStartup.h"
#include "link/TEp3.h"
#include "link/commands/LinkOps.h"
#include "link/commands/ReadAhead.h"
#include "sim/VirtualBoxTransport.h"
#include "support/FakePlatform.h"

namespace quarvin::test {
namespace {

// The virtual box on COM1, as the kind of line and with the advice a test gives.
class PosingBox : public sim::VirtualBoxTransport {
public:
    PosingBox(std::shared_ptr<sim::Box> box, LineKind kind, std::string advice)
        : VirtualBoxTransport(std::move(box)), kind_(kind), advice_(std::move(advice)) {}
    LineKind lineKind() const override { return kind_; }
    std::string portAdvice() const override { return advice_; }

private:
    LineKind kind_;
    std::string advice_;
};

struct BoxOnCom1 : PortOpener {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    LineKind kind = LineKind::SerialPort;
    std::string advice;
    OpenedPort open(const std::string& name) override {
        OpenedPort port;
        if (name != "COM1") return port;
        port.status = OpenStatus::Opened;
        port.transport = std::make_unique<PosingBox>(box, kind, advice);
        return port;
    }
};

struct PaintLog : FormObserver {
    std::vector<std::string> painted;
    void paintNow(Control& c) override { painted.push_back(c.text()); }
};

class ReadAheadSwitch : public ::testing::Test {
protected:
    ReadAheadSwitch() : dialog(fake.platform) {
        std::filesystem::create_directories(dir);
        dialog.addObserver(&paints);
    }
    ~ReadAheadSwitch() override {
        dialog.removeObserver(&paints);
        std::filesystem::remove_all(dir);
    }
    void create() { dialog.Create(opener, dir.string()); }
    bool stored() const { return std::filesystem::exists(dir / FastLinkFileName); }
    bool checked() { return dialog.control("CheckBox1").checked(); }
    std::string status() { return dialog.control("Edit4").text(); }

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quarvin_tep3_" + std::to_string(::getpid()));
    FakePlatform fake;
    BoxOnCom1 opener;
    TEp3 dialog;
    PaintLog paints;
};

TEST_F(ReadAheadSwitch, OnProbesOffSetsOneAndARealPortKeepsTheChoice) {
    struct Row { LineKind kind; bool checkedAtStart; const char* onText; const char* offText; bool keeps; };
    const Row rows[] = {
        {LineKind::SerialPort, false, "Read ahead on: window 128", "Read ahead off", true},
        {LineKind::VirtualBox, true, "Read ahead on: window 128 (this session)", "Read ahead off (this session)", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.onText);
        std::filesystem::remove(dir / FastLinkFileName);
        opener.kind = r.kind;
        create();
        ASSERT_EQ(dialog.link().connected, 1);
        EXPECT_EQ(dialog.control("CheckBox1").text(), "Read ahead");
        EXPECT_EQ(checked(), r.checkedAtStart);

        paints.painted.clear();
        dialog.userSetChecked("CheckBox1", true);
        EXPECT_TRUE(checked());
        EXPECT_EQ(status(), r.onText);
        EXPECT_EQ(dialog.link().readAheadWindow, 128);
        std::vector<std::string> tried; // windows 2, 4, ..., 256
        for (int window = 2; window <= 256; window *= 2) tried.push_back("Read ahead: trying window " + std::to_string(window));
        EXPECT_EQ(paints.painted, tried);
        EXPECT_EQ(stored(), r.keeps);
        if (r.keeps) {
            EXPECT_EQ(LoadSerialReadAheadWindow(dir.string()), 128);
        }

        dialog.userSetChecked("CheckBox1", false);
        EXPECT_FALSE(checked());
        EXPECT_EQ(status(), r.offText);
        EXPECT_EQ(dialog.link().readAheadWindow, 1);
        EXPECT_EQ(stored(), r.keeps);
        if (r.keeps) {
            EXPECT_EQ(LoadSerialReadAheadWindow(dir.string()), 1);
        }
        EXPECT_EQ(fake.prompts.texts(), std::vector<std::string>{StartQuestion}) << "no message on the way";
        fake.prompts.shown.clear();
    }
}

TEST_F(ReadAheadSwitch, ARealPortStartsWithTheStoredWindow) {
    ASSERT_TRUE(SaveSerialReadAheadWindow(dir.string(), 16));
    create();
    EXPECT_EQ(dialog.link().readAheadWindow, 16);
    EXPECT_TRUE(checked());
}

// Switched on where the probe cannot measure: the switch goes back off.
TEST_F(ReadAheadSwitch, AProbeThatCannotMeasureLeavesReadAheadOff) {
    enum Fault { PinsDoNotReadBack, BoxGoesSilent, SoftRun };
    struct Row { Fault fault; const char* status; int connected; bool lost; bool storesOne; };
    const Row rows[] = {
        {SoftRun, SoftRunStatus, 0, false, false},
        {PinsDoNotReadBack, "Read ahead off: socket pins 1-4 and 40 do not read back", 1, false, true},
        {BoxGoesSilent, SoftRunStatus, 0, true, false}, // last: a lost link stays lost for the dialog
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fault);
        std::filesystem::remove(dir / FastLinkFileName);
        opener.box = std::make_shared<sim::Box>();
        fake.prompts.answers = {r.fault != SoftRun}; // "No" at the start question: soft run
        create();
        EXPECT_FALSE(checked());
        // Every reply from now on reads 0, so the driven high pins 1 and 3 never show; or
        // the box falls silent within the probe.
        if (r.fault == PinsDoNotReadBack)
            opener.box->faults().garble.push_back({opener.box->clock().bytesToHost(), std::numeric_limits<std::uint64_t>::max(), 0x00});
        if (r.fault == BoxGoesSilent) opener.box->faults().silentAfterBytes = opener.box->bytesReceived() + 300;
        fake.prompts.shown.clear();
        dialog.userSetChecked("CheckBox1", true);
        EXPECT_FALSE(checked());
        EXPECT_EQ(status(), r.status);
        EXPECT_EQ(dialog.link().connected, r.connected);
        EXPECT_EQ(dialog.link().lost, r.lost);
        EXPECT_EQ(fake.prompts.texts(), r.lost ? std::vector<std::string>{LostLinkMessage} : std::vector<std::string>{});
        EXPECT_EQ(stored(), r.storesOne);
        if (r.storesOne) {
            EXPECT_EQ(LoadSerialReadAheadWindow(dir.string()), 1);
            EXPECT_EQ(dialog.link().readAheadWindow, 1);
        }
    }
}

TEST_F(ReadAheadSwitch, ThePortsAdviceIsShownOnlyWhenThereIsSome) {
    const std::string advice = "USB adapter latency 16 ms (slow); fix: echo 1 | sudo tee /x/latency_timer";
    create();
    for (const std::string& given : {advice, std::string()}) {
        opener.advice = given;
        dialog.ReconnectClick();
        ASSERT_EQ(dialog.link().connected, 1);
        EXPECT_EQ(dialog.control("Memo1").text(), given);
        EXPECT_EQ(dialog.control("Memo1").visible(), !given.empty());
    }
}

} // namespace
} // namespace quarvin::test
