#include "families/opto/OptoDialog.h"

#include "families/opto/OptoTest.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

OptoDialog::OptoDialog(DeviceContext& ctx) : FamilyDialog(ctx, kFormClass, "测试光电偶合器", 300, 220) {
    Control& package = add(ControlKind::RadioGroup, "RadioGroup1", QV_TEXT("Package"), 12, 8, 130, 110);
    std::vector<std::string> items;
    for (const OptoPackage& p : OptoPackages()) items.push_back(p.text);
    package.setItems(items);
    package.setItemIndex(0);
    add(ControlKind::Button, "Test2", QV_TEXT("Founction"), 160, 12, 120, 30).onClick = [this] { Test2Click(); };
    add(ControlKind::Edit, "Edit1", "Counter", 160, 52, 120, 21).readOnly = true;
    add(ControlKind::Button, "Button1", QV_TEXT("Reset Counter"), 160, 80, 120, 25).onClick = [this] { Button1Click(); };
    add(ControlKind::Button, "Button2", "+", 160, 110, 58, 25).onClick = [this] { Button2Click(); };
    add(ControlKind::Button, "Button3", "-", 222, 110, 58, 25).onClick = [this] { Button3Click(); };
    add(ControlKind::Edit, "Message", " ", 12, 150, 268, 21).readOnly = true;
    Control& cancel = add(ControlKind::Button, "CancelBtn", "Exit", 205, 182, 75, 25);
    cancel.isCancel = true;
    cancel.onClick = [this] { CancelBtnClick(); };
    onClose = [this] { OnCloseForm(); };
}

std::int32_t& OptoDialog::counter() {
    static std::int32_t count = 0;
    return count;
}

void OptoDialog::showCounter() { control("Edit1").setText(std::to_string(counter())); }

void OptoDialog::Start() {
    LinkState& link = ctx_.link;
    ResetSocket(link);
    if (link.connected == 0) {
        control("Message").setText(kNotConnectedText);
        return;
    }
    control("Message").setText("OK ");
    ctx_.selection.subType = 0;
    SetVppLevel(link, 0);
    ShutDownSocket(link);
}

void OptoDialog::Test2Click() {
    const int index = control("RadioGroup1").itemIndex();
    const auto& packages = OptoPackages();
    const OptoPackage& package = packages[static_cast<std::size_t>(index >= 0 && index < 4 ? index : 0)];
    const OperationResult r = runRecorded("test", std::nullopt, [&] { return TestOptocoupler(ctx_.link, package); });
    control("Message").setText(r.message);
    if (!r.ok()) return;
    ++counter();
    showCounter();
}

void OptoDialog::Button1Click() {
    counter() = 0;
    showCounter();
}
void OptoDialog::Button2Click() {
    ++counter();
    showCounter();
}
void OptoDialog::Button3Click() {
    --counter();
    showCounter();
}

void OptoDialog::OnCloseForm() { ShutDownSocket(ctx_.link); }

void OptoDialog::CancelBtnClick() {
    OnCloseForm();
    hide();
}

} // namespace quarvin
