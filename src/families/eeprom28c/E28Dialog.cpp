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

E28Dialog::E28Dialog(DeviceContext& ctx)
    : PageWriteDialog(ctx, kFormClass, "AT28CX", E28Form(), kE28Rows, kE28Operations) {}

void E28Dialog::afterStart() {
    ShutDownSocket(link());
    if (row().chip) ChooseE28BusMode(link(), row());
}

} // namespace quarvin
