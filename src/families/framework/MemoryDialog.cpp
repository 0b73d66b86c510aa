#include "families/framework/MemoryDialog.h"

#include <algorithm>

#include "forms/HexText.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {
constexpr int kGroundPin = 20;
constexpr int kPowerUpTicks = 1000; // about 95 ms for the supply to settle
} // namespace

MemoryDialog::MemoryDialog(DeviceContext& ctx, std::string className, std::string caption)
    : FamilyDialog(ctx, std::move(className), std::move(caption), 440, 330) {
    buildControls();
    onClose = [this] { OnCloseForm(); };
}

void MemoryDialog::buildControls() {
    add(ControlKind::Label, "Label4", "MFG", 12, 12, 30, 16);
    add(ControlKind::Edit, "Edit4", "", 48, 8, 90, 21).readOnly = true;
    add(ControlKind::Edit, "Edit7", "", 150, 8, 270, 21).readOnly = true;

    add(ControlKind::Label, "Label1", "Buffer Start", 12, 42, 80, 16);
    add(ControlKind::Label, "Label2", "Device Start", 12, 70, 80, 16);
    add(ControlKind::Label, "Label3", "Length", 12, 98, 80, 16);
    Control& e1 = add(ControlKind::Edit, "Edit1", "000000", 96, 38, 80, 21);
    Control& e2 = add(ControlKind::Edit, "Edit2", "000000", 96, 66, 80, 21);
    Control& e3 = add(ControlKind::Edit, "Edit3", "000200", 96, 94, 80, 21);
    e1.onExit = [this] { OnExit1(); };
    e2.onExit = [this] { OnExit2(); };
    e3.onExit = [this] { OnExit3(); };
    e1.onKeyDown = [this](int k) { OnKeyDown1(k); };
    e2.onKeyDown = [this](int k) { OnKeyDown2(k); };
    e3.onKeyDown = [this](int k) { OnKeyDown3(k); };

    Control& r1 = add(ControlKind::RadioGroup, "RadioGroup1", "Pro time", 190, 36, 130, 84);
    r1.columns = 2;
    r1.setItems({"1 time", "2 times", "3 times", "4 times", "5 times"});
    r1.setItemIndex(0);
    Control& r2 = add(ControlKind::RadioGroup, "RadioGroup2", "Pro/Ver Mode", 326, 36, 104, 84);
    r2.setItems({"Check one by one", "Verify after all"});
    r2.setItemIndex(0);

    add(ControlKind::Button, "Blank", "Blank", 12, 130, 75, 25).onClick = [this] { BlankClick(); };
    add(ControlKind::Button, "Write", "Programe", 92, 130, 75, 25).onClick = [this] { WriteClick(); };
    add(ControlKind::Button, "Verify", "Verify", 172, 130, 75, 25).onClick = [this] { VerifyClick(); };
    add(ControlKind::Button, "ReadButton", "Read", 12, 160, 75, 25).onClick = [this] { ReadClick(); };
    add(ControlKind::Button, "MFG", "Read MFG", 92, 160, 75, 25).onClick = [this] { MFGClick(); };
    add(ControlKind::Button, "CheckSum", "Sum", 172, 160, 75, 25).onClick = [this] { CheckSumClick(); };

    add(ControlKind::GroupBox, "GroupBox1", "Auto Pro", 256, 126, 174, 64);
    Control& c2 = add(ControlKind::CheckBox, "CheckBox2", "Blank", 264, 144, 60, 17);
    Control& c3 = add(ControlKind::CheckBox, "CheckBox3", "Programe", 264, 164, 80, 17);
    Control& c4 = add(ControlKind::CheckBox, "CheckBox4", "Verify", 346, 144, 60, 17);
    Control& b1 = add(ControlKind::Button, "Button1", "Auto", 346, 162, 75, 23);
    for (Control* c : {&c2, &c3, &c4, &b1}) c->parent = "GroupBox1";
    c2.setChecked(true);
    c3.setChecked(true);
    c4.setChecked(false);
    b1.onClick = [this] { Button1Click(); };

    Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 346, 292, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };

    Control& bar = add(ControlKind::ProgressBar, "RdBar", "", 12, 200, 330, 18);
    bar.setRange(0, 100);
    Control& e6 = add(ControlKind::Edit, "Edit6", "", 350, 198, 80, 21);
    e6.readOnly = true;
    e6.colour = Colour::Red;
    add(ControlKind::Edit, "Message", " ", 12, 232, 418, 50).readOnly = true;
}

void MemoryDialog::Start() {
    ResetSocket(link());
    if (link().connected == 0) {
        control("Message").setText(kNotConnected);
        return;
    }
    control("Message").setText("OK ");
    docs().New();
    show();
    bringToFront();
    readBusMode_ = 12;
    writeBusMode_ = 15;
    const std::uint32_t last = lastAddress();
    setCaption(Format("0 to %x", last));
    control("Edit7").setText(ctx_.selection.description);
    docs().setEndAddress(static_cast<std::int32_t>(last));
    docs().refreshHexWindow();
    SetVppLevel(link(), 0);
    length_ = last;
    control("Edit1").setText(Format("%x", bufferStart_));
    control("Edit2").setText(Format("%x", deviceStart_));
    control("Edit3").setText(Format("%x", length_));
}

int MemoryDialog::selectedRow(int rowCount) const {
    const int index = ctx_.selection.subType;
    return index >= 0 && index < rowCount ? index : 0;
}

MemoryDialog::Span MemoryDialog::fieldSpan() const {
    const std::uint32_t last = lastAddress();
    Span s{deviceStart_, bufferStart_, 0};
    if (deviceStart_ > last || bufferStart_ >= kBufferSize) return s;
    std::uint64_t n = std::uint64_t{length_} + 1;
    n = std::min<std::uint64_t>(n, std::uint64_t{last} - deviceStart_ + 1);
    n = std::min<std::uint64_t>(n, std::uint64_t{kBufferSize} - bufferStart_);
    s.count = static_cast<std::uint32_t>(n);
    return s;
}

void MemoryDialog::readHexField(const char* editName, std::uint32_t& value) {
    Control& edit = control(editName);
    if (auto v = ParseHexField(edit.text())) value = *v;
    edit.setText(Format("%x", value));
}

void MemoryDialog::OnExit1() { readHexField("Edit1", bufferStart_); }
void MemoryDialog::OnExit2() { readHexField("Edit2", deviceStart_); }
void MemoryDialog::OnExit3() { readHexField("Edit3", length_); }
void MemoryDialog::OnKeyDown1(int key) {
    if (key == KeyEnter) OnExit1();
}
void MemoryDialog::OnKeyDown2(int key) {
    if (key == KeyEnter) OnExit2();
}
void MemoryDialog::OnKeyDown3(int key) {
    if (key == KeyEnter) OnExit3();
}

void MemoryDialog::setMessage(const std::string& text, bool repaintNow) {
    Control& m = control("Message");
    m.setText(text);
    if (repaintNow) m.repaint();
}

void MemoryDialog::showProgress(std::uint32_t a) {
    const std::uint32_t last = lastAddress();
    Control& bar = control("RdBar");
    bar.setRange(0, static_cast<int>(last));
    Control& e6 = control("Edit6");
    e6.setText(Format("%06x", a));
    e6.repaint();
    bar.setPosition(static_cast<int>(std::min(a, last)));
}

bool MemoryDialog::stopPoll() {
    StopRequest* stop = ctx_.platform.stop;
    return stop != nullptr && stop->stopRequested();
}

void MemoryDialog::clearStop() {
    if (StopRequest* stop = ctx_.platform.stop) stop->clear();
}

void MemoryDialog::writePortImage() {
    for (int n = 0; n < static_cast<int>(portImage_.size()); ++n) WritePort(link(), n, portImage_[static_cast<std::size_t>(n)]);
}

void MemoryDialog::powerUp(int vccPin, bool wait) {
    ConnectVcc(link(), vccPin);
    ConnectGround(link(), kGroundPin);
    if (wait) Delay(link(), kPowerUpTicks);
}

void MemoryDialog::powerDownAfterRead() {
    WriteAllPorts(link(), 255);
    ConnectVcc(link(), 0);
}

void MemoryDialog::powerDownAfterProgram() {
    ConnectVpp(link(), 0);
    ConnectVcc(link(), 0);
}

void MemoryDialog::failRead(const std::string& text) {
    setMessage(text, false);
    ConnectVcc(link(), 0);
    failure_ = 1;
}

void MemoryDialog::failProgram(const std::string& text) {
    failure_ = 1;
    setMessage(text, false);
    powerDownAfterProgram();
}

void MemoryDialog::MFGClick() {
    std::string codes = ctx_.readMfg ? ctx_.readMfg() : std::string();
    control("Edit4").setText(codes);
}

void MemoryDialog::Button1Click() {
    const bool blank = control("CheckBox2").checked();
    const bool program = control("CheckBox3").checked();
    const bool verify = control("CheckBox4").checked();
    if (program && !docs().hasHexWindow()) {
        if (ctx_.platform.prompts) ctx_.platform.prompts->message(kNoFileOpened);
        return;
    }
    failure_ = 0;
    if (blank) BlankClick();
    if (failure_ == 0 && program) WriteClick();
    if (failure_ == 0 && verify) VerifyClick();
    if (failure_ == 0) setMessage("OK", false);
}

void MemoryDialog::OnCloseForm() {
    ShutDownSocket(link());
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

void MemoryDialog::aborted(const OperationAborted&) {
    failure_ = 1;
    setMessage(kNotConnected, true);
}

} // namespace quarvin
