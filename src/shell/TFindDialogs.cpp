#include "shell/TFindDialogs.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

// The dialogs' Cancel runs inside a handler, where Form::close would refuse to act.
void AddCancel(Form& f, int x, int y) {
    Control& cancel = f.add(ControlKind::Button, "CancelBtn", QV_TEXT("Cancel"), x, y, 90, 26);
    cancel.isCancel = true;
    cancel.onClick = [&f] { f.hide(); };
}

} // namespace

TFindDialog::TFindDialog(FindReplace& steps, ActiveWindow active)
    : Form("FindDialog1", QV_TEXT("Find"), 360, 90), steps_(steps), active_(std::move(active)) {
    add(ControlKind::Label, "Label1", QV_TEXT("Find what:"), 8, 14, 70, 18);
    add(ControlKind::Edit, "Edit1", "", 84, 10, 170, 24);
    Control& next = add(ControlKind::Button, "FindNext", QV_TEXT("Find Next"), 262, 8, 90, 26);
    next.isDefault = true;
    next.onClick = [this] { OnFind(); };
    AddCancel(*this, 262, 42);
}

void TFindDialog::OnFind() { steps_.OnFind(active_(), control("Edit1").text()); }

TReplaceDialog::TReplaceDialog(FindReplace& steps, ActiveWindow active)
    : Form("ReplaceDialog1", QV_TEXT("Replace"), 360, 150), steps_(steps), active_(std::move(active)) {
    add(ControlKind::Label, "Label1", "Find what:", 8, 14, 76, 18);
    add(ControlKind::Edit, "Edit1", "", 88, 10, 166, 24);
    add(ControlKind::Label, "Label2", QV_TEXT("Replace with:"), 8, 46, 76, 18);
    add(ControlKind::Edit, "Edit2", "", 88, 42, 166, 24);
    Control& next = add(ControlKind::Button, "FindNext", "Find Next", 262, 8, 90, 26);
    next.isDefault = true;
    next.onClick = [this] { OnRePlaceFind(); };
    add(ControlKind::Button, "Replace", "Replace", 262, 40, 90, 26).onClick = [this] { OnRePlace(); };
    add(ControlKind::Button, "ReplaceAll", QV_TEXT("Replace All"), 262, 72, 90, 26).onClick = [this] { OnRePlaceAll(); };
    AddCancel(*this, 262, 110);
}

void TReplaceDialog::OnRePlaceFind() { steps_.OnRePlaceFind(active_(), control("Edit1").text()); }
void TReplaceDialog::OnRePlace() { steps_.OnRePlace(active_(), control("Edit2").text()); }
void TReplaceDialog::OnRePlaceAll() {
    steps_.OnRePlaceAll(active_(), control("Edit1").text(), control("Edit2").text());
}

} // namespace quarvin
