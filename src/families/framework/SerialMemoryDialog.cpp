#include "families/framework/SerialMemoryDialog.h"

#include <algorithm>

#include "families/framework/WriteWait.h"
#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {
// Status in Msg, the progress address as "%04x".
constexpr FamilyDialog::ProgressDisplay kDisplay{"Msg", "%04x"};
} // namespace

namespace {

struct ButtonSpec {
    SerialStep step;
    const char* name;
    const char* caption;
    const char* operation; // the step's name on the command line and in a link trace
};

constexpr ButtonSpec kButtons[] = {
    {SerialStep::Read, "ReadButton", "Read", "read"},       {SerialStep::Erase, "Erase", "Erase", "erase"},
    {SerialStep::Blank, "Blank", "Blank", "blank"},         {SerialStep::Program, "Write", "Programe", "program"},
    {SerialStep::Verify, "Verify", "Verify", "verify"},
};

const ButtonSpec& SpecOf(SerialStep step) {
    for (const ButtonSpec& b : kButtons)
        if (b.step == step) return b;
    return kButtons[0];
}

// The steps that work from the buffer's contents and so need a hex window.
bool NeedsFile(SerialStep step) { return step == SerialStep::Program || step == SerialStep::Verify; }

// Auto runs its ticked steps in this order.
constexpr std::pair<const char*, SerialStep> kAutoSteps[] = {
    {"CheckBox1", SerialStep::Erase},
    {"CheckBox2", SerialStep::Blank},
    {"CheckBox3", SerialStep::Program},
    {"CheckBox4", SerialStep::Verify},
};

constexpr int kButtonPitch = 80;
constexpr int kFormWidth = 430;
constexpr int kFormHeight = 256;
constexpr int kChangedOnlyRow = 24; // the form grows by this for "Only changed pages"
constexpr const char* kChangedOnlyBox = "CheckBoxChanged";

} // namespace

SerialMemoryDialog::SerialMemoryDialog(DeviceContext& ctx, std::string className, std::string caption,
                                       SerialDialogLayout layout)
    : FamilyDialog(ctx, std::move(className), std::move(caption), kFormWidth,
                   kFormHeight + (layout.changedOnlyBox ? kChangedOnlyRow : 0)),
      layout_(std::move(layout)) {
    buildControls();
    onClose = [this] { OnCloseForm(); };
}

void SerialMemoryDialog::buildControls() {
    add(ControlKind::Edit, "Edit7", "", 12, 8, 406, 21).readOnly = true;

    int x = 12;
    for (SerialStep step : layout_.buttons) {
        const ButtonSpec& spec = SpecOf(step);
        add(ControlKind::Button, spec.name, spec.caption, x, 40, 75, 25).onClick = [this, step] {
            switch (step) {
            case SerialStep::Read: ReadRom(); break;
            case SerialStep::Erase: EraseClick(); break;
            case SerialStep::Blank: BlankClick(); break;
            case SerialStep::Program: WriteClick(); break;
            case SerialStep::Verify: VerifyClick(); break;
            }
        };
        x += kButtonPitch;
    }

    Control& speed = add(ControlKind::RadioGroup, "Speed", QV_TEXT("Pro time"), 12, 74, 206, 86);
    speed.columns = 2;
    speed.setItems({kWriteWaitItems.begin(), kWriteWaitItems.end()});
    speed.setItemIndex(kDefaultWriteWaitIndex);

    if (layout_.autoGroup) {
        add(ControlKind::GroupBox, "GroupBox1", "Auto pro", 226, 74, 192, 86);
        Control& c1 = add(ControlKind::CheckBox, "CheckBox1", "Erase", 234, 92, 84, 17);
        Control& c2 = add(ControlKind::CheckBox, "CheckBox2", "Blank", 234, 112, 84, 17);
        Control& c3 = add(ControlKind::CheckBox, "CheckBox3", "Programe", 234, 132, 84, 17);
        Control& c4 = add(ControlKind::CheckBox, "CheckBox4", "Verify", 326, 92, 84, 17);
        Control& b1 = add(ControlKind::Button, "Button1", "Auto", 330, 126, 75, 25);
        for (Control* c : {&c1, &c2, &c3, &c4, &b1}) c->parent = "GroupBox1";
        c3.setChecked(true);
        c4.setChecked(true);
        b1.onClick = [this] { Button1Click(); };
    }

    Control& bar = add(ControlKind::ProgressBar, "RdBar", "", 12, 170, 320, 18);
    bar.setRange(0, 100);
    Control& e6 = add(ControlKind::Edit, "Edit6", "", 340, 168, 78, 21);
    e6.readOnly = true;
    e6.colour = Colour::Red;
    add(ControlKind::Edit, "Msg", " ", 12, 198, 316, 48).readOnly = true;
    if (layout_.changedOnlyBox) add(ControlKind::CheckBox, kChangedOnlyBox, QV_TEXT("Only changed pages"), 12, 252, 200, 17);

    Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 343, 210, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
}

void SerialMemoryDialog::Start() {
    ResetSocket(link());
    clearPreviousRun();
    // The dialog opens with or without a box; without one the operations still
    // run and every reply reads 255.
    control("Msg").setText(link().connected ? "OK " : layout_.notConnectedText);
    ctx_.docs.New();
    show();
    bringToFront();
    ctx_.docs.setEndAddress(static_cast<std::int32_t>(lastBufferAddress()));
    ctx_.docs.refreshHexWindow();
    control("Edit7").setText(ctx_.selection.typeName);
}

int SerialMemoryDialog::selectedRow(int rowCount) const {
    const int index = ctx_.selection.subType;
    return index >= 0 && index < rowCount ? index : 0;
}

int SerialMemoryDialog::writeWaitMilliseconds() const {
    return WriteWaitMilliseconds(const_cast<SerialMemoryDialog*>(this)->control("Speed").itemIndex());
}

bool SerialMemoryDialog::changedOnly() const {
    const Control* box = const_cast<SerialMemoryDialog*>(this)->find(kChangedOnlyBox);
    return box != nullptr && box->checked();
}

void SerialMemoryDialog::setMessage(const std::string& text, bool repaintNow) { showStatus(kDisplay, text, repaintNow); }

void SerialMemoryDialog::showProgress(std::uint32_t a, std::uint32_t last) { showProgressAt(kDisplay, a, last); }

OperationHooks SerialMemoryDialog::hooks() { return operationHooks(kDisplay); }

OperationResult SerialMemoryDialog::perform(SerialStep step) {
    failure_ = false;
    if (NeedsFile(step) && !ctx_.docs.hasHexWindow()) {
        failure_ = true;
        if (ctx_.platform.prompts) ctx_.platform.prompts->message(kNoFileOpened);
        return OperationResult::refused(kNoFileOpened);
    }
    const OperationHooks h = hooks();
    const std::optional<OperationResult> refusal = refuseAfterIncompleteLoad();
    const OperationResult r = runRecorded(SpecOf(step).operation, std::nullopt, [&] { return refusal ? *refusal : run(step, h); });
    if (step == SerialStep::Verify && r.outcome == Outcome::Failed)
        listDifferences(0, lastBufferAddress() + 1, [&] { return run(SerialStep::Read, h); });
    setMessage(r.message, false);
    failure_ = !r.ok();
    // Whatever Read brought in, also before a failure, is in the buffer: show it.
    if (step == SerialStep::Read && r.outcome != Outcome::Refused) ctx_.docs.refreshHexWindow();
    bringToFront();
    return r;
}

void SerialMemoryDialog::ReadRom() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(SerialStep::Read);
}
void SerialMemoryDialog::EraseClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(SerialStep::Erase);
}
void SerialMemoryDialog::BlankClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(SerialStep::Blank);
}
void SerialMemoryDialog::WriteClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(SerialStep::Program);
}
void SerialMemoryDialog::VerifyClick() {
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    perform(SerialStep::Verify);
}

void SerialMemoryDialog::Button1Click() {
    if (!layout_.autoGroup) return;
    if (control("CheckBox3").checked() && !ctx_.docs.hasHexWindow()) {
        failure_ = true;
        if (ctx_.platform.prompts) ctx_.platform.prompts->message(kNoFileOpened);
        return;
    }
    // One stop request ends the whole chain, whichever step it falls in.
    if (ctx_.platform.stop) ctx_.platform.stop->clear();
    failure_ = false;
    for (const auto& [box, step] : kAutoSteps) {
        if (!control(box).checked()) continue;
        // A failed step leaves its own message and the flag.
        if (!perform(step).ok()) return;
    }
    setMessage("OK", false);
}

void SerialMemoryDialog::aborted(const OperationAborted&) {
    failure_ = true;
    setMessage(kNotConnectedText, true);
}

void SerialMemoryDialog::OnCloseForm() { ShutDownSocket(link()); }

void SerialMemoryDialog::CancelBtnClick() {
    // The button handler runs while the form is busy, so it cannot go through
    // Form::close(); it runs the same sequence and hides the dialog.
    OnCloseForm();
    hide();
}

} // namespace quarvin
