#include "shell/TSerialDlg.h"

#include <cstdio>
#include <iterator>

#include "forms/Texts.h"
#include "platform/Platform.h"
#include "shell/SerialCounter.h"

namespace quarvin {

namespace {

// The format list's rows; the digit count completes the last three.
constexpr const char* kLayoutNames[] = {"le16", "be16", "le32", "be32", "bcd", "ascii", "hex"};
constexpr int kFirstCountedLayout = 4;

} // namespace

TSerialDlg::TSerialDlg(WindowSerialNumbers& numbers, Platform& platform)
    : Form("TSerialDlg", QV_TEXT("Serial number"), 330, 290), numbers_(numbers), platform_(platform) {
    add(ControlKind::CheckBox, "SerialOn", QV_TEXT("Write a serial number when programming"), 16, 10, 300, 20);
    add(ControlKind::Label, "Label1", QV_TEXT("Address (HEX)"), 16, 42, 110, 16);
    add(ControlKind::Edit, "AddressEdit", "0", 130, 40, 180, 21);
    add(ControlKind::Label, "Label2", QV_TEXT("Format"), 16, 70, 110, 16);
    Control& format = add(ControlKind::ComboBox, "FormatBox", "", 130, 68, 90, 22);
    format.setItems({std::begin(kLayoutNames), std::end(kLayoutNames)});
    add(ControlKind::Label, "Label3", QV_TEXT("Digits"), 226, 70, 40, 16);
    add(ControlKind::Edit, "DigitsEdit", "", 270, 68, 40, 21);
    add(ControlKind::Label, "Label4", "Start", 16, 98, 110, 16);
    add(ControlKind::Edit, "StartEdit", "0", 130, 96, 180, 21);
    add(ControlKind::Label, "Label5", QV_TEXT("Step"), 16, 126, 110, 16);
    add(ControlKind::Edit, "StepEdit", "1", 130, 124, 180, 21);
    add(ControlKind::Label, "Label6", QV_TEXT("Counter file"), 16, 154, 110, 16);
    add(ControlKind::Edit, "CounterEdit", "", 130, 152, 180, 21);
    Control& ok = add(ControlKind::Button, "OKBtn", "OK", 70, 220, 80, 25);
    ok.isDefault = true;
    ok.onClick = [this] { OKBtnClick(); };
    Control& cancel = add(ControlKind::Button, "CancelBtn", "Cancel", 180, 220, 80, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
    showSettings(numbers_.settings());
}

void TSerialDlg::showSettings(const SerialSettings& s) {
    control("SerialOn").setChecked(s.on);
    char address[16];
    std::snprintf(address, sizeof address, "%X", s.spec.address);
    control("AddressEdit").setText(address);
    const int layout = static_cast<int>(s.spec.format.layout);
    control("FormatBox").setItemIndex(layout);
    control("DigitsEdit").setText(layout >= kFirstCountedLayout ? std::to_string(s.spec.format.digits) : "");
    control("StartEdit").setText(std::to_string(s.spec.start));
    control("StepEdit").setText(std::to_string(s.spec.step));
    control("CounterEdit").setText(s.counterFile);
}

void TSerialDlg::open() {
    showSettings(numbers_.settings());
    show();
}

void TSerialDlg::OKBtnClick() {
    const int layout = control("FormatBox").itemIndex();
    if (layout < 0 || layout >= static_cast<int>(std::size(kLayoutNames))) {
        platform_.prompts->message("Choose a serial number format");
        return;
    }
    std::string format = kLayoutNames[layout];
    if (layout >= kFirstCountedLayout) format += control("DigitsEdit").text();
    const SerialSpecParse parsed = ParseSerialSpec(control("AddressEdit").text() + ":" + format + ":" +
                                                   control("StartEdit").text() + ":" + control("StepEdit").text());
    if (!parsed.spec) {
        platform_.prompts->message("The serial number is not taken: " + parsed.error);
        return;
    }
    SerialSettings s;
    s.on = control("SerialOn").checked();
    s.spec = *parsed.spec;
    s.counterFile = control("CounterEdit").text().empty() ? std::string(kSerialCounterFileName)
                                                           : control("CounterEdit").text();
    if (const std::string error = numbers_.store(s); !error.empty()) platform_.prompts->message(error);
    hide();
}

void TSerialDlg::CancelBtnClick() { hide(); }

} // namespace quarvin
