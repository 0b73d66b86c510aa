#include "buffer/TInputHexDlg.h"

#include <algorithm>

#include "buffer/Documents.h"
#include "buffer/TFileWin.h"
#include "forms/HexFieldInput.h"
#include "forms/Texts.h"

namespace quarvin {

TInputHexDlg::TInputHexDlg(Documents& documents)
    : Form("TInputHexDlg", QV_TEXT("Fill Buffer"), 230, 170), documents_(documents) {
    add(ControlKind::Label, "Label1", QV_TEXT("(HEX)"), 90, 8, 60, 16);
    add(ControlKind::Label, "Label2", "Start", 16, 32, 50, 16);
    add(ControlKind::Edit, "Edit1", "0000", 80, 30, 120, 21);
    add(ControlKind::Label, "Label3", QV_TEXT("End"), 16, 60, 50, 16);
    add(ControlKind::Edit, "Edit2", "ffff", 80, 58, 120, 21);
    add(ControlKind::Label, "Label4", QV_TEXT("Data"), 16, 88, 50, 16);
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
    // A value a field cannot hold is refused and nothing is done (no field taken
    // either), so that the user sees what was kept before anything is filled.
    std::int32_t start = start_, endField = end_, data = data_;
    std::string refusals;
    const struct {
        const char* edit;
        const char* name;
        std::uint32_t largest;
        std::int32_t& value;
    } fields[] = {{"Edit1", "Start", kBufferLast, start}, {"Edit2", "End", kBufferLast, endField},
                  {"Edit3", "Data", 0xFF, data}};
    for (const auto& f : fields) TakeHexField(control(f.edit), f.name, f.largest, f.value, refusals);
    if (!refusals.empty()) {
        documents_.platform().prompts->message(refusals);
        return;
    }
    start_ = start;
    end_ = endField;
    data_ = data;
    const std::int32_t end = std::min(end_, kMaxEnd);
    win->setEndAddress(end);
    if (fillMode()) {
        MainBuffer& buf = documents_.buffer();
        for (std::int32_t a = start_; a <= end; ++a) buf[static_cast<std::uint32_t>(a)] = static_cast<std::uint8_t>(data_);
    }
    win->Refresh();
    hide();
}

void TInputHexDlg::CancelBtnClick() { hide(); }

} // namespace quarvin
