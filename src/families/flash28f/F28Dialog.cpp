#include "families/flash28f/F28Dialog.h"

#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

MemoryForm F28Form() {
    MemoryForm f = FlashMemoryForm();
    f.sumButton.clear();
    f.options.clear();
    f.buttons = {{"Erase", "Erase", MemoryStep::Erase}};
    return f;
}

} // namespace

F28Dialog::F28Dialog(DeviceContext& ctx) : RowDialog(ctx, kFormClass, QV_TEXT("Pi28fx"), F28Form(), kF28Rows) {}

void F28Dialog::afterStart() { ShutDownSocket(link()); }

OperationResult F28Dialog::readDevice(const OperationHooks& hooks) { return ReadF28(job(hooks)); }
OperationResult F28Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckF28(job(hooks)); }
OperationResult F28Dialog::program(const OperationHooks& hooks) { return ProgramF28(job(hooks)); }
OperationResult F28Dialog::verify(const OperationHooks& hooks) { return VerifyF28(job(hooks)); }
OperationResult F28Dialog::erase(const OperationHooks& hooks) { return EraseF28(job(hooks)); }
// The form has no Sum button.
OperationResult F28Dialog::sum(const OperationHooks&) { return OperationResult::refused("Unknown operation"); }

} // namespace quarvin
