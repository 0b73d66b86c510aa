#include "families/flash29c/At29Dialog.h"

#include "families/flash29ee/EE29Dialog.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

At29Dialog::At29Dialog(DeviceContext& ctx, const char* formClass, const char* caption, std::span<const At29Row> rows)
    : MemoryDialog(ctx, formClass, caption, EE29Form()), rows_(rows) {
    // Whenever the dialog becomes active, "Length" is read and page-aligned again.
    onActivate = [this] { OnExit3(); };
}

const At29Row& At29Dialog::row() const {
    return rows_[static_cast<std::size_t>(selectedRow(static_cast<int>(rows_.size())))];
}

At29Job At29Dialog::job(const OperationHooks& hooks) { return At29Job{link(), row(), buffer(), fields(), hooks}; }

void At29Dialog::afterStart() { ShutDownSocket(link()); }

OperationResult At29Dialog::readDevice(const OperationHooks& hooks) { return ReadAt29(job(hooks)); }
OperationResult At29Dialog::blankCheck(const OperationHooks& hooks) { return BlankCheckAt29(job(hooks)); }
OperationResult At29Dialog::program(const OperationHooks& hooks) {
    return ProgramAt29(job(hooks), control("Speed").itemIndex());
}
OperationResult At29Dialog::verify(const OperationHooks& hooks) { return VerifyAt29(job(hooks)); }
OperationResult At29Dialog::sum(const OperationHooks& hooks) { return SumAt29(job(hooks)); }
OperationResult At29Dialog::erase(const OperationHooks& hooks) { return EraseAt29(job(hooks)); }
OperationResult At29Dialog::protect(const OperationHooks& hooks) { return ProtectAt29(job(hooks)); }
OperationResult At29Dialog::unprotect(const OperationHooks& hooks) { return UnprotectAt29(job(hooks)); }

At29cxDialog::At29cxDialog(DeviceContext& ctx) : At29Dialog(ctx, kFormClass, QV_TEXT("AT29CX"), kAt29cxRows) {}
At29c256Dialog::At29c256Dialog(DeviceContext& ctx) : At29Dialog(ctx, kFormClass, QV_TEXT("AT29C256"), kAt29c256Rows) {}

} // namespace quarvin
