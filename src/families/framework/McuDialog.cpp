#include "families/framework/McuDialog.h"

#include <algorithm>

#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {
// Status in Msg, the progress address as "%04x".
constexpr FamilyDialog::ProgressDisplay kDisplay{"Msg", "%04x"};
} // namespace

namespace {
constexpr int kButtonPitch = 80;
constexpr int kRowHeight = 20;
} // namespace

McuDialog::McuDialog(DeviceContext& ctx, std::string className, std::string caption, McuForm form)
    : FamilyDialog(ctx, std::move(className), std::move(caption), 470, 330), form_(std::move(form)) {
    buildControls(form_);
    onClose = [this] { OnCloseForm(); };
}

void McuDialog::buildControls(const McuForm& form) {
    add(ControlKind::Edit, "Edit7", "", 12, 8, 446, 21).readOnly = true;

    int x = 12;
    for (const McuForm::Button& b : form.buttons) {
        const McuStep step = b.step;
        add(ControlKind::Button, b.name, b.caption, x, 40, 75, 25).onClick = [this, step] {
            switch (step) {
            case McuStep::Read: ReadRom(); break;
            case McuStep::Erase: EraseClick(); break;
            case McuStep::Blank: BlankClick(); break;
            case McuStep::Program: WriteClick(); break;
            case McuStep::Verify: VerifyClick(); break;
            case McuStep::Protect: SecrityClick(); break;
            case McuStep::Id: IDClick(); break;
            }
        };
        x += kButtonPitch;
        if (x + 75 > 458) x = 12;
    }

    const int groupHeight = 30 + kRowHeight * static_cast<int>(form.runBoxes.size());
    add(ControlKind::GroupBox, "GroupBox1", form.runGroupCaption, 12, 74, 150, groupHeight);
    int y = 92;
    for (const McuForm::RunBox& r : form.runBoxes) {
        Control& c = add(ControlKind::CheckBox, r.name, r.caption, 20, y, 84, 17);
        c.parent = "GroupBox1";
        c.setChecked(r.checked);
        y += kRowHeight;
    }
    Control& b1 = add(ControlKind::Button, "Button1", form.runButtonCaption, 104, 92, 52, 25);
    b1.parent = "GroupBox1";
    b1.onClick = [this] { Button1Click(); };

    int ox = 170;
    for (const McuForm::Options& o : form.options) {
        const int h = 24 + kRowHeight * static_cast<int>(o.items.size());
        Control& r = add(ControlKind::RadioGroup, o.name, o.caption, ox, 74, 140, h);
        r.setItems(o.items);
        r.setItemIndex(o.initialIndex);
        ox += 144;
    }

    const int below = 84 + groupHeight;
    Control& bar = add(ControlKind::ProgressBar, "RdBar", "", 12, below, 360, 18);
    bar.setRange(0, 100);
    Control& e6 = add(ControlKind::Edit, "Edit6", "", 380, below - 2, 78, 21);
    e6.readOnly = true;
    e6.colour = Colour::Red;
    add(ControlKind::Edit, "Msg", " ", 12, below + 28, 360, 48).readOnly = true;
    if (form.exitButton) {
        Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 383, below + 40, 75, 25);
        cancel.isCancel = true;
        cancel.onClick = [this] { CancelBtnClick(); };
    }
}

void McuDialog::Start() {
    ResetSocket(link());
    // The dialog opens with or without a box; without one every reply reads 255.
    control("Msg").setText(link().connected ? "OK " : form_.notConnectedText);
    ctx_.docs.New();
    show();
    bringToFront();
    control("Edit7").setText(ctx_.selection.description);
    ctx_.docs.setEndAddress(static_cast<std::int32_t>(rowLastAddress()));
    ctx_.docs.refreshHexWindow();
    afterStart();
}

int McuDialog::selectedRow(int rowCount) const {
    const int index = ctx_.selection.subType;
    return index >= 0 && index < rowCount ? index : 0;
}

McuRange McuDialog::range() const {
    McuRange r;
    r.rowLast = rowLastAddress();
    if (ctx_.docs.hasHexWindow()) r.end = ctx_.docs.endAddress();
    return r;
}

int McuDialog::failureFlagOf(McuStep, const OperationResult& result) const { return result.ok() ? 0 : 1; }

void McuDialog::setMessage(const std::string& text, bool repaintNow) { showStatus(kDisplay, text, repaintNow); }

void McuDialog::showProgress(std::uint32_t a, std::uint32_t last) { showProgressAt(kDisplay, a, last); }

OperationHooks McuDialog::hooks() { return operationHooks(kDisplay); }

OperationResult McuDialog::perform(McuStep step) {
    const OperationHooks h = hooks();
    const OperationResult r = RunGuarded(link(), [&] { return run(step, h); });
    setMessage(r.message, false);
    if (!keepsFlag(step, r)) failure_ = failureFlagOf(step, r);
    // Whatever Read brought in, also before a failure, is in the buffer.
    if (step == McuStep::Read && r.outcome != Outcome::Refused && hasHexWindow()) ctx_.docs.refreshHexWindow();
    bringToFront();
    return r;
}

void McuDialog::ReadRom() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Read);
}
void McuDialog::EraseClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Erase);
}
void McuDialog::BlankClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Blank);
}
void McuDialog::WriteClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Program);
}
void McuDialog::VerifyClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Verify);
}
void McuDialog::SecrityClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Protect);
}
void McuDialog::IDClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(McuStep::Id);
}

void McuDialog::Button1Click() {
    // One stop request ends the whole chain, whichever step it falls in.
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    failure_ = 0;
    const OperationResult gate = RunGuarded(link(), [&] {
        const std::optional<OperationResult> refusal = beforeChain();
        return refusal ? *refusal : OperationResult::done({});
    });
    if (!gate.ok()) {
        failure_ = 1;
        setMessage(gate.message, false);
        return;
    }
    for (const McuForm::RunBox& box : form_.runBoxes) {
        Control& c = control(box.name);
        if (!c.checked() || !c.enabled()) continue;
        // A step that did not succeed has left its own message and flag.
        if (perform(box.step); failure_ != 0) return;
    }
    setMessage("OK", false);
}

void McuDialog::aborted(const OperationAborted&) {
    failure_ = 1;
    setMessage(kNotConnectedText, true);
}

void McuDialog::OnCloseForm() { ShutDownSocket(link()); }

void McuDialog::CancelBtnClick() {
    // The button handler runs while the form is busy, so it cannot go through
    // Form::close(); it runs the same sequence and hides the dialog.
    OnCloseForm();
    hide();
}

} // namespace quarvin
