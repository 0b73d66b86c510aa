#include "buffer/DifferencesWindow.h"
#include "forms/Texts.h"

namespace quarvin {

DifferencesWindow::DifferencesWindow() : Form(kFormClass, QV_TEXT("Differences"), 360, 420) {
    Control& memo = add(ControlKind::Memo, "Memo1", "", 8, 8, 344, 364);
    memo.fixedPitch = true;
    memo.readOnly = true;
    Control& close = add(ControlKind::Button, "CloseBtn", QV_TEXT("Close"), 277, 384, 75, 25);
    close.isCancel = true;
    close.onClick = [this] { this->close(); };
}

void DifferencesWindow::showList(const DifferenceList& differences) {
    control("Memo1").setText(differences.text("buffer", "chip"));
    show();
    bringToFront();
}

} // namespace quarvin
