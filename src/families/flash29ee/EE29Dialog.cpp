#include "families/flash29ee/EE29Dialog.h"

#include "link/commands/LinkOps.h"

namespace quarvin {

MemoryForm EE29Form() {
    MemoryForm f = FlashMemoryForm();
    f.sumButton = "Button2";
    f.autoCaption = "Auto pro";
    f.options = {{"Speed", "Pro time", {"1 time", "2 times", "3 times"}, 1}};
    f.buttons = {{"Erase", "Erase", MemoryStep::Erase},
                 {"Protect", "Protect", MemoryStep::Protect},
                 {"Unprotect", "Unprot", MemoryStep::Unprotect}};
    return f;
}

EE29Dialog::EE29Dialog(DeviceContext& ctx)
    : PageWriteDialog(ctx, kFormClass, "P29", EE29Form(), kEE29Rows, kEE29Operations) {}

void EE29Dialog::afterStart() {
    ShutDownSocket(link());
    ChooseEE29BusMode(link(), row());
}

} // namespace quarvin
