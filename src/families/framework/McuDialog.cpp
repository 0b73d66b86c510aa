#include "families/framework/McuDialog.h"

#include <algorithm>

#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {
// Status in Msg, the progress address as "%04x".
constexpr FamilyDialog::ProgressDisplay kDisplay{"Msg", "%04x"};

// The step's name in a link trace, as the command line names it.
const char* OperationName(McuStep step) {
    switch (step) {
    case McuStep::Read: return "read";
    case McuStep::Erase: return "erase";
    case McuStep::Blank: return "blank";
    case McuStep::Program: return "program";
    case McuStep::Verify: return "verify";
    case McuStep::Protect: return "protect";
    case McuStep::Id: return "id";
    case McuStep::ReadFuse: return "fuses";
    case McuStep::WriteFuse: return "fuse";
    }
    return "?";
}
} // namespace

namespace {
constexpr int kFormWidth = 470;
constexpr int kRightEdge = 458;
constexpr int kButtonWidth = 75;
constexpr int kButtonPitch = 80;
constexpr int kButtonRowPitch = 30;
constexpr int kRowHeight = 20;
constexpr int kExtraRowHeight = 30;

int ButtonsPerRow() { return (kRightEdge - 12 - kButtonWidth) / kButtonPitch + 1; }

int ButtonRows(const McuForm& form) {
    const int n = static_cast<int>(form.buttons.size());
    return n == 0 ? 1 : (n + ButtonsPerRow() - 1) / ButtonsPerRow();
}

int GroupHeight(const McuForm& form) { return 30 + kRowHeight * static_cast<int>(form.runBoxes.size()); }
int OptionsHeight(const McuForm::Options& o) { return 24 + kRowHeight * static_cast<int>(o.items.size()); }

int TallestGroup(const McuForm& form) {
    int h = GroupHeight(form);
    for (const McuForm::Options& o : form.options) h = std::max(h, OptionsHeight(o));
    return h;
}

// The groups start below the last row of buttons; Msg below the tallest group.
int GroupsTop(const McuForm& form) { return 74 + kButtonRowPitch * (ButtonRows(form) - 1); }
int BarTop(const McuForm& form) { return GroupsTop(form) + 10 + TallestGroup(form); }
int ExtrasTop(const McuForm& form) { return BarTop(form) + 28 + 48 + 10; }

int FormHeight(const McuForm& form) { return ExtrasTop(form) + kExtraRowHeight * form.extraRows + 20; }

// The option groups stand in a row right of the run group; a form with more of
// them than the usual width holds grows wider, so that none is cut off.
constexpr int kOptionsLeft = 170;
constexpr int kOptionWidth = 140;
constexpr int kOptionPitch = 144;
int FormWidth(const McuForm& form) {
    const int n = static_cast<int>(form.options.size());
    const int right = n == 0 ? 0 : kOptionsLeft + kOptionPitch * (n - 1) + kOptionWidth;
    return std::max(kFormWidth, right + (kFormWidth - kRightEdge));
}

} // namespace

McuDialog::McuDialog(DeviceContext& ctx, std::string className, std::string caption, McuForm form)
    : FamilyDialog(ctx, std::move(className), std::move(caption), FormWidth(form), FormHeight(form)),
      form_(std::move(form)), extrasTop_(ExtrasTop(form_)), groupsTop_(GroupsTop(form_)) {
    buildControls(form_);
    onClose = [this] { OnCloseForm(); };
}

void McuDialog::buildControls(const McuForm& form) {
    add(ControlKind::Edit, "Edit7", "", 12, 8, 446, 21).readOnly = true;

    int x = 12;
    int y = 40;
    for (const McuForm::Button& b : form.buttons) {
        const McuStep step = b.step;
        if (x + kButtonWidth > kRightEdge) {
            x = 12;
            y += kButtonRowPitch;
        }
        add(ControlKind::Button, b.name, b.caption, x, y, kButtonWidth, 25).onClick = [this, step] {
            switch (step) {
            case McuStep::Read: ReadRom(); break;
            case McuStep::Erase: EraseClick(); break;
            case McuStep::Blank: BlankClick(); break;
            case McuStep::Program: WriteClick(); break;
            case McuStep::Verify: VerifyClick(); break;
            case McuStep::Protect: SecrityClick(); break;
            case McuStep::Id: IDClick(); break;
            case McuStep::ReadFuse:
            case McuStep::WriteFuse: StepClick(step); break;
            }
        };
        x += kButtonPitch;
    }

    const int top = GroupsTop(form);
    add(ControlKind::GroupBox, form.runGroupName, form.runGroupCaption, 12, top, 150, GroupHeight(form));
    int boxY = top + 18;
    for (const McuForm::RunBox& r : form.runBoxes) {
        Control& c = add(ControlKind::CheckBox, r.name, r.caption, 20, boxY, 84, 17);
        c.parent = form.runGroupName;
        c.setChecked(r.checked);
        boxY += kRowHeight;
    }
    Control& b1 = add(ControlKind::Button, "Button1", form.runButtonCaption, 104, top + 18, 52, 25);
    b1.parent = form.runGroupName;
    b1.onClick = [this] { Button1Click(); };

    int ox = kOptionsLeft;
    for (const McuForm::Options& o : form.options) {
        Control& r = add(ControlKind::RadioGroup, o.name, o.caption, ox, top, kOptionWidth, OptionsHeight(o));
        r.setItems(o.items);
        r.setItemIndex(o.initialIndex);
        ox += kOptionPitch;
    }

    const int below = BarTop(form);
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
    clearPreviousRun();
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
    std::optional<OperationResult> refusal = refuseAfterIncompleteLoad();
    // A Programe on its own numbers its chip; within Auto the chain holds the number.
    const bool numbers = step == McuStep::Program && !holdingSerial();
    if (numbers && !refusal) refusal = holdSerial(0, range().last() + 1);
    const OperationResult r = runRecorded(OperationName(step), std::nullopt, [&] { return refusal ? *refusal : run(step, h); });
    if (numbers) releaseSerial(r.ok());
    if (step == McuStep::Verify && r.outcome == Outcome::Failed)
        listDifferences(0, range().last() + 1, [&] { return run(McuStep::Read, h); });
    // A step that succeeds without a word of its own leaves Msg as it was.
    if (!(r.ok() && r.message.empty())) setMessage(r.message, false);
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

void McuDialog::StepClick(McuStep step) {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(step);
}

void McuDialog::Button1Click() {
    // One stop request ends the whole chain, whichever step it falls in.
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    failure_ = 0;
    const OperationResult gate = runOperation("auto", [&] {
        const std::optional<OperationResult> refusal = beforeChain();
        return refusal ? *refusal : OperationResult::done({});
    });
    if (!gate.ok()) {
        failure_ = 1;
        setMessage(gate.message, false);
        return;
    }
    for (const McuForm::RunBox& box : form_.runBoxes) {
        const Control& c = control(box.name);
        if (box.step != McuStep::Program || !c.checked() || !c.enabled()) continue;
        if (const std::optional<OperationResult> refusal = holdSerial(0, range().last() + 1)) {
            failure_ = 1;
            setMessage(refusal->message, false);
            return;
        }
    }
    for (const McuForm::RunBox& box : form_.runBoxes) {
        Control& c = control(box.name);
        if (!c.checked() || !c.enabled()) continue;
        // A step that did not succeed has left its own message and flag; the
        // number stays with the chip only when the whole Auto succeeded.
        if (perform(box.step); failure_ != 0) {
            releaseSerial(false);
            return;
        }
    }
    releaseSerial(true);
    setMessage(form_.chainDoneText, false);
}

void McuDialog::aborted(const OperationAborted&) {
    releaseSerial(false);
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
