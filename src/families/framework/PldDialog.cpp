#include "families/framework/PldDialog.h"

#include <algorithm>

#include "families/framework/PldSession.h"
#include "families/framework/PldSteps.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {
// Status in Msg, the progress address as "%04d".
constexpr FamilyDialog::ProgressDisplay kDisplay{"Msg", "%04d"};
} // namespace

namespace {

struct ButtonSpec {
    PldStep step;
    const char* name;
    const char* caption; // nullptr: the family's security caption
};

constexpr ButtonSpec kButtons[] = {
    {PldStep::Read, "Read1", "Read"},       {PldStep::Erase, "Erase", "Erase"},
    {PldStep::Blank, "Blank", "Blank"},     {PldStep::Program, "Write", "Programe"},
    {PldStep::Verify, "Verify", "Verify"}, {PldStep::Secure, "Secrity", nullptr},
};

struct AutoBox {
    const char* name;
    const char* caption;
    bool checked;
    PldStep step;
};

// Auto runs its ticked steps in this order.
constexpr AutoBox kAutoBoxes[] = {
    {"CheckBox1", "Erase", false, PldStep::Erase},      {"CheckBox2", "Blank", true, PldStep::Blank},
    {"CheckBox3", "Programe", true, PldStep::Program}, {"CheckBox4", "Verify", true, PldStep::Verify},
    {"CheckBox5", "Secrity", false, PldStep::Secure},
};

constexpr int kButtonWidth = 64;
constexpr int kButtonPitch = 67;
constexpr int kBoxPitch = 78;

} // namespace

PldDialog::PldDialog(DeviceContext& ctx, std::string className, std::string caption, PldForm form)
    : FamilyDialog(ctx, std::move(className), std::move(caption), 430, 244), form_(std::move(form)) {
    buildControls();
    onClose = [this] { OnCloseForm(); };
}

void PldDialog::buildControls() {
    add(ControlKind::Edit, "Edit7", "", 12, 8, 406, 21).readOnly = true;

    int x = 12;
    for (const ButtonSpec& b : kButtons) {
        const PldStep step = b.step;
        const std::string caption = b.caption ? b.caption : form_.secureCaption;
        add(ControlKind::Button, b.name, caption, x, 40, kButtonWidth, 25).onClick = [this, step] { clicked(step); };
        x += kButtonPitch;
    }

    add(ControlKind::GroupBox, "GroupBox1", form_.autoCaption, 12, 74, 406, 72);
    x = 20;
    for (const AutoBox& a : kAutoBoxes) {
        Control& c = add(ControlKind::CheckBox, a.name, a.caption, x, 94, kBoxPitch - 4, 17);
        c.parent = "GroupBox1";
        c.setChecked(a.checked);
        x += kBoxPitch;
    }
    Control& b1 = add(ControlKind::Button, "Button1", "Auto", 335, 116, 75, 23);
    b1.parent = "GroupBox1";
    b1.onClick = [this] { Button1Click(); };

    Control& bar = add(ControlKind::ProgressBar, "RdBar", "", 12, 156, 320, 18);
    bar.setRange(0, 100);
    Control& e6 = add(ControlKind::Edit, "Edit6", "", 340, 154, 78, 21);
    e6.readOnly = true;
    e6.colour = Colour::Red;
    add(ControlKind::Edit, "Msg", " ", 12, 184, 316, 48).readOnly = true;

    Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 343, 196, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
}

void PldDialog::Start() {
    ResetSocket(link());
    clearPreviousRun();
    // The dialog opens with or without a box; without one the operations still
    // run and every reply reads 255.
    control("Msg").setText(link().connected ? "OK " : kNotConnected);
    PldPrepareSocket(link(), vppMillivolts());
    if (ctx_.docs.openFuseMap()) FillFuseMap(buffer());
    control("Edit7").setText(deviceText());
    showFuseMap();
    show();
    bringToFront();
}

int PldDialog::selectedRow(int rowCount) const {
    const int index = ctx_.selection.subType;
    return index >= 0 && index < rowCount ? index : 0;
}

void PldDialog::showFuseMap() {
    const formats::FuseGeometry g = geometry();
    ctx_.docs.setFuseGeometry(g.fusesPerRow, g.fuseRows);
    ctx_.docs.refreshFuseMap();
}

void PldDialog::setMessage(const std::string& text, bool repaintNow) { showStatus(kDisplay, text, repaintNow); }

void PldDialog::showProgress(std::uint32_t position, std::uint32_t last) { showProgressAt(kDisplay, position, last); }

OperationHooks PldDialog::hooks() { return operationHooks(kDisplay); }

OperationResult PldDialog::perform(PldStep step) {
    if (step == PldStep::Program && !ctx_.docs.hasFuseMap()) {
        failure_ = true;
        if (ctx_.platform.prompts) ctx_.platform.prompts->message(kMustBeJedec);
        return OperationResult::refused(kMustBeJedec);
    }
    if (step == PldStep::Read) ctx_.docs.openFuseMap();
    const OperationHooks h = hooks();
    const std::optional<OperationResult> refusal = refuseAfterIncompleteLoad();
    const OperationResult r = runRecorded(PldStepName(step), std::nullopt, [&] { return refusal ? *refusal : run(step, h); });
    // The fuses that differ, by fuse number ("0"/"1" in the map as 30/31).
    if (step == PldStep::Verify && r.outcome == Outcome::Failed)
        listDifferences(0, static_cast<std::uint32_t>(geometry().fuseCount()), [&] { return run(PldStep::Read, h); });
    setMessage(r.message, false);
    failure_ = !r.ok();
    // Whatever Read brought in, also before a failure or a lost link, is in the map: show it.
    if (step == PldStep::Read && r.outcome != Outcome::Refused) showFuseMap();
    bringToFront();
    return r;
}

void PldDialog::clicked(PldStep step) {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(step);
}

void PldDialog::ReadRom() { clicked(PldStep::Read); }
void PldDialog::EraseClick() { clicked(PldStep::Erase); }
void PldDialog::BlankClick() { clicked(PldStep::Blank); }
void PldDialog::WriteClick() { clicked(PldStep::Program); }
void PldDialog::VerifyClick() { clicked(PldStep::Verify); }
void PldDialog::SecrityClick() { clicked(PldStep::Secure); }

void PldDialog::Button1Click() {
    if (control("CheckBox3").checked() && !ctx_.docs.hasFuseMap()) {
        failure_ = true;
        if (ctx_.platform.prompts) ctx_.platform.prompts->message(kNoFileOpened);
        return;
    }
    // One stop request ends the whole chain, whichever step it falls in.
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    failure_ = false;
    const bool erase = control("CheckBox1").checked();
    for (const AutoBox& box : kAutoBoxes) {
        if (!control(box.name).checked()) continue;
        if (box.step == PldStep::Blank && erase && form_.eraseSkipsBlank) continue;
        // A step that did not succeed leaves its own message and the flag.
        if (!perform(box.step).ok()) return;
    }
    setMessage("OK", false);
}

void PldDialog::aborted(const OperationAborted&) {
    failure_ = true;
    setMessage(kNotConnectedText, true);
}

void PldDialog::OnCloseForm() { ShutDownSocket(link()); }

void PldDialog::CancelBtnClick() {
    // The button handler runs while the form is busy, so it cannot go through
    // Form::close(); it runs the same sequence and hides the dialog.
    OnCloseForm();
    hide();
}

} // namespace quarvin
