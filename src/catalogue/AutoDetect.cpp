// Reading the manufacturer and device codes of a 32-pin parallel memory in the
// high-voltage identification mode (12 V on its address pin A9).
#include <cstdio>

#include "catalogue/TTypeDlg.h"
#include "link/commands/LinkOps.h"
#include "link/trace/OperationLabel.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

// Socket pins of a 32-pin memory whose pin 1 sits in socket pin 5.
constexpr int IdVppMillivolts = 12000;
constexpr int SettleTicks = 100;
constexpr int PinDevice1 = 5;     // device pin 1 (Vpp/A19) held high
constexpr int PinA15 = 7;         // device pin 3 held high
constexpr int PinVcc = 36;
constexpr int PinGround = 20;
constexpr int PinA9 = 30;         // 12 V here selects the identification codes
constexpr int PinA0 = 16;
constexpr int DataPort = 2;       // D0..D7 on socket pins 17, 18, 19, 21..25
constexpr int DataInputs = 12;    // SetDataWidth mode: data pins become inputs

constexpr int CategoryEprom = 0;
constexpr int CategoryFlash = 1;

} // namespace

void TTypeDlg::MFRClick() {
    // Labelled in a link trace as the command line labels its code read.
    const OperationLabel label(link_, "id");
    Edit1_.setText("");
    if (!link_.connected) {
        ResetSocket(link_);
        return;
    }
    int category = categoryIndex();
    if (category != CategoryEprom && category != CategoryFlash) return;

    SetVppLevel(link_, IdVppMillivolts);
    Delay(link_, SettleTicks);
    WriteAllPorts(link_, 0);
    PinHigh(link_, PinDevice1);
    PinHigh(link_, PinA15);
    PinHigh(link_, PinVcc);
    ConnectVcc(link_, PinVcc);
    ConnectGround(link_, PinGround);
    SetDataWidth(link_, DataInputs);
    WritePort(link_, DataPort, 0xFF);
    ConnectVpp(link_, PinA9);
    PinLow(link_, PinA0);
    std::uint8_t mfg = ReadPort(link_, DataPort);
    PinHigh(link_, PinA0);
    std::uint8_t device = ReadPort(link_, DataPort);
    ConnectVpp(link_, 0);
    ConnectVcc(link_, 0);

    mfgCode = mfg;
    deviceCode = device;
    char text[8];
    std::snprintf(text, sizeof text, "%02x,%02x", mfg, device);
    Edit1_.setText(text);
}

void TTypeDlg::IDClick() {
    // After a lost link there is nothing to detect; old codes would look like an answer.
    if (link_.lost) {
        platform_.prompts->message(QV_TEXT("Communication error!"));
        return;
    }
    if (categoryIndex() > CategoryFlash) {
        platform_.prompts->message("Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!");
        return;
    }
    MFRClick();
    char text[40];
    std::snprintf(text, sizeof text, "MFG = %02x,    Type = %02x", mfgCode, deviceCode);
    platform_.prompts->message(text);
}

} // namespace quarvin
