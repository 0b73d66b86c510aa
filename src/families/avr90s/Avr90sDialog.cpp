#include "families/avr90s/Avr90sDialog.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

McuForm Avr90sForm() {
    McuForm f;
    f.buttons = {
        {"Read1", QV_TEXT("Read"), McuStep::Read},        {"Erase", QV_TEXT("Erase"), McuStep::Erase},
        {"Blank", QV_TEXT("Blank"), McuStep::Blank},      {"Write", QV_TEXT("Programe"), McuStep::Program},
        {"Verify", QV_TEXT("Verify"), McuStep::Verify},   {"Secrity", QV_TEXT("Protect"), McuStep::Protect},
        {"ReadFuse", QV_TEXT("Read F/S "), McuStep::ReadFuse}, {"WtFuse", QV_TEXT("Pro Fuse"), McuStep::WriteFuse},
    };
    f.runBoxes = {
        {"CheckBoxErase", "Erase", false, McuStep::Erase},     {"CheckBoxBlank", "Blank", false, McuStep::Blank},
        {"CheckBoxWrite", "Programe", true, McuStep::Program}, {"CheckBoxVer", "Verify", true, McuStep::Verify},
        {"CheckBoxFuse", "Pro Fuse", false, McuStep::WriteFuse},
        {"CheckBoxConfig", "Protect", false, McuStep::Protect},
    };
    f.runGroupName = "GroupBox2";
    f.runGroupCaption = QV_TEXT("Auto");
    f.runButtonCaption = "Auto";
    f.options = {{"RadioGroup1", QV_TEXT("Protect Mode"), {QV_TEXT("Protext+No Ver"), QV_TEXT("Protect+Mo Pro"), QV_TEXT("No used"), QV_TEXT("No Protect")}, 3}};
    f.exitButton = true;
    f.notConnectedText = QV_TEXT("Bad!");
    f.chainDoneText = "OK!!!";
    return f;
}

AvrProtectMode ProtectModeOfItem(int item) {
    return item >= 0 && item <= 3 ? static_cast<AvrProtectMode>(item) : AvrProtectMode::None;
}

} // namespace

Avr90sDialog::Avr90sDialog(DeviceContext& ctx) : McuDialog(ctx, kFormClass, QV_TEXT("AT90s "), Avr90sForm()) {
    const int top = groupsTop();
    add(ControlKind::GroupBox, "GroupBox1", QV_TEXT("Fuse"), 318, top, 140, 70);
    Control& rc = add(ControlKind::CheckBox, "CheckBox1", QV_TEXT("Internal RC(RCEN)"), 326, top + 20, 128, 17);
    rc.parent = "GroupBox1";
    Control& spi = add(ControlKind::CheckBox, "CheckBox2", QV_TEXT("On Line Load(SPI)"), 326, top + 42, 128, 17);
    spi.parent = "GroupBox1";
}

const Avr90sRow& Avr90sDialog::row() const {
    return kAvr90sRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kAvr90sRows.size())))];
}

void Avr90sDialog::afterStart() { control("Edit7").setText(ctx_.selection.typeName); }

void Avr90sDialog::showFuseByte(std::uint8_t byte) {
    const AvrFuses fuses = AvrFusesOf(byte);
    control("CheckBox1").setChecked(fuses.internalRc);
    control("CheckBox2").setChecked(fuses.onLineLoad);
    control("RadioGroup1").setItemIndex(static_cast<int>(AvrProtectModeOf(byte)));
}

OperationResult Avr90sDialog::run(McuStep step, const OperationHooks& hooks) {
    if (row().chip == nullptr) return OperationResult::refused("No device type selected");
    const Avr90sJob job{link(), row(), buffer(), hooks};
    switch (step) {
    case McuStep::Read:
    case McuStep::ReadFuse: {
        OperationResult r = step == McuStep::Read ? ReadAvr(job) : ReadAvrFuses(job);
        if (r.ok()) showFuseByte(static_cast<std::uint8_t>(r.value));
        return r;
    }
    case McuStep::Erase: return EraseAvr(job);
    case McuStep::Blank: return BlankAvr(job);
    case McuStep::Program: return ProgramAvr(job);
    case McuStep::Verify: return VerifyAvr(job);
    case McuStep::Protect:
        return ProtectAvr(job, ProtectModeOfItem(control("RadioGroup1").itemIndex()));
    case McuStep::WriteFuse:
        return ProgramAvrFuses(job, {control("CheckBox1").checked(), control("CheckBox2").checked()});
    case McuStep::Id: break;
    }
    return OperationResult::refused("Unknown operation");
}

} // namespace quarvin
