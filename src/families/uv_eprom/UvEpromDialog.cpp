#include "families/uv_eprom/UvEpromDialog.h"

namespace quarvin {

UvEpromDialog::UvEpromDialog(DeviceContext& ctx) : MemoryDialog(ctx, kFormClass, "P27") {}

const EpromRow& UvEpromDialog::row() const {
    return kEpromRows[static_cast<std::size_t>(selectedRow(static_cast<int>(kEpromRows.size())))];
}

EpromJob UvEpromDialog::job(const OperationHooks& hooks) {
    return EpromJob{link(), row(), buffer(), fields(), hooks};
}

OperationResult UvEpromDialog::readDevice(const OperationHooks& hooks) { return WithPortsLow(job(hooks), ReadEprom); }
OperationResult UvEpromDialog::blankCheck(const OperationHooks& hooks) {
    return WithPortsLow(job(hooks), BlankCheckEprom);
}
OperationResult UvEpromDialog::verify(const OperationHooks& hooks) { return WithPortsLow(job(hooks), VerifyEprom); }
OperationResult UvEpromDialog::sum(const OperationHooks& hooks) { return WithPortsLow(job(hooks), SumEprom); }

OperationResult UvEpromDialog::program(const OperationHooks& hooks) {
    EpromProgramOptions options;
    options.proTimeIndex = control("RadioGroup1").itemIndex();
    options.checkEachByte = control("RadioGroup2").itemIndex() != 1;
    return WithPortsLow(job(hooks), [&](const EpromJob& j) { return ProgramEprom(j, options); });
}

} // namespace quarvin
