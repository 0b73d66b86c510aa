#include "families/flash29f/F29Dialog.h"

#include "link/commands/LinkOps.h"
#include "link/commands/Opcodes.h"
#include "forms/Texts.h"

namespace quarvin {

MemoryForm F29Form() {
    MemoryForm f = FlashMemoryForm();
    f.autoCaption = QV_TEXT("Auto pro");
    f.options.clear();
    f.buttons = {{"Erase", "Erase", MemoryStep::Erase}, {"UnProtectChip", QV_TEXT("Unprot"), MemoryStep::Unprotect}};
    return f;
}

F29Dialog::F29Dialog(DeviceContext& ctx) : RowDialog(ctx, kFormClass, "P29F", F29Form(), kF29Rows) {}

void F29Dialog::afterStart() {
    ShutDownSocket(link());
    ChooseF29BusMode(link());
}

OperationResult F29Dialog::readDevice(const OperationHooks& hooks) { return ReadF29(job(hooks)); }
OperationResult F29Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckF29(job(hooks)); }
OperationResult F29Dialog::program(const OperationHooks& hooks) { return ProgramF29(job(hooks)); }
OperationResult F29Dialog::verify(const OperationHooks& hooks) { return VerifyF29(job(hooks)); }
OperationResult F29Dialog::sum(const OperationHooks& hooks) { return SumF29(job(hooks)); }
OperationResult F29Dialog::erase(const OperationHooks& hooks) { return EraseF29(job(hooks)); }
OperationResult F29Dialog::unprotect(const OperationHooks& hooks) { return UnprotectF29(job(hooks)); }

} // namespace quarvin
