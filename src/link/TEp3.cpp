#include "link/TEp3.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "link/FastLinkSettings.h"
#include "link/LinkStartup.h"
#include "link/ReadAheadProbe.h"
#include "link/SpeedEstimate.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

constexpr int LoopTestRuns = 101;
constexpr int TimingSteps = 10;
constexpr int TimingTicksPerStep = 10000; // about 0.95 s on the line

// The whole text as a decimal 32-bit number (surrounding blanks allowed).
bool parseDecimal(const std::string& text, std::int32_t& out) {
    const char* s = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s, &end, 10);
    if (end == s || errno == ERANGE) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return false;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

} // namespace

TEp3::TEp3(const Platform& platform)
    : Form("TEp3", "", 277, 349),
      Button1(add(ControlKind::Button, "Button1", QV_TEXT("Win Version"), 8, 8, 97, 25)),
      Button2(add(ControlKind::Button, "Button2", QV_TEXT("Test COM"), 8, 40, 97, 25)),
      Button3(add(ControlKind::Button, "Button3", QV_TEXT("Speed"), 8, 72, 97, 25)),
      Button4(add(ControlKind::Button, "Button4", QV_TEXT("test 10s"), 8, 104, 97, 25)),
      Button5(add(ControlKind::Button, "Button5", QV_TEXT("Reconnect"), 8, 176, 97, 25)),
      Edit1(add(ControlKind::Edit, "Edit1", "", 112, 10, 153, 21)),
      Edit2(add(ControlKind::Edit, "Edit2", "", 112, 42, 153, 21)),
      Edit3(add(ControlKind::Edit, "Edit3", "", 112, 74, 153, 21)),
      Edit4(add(ControlKind::Edit, "Edit4", "", 8, 144, 257, 21)),
      CheckBox1(add(ControlKind::CheckBox, "CheckBox1", QV_TEXT("Read ahead"), 112, 178, 153, 21)),
      Memo1(add(ControlKind::Memo, "Memo1", "", 8, 208, 257, 49)),
      Edit5(add(ControlKind::Edit, "Edit5", "", 8, 264, 257, 21)),
      CheckBox2(add(ControlKind::CheckBox, "CheckBox2", QV_TEXT("Record the link"), 8, 292, 257, 21)),
      Edit6(add(ControlKind::Edit, "Edit6", "", 8, 318, 257, 21)),
      platform_(platform) {
    Edit1.readOnly = true;
    Edit2.readOnly = true;
    Edit5.readOnly = true;
    Edit4.colour = Colour::Maroon;
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
    Button3.onClick = [this] { Button3Click(); };
    Button4.onClick = [this] { Button4Click(); };
    Button5.onClick = [this] { ReconnectClick(); };
    Edit3.onKeyDown = [this](int key) { Edit3KeyDown(key); };
    CheckBox1.onChange = [this] { ReadAheadChange(); };
    CheckBox2.onChange = [this] { RecordChange(); };
    Edit6.readOnly = true;
    Memo1.setVisible(false);
    link_.prompts = platform_.prompts;
}

LinkEnvironment TEp3::environment(bool paintStatus) {
    LinkEnvironment env;
    env.prompts = platform_.prompts;
    env.system = platform_.system;
    env.opener = opener_;
    env.programDir = programDir_;
    env.searching = searchProgress;
    env.status = [this, paintStatus](const std::string& text) {
        Edit4.setText(text);
        if (paintStatus) Edit4.repaint();
    };
    return env;
}

void TEp3::Create(PortOpener& opener, const std::string& programDir) {
    opener_ = &recorder_.opener(opener);
    programDir_ = programDir;
    Edit5.setText("Program directory: " + programDir);
    show(); // the dialog is on screen while the box is searched for
    RunLinkStartup(link_, environment(false));
    showLink();
}

void TEp3::ReconnectClick() {
    // A search over silent ports takes seconds each: show every attempt's outcome.
    ReconnectLink(link_, environment(true));
    showLink();
}

void TEp3::showLink() {
    const bool connected = link_.connected == 1 && link_.port;
    CheckBox1.setChecked(connected && link_.readAheadWindow > 1);
    const std::string advice = connected ? link_.port->portAdvice() : std::string{};
    Memo1.setText(advice);
    Memo1.setVisible(!advice.empty());
}

void TEp3::ReadAheadChange() {
    if (!CheckBox1.checked()) return useReadAheadWindow(1, {});
    if (link_.connected != 1) {
        CheckBox1.setChecked(false);
        Edit4.setText(SoftRunStatus);
        return;
    }
    const ReadAheadProbeResult probe = ProbeReadAhead(link_, [this](int window) {
        Edit4.setText("Read ahead: trying window " + std::to_string(window));
        Edit4.repaint();
    });
    switch (probe.verdict) {
    case ProbeVerdict::Measured:
        return useReadAheadWindow(probe.window, probe.window > 1 ? "" : "the box cannot keep up");
    case ProbeVerdict::PinsDoNotReadBack:
        return useReadAheadWindow(1, "socket pins 1-4 and 40 do not read back");
    case ProbeVerdict::NoBox: break;
    }
    useReadAheadWindow(1, SoftRunStatus);
}

void TEp3::useReadAheadWindow(int window, const std::string& reason) {
    link_.readAheadWindow = window;
    CheckBox1.setChecked(window > 1);
    std::string text = window > 1 ? "Read ahead on: window " + std::to_string(window) : "Read ahead off";
    if (!reason.empty()) text += ": " + reason;
    // Only a real serial port starts with the stored window; the virtual box and
    // pseudo-terminals always read ahead, and their figures say nothing about a box.
    if (link_.port && link_.port->lineKind() == LineKind::SerialPort) {
        if (!SaveSerialReadAheadWindow(programDir_, window)) text += " (" + std::string(FastLinkFileName) + " not written)";
    } else if (link_.connected == 1) {
        text += " (this session)";
    }
    Edit4.setText(text);
}

void TEp3::RecordChange() {
    if (!CheckBox2.checked()) {
        if (!recorder_.recording()) return;
        recorder_.stop(link_);
        Edit4.setText("Link recorded");
        return;
    }
    if (recorder_.recording()) return;
    const auto name = platform_.files->saveName(
        {"Record the link", programDir_, "quarvin-link.trace", "Link trace (*.trace)|*.TRACE", 1, "trace"});
    if (!name || !recorder_.start(link_, *name)) {
        CheckBox2.setChecked(false);
        if (name) Edit4.setText("Can't write this file: " + *name);
        return;
    }
    Edit6.setText(*name);
    Edit4.setText("Recording the link");
}

void TEp3::Button1Click() {
    OsVersion v = platform_.system ? platform_.system->osVersion() : OsVersion{};
    char text[256];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d.%s", v.major, v.minor, v.build, v.platformId,
                  v.extra.c_str());
    Edit1.setText(text);
}

void TEp3::Button2Click() {
    int passed = 0;
    for (int k = 0; k < LoopTestRuns; ++k) {
        Edit2.setText(std::to_string(k));
        Edit2.repaint();
        if (TestLinkLoop(link_) == 0) break;
        ++passed;
    }
    // Only a run in which every test passed is good, the last one included.
    Edit4.setText(passed == LoopTestRuns ? "COM OK!" : "Bad COM!");
}

void TEp3::Button3Click() {
    Edit3.setText("wait a while...");
    Edit3.repaint();
    if (platform_.system) EstimateSpeed(link_, *platform_.system);
    char text[64];
    std::snprintf(text, sizeof text, "About %5.0d Mhz", static_cast<int>(link_.mhz));
    Edit3.setText(text);
    Edit4.setText(std::to_string(link_.loopCount));
}

void TEp3::Button4Click() {
    for (int k = 1; k <= TimingSteps; ++k) {
        Edit4.setText(std::to_string(k));
        Edit4.repaint();
        Delay(link_, TimingTicksPerStep);
    }
    Edit4.setText("Is just in time?");
}

void TEp3::Edit3KeyDown(int key) {
    if (key != KeyEnter) return;
    std::int32_t count = 0;
    if (parseDecimal(Edit3.text(), count)) link_.loopCount = count;
}

void TEp3::aborted(const OperationAborted&) {
    // The link was lost in a test: the program now runs without the box.
    Edit4.setText(SoftRunStatus);
    showLink();
}

} // namespace quarvin
