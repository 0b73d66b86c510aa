#include "families/flash49f/At49Dialog.h"

#include <algorithm>

#include "families/flash29f/F29Dialog.h"
#include "families/flash49f/At49Operations.h"
#include "families/flash49f/At49Rows.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

namespace {

MemoryForm At49Form() {
    MemoryForm f = F29Form();
    std::erase_if(f.buttons, [](const auto& b) { return b.step == MemoryStep::Unprotect; });
    return f;
}

} // namespace

At49Dialog::At49Dialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, QV_TEXT("AT49F"), At49Form()) {}

const F29Row& At49Dialog::row() const {
    return kAt49fRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kAt49fRows.size())))];
}

F29Job At49Dialog::job(const OperationHooks& hooks) { return F29Job{link(), row(), buffer(), fields(), hooks}; }

void At49Dialog::afterStart() {
    ShutDownSocket(link());
    ChooseF29BusMode(link());
}

OperationResult At49Dialog::readDevice(const OperationHooks& hooks) { return ReadF29(job(hooks)); }
OperationResult At49Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckF29(job(hooks)); }
OperationResult At49Dialog::program(const OperationHooks& hooks) { return ProgramF29(job(hooks)); }
OperationResult At49Dialog::verify(const OperationHooks& hooks) { return VerifyF29(job(hooks)); }
OperationResult At49Dialog::sum(const OperationHooks& hooks) { return SumF29(job(hooks)); }
OperationResult At49Dialog::erase(const OperationHooks& hooks) { return EraseAt49(job(hooks)); }

} // namespace quarvin
