#include "buffer/TInputHexDlg.h"

#include <algorithm>

#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "forms/HexText.h"

namespace quarvin {

namespace {

// Reads a hexadecimal field; text that does not parse keeps the previous value.
void parseHex(const std::string& text, std::int32_t& value) {
    if (auto v = ParseHexField(text)) value = static_cast<std::int32_t>(*v);
}

} // namespace

TInputHexDlg::TInputHexDlg(Documents& documents)
    : Form("TInputHexDlg", "Fill Buffer", 230, 170), documents_(documents) {
    add(ControlKind::Label, "Label1", "(HEX)", 90, 8, 60, 16);
    add(ControlKind::Label, "Label2", "Start", 16, 32, 50, 16);
    add(ControlKind::Edit, "Edit1", "0000", 80, 30, 120, 21);
    add(ControlKind::Label, "Label3", "End", 16, 60, 50, 16);
    add(ControlKind::Edit, "Edit2", "ffff", 80, 58, 120, 21);
    add(ControlKind::Label, "Label4", "Data", 16, 88, 50, 16);
    add(ControlKind::Edit, "Edit3", "ff", 80, 86, 120, 21);
    Control& ok = add(ControlKind::Button, "OKBtn", "Yes", 30, 124, 75, 25);
    ok.isDefault = true;
    ok.onClick = [this] { OKBtnClick(); };
    Control& cancel = add(ControlKind::Button, "CancelBtn", "Cancel", 125, 124, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
}

void TInputHexDlg::setMode(bool fill) {
    for (const char* name : {"Edit1", "Edit3", "Label2", "Label4"}) control(name).setEnabled(fill);
}

void TInputHexDlg::openFill() {
    setMode(true);
    show();
}

void TInputHexDlg::openSize() {
    setMode(false);
    show();
}

bool TInputHexDlg::fillMode() const {
    for (const auto& c : controls())
        if (c.name == "Label4") return c.enabled();
    return false;
}

void TInputHexDlg::OKBtnClick() {
    TFileWin* win = documents_.hexWindow();
    if (!win) return;
    parseHex(control("Edit1").text(), start_);
    parseHex(control("Edit2").text(), end_);
    parseHex(control("Edit3").text(), data_);
    const std::int32_t end = std::min(end_, kMaxEnd);
    win->setEndAddress(end);
    if (fillMode()) {
        // Only addresses inside the buffer are written, whatever Start says.
        MainBuffer& buf = documents_.buffer();
        const std::int32_t first = std::max<std::int32_t>(start_, 0);
        for (std::int32_t a = first; a <= end; ++a)
            buf[static_cast<std::uint32_t>(a)] = static_cast<std::uint8_t>(data_ & 0xFF);
    }
    win->Refresh();
    hide();
}

void TInputHexDlg::CancelBtnClick() { hide(); }

} // namespace quarvin
