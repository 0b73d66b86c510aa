#pragma once
// Option > Serial number: whether the window's Programe and Auto write a serial
// number into the buffer before programming, where, in which format, from which
// number on, and the counter file that hands the numbers out.
#include "forms/Form.h"
#include "shell/SerialSettings.h"

namespace quarvin {

struct Platform;

class TSerialDlg : public Form {
public:
    TSerialDlg(WindowSerialNumbers& numbers, Platform& platform);

    // Shows the dialog with the settings in force.
    void open();
    // Takes the fields when they read (else says what is wrong and stays open)
    // and stores them with the program's settings.
    void OKBtnClick();
    void CancelBtnClick();

private:
    void showSettings(const SerialSettings& s);

    WindowSerialNumbers& numbers_;
    Platform& platform_;
};

} // namespace quarvin
