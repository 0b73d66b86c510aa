#include "families/flash29c/At29Dialog.h"

#include "families/flash29ee/EE29Dialog.h"
#include "forms/Texts.h"
#include "link/commands/LinkOps.h"

namespace quarvin {

At29Dialog::At29Dialog(DeviceContext& ctx, const char* formClass, const char* caption, std::span<const At29Row> rows)
    : PageWriteDialog(ctx, formClass, caption, EE29Form(), rows, kAt29Operations) {}

void At29Dialog::afterStart() { ShutDownSocket(link()); }

At29cxDialog::At29cxDialog(DeviceContext& ctx) : At29Dialog(ctx, kFormClass, QV_TEXT("AT29CX"), kAt29cxRows) {}
At29c256Dialog::At29c256Dialog(DeviceContext& ctx) : At29Dialog(ctx, kFormClass, QV_TEXT("AT29C256"), kAt29c256Rows) {}

} // namespace quarvin
