#include "families/framework/MemoryDialog.h"

#include <algorithm>

#include "families/framework/MemorySession.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {
// Status in Message, the progress address as "%06x".
constexpr FamilyDialog::ProgressDisplay kDisplay{"Message", "%06x"};
} // namespace

MemoryForm FlashMemoryForm() {
    MemoryForm f;
    f.idCaption = "ID";
    f.idLabel = "ID";
    f.autoBoxes = {
        {"CheckBox1", "Erase", false, MemoryStep::Erase, 76},
        {"CheckBox2", "Blank", false, MemoryStep::Blank, 66},
        {"CheckBox3", "Programe", true, MemoryStep::Program, 76},
        {"CheckBox4", "Verify", true, MemoryStep::Verify, 66},
    };
    return f;
}

MemoryDialog::MemoryDialog(DeviceContext& ctx, std::string className, std::string caption, MemoryForm form)
    : FamilyDialog(ctx, std::move(className), std::move(caption), 480, 330), autoBoxes_(form.autoBoxes) {
    buildControls(form);
    onClose = [this] { OnCloseForm(); };
}

namespace {

// Where the Auto group's check boxes go: three in the pattern form's places,
// four in two columns of two.
struct Place {
    int x, y;
};
constexpr Place kThreeBoxes[] = {{264, 144}, {264, 164}, {360, 144}};
constexpr Place kFourBoxes[] = {{262, 144}, {340, 144}, {262, 164}, {340, 164}};

} // namespace

void MemoryDialog::buildControls(const MemoryForm& form) {
    add(ControlKind::Label, "Label4", form.idLabel, 12, 12, 30, 16);
    add(ControlKind::Edit, "Edit4", "", 48, 8, 90, 21).readOnly = true;
    add(ControlKind::Edit, "Edit7", "", 150, 8, 318, 21).readOnly = true;

    add(ControlKind::Label, "Label1", QV_TEXT("Buffer Start"), 12, 42, 80, 16);
    add(ControlKind::Label, "Label2", form.deviceStartLabel, 12, 70, 80, 16);
    add(ControlKind::Label, "Label3", QV_TEXT("Length"), 12, 98, 80, 16);
    Control& e1 = add(ControlKind::Edit, "Edit1", "000000", 96, 38, 70, 21);
    Control& e2 = add(ControlKind::Edit, "Edit2", "000000", 96, 66, 70, 21);
    Control& e3 = add(ControlKind::Edit, "Edit3", "000200", 96, 94, 70, 21);
    e1.onExit = [this] { OnExit1(); };
    e2.onExit = [this] { OnExit2(); };
    e3.onExit = [this] { OnExit3(); };
    e1.onKeyDown = [this](int k) { OnKeyDown1(k); };
    e2.onKeyDown = [this](int k) { OnKeyDown2(k); };
    e3.onKeyDown = [this](int k) { OnKeyDown3(k); };

    // Option groups side by side from the address fields on; the family's own
    // buttons in columns of three after them.
    constexpr int kOptionWidths[] = {148, 140};
    int x = 176;
    for (std::size_t i = 0; i < form.options.size(); ++i) {
        const MemoryForm::Options& o = form.options[i];
        const int w = kOptionWidths[i % 2];
        Control& r = add(ControlKind::RadioGroup, o.name, o.caption, x, 36, w, 84);
        r.columns = o.columns;
        r.setItems(o.items);
        r.setItemIndex(0);
        x += w + 4;
    }
    for (std::size_t i = 0; i < form.buttons.size(); ++i) {
        const MemoryForm::Button& b = form.buttons[i];
        const MemoryStep step = b.step;
        add(ControlKind::Button, b.name, b.caption, x + static_cast<int>(i / 3) * 80, 38 + static_cast<int>(i % 3) * 28,
            75, 25)
            .onClick = [this, step] { StepClick(step); };
    }

    if (form.blankButton)
        add(ControlKind::Button, "Blank", "Blank", 12, 130, 75, 25).onClick = [this] { BlankClick(); };
    add(ControlKind::Button, "Write", form.programCaption, 92, 130, 75, 25).onClick = [this] { WriteClick(); };
    add(ControlKind::Button, "Verify", "Verify", 172, 130, 75, 25).onClick = [this] { VerifyClick(); };
    add(ControlKind::Button, "ReadButton", "Read", 12, 160, 75, 25).onClick = [this] { ReadClick(); };
    if (form.idButton)
        add(ControlKind::Button, "MFG", form.idCaption, 92, 160, 75, 25).onClick = [this] { MFGClick(); };
    if (!form.sumButton.empty())
        add(ControlKind::Button, form.sumButton, "Sum", 172, 160, 75, 25).onClick = [this] { CheckSumClick(); };

    add(ControlKind::GroupBox, "GroupBox1", form.autoCaption, 256, 126, 212, 64);
    const bool four = form.autoBoxes.size() > 3;
    for (std::size_t i = 0; i < form.autoBoxes.size() && i < 4; ++i) {
        const MemoryForm::AutoBox& a = form.autoBoxes[i];
        const Place at = four ? kFourBoxes[i] : kThreeBoxes[i];
        Control& c = add(ControlKind::CheckBox, a.name, a.caption, at.x, at.y, a.width, 17);
        c.parent = "GroupBox1";
        c.setChecked(a.checked);
    }
    Control& b1 = four ? add(ControlKind::Button, "Button1", "Auto", 410, 150, 52, 25)
                       : add(ControlKind::Button, "Button1", "Auto", 360, 162, 75, 23);
    b1.parent = "GroupBox1";
    b1.onClick = [this] { Button1Click(); };

    Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 392, 292, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };

    Control& bar = add(ControlKind::ProgressBar, "RdBar", "", 12, 200, 368, 18);
    bar.setRange(0, 100);
    Control& e6 = add(ControlKind::Edit, "Edit6", "", 388, 198, 80, 21);
    e6.readOnly = true;
    e6.colour = Colour::Red;
    add(ControlKind::Edit, "Message", " ", 12, 232, 456, 50).readOnly = true;
}

void MemoryDialog::Start() {
    ResetSocket(link());
    clearPreviousRun();
    if (link().connected == 0) {
        control("Message").setText(notConnectedText());
        return;
    }
    control("Message").setText("OK ");
    ctx_.docs.New();
    show();
    bringToFront();
    const std::uint32_t last = lastAddress();
    setCaption(Format("0 to %x", last));
    control("Edit7").setText(deviceText());
    ctx_.docs.setEndAddress(static_cast<std::int32_t>(last));
    ctx_.docs.refreshHexWindow();
    SetVppLevel(link(), 0);
    afterStart();
    fields_.length = last;
    alignFields(fields_);
    showFields();
}

void MemoryDialog::showFields() {
    control("Edit1").setText(Format("%x", fields_.bufferStart));
    control("Edit2").setText(Format("%x", fields_.deviceStart));
    control("Edit3").setText(Format("%x", fields_.length));
}

OperationResult MemoryDialog::erase(const OperationHooks&) { return OperationResult::refused("Unknown operation"); }
OperationResult MemoryDialog::protect(const OperationHooks&) { return OperationResult::refused("Unknown operation"); }
OperationResult MemoryDialog::unprotect(const OperationHooks&) { return OperationResult::refused("Unknown operation"); }
OperationResult MemoryDialog::test(const OperationHooks&) { return OperationResult::refused("Unknown operation"); }

int MemoryDialog::selectedRow(int rowCount) const {
    const int index = ctx_.selection.subType;
    return index >= 0 && index < rowCount ? index : 0;
}

void MemoryDialog::readHexField(const char* editName, const char* fieldName, std::uint32_t& value) {
    Control& edit = control(editName);
    const HexField field = ReadHexField(edit.text());
    if (field.ok()) {
        value = field.value;
    } else if (field.status != HexFieldStatus::NoNumber) {
        setMessage(HexFieldRefusal(fieldName, edit.text(), field, 0xFFFFFFFFu, value), false);
    }
    alignFields(fields_);
    edit.setText(Format("%x", value));
}

void MemoryDialog::OnExit1() { readHexField("Edit1", "Buffer Start", fields_.bufferStart); }
void MemoryDialog::OnExit2() { readHexField("Edit2", QV_TEXT("Device Start"), fields_.deviceStart); }
void MemoryDialog::OnExit3() { readHexField("Edit3", "Length", fields_.length); }
void MemoryDialog::OnKeyDown1(int key) {
    if (key == KeyEnter) OnExit1();
}
void MemoryDialog::OnKeyDown2(int key) {
    if (key == KeyEnter) OnExit2();
}
void MemoryDialog::OnKeyDown3(int key) {
    if (key == KeyEnter) OnExit3();
}

void MemoryDialog::setMessage(const std::string& text, bool repaintNow) { showStatus(kDisplay, text, repaintNow); }

void MemoryDialog::showProgress(std::uint32_t a, std::uint32_t last) { showProgressAt(kDisplay, a, last); }

OperationHooks MemoryDialog::hooks() { return operationHooks(kDisplay); }

OperationResult MemoryDialog::dispatch(MemoryStep step, const OperationHooks& h) {
    switch (step) {
    case MemoryStep::Read: return readDevice(h);
    case MemoryStep::Blank: return blankCheck(h);
    case MemoryStep::Program: return program(h);
    case MemoryStep::Verify: return verify(h);
    case MemoryStep::Sum: return sum(h);
    case MemoryStep::Erase: return erase(h);
    case MemoryStep::Protect: return protect(h);
    case MemoryStep::Unprotect: return unprotect(h);
    case MemoryStep::Test: return test(h);
    }
    return OperationResult::refused("Unknown operation");
}

OperationResult MemoryDialog::perform(MemoryStep step, bool partOfAuto) {
    if (!partOfAuto && ctx_.platform.stop) ctx_.platform.stop->clear();
    const OperationHooks h = hooks();
    std::optional<OperationResult> refusal = refuseAfterIncompleteLoad();
    // A Programe on its own numbers its chip; within Auto the chain holds the number.
    const bool numbers = step == MemoryStep::Program && !holdingSerial();
    if (numbers && !refusal) {
        const FieldSpan span = SpanOf(fields(), lastAddress());
        refusal = holdSerial(span.buffer, span.count);
    }
    const OperationResult r = runRecorded(StepName(step), fields_, [&] { return refusal ? *refusal : dispatch(step, h); });
    if (numbers) releaseSerial(r.ok());
    if (step == MemoryStep::Verify && r.outcome == Outcome::Failed) {
        const FieldSpan span = SpanOf(fields(), lastAddress());
        listDifferences(span.buffer, span.count, [&] { return dispatch(MemoryStep::Read, h); });
    }
    setMessage(r.message, false);
    if (!r.ok()) {
        failure_ = true;
    } else if (step != MemoryStep::Read && step != MemoryStep::Sum && !r.unchecked) {
        // Read and Sum leave the flag alone when they succeed, and so does a step
        // that checked nothing on the chip.
        failure_ = false;
    }
    // Whatever Read brought in so far is in the buffer: show it.
    if (step == MemoryStep::Read && r.outcome != Outcome::Refused) ctx_.docs.refreshHexWindow();
    return r;
}

void MemoryDialog::ReadClick() { perform(MemoryStep::Read, false); }
void MemoryDialog::BlankClick() { perform(MemoryStep::Blank, false); }
void MemoryDialog::WriteClick() { perform(MemoryStep::Program, false); }
void MemoryDialog::VerifyClick() { perform(MemoryStep::Verify, false); }
void MemoryDialog::CheckSumClick() { perform(MemoryStep::Sum, false); }
void MemoryDialog::StepClick(MemoryStep step) { perform(step, false); }

void MemoryDialog::MFGClick() {
    if (link().lost) {
        failure_ = true;
        setMessage(kNotConnectedText, false);
        return;
    }
    control("Edit4").setText(readCodes());
}

void MemoryDialog::Button1Click() {
    std::vector<MemoryStep> steps;
    bool programme = false;
    for (const MemoryForm::AutoBox& box : autoBoxes_) {
        if (!control(box.name).checked()) continue;
        steps.push_back(box.step);
        programme = programme || box.step == MemoryStep::Program;
    }
    if (programme && !ctx_.docs.hasHexWindow()) {
        failure_ = true;
        if (ctx_.platform.prompts) ctx_.platform.prompts->message(kNoFileOpened);
        return;
    }
    if (link().lost) {
        failure_ = true;
        setMessage(kNotConnectedText, false);
        return;
    }
    // One stop request ends the whole chain, whichever step it falls in.
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    failure_ = false;
    if (programme) {
        const FieldSpan span = SpanOf(fields(), lastAddress());
        if (const std::optional<OperationResult> refusal = holdSerial(span.buffer, span.count)) {
            failure_ = true;
            setMessage(refusal->message, false);
            return;
        }
    }
    const OperationResult r = RunAutoSteps(steps, [this](MemoryStep step) { return perform(step, true); });
    // The number stays with the chip only when the whole Auto succeeded.
    releaseSerial(r.ok());
    // A failed step has left its own message and flag.
    if (r.ok()) setMessage(r.message, false);
}

void MemoryDialog::aborted(const OperationAborted&) {
    releaseSerial(false);
    failure_ = true;
    setMessage(kNotConnectedText, true);
}

void MemoryDialog::shutDownSocket() { ShutDownSocket(link()); }

void MemoryDialog::OnCloseForm() {
    shutDownSocket();
    SetVppLevel(link(), 0);
    ConnectVpp(link(), 0);
    WriteAllPorts(link(), 0);
}

void MemoryDialog::CancelBtnClick() {
    // The button handler runs while the form is busy, so it cannot go through
    // Form::close(); it runs the same sequence and hides the dialog.
    OnCloseForm();
    hide();
}

} // namespace quarvin
