#include "catalogue/TUnavailable.h"

#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

TUnavailable::TUnavailable(DeviceContext& ctx)
    : FamilyDialog(ctx, ClassName, QV_TEXT("Device"), 360, 130),
      Message_(add(ControlKind::Edit, "Message", " ", 16, 16, 328, 48)) {
    Message_.readOnly = true;
    Control& exit = add(ControlKind::Button, "CancelBtn", QV_TEXT("Exit"), 136, 80, 88, 28);
    exit.isCancel = true;
    exit.onClick = [this] { CancelBtnClick(); };
    onClose = [this] { ShutDownSocket(ctx_.link); };
}

void TUnavailable::Start() {
    ResetSocket(ctx_.link);
    const SelectionState& s = ctx_.selection;
    setCaption(s.family.empty() ? std::string("Device") : s.family);
    std::string device = s.description.empty() ? s.typeName : s.description;
    Message_.setText((device.empty() ? std::string() : device + ": ") +
                     "this device family is not available in this version.");
}

// Exit runs inside a handler, where Form::close would refuse to act: do its work here.
void TUnavailable::CancelBtnClick() {
    ShutDownSocket(ctx_.link);
    hide();
}

} // namespace quarvin
