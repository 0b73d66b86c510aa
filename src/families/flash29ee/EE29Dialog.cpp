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

EE29Dialog::EE29Dialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, "P29", EE29Form()) {
    // Whenever the dialog becomes active, "Length" is read and page-aligned again.
    onActivate = [this] { OnExit3(); };
}

const EE29Row& EE29Dialog::row() const {
    return kEE29Rows[static_cast<std::size_t>(selectedRow(static_cast<int>(kEE29Rows.size())))];
}

EE29Job EE29Dialog::job(const OperationHooks& hooks) { return EE29Job{link(), row(), buffer(), fields(), hooks}; }

void EE29Dialog::afterStart() {
    ShutDownSocket(link());
    ChooseEE29BusMode(link(), row());
}

OperationResult EE29Dialog::readDevice(const OperationHooks& hooks) { return ReadEE29(job(hooks)); }
OperationResult EE29Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckEE29(job(hooks)); }
OperationResult EE29Dialog::program(const OperationHooks& hooks) {
    return ProgramEE29(job(hooks), control("Speed").itemIndex());
}
OperationResult EE29Dialog::verify(const OperationHooks& hooks) { return VerifyEE29(job(hooks)); }
OperationResult EE29Dialog::sum(const OperationHooks& hooks) { return SumEE29(job(hooks)); }
OperationResult EE29Dialog::erase(const OperationHooks& hooks) { return EraseEE29(job(hooks)); }
OperationResult EE29Dialog::protect(const OperationHooks& hooks) { return ProtectEE29(job(hooks)); }
OperationResult EE29Dialog::unprotect(const OperationHooks& hooks) { return UnprotectEE29(job(hooks)); }

} // namespace quarvin
