#include "families/eeprom28c/E28Dialog.h"

#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

MemoryForm E28Form() {
    MemoryForm f;
    f.idCaption = "ID";
    f.idLabel = "ID";
    f.sumButton = "Button2";
    f.options = {{"Speed", QV_TEXT("Programe time"), {"1 time", "2 times", "3 times"}, 1}};
    f.buttons = {{"Erase", "Erase", MemoryStep::Erase},
                 {"Protect", "Protect", MemoryStep::Protect},
                 {"Unprotect", "Unprot", MemoryStep::Unprotect}};
    f.autoBoxes = {
        {"CheckBox2", QV_TEXT("Unprotect"), false, MemoryStep::Unprotect, 90},
        {"CheckBox3", "Programe", true, MemoryStep::Program, 80},
        {"CheckBox4", "Verify", true, MemoryStep::Verify, 60},
    };
    return f;
}

E28Dialog::E28Dialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, "AT28CX", E28Form()) {
    // Whenever the dialog becomes active, "Length" is read and page-aligned again,
    // so a value typed without leaving the field still ends on a page boundary.
    onActivate = [this] { OnExit3(); };
}

const E28Row& E28Dialog::row() const {
    return kE28Rows[static_cast<std::size_t>(selectedRow(static_cast<int>(kE28Rows.size())))];
}

E28Job E28Dialog::job(const OperationHooks& hooks) { return E28Job{link(), row(), buffer(), fields(), hooks}; }

void E28Dialog::afterStart() {
    ShutDownSocket(link());
    if (row().chip) ChooseE28BusMode(link(), row());
}

OperationResult E28Dialog::readDevice(const OperationHooks& hooks) { return ReadE28(job(hooks)); }
OperationResult E28Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckE28(job(hooks)); }
OperationResult E28Dialog::program(const OperationHooks& hooks) {
    return ProgramE28(job(hooks), control("Speed").itemIndex());
}
OperationResult E28Dialog::verify(const OperationHooks& hooks) { return VerifyE28(job(hooks)); }
OperationResult E28Dialog::sum(const OperationHooks& hooks) { return SumE28(job(hooks)); }
OperationResult E28Dialog::erase(const OperationHooks& hooks) { return EraseE28(job(hooks)); }
OperationResult E28Dialog::protect(const OperationHooks& hooks) { return ProtectE28(job(hooks)); }
OperationResult E28Dialog::unprotect(const OperationHooks& hooks) { return UnprotectE28(job(hooks)); }

} // namespace quarvin
